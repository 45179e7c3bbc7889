// Counts for the long resource and long-run tests. The normal build repeats their work the full
// number of times. The sanitizer build divides the counts by TESSARY_LONG_RUN_DIVISOR (compiled in by
// CMake): there every allocation costs several times more, and a leak or a bad access shows in the
// first rounds as well as in the last. The environment variable of the same name overrides the
// compiled divisor, so TESSARY_LONG_RUN_DIVISOR=1 runs the full counts under the sanitizers too.
#pragma once

// The divisor in effect, at least 1.
int LongRunDivisor();
// `full` divided by the divisor, but at least `least` (and never more than `full`).
int LongRunCount(int full, int least = 1);
