// Design mode: from R and F to a minimal cover, a 3NF synthesis and a BCNF decomposition, each step
// with its proof, and each decomposition confirmed by the chase and the check that judge a given
// one. R is every column of the catalogue and F the dependency list as read: a record whose left
// side holds -1 never applies, a -1 on a right side is left out.

#ifndef LOSSLESS_DESIGN_H_
#define LOSSLESS_DESIGN_H_

#include <optional>
#include <vector>

#include "analysis.h"
#include "bcnf.h"
#include "cover.h"
#include "input.h"
#include "normal_forms.h"
#include "synthesis.h"

// The check's default budgets without the keys of R, which no answer of design mode shows.
check_budget results_check_budget();

// Work budgets, in the units of the check's. A part that runs out says so and gives no result.
// The defaults finish every textbook exercise, and all of 1,000 attributes under 1,000 random
// dependencies in about a second, where the BCNF decomposition spends up to 300,000,000.
struct design_budget {
  long long single_closures = 100'000'000;  // the table of single-attribute closures
  long long cover = 200'000'000;
  long long synthesis = 100'000'000;
  long long bcnf = 500'000'000;
  check_budget check = results_check_budget();  // the check of each decomposition
};

// What the chase and the check say of a decomposition that design mode made.
struct design_check {
  std::optional<bool> lossless;    // the chase; empty when its tableau would not fit in memory
  std::optional<bool> preserving;  // empty when the preservation ran out of budget
  // The records of F (indices) that the schemes do not preserve; empty when not all were decided.
  std::optional<std::vector<int>> lost;
  std::vector<normal_form> forms;  // per scheme; undecided where the budget ran out
  // True when every answer above was decided.
  bool complete() const;
};

struct design_result {
  minimal_cover cover;
  synthesis_result synthesis;  // not attempted (incomplete) when the cover is incomplete
  std::optional<design_check> synthesis_check;  // when the synthesis is complete
  bcnf_result bcnf;
  std::optional<design_check> bcnf_check;  // when the decomposition is complete
  bool complete = true;                    // false when any part or check ran out
};

// Runs the three parts in order on R = {0 .. m-1} and F, then the chase and the check on each
// decomposition made. The BCNF decomposition tries the cover's left sides first, or F's when the
// cover is incomplete. Always returns; each part that runs out of its budget says so.
design_result design_decomposition(int m, const std::vector<halmaz>& F,
                                   const design_budget& budget = {});

#endif  // LOSSLESS_DESIGN_H_
