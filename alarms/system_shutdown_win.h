#pragma once
// Shuts the computer down for an alarm: on NT a 60-second notice with
// language string 12 and applications forced closed; elsewhere at once.

void ShutDownSystem(bool isNT);
