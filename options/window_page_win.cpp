#include "options/window_page_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/language_strings.h"
#include "core/language_table.h"
#include "options/clock_options_target_win.h"
#include "options/window_choice.h"
#include "res/resource.h"
#include "win/folder_listing_win.h"

namespace {

const char* Text(int n) {
    return TheLanguageTable().Text(n);
}

constexpr int kSmoothingButtons[] = {IDC_WIN_SMOOTH_NONE, IDC_WIN_SMOOTH_SYSTEM, IDC_WIN_SMOOTH_OWN};

std::string SelectedComboText(HWND combo) {
    const LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return std::string();
    const LRESULT length = ::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return std::string();
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

}  // namespace

CPropPageOptWin::CPropPageOptWin(ClockOptionsTarget& clock)
    : CPropertyPage(IDD_OPTIONS_WINDOW), clock_(clock), autostartKeys_(DefaultAutostartKeys()) {
    SetTitle(Text(lang::kWindowPageTitle));
}

void CPropPageOptWin::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDC_WIN_ALPHA2, alpha2Slider_);
    exchange.Control(IDC_WIN_LANGUAGE, languageList_);
    exchange.Control(IDC_WIN_PRIORITY, prioritySlider_);
    exchange.Control(IDC_WIN_ALPHA, alphaSlider_);
    exchange.Check(IDC_WIN_CLICK_THROUGH, clickThrough_);
    exchange.Check(IDC_WIN_DONT_REPOS, dontReposWindow_);
    exchange.Check(IDC_WIN_LIMIT_POS, limitWinPos_);
    exchange.Check(IDC_WIN_ON_TOP, onTop_);
    exchange.Check(IDC_WIN_START_THIS_USER, startThisUser_);
    exchange.Check(IDC_WIN_START_ALL_USERS, startAllUsers_);
    exchange.Check(IDC_WIN_PIN_TO_DESKTOP, pinToDesktop_);
    exchange.Check(IDC_WIN_UNMOVABLE, unmovable_);
    exchange.Check(IDC_WIN_TIME_IN_TRAY, timeInTray_);
    exchange.Check(IDC_WIN_HIDE_ALT_TAB, hideFromAltTab_);
    exchange.Check(IDC_WIN_MULTIPLE, multipleInstances_);
    exchange.Check(IDC_WIN_USE_ALPHA2, useAlpha2_);
}

BOOL CPropPageOptWin::OnInitDialog() {
    HWND page = Handle();
    static const struct {
        int control;
        int text;
    } kTexts[] = {
        {IDC_WIN_OPACITY_GROUP, lang::kOpacityGroup},
        {IDC_WIN_PRIORITY_GROUP, lang::kPriorityGroup},
        {IDC_WIN_PRIORITY_LOW, lang::kPriorityLow},
        {IDC_WIN_PRIORITY_NORMAL, lang::kPriorityNormal},
        {IDC_WIN_PRIORITY_HIGH, lang::kPriorityHigh},
        {IDC_WIN_SMOOTH_GROUP, lang::kSmoothingGroup},
        {IDC_WIN_SMOOTH_NONE, lang::kSmoothingNone},
        {IDC_WIN_SMOOTH_SYSTEM, lang::kSmoothingSystem},
        {IDC_WIN_SMOOTH_OWN, lang::kSmoothingOwn},
        {IDC_WIN_WINDOW_GROUP, lang::kWindowGroup},
        {IDC_WIN_ON_TOP, lang::kOnTopBox},
        {IDC_WIN_PIN_TO_DESKTOP, lang::kPinToDesktopBox},
        {IDC_WIN_CLICK_THROUGH, lang::kClickThroughBox},
        {IDC_WIN_UNMOVABLE, lang::kUnmovableBox},
        {IDC_WIN_LIMIT_POS, lang::kLimitWinPosBox},
        {IDC_WIN_START_GROUP, lang::kStartupGroup},
        {IDC_WIN_START_ALL_USERS, lang::kAutostartAllUsers},
        {IDC_WIN_START_THIS_USER, lang::kAutostartThisUser},
        {IDC_WIN_DONT_REPOS, lang::kDontReposWindowBox},
        {IDC_WIN_LANGUAGE_GROUP, lang::kLanguageGroup},
        {IDC_WIN_TIME_IN_TRAY, lang::kTimeInTrayBox},
        {IDC_WIN_HIDE_ALT_TAB, lang::kHideFromAltTabBox},
        {IDC_WIN_MULTIPLE, lang::kMultipleInstancesBox},
        {IDC_WIN_USE_ALPHA2, lang::kEnable},
        {IDC_WIN_ALPHA2_GROUP, lang::kSecondOpacityGroup},
    };
    for (const auto& t : kTexts)
        ::SetDlgItemTextA(page, t.control, Text(t.text));

    const OptionValues options = clock_.Options();
    startSmoothing_ = options.AAMethod;
    CPropertyPage::OnInitDialog();

    ::SendMessageA(alphaSlider_, TBM_SETRANGE, FALSE, MAKELPARAM(1, 255));
    ::SendMessageA(alpha2Slider_, TBM_SETRANGE, FALSE, MAKELPARAM(0, 255));
    ::SendMessageA(alphaSlider_, TBM_SETPOS, TRUE, options.Alpha);
    ::SendMessageA(alpha2Slider_, TBM_SETPOS, TRUE, options.Alpha2);
    ::CheckRadioButton(page, IDC_WIN_SMOOTH_NONE, IDC_WIN_SMOOTH_OWN,
                       kSmoothingButtons[std::min<int>(options.AAMethod, 2)]);
    ::SetDlgItemInt(page, IDC_WIN_ALPHA_VALUE, options.Alpha, FALSE);
    ::SetDlgItemInt(page, IDC_WIN_ALPHA2_VALUE, options.Alpha2, FALSE);
    if (!clock_.LayeredSupported()) {
        for (int id :
             {IDC_WIN_ALPHA, IDC_WIN_ALPHA2, IDC_WIN_CLICK_THROUGH, IDC_WIN_PIN_TO_DESKTOP, IDC_WIN_USE_ALPHA2})
            ::EnableWindow(::GetDlgItem(page, id), FALSE);
    }

    ::SendMessageA(prioritySlider_, TBM_SETRANGE, FALSE, MAKELPARAM(0, 4));
    ::SendMessageA(prioritySlider_, TBM_SETPOS, TRUE, options.Priority);

    clickThrough_ = options.ClickThrough;
    dontReposWindow_ = options.DontReposWindow;
    limitWinPos_ = options.LimitWinPos;
    onTop_ = options.OnTop;
    pinToDesktop_ = options.PinToDesktop;
    unmovable_ = options.UnmovableWin;
    timeInTray_ = options.TimeInSysTray;
    hideFromAltTab_ = options.HideFromAltTab;
    multipleInstances_ = options.MultipleInstances;
    useAlpha2_ = options.UseAlpha2;
    if (!useAlpha2_)
        ::EnableWindow(alpha2Slider_, FALSE);

    startAllUsers_ = startAllUsersFound_ = AutostartPresent(autostartKeys_.machineRoot, autostartKeys_.path) ? 1 : 0;
    startThisUser_ = startThisUserFound_ = AutostartPresent(autostartKeys_.userRoot, autostartKeys_.path) ? 1 : 0;

    for (const std::string& name : ListFileNames(clock_.AppFolder() + "Lang\\*.lng"))
        ::SendMessageA(languageList_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (!options.LangFile.empty()) {
        const LRESULT index = ::SendMessageA(languageList_, CB_FINDSTRINGEXACT, WPARAM(-1),
                                             reinterpret_cast<LPARAM>(options.LangFile.c_str()));
        if (index != CB_ERR)
            ::SendMessageA(languageList_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }

    UpdateData(false);
    return TRUE;
}

int CPropPageOptWin::SliderPosition(HWND slider) const {
    return static_cast<int>(::SendMessageA(slider, TBM_GETPOS, 0, 0));
}

int CPropPageOptWin::CheckedSmoothing() const {
    for (int i = 0; i < 3; ++i)
        if (::IsDlgButtonChecked(Handle(), kSmoothingButtons[i]) == BST_CHECKED)
            return i;
    return clock_.Options().AAMethod;
}

bool CPropPageOptWin::OnCommand(WORD id, WORD notifyCode, HWND control) {
    if (notifyCode != BN_CLICKED)
        return CPropertyPage::OnCommand(id, notifyCode, control);
    switch (id) {
        case IDC_WIN_SMOOTH_NONE:
        case IDC_WIN_SMOOTH_SYSTEM:
        case IDC_WIN_SMOOTH_OWN:
            OnSmoothingClicked(id - IDC_WIN_SMOOTH_NONE);
            return true;
        case IDC_WIN_ON_TOP:
            OnExclusiveClicked(onTop_, pinToDesktop_);
            return true;
        case IDC_WIN_PIN_TO_DESKTOP:
            OnExclusiveClicked(pinToDesktop_, onTop_);
            return true;
        case IDC_WIN_USE_ALPHA2:
            OnUseAlpha2Clicked();
            return true;
        default:
            return CPropertyPage::OnCommand(id, notifyCode, control);
    }
}

void CPropPageOptWin::OnHScroll(WORD code, WORD position, HWND control) {
    if (control && (control == alphaSlider_ || control == alpha2Slider_)) {
        const int alpha = SliderPosition(control);
        ::SetDlgItemInt(Handle(), control == alphaSlider_ ? IDC_WIN_ALPHA_VALUE : IDC_WIN_ALPHA2_VALUE,
                        static_cast<UINT>(alpha), FALSE);
        clock_.SetWindowAlpha(static_cast<uint8_t>(alpha));
    }
    CPropertyPage::OnHScroll(code, position, control);
}

void CPropPageOptWin::OnSmoothingClicked(int method) {
    OptionValues options = clock_.Options();
    if (options.AAMethod == method)
        return;
    options.AAMethod = static_cast<uint8_t>(method);
    clock_.SetOptions(options);
    clock_.LoadPreset(clock_.PresetPath());
}

void CPropPageOptWin::OnExclusiveClicked(int& ticked, int& other) {
    UpdateData(true);
    if (ticked)
        other = 0;
    UpdateData(false);
}

void CPropPageOptWin::OnUseAlpha2Clicked() {
    UpdateData(true);
    ::EnableWindow(alpha2Slider_, useAlpha2_ ? TRUE : FALSE);
    UpdateData(false);
}

void CPropPageOptWin::OnOK() {
    if (!UpdateData(true))
        return;
    WindowChoice choice;
    choice.alpha = SliderPosition(alphaSlider_);
    choice.alpha2 = SliderPosition(alpha2Slider_);
    choice.aaMethod = CheckedSmoothing();
    choice.priority = SliderPosition(prioritySlider_);
    choice.language = SelectedComboText(languageList_);
    choice.onTop = onTop_;
    choice.pinToDesktop = pinToDesktop_;
    choice.clickThrough = clickThrough_;
    choice.unmovable = unmovable_;
    choice.limitWinPos = limitWinPos_;
    choice.hideFromAltTab = hideFromAltTab_;
    choice.timeInTray = timeInTray_;
    choice.dontReposWindow = dontReposWindow_;
    choice.multipleInstances = multipleInstances_;
    choice.useAlpha2 = useAlpha2_;

    OptionValues options = clock_.Options();
    const WindowChoiceSteps steps = ApplyWindowChoice(choice, clock_.LayeredSupported(), options);
    if (steps.stopHoverWatch)
        clock_.StopHoverWatch();
    clock_.SetOptions(options);
    // A slider preview may have left the window at another opacity.
    if (clock_.CurrentAlpha() != options.Alpha)
        clock_.SetWindowAlpha(options.Alpha);
    clock_.ApplyPriority(options.Priority);
    if (!steps.switchLanguage.empty() && clock_.SwitchLanguage(steps.switchLanguage)) {
        OptionValues switched = clock_.Options();
        switched.LangFile = steps.switchLanguage;
        clock_.SetOptions(switched);
    }
    clock_.ApplyWindowOptions();
    if (steps.trayTimeChanged)
        clock_.ApplyTrayTime();
    if (steps.startHoverWatch)
        clock_.StartHoverWatch();

    if (startAllUsers_ != startAllUsersFound_)
        SetAutostartForAllUsers(autostartKeys_, startAllUsers_ != 0, clock_.IsVistaOrLater(), Handle());
    if (startThisUser_ != startThisUserFound_)
        SetAutostartForThisUser(autostartKeys_, startThisUser_ != 0);
}

void CPropPageOptWin::OnCancel() {
    OptionValues options = clock_.Options();
    if (options.AAMethod != startSmoothing_) {
        options.AAMethod = startSmoothing_;
        clock_.SetOptions(options);
        clock_.LoadPreset(clock_.PresetPath());
    }
    if (clock_.CurrentAlpha() != options.Alpha)
        clock_.SetWindowAlpha(options.Alpha);
}
