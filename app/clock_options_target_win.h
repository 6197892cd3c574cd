#pragma once
// The clock window as the options sheet sees it.

#include "options/clock_options_target_win.h"

class CTavixDlg;

class ClockOptionsAdapter : public ClockOptionsTarget {
public:
    explicit ClockOptionsAdapter(CTavixDlg& clock) : clock_(clock) {}

    OptionValues Options() const override;
    void SetOptions(const OptionValues& values) override;
    SettingsStore& Store() override;
    std::string AppFolder() const override;
    std::string PresetPath() const override;
    bool LoadPreset(const std::string& path) override;
    void RedrawAtNextTick() override;
    void SetWindowAlpha(uint8_t alpha) override;
    uint8_t CurrentAlpha() const override;
    void ApplyPriority(int priority) override;
    void ApplyWindowOptions() override;
    void ApplyTrayTime() override;
    void StartHoverWatch() override;
    void StopHoverWatch() override;
    bool SwitchLanguage(const std::string& fileName) override;
    void ConfigurePlugin(const std::string& fileName, HWND owner) override;
    HWND Window() const override;
    bool IsNT() const override;
    ZoneChoice Zone() override;
    bool IsVistaOrLater() const override;
    bool LayeredSupported() const override;

private:
    CTavixDlg& clock_;
};
