#include "harness/input_wait.h"
#include "harness/harness.h"
#include "harness/probe.h"

namespace harness {

bool wait_input_handled(HWND hwnd, DWORD timeout_ms) {
    return wait_until([&] { return probe(hwnd, PROBE_INPUT_PENDING) == L"0"; }, timeout_ms);
}

} // namespace harness
