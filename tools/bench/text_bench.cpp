// text_bench [iterations]: the metrics viewer's 75 rows (label padded to 22 characters, the
// description to 40, the current value right-aligned in 5) built as one line each, once with the
// runtime's dynamic strings and the temporary text area and once with std::wstring, alternately,
// fifteen times each. Prints "runtime_us<TAB>wstring_us": the median time of one pass over the
// rows. The values are read once before: under Wine each GetSystemMetrics call costs far more
// than building its row, and would hide what is measured here.
#include "runtime/runtime.h"
#include "text/metrics_table.h"
#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>

static struct {
    table_row* table;
    int values[METRICS_ROWS];
    wchar_t* rows[METRICS_ROWS];
} g;

static double now_us() {
    static LARGE_INTEGER f = [] {
        LARGE_INTEGER v;
        QueryPerformanceFrequency(&v);
        return v;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1e6 / double(f.QuadPart);
}

static void with_runtime() {
    for (uint32_t i = 0; i < METRICS_ROWS; i++) {
        const table_row& r = g.table[i];
        const size_t start = rt.temp_top;
        pad_right_spaces(r.label, 22, start);
        pad_right_spaces(r.description, 40, rt.temp_top);
        push_number_column(g.values[i], 5, rt.temp_top);
        str_assign_from_temp(&g.rows[i], start);
    }
}

static void with_wstring(std::vector<std::wstring>& rows) {
    for (uint32_t i = 0; i < METRICS_ROWS; i++) {
        const table_row& r = g.table[i];
        std::wstring row = r.label;
        row.resize(std::max<size_t>(row.size(), 22), L' ');
        const size_t at = row.size();
        row += r.description;
        row.resize(std::max<size_t>(row.size(), at + 40), L' ');
        std::wstring value = std::to_wstring(g.values[i]);
        if (value.size() < 5) row.append(5 - value.size(), L' ');
        row += value;
        rows[i] = std::move(row);
    }
}

static double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int wmain(int argc, wchar_t** argv) {
    process_start(&g, sizeof g, 0);
    const int iterations = argc > 1 ? _wtoi(argv[1]) : 200;
    if (!metrics_load(&g.table) || iterations <= 0) process_end(1);
    for (uint32_t i = 0; i < METRICS_ROWS; i++)
        g.values[i] = GetSystemMetrics(g.table[i].index);
    std::vector<std::wstring> rows(METRICS_ROWS);
    std::vector<double> a, b;
    for (int round = 0; round < 15; round++) {
        double t0 = now_us();
        for (int i = 0; i < iterations; i++)
            with_runtime();
        double t1 = now_us();
        for (int i = 0; i < iterations; i++)
            with_wstring(rows);
        double t2 = now_us();
        a.push_back((t1 - t0) / iterations);
        b.push_back((t2 - t1) / iterations);
    }
    // Both built the same lines.
    for (uint32_t i = 0; i < METRICS_ROWS; i++)
        if (rows[i] != g.rows[i]) {
            fwprintf(stderr, L"row %u differs: '%ls' and '%ls'\n", i, g.rows[i], rows[i].c_str());
            process_end(1);
        }
    wprintf(L"%.2f\t%.2f\n", median(a), median(b));
    fflush(stdout);
    process_end(0);
}
