#pragma once
// What the options sheet needs of the clock window. The clock implements it;
// the sheet and its pages see the clock only through it, so this folder never
// reaches into the clock window itself.

#include <windows.h>

#include <cstdint>
#include <string>

#include "options/option_values.h"
#include "options/shown_time_win.h"

class SettingsStore;

class ClockOptionsTarget {
public:
    virtual ~ClockOptionsTarget() = default;

    // The options as the clock has them now.
    virtual OptionValues Options() const = 0;
    // Takes new option values. By itself this changes nothing on the screen:
    // the appliers below (and LoadPreset, which builds with the zoom and
    // smoothing options) make them visible.
    virtual void SetOptions(const OptionValues& values) = 0;

    virtual SettingsStore& Store() = 0;
    // Ends with a backslash.
    virtual std::string AppFolder() const = 0;
    // The full path of the preset the clock draws now.
    virtual std::string PresetPath() const = 0;
    // All or nothing: on failure the clock keeps drawing the preset it had.
    virtual bool LoadPreset(const std::string& path) = 0;
    // The next tick composes a frame, whatever the redraw cadence says.
    virtual void RedrawAtNextTick() = 0;

    // The opacity the window shows, without changing the options.
    virtual void SetWindowAlpha(uint8_t alpha) = 0;
    virtual uint8_t CurrentAlpha() const = 0;
    virtual void ApplyPriority(int priority) = 0;
    // Extended styles and z-order as the options say, set and cleared alike.
    virtual void ApplyWindowOptions() = 0;
    // The tray tooltip after TimeInSysTray changed: "Tavix" at once when it was
    // turned off, the time at the next tick when it was turned on.
    virtual void ApplyTrayTime() = 0;
    virtual void StartHoverWatch() = 0;
    virtual void StopHoverWatch() = 0;
    // Loads Lang\<fileName> in place of the current language; on failure the
    // current language stays and the user is told. True when switched.
    virtual bool SwitchLanguage(const std::string& fileName) = 0;
    // Runs a plug-in's own settings dialog with `owner` as its parent.
    virtual void ConfigurePlugin(const std::string& fileName, HWND owner) = 0;

    virtual HWND Window() const = 0;
    virtual bool IsNT() const = 0;
    // What the time-zone page shows and changes: the clock's own values and
    // the time it shows, which outlive the sheet.
    struct ZoneChoice {
        std::string& defaultTimeZone;
        int32_t& multipleTimeZones;
        ShownTime& shownTime;
    };
    virtual ZoneChoice Zone() = 0;
    virtual bool IsVistaOrLater() const = 0;
    virtual bool LayeredSupported() const = 0;
};
