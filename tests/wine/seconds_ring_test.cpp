// The shipped seconds ring, loaded through the host as the clock loads it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <optional>
#include <string>
#include <thread>

#include "core/settings_store.h"
#include "options/plugin_host_win.h"
#include "plugins/seconds_ring/ring_resource.h"
#include "tests/wine/dialog_script_win.h"
#include "win/message_box_win.h"
#include "win/unique_handle.h"

namespace {

const char* const kRingKey = "Software\\Quandel\\SecondsRing";
const COLORREF kWhite = RGB(255, 255, 255);

std::string ShippedPluginFolder() {
    char path[MAX_PATH];
    const std::string exe(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
    return exe.substr(0, exe.find_last_of('\\') + 1) + "plugins\\";
}

std::string Shown() {
    std::string all = "messages shown:";
    for (const std::string& text : ShownMessages())
        all += " \"" + text + "\"";
    return all;
}

// The host's messages (a plug-in it cannot load) are collected, not shown: a
// box would wait for a click that never comes.
class SecondsRing : public ::testing::Test {
protected:
    void SetUp() override {
        CollectMessages();
        const std::string dll = ShippedPluginFolder() + "SecondsRing.dll";
        ASSERT_NE(::GetFileAttributesA(dll.c_str()), INVALID_FILE_ATTRIBUTES)
            << dll << " is missing: build the target seconds_ring";
    }
    void TearDown() override { SetMessageBoxHook(nullptr); }
};

void WriteRingValue(const char* name, DWORD value) {
    UniqueRegKey key;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kRingKey, 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
              ERROR_SUCCESS);
}

std::optional<DWORD> ReadRingValue(const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegGetValueA(HKEY_CURRENT_USER, kRingKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

struct Surface {
    Surface(int width, int height) : width_(width), height_(height) {
        WindowDC screen(nullptr);
        dc.reset(::CreateCompatibleDC(screen.get()));
        bitmap.reset(::CreateCompatibleBitmap(screen.get(), width, height));
        selected = std::make_unique<SelectGuard>(dc.get(), bitmap.get());
        RECT all = {0, 0, width, height};
        ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    int width_, height_;
    UniqueMemoryDC dc;
    UniqueBitmap bitmap;
    std::unique_ptr<SelectGuard> selected;
};

int Second() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now.wSecond;
}

// Draws one frame's OnDrawBegin and returns the second it showed, retrying when
// the clock's second turned over during the call.
int DrawAtOneSecond(const CPlugins& plugins, int width, int height, std::unique_ptr<Surface>& surface) {
    for (;;) {
        surface = std::make_unique<Surface>(width, height);
        const int before = Second();
        plugins.CallDrawBegin(surface->dc.get());
        if (Second() == before)
            return before;
    }
}

// Clockwise angle from 12 o'clock in seconds of a minute (0..60).
double SecondsAt(double dx, double dy) {
    const double kPi = 3.14159265358979323846;
    double angle = std::atan2(dx, -dy);
    if (angle < 0)
        angle += 2 * kPi;
    return angle * 60 / (2 * kPi);
}

}  // namespace

TEST_F(SecondsRing, ArcSweepsFromTwelveToTheCurrentSecondOnTheRing) {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRingKey);
    WriteRingValue("Color", RGB(255, 0, 0));
    WriteRingValue("Width", 4);
    WriteRingValue("Size", 100);

    MemoryStore store;
    store.WriteString("", "ActivePlugins", "SecondsRing.dll|");
    CPlugins plugins;
    plugins.LoadPlugins(ShippedPluginFolder(), store, nullptr, "english.lng");
    ASSERT_NE(plugins.Head(), nullptr) << Shown();

    struct Case {
        bool announceSkin;
        int width, height, centerX, centerY;  // the pivot the ring should use
        double radius;
    } cases[] = {
        // Before any skin: around the middle of the surface.
        {false, 121, 121, 60, 60, 58},
        // The skin's pivot (its CenterX/Y plus one, as the hands use it), off the middle.
        {true, 201, 161, 90, 70, 68},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        if (c.announceSkin) {
            SkinInfo skin{};
            skin.workWidth = c.width;
            skin.workHeight = c.height;
            skin.scalePercent = 100;
            skin.centerX = c.centerX - 1;
            skin.centerY = c.centerY - 1;
            plugins.CallSkinLoaded(&skin);
        }
        std::unique_ptr<Surface> surface;
        const int second = DrawAtOneSecond(plugins, c.width, c.height, surface);
        int drawn = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const COLORREF pixel = ::GetPixel(surface->dc.get(), x, y) & 0xFFFFFF;
                if (pixel == kWhite)
                    continue;
                ++drawn;
                ASSERT_EQ(pixel, RGB(255, 0, 0)) << x << "," << y;
                const double dx = x - c.centerX;
                const double dy = y - c.centerY;
                const double distance = std::sqrt(dx * dx + dy * dy);
                ASSERT_NEAR(distance, c.radius, 3.5) << x << "," << y;
                // The stroke's square start may reach a pixel short of 12 o'clock.
                double seconds = SecondsAt(dx, dy);
                if (seconds > 59.25)
                    seconds -= 60;
                ASSERT_LE(seconds, second + 0.75) << x << "," << y << " at second " << second;
            }
        }
        if (second == 0) {
            EXPECT_EQ(drawn, 0);
            continue;
        }
        EXPECT_GT(drawn, 0);
        // Halfway along the arc the ring is drawn; halfway along the rest it is not.
        const double kPi = 3.14159265358979323846;
        const auto at = [&](double seconds) {
            const double angle = seconds * 2 * kPi / 60;
            const int x = c.centerX + static_cast<int>(std::lround(std::sin(angle) * c.radius));
            const int y = c.centerY - static_cast<int>(std::lround(std::cos(angle) * c.radius));
            return ::GetPixel(surface->dc.get(), x, y) & 0xFFFFFF;
        };
        if (second >= 2)
            EXPECT_EQ(at(second / 2.0), RGB(255, 0, 0)) << "second " << second;
        if (second <= 58)
            EXPECT_EQ(at((second + 60) / 2.0), kWhite) << "second " << second;
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRingKey);
}

TEST_F(SecondsRing, ConfigureSavesTheDialogsValuesOnlyOnOk) {
    struct Case {
        int button;
        const char* width;
        const char* size;
        std::optional<DWORD> savedWidth, savedSize;
    } cases[] = {
        {IDCANCEL, "9", "50", std::nullopt, std::nullopt},
        {IDOK, "7", "55", 7, 55},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kRingKey);
        MemoryStore store;
        CPlugins plugins;
        plugins.LoadPlugins(ShippedPluginFolder(), store, nullptr, "english.lng");

        // The dialog is modal on this thread: a helper fills it in and presses the button.
        std::atomic<bool> found{false};
        std::atomic<bool> returned{false};
        std::thread user([&] {
            for (int attempt = 0; attempt < 200 && !found && !returned; ++attempt) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                // Visible only once its initialisation has filled in the stored values.
                const HWND dialog = ::FindWindowA("#32770", "Seconds ring");
                if (!dialog || !::IsWindowVisible(dialog))
                    continue;
                found = true;
                ::SetDlgItemTextA(dialog, IDC_RING_WIDTH, c.width);
                ::SetDlgItemTextA(dialog, IDC_RING_SIZE, c.size);
                ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED),
                               reinterpret_cast<LPARAM>(::GetDlgItem(dialog, c.button)));
            }
        });
        plugins.ConfigurePlugin("SecondsRing.dll", nullptr);
        returned = true;
        user.join();
        EXPECT_TRUE(found.load()) << Shown();
        EXPECT_EQ(ReadRingValue("Width"), c.savedWidth);
        EXPECT_EQ(ReadRingValue("Size"), c.savedSize);
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRingKey);
}
