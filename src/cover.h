// The minimal cover of F, the first part of design mode: a cover whose dependencies have one
// attribute on the right, no extraneous attribute on the left and none redundant, equivalent to F,
// with every step that made it and the closure that proves the step.

#ifndef LOSSLESS_COVER_H_
#define LOSSLESS_COVER_H_

#include <span>
#include <string_view>
#include <vector>

#include "closure.h"
#include "sets.h"

// A dependency with one attribute on the right: left -> right, columns, left ascending.
struct fd {
  std::vector<int> left;
  int right = -1;
  bool operator==(const fd&) const = default;
};

enum class cover_step_kind {
  trivial,     // dropped: the right side is in the left
  extraneous,  // attribute left out of the left side: closure, of the rest, holds the right side
  redundant,   // dropped: closure, of the left side under the others, holds the right side
};

// The kind name of a step: "trivial", "extraneous", "redundant".
std::string_view kind_name(cover_step_kind k);

// One step of the cover, on the dependency left -> right as it stood when the step was taken.
struct cover_step {
  cover_step_kind kind = cover_step_kind::trivial;
  std::vector<int> left;
  int right = -1;
  int attribute = -1;        // extraneous only
  std::vector<int> closure;  // ascending; empty for a trivial step
};

struct minimal_cover {
  bool complete = true;           // false when the budget ran out; dependencies are then empty
  std::vector<fd> dependencies;   // in the order of the records they come from
  std::vector<cover_step> steps;  // in the order done, also when the budget ran out
};

// The minimal cover of the records that d indexes. Each record X->Y is split, in the order of F,
// into X->A for each A of Y ascending; the trivial ones are dropped; then, in that order, each
// attribute of a left side, ascending, is left out when the rest still determines the right side;
// then each dependency is dropped when the others determine it. Left sides first: the other order
// can leave a redundant dependency. A left side may end empty (A is constant).
minimal_cover find_minimal_cover(const dependency_index& d, closure_engine& engine,
                                 long long budget);

#endif  // LOSSLESS_COVER_H_
