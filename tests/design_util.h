// Helpers shared by the tests of design mode: an input designed as `lossless --design` designs it,
// and its answers written with names, so that an expected cover or decomposition is one literal.

#ifndef LOSSLESS_TESTS_DESIGN_UTIL_H_
#define LOSSLESS_TESTS_DESIGN_UTIL_H_

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "design.h"
#include "run.h"
#include "test_util.h"

struct designed {
  std::vector<std::string> attr;
  std::vector<halmaz> F;
  design_result design;

  // "A,B"; "A,B | B,C".
  std::string names(const std::vector<int>& columns) const {
    std::string text;
    for (int c : columns) text += (text.empty() ? "" : ",") + attr[c];
    return text;
  }
  std::string names(const std::vector<std::vector<int>>& lists) const {
    std::string text;
    for (const auto& list : lists) text += (text.empty() ? "" : " | ") + names(list);
    return text;
  }
  // "D->A | B->D".
  std::string cover() const {
    std::string text;
    for (const fd& f : design.cover.dependencies) {
      text += (text.empty() ? "" : " | ") + names(f.left) + "->" + attr[f.right];
    }
    return text;
  }
};

// The run of an input with design mode, as `lossless --design` runs it.
inline designed design_text(const std::string& text, const design_budget& budget = {}) {
  run_result r = run_designed(text, budget);
  return {std::move(r.attr), std::move(r.F), std::move(*r.design)};
}

#endif  // LOSSLESS_TESTS_DESIGN_UTIL_H_
