#include "app/benchmark_switch.h"

#include <gtest/gtest.h>

TEST(BenchmarkSwitch, OnlyTheExactSwitchCounts) {
    struct Case {
        const char* tail;
        BenchmarkMode mode;
    } cases[] = {
        {"-benchmark", BenchmarkMode::Frames},
        {"-bench2", BenchmarkMode::Ticks},
        {" -benchmark", BenchmarkMode::None},
        {"-benchmark ", BenchmarkMode::None},
        {"-bench2 \t", BenchmarkMode::None},
        {"", BenchmarkMode::None},
        {"   ", BenchmarkMode::None},
        {"-BENCHMARK", BenchmarkMode::None},
        {"-Bench2", BenchmarkMode::None},
        {"-benchmark x", BenchmarkMode::None},
        {"-benchmark -bench2", BenchmarkMode::None},
        {"-bench", BenchmarkMode::None},
        {"/benchmark", BenchmarkMode::None},
        {"\"-benchmark\"", BenchmarkMode::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseBenchmarkSwitch(c.tail), c.mode) << '[' << c.tail << ']';
}

TEST(BenchmarkSwitch, ResultMessage) {
    EXPECT_EQ(FormatBenchmarkResult(4000), "500.000000 fps - 2000 times in 4.000000 s");
    EXPECT_EQ(FormatBenchmarkResult(250, 100), "400.000000 fps - 100 times in 0.250000 s");
    // Faster than the tick counter can tell: counted as one millisecond.
    EXPECT_EQ(FormatBenchmarkResult(0), "2000000.000000 fps - 2000 times in 0.001000 s");
    EXPECT_EQ(FormatBenchmarkResult(UINT32_MAX), "0.000466 fps - 2000 times in 4294967.295000 s");
}
