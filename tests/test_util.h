// Helpers shared by the unit tests.

#ifndef LOSSLESS_TESTS_TEST_UTIL_H_
#define LOSSLESS_TESTS_TEST_UTIL_H_

#include <sstream>
#include <string>

#include "matrix.h"

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
