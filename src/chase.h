// The chase of a tableau by functional dependencies, and the lossless verdict.

#ifndef LOSSLESS_CHASE_H_
#define LOSSLESS_CHASE_H_

#include <string>
#include <vector>

#include "input.h"
#include "matrix.h"

// Makes data rows i and j agree on every column of right: in each such column the symbol of
// larger numeric value is replaced, in every data row, by the smaller one ("0" always survives; on
// equal values row j's symbol stays). Indices of -1 are skipped. The header row is never touched.
void equate(int i, int j, matrix& matr_S, const std::vector<int>& right);

// Chases matr_S with F to the fixpoint: whenever two data rows agree on every left-side column of a
// dependency, they are equated on its right side, until no dependency changes anything. The result
// is the tableau that whole passes of equate over every dependency and pair of rows reach. A
// dependency with a -1 on its left never fires, since no row has a value for a missing attribute.
// Distinct symbols of a column must have distinct numeric values, as in any tableau that
// build_tableau makes and equate changes.
void chase(matrix& matr_S, const std::vector<halmaz>& F);

// "vesztesegmentes" when some data row of matr_S holds "0" in every column, otherwise
// "nem vesztesegmentes" (also for a tableau without data rows).
std::string verdict(const matrix& matr_S);

#endif  // LOSSLESS_CHASE_H_
