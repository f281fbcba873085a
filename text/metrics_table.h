// The system metrics table shared by the metrics viewers: 75 rows of GetSystemMetrics index, label
// and description, kept in the packed form of stored_table.h.
#pragma once

#include "text/stored_table.h"

enum : uint32_t { METRICS_ROWS = 75 };

extern const unsigned char* const metrics_stored;
extern const size_t metrics_stored_size;

// Loads the 75 rows into *table; null when the array could not be made.
inline const unsigned char* metrics_load(table_row** table) {
    return table_load(table, metrics_stored, METRICS_ROWS);
}
