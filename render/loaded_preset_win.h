#pragma once
// A preset ready to draw: its settings scaled to the work size, the background
// and drawing surfaces, the hands, the window's shape and the opacity plane of
// a PNG face. Built whole by BuildPreset, so that a clock swaps it in only once
// everything has loaded and a failed change leaves the previous face drawing.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/alpha_plane_win.h"
#include "render/hand_win.h"
#include "render/preset_settings.h"
#include "render/smoothing_method.h"
#include "win/unique_handle.h"

class LoadedPreset {
public:
    LoadedPreset() = default;
    LoadedPreset(const LoadedPreset&) = delete;
    LoadedPreset& operator=(const LoadedPreset&) = delete;

    // Tells presets apart within a run, also one built where another was freed.
    uint64_t Serial() const { return serial_; }
    const std::string& Path() const { return path_; }
    const PresetSettings& Settings() const { return settings_; }
    int WindowWidth() const { return windowWidth_; }
    int WindowHeight() const { return windowHeight_; }
    int WorkWidth() const { return workWidth_; }
    int WorkHeight() const { return workHeight_; }
    // The scale plug-ins are told: the work surface against the nominal face.
    int Scale() const { return scale_; }
    SmoothingMethod Smoothing() const { return smoothing_; }
    bool HasSecondHand() const { return settings_.HasSecondHand; }
    bool UsesImageHands() const { return imageHandLoaded_; }
    POINT Center() const { return {settings_.CenterX, settings_.CenterY}; }

    HBITMAP Background() const { return background_.get(); }
    // The surface a frame is drawn on: the frame itself without smoothing.
    HBITMAP WorkSurface() const { return smoothing_ == SmoothingMethod::None ? frame_ : work_.get(); }
    // The finished frame at the window size: our own bitmap, or the reduction
    // cache's once our own reduction has run.
    HBITMAP Frame() const { return frame_; }
    void UseReducedFrame(HBITMAP cacheBitmap);
    void ReplaceFrame(UniqueBitmap frame);

    CHand* HourHand() const { return hourHand_.get(); }
    CHand* MinuteHand() const { return minuteHand_.get(); }
    CHand* SecondHand() const { return secondHand_.get(); }

    // A face on a layered window: its plane (a PNG face's opacity, a bitmap
    // face's shape) and the section each frame is merged into. The frame goes
    // out with per-pixel alpha exactly when this holds. The plane is empty when
    // it could not be made at the window size; the frame then goes out opaque.
    bool HasAlphaSurface() const;
    const std::vector<uint8_t>& AlphaPlane() const { return alphaPlane_; }
    PlaneKind AlphaPlaneKind() const { return planeKind_; }
    HBITMAP AlphaDib() const { return alphaDib_.get(); }
    void* AlphaDibBits() const { return alphaDibBits_; }
    BITMAPINFO* AlphaDibHeader() { return &alphaDibHeader_; }

    // The shape the window takes with this preset; null when the window has
    // none (a PNG face on a layered window). The window owns it once given.
    UniqueRegion TakeRegion() { return std::move(region_); }

private:
    friend class PresetBuilder;

    static uint64_t NextSerial() {
        static uint64_t last = 0;
        return ++last;
    }

    uint64_t serial_ = NextSerial();
    std::string path_;
    PresetSettings settings_;
    SmoothingMethod smoothing_ = SmoothingMethod::None;
    int windowWidth_ = 0;
    int windowHeight_ = 0;
    int workWidth_ = 0;
    int workHeight_ = 0;
    int scale_ = 100;
    bool imageHandLoaded_ = false;

    UniqueBitmap background_;
    UniqueBitmap work_;
    UniqueBitmap ownedFrame_;
    HBITMAP frame_ = nullptr;  // ownedFrame_ or the reduction cache's bitmap

    std::unique_ptr<CHand> hourHand_;
    std::unique_ptr<CHand> minuteHand_;
    std::unique_ptr<CHand> secondHand_;

    std::vector<uint8_t> alphaPlane_;
    PlaneKind planeKind_ = PlaneKind::Opacity;
    UniqueBitmap alphaDib_;
    void* alphaDibBits_ = nullptr;
    BITMAPINFO alphaDibHeader_ = {};
    UniqueRegion region_;
};

struct PresetBuildOptions {
    bool useZoom = false;
    int zoomValue = 100;
    int dpi = 96;  // of the monitor the clock is on
    SmoothingMethod smoothing = SmoothingMethod::None;
    bool layered = true;  // per-pixel alpha output is possible
};

// What went wrong on the way, for the caller to report in this order.
struct PresetBuildReport {
    // Language strings of the hand images that could not be read, hour first.
    std::vector<int> failedHandTexts;
};

// Reads the background image at path, its settings file and hand images, and
// builds every surface at the sizes the options give. Null when the background
// cannot be read; hand images that fail are listed in the report and leave
// their hand without an image (it draws nothing). reference is a DC of the
// screen that pictures are read and written through.
std::unique_ptr<LoadedPreset> BuildPreset(const std::string& path,
                                          const PresetBuildOptions& options,
                                          HDC reference,
                                          PresetBuildReport& report);
