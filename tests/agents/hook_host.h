// The protocol between a 64-bit test and the hook host, the 32-bit process that sets the probe's
// hooks for it when the program under test is a 32-bit one (a process can only hand the system a
// hook procedure of its own bitness, and the probe DLL is loaded into the program as it is).
//
// The test starts hook_host.exe with its own process id as the only argument. The host makes a
// message-only window of class HOOK_HOST_CLASS titled with that id, and ends when the test ends.
// The test sends it WM_COPYDATA with dwData HOOK_HOST_SET and a hook_request: the answer is the
// hook's handle, or 0 with nothing set. HOOK_HOST_REMOVE with the handle in wParam removes one.
#pragma once

#include <windows.h>

#define HOOK_HOST_CLASS L"SuiteHookHost"

enum { HOOK_HOST_SET = 1, HOOK_HOST_REMOVE = WM_APP + 1 };

struct hook_request {
    INT32 id;      // WH_GETMESSAGE, WH_CBT, ...
    UINT32 thread; // the thread to hook, or 0 for the whole desktop
    char proc[60]; // the probe's exported hook procedure
};
