// Comparing drawings made along the mouse's path. The position Wine reports for a mouse event may
// lie one pixel beside the one the test aimed at, so such drawings are compared with the test's
// reference allowing each inked pixel to be one pixel off.
#pragma once

#include "harness/harness.h"

namespace harness {

// Pixels inked in one picture with no ink within one pixel of them in the other (both ways).
int ink_mismatch_near(const image& shown, const image& ref);

} // namespace harness
