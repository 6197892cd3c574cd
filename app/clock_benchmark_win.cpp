// The drawing benchmark: 2000 frames (or ticks) as fast as they go.
#include "app/clock_window_win.h"
#include "res/resource.h"
#include "win/message_box_win.h"

void CTavixDlg::RunBenchmark(BenchmarkMode mode) {
    PlaceWindow();
    ::ShowWindow(Handle(), SW_SHOW);
    constexpr int kRounds = 2000;
    const DWORD start = ::GetTickCount();
    for (int n = 1; n <= kRounds; ++n) {
        if (mode == BenchmarkMode::Ticks)
            OnTimer(IDT_CLOCK_TIMER);
        else
            ComposeFrame(1, 1, static_cast<uint16_t>(n % 60));
    }
    const uint32_t elapsed = ::GetTickCount() - start;
    ShowMessage(FormatBenchmarkResult(elapsed, kRounds).c_str());
}
