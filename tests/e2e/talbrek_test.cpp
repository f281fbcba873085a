// Talbrek's list compared with the environment block read inside the program itself, and the
// value of a chosen name read on the screen.
#include "harness/menu_views.h"

#include <algorithm>

using namespace harness;

namespace {

const int LIST = 1, TEXT = 2;

// Names as the list must hold them: each entry up to its first "=", hidden "=" entries left out,
// sorted as a sorted list box sorts, without regard to case.
std::vector<std::wstring> expected_names(const std::vector<std::wstring>& block) {
    std::vector<std::wstring> names;
    for (const std::wstring& s : block)
        if (!s.empty() && s[0] != L'=') names.push_back(s.substr(0, s.find(L'=')));
    std::stable_sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
               CSTR_LESS_THAN;
    });
    return names;
}

// A click on the item, as the user chooses it: it is scrolled to the top of the list first.
void choose(HWND list, int index) {
    DWORD_PTR r = 0, height = 0, top = 0;
    SendMessageTimeoutW(list, LB_SETTOPINDEX, WPARAM(index), 0, SMTO_ABORTIFHUNG, 5000, &r);
    SendMessageTimeoutW(list, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 5000, &height);
    SendMessageTimeoutW(list, LB_GETTOPINDEX, 0, 0, SMTO_ABORTIFHUNG, 5000, &top);
    post_click(list, 5, int((index - int(top)) * int(height) + int(height) / 2));
}

} // namespace

TEST(talbrek, lists_the_sorted_names_and_shows_the_value_of_the_chosen_one) {
    // Names that sort differently with and without case, a hidden-looking entry that is not one,
    // and a value holding "=" itself.
    SetEnvironmentVariableW(L"talbrek_apple", L"red = ripe");
    SetEnvironmentVariableW(L"TALBREK_BANANA", L"yellow");
    SetEnvironmentVariableW(L"Talbrek_Cherry", L"dark");
    app a;
    HWND hwnd = launch(a, L"talbrek");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(text_of(hwnd), L"Environment List Box");
    HWND list = GetDlgItem(hwnd, LIST), text = GetDlgItem(hwnd, TEXT);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(class_of(list), L"ListBox");
    EXPECT_EQ(DWORD(GetWindowLongW(list, GWL_STYLE)) & 0xFFFF0FFFu, 0x50A00003u);

    std::vector<std::wstring> block = environment_of(hwnd);
    ASSERT_FALSE(block.empty());
    std::vector<std::wstring> names = list_items(list);
    EXPECT_EQ(names, expected_names(block));
    for (const std::wstring& n : names)
        EXPECT_EQ(n.find(L'='), std::wstring::npos) << "a hidden entry is listed";

    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } picks[] = {{L"TALBREK_BANANA", L"yellow"},
                 {L"talbrek_apple", L"red = ripe"},
                 {L"Talbrek_Cherry", L"dark"}};
    RECT r;
    GetWindowRect(text, &r);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
    for (const auto& p : picks) {
        SCOPED_TRACE(p.value);
        auto at = std::find(names.begin(), names.end(), p.name);
        ASSERT_NE(at, names.end());
        choose(list, int(at - names.begin()));
        image shown = capture_client(hwnd);
        EXPECT_EQ(text_of(text), p.value);
        EXPECT_EQ(text_difference(shown, r.left, r.top, p.value, SYSTEM_FONT,
                                  GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_BTNFACE)),
                  0);
    }
}
