#pragma once

#define IDM_BIG 40001
#define IDM_SMALL 40002
