// The chase done the plain way, kept as the oracle that the production chase must match.

#ifndef LOSSLESS_TESTS_LITERAL_CHASE_H_
#define LOSSLESS_TESTS_LITERAL_CHASE_H_

#include <vector>

#include "input.h"
#include "matrix.h"

// Whole passes over every dependency and every pair of data rows, calling equate on each pair that
// agrees on the left side, until a pass leaves the tableau unchanged. A dependency with a -1 on its
// left never fires. O(|F| * rows^2) per pass, and up to one pass per attribute.
void literal_chase(matrix& matr_S, const std::vector<halmaz>& F);

#endif  // LOSSLESS_TESTS_LITERAL_CHASE_H_
