#include "model/gbk.h"
#include "sim/simconstants.h"
#include "sim/simulation.h"
#include "simprogram.h"

#include <gtest/gtest.h>

#include <cmath>

namespace talvex::sim {
namespace {

using testing::Framed;
using testing::Room;

constexpr double kDriveMmPerS = kFullSpeedMmPerS * kDriveMotorValue / kMaxMotorValue;
constexpr double kTurnDegPerS = 2 * kFullSpeedMmPerS * kTurnMotorValue / kMaxMotorValue / kWheelBaseMm * 180 / kPi;

struct RunResult {
    std::vector<TraceRecord> records;
    std::string endReason;
    std::string error; // UTF-8
};

RunResult RunProgram(Simulation& simulation)
{
    RunResult run;
    simulation.SetSink([&](const TraceRecord& record) { run.records.push_back(record); });
    simulation.RunToEnd();
    run.endReason = simulation.EndReason();
    run.error = FromGbk(simulation.ErrorMessage()).toStdString();
    return run;
}

std::vector<TraceRecord> EventsOf(const RunResult& run, TraceRecord::Event event)
{
    std::vector<TraceRecord> found;
    for (const TraceRecord& record : run.records) {
        if (record.event == event)
            found.push_back(record);
    }
    return found;
}

// The state a small program leaves the robot in, starting at (400, 750)
// facing +x in the room. NAN: not checked.
struct Case {
    const char* name;
    const char* body;
    double x;
    double y;
    double heading;
    int leds;
    char variable; // 0: none
    int value;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class ProgramStateTest : public ::testing::TestWithParam<Case> {};

TEST_P(ProgramStateTest, ReachesItsState)
{
    const Case& c = GetParam();
    RunOptions options;
    options.limitUs = 20 * 1000 * kUsPerMs;
    Simulation simulation(Framed(c.body), Room(), options);
    ASSERT_FALSE(simulation.HasProgramErrors()) << FromGbk(simulation.FirstError()).toStdString();
    const RunResult run = RunProgram(simulation);
    EXPECT_EQ(run.endReason, "end") << run.error;
    const Pose pose = simulation.Body().GetPose();
    if (!std::isnan(c.x)) {
        EXPECT_NEAR(pose.x, c.x, 0.5);
    }
    if (!std::isnan(c.y)) {
        EXPECT_NEAR(pose.y, c.y, 0.5);
    }
    if (!std::isnan(c.heading)) {
        EXPECT_NEAR(pose.headingDeg, c.heading, 0.1);
    }
    EXPECT_EQ(simulation.GetOutputs().led, c.leds);
    if (c.variable) {
        EXPECT_EQ(simulation.Variable(c.variable - 'a'), c.value);
    }
    ASSERT_FALSE(run.records.empty());
    EXPECT_EQ(run.records.back().event, TraceRecord::Event::kEnd);
}

const double kAny = NAN;

INSTANTIATE_TEST_SUITE_P(
    Table, ProgramStateTest,
    ::testing::Values(
        Case{"nothing", "", 400, 750, 0, 7, 0, 0},
        Case{"forward_one_second", "fd(100);", 400 + kDriveMmPerS, 750, 0, 7, 0, 0},
        Case{"backward_half_a_second", "bk(50);", 400 - kDriveMmPerS / 2, 750, 0, 7, 0, 0},
        Case{"left_turn_grows_the_heading", "lt(50);", 400, 750, kTurnDegPerS / 2, 7, 0, 0},
        Case{"right_turn", "rt(50);", 400, 750, 360 - kTurnDegPerS / 2, 7, 0, 0},
        Case{"untimed_drive_until_stx", "fdx();\nwait(100);\nstx();\nwait(100);", 400 + kDriveMmPerS, 750, 0, 7, 0, 0},
        Case{"motor_full_speed", "motor(255,255);\nwait(50);\nmotor(0,0);", 400 + kFullSpeedMmPerS / 2, 750, 0, 7, 0,
             0},
        Case{"turn_then_drive_goes_up", "lt(0);\nmotor(-100,100);\nwait(100);\nmotor(0,0);", 400, 750, kTurnDegPerS, 7,
             0, 0},
        Case{"leds", "led(5);", 400, 750, 0, 5, 0, 0},
        Case{"arithmetic_is_16_bit", "a=32767;\na=a+1;", kAny, kAny, kAny, 7, 'a', -32768},
        Case{"division_truncates", "a=-7/2;", kAny, kAny, kAny, 7, 'a', -3},
        Case{"remainder_keeps_the_sign", "a=-7%3;", kAny, kAny, kAny, 7, 'a', -1},
        Case{"precedence", "a=2+3*4-(1<<2);", kAny, kAny, kAny, 7, 'a', 10},
        Case{"logic", "a=(3>2)&&!(1==2)||0;", kAny, kAny, kAny, 7, 'a', 1},
        Case{"and_skips_its_right_side", "b=0;\na=b!=0&&10/b>1;", kAny, kAny, kAny, 7, 'a', 0},
        Case{"counted_loop", "loop(3)\n{\na=a+2;\n}", kAny, kAny, kAny, 7, 'a', 6},
        Case{"loop_of_zero", "loop(0)\n{\na=a+2;\n}", kAny, kAny, kAny, 7, 'a', 0},
        Case{"nested_loops", "loop(3)\n{\nloop(4)\n{\na=a+1;\n}\n}", kAny, kAny, kAny, 7, 'a', 12},
        Case{"while_loop", "while(a<5)\n{\na=a+1;\n}", kAny, kAny, kAny, 7, 'a', 5},
        Case{"if_taken", "a=3;\nif(a<5)\n{\nb=1;\n}\nelse\n{\nb=2;\n}", kAny, kAny, kAny, 7, 'b', 1},
        Case{"else_if_taken", "a=7;\nif(a<5)\n{\nb=1;\n}\nelse if(a<9)\n{\nb=2;\n}\nelse\n{\nb=3;\n}", kAny, kAny, kAny,
             7, 'b', 2},
        Case{"else_taken", "a=9;\nif(a<5)\n{\nb=1;\n}\nelse if(a<9)\n{\nb=2;\n}\nelse\n{\nb=3;\n}", kAny, kAny, kAny, 7,
             'b', 3},
        Case{"assignment", "a=1;", kAny, kAny, kAny, 7, 'a', 1},
        Case{"output_pins_read_back", "ddrb(15);\nportb(165);\na=pinb();", kAny, kAny, kAny, 7, 'a', 5},
        Case{"unpressed_switches_read_0", "a=pc2()+pinc();", kAny, kAny, kAny, 7, 'a', 0},
        Case{"floor_sensor_reads_the_floor", "a=adc1();", kAny, kAny, kAny, 7, 'a', 200},
        Case{"unwired_adc", "a=adc6();", kAny, kAny, kAny, 7, 'a', kUnwiredAdcValue},
        Case{"mic_without_a_clap", "a=mic();", kAny, kAny, kAny, 7, 'a', 0},
        Case{"arguments_are_clamped_at_run_time", "a=9;\nled(a);\nb=-50;\nfd(b);\nmotor(a*100,0-a*100);", 400, 750, 0,
             7, 0, 0},
        Case{"stx_stops_a_motion", "fdx();\nstx();\nwait(100);", 400, 750, 0, 7, 0, 0},
        Case{"stx_leaves_the_motors_running", "motor(255,255);\nstx();\nwait(50);", 400 + kFullSpeedMmPerS / 2, 750, 0,
             7, 0, 0},
        Case{"generated_comment_line_is_skipped", "/* a comment\na=4;   /* set a */", kAny, kAny, kAny, 7, 'a', 4}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(SimulationTest, TimePassesInTimedStatementsAndStatementCosts)
{
    Simulation simulation(Framed("a=1;\nwait(150);\nb=2;\nfd(20);"), Room());
    RunProgram(simulation);
    EXPECT_EQ(simulation.NowUs(), 4 * kStatementCostUs + 1700 * kUsPerMs);
}

TEST(SimulationTest, AnEndlessLoopStopsAtTheTimeLimit)
{
    for (const char* body : {"lim_loop\n{\n}", "lim_loop\n{\na=a+1;\n}", "while(1)\n{\nwait(1);\n}"}) {
        RunOptions options;
        options.limitUs = 2 * 1000 * kUsPerMs;
        Simulation simulation(Framed(body), Room(), options);
        const RunResult run = RunProgram(simulation);
        EXPECT_EQ(run.endReason, "time") << body;
        EXPECT_EQ(simulation.NowUs(), options.limitUs) << body;
        ASSERT_FALSE(run.records.empty());
        EXPECT_EQ(run.records.back().event, TraceRecord::Event::kEnd);
        EXPECT_EQ(run.records.back().timeUs, options.limitUs);
        EXPECT_EQ(run.records.back().reason, "time");
    }
}

TEST(SimulationTest, TheSameProgramGivesTheSameRun)
{
    const std::string text = Framed("lim_loop\n{\nfd(30);\nlt(40);\nled(a%8);\na=a+1;\n}");
    RunOptions options;
    options.limitUs = 30 * 1000 * kUsPerMs;
    options.clapsMs = {1234};
    Simulation first(text, Room(), options);
    Simulation second(text, Room(), options);
    const RunResult a = RunProgram(first);
    const RunResult b = RunProgram(second);
    ASSERT_EQ(a.records.size(), b.records.size());
    for (size_t i = 0; i < a.records.size(); ++i) {
        EXPECT_EQ(a.records[i].timeUs, b.records[i].timeUs);
        EXPECT_EQ(a.records[i].pose.x, b.records[i].pose.x);
        EXPECT_EQ(a.records[i].pose.headingDeg, b.records[i].pose.headingDeg);
    }
    // Running in slices, as the window does, changes nothing either.
    Simulation sliced(text, Room(), options);
    RunResult c;
    sliced.SetSink([&](const TraceRecord& record) { c.records.push_back(record); });
    for (int64_t t = 0; !sliced.Ended(); t += 16667)
        sliced.RunUntil(t);
    ASSERT_EQ(c.records.size(), a.records.size());
    for (size_t i = 0; i < a.records.size(); ++i) {
        EXPECT_EQ(c.records[i].timeUs, a.records[i].timeUs);
        EXPECT_EQ(c.records[i].pose.y, a.records[i].pose.y);
    }
}

TEST(SimulationTest, BumpingAWallStopsTheRobotAndSetsTheSwitch)
{
    // Full ahead to the east wall (face at 1980), then read the switches.
    Simulation simulation(Framed("fdx();\nwait(1000);\na=pc2();\nb=pc0()+pc1()+pc3()+pc4();\nc=pinc();"), Room());
    const RunResult run = RunProgram(simulation);
    const std::vector<TraceRecord> bumps = EventsOf(run, TraceRecord::Event::kBump);
    ASSERT_EQ(bumps.size(), 1u);
    EXPECT_EQ(bumps[0].switches, 1 << 2);
    EXPECT_EQ(bumps[0].pin[2], 1 << 2);
    EXPECT_EQ(bumps[0].line, 4);
    // The switch's lever reaches a little beyond the body.
    EXPECT_NEAR(bumps[0].pose.x, 1980 - kBodyRadiusMm - kSwitchReachMm, 0.5);
    const double distance = 1980 - kBodyRadiusMm - kSwitchReachMm - 400;
    EXPECT_NEAR(bumps[0].timeUs / 1000.0, distance / kDriveMmPerS * 1000, 2);
    EXPECT_NEAR(simulation.Body().GetPose().x, 1980 - kBodyRadiusMm, 0.5);
    EXPECT_EQ(simulation.Variable(0), 1);
    EXPECT_EQ(simulation.Variable(1), 0);
    EXPECT_EQ(simulation.Variable(2), 1 << 2);
}

TEST(SimulationTest, AProgramWithErrorsDoesNotRun)
{
    Simulation simulation(Framed("led(1);\nfd(;"), Room());
    EXPECT_TRUE(simulation.HasProgramErrors());
    const RunResult run = RunProgram(simulation);
    EXPECT_EQ(run.endReason, "error");
    EXPECT_NE(run.error.find("第4行"), std::string::npos) << run.error;
    EXPECT_EQ(simulation.GetOutputs().led, 7);
    EXPECT_EQ(simulation.NowUs(), 0);
}

TEST(SimulationTest, DivisionByZeroStopsTheRunNamingItsLine)
{
    for (const char* body : {"a=5;\nb=0;\na=a/b;", "a=5;\nb=0;\na=7%b;", "a=5;\nb=0;\nif(a/b>1)\n{\n}"}) {
        Simulation simulation(Framed(body), Room());
        ASSERT_FALSE(simulation.HasProgramErrors()) << body;
        const RunResult run = RunProgram(simulation);
        EXPECT_EQ(run.endReason, "error") << body;
        EXPECT_NE(run.error.find("第5行"), std::string::npos) << run.error;
        EXPECT_EQ(simulation.Variable(0), 5) << body;
    }
}

TEST(SimulationTest, MelodyNotesTakeTheirTime)
{
    Simulation simulation(Framed("key(2);\nplay(\"8404F1\");\na=1;"), Room());
    const RunResult run = RunProgram(simulation);
    const std::vector<TraceRecord> notes = EventsOf(run, TraceRecord::Event::kPlay);
    ASSERT_EQ(notes.size(), 3u);
    // Pitch 8 in range 2 is button 10: the middle octave's 3 (E4).
    EXPECT_EQ(notes[0].note, "84");
    EXPECT_NEAR(notes[0].pitchHz, 329.63, 0.05);
    EXPECT_EQ(notes[0].durationMs, 4 * kQuarterBeatMs);
    EXPECT_EQ(notes[1].pitchHz, 0);
    // F in range 2 is button 17: the high octave's 3 (E5).
    EXPECT_NEAR(notes[2].pitchHz, 659.26, 0.05);
    EXPECT_EQ(notes[2].durationMs, kQuarterBeatMs);
    // The statement's own cost comes before its first note ends.
    EXPECT_EQ(notes[1].timeUs - notes[0].timeUs, 4 * kQuarterBeatMs * kUsPerMs + kStatementCostUs);
    EXPECT_EQ(notes[2].timeUs - notes[1].timeUs, 4 * kQuarterBeatMs * kUsPerMs);
    EXPECT_EQ(simulation.NowUs(), notes[2].timeUs + kQuarterBeatMs * kUsPerMs + kStatementCostUs);
}

TEST(SimulationTest, VoiceTakesItsTextFromThePhraseList)
{
    RunOptions options;
    options.phrases = {Gbk("你好"), Gbk("前进")};
    Simulation simulation(Framed("voicex(1);\nvoicex(7);"), Room(), options);
    const RunResult run = RunProgram(simulation);
    const std::vector<TraceRecord> voices = EventsOf(run, TraceRecord::Event::kVoice);
    ASSERT_EQ(voices.size(), 2u);
    EXPECT_EQ(voices[0].voiceIndex, 1);
    EXPECT_EQ(voices[0].voiceText, Gbk("前进"));
    EXPECT_EQ(voices[1].voiceIndex, 7);
    EXPECT_EQ(voices[1].voiceText, "");
}

TEST(SimulationTest, TheMicrophoneHearsAClapForAMoment)
{
    RunOptions options;
    options.clapsMs = {500};
    // Wait for a clap, then light all LEDs; later the microphone is quiet again.
    Simulation simulation(Framed("while(mic()==0)\n{\nwait(1);\n}\nled(0);\nb=mic();\nwait(20);\na=mic();"), Room(),
                          options);
    const RunResult run = RunProgram(simulation);
    const std::vector<TraceRecord> claps = EventsOf(run, TraceRecord::Event::kClap);
    ASSERT_EQ(claps.size(), 1u);
    EXPECT_EQ(claps[0].timeUs, 500 * kUsPerMs);
    EXPECT_EQ(simulation.GetOutputs().led, 0);
    EXPECT_EQ(simulation.Variable(1), 1);
    EXPECT_EQ(simulation.Variable(0), 0);
    const auto lit =
        std::find_if(run.records.begin(), run.records.end(), [](const TraceRecord& r) { return r.leds == 0; });
    ASSERT_NE(lit, run.records.end());
    EXPECT_GE(lit->timeUs, 500 * kUsPerMs);
    EXPECT_LT(lit->timeUs, 520 * kUsPerMs);
}

TEST(SimulationTest, TheEndStopsTheMotors)
{
    Simulation simulation(Framed("motor(100,-100);\nwait(10);"), Room());
    const RunResult run = RunProgram(simulation);
    ASSERT_GE(run.records.size(), 2u);
    EXPECT_EQ(run.records[run.records.size() - 2].motorLeft, 100);
    EXPECT_EQ(run.records.back().motorLeft, 0);
    EXPECT_EQ(run.records.back().motorRight, 0);
    EXPECT_EQ(run.records.back().reason, "end");
}

TEST(SimulationTest, ServosMoveTowardsTheirTargetsAtTheirSpeed)
{
    Simulation simulation(Framed("servoe(18,0,9,9,9,3);\nwait(50);"), Room());
    RunProgram(simulation);
    const Outputs& outputs = simulation.GetOutputs();
    EXPECT_EQ(outputs.servoTarget[0], 18);
    EXPECT_EQ(outputs.servoSpeed, 3);
    // Half a second at 3 x 60 degrees a second: 90 degrees of the way.
    EXPECT_NEAR(outputs.servoDeg[0], 180, 0.5);
    EXPECT_NEAR(outputs.servoDeg[1], 0, 0.5);
    EXPECT_NEAR(outputs.servoDeg[2], 90, 1e-9);
}

TEST(SimulationTest, SteppingRunsOneStatementAtATime)
{
    Simulation simulation(Framed("a=1;\nwait(10);\nb=2;"), Room());
    simulation.StepStatement();
    EXPECT_EQ(simulation.CurrentLine(), 3);
    EXPECT_EQ(simulation.Variable(0), 1);
    simulation.StepStatement();
    EXPECT_EQ(simulation.CurrentLine(), 4);
    simulation.StepStatement();
    EXPECT_EQ(simulation.CurrentLine(), 5);
    EXPECT_EQ(simulation.Variable(1), 2);
    EXPECT_EQ(simulation.NowUs(), kStatementCostUs * 2 + 100 * kUsPerMs);
    simulation.StepStatement();
    simulation.StepStatement();
    EXPECT_TRUE(simulation.Ended());
    EXPECT_EQ(simulation.EndReason(), "end");
}

} // namespace
} // namespace talvex::sim
