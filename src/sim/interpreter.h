#pragma once

#include "lang/program.h"
#include "lang/syntax.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace talvex::sim {

// What one step of the program asks of the robot.
struct Action {
    enum class Kind {
        kNone,    // a statement that only computes (assignment, loop head...)
        kCommand, // a device statement: command, unit, args, notes
        kEnd,     // the program has reached "end"
        kError,   // a run-time error: message
    };
    Kind kind = Kind::kNone;
    lang::Command command = lang::Command::Stx;
    int unit = 0;
    int32_t args[6] = {};
    int argCount = 0;
    const std::string* notes = nullptr; // play: the note codes
    int line = 0;                       // of the statement that ran
    std::string message;                // kError: GBK, naming the line
};

// Runs a parsed program one statement at a time, so that a caller can stop
// between any two statements and go on later. Blocks are frames on an
// explicit stack, not C++ recursion, and expressions are evaluated from
// their postfix form: nesting depth costs memory, never the call stack.
// Values follow the language's integer arithmetic (lang::ApplyBinary).
class Interpreter {
  public:
    // Reads a sensor; called while an expression is evaluated.
    using SensorReader = std::function<int32_t(lang::Sensor sensor, int unit)>;

    // The program must outlive the interpreter.
    Interpreter(const lang::Program& program, SensorReader reader);

    Action Step();

    // The line of the statement the next Step runs; 0 before the first and
    // after the end.
    int NextLine() const;
    bool Ended() const { return m_ended; }
    int32_t Variable(int index) const { return m_variables[static_cast<size_t>(index)]; }

  private:
    struct Frame {
        const std::vector<lang::StmtId>* body = nullptr;
        size_t next = 0;
        lang::StmtId owner = lang::kNone; // the block statement, kNone for the main body
        size_t branch = 0;                // which of the owner's branches body is
        int32_t remaining = 0;            // loop(N): passes still to run after this one
    };

    bool Evaluate(lang::ExprId expr, int32_t& value, std::string& error);
    Action RunStatement(lang::StmtId id);
    Action FinishBody();
    Action Enter(const lang::Statement& statement, size_t branch, int32_t remaining, int line);
    Action Fail(int line, const std::string& utf8Text);

    const lang::Program& m_program;
    SensorReader m_read;
    std::vector<Frame> m_frames;
    std::vector<int32_t> m_variables;
    std::vector<int32_t> m_stack;
    // For the left operand of each && and ||: the operator's node, so that
    // its right operand is skipped when the left one decides.
    std::vector<lang::ExprId> m_shortCircuit;
    bool m_ended = false;
};

} // namespace talvex::sim
