#include "sim/interpreter.h"

#include "model/gbk.h"

#include <algorithm>

namespace talvex::sim {

using lang::Branch;
using lang::Expr;
using lang::ExprId;
using lang::ExprKind;
using lang::kNone;
using lang::Op;
using lang::Statement;
using lang::StmtId;
using lang::StmtKind;

namespace {

constexpr int kVariableCount = 26;

const lang::CommandInfo* InfoOf(lang::Command command, int unit)
{
    for (const lang::CommandInfo& info : lang::Commands()) {
        if (info.command == command && info.unit == unit)
            return &info;
    }
    return nullptr;
}

} // namespace

Interpreter::Interpreter(const lang::Program& program, SensorReader reader)
    : m_program(program), m_read(std::move(reader)), m_variables(kVariableCount, 0),
      m_shortCircuit(program.exprs.size(), kNone)
{
    for (size_t i = 0; i < program.exprs.size(); ++i) {
        const Expr& e = program.exprs[i];
        if (e.kind == ExprKind::Binary && (e.op == Op::And || e.op == Op::Or) && e.lhs >= 0 &&
            static_cast<size_t>(e.lhs) < m_shortCircuit.size())
            m_shortCircuit[static_cast<size_t>(e.lhs)] = static_cast<ExprId>(i);
    }
    m_frames.push_back({&program.body, 0, kNone, 0});
}

Action Interpreter::Fail(int line, const std::string& utf8Text)
{
    m_ended = true;
    m_frames.clear();
    Action action;
    action.kind = Action::Kind::kError;
    action.line = line;
    action.message = Gbk("第" + std::to_string(line) + "行: " + utf8Text);
    return action;
}

bool Interpreter::Evaluate(ExprId expr, int32_t& value, std::string& error)
{
    if (expr < 0 || static_cast<size_t>(expr) >= m_program.exprs.size()) {
        error = "这一行的表达式有错, 无法计算";
        return false;
    }
    m_stack.clear();
    const ExprId first = m_program.exprs[static_cast<size_t>(expr)].first;
    for (ExprId i = first < 0 ? expr : first; i <= expr; ++i) {
        const Expr& e = m_program.exprs[static_cast<size_t>(i)];
        int32_t v = 0;
        switch (e.kind) {
        case ExprKind::Number:
            v = lang::Wrap(e.value);
            break;
        case ExprKind::Variable:
            v = e.variable >= 0 && e.variable < kVariableCount ? m_variables[static_cast<size_t>(e.variable)] : 0;
            break;
        case ExprKind::Sensor:
            v = lang::Wrap(m_read(e.sensor, e.unit));
            break;
        case ExprKind::Unary:
            if (m_stack.empty()) {
                error = "这一行的表达式有错, 无法计算";
                return false;
            }
            v = lang::ApplyUnary(e.op, m_stack.back());
            m_stack.pop_back();
            break;
        case ExprKind::Binary: {
            if (m_stack.size() < 2) {
                error = "这一行的表达式有错, 无法计算";
                return false;
            }
            const int32_t b = m_stack.back();
            m_stack.pop_back();
            const int32_t a = m_stack.back();
            m_stack.pop_back();
            if ((e.op == Op::Div || e.op == Op::Mod) && b == 0) {
                error = "除数为0, 程序停止";
                return false;
            }
            v = lang::ApplyBinary(e.op, a, b);
            break;
        }
        }
        const ExprId parent = m_shortCircuit[static_cast<size_t>(i)];
        if (parent != kNone && parent <= expr) {
            const Op op = m_program.exprs[static_cast<size_t>(parent)].op;
            if ((op == Op::And && v == 0) || (op == Op::Or && v != 0)) {
                // The left operand decides: the right one is not evaluated.
                m_stack.push_back(op == Op::Or ? 1 : 0);
                i = parent;
                continue;
            }
        }
        m_stack.push_back(v);
    }
    if (m_stack.size() != 1) {
        error = "这一行的表达式有错, 无法计算";
        return false;
    }
    value = m_stack.back();
    return true;
}

int Interpreter::NextLine() const
{
    if (m_ended || m_frames.empty())
        return 0;
    const Frame& frame = m_frames.back();
    if (frame.next < frame.body->size())
        return m_program.statements[static_cast<size_t>((*frame.body)[frame.next])].line;
    if (frame.owner == kNone)
        return 0;
    const Branch& branch = m_program.statements[static_cast<size_t>(frame.owner)].branches[frame.branch];
    return branch.closeLine > 0 ? branch.closeLine : branch.headLine;
}

Action Interpreter::Step()
{
    if (m_ended || m_frames.empty()) {
        m_ended = true;
        Action action;
        action.kind = Action::Kind::kEnd;
        return action;
    }
    Frame& frame = m_frames.back();
    if (frame.next >= frame.body->size())
        return FinishBody();
    const StmtId id = (*frame.body)[frame.next++];
    return RunStatement(id);
}

Action Interpreter::Enter(const Statement& statement, size_t branch, int32_t remaining, int line)
{
    Action action;
    action.line = line;
    Frame frame;
    frame.body = &statement.branches[branch].body;
    frame.owner = static_cast<StmtId>(&statement - m_program.statements.data());
    frame.branch = branch;
    frame.remaining = remaining;
    m_frames.push_back(frame);
    return action;
}

Action Interpreter::FinishBody()
{
    Frame& frame = m_frames.back();
    if (frame.owner == kNone) {
        m_ended = true;
        m_frames.clear();
        Action action;
        action.kind = Action::Kind::kEnd;
        return action;
    }
    const Statement& owner = m_program.statements[static_cast<size_t>(frame.owner)];
    const Branch& branch = owner.branches[frame.branch];
    Action action;
    action.line = branch.closeLine > 0 ? branch.closeLine : branch.headLine;
    switch (owner.kind) {
    case StmtKind::Loop:
        if (frame.remaining > 0) {
            --frame.remaining;
            frame.next = 0;
            return action;
        }
        break;
    case StmtKind::LimLoop:
        frame.next = 0;
        return action;
    case StmtKind::While: {
        std::string error;
        int32_t value = 0;
        action.line = branch.headLine;
        if (!Evaluate(branch.expr, value, error))
            return Fail(branch.headLine, error);
        if (value != 0) {
            frame.next = 0;
            return action;
        }
        break;
    }
    default:
        break;
    }
    m_frames.pop_back();
    return action;
}

Action Interpreter::RunStatement(StmtId id)
{
    const Statement& s = m_program.statements[static_cast<size_t>(id)];
    Action action;
    action.line = s.line;
    std::string error;
    switch (s.kind) {
    case StmtKind::Empty:
        return action;
    case StmtKind::Assign: {
        int32_t value = 0;
        if (!Evaluate(s.value, value, error))
            return Fail(s.line, error);
        if (s.variable < 0 || s.variable >= kVariableCount)
            return Fail(s.line, "没有这个变量");
        m_variables[static_cast<size_t>(s.variable)] = value;
        return action;
    }
    case StmtKind::Command: {
        const lang::CommandInfo* info = InfoOf(s.command, s.unit);
        if (!info || static_cast<int>(s.args.size()) != info->argCount || s.args.size() > 6)
            return Fail(s.line, "机器人无法执行这条语句");
        action.kind = Action::Kind::kCommand;
        action.command = s.command;
        action.unit = s.unit;
        action.argCount = info->argCount;
        action.notes = &s.notes;
        for (size_t i = 0; i < s.args.size(); ++i) {
            int32_t value = 0;
            if (!Evaluate(s.args[i], value, error))
                return Fail(s.line, error);
            // The robot brings an argument out of its range to the nearest bound.
            const lang::ArgRange range = info->ranges[i];
            action.args[i] = std::clamp(value, range.min, range.max);
        }
        return action;
    }
    case StmtKind::Loop: {
        if (s.branches.empty())
            return Fail(s.line, "机器人无法执行这条语句");
        int32_t count = 0;
        if (!Evaluate(s.branches[0].expr, count, error))
            return Fail(s.line, error);
        if (count <= 0)
            return action;
        return Enter(s, 0, count - 1, s.line);
    }
    case StmtKind::LimLoop:
        if (s.branches.empty())
            return Fail(s.line, "机器人无法执行这条语句");
        return Enter(s, 0, 0, s.line);
    case StmtKind::While: {
        if (s.branches.empty())
            return Fail(s.line, "机器人无法执行这条语句");
        int32_t value = 0;
        if (!Evaluate(s.branches[0].expr, value, error))
            return Fail(s.line, error);
        return value != 0 ? Enter(s, 0, 0, s.line) : action;
    }
    case StmtKind::If:
        for (size_t b = 0; b < s.branches.size(); ++b) {
            const Branch& branch = s.branches[b];
            if (branch.isElse)
                return Enter(s, b, 0, s.line);
            int32_t value = 0;
            if (!Evaluate(branch.expr, value, error))
                return Fail(branch.headLine, error);
            if (value != 0)
                return Enter(s, b, 0, s.line);
        }
        return action;
    }
    return action;
}

} // namespace talvex::sim
