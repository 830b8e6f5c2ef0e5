// The chase of a tableau by functional dependencies, and the lossless verdict.

#ifndef LOSSLESS_CHASE_H_
#define LOSSLESS_CHASE_H_

#include <string>
#include <string_view>
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

// The two verdicts, as the trace and the result file give them.
constexpr std::string_view lossless_verdict = "vesztesegmentes";
constexpr std::string_view lossy_verdict = "nem vesztesegmentes";

// lossless_verdict when some data row of matr_S holds "0" in every column, otherwise
// lossy_verdict (also for a tableau without data rows).
std::string verdict(const matrix& matr_S);

// The data rows of matr_S (from 1) that hold "0" in every column; the decomposition is lossless
// when there is one.
std::vector<int> distinguished_rows(const matrix& matr_S);

// One change that the plain chase makes: one right-side column of one equate call that changed at
// least one cell.
struct step {
  int pass;                // from 1
  int dependency;          // the index of the dependency in F
  int i, j;                // the agreeing rows, i < j, tableau rows from 1
  int column;              // from 0
  std::string from;        // the symbol that went
  std::string to;          // the symbol that stayed
  std::vector<int> cells;  // the rows, ascending, whose cell in the column changed
};

// The steps of a chase, in order, and whether they reach the fixpoint.
struct step_record {
  std::vector<step> steps;
  bool complete = true;  // false when the work budget ran out first
};

// A work budget that never runs out.
constexpr long long unlimited_work = -1;

// Chases matr_S the plain way and records its steps: passes over F in list order, in each every
// pair of data rows i < j in order, and for each pair that agrees on the left side an equate of
// the right side, column by column; until a pass changes nothing. A dependency with a -1 on its
// left never fires. Every compared or scanned cell costs one unit of work; once more than budget
// units are spent the chase stops where it is and the record is incomplete. The fixpoint reached
// is the tableau that chase() gives.
step_record record_steps(matrix& matr_S, const std::vector<halmaz>& F, long long budget);

// Why a lossy decomposition loses information. Read the chased tableau as a relation r: it
// satisfies every dependency whose names are all known, since nothing can be chased any more.
// Project r onto each scheme; every projection holds the scheme's row of "0" symbols, so the join
// of the projections holds the tuple of "0" in every column, which r lacks.
struct counterexample {
  // Per scheme (data row k of the initial tableau): its columns, where that row holds "0".
  std::vector<std::vector<int>> columns;
  // Per scheme: the rows of r (from 1) whose projection onto the scheme comes first among the rows
  // with the same projection, ascending; one row per tuple of the projection.
  std::vector<std::vector<int>> tuples;
  // Per scheme: the position in its tuples of the tuple of "0" symbols, which every projection
  // holds (the scheme's own row gives it, unless an earlier row has the same projection).
  std::vector<int> zeros;
};

// The counterexample for the initial tableau matr_T and its chased form matr_S.
counterexample make_counterexample(const matrix& matr_T, const matrix& matr_S);

#endif  // LOSSLESS_CHASE_H_
