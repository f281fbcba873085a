// Ids of nuvelle2's resources.
#pragma once

#define IDI_NUVELLE2 L"NUVELLE2"
#define IDD_ABOUTBOX L"AboutBox"

#define IDM_ABOUT 40001

// The colour radio buttons in the order of the colour table, then the figures and the area the
// dialog draws the choice in.
#define IDC_BLACK 1000
#define IDC_BLUE 1001
#define IDC_GREEN 1002
#define IDC_CYAN 1003
#define IDC_RED 1004
#define IDC_MAGENTA 1005
#define IDC_YELLOW 1006
#define IDC_WHITE 1007
#define IDC_RECT 1008
#define IDC_ELLIPSE 1009
#define IDC_PAINT 1010
