// Ids of venmora2's resources.
#pragma once

#define IDD_COLORSCR L"COLORSCRDLG"

// The red, green and blue scroll bars, and under each the number showing its value (bar id + 3).
#define IDC_RED_BAR 10
#define IDC_GREEN_BAR 11
#define IDC_BLUE_BAR 12
#define IDC_RED_VALUE 13
#define IDC_GREEN_VALUE 14
#define IDC_BLUE_VALUE 15
