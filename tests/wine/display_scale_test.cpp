// The clock moved to a monitor of another scale: WM_DPICHANGED rebuilds the
// face at the new DPI, the window takes the system's rectangle, and the
// plug-ins are told the new sizes.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/clock_window_win.h"
#include "core/settings_store.h"
#include "tests/wine/bare_clock_win.h"
#include "tests/wine/bitmap_file_win.h"
#include "tests/wine/test_app_win.h"
#include "tools/png_write.h"

namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 80;

std::string ExeFolder() {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, length);
    return full.substr(0, full.find_last_of('\\') + 1);
}

// A plain grey face, a 24-bit bitmap file.
void WriteFace(const std::string& path, int width = kWidth, int height = kHeight) {
    const int stride = BitmapStride24(width);
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * height, 0x80);
    WriteBitmapFile24(path, width, height, pixels);
}

class DisplayScaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheTestApp();
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        // A folder per test: an accepted plug-in stays loaded, so its file cannot be replaced.
        const std::string base = std::string(temp) + "tavix-dpi-test-" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(base.c_str(), nullptr);
        folder_ = base + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        ::CreateDirectoryA(folder_.c_str(), nullptr);
        WriteFace(folder_ + "face.bmp");
        std::ofstream(folder_ + "face.INI") << "[Settings]\nCenterX=50\nCenterY=40\nDateFontSize=10\n";
        log_ = folder_ + "calls.log";
        ::DeleteFileA(log_.c_str());
        ::SetEnvironmentVariableA("TAVIX_PLUGIN_LOG", log_.c_str());
        ASSERT_TRUE(
            ::CopyFileA((ExeFolder() + "test-plugins\\no_init.dll").c_str(), (folder_ + "dpi.dll").c_str(), FALSE));
        clock_ = std::make_unique<BareClock>();
        ASSERT_TRUE(clock_->CreateModeless(nullptr));
        MemoryStore store;
        store.WriteString("", "ActivePlugins", "dpi.dll|");
        clock_->MutablePlugins().LoadPlugins(folder_, store, clock_->Handle(), "english.lng");
        ClockSettings& s = clock_->MutableSettings();
        s.UseZoom = 0;
        s.ZoomValue = 100;
        s.AAMethod = 0;
        s.LimitWinPos = 0;
    }
    void TearDown() override {
        clock_.reset();
        ::SetEnvironmentVariableA("TAVIX_PLUGIN_LOG", nullptr);
    }

    // The arguments of the last OnSkinLoaded the plug-in saw.
    std::string LastSkin() const {
        std::ifstream in(log_);
        std::string line, last;
        while (std::getline(in, line))
            if (line.find(" OnSkinLoaded ") != std::string::npos)
                last = line;
        return last;
    }

    std::string folder_;
    std::string log_;
    std::unique_ptr<BareClock> clock_;
};

TEST_F(DisplayScaleTest, DpiChangeRebuildsTheFaceInTheSuggestedRectangle) {
    // The test prefix runs at 96 DPI: the face at its own size.
    ASSERT_TRUE(clock_->LoadPreset(folder_ + "face.bmp"));
    EXPECT_EQ(clock_->Preset()->WindowWidth(), kWidth);
    EXPECT_NE(LastSkin().find("work=100x80 "), std::string::npos) << LastSkin();

    struct Case {
        int dpi;
        uint8_t aaMethod;
        RECT suggested;
        const char* skin;  // what the plug-in is told
    } cases[] = {
        {144, 0, {30, 40, 180, 160}, "work=150x120 ampm=787878/15 date=787878/15 scale=150 center=75,60 "},
        {192, 1, {50, 20, 250, 180}, "work=400x320 ampm=787878/40 date=787878/40 scale=400 center=200,160 "},
        {96, 0, {0, 0, 100, 80}, "work=100x80 ampm=787878/10 date=787878/10 scale=100 center=50,40 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        clock_->MutableSettings().AAMethod = c.aaMethod;
        RECT suggested = c.suggested;
        ::SendMessageA(clock_->Handle(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT r = {};
        ASSERT_TRUE(::GetWindowRect(clock_->Handle(), &r));
        EXPECT_EQ(r.left, c.suggested.left);
        EXPECT_EQ(r.top, c.suggested.top);
        EXPECT_EQ(r.right, c.suggested.right);
        EXPECT_EQ(r.bottom, c.suggested.bottom);
        EXPECT_EQ(clock_->Preset()->WindowWidth(), c.suggested.right - c.suggested.left);
        EXPECT_NE(LastSkin().find(c.skin), std::string::npos) << LastSkin();
        // A reload for another reason (the options' zoom) keeps the new scale.
        ASSERT_TRUE(clock_->LoadPreset(folder_ + "face.bmp"));
        EXPECT_EQ(clock_->Preset()->WindowWidth(), c.suggested.right - c.suggested.left);
    }
}

TEST_F(DisplayScaleTest, DuringADragThePointUnderTheCursorStaysThere) {
    ASSERT_TRUE(clock_->LoadPreset(folder_ + "face.bmp"));
    ASSERT_TRUE(::SetCursorPos(300, 250));
    POINT cursor = {};
    ASSERT_TRUE(::GetCursorPos(&cursor));
    ::SendMessageA(clock_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 8));
    ASSERT_EQ(::GetCapture(), clock_->Handle()) << "the drag did not start";
    // The system's rectangle is where the window would go without the drag.
    RECT suggested = {0, 0, 2 * kWidth, 2 * kHeight};
    ::SendMessageA(clock_->Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT r = {};
    ASSERT_TRUE(::GetWindowRect(clock_->Handle(), &r));
    // The grabbed point (10, 8) is (20, 16) of the doubled face.
    EXPECT_EQ(r.left, cursor.x - 20);
    EXPECT_EQ(r.top, cursor.y - 16);
    EXPECT_EQ(r.right - r.left, 2 * kWidth);
    EXPECT_EQ(r.bottom - r.top, 2 * kHeight);
    ::SendMessageA(clock_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 16));
    EXPECT_NE(::GetCapture(), clock_->Handle());
}

TEST_F(DisplayScaleTest, FaceDrawnAtThreeTimesIsReducedToItsNominalSize) {
    WriteFace(folder_ + "large.bmp", 3 * kWidth, 3 * kHeight);
    std::ofstream(folder_ + "large.INI") << "[Settings]\nImageScale=300\nCenterX=150\nCenterY=120\n";
    ASSERT_TRUE(clock_->LoadPreset(folder_ + "large.bmp"));
    EXPECT_EQ(clock_->Preset()->WindowWidth(), kWidth);
    EXPECT_EQ(clock_->Preset()->WindowHeight(), kHeight);
    EXPECT_NE(LastSkin().find("work=100x80 ampm=787878/3 date=787878/4 scale=100 center=50,40 "), std::string::npos)
        << LastSkin();

    RECT suggested = {0, 0, 150, 120};
    ::SendMessageA(clock_->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(clock_->Preset()->WindowWidth(), 150);
    EXPECT_NE(LastSkin().find("work=150x120 ampm=787878/5 date=787878/6 scale=150 center=75,60 "), std::string::npos)
        << LastSkin();
}

TEST_F(DisplayScaleTest, ReducedFaceKeepsItsSoftEdges) {
    // One opaque column in three: reduced to a third, every pixel covers one
    // of them and is a third opaque. Sampling the nearest pixel would leave
    // fully opaque and fully clear columns.
    PngImage image;
    image.width = 3 * kWidth;
    image.height = 3 * kHeight;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            for (uint8_t byte : {uint8_t{200}, uint8_t{40}, uint8_t{40}, uint8_t(x % 3 == 1 ? 255 : 0)})
                image.rows.push_back(byte);
    ASSERT_TRUE(WritePng(folder_ + "soft.png", image));
    std::ofstream(folder_ + "soft.INI") << "[Settings]\nImageScale=300\n";
    ASSERT_TRUE(clock_->LoadPreset(folder_ + "soft.png"));
    const std::vector<uint8_t>& plane = clock_->Preset()->AlphaPlane();
    ASSERT_EQ(plane.size(), static_cast<size_t>(kWidth) * kHeight);
    int outside = 0;
    for (uint8_t alpha : plane)
        outside += alpha < 80 || alpha > 90;
    EXPECT_EQ(outside, 0);
}

}  // namespace
