// The check runs its parts in order, each under a budget of its own, over one index of F and one
// closure engine. Only the attributes that the dependencies mention (U) take part in closures; any
// other attribute is in X+ only when it is in X, so it is left out of every closure and put back
// where an answer lists attributes. Every loop spends from a work budget and stops when it is
// overdrawn, so nothing runs unbounded; what an answer stores is charged too, so its memory stays
// bounded as well.

#include "analysis.h"

#include <algorithm>

#include "closure.h"

std::string_view kind_name(check_part part) {
  switch (part) {
    case check_part::preservation:
      return "preservation";
    case check_part::keys:
      return "keys";
    case check_part::normal_forms:
      return "normal_forms";
    case check_part::redundancy:
      return "redundancy";
    case check_part::repair:
      return "repair";
  }
  return "";
}

std::vector<std::vector<int>> scheme_columns(const matrix& matr_T) {
  std::vector<std::vector<int>> schemes;
  for (int k = 1; k < matr_T.get_x(); ++k) {
    std::vector<int>& columns = schemes.emplace_back();
    for (int c = 0; c < matr_T.get_y(); ++c) {
      if (matr_T.cell(k, c) == "0") columns.push_back(c);
    }
  }
  return schemes;
}

decomposition_check check_decomposition(int m, const std::vector<std::vector<int>>& schemes,
                                        const std::vector<halmaz>& F, bool lossless,
                                        const check_budget& budget,
                                        const check_progress& progress) {
  auto tell = [&](check_part part, long long done, long long total) {
    if (progress) progress(part, done, total);
  };
  decomposition_check check;
  const dependency_index d = index_dependencies(m, F);
  const scheme_index s = index_schemes(d, schemes);
  closure_engine engine(d);
  implication_table table(d, budget.single_closures);

  progress_fn preservation_told;
  if (progress) {
    preservation_told = [&](long long done, long long total) {
      progress(check_part::preservation, done, total);
    };
  }
  check.preservation =
      check_preservation(d, s, engine, table, budget.preservation, preservation_told);
  tell(check_part::keys, 0, -1);
  check.keys = find_keys(m, d, engine, table, budget.keys);
  bool complete = check.preservation.complete && check.keys.complete;

  const long long n = static_cast<long long>(schemes.size());
  work_meter all_schemes(budget.normal_forms);
  for (std::size_t j = 0; j < schemes.size(); ++j) {
    tell(check_part::normal_forms, static_cast<long long>(j), n);
    work_meter meter(std::min(budget.scheme, std::max(all_schemes.left(), 0LL)));
    const long long before = meter.left();
    check.schemes.push_back(check_scheme(d, schemes[j], s.in_u[j], engine, table, meter));
    all_schemes.spend(before - meter.left());
    complete = complete && check.schemes.back().form != normal_form::undecided;
  }

  tell(check_part::redundancy, 0, -1);
  check.redundant = find_redundant(m, schemes, budget.redundancy, check.redundant_complete);
  complete = complete && check.redundant_complete;

  if (!lossless && m > 0) {
    tell(check_part::repair, 0, -1);
    bool repair_complete = true;
    check.repair = propose_repair(m, schemes, F, check.preservation, check.keys, repair_complete);
    complete = complete && repair_complete;
  }
  check.complete = complete;
  return check;
}
