#include "options/window_choice.h"

#include <gtest/gtest.h>

namespace {

OptionValues Stored() {
    OptionValues o;
    o.Alpha = 200;
    o.Alpha2 = 100;
    o.UseAlpha2 = 1;
    o.AAMethod = 1;
    o.Priority = 2;
    o.LangFile = "english.lng";
    o.PinToDesktop = 1;
    o.ClickThrough = 1;
    o.TimeInSysTray = 1;
    return o;
}

// The page as it opens on Stored(): OK changes nothing.
WindowChoice Unchanged() {
    WindowChoice c;
    c.alpha = 200;
    c.alpha2 = 100;
    c.useAlpha2 = 1;
    c.aaMethod = 1;
    c.priority = 2;
    c.language = "english.lng";
    c.pinToDesktop = 1;
    c.clickThrough = 1;
    c.timeInTray = 1;
    return c;
}

}  // namespace

TEST(WindowChoice, UnchangedPageKeepsEveryOption) {
    OptionValues o = Stored();
    const WindowChoiceSteps steps = ApplyWindowChoice(Unchanged(), true, o);
    EXPECT_EQ(o.Alpha, 200);
    EXPECT_EQ(o.Alpha2, 100);
    EXPECT_EQ(o.PinToDesktop, 1);
    EXPECT_EQ(o.ClickThrough, 1);
    EXPECT_EQ(o.LangFile, "english.lng");
    EXPECT_TRUE(steps.switchLanguage.empty());
    EXPECT_FALSE(steps.trayTimeChanged);
    // The hover watch restarts on the new options.
    EXPECT_TRUE(steps.stopHoverWatch);
    EXPECT_TRUE(steps.startHoverWatch);
}

TEST(WindowChoice, OptionsTurnOffAsWellAsOn) {
    struct Case {
        const char* what;
        void (*change)(WindowChoice&);
        bool (*check)(const OptionValues&, const WindowChoiceSteps&);
    } cases[] = {
        {"click-through off", [](WindowChoice& c) { c.clickThrough = 0; },
         [](const OptionValues& o, const WindowChoiceSteps&) { return o.ClickThrough == 0; }},
        {"on top clears pinning", [](WindowChoice& c) { c.onTop = 1; },
         [](const OptionValues& o, const WindowChoiceSteps&) { return o.OnTop == 1 && o.PinToDesktop == 0; }},
        {"second opacity off", [](WindowChoice& c) { c.useAlpha2 = 0; },
         [](const OptionValues& o, const WindowChoiceSteps& s) {
             return o.UseAlpha2 == 0 && s.stopHoverWatch && !s.startHoverWatch;
         }},
        {"tray time off", [](WindowChoice& c) { c.timeInTray = 0; },
         [](const OptionValues& o, const WindowChoiceSteps& s) { return o.TimeInSysTray == 0 && s.trayTimeChanged; }},
        {"hide from task switch on", [](WindowChoice& c) { c.hideFromAltTab = 1; },
         [](const OptionValues& o, const WindowChoiceSteps&) { return o.HideFromAltTab == 1; }},
        {"language", [](WindowChoice& c) { c.language = "deutsch.lng"; },
         [](const OptionValues& o, const WindowChoiceSteps& s) {
             // LangFile changes only once the file has loaded.
             return s.switchLanguage == "deutsch.lng" && o.LangFile == "english.lng";
         }},
        {"no language selected", [](WindowChoice& c) { c.language.clear(); },
         [](const OptionValues&, const WindowChoiceSteps& s) { return s.switchLanguage.empty(); }},
        {"opacity, smoothing, priority",
         [](WindowChoice& c) {
             c.alpha = 50;
             c.alpha2 = 0;
             c.aaMethod = 2;
             c.priority = 4;
         },
         [](const OptionValues& o, const WindowChoiceSteps&) {
             return o.Alpha == 50 && o.Alpha2 == 0 && o.AAMethod == 2 && o.Priority == 4;
         }},
    };
    for (const Case& c : cases) {
        OptionValues o = Stored();
        WindowChoice choice = Unchanged();
        c.change(choice);
        const WindowChoiceSteps steps = ApplyWindowChoice(choice, true, o);
        EXPECT_TRUE(c.check(o, steps)) << c.what;
    }
}

TEST(WindowChoice, WithoutLayeredWindowsOpacityAndLayeredOnlyOptionsStay) {
    OptionValues o = Stored();
    WindowChoice c = Unchanged();
    c.alpha = 10;
    c.alpha2 = 20;
    c.clickThrough = 0;
    c.pinToDesktop = 0;
    const WindowChoiceSteps steps = ApplyWindowChoice(c, false, o);
    EXPECT_EQ(o.Alpha, 200);
    EXPECT_EQ(o.ClickThrough, 1);
    EXPECT_EQ(o.PinToDesktop, 1);
    EXPECT_EQ(o.Alpha2, 20);
    EXPECT_FALSE(steps.startHoverWatch);
}
