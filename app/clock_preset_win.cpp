// The clock's preset: loaded whole, then swapped in; and the frames drawn
// with it.
#include "app/clock_window_win.h"
#include "core/language_strings.h"
#include "core/language_table.h"
#include "render/skin_info_win.h"
#include "render/smooth_shrink_win.h"
#include "res/resource.h"
#include "win/message_box_win.h"

bool CTavixDlg::LoadPreset(const std::string& path) {
    PresetBuildOptions options;
    options.useZoom = settings_.UseZoom != 0;
    options.zoomValue = settings_.ZoomValue;
    options.dpi = CurrentDpi();
    options.smoothing = SmoothingMethodOf(settings_.AAMethod);
    options.layered = layeredSupported_;
    PresetBuildReport report;
    std::unique_ptr<LoadedPreset> preset;
    {
        WindowDC screen(nullptr);
        preset = BuildPreset(path, options, screen.get(), report);
    }
    for (int text : report.failedHandTexts)
        ShowMessage(TheLanguageTable().Text(text));
    if (!preset)
        return false;
    if (composing_) {
        // The frame in progress holds the current preset: swap once it is done.
        // The path counts at once, so that a reload (zoom, smoothing) takes this one.
        presetPath_ = preset->Path();
        pendingPreset_ = std::move(preset);
        return true;
    }
    SwapInPreset(std::move(preset));
    return true;
}

void CTavixDlg::SwapInPreset(std::unique_ptr<LoadedPreset> preset) {
    // The old frame may be the reduction cache's bitmap: drop the preset that
    // points at it before the cache goes.
    alphaBlend_.Use(preset->UsesImageHands());
    preset_ = std::move(preset);
    FreeReductionCache();
    presetPath_ = preset_->Path();
    nextRedrawTime_ = 0;

    UniqueRegion region = preset_->TakeRegion();
    const bool hasShape = static_cast<bool>(region);
    // The window owns the region once it accepted it.
    if (::SetWindowRgn(Handle(), region.get(), hasShape ? TRUE : FALSE))
        region.release();
    const SkinInfo skin = SkinInfoOf(*preset_);
    plugins_.CallSkinLoaded(&skin);

    ::SetWindowPos(Handle(), nullptr, 0, 0, preset_->WindowWidth(), preset_->WindowHeight(),
                   SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    if (settings_.LimitWinPos)
        ::PostMessageA(Handle(), WM_TAVIX_REPOSITION, 0, 0);
    ::PostMessageA(Handle(), WM_TIMER, IDT_CLOCK_TIMER, 0);
}

FrameOptions CTavixDlg::CurrentFrameOptions() const {
    FrameOptions options;
    options.showDate = settings_.ShowDate != 0;
    options.showAMPM = settings_.ShowAMPM != 0;
    options.showSecondHand = settings_.UseSecondHand != 0;
    options.halftone = isNT_;
    return options;
}

namespace {

class ComposingScope {
public:
    explicit ComposingScope(bool& composing) : composing_(composing) { composing_ = true; }
    ~ComposingScope() { composing_ = false; }
    ComposingScope(const ComposingScope&) = delete;
    ComposingScope& operator=(const ComposingScope&) = delete;

private:
    bool& composing_;
};

}  // namespace

void CTavixDlg::ComposeFrame(uint16_t hour, uint16_t minute, uint16_t second) {
    if (!preset_)
        return;
    if (composing_) {
        // A frame inside a frame would draw on the surfaces the outer one has
        // selected: the next tick draws instead.
        nextRedrawTime_ = 0;
        return;
    }
    {
        ComposingScope scope(composing_);
        composer_.Compose(*preset_, FrameTime{hour, minute, second}, CurrentFrameOptions(), &plugins_);
        if (layeredSupported_) {
            if (composer_.PresentLayered(Handle(), *preset_, currentAlpha_) == FrameResult::AlphaMergeFailed)
                ShowMessage(TheLanguageTable().Text(lang::kAlphaMergeFailed));
        } else {
            ::InvalidateRect(Handle(), nullptr, FALSE);
            ::UpdateWindow(Handle());
        }
    }
    if (pendingPreset_)
        SwapInPreset(std::move(pendingPreset_));
}
