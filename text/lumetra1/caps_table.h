// The 20 GetDeviceCaps rows Lumetra1 reports, in the packed form of stored_table.h.
#pragma once

#include "text/stored_table.h"

enum : uint32_t { CAPS_ROWS = 20 };

extern const unsigned char* const caps_stored;
extern const size_t caps_stored_size;
