// Helpers shared by the unit tests.

#ifndef LOSSLESS_TESTS_TEST_UTIL_H_
#define LOSSLESS_TESTS_TEST_UTIL_H_

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis.h"
#include "input.h"
#include "matrix.h"
#include "run.h"
#include "tableau.h"

// The tableau and the dependency list that an input text yields, read the way a run reads them;
// the scheme echo and the diagnostics are dropped.
struct parsed_input {
  matrix tableau{0, 0};
  std::vector<halmaz> F;
};

inline parsed_input parse_input(const std::string& text) {
  line_reader first(text), second(text);
  std::string_view tmp;
  std::ostringstream dropped;
  diagnostics d(dropped);
  const catalogue c = read_catalogue(first, tmp, d);
  parsed_input input;
  input.tableau = build_tableau(second, tmp, dropped, c.attr, static_cast<int>(c.n));
  input.F = read_dependencies(second, tmp, c.attr, d);
  return input;
}

// The run of an input with these options, its trace and messages dropped.
inline run_result run_quietly(const std::string& text, const run_options& options) {
  std::ostream no_trace(nullptr);
  std::ostringstream dropped;
  diagnostics d(dropped);
  return run(text, no_trace, d, options);
}

// The run of an input with the check, as `lossless --json` runs it.
inline run_result run_checked(const std::string& text, const check_budget& budget = {}) {
  run_options options;
  options.check = true;
  options.budget = budget;
  return run_quietly(text, options);
}

// The run of an input with design mode, as `lossless --design` runs it.
inline run_result run_designed(const std::string& text, const design_budget& budget = {}) {
  run_options options;
  options.design = true;
  options.design_work = budget;
  return run_quietly(text, options);
}

// What print writes for m.
inline std::string printed(const matrix& m) {
  std::ostringstream out;
  m.print(out);
  return out.str();
}

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// One-line dump of every cell, rows joined by "|": "A B C|0 0 1|2 0 0".
inline std::string dump(const matrix& m) {
  std::string s;
  for (int i = 0; i < m.get_x(); ++i) {
    if (i > 0) s += '|';
    for (int j = 0; j < m.get_y(); ++j) s += (j > 0 ? " " : "") + m.get(i, j);
  }
  return s;
}

// The inverse of dump, for writing a tableau as one literal.
inline matrix from_dump(const std::string& text) {
  std::vector<std::vector<std::string>> rows(1);
  std::string cell;
  std::istringstream in(text);
  for (char ch; in.get(ch);) {
    if (ch == ' ' || ch == '|') {
      rows.back().push_back(cell);
      cell.clear();
      if (ch == '|') rows.emplace_back();
    } else {
      cell += ch;
    }
  }
  rows.back().push_back(cell);
  matrix m(static_cast<int>(rows.size()), static_cast<int>(rows[0].size()));
  for (int i = 0; i < m.get_x(); ++i) {
    for (int j = 0; j < m.get_y(); ++j) m.checked_cell(i, j) = rows[i][j];
  }
  return m;
}

#endif  // LOSSLESS_TESTS_TEST_UTIL_H_
