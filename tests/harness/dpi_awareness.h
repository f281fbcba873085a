// The DPI awareness of the calling thread: 0 unaware, 1 aware of the system DPI, 2 aware per
// monitor, -1 where the system cannot tell. The functions came with Windows 10 version 1607, so
// they are looked up, not imported.
#pragma once

#include <windows.h>

inline int dpi_awareness() {
    using context_of_thread = HANDLE(WINAPI*)();
    using awareness_of = int(WINAPI*)(HANDLE);
    HMODULE user = GetModuleHandleW(L"user32.dll");
    auto thread_context = reinterpret_cast<context_of_thread>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetThreadDpiAwarenessContext")));
    auto awareness = reinterpret_cast<awareness_of>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
    if (!thread_context || !awareness) return -1;
    return awareness(thread_context());
}
