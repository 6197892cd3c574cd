#include "alarms/alarms_dialog_host.h"

#include <algorithm>
#include <vector>

namespace {

// One user-interface thread: no lock.
std::vector<AlarmsListView*>& OpenViews() {
    static std::vector<AlarmsListView*> views;
    return views;
}

}  // namespace

void RegisterOpenAlarmsDialog(AlarmsListView* view) {
    if (view && std::find(OpenViews().begin(), OpenViews().end(), view) == OpenViews().end())
        OpenViews().push_back(view);
}

void UnregisterOpenAlarmsDialog(AlarmsListView* view) {
    auto& views = OpenViews();
    views.erase(std::remove(views.begin(), views.end(), view), views.end());
}

AlarmsListView* OpenAlarmsDialog() {
    return OpenViews().empty() ? nullptr : OpenViews().back();
}

void RefillOpenAlarmsDialogs() {
    // A copy: a refill may run a message loop in which a dialog closes.
    const std::vector<AlarmsListView*> views = OpenViews();
    for (AlarmsListView* view : views) {
        const auto& now = OpenViews();
        if (std::find(now.begin(), now.end(), view) != now.end())
            view->Refill();
    }
}
