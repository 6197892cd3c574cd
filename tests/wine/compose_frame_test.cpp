// The clock window's frame pipeline on a small preset of our own, checked on
// the finished frame bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/clock_window_win.h"
#include "core/language_table.h"
#include "core/settings_store.h"
#include "render/preset_settings.h"
#include "render/smooth_shrink_win.h"
#include "res/resource.h"
#include "tests/wine/bitmap_file_win.h"
#include "tests/wine/test_app_win.h"
#include "win/bitmap_info_win.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kSize = 101;

// Posted to the clock window: runs BareClock::onPosted where the message is dispatched.
constexpr UINT kRunPosted = WM_APP + 77;

// A clock window that skips the start-up sequence, so a test sets it up itself.
class BareClock : public CTavixDlg {
public:
    BareClock() : CTavixDlg(nullptr) {}
    using CTavixDlg::MutablePlugins;
    using CTavixDlg::MutableSettings;
    std::function<void()> onPosted;

protected:
    bool OnCreate() override { return true; }
    void OnDestroy() override {}
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override {
        if (message == kRunPosted && onPosted) {
            onPosted();
            result = 0;
            return true;
        }
        return CTavixDlg::HandleMessage(message, wParam, lParam, result);
    }
};

// The recorder builds (tests/plugins) lie in test-plugins\ beside this binary.
std::string BuiltPluginFolder() {
    char path[MAX_PATH];
    const std::string exe(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
    return exe.substr(0, exe.find_last_of('\\') + 1) + "test-plugins\\";
}

// The recorder's log: the event of each line, without the DLL's attach and detach.
std::vector<std::string> RecordedEvents(const std::string& log) {
    std::vector<std::string> events;
    std::ifstream in(log);
    std::string file, event, rest;
    while (in >> file >> event) {
        std::getline(in, rest);
        if (event != "attach" && event != "detach")
            events.push_back(event + rest);
    }
    return events;
}

std::string TempFolder() {
    char path[MAX_PATH];
    ::GetTempPathA(MAX_PATH, path);
    std::string folder = std::string(path) + "tavix-compose-test\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// A white square with the cut color in its corners, as a 24-bit bitmap file.
void WriteFace(const std::string& path) {
    const int stride = BitmapStride24(kSize);
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * kSize, 0xFF);
    // Rows are stored bottom-up: these are the top three.
    for (int y = kSize - 3; y < kSize; ++y)
        for (int x = 0; x < 3; ++x) {
            uint8_t* p = &pixels[static_cast<size_t>(y) * stride + x * 3];
            p[0] = 0;  // blue
            p[1] = 0;  // green, red stays 255
        }
    WriteBitmapFile24(path, kSize, kSize, pixels);
}

void WriteSettings(const std::string& path) {
    std::ofstream out(path);
    out << "[Settings]\n"
           "CenterX=50\nCenterY=50\n"
           "HourColor=255\nHourLength=30\nHourWidth=3\n"             // red
           "MinuteColor=65280\nMinuteLength=45\nMinuteWidth=3\n"     // green
           "SecondColor=16711680\nSecondLength=48\nSecondWidth=1\n"  // blue
           "AMPMCenterX=50\nAMPMCenterY=80\nAMPMFontSize=14\nAMPMColor=0\n";
}

class ComposeFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheTestApp();
        folder_ = TempFolder();
        WriteFace(folder_ + "face.bmp");
        WriteSettings(folder_ + "face.INI");
        LanguageTable& table = TheLanguageTable();
        table.Clear();
        table.Set(10, "AM");
        table.Set(11, "PM");
        table.Set(6, "merge failed");
        clock_ = std::make_unique<BareClock>();
        ASSERT_TRUE(clock_->CreateModeless(nullptr));
        Configure(0);
    }
    void TearDown() override { clock_.reset(); }

    void Configure(uint8_t aaMethod) {
        ClockSettings& s = clock_->MutableSettings();
        s.AAMethod = aaMethod;
        s.UseZoom = 0;
        s.ZoomValue = 100;
        s.ShowDate = 0;
        s.ShowAMPM = 0;
        s.UseSecondHand = 1;
        s.Alpha = 255;
        ASSERT_TRUE(clock_->LoadPreset(folder_ + "face.bmp"));
    }

    // The finished frame as 0x00RRGGBB values, rows from the top.
    std::vector<uint32_t> Frame() {
        const int w = clock_->Preset()->WindowWidth();
        const int h = clock_->Preset()->WindowHeight();
        std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
        BITMAPINFO info = TopDownBitmapInfo(w, h, 32);
        HDC screen = ::GetDC(nullptr);
        ::GetDIBits(screen, clock_->FrameBitmap(), 0, h, pixels.data(), &info, DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
        for (uint32_t& p : pixels)
            p &= 0xFFFFFF;
        return pixels;
    }

    static uint32_t At(const std::vector<uint32_t>& frame, int width, int x, int y) {
        return frame[static_cast<size_t>(y) * width + x];
    }

    std::string folder_;
    std::unique_ptr<BareClock> clock_;
};

TEST_F(ComposeFrameTest, HandsPointWhereTheTimeSays) {
    // The pivot is the preset center plus one.
    struct Case {
        uint16_t hour, minute, second;
        int32_t secondHand;
        int x, y;
        uint32_t color;  // 0x00RRGGBB
    } cases[] = {
        {3, 0, 30, 1, 51 + 25, 51, 0xFF0000},   // hour hand towards 3 o'clock
        {9, 0, 30, 1, 51 - 25, 51, 0xFF0000},   // towards 9 o'clock
        {15, 0, 30, 1, 51 + 25, 51, 0xFF0000},  // the afternoon is the same dial
        {3, 0, 0, 0, 51, 51 - 40, 0x00FF00},    // minute hand at 12
        {3, 30, 0, 0, 51, 51 + 40, 0x00FF00},   // minute hand at 6
        {0, 20, 15, 1, 51 + 46, 51, 0x0000FF},  // second hand at 3 o'clock (15 s), on top
    };
    for (const Case& c : cases) {
        clock_->MutableSettings().UseSecondHand = c.secondHand;
        clock_->ComposeFrame(c.hour, c.minute, c.second);
        const auto frame = Frame();
        EXPECT_EQ(At(frame, kSize, c.x, c.y), c.color) << c.hour << ":" << c.minute << ":" << c.second;
    }
}

TEST_F(ComposeFrameTest, SecondHandOnlyWhenShown) {
    clock_->MutableSettings().UseSecondHand = 0;
    clock_->ComposeFrame(0, 20, 15);
    EXPECT_EQ(At(Frame(), kSize, 51 + 46, 51), kWhite);
}

TEST_F(ComposeFrameTest, BackgroundStaysWhereNothingIsDrawn) {
    clock_->ComposeFrame(3, 0, 30);
    const auto frame = Frame();
    EXPECT_EQ(At(frame, kSize, 10, 90), kWhite);
    EXPECT_EQ(At(frame, kSize, 0, 0), 0xFF0000u) << "the cut color of the background is copied as it is";
}

TEST_F(ComposeFrameTest, AmPmMarkDependsOnTheHour) {
    clock_->MutableSettings().ShowAMPM = 1;
    clock_->ComposeFrame(11, 0, 0);
    const auto morning = Frame();
    clock_->ComposeFrame(12, 0, 0);
    const auto afternoon = Frame();
    int differing = 0;
    int dark = 0;
    for (int y = 70; y < 91; ++y)
        for (int x = 30; x < 71; ++x) {
            differing += At(morning, kSize, x, y) != At(afternoon, kSize, x, y);
            dark += At(morning, kSize, x, y) != kWhite;
        }
    EXPECT_GT(dark, 10) << "the mark is drawn around its center";
    EXPECT_GT(differing, 5) << "AM and PM differ";
}

TEST_F(ComposeFrameTest, ShortOrMissingMarksDrawWhatTheyHave) {
    clock_->MutableSettings().ShowAMPM = 1;
    TheLanguageTable().Set(10, "A");
    TheLanguageTable().Set(11, "");
    clock_->ComposeFrame(1, 0, 0);
    clock_->ComposeFrame(13, 0, 0);
    SUCCEED();
}

TEST_F(ComposeFrameTest, SmoothingReducesTheDoubleSizeFrame) {
    for (uint8_t method : {1, 2}) {
        Configure(method);
        EXPECT_EQ(clock_->Preset()->WorkWidth(), 2 * kSize);
        EXPECT_EQ(clock_->Preset()->WindowWidth(), kSize);
        clock_->ComposeFrame(3, 0, 30);
        const auto frame = Frame();
        const uint32_t pixel = At(frame, kSize, 51 + 25, 51);
        EXPECT_GT((pixel >> 16) & 0xFF, 0xC0u) << "method " << int(method);
        EXPECT_LT(pixel & 0xFF, 0x40u) << "method " << int(method);
        EXPECT_EQ(At(frame, kSize, 10, 90), kWhite) << "method " << int(method);
    }
}

TEST_F(ComposeFrameTest, ABitmapFaceOnALayeredWindowGoesOutWithItsShapeAsAlpha) {
    // Layered windows show no device bitmap with a constant opacity under Wine:
    // the face goes out as a section whose alpha is its cut-color shape, rows
    // from the top like the frame's.
    HWND window = ::CreateWindowExA(WS_EX_LAYERED, "STATIC", "", WS_POPUP, 0, 0, kSize, kSize, nullptr, nullptr,
                                    nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    for (SmoothingMethod method : {SmoothingMethod::None, SmoothingMethod::System, SmoothingMethod::Own}) {
        SCOPED_TRACE(static_cast<int>(method));
        PresetBuildOptions options;
        options.smoothing = method;
        options.layered = true;
        PresetBuildReport report;
        std::unique_ptr<LoadedPreset> preset;
        {
            WindowDC screen(nullptr);
            preset = BuildPreset(folder_ + "face.bmp", options, screen.get(), report);
        }
        ASSERT_TRUE(preset);
        ASSERT_TRUE(preset->HasAlphaSurface());
        FrameComposer composer;
        composer.Compose(*preset, FrameTime{3, 0, 30}, FrameOptions{}, nullptr);
        ASSERT_EQ(composer.PresentLayered(window, *preset, 200), FrameResult::Drawn);
        const uint8_t* bits = static_cast<const uint8_t*>(preset->AlphaDibBits());
        auto pixel = [bits](int x, int y) {
            const uint8_t* p = bits + 4 * (static_cast<size_t>(y) * kSize + x);
            return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
        };
        EXPECT_EQ(pixel(0, 0), 0u) << "the cut color is transparent black";
        EXPECT_EQ(pixel(2, 2), 0u);
        EXPECT_EQ(pixel(3, 0) >> 24, 255u) << "beside the cut color the face is opaque";
        EXPECT_EQ(pixel(0, 3) >> 24, 255u);
        EXPECT_EQ(pixel(10, 90), 0xFFFFFFFFu) << "the face keeps its color";
        EXPECT_EQ(pixel(90, 90), 0xFFFFFFFFu);
    }
    // Our own reduction left its cache at this size; the clock's next load frees it too.
    FreeReductionCache();
    ::DestroyWindow(window);
}

// A failed change of preset leaves the previous face drawing, hands and all.
TEST_F(ComposeFrameTest, FailedPresetLoadLeavesAFrameThatStillComposes) {
    EXPECT_FALSE(clock_->LoadPreset(folder_ + "missing.bmp"));
    std::ofstream(folder_ + "broken.bmp") << "BM not really a bitmap";
    EXPECT_FALSE(clock_->LoadPreset(folder_ + "broken.bmp"));
    // A bitmap cut short: the platform may refuse it or fill the missing rows;
    // either way the clock keeps a consistent set of buffers.
    std::ifstream whole(folder_ + "face.bmp", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    std::ofstream(folder_ + "short.bmp", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    if (clock_->LoadPreset(folder_ + "short.bmp")) {
        EXPECT_EQ(clock_->Preset()->WindowWidth(), kSize);
        clock_->ComposeFrame(3, 0, 0);
    }
    ASSERT_TRUE(clock_->LoadPreset(folder_ + "face.bmp"));
    EXPECT_FALSE(clock_->LoadPreset(folder_ + "missing.bmp"));
    EXPECT_EQ(clock_->PresetPath(), folder_ + "face.bmp");
    clock_->ComposeFrame(3, 0, 30);
    EXPECT_EQ(At(Frame(), kSize, 51 + 25, 51), 0xFF0000u) << "the previous face's hour hand still draws";
}

// A plug-in hook that runs a message loop (a message box does) lets the ticks
// and a preset picked in the options sheet in while its frame is drawn.
TEST_F(ComposeFrameTest, HookThatPumpsMessagesGetsNoFrameInItsFrameAndAPickedPresetWaitsForIt) {
    const std::string log = folder_ + "pumps.log";
    ::DeleteFileA(log.c_str());
    ::SetEnvironmentVariableA("TAVIX_PLUGIN_LOG", log.c_str());
    MemoryStore store;
    store.WriteString("", "ActivePlugins", "pumps.dll|");
    clock_->MutablePlugins().LoadPlugins(BuiltPluginFolder(), store, clock_->Handle(), "english.lng");
    ASSERT_NE(clock_->MutablePlugins().Head(), nullptr);

    const LoadedPreset* drawing = clock_->Preset();
    const LoadedPreset* presetAfterPick = nullptr;
    clock_->onPosted = [&] {
        clock_->MutableSettings().UseZoom = 1;
        clock_->MutableSettings().ZoomValue = 50;
        EXPECT_TRUE(clock_->LoadPreset(folder_ + "face.bmp"));
        presetAfterPick = clock_->Preset();
        ::PostMessageA(clock_->Handle(), WM_TIMER, IDT_CLOCK_TIMER, 0);
    };
    // A tick before the pick and one after it wait in the queue.
    ::PostMessageA(clock_->Handle(), WM_TIMER, IDT_CLOCK_TIMER, 0);
    ::PostMessageA(clock_->Handle(), kRunPosted, 0, 0);
    clock_->ComposeFrame(3, 0, 30);

    std::vector<std::string> events = RecordedEvents(log);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].rfind("OnDrawBegin ", 0), 0u) << events[0];
    EXPECT_EQ(events[1].rfind("OnDrawedImage ", 0), 0u) << events[1];
    EXPECT_NE(events[1].find("size=101x101"), std::string::npos) << events[1];
    EXPECT_EQ(events[2], "OnDrawedImageReturns");
    // The picked face is swapped in once the frame is done, not under it.
    EXPECT_EQ(events[3].rfind("OnSkinLoaded work=50x50", 0), 0u) << events[3];
    EXPECT_EQ(presetAfterPick, drawing);
    EXPECT_NE(clock_->Preset(), drawing);
    EXPECT_EQ(clock_->Preset()->WindowWidth(), 50);

    // The next tick draws with the new face.
    ::DeleteFileA(log.c_str());
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&message);
    events = RecordedEvents(log);
    ASSERT_FALSE(events.empty());
    EXPECT_NE(events[0].find("size=50x50"), std::string::npos) << events[0];
    ::SetEnvironmentVariableA("TAVIX_PLUGIN_LOG", nullptr);
}

TEST_F(ComposeFrameTest, AbsurdPresetValuesStillGiveAWorkingFace) {
    std::ofstream(folder_ + "face.INI") << "[Settings]\n"
                                           "CenterX=2147483647\nCenterY=-2147483648\n"
                                           "HourLength=2000000000\nHourWidth=100000\nHourLap=-2000000000\n"
                                           "MinuteLength=-5\nMinuteWidth=-7\n"
                                           "AMPMFontSize=-2147483648\nAMPMCenterX=99999999\n"
                                           "DateFontSize=2147483647\nDateFont=" +
                                               std::string(300, 'x') + "\n";
    for (int32_t zoom : {-100, 0, 1, 100000, 2147483647}) {
        clock_->MutableSettings().UseZoom = 1;
        clock_->MutableSettings().ZoomValue = zoom;
        clock_->MutableSettings().ShowAMPM = 1;
        clock_->MutableSettings().ShowDate = 1;
        ASSERT_TRUE(clock_->LoadPreset(folder_ + "face.bmp")) << zoom;
        EXPECT_GT(clock_->Preset()->WindowWidth(), 0) << zoom;
        EXPECT_LE(clock_->Preset()->WindowWidth(), 16384) << zoom;
        clock_->ComposeFrame(10, 10, 10);
    }
}

}  // namespace
