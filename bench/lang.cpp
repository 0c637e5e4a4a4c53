// Parsing and checking a 10,000-line program text (goal: under 10 ms).

#include "lang/program.h"

#include <benchmark/benchmark.h>
#include <string>

namespace talvex {
namespace {

constexpr int kLines = 10000;

// A pupil's program: nested loops and conditions around device statements,
// sensor reads and arithmetic, one statement or brace per line.
std::string SampleProgram(int lines)
{
    static const char* const kChunk[] = {
        "loop(3)",
        "{",
        "fd(20);",
        "a=adc3();",
        "if(a>500 && b<2)",
        "{",
        "motor(-255,255);",
        "wait(100);",
        "}",
        "else if(pc0()==1)",
        "{",
        "b=(b+1)*2%7;",
        "servoe(0,9,18,9,9,3);",
        "}",
        "else",
        "{",
        "play(\"8481F8\");",
        "}",
        "/* a comment",
        "portb(255);",
        "}",
    };
    std::string text = "qzrobot\r\nstart\r\n";
    int n = 2;
    while (n + 22 < lines) {
        for (const char* line : kChunk) {
            text += line;
            text += "\r\n";
        }
        n += static_cast<int>(std::size(kChunk));
    }
    while (++n < lines)
        text += "a=a+1;\r\n";
    return text + "end\r\n";
}

void BM_ParseAndCheck(benchmark::State& state)
{
    const std::string text = SampleProgram(kLines);
    size_t findings = 0;
    for (auto _ : state) {
        lang::Program program = lang::ParseProgram(text);
        findings += program.findings.size();
        benchmark::DoNotOptimize(program);
    }
    if (findings != 0)
        state.SkipWithError("the sample program should check clean");
    state.counters["lines"] = kLines;
}
BENCHMARK(BM_ParseAndCheck)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace talvex
