#pragma once
// libpng's own memory during one decode (its structures, row buffers, the
// inflate window, chunk data), apart from the pixels a PngTarget provides.
// Counted so that no file, however it is built, can make libpng take more than
// a fixed amount, and so that tests can see what a decode took.

#include <cstddef>

// The widest image allowed needs a few hundred KiB of this: two rows of at most
// 16383 × 8 bytes, gamma tables, the 32 KiB inflate window and the structures.
constexpr size_t kPngMaxWorkingBytes = size_t{8} << 20;

class PngWorkingMemory {
public:
    explicit PngWorkingMemory(size_t limit = kPngMaxWorkingBytes) : limit_(limit) {}
    PngWorkingMemory(const PngWorkingMemory&) = delete;
    PngWorkingMemory& operator=(const PngWorkingMemory&) = delete;

    // Null when the block would take the bytes in use past the limit, or when
    // the heap has no such block.
    void* Allocate(size_t bytes);
    // Takes back a block of Allocate; null is ignored.
    void Free(void* block);

    size_t InUse() const { return inUse_; }
    size_t Peak() const { return peak_; }

private:
    size_t limit_;
    size_t inUse_ = 0;
    size_t peak_ = 0;
};
