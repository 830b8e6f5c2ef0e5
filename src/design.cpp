// Design mode runs its parts over one index of F, one closure engine and one table of
// single-attribute closures, each part under a budget of its own, and then judges each
// decomposition as a given one is judged: the chase for the lossless join, the check for the
// preservation and the normal forms. Nothing of the construction is trusted: a forgotten key
// scheme or a cover left side not reduced would show there.

#include "design.h"

#include <algorithm>
#include <set>

#include "repair.h"

namespace {

design_check check_result(int m, const std::vector<std::vector<int>>& schemes,
                          const std::vector<halmaz>& F, const check_budget& budget) {
  design_check c;
  c.lossless = chase_lossless(m, schemes, F);
  // Told that the join is lossless, the check proposes no repair, which nobody asked for.
  const decomposition_check check = check_decomposition(m, schemes, F, true, budget);
  c.preserving = check.preservation.preserving;
  if (check.preservation.complete) {
    std::vector<int>& lost = c.lost.emplace();
    for (const record_preservation& r : check.preservation.lost) lost.push_back(r.dependency);
  }
  for (const scheme_check& s : check.schemes) c.forms.push_back(s.form);
  return c;
}

// The distinct left sides, in the order they first come.
template <typename List, typename Left>
std::vector<std::vector<int>> distinct_lefts(const List& list, Left left_of) {
  std::vector<std::vector<int>> lefts;
  std::set<std::vector<int>> seen;
  for (const auto& item : list) {
    if (seen.insert(left_of(item)).second) lefts.push_back(left_of(item));
  }
  return lefts;
}

}  // namespace

check_budget results_check_budget() {
  check_budget b;
  b.keys = 0;
  return b;
}

bool design_check::complete() const {
  return lossless && preserving && lost &&
         std::none_of(forms.begin(), forms.end(),
                      [](normal_form f) { return f == normal_form::undecided; });
}

design_result design_decomposition(int m, const std::vector<halmaz>& F,
                                   const design_budget& budget) {
  const dependency_index d = index_dependencies(m, F);
  closure_engine engine(d);
  implication_table table(d, budget.single_closures);
  design_result r;

  r.cover = find_minimal_cover(d, engine, budget.cover);
  if (r.cover.complete) {
    r.synthesis = synthesize_3nf(m, r.cover.dependencies, d, engine, table, budget.synthesis);
  } else {
    r.synthesis.complete = false;
  }

  const std::vector<std::vector<int>> lefts =
      r.cover.complete ? distinct_lefts(r.cover.dependencies, [](const fd& f) { return f.left; })
                       : distinct_lefts(d.records, [](const record& x) { return x.left; });
  r.bcnf = decompose_bcnf(m, lefts, d, engine, table, budget.bcnf);

  if (r.synthesis.complete) {
    r.synthesis_check = check_result(m, r.synthesis.schemes, F, budget.check);
  }
  if (r.bcnf.complete) r.bcnf_check = check_result(m, r.bcnf.schemes, F, budget.check);
  r.complete = r.cover.complete && r.synthesis.complete && r.bcnf.complete &&
               r.synthesis_check->complete() && r.bcnf_check->complete();
  return r;
}
