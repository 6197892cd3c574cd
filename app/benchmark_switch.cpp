#include "app/benchmark_switch.h"

#include <cstdio>

BenchmarkMode ParseBenchmarkSwitch(const std::string& commandLineTail) {
    if (commandLineTail == "-benchmark")
        return BenchmarkMode::Frames;
    if (commandLineTail == "-bench2")
        return BenchmarkMode::Ticks;
    return BenchmarkMode::None;
}

std::string FormatBenchmarkResult(uint32_t elapsedMs, int frames) {
    const double seconds = (elapsedMs == 0 ? 1u : elapsedMs) / 1000.0;
    const double rate = frames / seconds;
    const char* format = "%f fps - %d times in %f s";
    const int length = std::snprintf(nullptr, 0, format, rate, frames, seconds);
    if (length < 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), format, rate, frames, seconds);
    text.resize(static_cast<size_t>(length));
    return text;
}
