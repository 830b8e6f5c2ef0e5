// Helpers shared by the tests of the decomposition check: an input checked as a run checks it,
// and its answers written with names, so that an expected answer is one short literal.

#ifndef LOSSLESS_TESTS_CHECK_UTIL_H_
#define LOSSLESS_TESTS_CHECK_UTIL_H_

#include <string>
#include <utility>
#include <vector>

#include "analysis.h"
#include "test_util.h"

// An input checked the way `lossless --json` checks it: read, chased, then the decomposition
// check.
struct checked {
  std::vector<std::string> attr;
  std::vector<std::vector<int>> schemes;
  std::vector<halmaz> F;
  bool lossless = false;
  decomposition_check check;
};

inline checked check_text(const std::string& text, const check_budget& budget = {}) {
  run_result r = run_checked(text, budget);
  return {std::move(r.attr), std::move(r.schemes), std::move(r.F), *r.lossless,
          std::move(*r.check)};
}

// Columns as names: "A,E,F".
inline std::string names(const checked& c, const std::vector<int>& columns) {
  std::string text;
  for (int k : columns) text += (text.empty() ? "" : ",") + c.attr[k];
  return text;
}

// A list of column lists as names: "A | B,C".
inline std::string names(const checked& c, const std::vector<std::vector<int>>& lists) {
  std::string text;
  for (const std::vector<int>& list : lists) text += (text.empty() ? "" : " | ") + names(c, list);
  return text;
}

// "3NF C->A", "BCNF", "1NF B->C in A,B".
inline std::string verdict(const checked& c, const scheme_check& s) {
  std::string text =
      s.form == normal_form::undecided ? "not decided" : std::string(form_name(s.form));
  if (s.witness.right < 0) return text;
  text += " " + names(c, s.witness.left) + "->" + c.attr[s.witness.right];
  if (!s.witness.key.empty()) text += " in " + names(c, s.witness.key);
  return text;
}

// The dependencies of a list of preservation answers, with what each missed: "1:E 2:D".
inline std::string records(const checked& c, const std::vector<record_preservation>& list) {
  std::string text;
  for (const record_preservation& r : list) {
    text += (text.empty() ? "" : " ") + std::to_string(r.dependency);
    if (!r.missing.empty()) text += ":" + names(c, r.missing);
  }
  return text;
}

#endif  // LOSSLESS_TESTS_CHECK_UTIL_H_
