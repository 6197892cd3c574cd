#pragma once
// The clock's place among the running clocks: the named mutexes "Tavix",
// "Tavix2" and "Tavix3", one per clock while several zones are shown. The
// clock holding "Tavix" rings the alarms; when it ends, the system drops the
// name with its last handle, and the next clock to ask takes it over.

#include "win/unique_handle.h"

class InstanceSlot {
public:
    // The instance check of the clock's creation; false when it is refused.
    bool Claim(bool multipleInstances, bool multipleTimeZones);
    // Whether this clock rings the alarms; asked at every tick. A clock that
    // takes "Tavix" over gives up its own slot for a later start.
    bool RingsAlarms();
    void Release();

private:
    UniqueKernelHandle mutex_;
    bool first_ = false;
};
