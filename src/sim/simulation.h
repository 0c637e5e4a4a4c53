#pragma once

#include "lang/program.h"
#include "sim/arena.h"
#include "sim/interpreter.h"
#include "sim/robotbody.h"
#include "sim/simconstants.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace talvex::sim {

// What the program has set on the robot's outputs.
struct Outputs {
    int led = 7; // the led register: a 0 bit lights LED 0..2
    int ddr[kPortCount] = {};
    int port[kPortCount] = {};
    int servoTarget[kServoCount] = {kServoMiddle, kServoMiddle, kServoMiddle, kServoMiddle, kServoMiddle};
    double servoDeg[kServoCount] = {90, 90, 90, 90, 90};
    int servoSpeed = 1;
    int key = 0;
    int voiceIndex = -1; // the last phrase spoken
    std::string voiceText;
};

// One line of the trace: the state after a change, and what happened.
struct TraceRecord {
    enum class Event { kNone, kPlay, kVoice, kBump, kClap, kEnd, kError };
    int64_t timeUs = 0;
    Pose pose;
    int leds = 7;
    int line = 0;
    int motorLeft = 0;
    int motorRight = 0;
    int switches = 0;
    int ddr[kPortCount] = {};
    int port[kPortCount] = {};
    int pin[kPortCount] = {}; // what pina()..pind() read
    int servos[kServoCount] = {};
    int servoSpeed = 1;
    Event event = Event::kNone;
    // kPlay
    std::string note;
    double pitchHz = 0; // 0 for a rest
    int durationMs = 0;
    // kVoice
    int voiceIndex = 0;
    std::string voiceText; // GBK; empty when the phrase list has no such line
    // kEnd: "end", "time" or "error"; kError: the message (GBK)
    std::string reason;
    std::string message;
};

struct RunOptions {
    int64_t limitUs = int64_t{kDefaultRunSeconds} * 1000 * kUsPerMs;
    std::vector<int64_t> clapsMs;     // scheduled claps, any order
    std::vector<std::string> phrases; // the phrase list (GBK), line k naming phrase k
};

// A program running on the robot in an arena, on a virtual clock: the same
// text, arena and options always give the same run. The caller decides how
// far the clock goes; nothing here reads the wall clock.
class Simulation {
  public:
    using RecordSink = std::function<void(const TraceRecord&)>;

    Simulation(std::string_view programText, Arena arena, RunOptions options = {});
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // Receives every trace record as it happens, starting with the state at 0.
    void SetSink(RecordSink sink);

    // Whether the program text has errors; such a program never runs, and
    // the first error's message (GBK, naming its line) is FirstError().
    bool HasProgramErrors() const { return !m_firstError.empty(); }
    const std::string& FirstError() const { return m_firstError; }
    const lang::Program& GetProgram() const { return *m_program; }

    // Runs until the clock reaches the time (or the run ends).
    void RunUntil(int64_t timeUs);
    // Runs to the end or the time limit.
    void RunToEnd();
    // Finishes the statement in progress and runs the next one.
    void StepStatement();
    // A clap now.
    void Clap();

    bool Ended() const { return m_ended; }
    // "end", "time" or "error" once ended; the message of an error (GBK).
    const std::string& EndReason() const { return m_endReason; }
    const std::string& ErrorMessage() const { return m_errorMessage; }

    int64_t NowUs() const { return m_nowUs; }
    int64_t LimitUs() const { return m_options.limitUs; }
    const Arena& GetArena() const { return m_arena; }
    const RobotBody& Body() const { return m_body; }
    const Outputs& GetOutputs() const { return m_outputs; }
    // The line of the statement running now (0 before the start and at the end).
    int CurrentLine() const { return m_line; }
    int32_t Variable(int index) const { return m_interpreter->Variable(index); }
    int ReadAdc(int channel) const;
    int ReadPin(int port) const;

  private:
    enum class Completion { kNone, kStopWheels, kNextNote };

    void Start();
    bool Busy() const { return m_busyUntilUs > m_nowUs; }
    void Advance(int64_t targetUs);
    void AdvancePhysics(int64_t targetUs);
    void ExecuteOne();
    void Apply(const Action& action);
    void Drive(int left, int right);
    void StartNote();
    void Complete();
    void Finish(const std::string& reason);
    int32_t ReadSensor(lang::Sensor sensor, int unit);
    void Emit(TraceRecord::Event event, TraceRecord record = {});
    bool StateChanged() const;

    std::unique_ptr<lang::Program> m_program;
    std::unique_ptr<Interpreter> m_interpreter;
    Arena m_arena;
    RunOptions m_options;
    RecordSink m_sink;
    RobotBody m_body;
    Outputs m_outputs;
    std::string m_firstError;

    int64_t m_nowUs = 0;
    int64_t m_physicsUs = 0;
    int64_t m_busyUntilUs = 0;
    Completion m_completion = Completion::kNone;
    std::string m_notes;
    size_t m_nextNote = 0;
    size_t m_nextClap = 0;
    int64_t m_lastClapUs = -1;
    // Whether the wheels run by a motion statement (fdx .. rt), which stx()
    // stops, rather than by motor(), which it does not.
    bool m_motionDrives = false;
    bool m_started = false;
    bool m_ended = false;
    std::string m_endReason;
    std::string m_errorMessage;
    int m_line = 0;

    // The state of the last record, to see what changed.
    TraceRecord m_last;
    Outputs m_lastOutputs;
};

// The frequency of a note code's pitch character in a key (0..7); 0 for the
// rest, -1 when the character is not a pitch.
double NotePitchHz(char pitch, int key);
// The length of a note code's duration character; -1 when it is not one.
int NoteDurationMs(char duration);

} // namespace talvex::sim
