#include "harness/grids.h"
#include "harness/probe.h"

namespace harness {

static const int cells = 5;

grid_marks empty_grid() {
    return "...../...../...../...../.....";
}

grid_marks with_cell(grid_marks marks, int x, int y, char c) {
    marks[size_t(y) * (cells + 1) + x] = c;
    return marks;
}

static char cell_kind(const grid_marks& marks, int x, int y) {
    return marks[size_t(y) * (cells + 1) + x];
}

// One cell over (left, top) - (right, bottom) with the default pen and brush: the outline, the
// diagonals of the X, the dashed focus rectangle inset by a tenth of the cell's size.
static void draw_cell(HDC dc, int left, int top, int right, int bottom, char kind) {
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, left, top, right, bottom);
    if (kind == 'X' || kind == 'x') {
        MoveToEx(dc, left, top, nullptr);
        LineTo(dc, right, bottom);
        MoveToEx(dc, left, bottom, nullptr);
        LineTo(dc, right, top);
    }
    if (kind == 'o' || kind == 'x') {
        int dx = (right - left) / 10, dy = (bottom - top) / 10;
        HPEN dash = CreatePen(PS_DASH, 0, RGB(0, 0, 0));
        SelectObject(dc, dash);
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, left + dx, top + dy, right - dx, bottom - dy);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        DeleteObject(dash);
    }
}

image grid_picture(int w, int h, const grid_marks& marks, bool children) {
    int bw = w / cells, bh = h / cells;
    return render(w, h, [&](HDC dc) {
        HBRUSH window = GetSysColorBrush(COLOR_WINDOW);
        RECT all{0, 0, w, h};
        FillRect(dc, &all, window);
        for (int x = 0; x < cells; x++)
            for (int y = 0; y < cells; y++) {
                char kind = cell_kind(marks, x, y);
                if (!children) {
                    draw_cell(dc, x * bw, y * bh, (x + 1) * bw, (y + 1) * bh, kind);
                    continue;
                }
                // A child window: its own origin, and nothing drawn outside it.
                int saved = SaveDC(dc);
                IntersectClipRect(dc, x * bw, y * bh, (x + 1) * bw, (y + 1) * bh);
                SetViewportOrgEx(dc, x * bw, y * bh, nullptr);
                draw_cell(dc, 0, 0, bw, bh, kind);
                RestoreDC(dc, saved);
            }
    });
}

static bool same_block(const image& shown, int left, int top, const image& cell) {
    for (int y = 0; y < cell.height; y++)
        for (int x = 0; x < cell.width; x++)
            if (shown.at(left + x, top + y) != cell.at(x, y)) return false;
    return true;
}

grid_marks read_grid(HWND hwnd, bool children) {
    image shown = capture_client(hwnd);
    int bw = shown.width / cells, bh = shown.height / cells;
    if (bw < 2 || bh < 2)
        return "client area too small to read: " + std::to_string(shown.width) + " x " +
               std::to_string(shown.height);
    const char kinds[] = ".Xox";
    image looks[4];
    for (int k = 0; k < 4; k++)
        looks[k] = render(bw, bh, [&](HDC dc) { draw_cell(dc, 0, 0, bw, bh, kinds[k]); });
    grid_marks marks = empty_grid();
    for (int y = 0; y < cells; y++)
        for (int x = 0; x < cells; x++) {
            char c = '?';
            for (int k = 0; k < 4 && c == '?'; k++)
                if (same_block(shown, x * bw, y * bh, looks[k])) c = kinds[k];
            marks = with_cell(marks, x, y, c);
        }
    if (marks.find('?') != std::string::npos) {
        save_bmp(shown, L"grid-unrecognised.bmp");
        return marks;
    }
    image want = grid_picture(shown.width, shown.height, marks, children);
    // The end points of the bottom-left to top-right diagonals fall on the row just below their
    // cells; in the last row that row lies outside the grid and is drawn only when the whole
    // window repaints, not when one cell does, so it is not judged.
    int stray = 0;
    for (int y = 0; y < shown.height; y++)
        for (int x = 0; x < shown.width; x++)
            stray += y != cells * bh && x != cells * bw && want.at(x, y) != shown.at(x, y);
    if (stray) {
        save_bmp(shown, L"grid-stray.bmp");
        marks += " " + std::to_string(stray) + " stray pixels";
    }
    return marks;
}

grid_marks wait_grid(HWND hwnd, bool children, const grid_marks& want, bool marks_only) {
    grid_marks got;
    wait_until(
        [&] {
            got = read_grid(hwnd, children);
            for (char& c : got)
                if (marks_only && (c == 'o' || c == 'x')) c = c == 'o' ? '.' : 'X';
            return got == want;
        },
        4000);
    return got;
}

void set_client_size(HWND hwnd, int w, int h) {
    RECT outer, inner;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &inner);
    int extra_w = (outer.right - outer.left) - inner.right;
    int extra_h = (outer.bottom - outer.top) - inner.bottom;
    SetWindowPos(hwnd, nullptr, 0, 0, w + extra_w, h + extra_h, SWP_NOMOVE | SWP_NOZORDER);
    settle(hwnd);
}

// The position travels with each event (absolute, in 1/65536 of the screen, rounded up so
// that it maps back onto the same pixel): a separate SetCursorPos may take effect after the button.
void mouse_click(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    SetCursorPos(p.x, p.y);
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    const DWORD flags[3] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 3; i++) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dx = LONG((LONGLONG(p.x) * 65536 + sw - 1) / sw);
        in[i].mi.dy = LONG((LONGLONG(p.y) * 65536 + sh - 1) / sh);
        in[i].mi.dwFlags = flags[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    SendInput(3, in, sizeof(INPUT));
    settle(hwnd, 100);
}

static int probe_number(HWND hwnd, int query) {
    std::wstring text = probe(hwnd, query);
    return text.empty() ? -1000 : std::stoi(text);
}

int cursor_display_count(HWND hwnd) {
    return probe_number(hwnd, PROBE_CURSOR_COUNT);
}

int beep_count(HWND hwnd) {
    return probe_number(hwnd, PROBE_BEEPS);
}

} // namespace harness
