// A scheme is compared only with the schemes holding its rarest column, which keeps the search
// for redundant schemes near linear on real decompositions. The repair follows from two facts: a
// decomposition that preserves F becomes lossless with any key of R added, and adding X u Y for
// each lost X->Y makes it preserve F.

#include "repair.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "chase.h"
#include "matrix.h"
#include "sets.h"
#include "tableau.h"

std::vector<int> find_redundant(int m, const std::vector<std::vector<int>>& schemes,
                                long long budget, bool& complete) {
  work_meter meter(budget);
  const int n = static_cast<int>(schemes.size());
  std::vector<std::pair<int, int>> pairs;
  for (int j = 0; j < n; ++j) {
    for (int c : schemes[j]) {
      if (0 <= c && c < m) pairs.emplace_back(c, j);
    }
  }
  const flat_lists of = group_pairs(m, pairs);
  const bool any_filled = std::any_of(schemes.begin(), schemes.end(),
                                      [](const std::vector<int>& s) { return !s.empty(); });
  std::vector<int> redundant;
  int empty_seen = 0;
  for (int i = 0; i < n && !meter.exhausted(); ++i) {
    const std::vector<int>& s = schemes[i];
    if (s.empty()) {
      if (any_filled || empty_seen++ > 0) redundant.push_back(i);
      continue;
    }
    int rarest = s[0];
    for (int c : s) {
      if (of[c].size() < of[rarest].size()) rarest = c;
    }
    meter.spend(static_cast<long long>(s.size()));
    for (int j : of[rarest]) {
      const std::vector<int>& t = schemes[j];
      if (j == i || t.size() < s.size() || (t.size() == s.size() && j > i)) continue;
      auto from = t.begin();
      std::size_t k = 0;
      for (; k < s.size(); ++k) {
        from = std::lower_bound(from, t.end(), s[k]);
        if (from == t.end() || *from != s[k]) break;
      }
      meter.spend(1 + static_cast<long long>(k));
      if (k == s.size()) {
        redundant.push_back(i);
        break;
      }
    }
  }
  complete = !meter.exhausted();
  return redundant;
}

std::string_view kind_name(repair_reason r) {
  switch (r) {
    case repair_reason::key:
      return "key";
    case repair_reason::lost:
      return "lost";
    case repair_reason::lost_and_key:
      return "lost_and_key";
  }
  return "";
}

std::optional<bool> chase_lossless(int m, const std::vector<std::vector<int>>& schemes,
                                   const std::vector<halmaz>& F) {
  const long long n = static_cast<long long>(schemes.size());
  if (!tableau_fits_in_memory(n, static_cast<std::size_t>(m))) return std::nullopt;
  matrix tableau(static_cast<int>(n) + 1, m);
  const std::string distinguished = "0";
  for (int k = 1; k <= n; ++k) {
    const std::string symbol = std::to_string(k);
    for (int c = 0; c < m; ++c) tableau.cell(k, c) = symbol;
    for (int c : schemes[k - 1]) tableau.cell(k, c) = distinguished;
  }
  chase(tableau, F);
  return !distinguished_rows(tableau).empty();
}

std::optional<repair_proposal> propose_repair(int m, const std::vector<std::vector<int>>& schemes,
                                              const std::vector<halmaz>& F,
                                              const preservation_check& preservation,
                                              const key_list& keys, bool& complete) {
  complete = false;
  if (!preservation.complete || keys.keys.empty()) return std::nullopt;
  repair_proposal r;
  std::vector<std::vector<int>> repaired = schemes;
  auto valid = [m](int c) { return 0 <= c && c < m; };
  for (const record_preservation& lost : preservation.lost) {
    const halmaz& h = F[lost.dependency];
    std::vector<int> add = h.left;
    std::copy_if(h.right.begin(), h.right.end(), std::back_inserter(add), valid);
    sort_unique(add);
    if (std::find(r.add.begin(), r.add.end(), add) != r.add.end()) continue;
    repaired.push_back(add);
    r.add.push_back(std::move(add));
    r.from.push_back(lost.dependency);
  }
  std::optional<bool> lossless = false;
  if (!r.add.empty()) lossless = chase_lossless(m, repaired, F);
  r.reason = r.add.empty() ? repair_reason::key : repair_reason::lost;
  if (lossless == false) {
    if (!r.add.empty()) r.reason = repair_reason::lost_and_key;
    repaired.push_back(keys.keys.front());
    r.add.push_back(keys.keys.front());
    r.from.push_back(-1);
    lossless = chase_lossless(m, repaired, F);
  }
  if (lossless != true) return std::nullopt;
  complete = true;
  r.lossless = true;
  r.preserving = true;  // each lost X->Y now lies in one scheme, and adding schemes loses nothing
  return r;
}
