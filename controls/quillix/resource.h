// Ids of quillix's resources. Every button's id is the character code of the key that presses it;
// the display is the button of the Escape character.
#pragma once

#define IDD_QUILLIX L"QUILLIX"
#define IDI_QUILLIX L"QUILLIX"

#define IDC_BACK 8
#define IDC_DISPLAY 27
