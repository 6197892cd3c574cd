/*
 * The plug-in the host tests load: one source, built once per case of the
 * contract. Which exports a build has is chosen by its definitions:
 *   RECORDER_INIT_RESULT  exports OnInit returning this value (absent: no OnInit)
 *   RECORDER_HOOKS        exports OnDestroy, OnSkinLoaded, OnDrawBegin,
 *                         OnDrawedImage and OnConfig
 *   RECORDER_TICK         exports OnTick
 *   RECORDER_DRAW_OUTSIDE OnDrawBegin also paints far beyond the surface
 *   RECORDER_PUMP         OnDrawedImage also dispatches every message waiting
 *                         for the thread, as a message box inside a hook does,
 *                         and records "OnDrawedImageReturns" when done
 * Every call, and the DLL's attach and detach, appends one line
 *   <file name> <event> [arguments]
 * to the file named by the environment variable TAVIX_PLUGIN_LOG (nothing is
 * written while it is unset). Written in C, so the SDK header is used from C.
 */
#include <stdio.h>

#include "tavix_plugin.h"

static HMODULE self;

static void Record(const char* event, const char* arguments) {
    char logPath[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("TAVIX_PLUGIN_LOG", logPath, sizeof logPath);
    if (length == 0 || length >= sizeof logPath)
        return;

    char modulePath[MAX_PATH];
    length = GetModuleFileNameA(self, modulePath, sizeof modulePath);
    if (length == 0 || length >= sizeof modulePath)
        return;
    const char* name = modulePath;
    for (const char* p = modulePath; *p; ++p) {
        if (*p == '\\' || *p == '/')
            name = p + 1;
    }

    char line[1024];
    const int size = snprintf(line, sizeof line, "%s %s%s%s\n", name, event, *arguments ? " " : "", arguments);
    if (size <= 0 || size >= (int)sizeof line)
        return;
    HANDLE file = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line, (DWORD)size, &written, NULL);
    CloseHandle(file);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        self = instance;
        Record("attach", "");
    } else if (reason == DLL_PROCESS_DETACH) {
        Record("detach", "");
    }
    return TRUE;
}

#ifdef RECORDER_INIT_RESULT
static int initCalls;

TAVIX_PLUGIN_EXPORT int OnInit(const PluginInitInfo* info) {
    char arguments[512];
    snprintf(arguments, sizeof arguments, "call=%d window=%p lang=%s", ++initCalls, (void*)info->clockWindow,
             info->langFile ? info->langFile : "(null)");
    Record("OnInit", arguments);
    return RECORDER_INIT_RESULT;
}
#endif

#ifdef RECORDER_HOOKS
/* The size of the bitmap selected into the surface, which is what a plug-in can learn from the HDC alone. */
static void RecordDraw(const char* event, HDC work) {
    BITMAP bitmap = {0};
    HGDIOBJ selected = GetCurrentObject(work, OBJ_BITMAP);
    if (!selected || !GetObjectA(selected, sizeof bitmap, &bitmap))
        bitmap.bmWidth = bitmap.bmHeight = -1;
    char arguments[128];
    snprintf(arguments, sizeof arguments, "dc=%p size=%ldx%ld", (void*)work, (long)bitmap.bmWidth,
             (long)bitmap.bmHeight);
    Record(event, arguments);
}

TAVIX_PLUGIN_EXPORT void OnDrawBegin(HDC work) {
    RecordDraw("OnDrawBegin", work);
#ifdef RECORDER_DRAW_OUTSIDE
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    RECT huge = {-100000, -100000, 100000, 100000};
    FillRect(work, &huge, brush);
    DeleteObject(brush);
    MoveToEx(work, -2000000000, -2000000000, NULL);
    LineTo(work, 2000000000, 2000000000);
    SetPixel(work, -1, -1, RGB(255, 0, 0));
    SetPixel(work, 1 << 30, 1 << 30, RGB(255, 0, 0));
#endif
}

TAVIX_PLUGIN_EXPORT void OnDrawedImage(HDC work) {
    RecordDraw("OnDrawedImage", work);
#ifdef RECORDER_PUMP
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage((int)message.wParam);
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    Record("OnDrawedImageReturns", "");
#endif
}

TAVIX_PLUGIN_EXPORT void OnSkinLoaded(const SkinInfo* skin) {
    char arguments[768];
    snprintf(arguments, sizeof arguments,
             "work=%dx%d ampm=%06lx/%d date=%06lx/%d scale=%d center=%d,%d ampmAt=%d,%d dateAt=%d,%d "
             "background=%p path=%s",
             skin->workWidth, skin->workHeight, (unsigned long)skin->ampmColor, skin->ampmFontSize,
             (unsigned long)skin->dateColor, skin->dateFontSize, skin->scalePercent, skin->centerX, skin->centerY,
             skin->ampmCenterX, skin->ampmCenterY, skin->dateCenterX, skin->dateCenterY, (void*)skin->backgroundBitmap,
             skin->presetPath ? skin->presetPath : "(null)");
    Record("OnSkinLoaded", arguments);
}

TAVIX_PLUGIN_EXPORT void OnConfig(HWND owner) {
    char arguments[64];
    snprintf(arguments, sizeof arguments, "owner=%p", (void*)owner);
    Record("OnConfig", arguments);
}

TAVIX_PLUGIN_EXPORT void OnDestroy(void) {
    Record("OnDestroy", "");
}
#endif

#ifdef RECORDER_TICK
TAVIX_PLUGIN_EXPORT void OnTick(void) {
    Record("OnTick", "");
}
#endif
