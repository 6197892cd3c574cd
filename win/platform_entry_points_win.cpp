#include "win/platform_entry_points_win.h"

UpdateLayeredWindowFn TheUpdateLayeredWindow = nullptr;
TzSpecificLocalTimeFn TheSystemTimeToTzSpecificLocalTime = nullptr;
