// The calculator's operations and its state machine, key by key.
#include "controls/quillix/calc.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string>

namespace {

TEST(quillix_calc, apply_every_operation) {
    const struct {
        int op;
        int32_t a, b, result;
    } cases[] = {
        {'=', 5, 9, 9},
        {'+', 0x12, 3, 0x15},
        {'+', INT32_MAX, 1, INT32_MIN}, // wraps
        {'-', 5, 6, -1},
        {'-', INT32_MIN, 1, INT32_MAX},
        {'*', 7, 6, 42},
        {'*', 0x10000, 0x10000, 0}, // low 32 bits
        {'*', -3, 5, -15},
        {'/', 7, 2, 3},
        {'/', -7, 2, -3}, // toward zero
        {'/', 7, -2, -3},
        {'/', 7, 0, -1},
        {'/', 0, 0, -1},
        {'%', 7, 3, 1},
        {'%', -7, 3, -1}, // sign of the dividend
        {'%', 7, -3, 1},
        {'%', 7, 0, -1},
        {'&', 0x0FF0, 0x3C3C, 0x0C30},
        {'|', 0x0FF0, 0x3C3C, 0x3FFC},
        {'!', 0x0FF0, 0x3C3C, 0x33CC},
        {'<', 1, 4, 16},
        {'<', 1, 0x21, 2}, // counts modulo 32
        {'<', 1, 31, INT32_MIN},
        {'<', 3, 32, 3},
        {'>', 0x100, 4, 0x10},
        {'>', INT32_MIN, 4, int32_t(0xF8000000)}, // sign-filling
        {'>', -1, 31, -1},
        {'>', INT32_MIN, 0x3F, -1},
        {'>', 0x40000000, 30, 1},
        {'?', 5, 6, 0},
        {0, 5, 6, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(calc_apply(c.op, c.a, c.b), c.result) << char(c.op) << " " << c.a << " " << c.b;
}

// The one quotient that does not fit 32 bits: a defined, wrapped result instead of a trap.
TEST(quillix_calc, overflowing_division_is_defined) {
    EXPECT_EQ(calc_apply('/', INT32_MIN, -1), INT32_MIN);
    EXPECT_EQ(calc_apply('%', INT32_MIN, -1), 0);
    EXPECT_EQ(calc_apply('/', 5, -1), -5);
    EXPECT_EQ(calc_apply('%', 5, -1), 0);
    EXPECT_EQ(calc_apply('/', INT32_MIN, 1), INT32_MIN);
}

// Runs keys through a fresh state and gives the display after them ("!" marks a beep).
std::string run(const char* keys) {
    calc_state s;
    calc_reset(&s);
    std::string beeps;
    for (const char* k = keys; *k; k++) {
        int id = *k == 'b' ? 8 : *k == 'c' ? 27 : *k;
        if (calc_command(&s, id) == CALC_BEEP) beeps += "!";
    }
    char text[32];
    snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(s.current));
    return beeps + text;
}

TEST(quillix_calc, starts_clear) {
    calc_state s;
    calc_reset(&s);
    EXPECT_EQ(s.current, 0);
    EXPECT_EQ(s.pending, '=');
    EXPECT_TRUE(s.new_number);
    EXPECT_EQ(run(""), "0");
}

TEST(quillix_calc, digits_and_the_eight_digit_limit) {
    EXPECT_EQ(run("12"), "12");
    EXPECT_EQ(run("09AF"), "9AF");
    EXPECT_EQ(run("FEDCBA98"), "FEDCBA98");
    EXPECT_EQ(run("123456789"), "!12345678"); // the ninth digit beeps and changes nothing
    EXPECT_EQ(run("FFFFFFFF0b"), "!FFFFFFF");
    EXPECT_EQ(run("0FFFFFFF1"), "FFFFFFF1"); // a leading zero is not a digit that counts
}

TEST(quillix_calc, operations_as_typed) {
    EXPECT_EQ(run("12+"), "12");
    EXPECT_EQ(run("12+3"), "3");
    EXPECT_EQ(run("12+3="), "15");
    EXPECT_EQ(run("5-6="), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(run("5-6=+2="), "1"); // the result's low 32 bits (-1) are the next left operand
    EXPECT_EQ(run("5-6=*2="), "FFFFFFFFFFFFFFFE");
    EXPECT_EQ(run("7/0="), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(run("7%0="), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(run("80000000>4="), "FFFFFFFFF8000000");
    EXPECT_EQ(run("80000000/FFFFFFFF="), "FFFFFFFF80000000");
    EXPECT_EQ(run("80000000%FFFFFFFF="), "0");
    EXPECT_EQ(run("1<21="), "2");
    EXPECT_EQ(run("2+*3="), "6");  // a second operator replaces the pending one
    EXPECT_EQ(run("6+3-1="), "8"); // each operator applies the pending one first
    EXPECT_EQ(run("6*3=="), "12"); // '=' after '=' applies '=' again: unchanged
    EXPECT_EQ(run("F&3="), "3");
    EXPECT_EQ(run("C|3="), "F");
    EXPECT_EQ(run("F!5="), "A");
}

TEST(quillix_calc, back_and_clear) {
    EXPECT_EQ(run("123b"), "12");
    EXPECT_EQ(run("1bb"), "0");
    EXPECT_EQ(run("123b4"), "124");               // still entering: the next digit appends
    EXPECT_EQ(run("0-20=b"), "FFFFFFFFFFFFFFFE"); // -32 / 16, toward zero
    EXPECT_EQ(run("0-1=b"), "0");
    EXPECT_EQ(run("123c"), "0");
    EXPECT_EQ(run("123c4"), "4");
    EXPECT_EQ(run("5+c3="), "3"); // clearing the shown number clears the left operand
}

TEST(quillix_calc, operator_state_transitions) {
    calc_state s;
    calc_reset(&s);
    EXPECT_EQ(calc_command(&s, '+'), CALC_UNCHANGED); // no number entered yet
    EXPECT_EQ(calc_command(&s, '*'), CALC_UNCHANGED);
    EXPECT_EQ(s.pending, '*');
    EXPECT_EQ(calc_command(&s, '4'), CALC_SHOW);
    EXPECT_EQ(s.first, 0);
    EXPECT_FALSE(s.new_number);
    EXPECT_EQ(calc_command(&s, '-'), CALC_SHOW);
    EXPECT_EQ(s.current, 0); // 0 * 4
    EXPECT_TRUE(s.new_number);
    EXPECT_EQ(s.pending, '-');
    EXPECT_EQ(calc_command(&s, 27), CALC_SHOW);
    EXPECT_TRUE(s.new_number); // clearing keeps the flag
    EXPECT_EQ(calc_command(&s, 8), CALC_SHOW);
    EXPECT_TRUE(s.new_number); // so does Back
}

} // namespace
