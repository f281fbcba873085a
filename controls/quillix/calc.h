// The calculator behind quillix's buttons, kept apart from the window so that it can be exercised
// on its own: signed 32-bit operations on a 64-bit number being entered or shown.
#pragma once

#include <stdint.h>

struct calc_state {
    int64_t current; // the number being entered or the last result (shown as 64-bit unsigned)
    int32_t first;   // left operand of the pending operation
    int32_t pending; // character code of the operation to apply at the next operator
    bool new_number; // the next digit starts a new number
};

// What the window does after a command.
enum calc_outcome {
    CALC_SHOW,      // show the current number
    CALC_BEEP,      // refuse the key; nothing changed
    CALC_UNCHANGED, // nothing to show (an operator that only replaced the pending one)
};

// The state before the first key: 0 shown, '=' pending, a new number expected.
void calc_reset(calc_state* s);

// One operation on signed 32-bit operands; the result wraps to 32 bits. Division and remainder by
// 0 give -1; shift counts are taken modulo 32; '>' shifts arithmetically.
int32_t calc_apply(int32_t op, int32_t a, int32_t b);

// One button press or key, by its id (the key's character code): 8 Back, 27 clear, '0'-'9' and
// 'A'-'F' digits, anything else an operator.
calc_outcome calc_command(calc_state* s, int id);
