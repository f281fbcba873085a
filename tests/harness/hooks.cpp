#include "harness/hooks.h"

#include <filesystem>

namespace harness {

refuse_windows::refuse_windows(const wchar_t* class_name) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::filesystem::path dll = std::filesystem::path(path).parent_path() / L"probe.dll";
    dll_ = LoadLibraryW(dll.c_str());
    if (!dll_) return;
    auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(dll_, "probe_refuse_hook")));
    if (!proc) return;
    SetEnvironmentVariableW(L"PROBE_REFUSE_CLASS", class_name);
    hook_ = SetWindowsHookExW(WH_CBT, proc, dll_, 0);
}

refuse_windows::~refuse_windows() {
    if (hook_) UnhookWindowsHookEx(hook_);
    SetEnvironmentVariableW(L"PROBE_REFUSE_CLASS", nullptr);
    if (dll_) FreeLibrary(dll_);
}

} // namespace harness
