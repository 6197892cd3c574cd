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

// Alarms list dialog.
#define IDD_ALARMS 107
#define IDC_ALARMS_LIST 1024
#define IDC_ALARMS_NEW 1031
#define IDC_ALARMS_EDIT 1041
#define IDC_ALARMS_DELETE 1042
#define IDC_ALARMS_TEST 1045
// Alarm edit dialog; the date, time and weekday controls are made at run time.
#define IDD_ALARM_EDIT 108
#define IDC_EDIT_SOUND_CHECK 1012
#define IDC_EDIT_DATE 1014
#define IDC_EDIT_REPEAT 1025
#define IDC_EDIT_NOTICE_CHECK 1026
#define IDC_EDIT_PROGRAM_CHECK 1027
#define IDC_EDIT_DESCRIPTION 1028
#define IDC_EDIT_WEEKDAYS 1029
#define IDC_EDIT_PROGRAM 1030
#define IDC_EDIT_NAME 1039
#define IDC_EDIT_TIME 1040
#define IDC_EDIT_SOUND 1046
#define IDC_EDIT_SHUTDOWN_CHECK 1047
#define IDC_EDIT_BROWSE_SOUND 1049
#define IDC_EDIT_BROWSE_PROGRAM 1050
#define IDC_EDIT_NAME_LABEL 1061
#define IDC_EDIT_REPEAT_LABEL 1062
#define IDC_EDIT_TIME_LABEL 1063
#define IDC_EDIT_ACTIONS 1064
#define IDC_EDIT_NOTICE_LABEL 1065
#define IDC_EDIT_MINUTES 1083
#define IDC_EDIT_MINUTES_LABEL 1084
#define IDC_EDIT_START_LABEL 1085
#define IDC_EDIT_SECONDS 1086
#define IDC_EDIT_SECONDS_LABEL 1088
#define IDC_EDIT_LOOP_CHECK 1090
// Time-zone page of the options sheet.
#define IDD_PROP_PAGE_TZ 106
#define IDC_TZ_COMBO 1095
#define IDC_TZ_GROUP 1096
#define IDC_TZ_MULTIPLE_GROUP 1097
#define IDC_TZ_MULTIPLE 1098

// Posted to the clock window so that it comes back wholly onto the screen: the
// dialog manager's own reposition request.
#define WM_TAVIX_REPOSITION (WM_USER + 2)

// Commands of the clock's context menu.
#define ID_CMD_OPTIONS 32776
#define ID_CMD_ABOUT 32777
#define ID_CMD_EXIT 32778
#define ID_CMD_CLICK_THROUGH 32779
#define ID_CMD_UNMOVABLE 32780
#define ID_CMD_ON_TOP 32781
#define ID_CMD_CALENDAR 32782
#define ID_CMD_ALARMS 32783

// About box and month calendar; both use the clock's empty template (IDD_CLOCK).
#define IDB_ABOUT 136
#define IDC_MONTH_CALENDAR 1036
