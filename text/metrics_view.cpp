#include "text/metrics_view.h"

void metrics_measure(metrics_view* v, HWND hwnd) {
    HDC dc = GetDC(hwnd);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    v->cx_char = tm.tmAveCharWidth;
    // Bit 0 of the pitch field set means a variable-pitch font, whose capitals run wider.
    v->cx_caps = (tm.tmPitchAndFamily & 1) ? v->cx_char * 3 / 2 : v->cx_char;
    v->cy_char = tm.tmHeight + tm.tmExternalLeading;
    v->max_width = 40 * v->cx_char + 22 * v->cx_caps;
    ReleaseDC(hwnd, dc);
}

static void text_out(HDC dc, int x, int y, const wchar_t* text) {
    TextOutW(dc, x, y, text, static_cast<int>(str_length(text)));
}

void metrics_draw_row(const metrics_view* v, HDC dc, int x0, int y, const table_row* row) {
    text_out(dc, x0, y, row->label);
    text_out(dc, x0 + 22 * v->cx_caps, y, row->description);
    SetTextAlign(dc, TA_RIGHT | TA_TOP);
    const size_t start = rt.temp_top;
    push_number_column(GetSystemMetrics(row->index), 5, start);
    text_out(dc, x0 + 22 * v->cx_caps + 40 * v->cx_char, y, temp_text(start));
    rt.temp_top = start;
    SetTextAlign(dc, TA_LEFT | TA_TOP);
}

void metrics_on_size(metrics_view* v, HWND hwnd, LPARAM lp) {
    v->cx_client = LOWORD(lp);
    v->cy_client = static_cast<short>(HIWORD(lp));
    SCROLLINFO si;
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = METRICS_ROWS - 1;
    si.nPage = static_cast<UINT>(v->cy_client / v->cy_char);
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
    si.nMax = 2 + v->max_width / v->cx_char;
    si.nPage = static_cast<UINT>(v->cx_client / v->cx_char);
    SetScrollInfo(hwnd, SB_HORZ, &si, TRUE);
}

// Sets the bar's new position and returns what the platform made of it (it clamps to the range
// less the page).
static int set_position(HWND hwnd, int bar, SCROLLINFO* si) {
    si->fMask = SIF_POS;
    SetScrollInfo(hwnd, bar, si, TRUE);
    GetScrollInfo(hwnd, bar, si);
    return si->nPos;
}

void metrics_on_vscroll(const metrics_view* v, HWND hwnd, WPARAM wp) {
    SCROLLINFO si;
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd, SB_VERT, &si);
    const int old = si.nPos;
    switch (LOWORD(wp)) {
    case SB_TOP: si.nPos = si.nMin; break;
    case SB_BOTTOM: si.nPos = si.nMax; break;
    case SB_LINEUP: si.nPos -= 1; break;
    case SB_LINEDOWN: si.nPos += 1; break;
    case SB_PAGEUP: si.nPos -= si.nPage; break;
    case SB_PAGEDOWN: si.nPos += si.nPage; break;
    case SB_THUMBTRACK: si.nPos = si.nTrackPos; break;
    }
    const int now = set_position(hwnd, SB_VERT, &si);
    if (now != old) {
        ScrollWindow(hwnd, 0, v->cy_char * (old - now), nullptr, nullptr);
        // No visible effect once the window is idle: the uncovered rows are painted at once
        // rather than after the next messages, so that fast scrolling never shows them blank.
        UpdateWindow(hwnd);
    }
}

void metrics_on_hscroll(const metrics_view* v, HWND hwnd, WPARAM wp) {
    SCROLLINFO si;
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd, SB_HORZ, &si);
    const int old = si.nPos;
    switch (LOWORD(wp)) {
    case SB_LINELEFT: si.nPos -= 1; break;
    case SB_LINERIGHT: si.nPos += 1; break;
    case SB_PAGELEFT: si.nPos -= si.nPage; break;
    case SB_PAGERIGHT: si.nPos += si.nPage; break;
    case SB_THUMBPOSITION: si.nPos = si.nTrackPos; break;
    }
    const int now = set_position(hwnd, SB_HORZ, &si);
    if (now != old) ScrollWindow(hwnd, v->cx_char * (old - now), 0, nullptr, nullptr);
}

void metrics_on_paint(const metrics_view* v, HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    SCROLLINFO si;
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    GetScrollInfo(hwnd, SB_VERT, &si);
    const int v_pos = si.nPos;
    GetScrollInfo(hwnd, SB_HORZ, &si);
    const int h_pos = si.nPos;
    // Only the rows that meet the invalid rectangle are drawn.
    int first = v_pos + ps.rcPaint.top / v->cy_char;
    int last = v_pos + ps.rcPaint.bottom / v->cy_char;
    if (first < 0) first = 0;
    if (last > int(METRICS_ROWS) - 1) last = METRICS_ROWS - 1;
    for (int row = first; row <= last; row++)
        metrics_draw_row(v, dc, v->cx_char * (1 - h_pos), v->cy_char * (row - v_pos),
                         &v->table[row]);
    EndPaint(hwnd, &ps);
}
