// Seconds ring: a thin ring around the face whose arc sweeps clockwise from 12
// o'clock as the minute's seconds pass. Drawn before the hands, so they stay
// on top of it.
#include <windows.h>

#include "ring_config_dialog_win.h"
#include "ring_geometry.h"
#include "ring_settings_win.h"
#include "tavix_plugin.h"

namespace {

struct FaceInfo {
    bool known = false;
    int workWidth = 0;
    int workHeight = 0;
    int centerX = 0;
    int centerY = 0;
    int scalePercent = 100;
};

// Every call comes on the clock's one user-interface thread: plain statics.
RingSettings settings;
bool settingsLoaded = false;
FaceInfo face;

const RingSettings& CurrentSettings() {
    if (!settingsLoaded) {
        settings = LoadRingSettings();
        settingsLoaded = true;
    }
    return settings;
}

HMODULE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

// The size of the bitmap selected into the surface: the work size even before
// any skin was announced.
bool SurfaceSize(HDC work, int& width, int& height) {
    BITMAP bitmap = {};
    HGDIOBJ selected = ::GetCurrentObject(work, OBJ_BITMAP);
    if (!selected || !::GetObjectA(selected, sizeof bitmap, &bitmap))
        return false;
    width = bitmap.bmWidth;
    height = bitmap.bmHeight;
    return width > 0 && height > 0;
}

int CurrentSecond() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now.wSecond;
}

void DrawRing(HDC work, const Ring& ring, COLORREF color, int second) {
    // Second 0 is an empty arc; Arc with equal ends would draw a full circle.
    if (!ring.visible || second <= 0)
        return;
    LOGBRUSH brush = {BS_SOLID, color, 0};
    HPEN pen =
        ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, static_cast<DWORD>(ring.penWidth), &brush, 0, nullptr);
    if (!pen)
        return;
    HGDIOBJ oldPen = ::SelectObject(work, pen);
    const int oldDirection = ::SetArcDirection(work, AD_CLOCKWISE);
    const RingPoint start = PointOnRing(ring, 0);
    const RingPoint end = PointOnRing(ring, second);
    ::Arc(work, ring.centerX - ring.radius, ring.centerY - ring.radius, ring.centerX + ring.radius + 1,
          ring.centerY + ring.radius + 1, start.x, start.y, end.x, end.y);
    ::SetArcDirection(work, oldDirection);
    ::SelectObject(work, oldPen);
    ::DeleteObject(pen);
}

}  // namespace

TAVIX_PLUGIN_EXPORT int OnInit(const PluginInitInfo* info) {
    (void)info;
    settings = LoadRingSettings();
    settingsLoaded = true;
    return TAVIX_PLUGIN_ACCEPT;
}

TAVIX_PLUGIN_EXPORT void OnSkinLoaded(const SkinInfo* skin) {
    if (!skin)
        return;
    face.known = true;
    face.workWidth = skin->workWidth;
    face.workHeight = skin->workHeight;
    // The hands turn around the preset center plus one pixel; the ring shares their pivot.
    face.centerX = skin->centerX + 1;
    face.centerY = skin->centerY + 1;
    face.scalePercent = skin->scalePercent;
}

TAVIX_PLUGIN_EXPORT void OnDrawBegin(HDC work) {
    int width = 0;
    int height = 0;
    if (!SurfaceSize(work, width, height))
        return;
    // A surface of another size than the skin announced: center on what is there.
    const bool useFace = face.known && face.workWidth == width && face.workHeight == height;
    const Ring ring =
        RingForFace(width, height, useFace ? face.centerX : width / 2, useFace ? face.centerY : height / 2,
                    useFace ? face.scalePercent : 100, CurrentSettings());
    DrawRing(work, ring, CurrentSettings().color, CurrentSecond());
}

TAVIX_PLUGIN_EXPORT void OnConfig(HWND owner) {
    RingSettings edited = CurrentSettings();
    if (!RunRingConfigDialog(ThisModule(), owner, edited))
        return;
    if (!SaveRingSettings(edited)) {
        ::MessageBoxA(owner, "The settings could not be saved.", "Seconds ring", MB_OK | MB_ICONEXCLAMATION);
    }
    // The next frame shows the change in the loaded copy.
    settings = ClampRingSettings(edited);
}
