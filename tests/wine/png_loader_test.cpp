#include "render/png_loader_win.h"

#include "render/pixel_rules.h"
#include "tools/png_write.h"
#include "win/bitmap_info_win.h"
#include "win/message_box_win.h"
#include "win/unique_handle.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes4 = std::array<uint8_t, 4>;

std::vector<std::string> shownMessages;

void RecordMessage(const char* text) {
    shownMessages.emplace_back(text);
}

// Six pixels: opaque, fully transparent, half transparent, in R, G, B, A.
const std::vector<uint8_t> kRgba = {
    255, 255, 255, 255, 10, 20, 30, 0, 200, 100, 50, 128, 0, 0, 0, 255, 1, 2, 3, 1, 90, 180, 45, 200,
};

class PngLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
        dir_ = std::string(temp) + "tavix_png_loader\\";
        CreateDirectoryA(dir_.c_str(), nullptr);
        shownMessages.clear();
        SetMessageBoxHook(RecordMessage);

        PngImage image;
        image.width = 3;
        image.height = 2;
        image.rows = kRgba;
        ASSERT_TRUE(WritePng(Path("face.png"), image));
    }
    void TearDown() override {
        SetMessageBoxHook(nullptr);
        for (const char* name : {"face.png", "cut.png", "photo.png"})
            DeleteFileA(Path(name).c_str());
        RemoveDirectoryA(dir_.c_str());
    }

    std::string Path(const char* name) const { return dir_ + name; }

    std::vector<char> Bytes(const char* name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void Store(const char* name, const std::vector<char>& bytes) const {
        std::ofstream(Path(name), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::string dir_;
};

// A device bitmap's pixels as 32-bit top-down B, G, R, A.
std::vector<Bytes4> ReadPixels(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info = TopDownBitmapInfo(width, height, 32);
    std::vector<Bytes4> pixels(static_cast<size_t>(width) * height);
    WindowDC screen(nullptr);
    EXPECT_EQ(height, GetDIBits(screen.get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS));
    return pixels;
}

TEST_F(PngLoaderTest, HandModeGivesPremultipliedSection) {
    void* bits = nullptr;
    UniqueBitmap section(LoadPNG(Path("face.png").c_str(), &bits));
    ASSERT_TRUE(section);
    ASSERT_NE(nullptr, bits);
    DIBSECTION dib{};
    ASSERT_EQ(static_cast<int>(sizeof(dib)), GetObjectA(section.get(), sizeof(dib), &dib));
    EXPECT_EQ(3, dib.dsBm.bmWidth);
    EXPECT_EQ(2, dib.dsBm.bmHeight);
    EXPECT_EQ(32, dib.dsBm.bmBitsPixel);
    EXPECT_EQ(bits, dib.dsBm.bmBits);

    const auto* pixels = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; i < 6; ++i) {
        uint8_t expected[4];
        PremultiplyPixel(&kRgba[i * 4], expected);
        EXPECT_EQ(0, memcmp(expected, pixels + i * 4, 4)) << "pixel " << i;
    }
    EXPECT_EQ((Bytes4{254, 254, 254, 255}), (Bytes4{pixels[0], pixels[1], pixels[2], pixels[3]}));
    EXPECT_EQ((Bytes4{0, 0, 0, 0}), (Bytes4{pixels[4], pixels[5], pixels[6], pixels[7]}));
    EXPECT_TRUE(shownMessages.empty());

    UniqueBitmap withoutOut(LoadPNG(Path("face.png").c_str(), nullptr));
    EXPECT_TRUE(withoutOut);
}

TEST_F(PngLoaderTest, BackgroundModeComposesOverCutColorAndFillsPlane) {
    const uint8_t cut[3] = {255, 0, 0};
    std::vector<uint8_t> plane;
    UniqueBitmap bitmap(LoadPNGBackground(Path("face.png").c_str(), plane, cut));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(OBJ_BITMAP, static_cast<int>(GetObjectType(bitmap.get())));
    DIBSECTION dib{};
    EXPECT_EQ(static_cast<int>(sizeof(BITMAP)), GetObjectA(bitmap.get(), sizeof(dib), &dib)) << "a device bitmap";

    EXPECT_EQ((std::vector<uint8_t>{255, 0, 128, 255, 1, 200}), plane);
    const std::vector<Bytes4> pixels = ReadPixels(bitmap.get(), 3, 2);
    for (size_t i = 0; i < 6; ++i) {
        uint8_t expected[4];
        CompositePixel(&kRgba[i * 4], cut, expected);
        // The alpha byte of a device bitmap carries nothing; the plane holds it.
        EXPECT_EQ(0, memcmp(expected, pixels[i].data(), 3)) << "pixel " << i;
    }
    EXPECT_EQ(0, pixels[1][0]);
    EXPECT_EQ(0, pixels[1][1]);
    EXPECT_EQ(255, pixels[1][2]) << "the transparent pixel is the cut color";
}

TEST_F(PngLoaderTest, BackgroundModeWithoutCutColorPremultiplies) {
    std::vector<uint8_t> plane;
    UniqueBitmap bitmap(LoadPNGBackground(Path("face.png").c_str(), plane, nullptr));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ((std::vector<uint8_t>{255, 0, 128, 255, 1, 200}), plane);
    const std::vector<Bytes4> pixels = ReadPixels(bitmap.get(), 3, 2);
    for (size_t i = 0; i < 6; ++i) {
        uint8_t expected[4];
        PremultiplyPixel(&kRgba[i * 4], expected);
        EXPECT_EQ(0, memcmp(expected, pixels[i].data(), 3)) << "pixel " << i;
    }
}

TEST_F(PngLoaderTest, FailuresGiveNullAndOnlyDamagedPngsSpeak) {
    std::vector<char> good = Bytes("face.png");
    ASSERT_GT(good.size(), 60u);
    Store("cut.png", std::vector<char>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)));
    Store("photo.png", {'\xFF', '\xD8', '\xFF', '\xE0', 0, 16, 'J', 'F', 'I', 'F', 0, 1});

    struct Case {
        const char* name;
        bool speaks;
    };
    const Case cases[] = {{"cut.png", true}, {"photo.png", false}, {"missing.png", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shownMessages.clear();
        void* bits = &shownMessages;
        EXPECT_EQ(nullptr, LoadPNG(Path(c.name).c_str(), &bits));
        EXPECT_EQ(static_cast<void*>(&shownMessages), bits) << "untouched on failure";
        std::vector<uint8_t> plane(7, 1);
        EXPECT_EQ(nullptr, LoadPNGBackground(Path(c.name).c_str(), plane, nullptr));
        EXPECT_TRUE(plane.empty());
        const std::vector<std::string> expected =
            c.speaks ? std::vector<std::string>{"PNG error!", "PNG error!"} : std::vector<std::string>{};
        EXPECT_EQ(expected, shownMessages);
    }
    EXPECT_EQ(nullptr, LoadPNG(nullptr, nullptr));
}

}  // namespace
