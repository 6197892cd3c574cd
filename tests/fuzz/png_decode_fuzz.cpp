// Feeds arbitrary bytes to the PNG decoder, then both pixel conversions over
// whatever it decoded.
#include "render/pixel_rules.h"
#include "render/png_decoder.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Keeps each run small; larger claims are refused like a failed allocation.
constexpr size_t kMaxFuzzImageBytes = size_t{16} << 20;

class BoundedTarget : public PngTarget {
public:
    uint8_t* Allocate(int width, int height) override {
        if (width <= 0 || height <= 0)
            std::abort();
        const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
        if (bytes > kMaxFuzzImageBytes)
            return nullptr;
        pixels.assign(bytes, 0);
        return pixels.data();
    }
    std::vector<uint8_t> pixels;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BoundedTarget target;
    if (DecodePngMemory(data, size, target) != PngStatus::Ok)
        return 0;
    if (target.pixels.empty())
        std::abort();
    const size_t count = target.pixels.size() / 4;
    std::vector<uint8_t> alpha(count);
    std::vector<uint8_t> composited = target.pixels;
    ConvertToPremultiplied(target.pixels.data(), count, alpha.data());
    const uint8_t cut[3] = {size > 8 ? data[8] : uint8_t(255), size > 9 ? data[9] : uint8_t(0), 0};
    ConvertOverCutColor(composited.data(), count, cut, nullptr);
    for (size_t i = 0; i < count; ++i) {
        // Both rules keep alpha, and premultiplied color never exceeds it.
        const uint8_t* p = &target.pixels[i * 4];
        if (p[3] != alpha[i] || composited[i * 4 + 3] != alpha[i])
            std::abort();
        if (p[0] > p[3] || p[1] > p[3] || p[2] > p[3])
            std::abort();
    }
    return 0;
}
