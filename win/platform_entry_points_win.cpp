#include "win/platform_entry_points_win.h"

UpdateLayeredWindowFn TheUpdateLayeredWindow = nullptr;
UpdateLayeredWindowIndirectFn TheUpdateLayeredWindowIndirect = nullptr;
TzSpecificLocalTimeFn TheSystemTimeToTzSpecificLocalTime = nullptr;
