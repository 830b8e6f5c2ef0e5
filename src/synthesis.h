// 3NF synthesis, the second part of design mode (Bernstein 1976; Biskup, Dayal and Bernstein 1979):
// from a minimal cover, one scheme per left side with all its right sides, the schemes that
// another one holds dropped, and a key of R added when no scheme holds one. The result is
// lossless, preserves F and has every scheme in 3NF; design mode confirms that with the chase and
// the check rather than assuming it.

#ifndef LOSSLESS_SYNTHESIS_H_
#define LOSSLESS_SYNTHESIS_H_

#include <string_view>
#include <vector>

#include "closure.h"
#include "cover.h"

enum class synthesis_step_kind {
  scheme,     // the left side and the right sides of the cover's dependencies in from
  contained,  // dropped: in holds it
  key,        // added: no scheme held a key of R, and closure shows that this one is a superkey
};

// The kind name of a step: "scheme", "contained", "key".
std::string_view kind_name(synthesis_step_kind k);

struct synthesis_step {
  synthesis_step_kind kind = synthesis_step_kind::scheme;
  std::vector<int> scheme;   // ascending columns
  std::vector<int> from;     // scheme only: indices into the cover, ascending
  std::vector<int> in;       // contained only: the scheme that holds it, one that is kept
  std::vector<int> closure;  // key only: the scheme's closure, all of R
};

struct synthesis_result {
  bool complete = true;                   // false when the budget ran out; schemes are then empty
  std::vector<std::vector<int>> schemes;  // ascending columns, in the order they were made
  std::vector<synthesis_step> steps;      // in the order done, also when the budget ran out
};

// The 3NF synthesis of R = {0 .. m-1} from cover, a minimal cover of the records that d indexes.
// Schemes come in the order of the first dependency of each left side; of two equal ones the
// later is dropped. The key added is the one that key_oracle::key_inside finds in R.
synthesis_result synthesize_3nf(int m, const std::vector<fd>& cover, const dependency_index& d,
                                closure_engine& engine, implication_table& table, long long budget);

#endif  // LOSSLESS_SYNTHESIS_H_
