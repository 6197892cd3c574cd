#include "render/png_decoder.h"

#include "render/png_working_memory.h"
#include "tools/png_write.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Rgba = std::array<uint8_t, 4>;

class VectorTarget : public PngTarget {
public:
    uint8_t* Allocate(int w, int h) override {
        ++allocations;
        width = w;
        height = h;
        pixels.assign(static_cast<size_t>(w) * h * 4, 0xCD);
        return pixels.data();
    }
    std::vector<Rgba> Pixels() const {
        std::vector<Rgba> out(pixels.size() / 4);
        for (size_t i = 0; i < out.size(); ++i)
            std::copy_n(&pixels[i * 4], 4, out[i].begin());
        return out;
    }
    int allocations = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

class RefusingTarget : public PngTarget {
public:
    uint8_t* Allocate(int, int) override { return nullptr; }
};

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Offsets in a file written by libpng: the signature, then IHDR.
constexpr size_t kIhdrData = 16;
constexpr size_t kIhdrCrc = kIhdrData + 13;

void PutBigEndian(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

// A valid file whose header claims another size, with its checksum repaired,
// so that only the size checks can refuse it.
std::vector<uint8_t> WithClaimedSize(std::vector<uint8_t> bytes, uint32_t width, uint32_t height) {
    PutBigEndian(bytes, kIhdrData, width);
    PutBigEndian(bytes, kIhdrData + 4, height);
    PutBigEndian(bytes, kIhdrCrc, static_cast<uint32_t>(crc32(0, &bytes[kIhdrData - 4], 17)));
    return bytes;
}

class PngDecoderTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tavix_png_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const PngImage& image) {
        const std::string path = (dir_ / name).string();
        EXPECT_TRUE(WritePng(path, image)) << name;
        return path;
    }

    fs::path dir_;
};

PngImage Image(int width, int height, int colorType, int bitDepth, std::vector<uint8_t> rows) {
    PngImage image;
    image.width = width;
    image.height = height;
    image.colorType = colorType;
    image.bitDepth = bitDepth;
    image.rows = std::move(rows);
    return image;
}

PngImage PaletteImage(std::vector<uint8_t> alpha) {
    PngImage image = Image(4, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2, 3});
    image.palette = {{255, 0, 0}, {0, 255, 0}, {10, 20, 30}, {200, 150, 100}};
    image.paletteAlpha = std::move(alpha);
    return image;
}

PngImage RgbWithTransparentColor() {
    PngImage image = Image(2, 1, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6});
    image.hasTransparentColor = true;
    image.transparentColor.red = 4;
    image.transparentColor.green = 5;
    image.transparentColor.blue = 6;
    return image;
}

PngImage GreyWithGamma() {
    PngImage image = Image(3, 1, PNG_COLOR_TYPE_GRAY, 8, {0, 128, 255});
    // Linear samples shown with screen gamma 2.2: 255 × (128 / 255)^(1 / 2.2) = 186.4.
    image.gamma = 1.0;
    return image;
}

TEST_F(PngDecoderTest, EveryFormatComesOutAsRgba) {
    struct Case {
        const char* name;
        PngImage image;
        std::vector<Rgba> expected;
    };
    const Case cases[] = {
        {"palette", PaletteImage({}), {{255, 0, 0, 255}, {0, 255, 0, 255}, {10, 20, 30, 255}, {200, 150, 100, 255}}},
        // Entries past the end of tRNS are opaque.
        {"palette_trns",
         PaletteImage({0, 128}),
         {{255, 0, 0, 0}, {0, 255, 0, 128}, {10, 20, 30, 255}, {200, 150, 100, 255}}},
        {"grey1",
         Image(8, 1, PNG_COLOR_TYPE_GRAY, 1, {0b10100000}),
         {{255, 255, 255, 255},
          {0, 0, 0, 255},
          {255, 255, 255, 255},
          {0, 0, 0, 255},
          {0, 0, 0, 255},
          {0, 0, 0, 255},
          {0, 0, 0, 255},
          {0, 0, 0, 255}}},
        {"grey2",
         Image(4, 1, PNG_COLOR_TYPE_GRAY, 2, {0b00011011}),
         {{0, 0, 0, 255}, {85, 85, 85, 255}, {170, 170, 170, 255}, {255, 255, 255, 255}}},
        {"grey4", Image(2, 1, PNG_COLOR_TYPE_GRAY, 4, {0x3F}), {{51, 51, 51, 255}, {255, 255, 255, 255}}},
        {"grey8",
         Image(3, 1, PNG_COLOR_TYPE_GRAY, 8, {0, 77, 255}),
         {{0, 0, 0, 255}, {77, 77, 77, 255}, {255, 255, 255, 255}}},
        {"grey_alpha",
         Image(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {90, 0, 200, 77}),
         {{90, 90, 90, 0}, {200, 200, 200, 77}}},
        // Sixteen-bit samples keep their high byte.
        {"rgb16",
         Image(2, 1, PNG_COLOR_TYPE_RGB, 16, {0x12, 0x34, 0xFF, 0xFF, 0x80, 0xFF, 0, 0, 0, 1, 0xAB, 0xCD}),
         {{0x12, 0xFF, 0x80, 255}, {0, 0, 0xAB, 255}}},
        {"rgb_trns", RgbWithTransparentColor(), {{1, 2, 3, 255}, {4, 5, 6, 0}}},
        {"rgba",
         Image(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {1, 2, 3, 4, 250, 251, 252, 253}),
         {{1, 2, 3, 4}, {250, 251, 252, 253}}},
        {"gamma", GreyWithGamma(), {{0, 0, 0, 255}, {186, 186, 186, 255}, {255, 255, 255, 255}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VectorTarget target;
        ASSERT_EQ(PngStatus::Ok, DecodePngFile(Write(std::string(c.name) + ".png", c.image), target));
        EXPECT_EQ(c.image.width, target.width);
        EXPECT_EQ(c.image.height, target.height);
        EXPECT_EQ(1, target.allocations);
        EXPECT_EQ(c.expected, target.Pixels());
    }
}

TEST_F(PngDecoderTest, InterlacedDecodesLikePlain) {
    // Odd sizes leave some Adam7 passes with partial or no pixels in a row.
    std::mt19937 random(7);
    PngImage plain = Image(13, 11, PNG_COLOR_TYPE_RGB_ALPHA, 8, {});
    plain.rows.resize(13 * 11 * 4);
    for (auto& b : plain.rows)
        b = static_cast<uint8_t>(random());
    PngImage interlaced = plain;
    interlaced.interlaced = true;

    VectorTarget fromPlain, fromInterlaced;
    ASSERT_EQ(PngStatus::Ok, DecodePngFile(Write("plain.png", plain), fromPlain));
    ASSERT_EQ(PngStatus::Ok, DecodePngFile(Write("interlaced.png", interlaced), fromInterlaced));
    EXPECT_EQ(plain.rows, fromPlain.pixels);
    EXPECT_EQ(plain.rows, fromInterlaced.pixels);
}

TEST_F(PngDecoderTest, MemoryDecodesLikeFile) {
    const std::string path = Write("palette.png", PaletteImage({0, 128}));
    const std::vector<uint8_t> bytes = ReadBytes(path);
    VectorTarget fromFile, fromMemory;
    ASSERT_EQ(PngStatus::Ok, DecodePngFile(path, fromFile));
    ASSERT_EQ(PngStatus::Ok, DecodePngMemory(bytes.data(), bytes.size(), fromMemory));
    EXPECT_EQ(fromFile.pixels, fromMemory.pixels);
}

TEST_F(PngDecoderTest, WhatIsNoPngIsNotPng) {
    const fs::path jpeg = dir_ / "photo.png";
    WriteBytes(jpeg, {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1});
    const fs::path tiny = dir_ / "tiny.png";
    WriteBytes(tiny, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A});

    for (const std::string& path :
         {std::string(), (dir_ / "missing.png").string(), jpeg.string(), tiny.string(), dir_.string()}) {
        VectorTarget target;
        EXPECT_EQ(PngStatus::NotPng, DecodePngFile(path, target)) << path;
        EXPECT_EQ(0, target.allocations);
    }
    VectorTarget target;
    EXPECT_EQ(PngStatus::NotPng, DecodePngMemory(nullptr, 0, target));
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_EQ(PngStatus::NotPng, DecodePngMemory(signature, 7, target));
}

TEST_F(PngDecoderTest, DamagedFilesAreDecodeErrors) {
    PngImage image = Image(32, 32, PNG_COLOR_TYPE_RGB, 8, {});
    image.rows.resize(32 * 32 * 3);
    std::mt19937 random(3);
    for (auto& b : image.rows)
        b = static_cast<uint8_t>(random());
    const std::vector<uint8_t> good = ReadBytes(Write("good.png", image));
    ASSERT_GT(good.size(), 200u);

    std::vector<uint8_t> badCrc = good;
    badCrc[good.size() / 2] ^= 0x40;  // inside the image data
    std::vector<uint8_t> badHeader = good;
    badHeader[kIhdrData + 9] = 7;  // color type 7 does not exist
    PutBigEndian(badHeader, kIhdrCrc, static_cast<uint32_t>(crc32(0, &badHeader[kIhdrData - 4], 17)));

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"signature only", {good.begin(), good.begin() + 8}},
        {"cut in the header", {good.begin(), good.begin() + 20}},
        {"cut in the image data", {good.begin(), good.begin() + good.size() / 2}},
        {"no end chunk", {good.begin(), good.end() - 12}},
        {"corrupt image data", badCrc},
        {"bad color type", badHeader},
    };
    for (const Case& c : cases) {
        VectorTarget fromMemory;
        EXPECT_EQ(PngStatus::DecodeError, DecodePngMemory(c.bytes.data(), c.bytes.size(), fromMemory)) << c.name;
        const fs::path path = dir_ / "damaged.png";
        WriteBytes(path, c.bytes);
        VectorTarget fromFile;
        EXPECT_EQ(PngStatus::DecodeError, DecodePngFile(path.string(), fromFile)) << c.name;
    }
}

TEST_F(PngDecoderTest, OversizedImagesAreRefusedBeforeAllocation) {
    const std::vector<uint8_t> small = ReadBytes(Write("small.png", Image(1, 1, PNG_COLOR_TYPE_GRAY, 8, {9})));
    struct Case {
        uint32_t width;
        uint32_t height;
    };
    const Case cases[] = {
        {20000, 1},    {kPngMaxWidth + 1, 1},    {16000, 5000},  // 320 MB of pixels
        {1, 80000000}, {0x7FFFFFFF, 0x7FFFFFFF},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> bytes = WithClaimedSize(small, c.width, c.height);
        VectorTarget target;
        EXPECT_EQ(PngStatus::DecodeError, DecodePngMemory(bytes.data(), bytes.size(), target))
            << c.width << " x " << c.height;
        EXPECT_EQ(0, target.allocations);
    }
    // The widest allowed image is still claimed honestly and only fails for lack of data.
    const std::vector<uint8_t> widest = WithClaimedSize(small, kPngMaxWidth, 1);
    VectorTarget target;
    EXPECT_EQ(PngStatus::DecodeError, DecodePngMemory(widest.data(), widest.size(), target));
    EXPECT_EQ(1, target.allocations);
}

void AppendChunk(std::vector<uint8_t>& bytes, const char* type, const std::vector<uint8_t>& data) {
    const size_t at = bytes.size();
    bytes.resize(at + 4);
    PutBigEndian(bytes, at, static_cast<uint32_t>(data.size()));
    bytes.insert(bytes.end(), type, type + 4);
    bytes.insert(bytes.end(), data.begin(), data.end());
    const uint32_t crc = static_cast<uint32_t>(crc32(0, &bytes[at + 4], static_cast<uInt>(4 + data.size())));
    bytes.resize(bytes.size() + 4);
    PutBigEndian(bytes, bytes.size() - 4, crc);
}

// The shape of libpng's own crasher files: a 1 × 1 header, a chunk that
// declares far more data than the file holds, and the end chunk.
std::vector<uint8_t> WithHugeChunk(const char* type, uint32_t declaredLength) {
    std::vector<uint8_t> bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    AppendChunk(bytes, "IHDR", {0, 0, 0, 1, 0, 0, 0, 1, 1, 3, 0, 0, 0});
    const size_t at = bytes.size();
    AppendChunk(bytes, type, {});
    PutBigEndian(bytes, at, declaredLength);
    AppendChunk(bytes, "IEND", {});
    return bytes;
}

TEST_F(PngDecoderTest, ChunksLongerThanTheFileAreNotAllocated) {
    // libpng reads these two whole into a zeroed buffer of the declared length;
    // the memory has no limit here so that only skipping them keeps it small.
    struct Case {
        const char* type;
        uint32_t declaredLength;
    };
    const Case cases[] = {{"pCAL", 0x3FFFFFFF}, {"pCAL", 0x7FFFFFFF}, {"sCAL", 0x3FFFFFFF}, {"sCAL", 0x7FFFFFFF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " declaring " << c.declaredLength << " bytes");
        const std::vector<uint8_t> bytes = WithHugeChunk(c.type, c.declaredLength);
        ASSERT_EQ(57u, bytes.size());
        PngWorkingMemory memory(SIZE_MAX);
        VectorTarget target;
        EXPECT_EQ(PngStatus::DecodeError, DecodePngMemory(bytes.data(), bytes.size(), target, memory));
        EXPECT_LT(memory.Peak(), size_t{64} << 10);
        EXPECT_EQ(0u, memory.InUse());
        EXPECT_EQ(0, target.allocations);
    }
}

TEST_F(PngDecoderTest, WorkingMemoryHasALimit) {
    // The most libpng needs for an image we allow: the widest, 16 bits per
    // sample with alpha, interlaced, with gamma.
    PngImage widest = Image(kPngMaxWidth, 2, PNG_COLOR_TYPE_RGB_ALPHA, 16, {});
    widest.rows.resize(size_t{kPngMaxWidth} * 2 * 8);
    std::mt19937 random(5);
    for (auto& b : widest.rows)
        b = static_cast<uint8_t>(random());
    widest.interlaced = true;
    widest.gamma = 0.5;
    const std::string path = Write("widest.png", widest);

    struct Case {
        size_t limit;
        PngStatus expected;
    };
    const Case cases[] = {{kPngMaxWorkingBytes, PngStatus::Ok}, {size_t{64} << 10, PngStatus::DecodeError}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "limit " << c.limit);
        PngWorkingMemory memory(c.limit);
        VectorTarget target;
        EXPECT_EQ(c.expected, DecodePngFile(path, target, memory));
        EXPECT_LE(memory.Peak(), c.limit);
        EXPECT_EQ(0u, memory.InUse());
    }
}

TEST_F(PngDecoderTest, RefusedAllocationIsDecodeError) {
    RefusingTarget target;
    EXPECT_EQ(PngStatus::DecodeError, DecodePngFile(Write("p.png", PaletteImage({})), target));
}

}  // namespace
