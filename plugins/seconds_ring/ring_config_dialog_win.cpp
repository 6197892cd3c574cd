#include "ring_config_dialog_win.h"

#include <commdlg.h>

#include "ring_resource.h"

namespace {

struct DialogState {
    RingSettings settings;
    HBRUSH swatch = nullptr;

    ~DialogState() {
        if (swatch)
            ::DeleteObject(swatch);
    }
    void SetColor(COLORREF color) {
        settings.color = color;
        if (swatch)
            ::DeleteObject(swatch);
        swatch = ::CreateSolidBrush(color);
    }
};

// Custom colors of the color picker, kept while the plug-in stays loaded.
COLORREF customColors[16];

bool ReadNumber(HWND dialog, int id, int low, int high, const char* message, int& value) {
    BOOL ok = FALSE;
    const UINT number = ::GetDlgItemInt(dialog, id, &ok, FALSE);
    if (ok && number >= static_cast<UINT>(low) && number <= static_cast<UINT>(high)) {
        value = static_cast<int>(number);
        return true;
    }
    ::MessageBoxA(dialog, message, "Seconds ring", MB_OK | MB_ICONEXCLAMATION);
    HWND edit = ::GetDlgItem(dialog, id);
    ::SetFocus(edit);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    return false;
}

void ChooseRingColor(HWND dialog, DialogState& state) {
    CHOOSECOLORA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    choice.rgbResult = state.settings.color;
    choice.lpCustColors = customColors;
    choice.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!::ChooseColorA(&choice))
        return;
    state.SetColor(choice.rgbResult);
    ::InvalidateRect(::GetDlgItem(dialog, IDC_RING_SWATCH), nullptr, TRUE);
}

INT_PTR CALLBACK RingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrA(dialog, GWLP_USERDATA));
    switch (message) {
        case WM_INITDIALOG:
            state = reinterpret_cast<DialogState*>(lParam);
            ::SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            state->SetColor(state->settings.color);
            ::SetDlgItemInt(dialog, IDC_RING_WIDTH, static_cast<UINT>(state->settings.width), FALSE);
            ::SetDlgItemInt(dialog, IDC_RING_SIZE, static_cast<UINT>(state->settings.sizePercent), FALSE);
            ::SendDlgItemMessageA(dialog, IDC_RING_WIDTH, EM_LIMITTEXT, 3, 0);
            ::SendDlgItemMessageA(dialog, IDC_RING_SIZE, EM_LIMITTEXT, 3, 0);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            if (state && reinterpret_cast<HWND>(lParam) == ::GetDlgItem(dialog, IDC_RING_SWATCH) && state->swatch)
                return reinterpret_cast<INT_PTR>(state->swatch);
            return FALSE;
        case WM_COMMAND:
            if (!state)
                return FALSE;
            switch (LOWORD(wParam)) {
                case IDC_RING_CHOOSE_COLOR:
                    ChooseRingColor(dialog, *state);
                    return TRUE;
                case IDC_RING_SWATCH:
                    if (HIWORD(wParam) == STN_CLICKED)
                        ChooseRingColor(dialog, *state);
                    return TRUE;
                case IDOK: {
                    int width = 0;
                    int size = 0;
                    if (!ReadNumber(dialog, IDC_RING_WIDTH, RingSettings::kMinWidth, RingSettings::kMaxWidth,
                                    "Enter a width from 1 to 40 pixels.", width) ||
                        !ReadNumber(dialog, IDC_RING_SIZE, RingSettings::kMinSizePercent, RingSettings::kMaxSizePercent,
                                    "Enter a size from 10 to 100 percent.", size))
                        return TRUE;
                    state->settings.width = width;
                    state->settings.sizePercent = size;
                    ::EndDialog(dialog, IDOK);
                    return TRUE;
                }
                case IDCANCEL:
                    ::EndDialog(dialog, IDCANCEL);
                    return TRUE;
            }
            return FALSE;
    }
    return FALSE;
}

}  // namespace

bool RunRingConfigDialog(HMODULE module, HWND owner, RingSettings& settings) {
    DialogState state;
    state.settings = settings;
    const INT_PTR result = ::DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_RING_CONFIG), owner, RingDialogProc,
                                             reinterpret_cast<LPARAM>(&state));
    if (result != IDOK)
        return false;
    settings = state.settings;
    return true;
}
