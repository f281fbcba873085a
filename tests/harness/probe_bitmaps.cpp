// Inside the program: which of the system's standard icons its window class shows. LoadIconW of a
// system icon returns the same shared handle to every caller in a process, so the class icon is
// compared with those handles here, where they are the program's own.
#include <windows.h>
#include <string>

void probe_standard_icon_answer(HWND hwnd, std::wstring& out) {
    const HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICON));
    const struct {
        const wchar_t* id;
        const wchar_t* name;
    } standard[] = {{IDI_APPLICATION, L"application"},
                    {IDI_INFORMATION, L"information"},
                    {IDI_ERROR, L"error"},
                    {IDI_WARNING, L"warning"},
                    {IDI_QUESTION, L"question"}};
    out = icon ? L"other" : L"none";
    for (const auto& s : standard)
        if (icon && icon == LoadIconW(nullptr, s.id)) out = s.name;
}
