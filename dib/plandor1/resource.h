#pragma once

#define IDM_FILE_OPEN 40001
#define IDM_FILE_SAVE 40002
