#include "graphics/colour_text.h"

static void push_two_digits(uint32_t value) {
    const size_t at = rt.temp_top;
    temp_push_hex(value, INT8_KIND, at);
    temp_push_right_aligned(temp_text(at), 2, L"0", at);
}

wchar_t* temp_push_colour(uint32_t colour, const wchar_t* separator, size_t at) {
    rt.temp_top = at;
    push_two_digits(red_of(colour));
    temp_push(separator);
    push_two_digits(green_of(colour));
    temp_push(separator);
    push_two_digits(blue_of(colour));
    return temp_text(at);
}
