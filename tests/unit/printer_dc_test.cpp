// The default printer's context: which way the platform version picks, and each of the three
// ways with every answer the platform can give. The platform calls are stand-ins that record
// what they were asked; the spooler way loads fake_spooler.dll through the library table, and
// one test asks the real spooler for the test run's PDF printer.
#include "print/printer_dc.h"

#include <gtest/gtest.h>

#include <string>
#include <winspool.h>

namespace {

// What the stand-ins answer and what they were asked.
struct script {
    BOOL version_ok = TRUE;
    DWORD platform = VER_PLATFORM_WIN32_NT, major = 6;
    int version_calls = 0, enum_calls = 0, profile_calls = 0;
    // Enumeration: the first call's error and size; whether the second call succeeds and how
    // many records it reports.
    DWORD enum_error = ERROR_INSUFFICIENT_BUFFER;
    bool enum_no_size = false; // the size query reports 0 bytes
    BOOL enum_fill_ok = TRUE;
    DWORD enum_returned = 1;
    const wchar_t* enum_name = L"Enumerated Printer";
    const wchar_t* profile = nullptr; // null: no entry (0 characters)
    bool dc_ok = true;
    std::vector<std::wstring> dc_names;
} s;

const HDC fake_dc = reinterpret_cast<HDC>(0x5678);

BOOL WINAPI fake_version(OSVERSIONINFOW* v) {
    s.version_calls++;
    EXPECT_EQ(v->dwOSVersionInfoSize, sizeof(OSVERSIONINFOW));
    v->dwPlatformId = s.platform;
    v->dwMajorVersion = s.major;
    return s.version_ok;
}

BOOL WINAPI fake_enum(DWORD flags, LPWSTR name, DWORD level, LPBYTE buffer, DWORD size,
                      LPDWORD needed, LPDWORD returned) {
    s.enum_calls++;
    EXPECT_EQ(flags, DWORD(PRINTER_ENUM_DEFAULT));
    EXPECT_EQ(name, nullptr);
    EXPECT_EQ(level, 2u);
    const DWORD full = sizeof(PRINTER_INFO_2W) + 64 * sizeof(wchar_t);
    if (!buffer) {
        *needed = s.enum_no_size ? 0 : full;
        *returned = 0;
        SetLastError(s.enum_error);
        return FALSE;
    }
    EXPECT_EQ(size, *needed);
    if (!s.enum_fill_ok) return FALSE;
    EXPECT_TRUE(HeapValidate(rt.block_heap, 0, buffer)) << "the buffer comes from block_alloc";
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer);
    wchar_t* text = reinterpret_cast<wchar_t*>(buffer + sizeof(PRINTER_INFO_2W));
    lstrcpyW(text, s.enum_name);
    info->pPrinterName = text;
    *returned = s.enum_returned;
    return TRUE;
}

DWORD WINAPI fake_profile(LPCWSTR section, LPCWSTR key, LPCWSTR def, LPWSTR out, DWORD size) {
    s.profile_calls++;
    EXPECT_STREQ(section, L"windows");
    EXPECT_STREQ(key, L"device");
    EXPECT_STREQ(def, L",,,");
    EXPECT_EQ(size, 500u);
    if (!s.profile) return 0;
    lstrcpynW(out, s.profile, int(size));
    return DWORD(lstrlenW(out));
}

HDC WINAPI fake_create_dc(LPCWSTR driver, LPCWSTR device, LPCWSTR port, const DEVMODEW* mode) {
    EXPECT_EQ(driver, nullptr);
    EXPECT_EQ(port, nullptr);
    EXPECT_EQ(mode, nullptr);
    s.dc_names.push_back(device ? device : L"(null)");
    return s.dc_ok ? fake_dc : nullptr;
}

const printer_platform fakes = {fake_version,   fake_enum,           fake_profile,
                                fake_create_dc, L"fake_spooler.dll", L"GetDefaultPrinterW"};

size_t busy_blocks(HANDLE heap) {
    PROCESS_HEAP_ENTRY entry{};
    size_t n = 0;
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) n++;
    return n;
}

class printer_dc : public ::testing::Test {
protected:
    void SetUp() override {
        s = script{};
        rt = runtime_state{};
        rt.program_heap = HeapCreate(0, 4096, 0);
        runtime_init_strings();
        runtime_init_libraries();
        runtime_init_blocks();
        blocks_at_start = busy_blocks(rt.block_heap);
        nodes_at_start = busy_blocks(rt.node_heap);
        SetEnvironmentVariableW(L"FAKE_SPOOLER_MODE", L"name");
    }
    void TearDown() override {
        release_all_libraries();
        for (HANDLE heap : {rt.program_heap, rt.string_heap, rt.block_heap, rt.node_heap})
            if (heap) HeapDestroy(heap);
        rt = runtime_state{};
    }
    // Whatever the outcome, nothing may be left behind.
    void expect_nothing_left() {
        EXPECT_EQ(busy_blocks(rt.block_heap), blocks_at_start) << "a buffer was not freed";
        EXPECT_EQ(busy_blocks(rt.node_heap), nodes_at_start) << "a library entry was left";
        EXPECT_EQ(GetModuleHandleW(L"fake_spooler.dll"), nullptr) << "the library stayed loaded";
    }
    void spooler_mode(const wchar_t* mode) { SetEnvironmentVariableW(L"FAKE_SPOOLER_MODE", mode); }
    size_t blocks_at_start = 0, nodes_at_start = 0;
};

OSVERSIONINFOW version(DWORD platform, DWORD major) {
    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof v;
    v.dwPlatformId = platform;
    v.dwMajorVersion = major;
    return v;
}

TEST_F(printer_dc, the_platform_version_picks_the_way) {
    EXPECT_EQ(choose_printer_way(version(VER_PLATFORM_WIN32_WINDOWS, 4)), WAY_ENUMERATION);
    EXPECT_EQ(choose_printer_way(version(VER_PLATFORM_WIN32_NT, 3)), WAY_PROFILE);
    EXPECT_EQ(choose_printer_way(version(VER_PLATFORM_WIN32_NT, 4)), WAY_PROFILE);
    EXPECT_EQ(choose_printer_way(version(VER_PLATFORM_WIN32_NT, 5)), WAY_SPOOLER);
    EXPECT_EQ(choose_printer_way(version(VER_PLATFORM_WIN32_NT, 6)), WAY_SPOOLER);
    EXPECT_EQ(choose_printer_way(version(VER_PLATFORM_WIN32_NT, 10)), WAY_SPOOLER);
}

TEST_F(printer_dc, each_version_runs_only_its_own_way) {
    s.platform = VER_PLATFORM_WIN32_WINDOWS;
    s.major = 4;
    EXPECT_EQ(default_printer_dc_with(fakes), fake_dc);
    EXPECT_EQ(s.enum_calls, 2);
    EXPECT_EQ(s.profile_calls, 0);

    s = script{};
    s.major = 4;
    s.profile = L"Profile Printer,winspool,LPT1:";
    EXPECT_EQ(default_printer_dc_with(fakes), fake_dc);
    EXPECT_EQ(s.enum_calls, 0);
    EXPECT_EQ(s.profile_calls, 1);
    ASSERT_EQ(s.dc_names.size(), 1u);
    EXPECT_EQ(s.dc_names[0], L"Profile Printer");

    // A current platform (Wine reports 6.1) asks the spooler only.
    s = script{};
    s.major = 6;
    EXPECT_EQ(default_printer_dc_with(fakes), fake_dc);
    EXPECT_EQ(s.enum_calls + s.profile_calls, 0);
    ASSERT_EQ(s.dc_names.size(), 1u);
    EXPECT_EQ(s.dc_names[0], L"Fake Printer");
    expect_nothing_left();

    s = script{};
    s.version_ok = FALSE;
    EXPECT_EQ(default_printer_dc_with(fakes), nullptr);
    EXPECT_EQ(s.enum_calls + s.profile_calls, 0);
    EXPECT_TRUE(s.dc_names.empty());
    expect_nothing_left();
}

TEST_F(printer_dc, enumeration_way_and_its_failures) {
    EXPECT_EQ(printer_dc_by_enumeration(fakes), fake_dc);
    ASSERT_EQ(s.dc_names.size(), 1u);
    EXPECT_EQ(s.dc_names[0], L"Enumerated Printer");
    expect_nothing_left();

    struct {
        const char* what;
        void (*arrange)();
        int enum_calls;
    } failures[] = {
        {"the size query fails for another reason", [] { s.enum_error = ERROR_INVALID_PARAMETER; },
         1},
        {"no default printer: no size asked for", [] { s.enum_no_size = true; }, 1},
        {"the enumeration itself fails", [] { s.enum_fill_ok = FALSE; }, 2},
        {"no record comes back", [] { s.enum_returned = 0; }, 2},
        {"the context cannot be made", [] { s.dc_ok = false; }, 2},
        {"the record names no printer", [] { s.enum_name = L""; }, 2},
    };
    for (const auto& f : failures) {
        s = script{};
        f.arrange();
        EXPECT_EQ(printer_dc_by_enumeration(fakes), nullptr) << f.what;
        EXPECT_EQ(s.enum_calls, f.enum_calls) << f.what;
        expect_nothing_left();
    }
}

TEST_F(printer_dc, profile_way_takes_the_name_before_the_first_comma) {
    const struct {
        const wchar_t* value;
        const wchar_t* name; // null: no context asked for
    } cases[] = {
        {L"Office Laser,winspool,Ne00:", L"Office Laser"},
        {L"Solo", L"Solo"},
        {L"A,B", L"A"},
        {L",,,", nullptr}, // the default value: no printer
        {L"", nullptr},
        {nullptr, nullptr}, // no entry at all
    };
    for (const auto& c : cases) {
        s = script{};
        s.profile = c.value;
        HDC dc = printer_dc_by_profile(fakes);
        const std::string what = c.value ? std::string(c.value, c.value + lstrlenW(c.value)) : "-";
        if (c.name) {
            EXPECT_EQ(dc, fake_dc) << what;
            ASSERT_EQ(s.dc_names.size(), 1u) << what;
            EXPECT_EQ(s.dc_names[0], c.name) << what;
        } else {
            EXPECT_EQ(dc, nullptr) << what;
            EXPECT_TRUE(s.dc_names.empty()) << what;
        }
        expect_nothing_left();
    }
    s = script{};
    s.profile = L"Gone,winspool,LPT1:";
    s.dc_ok = false;
    EXPECT_EQ(printer_dc_by_profile(fakes), nullptr);
    expect_nothing_left();
}

TEST_F(printer_dc, spooler_way_and_its_failures_release_the_library) {
    EXPECT_EQ(printer_dc_by_spooler(fakes), fake_dc);
    ASSERT_EQ(s.dc_names.size(), 1u);
    EXPECT_EQ(s.dc_names[0], L"Fake Printer");
    expect_nothing_left();

    for (const wchar_t* mode : {L"none", L"sizeless", L"vanishing"}) {
        s = script{};
        spooler_mode(mode);
        EXPECT_EQ(printer_dc_by_spooler(fakes), nullptr) << "mode " << mode[0];
        EXPECT_TRUE(s.dc_names.empty());
        expect_nothing_left();
    }

    spooler_mode(L"name");
    s = script{};
    s.dc_ok = false;
    EXPECT_EQ(printer_dc_by_spooler(fakes), nullptr);
    expect_nothing_left();

    // The library is there but has no such function.
    printer_platform no_function = fakes;
    no_function.default_printer_fn = L"GetDefaultPrinterX";
    s = script{};
    EXPECT_EQ(printer_dc_by_spooler(no_function), nullptr);
    EXPECT_TRUE(s.dc_names.empty());
    expect_nothing_left();

    printer_platform no_library = fakes;
    no_library.spooler_library = L"no_such_spooler.drv";
    EXPECT_EQ(printer_dc_by_spooler(no_library), nullptr);
    expect_nothing_left();
}

TEST_F(printer_dc, the_real_spooler_gives_the_default_printer) {
    wchar_t name[256];
    DWORD size = 256;
    if (!GetDefaultPrinterW(name, &size)) GTEST_SKIP() << "this environment has no printer";
    HDC dc = get_default_printer_dc();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
    HDC direct = CreateDCW(nullptr, name, nullptr, nullptr);
    ASSERT_NE(direct, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(direct, HORZRES));
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), GetDeviceCaps(direct, VERTRES));
    DeleteDC(direct);
    DeleteDC(dc);
    EXPECT_EQ(busy_blocks(rt.block_heap), blocks_at_start);
    EXPECT_EQ(busy_blocks(rt.node_heap), nodes_at_start);
}

} // namespace
