#pragma once
// The two command-line switches that run a drawing benchmark instead of the
// clock, and the message that reports its result.

#include <cstdint>
#include <string>

enum class BenchmarkMode { None, Frames, Ticks };

// "-benchmark" composes frames, "-bench2" runs whole ticks. The switch must be
// the whole command line after the program name (the platform hands it over
// without the blank that separates it from the name), case-sensitive: a blank
// after it, "-benchmark x" or "-BENCHMARK" start the clock.
BenchmarkMode ParseBenchmarkSwitch(const std::string& commandLineTail);

// "<rate> fps - <frames> times in <seconds> s". An elapsed time below the tick
// counter's resolution (0 ms) is counted as 1 ms, so the rate shown is a lower
// bound instead of an infinite or undefined number.
std::string FormatBenchmarkResult(uint32_t elapsedMs, int frames = 2000);
