// The premultiply runs on every decoded PNG; it should cost no more than a few
// copies of the same bytes.
#include "render/pixel_rules.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> Pixels(size_t count) {
    std::vector<uint8_t> pixels(count * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>(i * 37 + (i >> 9));
    return pixels;
}

void BM_Memcpy(benchmark::State& state) {
    const auto count = static_cast<size_t>(state.range(0));
    const std::vector<uint8_t> source = Pixels(count);
    std::vector<uint8_t> target(source.size());
    for (auto _ : state) {
        memcpy(target.data(), source.data(), source.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

void BM_ConvertToPremultiplied(benchmark::State& state) {
    const auto count = static_cast<size_t>(state.range(0));
    std::vector<uint8_t> pixels = Pixels(count);
    for (auto _ : state) {
        ConvertToPremultiplied(pixels.data(), count, nullptr);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pixels.size()));
}

void BM_ConvertToPremultipliedWithPlane(benchmark::State& state) {
    const auto count = static_cast<size_t>(state.range(0));
    std::vector<uint8_t> pixels = Pixels(count);
    std::vector<uint8_t> plane(count);
    for (auto _ : state) {
        ConvertToPremultiplied(pixels.data(), count, plane.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pixels.size()));
}

void BM_ConvertOverCutColor(benchmark::State& state) {
    const auto count = static_cast<size_t>(state.range(0));
    std::vector<uint8_t> pixels = Pixels(count);
    const uint8_t cut[3] = {255, 0, 0};
    for (auto _ : state) {
        ConvertOverCutColor(pixels.data(), count, cut, nullptr);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pixels.size()));
}

// A 240 × 240 and a 400 × 400 face, and a 1024 × 1024 picture.
BENCHMARK(BM_Memcpy)->Arg(240 * 240)->Arg(400 * 400)->Arg(1024 * 1024);
BENCHMARK(BM_ConvertToPremultiplied)->Arg(240 * 240)->Arg(400 * 400)->Arg(1024 * 1024);
BENCHMARK(BM_ConvertToPremultipliedWithPlane)->Arg(240 * 240)->Arg(400 * 400)->Arg(1024 * 1024);
BENCHMARK(BM_ConvertOverCutColor)->Arg(240 * 240)->Arg(400 * 400)->Arg(1024 * 1024);

}  // namespace
