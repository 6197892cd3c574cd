#include "core/language_defaults.h"

#include "core/language_strings.h"
#include "core/language_table.h"

namespace {

struct Default {
    int number;
    const char* text;
};

constexpr Default kDefaults[] = {
    {lang::kSnoozeButton, "Snooze"},
    {lang::kMissedAlarmsHeading, "These alarms fell due while the computer slept or no clock was running:"},
};

static_assert(sizeof kDefaults / sizeof kDefaults[0] == kLastLanguageString - kLanguageStringCount,
              "every optional text has a default");

}  // namespace

const char* OptionalLanguageDefault(int n) {
    for (const Default& d : kDefaults) {
        if (d.number == n)
            return d.text;
    }
    return "";
}
