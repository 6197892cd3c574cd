#include "render/png_working_memory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Each block carries its size in front of it, padded so that the part handed
// out keeps the alignment malloc gives.
constexpr size_t kHeaderBytes = std::max(alignof(std::max_align_t), sizeof(size_t));

}  // namespace

void* PngWorkingMemory::Allocate(size_t bytes) {
    if (bytes > limit_ - inUse_ || bytes > SIZE_MAX - kHeaderBytes)
        return nullptr;
    auto* raw = static_cast<unsigned char*>(std::malloc(kHeaderBytes + bytes));
    if (!raw)
        return nullptr;
    std::memcpy(raw, &bytes, sizeof bytes);
    inUse_ += bytes;
    peak_ = std::max(peak_, inUse_);
    return raw + kHeaderBytes;
}

void PngWorkingMemory::Free(void* block) {
    if (!block)
        return;
    unsigned char* raw = static_cast<unsigned char*>(block) - kHeaderBytes;
    size_t bytes = 0;
    std::memcpy(&bytes, raw, sizeof bytes);
    inUse_ -= bytes;
    std::free(raw);
}
