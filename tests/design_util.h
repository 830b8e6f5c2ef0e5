// Helpers shared by the tests of design mode: an input designed as `lossless --design` designs it,
// and its answers written with names, so that an expected cover or step is one short literal.

#ifndef LOSSLESS_TESTS_DESIGN_UTIL_H_
#define LOSSLESS_TESTS_DESIGN_UTIL_H_

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "design.h"
#include "run.h"

struct designed {
  std::vector<std::string> attr;
  std::vector<halmaz> F;
  design_result design;

  // Columns as names: "A,B"; the empty set as "{}".
  std::string names(const std::vector<int>& columns) const {
    if (columns.empty()) return "{}";
    std::string text;
    for (int c : columns) text += (text.empty() ? "" : ",") + attr[c];
    return text;
  }
  // Column lists as names: "A,B | B,C".
  std::string names(const std::vector<std::vector<int>>& lists) const {
    std::string text;
    for (const auto& list : lists) text += (text.empty() ? "" : " | ") + names(list);
    return text;
  }
  // "A,B->C", "->C".
  std::string dependency(const std::vector<int>& left, int right) const {
    return (left.empty() ? "" : names(left)) + "->" + attr[right];
  }
  std::string cover() const {
    std::string text;
    for (const fd& f : design.cover.dependencies) {
      text += (text.empty() ? "" : " | ") + dependency(f.left, f.right);
    }
    return text;
  }
  // "trivial A->A", "extraneous B of A,B->C: B,C", "redundant A->C: A,B,C".
  std::string steps(const minimal_cover& c) const {
    std::string text;
    for (const cover_step& s : c.steps) {
      text += text.empty() ? "" : "; ";
      text += std::string(kind_name(s.kind)) + " ";
      if (s.kind == cover_step_kind::extraneous) text += attr[s.attribute] + " of ";
      text += dependency(s.left, s.right);
      if (s.kind != cover_step_kind::trivial) text += ": " + names(s.closure);
    }
    return text;
  }
  // "scheme A,B from 0,1", "contained B,C in A,B,C", "key A,E: A,B,C,D,E".
  std::string steps(const synthesis_result& r) const {
    std::string text;
    for (const synthesis_step& s : r.steps) {
      text += (text.empty() ? "" : "; ") + std::string(kind_name(s.kind)) + " " + names(s.scheme);
      if (s.kind == synthesis_step_kind::scheme) {
        text += " from";
        for (std::size_t k = 0; k < s.from.size(); ++k) {
          text += (k ? "," : " ") + std::to_string(s.from[k]);
        }
      }
      if (s.kind == synthesis_step_kind::contained) text += " in " + names(s.in);
      if (s.kind == synthesis_step_kind::key) text += ": " + names(s.closure);
    }
    return text;
  }
  // "A,B,C on B->C (B,C) into B,C | A,B".
  std::string steps(const bcnf_result& r) const {
    std::string text;
    for (const bcnf_step& s : r.steps) {
      text += (text.empty() ? "" : "; ") + names(s.scheme) + " on " + names(s.left) + "->" +
              names(s.right) + " (" + names(s.closure) + ") into " + names(s.first) + " | " +
              names(s.second);
    }
    return text;
  }
};

// The run of an input with design mode, as `lossless --design` runs it; the trace and the
// messages are dropped.
inline designed design_text(const std::string& text, const design_budget& budget = {}) {
  std::ostream no_trace(nullptr);
  std::ostringstream dropped;
  diagnostics d(dropped);
  run_options options;
  options.design = true;
  options.design_work = budget;
  run_result r = run(text, no_trace, d, options);
  return {std::move(r.attr), std::move(r.F), std::move(*r.design)};
}

#endif  // LOSSLESS_TESTS_DESIGN_UTIL_H_
