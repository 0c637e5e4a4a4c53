#include "lang/checker.h"

#include "model/gbk.h"

#include <optional>

namespace talvex::lang {

namespace {

bool IsPitch(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

class ValueChecker {
  public:
    explicit ValueChecker(Program& program) : m_p(program) {}

    void Run()
    {
        FoldConstants();
        for (const Statement& statement : m_p.statements) {
            if (statement.kind == StmtKind::Command)
                CheckCommand(statement);
        }
    }

  private:
    // Nodes come before the nodes that use them, so one pass folds every
    // constant subtree.
    void FoldConstants()
    {
        m_constant.assign(m_p.exprs.size(), std::nullopt);
        for (size_t i = 0; i < m_p.exprs.size(); ++i) {
            const Expr& expr = m_p.exprs[i];
            switch (expr.kind) {
            case ExprKind::Number:
                m_constant[i] = Wrap(expr.value);
                break;
            case ExprKind::Unary:
                if (m_constant[expr.lhs])
                    m_constant[i] = ApplyUnary(expr.op, *m_constant[expr.lhs]);
                break;
            case ExprKind::Binary:
                if ((expr.op == Op::Div || expr.op == Op::Mod) && m_constant[expr.rhs] == 0)
                    Warn(expr.line, expr.column, "除数是0：结果按0计算");
                if (m_constant[expr.lhs] && m_constant[expr.rhs])
                    m_constant[i] = ApplyBinary(expr.op, *m_constant[expr.lhs], *m_constant[expr.rhs]);
                break;
            default:
                break;
            }
        }
    }

    void CheckCommand(const Statement& statement)
    {
        const CommandInfo* info = nullptr;
        for (const CommandInfo& candidate : Commands()) {
            if (candidate.command == statement.command && candidate.unit == statement.unit)
                info = &candidate;
        }
        if (!info)
            return;
        if (info->stringArg) {
            CheckNotes(statement);
            return;
        }
        for (size_t i = 0; i < statement.args.size() && i < 6; ++i) {
            const ExprId arg = statement.args[i];
            const std::optional<int32_t> value = m_constant[arg];
            const ArgRange range = info->ranges[i];
            if (!value || (*value >= range.min && *value <= range.max))
                continue;
            std::string message = statement.args.size() == 1
                                      ? Gbk("“") + info->name + Gbk("”的参数")
                                      : Gbk("“") + info->name + Gbk("”的第") + std::to_string(i + 1) + Gbk("个参数");
            message += Gbk("应在") + std::to_string(range.min) + Gbk("～") + std::to_string(range.max) +
                       Gbk("之间，这里是") + std::to_string(*value);
            const Expr& expr = m_p.exprs[arg];
            m_p.findings.push_back({expr.line, expr.startColumn, Severity::Error, FindingKind::Value, message});
        }
    }

    void CheckNotes(const Statement& statement)
    {
        const std::string& notes = statement.notes;
        for (size_t i = 0; i < notes.size(); i += 2) {
            const int column = statement.notesColumn + static_cast<int>(i);
            if (i + 1 >= notes.size()) {
                m_p.findings.push_back({statement.line, column, Severity::Error, FindingKind::Value,
                                        Gbk("音符不完整：每个音符是两个字符，音高0～F和音长1～8")});
                return;
            }
            const char duration = notes[i + 1];
            if (!IsPitch(notes[i]) || duration < '1' || duration > '0' + kNoteMaxDuration) {
                m_p.findings.push_back({statement.line, column, Severity::Error, FindingKind::Value,
                                        Gbk("音符“") + notes.substr(i, 2) + Gbk("”无效：音高应为0～F，音长应为1～8")});
                return;
            }
        }
    }

    void Warn(int line, int column, const char* utf8)
    {
        m_p.findings.push_back({line, column, Severity::Warning, FindingKind::Value, Gbk(utf8)});
    }

    Program& m_p;
    std::vector<std::optional<int32_t>> m_constant;
};

} // namespace

void CheckValues(Program& program)
{
    ValueChecker(program).Run();
}

} // namespace talvex::lang
