#include <gtest/gtest.h>

#include "clipboard/clip_text.h"

// A clipboard block's text ends at its first zero or at the block's end, whichever comes first;
// an odd last byte is no character.
TEST(clip_text, length_stays_within_the_block) {
    const wchar_t text[] = {L'a', L'b', L'c', 0, L'd', L'e'};
    const struct {
        size_t bytes, chars;
    } cases[] = {
        {0, 0}, {1, 0}, {2, 1},  {5, 2},
        {6, 3}, {8, 3}, {12, 3}, // the zero ends it, however large the block
    };
    for (const auto& c : cases)
        EXPECT_EQ(clip_text_length(text, c.bytes), c.chars) << c.bytes << " bytes";
    const wchar_t unended[] = {L'x', L'y', L'z'};
    EXPECT_EQ(clip_text_length(unended, sizeof unended), 3u);
    EXPECT_EQ(clip_text_length(unended, sizeof unended - 1), 2u);
}
