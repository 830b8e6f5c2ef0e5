// The definitions of the check, by brute force over subsets of at most a few attributes: the
// oracle of the property tests.

#ifndef LOSSLESS_TESTS_BRUTE_FORCE_H_
#define LOSSLESS_TESTS_BRUTE_FORCE_H_

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "chase.h"
#include "input.h"
#include "matrix.h"

using mask = std::uint32_t;

struct brute {
  int m;
  std::vector<std::pair<mask, mask>> F;  // the applicable records, -1 dropped from the right

  mask closure(mask x, const std::vector<std::pair<mask, mask>>& deps) const {
    for (bool grew = true; grew;) {
      grew = false;
      for (const auto& [l, r] : deps) {
        if ((l & ~x) == 0 && (r & ~x) != 0) {
          x |= r;
          grew = true;
        }
      }
    }
    return x;
  }
  mask closure(mask x) const { return closure(x, F); }
  // X+ under the union of the projections of F onto the schemes.
  mask preserved_closure(const std::vector<std::vector<int>>& schemes, mask x) const;
  // The minimal X inside s with s in X+.
  std::vector<mask> keys(mask s) const {
    std::vector<mask> keys;
    for (mask x = 0; x < (mask{1} << m); ++x) {
      if ((x & ~s) != 0 || (s & ~closure(x)) != 0) continue;
      bool minimal = true;
      for (mask k : keys) minimal = minimal && (k & ~x) != 0;
      if (minimal) keys.push_back(x);  // in order of size, so no later key is inside x
    }
    return keys;
  }
};

inline mask to_mask(const std::vector<int>& columns) {
  mask x = 0;
  for (int c : columns) {
    if (c >= 0) x |= mask{1} << c;
  }
  return x;
}

inline mask brute::preserved_closure(const std::vector<std::vector<int>>& schemes, mask x) const {
  std::vector<std::pair<mask, mask>> projections;
  for (const std::vector<int>& s : schemes) {
    const mask in_s = to_mask(s);
    for (mask y = 0; y < (mask{1} << m); ++y) {
      if ((y & ~in_s) == 0) projections.emplace_back(y, closure(y) & in_s);
    }
  }
  return closure(x, projections);
}

inline bool chase_finds_lossless(int m, const std::vector<std::vector<int>>& schemes,
                                 const std::vector<halmaz>& F) {
  matrix tableau(static_cast<int>(schemes.size()) + 1, m);
  const std::string zero = "0";
  for (int k = 1; k < tableau.get_x(); ++k) {
    for (int c = 0; c < m; ++c) tableau.cell(k, c) = std::to_string(k);
    for (int c : schemes[k - 1]) tableau.cell(k, c) = zero;
  }
  chase(tableau, F);
  return !distinguished_rows(tableau).empty();
}

inline std::vector<int> columns_of(mask x) {
  std::vector<int> columns;
  for (int c = 0; x >> c != 0; ++c) {
    if ((x >> c) & 1) columns.push_back(c);
  }
  return columns;
}

inline std::vector<std::vector<int>> by_size_then_columns(const std::vector<mask>& sets) {
  std::vector<std::vector<int>> lists;
  for (mask x : sets) lists.push_back(columns_of(x));
  std::sort(lists.begin(), lists.end(), [](const auto& a, const auto& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
  });
  return lists;
}

inline std::vector<int> random_side(std::mt19937& random, int m) {
  std::vector<int> side(random() % 3);
  for (int& c : side) c = random() % 12 == 0 ? -1 : static_cast<int>(random() % m);
  return side;
}

#endif  // LOSSLESS_TESTS_BRUTE_FORCE_H_
