#pragma once
// Resource ids of the seconds ring plug-in.

#define IDD_RING_CONFIG 100
#define IDC_RING_SWATCH 1001
#define IDC_RING_CHOOSE_COLOR 1002
#define IDC_RING_WIDTH 1003
#define IDC_RING_SIZE 1004
