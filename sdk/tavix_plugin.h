/*
 * Tavix plug-in interface.
 *
 * A Tavix plug-in is a 64-bit Windows DLL in the Plugins folder beside
 * Tavix.exe that exports some of the functions declared below, by exactly these
 * names, as plain C functions with the default x64 calling convention. Every
 * export is optional: Tavix looks each one up by name and calls only those it
 * finds. See README.md beside this header for how to build and install one.
 *
 * This header is self-contained (it needs only <windows.h>) and can be used
 * from C and from C++.
 */
#ifndef TAVIX_PLUGIN_H
#define TAVIX_PLUGIN_H

#include <stddef.h>
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Passed to OnInit. Valid only during that call: copy what you want to keep.
 */
typedef struct PluginInitInfo {
    HWND clockWindow;     /* the clock window (offset 0) */
    const char* langFile; /* the active language file's name inside Lang\, e.g. "english.lng" (offset 8) */
} PluginInitInfo;

/*
 * Passed to OnSkinLoaded after every preset (skin) load, the first one at
 * start-up included. Valid only during that call.
 *
 * The hands' pivot is (centerX + 1, centerY + 1), one pixel right of and below
 * the preset's center: draw about that point to line up with the hands.
 *
 * The "work size" is the size of the surface handed to OnDrawBegin and
 * OnDrawedImage. With smoothing on it is twice the window size; positions and
 * font sizes below are already multiplied by scalePercent, so they are in
 * work-surface pixels.
 */
typedef struct SkinInfo {
    int workWidth;            /* offset 0 */
    int workHeight;           /* offset 4 */
    COLORREF ampmColor;       /* offset 8: 0x00BBGGRR */
    int ampmFontSize;         /* offset 12: character height in pixels */
    COLORREF dateColor;       /* offset 16 */
    int dateFontSize;         /* offset 20 */
    int scalePercent;         /* offset 24: drawing scale, 100 = the preset's own size */
    int centerX;              /* offset 28: the preset's CenterX; the hands turn about centerX + 1 */
    int centerY;              /* offset 32: the preset's CenterY; the hands turn about centerY + 1 */
    int ampmCenterX;          /* offset 36: center of the AM/PM mark */
    int ampmCenterY;          /* offset 40 */
    int dateCenterX;          /* offset 44: center of the date */
    int dateCenterY;          /* offset 48 */
    int reserved;             /* offset 52: padding, holds no value */
    HBITMAP backgroundBitmap; /* offset 56: the background at work size; do not select, change or delete it */
    const char* presetPath;   /* offset 64: full path of the preset's background image */
} SkinInfo;

/*
 * The exports. Define those you need with TAVIX_PLUGIN_EXPORT in front of
 * exactly these signatures. In C++ a definition without TAVIX_PLUGIN_EXPORT
 * whose signature differs from the declaration below is a new, overloaded
 * function with a C++ name, and it is not exported: Tavix never calls it and
 * no compiler warns. Check the export table of your DLL (see README.md).
 *
 * OnInit        once, right after the DLL is loaded at start-up. Return 0
 *               (TAVIX_PLUGIN_ACCEPT) to stay loaded, -1 to be unloaded
 *               quietly, 1 to be unloaded with the message "cannot load
 *               plug-in" naming your file. Every other value counts as 0.
 *               Mind that 1 is TRUE: returning TRUE for success refuses.
 *               A plug-in that refuses is unloaded at once, without
 *               OnDestroy: stop whatever it started (threads, timers,
 *               windows, hooks) before it returns -1 or 1.
 * OnSkinLoaded  after every preset load.
 * OnDrawBegin   every frame, after the background has been copied onto the
 *               work surface and before the date, AM/PM mark and hands.
 * OnDrawedImage every frame, after the hands, before the frame is reduced to
 *               the window size and shown.
 *               A hook that runs a message loop (a message box, a dialog)
 *               does not stop the clock: its ticks, alarms and the options
 *               sheet go on inside the hook. No other frame starts until the
 *               hook returns (the ticks meanwhile draw nothing), and a preset
 *               picked meanwhile is loaded after this frame is done.
 * OnConfig      when the user presses Configure on the plug-ins page; owner is
 *               the options sheet, the parent for your settings dialog. When
 *               your plug-in is enabled but not loaded (it is loaded only at
 *               start-up), OnConfig runs in a temporary copy of your DLL
 *               without OnInit or OnDestroy.
 * OnDestroy     once, when the clock ends. Your DLL stays loaded until the
 *               process exits.
 * OnTick        looked up but never called; do not rely on it.
 */
#if defined(TAVIX_PLUGIN_NO_EXPORT_DECLS)
/* The host includes this header only for the records and pointer types. */
#else
#ifdef __cplusplus
#define TAVIX_PLUGIN_EXPORT extern "C" __declspec(dllexport)
#else
#define TAVIX_PLUGIN_EXPORT __declspec(dllexport)
#endif

TAVIX_PLUGIN_EXPORT int OnInit(const PluginInitInfo* info);
TAVIX_PLUGIN_EXPORT void OnSkinLoaded(const SkinInfo* skin);
TAVIX_PLUGIN_EXPORT void OnDrawBegin(HDC work);
TAVIX_PLUGIN_EXPORT void OnDrawedImage(HDC work);
TAVIX_PLUGIN_EXPORT void OnConfig(HWND owner);
TAVIX_PLUGIN_EXPORT void OnDestroy(void);
TAVIX_PLUGIN_EXPORT void OnTick(void);
#endif

/* Pointer types of the exports, as the host calls them. */
typedef int (*TavixOnInitProc)(const PluginInitInfo* info);
typedef void (*TavixOnSkinLoadedProc)(const SkinInfo* skin);
typedef void (*TavixOnDrawProc)(HDC work);
typedef void (*TavixOnConfigProc)(HWND owner);
typedef void (*TavixOnDestroyProc)(void);
typedef void (*TavixOnTickProc)(void);

/* OnInit results with a meaning of their own. */
#define TAVIX_PLUGIN_ACCEPT 0
#define TAVIX_PLUGIN_REFUSE_WITH_MESSAGE 1
#define TAVIX_PLUGIN_REFUSE_QUIETLY (-1)

/* The records' layout is fixed; a compiler that lays them out otherwise must not build a plug-in. */
#if defined(__cplusplus)
#define TAVIX_PLUGIN_ASSERT(condition, name) static_assert(condition, #name)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define TAVIX_PLUGIN_ASSERT(condition, name) _Static_assert(condition, #name)
#else
#define TAVIX_PLUGIN_ASSERT(condition, name) typedef char tavix_plugin_assert_##name[(condition) ? 1 : -1]
#endif

TAVIX_PLUGIN_ASSERT(sizeof(void*) == 8, plugins_are_64_bit);
TAVIX_PLUGIN_ASSERT(sizeof(PluginInitInfo) == 16, init_info_size);
TAVIX_PLUGIN_ASSERT(offsetof(PluginInitInfo, clockWindow) == 0, init_info_window);
TAVIX_PLUGIN_ASSERT(offsetof(PluginInitInfo, langFile) == 8, init_info_lang_file);
TAVIX_PLUGIN_ASSERT(sizeof(SkinInfo) == 72, skin_info_size);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, workWidth) == 0, skin_work_width);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, workHeight) == 4, skin_work_height);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, ampmColor) == 8, skin_ampm_color);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, ampmFontSize) == 12, skin_ampm_font_size);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, dateColor) == 16, skin_date_color);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, dateFontSize) == 20, skin_date_font_size);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, scalePercent) == 24, skin_scale);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, centerX) == 28, skin_center_x);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, centerY) == 32, skin_center_y);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, ampmCenterX) == 36, skin_ampm_center_x);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, ampmCenterY) == 40, skin_ampm_center_y);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, dateCenterX) == 44, skin_date_center_x);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, dateCenterY) == 48, skin_date_center_y);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, reserved) == 52, skin_reserved);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, backgroundBitmap) == 56, skin_background);
TAVIX_PLUGIN_ASSERT(offsetof(SkinInfo, presetPath) == 64, skin_preset_path);

#ifdef __cplusplus
}
#endif

#endif /* TAVIX_PLUGIN_H */
