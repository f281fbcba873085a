#include "calc.h"

enum : int { KEY_BACK = 8, KEY_CLEAR = 27 };

void calc_reset(calc_state* s) {
    s->current = 0;
    s->first = 0;
    s->pending = '=';
    s->new_number = true;
}

// Arithmetic is done on unsigned 32-bit values so that overflow wraps instead of being undefined.
int32_t calc_apply(int32_t op, int32_t a, int32_t b) {
    const uint32_t ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
    switch (op) {
    case '=': return b;
    case '+': return static_cast<int32_t>(ua + ub);
    case '-': return static_cast<int32_t>(ua - ub);
    case '*': return static_cast<int32_t>(ua * ub);
    case '/':
        if (b == 0) return -1;
        // The one quotient that does not fit (and traps in the processor's division): it wraps
        // to 0x80000000 like the other overflowing results.
        if (a == INT32_MIN && b == -1) return INT32_MIN;
        return a / b;
    case '%':
        if (b == 0) return -1;
        if (b == -1) return 0; // exact for every a, and avoids the trapping INT32_MIN % -1
        return a % b;
    case '&': return a & b;
    case '|': return a | b;
    case '!': return a ^ b;
    case '<': return static_cast<int32_t>(ua << (ub & 31));
    case '>': {
        const int n = static_cast<int>(ub & 31);
        // Sign-filling shift written without relying on the compiler's choice for negatives.
        return a >= 0 ? a >> n : static_cast<int32_t>(~(~ua >> n));
    }
    }
    return 0;
}

static int digit_value(int id) {
    if (id >= '0' && id <= '9') return id - '0';
    if (id >= 'A' && id <= 'F') return id - 'A' + 10;
    return -1;
}

calc_outcome calc_command(calc_state* s, int id) {
    if (id == KEY_BACK) {
        // Truncated toward zero, as an integer division would; the value always fits 32 bits
        // (entries have at most 8 digits, results are 32-bit).
        s->current =
            static_cast<int32_t>(static_cast<int64_t>(static_cast<double>(s->current) / 16.0));
        return CALC_SHOW;
    }
    if (id == KEY_CLEAR) {
        s->current = 0;
        return CALC_SHOW;
    }
    const int digit = digit_value(id);
    if (digit >= 0) {
        if (s->new_number) {
            s->first = static_cast<int32_t>(s->current);
            s->current = 0;
        }
        s->new_number = false;
        if (s->current > 0x0FFFFFFF) return CALC_BEEP; // at most 8 hexadecimal digits
        s->current = s->current * 16 + digit;
        return CALC_SHOW;
    }
    calc_outcome outcome = CALC_UNCHANGED;
    if (!s->new_number) {
        s->current = calc_apply(s->pending, s->first, static_cast<int32_t>(s->current));
        outcome = CALC_SHOW;
    }
    s->new_number = true;
    s->pending = id;
    return outcome;
}
