#pragma once
// What the window page's OK does to the options, worked out without a window:
// the new option values and the steps the clock has to take for them.

#include <string>

#include "options/option_values.h"

// The page's controls as OK finds them.
struct WindowChoice {
    int alpha = 255;       // opacity slider, 1..255
    int alpha2 = 255;      // second-opacity slider, 0..255
    int aaMethod = 0;      // the checked smoothing button, 0..2
    int priority = 2;      // priority slider, 0..4
    std::string language;  // the selected language file; empty when none is
    int onTop = 0;
    int pinToDesktop = 0;
    int clickThrough = 0;
    int unmovable = 0;
    int limitWinPos = 0;
    int hideFromAltTab = 0;
    int timeInTray = 0;
    int dontReposWindow = 0;
    int multipleInstances = 0;
    int useAlpha2 = 0;
};

struct WindowChoiceSteps {
    // The hover watch runs on the old options: stop it before they change.
    bool stopHoverWatch = false;
    // A language file to switch to; empty to keep the current one.
    std::string switchLanguage;
    // The tray time was switched: the tooltip changes now.
    bool trayTimeChanged = false;
    // The new options want the hover watch.
    bool startHoverWatch = false;
};

// Applies the page to `options`. Without layered windows the opacity,
// click-through and pin to desktop are left as they are (the window could not
// show them); the second opacity is still taken. LangFile is not changed here:
// it changes only once the new file has loaded.
WindowChoiceSteps ApplyWindowChoice(const WindowChoice& choice, bool layeredSupported, OptionValues& options);
