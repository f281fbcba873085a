#include "text/ternavo/poem.h"

#include <gtest/gtest.h>
#include <string>

static poem_extent measure(const std::string& s) {
    return poem_measure(reinterpret_cast<const uint8_t*>(s.data()), uint32_t(s.size()));
}

TEST(poem, shown_text_ends_at_the_first_backslash) {
    poem_extent e = measure("one\r\ntwo\r\n\\three\r\n");
    EXPECT_EQ(e.length, 10u);
    EXPECT_EQ(e.lines, 2);
}

TEST(poem, shown_text_ends_at_the_first_nul) {
    poem_extent e = measure(std::string("one\r\ntwo\0three\r\n\\", 17));
    EXPECT_EQ(e.length, 8u);
    EXPECT_EQ(e.lines, 1);
}

TEST(poem, text_without_terminator_stops_at_the_end_of_its_data) {
    // Nothing after the data is read: the byte past the end would be a backslash.
    std::string s = "a\nb\nc\n\\";
    poem_extent e = poem_measure(reinterpret_cast<const uint8_t*>(s.data()), 5);
    EXPECT_EQ(e.length, 5u);
    EXPECT_EQ(e.lines, 2);
}

TEST(poem, empty_and_missing_text) {
    EXPECT_EQ(measure("\\").length, 0u);
    EXPECT_EQ(measure("").lines, 0);
    poem_extent e = poem_measure(nullptr, 100);
    EXPECT_EQ(e.length, 0u);
    EXPECT_EQ(e.lines, 0);
}

TEST(poem, a_last_line_without_line_feed_is_shown_but_not_counted) {
    poem_extent e = measure("first\r\nlast");
    EXPECT_EQ(e.length, 11u);
    EXPECT_EQ(e.lines, 1);
}
