// The per-frame pixel kernels, each timed next to a memcpy of the same bytes in
// the same run. Each iteration times a batch of copies and then a batch of
// kernel calls, so that the clock's own cost vanishes even for buffers of a few
// kilobytes. The counter "x_memcpy" is the kernel's time over the copy's; the
// frame budget allows 4 for the halving reduction, 8 for the turned hand and 3
// for the alpha merge.
#include "render/alpha_merge.h"
#include "render/hand_rotation.h"
#include "render/pixel_rules.h"
#include "render/smooth_shrink.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::vector<uint8_t> Noise(size_t bytes) {
    std::vector<uint8_t> data(bytes);
    uint32_t seed = 12345;
    for (auto& b : data) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(seed >> 24);
    }
    return data;
}

// Calls per batch: enough bytes that a batch of copies takes some microseconds.
int BatchFor(size_t bytes) {
    return static_cast<int>(std::clamp<size_t>((size_t(4) << 20) / std::max<size_t>(bytes, 1), 1, 1000));
}

// The benchmark's time is that of a batch; the counters give a call's.
template <typename Copy, typename Kernel>
void AgainstMemcpy(benchmark::State& state, size_t copiedBytes, Copy copy, Kernel kernel) {
    const int batch = BatchFor(copiedBytes);
    double copySeconds = 0;
    double kernelSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        for (int i = 0; i < batch; ++i) {
            copy();
            benchmark::ClobberMemory();
        }
        const auto t1 = Clock::now();
        for (int i = 0; i < batch; ++i) {
            kernel();
            benchmark::ClobberMemory();
        }
        const auto t2 = Clock::now();
        const double k = std::chrono::duration<double>(t2 - t1).count();
        copySeconds += std::chrono::duration<double>(t1 - t0).count();
        kernelSeconds += k;
        state.SetIterationTime(k);
    }
    const double calls = static_cast<double>(state.iterations()) * batch;
    state.counters["kernel_us"] = kernelSeconds / calls * 1e6;
    state.counters["memcpy_us"] = copySeconds / calls * 1e6;
    state.counters["x_memcpy"] = copySeconds > 0 ? kernelSeconds / copySeconds : 0;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * batch * copiedBytes));
}

// The reduction of a frame drawn at twice the size: 600 x 600 to 300 x 300, and
// the work size one pixel larger, which takes the general walk.
void BM_KernelAreaAverage(benchmark::State& state) {
    const int srcSide = static_cast<int>(state.range(0));
    const int dstSide = 300;
    ReductionBuffers buffers;
    if (!buffers.Prepare(srcSide, srcSide, dstSide, dstSide)) {
        state.SkipWithError("buffers");
        return;
    }
    buffers.Source().pixels = Noise(buffers.Source().pixels.size());
    std::vector<uint8_t> copyTarget(buffers.Source().pixels.size());
    const Picture24& src = buffers.Source();
    AgainstMemcpy(
        state, src.pixels.size(), [&] { std::memcpy(copyTarget.data(), src.data(), src.pixels.size()); },
        [&] { buffers.Reduce(); });
}
BENCHMARK(BM_KernelAreaAverage)->Arg(600)->Arg(601)->UseManualTime();

// A hand of width x 20 (200, and 400 as a hand doubled for the smooth
// reduction) at an angle in milliradians; the copy is of the turned bitmap.
void BM_KernelTurnHand(benchmark::State& state) {
    const double angle = static_cast<double>(state.range(1)) / 1000.0;
    const int w = static_cast<int>(state.range(0));
    const int h = w / 10;
    const std::vector<uint8_t> bytes = Noise(size_t(w) * h * 4);
    std::vector<uint32_t> image(size_t(w) * h);
    std::memcpy(image.data(), bytes.data(), bytes.size());
    const TurnedBounds b = ComputeTurnedBounds(w, h, angle);
    std::vector<uint32_t> out(size_t(b.width) * b.height);
    std::vector<uint32_t> copySource(out.size(), 7);
    std::vector<uint32_t> copyTarget(out.size());
    const size_t bytesOut = out.size() * sizeof(uint32_t);
    AgainstMemcpy(
        state, bytesOut, [&] { std::memcpy(copyTarget.data(), copySource.data(), bytesOut); },
        [&] { FillTurnedImage(image.data(), w, h, angle, b, out.data()); });
}
BENCHMARK(BM_KernelTurnHand)
    ->ArgsProduct({{200, 400}, {0, 100, 300, 785, 1400, 1571, 2500, 3142, -1571, -2200}})
    ->UseManualTime();

// A hand that only touches the changed area is turned over the part of its
// box inside it: a 400 x 40 hand whole (0) or over the 64 x 64 corner of its box
// nearest the pivot (1). The copy is of the whole turned bitmap in both, so the
// counters compare the part with the whole.
void BM_KernelTurnHandPart(benchmark::State& state) {
    const double angle = static_cast<double>(state.range(1)) / 1000.0;
    const int w = 400;
    const int h = 40;
    const std::vector<uint8_t> bytes = Noise(size_t(w) * h * 4);
    std::vector<uint32_t> image(size_t(w) * h);
    std::memcpy(image.data(), bytes.data(), bytes.size());
    const TurnedBounds whole = ComputeTurnedBounds(w, h, angle);
    TurnedBounds part = whole;
    if (state.range(0) == 1) {
        // The image's origin (the pivot end) lies at box cell (-minX, -minY).
        part.width = std::min(64, whole.width);
        part.height = std::min(64, whole.height);
        part.minX = std::clamp(-32, whole.minX, whole.minX + whole.width - part.width);
        part.minY = std::clamp(-32, whole.minY, whole.minY + whole.height - part.height);
    }
    std::vector<uint32_t> out(size_t(part.width) * part.height);
    std::vector<uint32_t> copySource(size_t(whole.width) * whole.height, 7);
    std::vector<uint32_t> copyTarget(copySource.size());
    const size_t bytesWhole = copySource.size() * sizeof(uint32_t);
    AgainstMemcpy(
        state, bytesWhole, [&] { std::memcpy(copyTarget.data(), copySource.data(), bytesWhole); },
        [&] { FillTurnedImage(image.data(), w, h, angle, part, out.data()); });
}
BENCHMARK(BM_KernelTurnHandPart)->ArgsProduct({{0, 1}, {300, 785, 1571, 2500}})->UseManualTime();

// The per-frame merge of the opacity plane into a 300 x 300 frame.
void BM_KernelMergeAlphaPlane(benchmark::State& state) {
    const size_t count = 300 * 300;
    std::vector<uint8_t> frame = Noise(count * 4);
    const std::vector<uint8_t> plane = Noise(count);
    const std::vector<uint8_t> copySource = Noise(count * 4);
    std::vector<uint8_t> copyTarget(count * 4);
    AgainstMemcpy(
        state, frame.size(), [&] { std::memcpy(copyTarget.data(), copySource.data(), copySource.size()); },
        [&] { MergeAlphaPlaneInto(frame.data(), plane.data(), count); });
}
BENCHMARK(BM_KernelMergeAlphaPlane)->UseManualTime();

// Premultiplying a decoded 300 x 300 background in place (each call converts
// pixels converted before; the rule costs the same whatever the values).
void BM_KernelPremultiply(benchmark::State& state) {
    const size_t count = 300 * 300;
    std::vector<uint8_t> pixels = Noise(count * 4);
    const std::vector<uint8_t> copySource = Noise(count * 4);
    std::vector<uint8_t> copyTarget(count * 4);
    AgainstMemcpy(
        state, pixels.size(), [&] { std::memcpy(copyTarget.data(), copySource.data(), copySource.size()); },
        [&] { ConvertToPremultiplied(pixels.data(), count, nullptr); });
}
BENCHMARK(BM_KernelPremultiply)->UseManualTime();

}  // namespace
