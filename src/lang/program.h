#pragma once

#include "lang/syntax.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The parsed program text: a tree of statements and expressions, and the
// findings of the checker. The language is described in docs/robot-language.md.
//
// Everything lives in two flat arrays of Program, referred to by index, so
// that neither building, walking nor destroying a tree nested 100,000 deep
// needs recursion:
// - Program::statements holds every statement; a block's body is a list of
//   indices into it. Program::body is the main body between "start" and "end".
// - Program::exprs holds every expression node. The nodes of one expression
//   are contiguous and in postfix order (operands before their operator), and
//   each node knows where its subtree starts (Expr::first). Evaluating
//   exprs[e.first .. e] left to right with a value stack computes node e.
namespace talvex::lang {

using ExprId = int32_t;
using StmtId = int32_t;
constexpr int32_t kNone = -1;

enum class Severity { Error, Warning };

// What a finding is about; Structure findings are the brace and else pairing
// that the canvas marks on blocks.
enum class FindingKind { Frame, Structure, Syntax, Value };

struct Finding {
    int line;   // 1-based
    int column; // 1-based, in characters
    Severity severity;
    FindingKind kind;
    std::string message; // GBK
};

enum class Op {
    // unary
    Neg,
    Plus,
    Not,
    BitNot,
    // binary, in C's precedence groups from high to low
    Mul,
    Div,
    Mod,
    Add,
    Sub,
    Shl,
    Shr,
    Lt,
    Le,
    Gt,
    Ge,
    Eq,
    Ne,
    BitAnd,
    BitXor,
    BitOr,
    And,
    Or,
};

enum class ExprKind {
    Number,   // value
    Variable, // variable 0..25 ("a".."z")
    Sensor,   // sensor, unit
    Unary,    // op, lhs
    Binary,   // op, lhs, rhs
};

struct Expr {
    ExprKind kind;
    Op op = Op::Plus;
    int32_t value = 0;    // Number: the literal (0..32768; 32768 only under a minus)
    int32_t variable = 0; // Variable: 0 for "a" .. 25 for "z"
    Sensor sensor = Sensor::Pin;
    int unit = 0;         // Sensor: port, input or channel number
    ExprId lhs = kNone;   // Unary: operand; Binary: left operand
    ExprId rhs = kNone;   // Binary: right operand
    ExprId first = kNone; // the first node of this subtree
    int line = 0;
    int column = 0;      // of the literal, name or operator
    int startColumn = 0; // where the subtree's text starts (inside any parentheses)
};

enum class StmtKind {
    Empty,   // ";"
    Assign,  // variable "=" value ";"
    Command, // a device statement, see syntax.h
    Loop,    // loop(N) { body }: one branch, expr = N
    LimLoop, // lim_loop { body }: one branch, expr = kNone
    While,   // while(B) { body }: one branch, expr = B
    If,      // if(B) {..} else if(B) {..} ... else {..}: one branch per part
};

struct Branch {
    ExprId expr = kNone;  // condition or count; kNone for else, lim_loop or a malformed head
    std::string exprText; // the bytes between the head's parentheses, as written
    std::vector<StmtId> body;
    int headLine = 0;    // "if(..)", "else if(..)", "else", "loop(..)" ...
    int openLine = 0;    // its "{"; 0 when missing
    int closeLine = 0;   // its "}"; 0 when missing
    bool isElse = false; // an "else" part (expr is then kNone)
};

struct Statement {
    StmtKind kind = StmtKind::Empty;
    int line = 0; // Empty, Assign, Command: the statement's line; blocks: the first head line
    int column = 0;
    std::string text; // simple statements: their bytes without ";" (e.g. "a=a+1", "fd(20)")

    // Assign
    int32_t variable = 0;
    ExprId value = kNone;

    // Command
    Command command = Command::Stx;
    int unit = 0;             // port for ddr and port
    std::vector<ExprId> args; // integer arguments, in order
    std::string notes;        // play: the text between the quotes
    int notesColumn = 0;      // play: the column of the first note

    // Loop, LimLoop, While, If
    std::vector<Branch> branches;
};

struct Program {
    std::vector<Statement> statements;
    std::vector<Expr> exprs;
    std::vector<StmtId> body;      // the statements between "start" and "end", in order
    std::vector<Finding> findings; // sorted by line, then column
    int lineCount = 0;

    int ErrorCount() const;
    int WarningCount() const;
};

// Parses and checks a whole program text (GBK bytes, any line breaks). Never
// fails: whatever the text holds, the result is a tree of what could be read
// and the findings about the rest.
Program ParseProgram(std::string_view text);

// Integer arithmetic of the robot: 16-bit two's complement, wrapping;
// division and remainder by 0 give 0; comparisons and logic give 0 or 1.
int32_t Wrap(int64_t value);
int32_t ApplyUnary(Op op, int32_t value);
int32_t ApplyBinary(Op op, int32_t left, int32_t right);

// "错误" or "警告", GBK.
const std::string& SeverityText(Severity severity);

} // namespace talvex::lang
