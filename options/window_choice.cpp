#include "options/window_choice.h"

#include <algorithm>
#include <cstdint>

namespace {

int Flag(int value) {
    return value != 0 ? 1 : 0;
}

}  // namespace

WindowChoiceSteps ApplyWindowChoice(const WindowChoice& choice, bool layeredSupported, OptionValues& options) {
    WindowChoiceSteps steps;
    steps.stopHoverWatch = options.UseAlpha2 != 0;

    options.AAMethod = static_cast<uint8_t>(std::clamp(choice.aaMethod, 0, 2));
    if (layeredSupported)
        options.Alpha = static_cast<uint8_t>(std::clamp(choice.alpha, 1, 255));
    options.Alpha2 = static_cast<uint8_t>(std::clamp(choice.alpha2, 0, 255));
    options.Priority = std::clamp(choice.priority, 0, 4);

    if (!choice.language.empty() && choice.language != options.LangFile)
        steps.switchLanguage = choice.language;

    // The page never leaves both set; should both arrive, on top wins.
    options.OnTop = Flag(choice.onTop);
    options.LimitWinPos = Flag(choice.limitWinPos);
    options.UnmovableWin = Flag(choice.unmovable);
    options.DontReposWindow = Flag(choice.dontReposWindow);
    options.MultipleInstances = Flag(choice.multipleInstances);
    options.UseAlpha2 = Flag(choice.useAlpha2);
    options.HideFromAltTab = Flag(choice.hideFromAltTab);

    steps.trayTimeChanged = Flag(choice.timeInTray) != Flag(options.TimeInSysTray);
    options.TimeInSysTray = Flag(choice.timeInTray);

    if (layeredSupported) {
        options.ClickThrough = Flag(choice.clickThrough);
        options.PinToDesktop = options.OnTop ? 0 : Flag(choice.pinToDesktop);
    }
    steps.startHoverWatch = options.UseAlpha2 != 0 && layeredSupported;
    return steps;
}
