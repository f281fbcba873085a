// Inside the program: taking the mouse capture away from it, and asking whether the desktop's
// update lock is free.
#include <windows.h>
#include <string>
#include "probe.h"

bool probe_capture_answer(WPARAM query, std::wstring& out) {
    switch (query) {
    case PROBE_RELEASE_CAPTURE: {
        const bool had = GetCapture() != nullptr;
        ReleaseCapture();
        out = had ? L"1" : L"0";
        return true;
    }
    case PROBE_TRY_LOCK_DESKTOP: {
        const bool locked = LockWindowUpdate(GetDesktopWindow()) != FALSE;
        if (locked) LockWindowUpdate(nullptr);
        out = locked ? L"1" : L"0";
        return true;
    }
    case PROBE_HOLD_DESKTOP_LOCK:
        out = LockWindowUpdate(GetDesktopWindow()) ? L"1" : L"0";
        return true;
    case PROBE_DROP_DESKTOP_LOCK: out = LockWindowUpdate(nullptr) ? L"1" : L"0"; return true;
    }
    return false;
}
