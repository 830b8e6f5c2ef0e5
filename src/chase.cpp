// The chase repeats whole passes over every dependency and every pair of data rows until a pass
// leaves the tableau unchanged. It terminates because a replacement never introduces a symbol that
// was not already in its column and never raises a cell's numeric value. A pass costs
// O(|F| * rows^2) agreement tests plus a column scan per equated column.

#include "chase.h"

#include <algorithm>
#include <charconv>

namespace {

long numeric_value(const std::string& symbol) {
  long value = 0;
  std::from_chars(symbol.data(), symbol.data() + symbol.size(), value);
  return value;
}

bool agree(const matrix& m, int i, int j, const std::vector<int>& left) {
  for (int c : left) {
    if (m.cell(i, c) != m.cell(j, c)) return false;
  }
  return true;
}

bool names_missing_attribute(const halmaz& h) {
  return std::find(h.left.begin(), h.left.end(), -1) != h.left.end();
}

}  // namespace

void equate(int i, int j, matrix& matr_S, const std::vector<int>& right) {
  for (int c : right) {
    if (c == -1) continue;
    const long a = numeric_value(matr_S.cell(i, c));
    const long b = numeric_value(matr_S.cell(j, c));
    const std::string u = a >= b ? matr_S.cell(j, c) : matr_S.cell(i, c);
    const std::string v = a >= b ? matr_S.cell(i, c) : matr_S.cell(j, c);
    for (int r = 1; r < matr_S.get_x(); ++r) {
      if (matr_S.cell(r, c) == v) matr_S.cell(r, c) = u;
    }
  }
}

void chase(matrix& matr_S, const std::vector<halmaz>& F) {
  matrix matr_T(0, 0);
  do {
    matr_T = matr_S;
    for (const halmaz& h : F) {
      if (names_missing_attribute(h)) continue;
      for (int i = 1; i < matr_S.get_x() - 1; ++i) {
        for (int j = i + 1; j < matr_S.get_x(); ++j) {
          if (agree(matr_S, i, j, h.left)) equate(i, j, matr_S, h.right);
        }
      }
    }
  } while (matr_S != matr_T);
}

std::string verdict(const matrix& matr_S) {
  std::string result = "nem vesztesegmentes";
  for (int i = 1; i < matr_S.get_x(); ++i) {
    bool distinguished = true;
    for (int c = 0; c < matr_S.get_y() && distinguished; ++c) {
      distinguished = matr_S.cell(i, c) == "0";
    }
    if (distinguished) result = "vesztesegmentes";
  }
  return result;
}
