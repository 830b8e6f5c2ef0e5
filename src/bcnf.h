// BCNF decomposition, the third part of design mode: while some scheme S has a violation X->Y
// (X a proper subset of S, Y = (X+ n S) - X not empty, S not in X+), S becomes X u Y and S - Y.
// Each split is lossless by Heath's theorem, since the parts share X and X determines X u Y.
// Violations are found with closures under the whole F, never with the dependencies that happen
// to lie inside S: those of S are the projection of F+, which can need exponentially many.

#ifndef LOSSLESS_BCNF_H_
#define LOSSLESS_BCNF_H_

#include <vector>

#include "closure.h"

// One split: scheme on the violation left -> right, with closure = left+ as its proof, into
// first = left u right and second = scheme - right. All ascending columns.
struct bcnf_step {
  std::vector<int> scheme;
  std::vector<int> left;
  std::vector<int> right;
  std::vector<int> closure;
  std::vector<int> first;
  std::vector<int> second;
};

struct bcnf_result {
  bool complete = true;                   // false when the budget ran out; schemes are then empty
  std::vector<std::vector<int>> schemes;  // ascending columns, the parts of the splits in order
  std::vector<bcnf_step> steps;           // in the order done, also when the budget ran out
};

// Decomposes R = {0 .. m-1} under the records that d indexes into schemes that are in BCNF by the
// definitions. A scheme is searched for a violation cheapest first: X among lefts (ascending
// column lists, the left sides to try, in order) inside S; then the pair test of Tsou and Fischer
// (S is BCNF when no A is in (S - {A,B})+, and such an A with B outside is a violation); only when
// that is inconclusive, the exact test of the scheme's normal form. X is made minimal for one
// attribute of Y before the split; the first part is decomposed before the second. The result and
// the dependencies it loses depend on the order of the splits.
bcnf_result decompose_bcnf(int m, const std::vector<std::vector<int>>& lefts,
                           const dependency_index& d, closure_engine& engine,
                           implication_table& table, long long budget);

#endif  // LOSSLESS_BCNF_H_
