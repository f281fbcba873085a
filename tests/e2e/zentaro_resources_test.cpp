// What the resource compiler made of the editors' scripts: the accelerator tables, in order, with
// character entries where a control character is meant, and the dialog templates' styles.
#include "harness/harness.h"

#include <vector>

using namespace harness;

namespace {

struct accel {
    BYTE flags;
    WORD key, cmd;
};

std::vector<accel> table_of(const wchar_t* program, const wchar_t* name) {
    std::vector<accel> out;
    HMODULE m = LoadLibraryExW(program_path(program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(m, nullptr);
    if (!m) return out;
    HACCEL h = LoadAcceleratorsW(m, name);
    EXPECT_NE(h, nullptr) << "no accelerator table";
    if (h) {
        int n = CopyAcceleratorTableW(h, nullptr, 0);
        std::vector<ACCEL> a(n);
        CopyAcceleratorTableW(h, a.data(), n);
        for (auto& e : a)
            out.push_back({BYTE(e.fVirt), e.key, e.cmd});
        DestroyAcceleratorTable(h);
    }
    FreeLibrary(m);
    return out;
}

void expect_table(const std::vector<accel>& got, const std::vector<accel>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); i++) {
        EXPECT_EQ(got[i].flags, want[i].flags | FNOINVERT) << "entry " << i;
        EXPECT_EQ(got[i].key, want[i].key) << "entry " << i;
        EXPECT_EQ(got[i].cmd, want[i].cmd) << "entry " << i;
    }
}

DWORD dialog_style(const wchar_t* program, const wchar_t* name) {
    DWORD style = 0;
    HMODULE m = LoadLibraryExW(program_path(program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (HRSRC r = m ? FindResourceW(m, name, MAKEINTRESOURCEW(5)) : nullptr)
        style = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(m, r)))->style;
    if (m) FreeLibrary(m);
    return style;
}

} // namespace

TEST(zentaro, accelerator_table_and_dialog_templates) {
    const BYTE V = FVIRTKEY;
    std::vector<accel> want = {{V | FALT, VK_BACK, 40007},
                               {V, VK_DELETE, 40011},
                               {V | FSHIFT, VK_DELETE, 40008},
                               {V, VK_F1, 40017},
                               {V, VK_F3, 40014},
                               {V | FCONTROL, VK_INSERT, 40009},
                               {V | FSHIFT, VK_INSERT, 40010},
                               {0, 3, 40009},
                               {0, 6, 40013},
                               {0, 14, 40001},
                               {0, 15, 40002},
                               {0, 16, 40005},
                               {0, 18, 40015},
                               {0, 19, 40003},
                               {0, 22, 40010},
                               {0, 24, 40008},
                               {0, 26, 40007}};
    for (const wchar_t* program : {L"zentaro", L"zentaro3"}) {
        SCOPED_TRACE(program[7] ? "zentaro3" : "zentaro");
        expect_table(table_of(program, L"ZENTARO"), want);
        // Both templates name a font (DS_SETFONT); the About box has no caption.
        EXPECT_EQ(dialog_style(program, L"ABOUTBOX"), DWORD(WS_POPUP | DS_MODALFRAME | DS_SETFONT));
        EXPECT_EQ(dialog_style(program, L"PRINTDLGBOX"), 0x90C800C0u);
    }
}

TEST(zentaro2, accelerator_table) {
    const BYTE V = FVIRTKEY;
    expect_table(table_of(L"zentaro2", L"ZENTARO2"), {{V | FALT, VK_BACK, 40007},
                                                      {V, VK_DELETE, 40011},
                                                      {V | FSHIFT, VK_DELETE, 40008},
                                                      {V, VK_F1, 40013},
                                                      {V | FCONTROL, VK_INSERT, 40009},
                                                      {V | FSHIFT, VK_INSERT, 40010},
                                                      {0, 3, 40009},
                                                      {0, 22, 40010},
                                                      {0, 24, 40008},
                                                      {0, 26, 40007}});
}
