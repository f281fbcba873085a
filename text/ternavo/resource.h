// String table entries.
#define IDS_APPNAME 1 // the window class name
#define IDS_CAPTION 2 // the window caption
#define IDS_ERRMSG 3  // shown when the main window cannot be made
