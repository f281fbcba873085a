// Probe answers for the text-output programs: a log of the texts a program draws with TextOutW,
// and the process's own wheel setting.
#include <windows.h>
#include <string.h>
#include <string>
#include "probe.h"
#include "probe_imports.h"

static std::wstring text_log;
static BOOL(WINAPI* real_text_out)(HDC, int, int, LPCWSTR, int);

static BOOL WINAPI logged_text_out(HDC dc, int x, int y, LPCWSTR s, int n) {
    text_log += std::to_wstring(x) + L"\t" + std::to_wstring(y) + L"\t" +
                std::to_wstring(GetTextAlign(dc)) + L"\t" + std::wstring(s, size_t(n > 0 ? n : 0)) +
                L"\n";
    return real_text_out(dc, x, y, s, n);
}

// The bytes of the last DrawTextA call, each as one character.
static std::wstring last_ansi_text;
static int(WINAPI* real_draw_text_a)(HDC, LPCSTR, int, RECT*, UINT);

static int WINAPI logged_draw_text_a(HDC dc, LPCSTR s, int n, RECT* r, UINT format) {
    last_ansi_text.clear();
    for (size_t i = 0, count = n >= 0 ? size_t(n) : strlen(s); i < count; i++)
        last_ansi_text += wchar_t(static_cast<unsigned char>(s[i]));
    return real_draw_text_a(dc, s, n, r, format);
}

// Either logger in place is enough: a program draws its texts with one of the two.
static bool patch_text_out() {
    if (!real_text_out)
        real_text_out = reinterpret_cast<decltype(real_text_out)>(
            redirect_import("gdi32.dll", "TextOutW", reinterpret_cast<void*>(&logged_text_out)));
    if (!real_draw_text_a)
        real_draw_text_a = reinterpret_cast<decltype(real_draw_text_a)>(redirect_import(
            "user32.dll", "DrawTextA", reinterpret_cast<void*>(&logged_draw_text_a)));
    return real_text_out || real_draw_text_a;
}

bool probe_text_answer(WPARAM query, std::wstring& out) {
    switch (query) {
    case PROBE_TEXT_LOG_START:
        text_log.clear();
        last_ansi_text.clear();
        out = patch_text_out() ? L"1" : L"0";
        return true;
    case PROBE_TEXT_LOG: out = text_log; return true;
    case PROBE_LAST_ANSI_TEXT: out = last_ansi_text; return true;
    case PROBE_WHEEL_LINES_0:
    case PROBE_WHEEL_LINES_1:
    case PROBE_WHEEL_LINES_3:
    case PROBE_WHEEL_PAGE: {
        const UINT lines[] = {0, 1, 3, WHEEL_PAGESCROLL};
        out = SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines[query - PROBE_WHEEL_LINES_0],
                                    nullptr, 0)
                  ? L"1"
                  : L"0";
        return true;
    }
    }
    return false;
}
