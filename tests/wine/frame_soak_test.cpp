// A clock drawing for a long time keeps what it holds: no GDI or USER object,
// handle or private memory more after 100 000 frames than after the first
// 1 000, with faces reloaded and options changed on the way.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/clock_window_win.h"
#include "core/language_table.h"
#include "tests/wine/bare_clock_win.h"
#include "tests/wine/test_app_win.h"
#include "tests/wine/test_faces_win.h"

namespace {

struct Holdings {
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    DWORD handles = 0;
    SIZE_T privateBytes = 0;
};

// Wine answers GetGuiResources with 0. Its GDI table takes an object's index
// alone as its handle, so there the live objects are counted index by index.
DWORD GdiObjects(HANDLE self) {
    if (const DWORD reported = ::GetGuiResources(self, GR_GDIOBJECTS))
        return reported;
    DWORD live = 0;
    for (uintptr_t index = 1; index < 0x10000; ++index)
        live += ::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return live;
}

// Wine reports no handle count either; kernel handles are multiples of four.
DWORD KernelHandles(HANDLE self) {
    DWORD reported = 0;
    if (::GetProcessHandleCount(self, &reported) && reported)
        return reported;
    DWORD live = 0;
    DWORD flags = 0;
    for (uintptr_t value = 4; value < 0x10000; value += 4)
        live += ::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0;
    return live;
}

Holdings Now() {
    Holdings h;
    HANDLE self = ::GetCurrentProcess();
    h.gdiObjects = GdiObjects(self);
    h.userObjects = ::GetGuiResources(self, GR_USEROBJECTS);
    h.handles = KernelHandles(self);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        h.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    return h;
}

// The options the soak runs through, back to the first after every four changes.
struct Options {
    uint8_t aaMethod;
    int32_t useZoom;
    uint8_t showDate;
    uint8_t showAMPM;
    int32_t useSecondHand;
} const kOptions[] = {
    {0, 0, 0, 0, 1},
    {1, 0, 1, 0, 1},
    {2, 1, 1, 1, 1},
    {2, 0, 0, 1, 0},
};

// Not run by default (a few minutes under Wine): run with
// --gtest_also_run_disabled_tests --gtest_filter=*Soak*.
TEST(FrameSoak, DISABLED_HundredThousandFramesHoldNoMoreThanTheFirstThousand) {
    TheTestApp();
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tavix-frame-soak\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    WritePngFace(folder);
    LanguageTable& table = TheLanguageTable();
    table.Clear();
    table.Set(10, "AM");
    table.Set(11, "PM");

    BareClock clock;
    ASSERT_TRUE(clock.CreateModeless(nullptr));
    int chosen = 0;
    const auto apply = [&] {
        const Options& o = kOptions[chosen % 4];
        ClockSettings& s = clock.MutableSettings();
        s.AAMethod = o.aaMethod;
        s.UseZoom = o.useZoom;
        s.ZoomValue = 300;
        s.ShowDate = o.showDate;
        s.ShowAMPM = o.showAMPM;
        s.UseSecondHand = o.useSecondHand;
    };
    apply();
    ASSERT_TRUE(clock.LoadPreset(folder + "face.png"));

    // Measured after the first 1 000 frames, then every 20 000 (a round of
    // the four options) with the same options and a face as many frames old,
    // up to 100 000 frames after the first measurement.
    constexpr int kFirst = 1000;
    constexpr int kFrames = 100000;
    constexpr int kRound = 20000;
    std::vector<Holdings> seen;
    for (int n = 1; n <= kFirst + kFrames; ++n) {
        const int shown = n % (24 * 3600);
        clock.ComposeFrame(static_cast<uint16_t>(shown / 3600), static_cast<uint16_t>(shown / 60 % 60),
                           static_cast<uint16_t>(shown % 60));
        if (n % kRound == kFirst) {
            ASSERT_EQ(chosen % 4, 0);
            seen.push_back(Now());
            const Holdings& h = seen.back();
            std::printf("after %6d frames: GDI %lu, USER %lu, handles %lu, private %zu bytes\n", n, h.gdiObjects,
                        h.userObjects, h.handles, static_cast<size_t>(h.privateBytes));
        }
        if (n % 5000 == 0) {
            ++chosen;
            apply();
        }
        if (n % 1000 == 0)
            ASSERT_TRUE(clock.LoadPreset(folder + "face.png")) << n;
    }
    const Holdings& early = seen.front();
    const Holdings& late = seen.back();
    EXPECT_EQ(late.gdiObjects, early.gdiObjects);
    EXPECT_EQ(late.userObjects, early.userObjects);
    EXPECT_EQ(late.handles, early.handles);
    // The heap keeps what the largest options needed once (a zoomed face's
    // buffers), and Wine's figure moves by a few hundred kilobytes from one
    // measurement to the next; ten bytes lost a frame would be a megabyte.
    EXPECT_LE(late.privateBytes, seen[1].privateBytes + 1024 * 1024);
}

}  // namespace
