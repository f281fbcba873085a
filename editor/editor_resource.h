// Resource ids of the full editor (menus, accelerators, dialogs).
#pragma once

#define IDM_NEW 40001
#define IDM_OPEN 40002
#define IDM_SAVE 40003
#define IDM_SAVEAS 40004
#define IDM_PRINT 40005
#define IDM_EXIT 40006
#define IDM_UNDO 40007
#define IDM_CUT 40008
#define IDM_COPY 40009
#define IDM_PASTE 40010
#define IDM_DELETE 40011
#define IDM_SELALL 40012
#define IDM_FIND 40013
#define IDM_NEXT 40014
#define IDM_REPLACE 40015
#define IDM_FONT 40016
#define IDM_HELP 40017
#define IDM_ABOUT 40018

#define IDC_EDIT 1
#define IDC_PRINT_TITLE 1000
