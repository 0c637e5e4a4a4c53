#include "lang/checker.h"
#include "lang/program.h"
#include "model/gbk.h"

#include <algorithm>

namespace talvex::lang {

namespace {

bool IsVariableName(std::string_view name)
{
    return name.size() == 1 && name[0] >= 'a' && name[0] <= 'z';
}

int BinaryPrecedence(std::string_view op, Op& out)
{
    struct Entry {
        std::string_view text;
        Op op;
        int precedence;
    };
    static constexpr Entry kBinary[] = {
        {"*", Op::Mul, 10},  {"/", Op::Div, 10}, {"%", Op::Mod, 10}, {"+", Op::Add, 9},    {"-", Op::Sub, 9},
        {"<<", Op::Shl, 8},  {">>", Op::Shr, 8}, {"<", Op::Lt, 7},   {"<=", Op::Le, 7},    {">", Op::Gt, 7},
        {">=", Op::Ge, 7},   {"==", Op::Eq, 6},  {"!=", Op::Ne, 6},  {"&", Op::BitAnd, 5}, {"^", Op::BitXor, 4},
        {"|", Op::BitOr, 3}, {"&&", Op::And, 2}, {"||", Op::Or, 1},
    };
    for (const Entry& entry : kBinary) {
        if (entry.text == op) {
            out = entry.op;
            return entry.precedence;
        }
    }
    return 0;
}

bool UnaryOp(std::string_view op, Op& out)
{
    if (op == "-")
        out = Op::Neg;
    else if (op == "+")
        out = Op::Plus;
    else if (op == "!")
        out = Op::Not;
    else if (op == "~")
        out = Op::BitNot;
    else
        return false;
    return true;
}

int Precedence(Op op)
{
    switch (op) {
    case Op::Mul:
    case Op::Div:
    case Op::Mod:
        return 10;
    case Op::Add:
    case Op::Sub:
        return 9;
    case Op::Shl:
    case Op::Shr:
        return 8;
    case Op::Lt:
    case Op::Le:
    case Op::Gt:
    case Op::Ge:
        return 7;
    case Op::Eq:
    case Op::Ne:
        return 6;
    case Op::BitAnd:
        return 5;
    case Op::BitXor:
        return 4;
    case Op::BitOr:
        return 3;
    case Op::And:
        return 2;
    case Op::Or:
        return 1;
    default:
        return 11; // unary
    }
}

// A character for a message: itself when printable, else its code.
std::string Shown(std::string_view bytes)
{
    const auto c = static_cast<unsigned char>(bytes[0]);
    if ((c > 32 && c < 127) || bytes.size() == 2)
        return std::string(bytes);
    static const char kHex[] = "0123456789ABCDEF";
    return std::string("0x") + kHex[c >> 4] + kHex[c & 15];
}

class Parser {
  public:
    explicit Parser(Program& program) : m_p(program) {}

    void Run(std::string_view text)
    {
        const std::vector<std::string_view> lines = SplitLines(text);
        m_p.lineCount = static_cast<int>(lines.size());
        // Growing these arrays copies every statement again; most lines hold one.
        m_p.statements.reserve(lines.size());
        m_p.exprs.reserve(lines.size() * 2);
        for (size_t i = 0; i < lines.size(); ++i) {
            m_line = lines[i];
            m_lineNo = static_cast<int>(i) + 1;
            Line();
        }
        Finish();
    }

  private:
    // Where statements go: the body of a block's branch, or the main body.
    struct Owner {
        StmtId stmt = kNone;
        int branch = 0;
    };
    struct Open {
        Owner owner;
        bool anonymous; // a "{" without a head: its body belongs to the enclosing block
        int openLine;
    };
    struct OpEntry {
        Op op;
        bool paren;
        size_t token;
    };
    enum class Frame { Header, Start, Body, After };

    std::string_view Text(const Token& token) const { return m_line.substr(token.begin, token.end - token.begin); }
    bool Is(size_t i, std::string_view text) const
    {
        return i < m_tokens.size() && m_tokens[i].kind != TokenKind::String && Text(m_tokens[i]) == text;
    }
    int EndColumn(const Token& token) const { return static_cast<int>(ColumnAt(m_line, token.end)); }

    void Report(int line, int column, Severity severity, FindingKind kind, const char* utf8,
                const std::string& detailGbk = {})
    {
        // Each "%" takes the next of the details, which are separated by \x01.
        std::string message = Gbk(utf8);
        size_t from = 0;
        size_t mark = 0;
        while ((mark = message.find('%', mark)) != std::string::npos) {
            const size_t stop = std::min(detailGbk.find('\x01', from), detailGbk.size());
            const std::string detail = from <= detailGbk.size() ? detailGbk.substr(from, stop - from) : std::string();
            message.replace(mark, 1, detail);
            mark += detail.size();
            from = stop + 1;
        }
        m_p.findings.push_back({line, column, severity, kind, std::move(message)});
    }
    void Error(int column, FindingKind kind, const char* utf8, const std::string& detail = {})
    {
        Report(m_lineNo, column, Severity::Error, kind, utf8, detail);
    }

    std::vector<StmtId>& Body(Owner owner)
    {
        return owner.stmt == kNone ? m_p.body : m_p.statements[owner.stmt].branches[owner.branch].body;
    }
    Owner Current() const { return m_open.empty() ? Owner{} : m_open.back().owner; }

    StmtId Add(Statement statement)
    {
        const StmtId id = static_cast<StmtId>(m_p.statements.size());
        m_p.statements.push_back(std::move(statement));
        Body(Current()).push_back(id);
        return id;
    }

    void Line()
    {
        LexLine(m_line, m_tokens);
        if (!m_tokens.empty() && m_tokens.back().kind == TokenKind::Comment)
            m_tokens.pop_back();
        if (m_tokens.empty())
            return;

        const bool lone = m_tokens.size() == 1 && m_tokens[0].kind == TokenKind::Name;
        const std::string_view word = lone ? Text(m_tokens[0]) : std::string_view();
        if (m_frame == Frame::Header) {
            m_frame = Frame::Start;
            if (word == "qzrobot")
                return;
            Error(1, FindingKind::Frame, "程序的第一行应为“qzrobot”");
        }
        if (m_frame == Frame::Start) {
            m_frame = Frame::Body;
            if (word == "start")
                return;
            Error(1, FindingKind::Frame, "“qzrobot”之后应为“start”");
        }
        if (m_frame == Frame::After) {
            if (!m_afterWarned)
                Report(m_lineNo, static_cast<int>(m_tokens[0].column), Severity::Warning, FindingKind::Frame,
                       "“end”之后的内容不会执行");
            m_afterWarned = true;
            return;
        }
        if (word == "end") {
            CloseAll();
            m_frame = Frame::After;
            return;
        }
        if (word == "qzrobot" || word == "start") {
            Error(1, FindingKind::Frame, "“%”只能出现在程序的开头", std::string(word));
            return;
        }
        Body();
    }

    void Body()
    {
        const StmtId elseCandidate = m_elseCandidate;
        m_elseCandidate = kNone;
        const bool loneOpen = m_tokens.size() == 1 && Is(0, "{");
        if (m_pendingHead != kNone) {
            const StmtId head = m_pendingHead;
            m_pendingHead = kNone;
            if (loneOpen) {
                Statement& statement = m_p.statements[head];
                const int branch = static_cast<int>(statement.branches.size()) - 1;
                statement.branches[branch].openLine = m_lineNo;
                m_open.push_back({{head, branch}, false, m_lineNo});
                return;
            }
            MissingOpen(head);
        }

        for (const Token& token : m_tokens) {
            if (token.kind == TokenKind::Bad) {
                const std::string_view bad = Text(token);
                if (bad[0] == '"')
                    Error(static_cast<int>(token.column), FindingKind::Syntax, "字符串缺少结尾的“\"”");
                else
                    Error(static_cast<int>(token.column), FindingKind::Syntax, "无法识别的字符“%”", Shown(bad));
                m_lineBad = true;
                break;
            }
        }

        if (loneOpen) {
            Error(1, FindingKind::Structure, "“{”之前缺少循环或判断语句");
            m_open.push_back({Current(), true, m_lineNo});
        } else if (m_tokens.size() == 1 && Is(0, "}")) {
            Close();
        } else if (Is(0, "{") || Is(0, "}")) {
            Error(static_cast<int>(m_tokens[1].column), FindingKind::Syntax, "“%”必须单独占一行",
                  std::string(Text(m_tokens[0])));
        } else if (Is(0, "else")) {
            Else(elseCandidate);
        } else if (Is(0, "loop") || Is(0, "lim_loop") || Is(0, "while") || Is(0, "if")) {
            Head();
        } else if (!m_lineBad) {
            SimpleStatements();
        }
        m_lineBad = false;
    }

    std::string HeadName(const Statement& statement, const Branch& branch) const
    {
        switch (statement.kind) {
        case StmtKind::Loop:
            return "loop";
        case StmtKind::LimLoop:
            return "lim_loop";
        case StmtKind::While:
            return "while";
        default:
            return branch.isElse ? "else" : &branch == &statement.branches.front() ? "if" : "else if";
        }
    }

    void MissingOpen(StmtId head)
    {
        const Statement& statement = m_p.statements[head];
        const Branch& branch = statement.branches.back();
        Report(branch.headLine, 1, Severity::Error, FindingKind::Structure, "“%”的下一行应为单独的“{”",
               HeadName(statement, branch));
    }

    void Close()
    {
        if (m_open.empty()) {
            Error(1, FindingKind::Structure, "多余的“}”：前面没有与它配对的“{”");
            return;
        }
        const Open open = m_open.back();
        m_open.pop_back();
        if (open.anonymous)
            return;
        Statement& statement = m_p.statements[open.owner.stmt];
        statement.branches[open.owner.branch].closeLine = m_lineNo;
        if (statement.kind == StmtKind::If)
            m_elseCandidate = open.owner.stmt;
    }

    void CloseAll()
    {
        if (m_pendingHead != kNone) {
            MissingOpen(m_pendingHead);
            m_pendingHead = kNone;
        }
        for (const Open& open : m_open) {
            if (open.anonymous) {
                Report(open.openLine, 1, Severity::Error, FindingKind::Structure, "这个“{”没有与它配对的“}”");
                continue;
            }
            const Statement& statement = m_p.statements[open.owner.stmt];
            const Branch& branch = statement.branches[open.owner.branch];
            Report(branch.headLine, 1, Severity::Error, FindingKind::Structure, "“%”缺少与它配对的“}”",
                   HeadName(statement, branch));
        }
        m_open.clear();
    }

    void Finish()
    {
        const int last = std::max(m_p.lineCount, 1);
        switch (m_frame) {
        case Frame::Header:
            Report(1, 1, Severity::Error, FindingKind::Frame, "程序是空的：缺少“qzrobot”、“start”和“end”");
            break;
        case Frame::Start:
            Report(last, 1, Severity::Error, FindingKind::Frame, "缺少“start”和程序结尾的“end”");
            break;
        case Frame::Body:
            CloseAll();
            Report(last, 1, Severity::Error, FindingKind::Frame, "缺少程序结尾的“end”");
            break;
        case Frame::After:
            break;
        }
    }

    // The token index of the ")" that closes the "(" at open, or 0 when none does.
    size_t MatchingClose(size_t open, size_t end) const
    {
        int depth = 0;
        for (size_t i = open; i < end; ++i) {
            if (Is(i, "("))
                ++depth;
            else if (Is(i, ")") && --depth == 0)
                return i;
        }
        return 0;
    }

    // "(" expression ")" from token at, filling the branch; nothing may follow.
    void HeadExpression(size_t at, Branch& branch, const char* what)
    {
        if (m_lineBad)
            return;
        if (!Is(at, "(")) {
            const int column =
                at < m_tokens.size() ? static_cast<int>(m_tokens[at].column) : EndColumn(m_tokens[at - 1]);
            Error(column, FindingKind::Syntax, "“%”之后应为“(”", std::string(Text(m_tokens[at - 1])));
            return;
        }
        const size_t close = MatchingClose(at, m_tokens.size());
        if (close == 0) {
            Error(EndColumn(m_tokens.back()), FindingKind::Syntax, "缺少“)”");
            return;
        }
        branch.exprText = std::string(m_line.substr(m_tokens[at].end, m_tokens[close].begin - m_tokens[at].end));
        if (close + 1 < m_tokens.size()) {
            Error(static_cast<int>(m_tokens[close + 1].column), FindingKind::Syntax,
                  "“)”之后不能再有内容：“{”要单独占一行");
            return;
        }
        if (close == at + 1) {
            Error(static_cast<int>(m_tokens[close].column), FindingKind::Syntax, "括号里缺少%", Gbk(what));
            return;
        }
        branch.expr = Expression(at + 1, close);
    }

    void Head()
    {
        const std::string_view word = Text(m_tokens[0]);
        Statement statement;
        statement.kind = word == "loop"       ? StmtKind::Loop
                         : word == "lim_loop" ? StmtKind::LimLoop
                         : word == "while"    ? StmtKind::While
                                              : StmtKind::If;
        statement.line = m_lineNo;
        statement.column = static_cast<int>(m_tokens[0].column);
        statement.branches.emplace_back();
        Branch& branch = statement.branches.back();
        branch.headLine = m_lineNo;
        if (statement.kind == StmtKind::LimLoop) {
            if (m_tokens.size() > 1 && !m_lineBad)
                Error(static_cast<int>(m_tokens[1].column), FindingKind::Syntax,
                      "“lim_loop”之后不能再有内容：“{”要单独占一行");
        } else {
            HeadExpression(1, branch, statement.kind == StmtKind::Loop ? "循环次数" : "条件");
        }
        m_pendingHead = Add(std::move(statement));
    }

    void Else(StmtId candidate)
    {
        Branch branch;
        branch.headLine = m_lineNo;
        if (m_tokens.size() == 1) {
            branch.isElse = true;
        } else if (Is(1, "if")) {
            HeadExpression(2, branch, "条件");
        } else {
            branch.isElse = true;
            if (!m_lineBad)
                Error(static_cast<int>(m_tokens[1].column), FindingKind::Syntax,
                      "“else”之后只能是“if(条件)”，“{”要单独占一行");
        }
        const char* const name = branch.isElse ? "else" : "else if";
        if (candidate == kNone) {
            Error(1, FindingKind::Structure, "“%”前面没有与它配对的“if”", name);
            Statement statement;
            statement.kind = StmtKind::If;
            statement.line = m_lineNo;
            statement.column = 1;
            statement.branches.push_back(std::move(branch));
            m_pendingHead = Add(std::move(statement));
            return;
        }
        Statement& statement = m_p.statements[candidate];
        if (statement.branches.back().isElse)
            Error(1, FindingKind::Structure, "“else”之后不能再有“%”", name);
        statement.branches.push_back(std::move(branch));
        m_pendingHead = candidate;
    }

    void SimpleStatements()
    {
        size_t begin = 0;
        for (size_t i = 0; i < m_tokens.size(); ++i) {
            if (Is(i, ";")) {
                SimpleStatement(begin, i, true);
                begin = i + 1;
            }
        }
        if (begin < m_tokens.size())
            SimpleStatement(begin, m_tokens.size(), false);
    }

    void SimpleStatement(size_t begin, size_t end, bool terminated)
    {
        Statement statement;
        statement.line = m_lineNo;
        if (begin == end) {
            statement.column = static_cast<int>(m_tokens[begin].column);
            Add(std::move(statement));
            return;
        }
        const Token& first = m_tokens[begin];
        statement.column = static_cast<int>(first.column);
        statement.text = std::string(m_line.substr(first.begin, m_tokens[end - 1].end - first.begin));
        const std::string_view name = Text(first);
        bool ok = false;
        if (first.kind != TokenKind::Name) {
            Error(statement.column, FindingKind::Syntax, "无法识别的语句");
        } else if (IsVariableName(name)) {
            if (!Is(begin + 1, "=")) {
                const int column = begin + 1 < end ? static_cast<int>(m_tokens[begin + 1].column) : EndColumn(first);
                Error(column, FindingKind::Syntax, "变量“%”之后应为“=”", std::string(name));
            } else if (begin + 2 == end) {
                Error(EndColumn(m_tokens[begin + 1]), FindingKind::Syntax, "“=”之后缺少要赋的值");
            } else {
                statement.kind = StmtKind::Assign;
                statement.variable = name[0] - 'a';
                statement.value = Expression(begin + 2, end);
                ok = statement.value != kNone;
            }
        } else if (const CommandInfo* command = FindCommand(name)) {
            ok = CommandCall(*command, begin, end, statement);
        } else if (FindSensor(name)) {
            Error(statement.column, FindingKind::Syntax, "传感器的读数要赋给变量，例如“a=%();”", std::string(name));
        } else if (IsKeyword(name)) {
            Error(statement.column, FindingKind::Syntax, "“%”要写在单独的一行", std::string(name));
        } else {
            Error(statement.column, FindingKind::Syntax, "未知的语句“%”", std::string(name));
        }
        if (!ok)
            return;
        if (!terminated)
            Error(EndColumn(m_tokens[end - 1]), FindingKind::Syntax, "语句末尾缺少“;”");
        Add(std::move(statement));
    }

    bool CommandCall(const CommandInfo& info, size_t begin, size_t end, Statement& statement)
    {
        const std::string name = info.name;
        if (!Is(begin + 1, "(")) {
            const int column =
                begin + 1 < end ? static_cast<int>(m_tokens[begin + 1].column) : EndColumn(m_tokens[begin]);
            Error(column, FindingKind::Syntax, "“%”之后应为“(”", name);
            return false;
        }
        const size_t close = MatchingClose(begin + 1, end);
        if (close == 0) {
            Error(EndColumn(m_tokens[end - 1]), FindingKind::Syntax, "缺少“)”");
            return false;
        }
        if (close + 1 != end) {
            Error(static_cast<int>(m_tokens[close + 1].column), FindingKind::Syntax, "“)”之后应为“;”");
            return false;
        }
        statement.kind = StmtKind::Command;
        statement.command = info.command;
        statement.unit = info.unit;
        const size_t argsBegin = begin + 2;
        if (info.stringArg) {
            if (close != argsBegin + 1 || m_tokens[argsBegin].kind != TokenKind::String) {
                Error(static_cast<int>(m_tokens[begin + 1].column), FindingKind::Syntax,
                      "“play”的参数应为双引号括起的音符，例如“play(\"8481\");”");
                return false;
            }
            const Token& notes = m_tokens[argsBegin];
            statement.notes = std::string(m_line.substr(notes.begin + 1, notes.end - notes.begin - 2));
            statement.notesColumn = static_cast<int>(notes.column) + 1;
            return true;
        }
        // Split the arguments at the commas outside parentheses.
        std::vector<std::pair<size_t, size_t>> args;
        if (close > argsBegin) {
            int depth = 0;
            size_t from = argsBegin;
            for (size_t i = argsBegin; i < close; ++i) {
                if (Is(i, "("))
                    ++depth;
                else if (Is(i, ")"))
                    --depth;
                else if (Is(i, ",") && depth == 0) {
                    args.emplace_back(from, i);
                    from = i + 1;
                }
            }
            args.emplace_back(from, close);
        }
        if (static_cast<int>(args.size()) != info.argCount) {
            if (info.argCount == 0)
                Error(static_cast<int>(m_tokens[argsBegin].column), FindingKind::Syntax, "“%”不带参数", name);
            else
                Error(static_cast<int>(m_tokens[begin + 1].column), FindingKind::Syntax, "“%”需要%个参数",
                      name + "\x01" + std::to_string(info.argCount));
            return false;
        }
        for (const auto& [from, to] : args) {
            if (from == to) {
                Error(static_cast<int>(m_tokens[to].column), FindingKind::Syntax, "参数不能为空");
                return false;
            }
            const ExprId arg = Expression(from, to);
            if (arg == kNone)
                return false;
            statement.args.push_back(arg);
        }
        return true;
    }

    // Parses tokens [begin, end) into m_p.exprs without recursion (operator
    // precedence with an explicit stack). Reports the first fault and returns
    // kNone, leaving no nodes behind.
    ExprId Expression(size_t begin, size_t end)
    {
        const size_t base = m_p.exprs.size();
        m_ops.clear();
        m_operands.clear();
        auto fail = [&](int column, const char* utf8, const std::string& detail = {}) {
            m_p.exprs.resize(base);
            Error(column, FindingKind::Syntax, utf8, detail);
            return kNone;
        };
        auto push = [&](Expr expr) {
            const ExprId id = static_cast<ExprId>(m_p.exprs.size());
            if (expr.first == kNone)
                expr.first = id;
            expr.line = m_lineNo;
            m_p.exprs.push_back(expr);
            m_operands.push_back(id);
        };
        auto reduce = [&]() {
            const OpEntry entry = m_ops.back();
            m_ops.pop_back();
            Expr expr;
            expr.op = entry.op;
            expr.column = static_cast<int>(m_tokens[entry.token].column);
            if (Precedence(entry.op) == 11) {
                expr.kind = ExprKind::Unary;
                expr.lhs = m_operands.back();
                m_operands.pop_back();
                expr.startColumn = expr.column;
            } else {
                expr.kind = ExprKind::Binary;
                expr.rhs = m_operands.back();
                m_operands.pop_back();
                expr.lhs = m_operands.back();
                m_operands.pop_back();
                expr.startColumn = m_p.exprs[expr.lhs].startColumn;
            }
            expr.first = m_p.exprs[expr.lhs].first;
            push(expr);
        };

        bool expectOperand = true;
        for (size_t i = begin; i < end; ++i) {
            const Token& token = m_tokens[i];
            const int column = static_cast<int>(token.column);
            const std::string_view text = Text(token);
            if (token.kind == TokenKind::String)
                return fail(column, "字符串只能用作“play”的参数");
            if (expectOperand) {
                Op op;
                if (token.kind == TokenKind::Number) {
                    const bool negated = !m_ops.empty() && !m_ops.back().paren && m_ops.back().op == Op::Neg;
                    const size_t digits = text.find_first_not_of('0');
                    const std::string_view significant =
                        digits == std::string_view::npos ? std::string_view("0") : text.substr(digits);
                    const int64_t value = significant.size() > 6 ? 99999999 : std::stoll(std::string(significant));
                    if (value > kIntMax + (negated ? 1 : 0))
                        return fail(column, "整数超出范围（-32768～32767）");
                    Expr expr;
                    expr.kind = ExprKind::Number;
                    expr.value = static_cast<int32_t>(value);
                    expr.column = expr.startColumn = column;
                    push(expr);
                    expectOperand = false;
                } else if (token.kind == TokenKind::Name) {
                    Expr expr;
                    expr.column = expr.startColumn = column;
                    if (IsVariableName(text)) {
                        expr.kind = ExprKind::Variable;
                        expr.variable = text[0] - 'a';
                    } else if (const SensorInfo* sensor = FindSensor(text)) {
                        if (i + 2 >= end || !Is(i + 1, "(") || !Is(i + 2, ")"))
                            return fail(column, "“%”之后应为“()”", std::string(text));
                        expr.kind = ExprKind::Sensor;
                        expr.sensor = sensor->sensor;
                        expr.unit = sensor->unit;
                        i += 2;
                    } else if (FindCommand(text)) {
                        return fail(column, "“%”是语句，不能用在表达式里", std::string(text));
                    } else if (IsKeyword(text)) {
                        return fail(column, "“%”不能用在表达式里", std::string(text));
                    } else {
                        return fail(column, "未知的名称“%”：变量只能是a～z", std::string(text));
                    }
                    push(expr);
                    expectOperand = false;
                } else if (text == "(") {
                    m_ops.push_back({Op::Plus, true, i});
                } else if (UnaryOp(text, op)) {
                    m_ops.push_back({op, false, i});
                } else {
                    return fail(column, "这里缺少数值或变量");
                }
                continue;
            }
            Op op;
            if (const int precedence = BinaryPrecedence(text, op); precedence > 0 && token.kind == TokenKind::Punct) {
                while (!m_ops.empty() && !m_ops.back().paren && Precedence(m_ops.back().op) >= precedence)
                    reduce();
                m_ops.push_back({op, false, i});
                expectOperand = true;
            } else if (text == ")") {
                while (!m_ops.empty() && !m_ops.back().paren)
                    reduce();
                if (m_ops.empty())
                    return fail(column, "多余的“)”");
                m_ops.pop_back();
            } else if (text == "=") {
                return fail(column, "表达式里不能赋值；比较是否相等要用“==”");
            } else {
                return fail(column, "这里缺少运算符");
            }
        }
        if (expectOperand)
            return fail(EndColumn(m_tokens[end - 1]), "表达式不完整");
        while (!m_ops.empty()) {
            if (m_ops.back().paren)
                return fail(static_cast<int>(m_tokens[m_ops.back().token].column), "这个“(”缺少与它配对的“)”");
            reduce();
        }
        return m_operands.back();
    }

    Program& m_p;
    std::string_view m_line;
    int m_lineNo = 0;
    std::vector<Token> m_tokens;
    std::vector<Open> m_open;
    std::vector<OpEntry> m_ops;
    std::vector<ExprId> m_operands;
    Frame m_frame = Frame::Header;
    StmtId m_pendingHead = kNone;
    StmtId m_elseCandidate = kNone;
    bool m_afterWarned = false;
    bool m_lineBad = false;
};

} // namespace

int Program::ErrorCount() const
{
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                          [](const Finding& f) { return f.severity == Severity::Error; }));
}

int Program::WarningCount() const
{
    return static_cast<int>(findings.size()) - ErrorCount();
}

Program ParseProgram(std::string_view text)
{
    Program program;
    Parser(program).Run(text);
    CheckValues(program);
    std::stable_sort(program.findings.begin(), program.findings.end(), [](const Finding& a, const Finding& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return program;
}

const std::string& SeverityText(Severity severity)
{
    static const std::string error = Gbk("错误");
    static const std::string warning = Gbk("警告");
    return severity == Severity::Error ? error : warning;
}

} // namespace talvex::lang
