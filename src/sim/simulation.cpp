#include "sim/simulation.h"

#include "model/gbk.h"

#include <algorithm>
#include <cmath>

namespace talvex::sim {

using lang::Command;

namespace {

constexpr double kPhysicsStepS = static_cast<double>(kPhysicsStepUs) / 1e6;
constexpr int64_t kTimeUnitUs = int64_t{lang::kTimeUnitMs} * kUsPerMs;

// Semitones of the scale degrees 1..7 above the octave's 1.
constexpr int kScaleSemitones[7] = {0, 2, 4, 5, 7, 9, 11};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string FirstErrorOf(const lang::Program& program)
{
    for (const lang::Finding& finding : program.findings) {
        if (finding.severity == lang::Severity::Error)
            return Gbk("第" + std::to_string(finding.line) + "行: ") + finding.message;
    }
    return {};
}

} // namespace

double NotePitchHz(char pitch, int key)
{
    const int p = HexDigit(pitch);
    if (p < 0)
        return -1;
    if (p == 0)
        return 0;
    const int button = p + std::clamp(key, 0, 7);
    const int octave = (button - 1) / 7 - (kMiddleCButton - 1) / 7;
    const int semitones = 12 * octave + kScaleSemitones[(button - 1) % 7];
    return kMiddleCHz * std::pow(2.0, semitones / 12.0);
}

int NoteDurationMs(char duration)
{
    const int d = HexDigit(duration);
    return d >= 1 && d <= 8 ? d * kQuarterBeatMs : -1;
}

Simulation::Simulation(std::string_view programText, Arena arena, RunOptions options)
    : m_program(std::make_unique<lang::Program>(lang::ParseProgram(programText))), m_arena(std::move(arena)),
      m_options(std::move(options))
{
    std::sort(m_options.clapsMs.begin(), m_options.clapsMs.end());
    m_firstError = FirstErrorOf(*m_program);
    m_interpreter = std::make_unique<Interpreter>(
        *m_program, [this](lang::Sensor sensor, int unit) { return ReadSensor(sensor, unit); });
    m_body.Reset(m_arena.start);
    m_body.UpdateSwitches(m_arena);
}

void Simulation::SetSink(RecordSink sink)
{
    m_sink = std::move(sink);
}

int Simulation::ReadAdc(int channel) const
{
    if (channel >= 0 && channel < kFloorSensorCount)
        return m_body.FloorSensor(m_arena, channel);
    return kUnwiredAdcValue;
}

int Simulation::ReadPin(int port) const
{
    if (port < 0 || port >= kPortCount)
        return 0;
    int wired = 0;
    if (port == kSwitchPort)
        wired = m_body.Switches() & ((1 << kSwitchCount) - 1);
    const int ddr = m_outputs.ddr[port];
    return ((m_outputs.port[port] & ddr) | (wired & ~ddr)) & 0xFF;
}

int32_t Simulation::ReadSensor(lang::Sensor sensor, int unit)
{
    switch (sensor) {
    case lang::Sensor::Pin:
        return ReadPin(unit);
    case lang::Sensor::Pc:
        return unit >= 0 && unit < kSwitchCount && (m_body.Switches() & (1 << unit)) ? kSwitchPressed : kSwitchReleased;
    case lang::Sensor::Mic:
        return m_lastClapUs >= 0 && m_nowUs - m_lastClapUs < kClapHoldMs * kUsPerMs ? 1 : 0;
    case lang::Sensor::Pcx:
        return kSwitchReleased;
    case lang::Sensor::Adc:
        return ReadAdc(unit);
    }
    return 0;
}

bool Simulation::StateChanged() const
{
    if (m_outputs.led != m_last.leds || m_body.LeftMotor() != m_last.motorLeft ||
        m_body.RightMotor() != m_last.motorRight || m_body.Switches() != m_last.switches ||
        m_outputs.servoSpeed != m_last.servoSpeed)
        return true;
    for (int i = 0; i < kPortCount; ++i) {
        if (m_outputs.ddr[i] != m_last.ddr[i] || m_outputs.port[i] != m_last.port[i])
            return true;
    }
    for (int i = 0; i < kServoCount; ++i) {
        if (m_outputs.servoTarget[i] != m_last.servos[i])
            return true;
    }
    return false;
}

void Simulation::Emit(TraceRecord::Event event, TraceRecord record)
{
    record.event = event;
    record.timeUs = m_nowUs;
    record.pose = m_body.GetPose();
    record.leds = m_outputs.led;
    record.line = m_line;
    record.motorLeft = m_body.LeftMotor();
    record.motorRight = m_body.RightMotor();
    record.switches = m_body.Switches();
    std::copy(std::begin(m_outputs.ddr), std::end(m_outputs.ddr), record.ddr);
    std::copy(std::begin(m_outputs.port), std::end(m_outputs.port), record.port);
    for (int i = 0; i < kPortCount; ++i)
        record.pin[i] = ReadPin(i);
    std::copy(std::begin(m_outputs.servoTarget), std::end(m_outputs.servoTarget), record.servos);
    record.servoSpeed = m_outputs.servoSpeed;
    m_last = record;
    if (m_sink)
        m_sink(m_last);
}

void Simulation::Start()
{
    if (m_started)
        return;
    m_started = true;
    Emit(TraceRecord::Event::kNone);
    if (HasProgramErrors()) {
        m_errorMessage = m_firstError;
        TraceRecord record;
        record.message = m_firstError;
        Emit(TraceRecord::Event::kError, record);
        Finish("error");
    }
}

void Simulation::Finish(const std::string& reason)
{
    m_ended = true;
    m_endReason = reason;
    m_busyUntilUs = m_nowUs;
    m_completion = Completion::kNone;
    if (reason == "end")
        m_body.SetMotors(0, 0); // the robot stops its motors at "end"
    TraceRecord record;
    record.reason = reason;
    Emit(TraceRecord::Event::kEnd, record);
}

void Simulation::AdvancePhysics(int64_t targetUs)
{
    while (m_physicsUs + kPhysicsStepUs <= targetUs) {
        m_physicsUs += kPhysicsStepUs;
        const int before = m_body.Switches();
        m_body.Step(m_arena, kPhysicsStepS);
        for (int i = 0; i < kServoCount; ++i) {
            const double target = m_outputs.servoTarget[i] * kServoDegreesPerPosition;
            const double most = m_outputs.servoSpeed * kServoDegPerSPerSpeed * kPhysicsStepS;
            double& deg = m_outputs.servoDeg[i];
            deg += std::clamp(target - deg, -most, most);
        }
        if (m_body.Switches() != before) {
            m_nowUs = std::max(m_nowUs, m_physicsUs);
            const bool pressed = (m_body.Switches() & ~before) != 0;
            Emit(pressed ? TraceRecord::Event::kBump : TraceRecord::Event::kNone);
        }
    }
}

void Simulation::Advance(int64_t targetUs)
{
    Start();
    targetUs = std::min(targetUs, m_options.limitUs);
    while (!m_ended) {
        while (m_nextClap < m_options.clapsMs.size() && m_options.clapsMs[m_nextClap] * kUsPerMs <= m_nowUs) {
            ++m_nextClap;
            Clap();
        }
        if (m_nowUs >= m_options.limitUs) {
            Finish("time");
            return;
        }
        if (Busy()) {
            int64_t stop = std::min(m_busyUntilUs, targetUs);
            if (m_nextClap < m_options.clapsMs.size())
                stop = std::min(stop, m_options.clapsMs[m_nextClap] * kUsPerMs);
            if (stop <= m_nowUs)
                return;
            AdvancePhysics(stop);
            m_nowUs = stop;
            if (m_nowUs == m_busyUntilUs)
                Complete();
            continue;
        }
        if (m_nowUs >= targetUs)
            return;
        ExecuteOne();
    }
}

void Simulation::RunUntil(int64_t timeUs)
{
    Advance(timeUs);
}

void Simulation::RunToEnd()
{
    Advance(m_options.limitUs);
}

void Simulation::StepStatement()
{
    Start();
    if (m_ended)
        return;
    if (Busy() || m_completion != Completion::kNone)
        Advance(m_busyUntilUs);
    if (!m_ended && !Busy())
        ExecuteOne();
}

void Simulation::Clap()
{
    if (m_ended)
        return;
    m_lastClapUs = m_nowUs;
    Emit(TraceRecord::Event::kClap);
}

void Simulation::Complete()
{
    const Completion completion = m_completion;
    m_completion = Completion::kNone;
    if (completion == Completion::kStopWheels) {
        Drive(0, 0);
        if (StateChanged())
            Emit(TraceRecord::Event::kNone);
    } else if (completion == Completion::kNextNote) {
        StartNote();
    }
}

void Simulation::StartNote()
{
    if (m_nextNote + 2 > m_notes.size())
        return;
    const char pitch = m_notes[m_nextNote];
    const char duration = m_notes[m_nextNote + 1];
    m_nextNote += 2;
    const double hz = NotePitchHz(pitch, m_outputs.key);
    const int ms = NoteDurationMs(duration);
    if (hz < 0 || ms < 0) {
        m_errorMessage = Gbk("第" + std::to_string(m_line) + "行: 音符“") + pitch + duration + Gbk("”无效");
        TraceRecord record;
        record.message = m_errorMessage;
        Emit(TraceRecord::Event::kError, record);
        Finish("error");
        return;
    }
    TraceRecord record;
    record.note = std::string{pitch, duration};
    record.pitchHz = hz;
    record.durationMs = ms;
    m_busyUntilUs = std::max(m_busyUntilUs, m_nowUs) + ms * kUsPerMs;
    m_completion = Completion::kNextNote;
    Emit(TraceRecord::Event::kPlay, record);
}

void Simulation::ExecuteOne()
{
    const Action action = m_interpreter->Step();
    m_line = action.line;
    m_busyUntilUs = m_nowUs + kStatementCostUs;
    m_completion = Completion::kNone;
    switch (action.kind) {
    case Action::Kind::kEnd:
        m_line = 0;
        Finish("end");
        return;
    case Action::Kind::kError: {
        m_errorMessage = action.message;
        TraceRecord record;
        record.message = action.message;
        Emit(TraceRecord::Event::kError, record);
        Finish("error");
        return;
    }
    case Action::Kind::kCommand:
        Apply(action);
        break;
    case Action::Kind::kNone:
        break;
    }
    if (!m_ended && StateChanged())
        Emit(TraceRecord::Event::kNone);
}

void Simulation::Drive(int left, int right)
{
    m_body.SetMotors(left, right);
    m_motionDrives = true;
}

void Simulation::Apply(const Action& action)
{
    const int32_t* a = action.args;
    auto timed = [&](int left, int right) {
        Drive(left, right);
        m_busyUntilUs += a[0] * kTimeUnitUs;
        m_completion = Completion::kStopWheels;
    };
    switch (action.command) {
    case Command::Fdx:
        Drive(kDriveMotorValue, kDriveMotorValue);
        break;
    case Command::Bkx:
        Drive(-kDriveMotorValue, -kDriveMotorValue);
        break;
    case Command::Ltx:
        Drive(-kTurnMotorValue, kTurnMotorValue);
        break;
    case Command::Rtx:
        Drive(kTurnMotorValue, -kTurnMotorValue);
        break;
    case Command::Stx:
        if (m_motionDrives)
            Drive(0, 0);
        break;
    case Command::Fd:
        timed(kDriveMotorValue, kDriveMotorValue);
        break;
    case Command::Bk:
        timed(-kDriveMotorValue, -kDriveMotorValue);
        break;
    case Command::Lt:
        timed(-kTurnMotorValue, kTurnMotorValue);
        break;
    case Command::Rt:
        timed(kTurnMotorValue, -kTurnMotorValue);
        break;
    case Command::Motor:
        m_body.SetMotors(a[0], a[1]);
        m_motionDrives = false;
        break;
    case Command::Wait:
        m_busyUntilUs += a[0] * kTimeUnitUs;
        break;
    case Command::Key:
        m_outputs.key = a[0];
        break;
    case Command::Play:
        m_notes = action.notes ? *action.notes : std::string();
        m_nextNote = 0;
        StartNote();
        break;
    case Command::Led:
        m_outputs.led = a[0];
        break;
    case Command::Ddr:
        m_outputs.ddr[action.unit & 3] = a[0];
        break;
    case Command::Port:
        m_outputs.port[action.unit & 3] = a[0];
        break;
    case Command::Servo:
        for (int i = 0; i < kServoCount; ++i)
            m_outputs.servoTarget[i] = a[i];
        m_outputs.servoSpeed = a[5];
        break;
    case Command::Voice: {
        TraceRecord record;
        record.voiceIndex = a[0];
        if (a[0] >= 0 && static_cast<size_t>(a[0]) < m_options.phrases.size())
            record.voiceText = m_options.phrases[static_cast<size_t>(a[0])];
        m_outputs.voiceIndex = a[0];
        m_outputs.voiceText = record.voiceText;
        Emit(TraceRecord::Event::kVoice, record);
        break;
    }
    }
}

} // namespace talvex::sim
