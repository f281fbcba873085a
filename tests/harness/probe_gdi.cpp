// Inside the program: the drawing objects and window device contexts it makes (or takes) and
// deletes (or gives back). Wine's GetGuiResources is a stub,
// so the program's own imports of the GDI constructors and of DeleteObject/DeleteDC are routed
// through counters; the answer is the net count (made minus deleted) since watching began. A
// program that releases what it makes keeps that count flat however long it runs.
#include <windows.h>
#include <string>
#include "probe_imports.h"

static LONG gdi_net;
static bool watching;
static int makers, deleters; // imports routed through the counters

// The replacements take the platform's calling convention, which on 32-bit x86 is not the
// compiler's default: a mismatch there would unbalance the program's stack at every call.
template <int Id, typename R, typename... A> struct counted {
    static inline R(WINAPI* real)(A...);
    static R WINAPI made(A... a) {
        R r = real(a...);
        if (r) InterlockedIncrement(&gdi_net);
        return r;
    }
    static R WINAPI deleted(A... a) {
        R r = real(a...);
        if (r) InterlockedDecrement(&gdi_net);
        return r;
    }
};

template <int Id, typename R, typename... A>
static void watch(const char* dll, const char* name, R(WINAPI*)(A...), bool deletes = false) {
    using c = counted<Id, R, A...>;
    void* before =
        redirect_import(dll, name, reinterpret_cast<void*>(deletes ? &c::deleted : &c::made));
    if (!before) return;
    c::real = reinterpret_cast<R(WINAPI*)(A...)>(before);
    (deletes ? deleters : makers)++;
}

#define WATCH(dll, fn) watch<__LINE__>(dll, #fn, &fn)

static void start_watching() {
    watching = true;
    WATCH("gdi32.dll", CreateSolidBrush);
    WATCH("gdi32.dll", CreateHatchBrush);
    WATCH("gdi32.dll", CreatePatternBrush);
    WATCH("gdi32.dll", CreateBrushIndirect);
    WATCH("gdi32.dll", CreateDIBPatternBrushPt);
    WATCH("gdi32.dll", CreatePen);
    WATCH("gdi32.dll", CreatePenIndirect);
    WATCH("gdi32.dll", ExtCreatePen);
    WATCH("gdi32.dll", CreateFontW);
    WATCH("gdi32.dll", CreateFontIndirectW);
    WATCH("gdi32.dll", CreateBitmap);
    WATCH("gdi32.dll", CreateBitmapIndirect);
    WATCH("gdi32.dll", CreateCompatibleBitmap);
    WATCH("gdi32.dll", CreateDIBitmap);
    WATCH("gdi32.dll", CreateDIBSection);
    WATCH("gdi32.dll", CreateCompatibleDC);
    WATCH("gdi32.dll", CreateDCW);
    WATCH("gdi32.dll", CreateICW);
    WATCH("gdi32.dll", CreateRectRgn);
    WATCH("gdi32.dll", CreateRectRgnIndirect);
    WATCH("gdi32.dll", CreateEllipticRgn);
    WATCH("gdi32.dll", CreateEllipticRgnIndirect);
    WATCH("gdi32.dll", CreateRoundRectRgn);
    WATCH("gdi32.dll", CreatePolygonRgn);
    WATCH("gdi32.dll", CreatePolyPolygonRgn);
    WATCH("gdi32.dll", ExtCreateRegion);
    WATCH("gdi32.dll", PathToRegion);
    WATCH("gdi32.dll", CreatePalette);
    WATCH("gdi32.dll", CreateHalftonePalette);
    WATCH("user32.dll", LoadBitmapW);
    // Device contexts of windows, taken and given back.
    WATCH("user32.dll", GetDC);
    WATCH("user32.dll", GetWindowDC);
    WATCH("user32.dll", GetDCEx);
    watch<__LINE__>("user32.dll", "ReleaseDC", &ReleaseDC, true);
    watch<__LINE__>("gdi32.dll", "DeleteObject", &DeleteObject, true);
    watch<__LINE__>("gdi32.dll", "DeleteDC", &DeleteDC, true);
}

// "net" as text; the first question starts the watch and answers 0. Nothing ("") when the
// program imports no maker or no deleter of drawing objects: then no count would move.
void probe_gdi_answer(std::wstring& out) {
    if (!watching) start_watching();
    if (makers > 0 && deleters > 0) out = std::to_wstring(gdi_net);
}
