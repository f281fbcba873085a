#pragma once

#define IDM_FILE_OPEN 40001
