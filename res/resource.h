#pragma once
// Resource and command ids shared by the .rc file and the code.

#define IDD_CLOCK 102
#define IDI_TAVIX 31234
#define IDT_CLOCK_TIMER 1
#define IDT_HOVER_TIMER 8
#define TRAY_ICON_ID 31234
#define TAVIX_VERSION_NUMBERS 1, 0, 0, 0
#define TAVIX_VERSION_TEXT "1.0.0.0"
#define IDD_SHOW_ALARM 112
#define IDC_ALARM_DESCRIPTION 1041

// Posted to the clock window so that it comes back wholly onto the screen: the
// dialog manager's own reposition request.
#define WM_TAVIX_REPOSITION (WM_USER + 2)
