// A colour as text, as the colour viewers show it: red, green, blue, two digits each, with the
// separator between; pushed after other text, it leaves that text in place.
#include "graphics/colour_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class colour_text : public ::testing::Test {
protected:
    void SetUp() override { runtime_init_strings(); }
    void TearDown() override {
        HeapDestroy(rt.string_heap);
        rt.string_heap = nullptr;
    }
};

TEST_F(colour_text, three_parts_of_two_upper_case_digits) {
    const struct {
        uint32_t colour;
        const wchar_t* separator;
        const wchar_t* text;
    } cases[] = {
        {RGB(0xFF, 0x00, 0x80), L" ", L"FF 00 80"}, {RGB(0x12, 0x34, 0x56), L" ", L"12 34 56"},
        {RGB(0, 0, 0), L" ", L"00 00 00"},          {RGB(0xFF, 0x80, 0x00), L"-", L"FF-80-00"},
        {RGB(0x0A, 0xB, 0xC), L"-", L"0A-0B-0C"},   {0xFF000000u | RGB(1, 2, 3), L"-", L"01-02-03"},
    };
    for (const auto& c : cases) {
        rt.temp_top = 0;
        temp_push(L"  ");
        const wchar_t* text = temp_push_colour(c.colour, c.separator, rt.temp_top);
        EXPECT_EQ(std::wstring(text), c.text);
        EXPECT_EQ(std::wstring(temp_text(0)), std::wstring(L"  ") + c.text);
        EXPECT_EQ(rt.temp_top, 2 * (2 + std::wstring(c.text).size()));
    }
}

} // namespace
