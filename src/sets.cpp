#include "sets.h"

#include <numeric>

void sort_unique(std::vector<int>& v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
}

flat_lists group_pairs(int count, const std::vector<std::pair<int, int>>& pairs) {
  flat_lists lists;
  lists.begin.assign(static_cast<std::size_t>(count) + 1, 0);
  for (const auto& [list, value] : pairs) ++lists.begin[list + 1];
  std::partial_sum(lists.begin.begin(), lists.begin.end(), lists.begin.begin());
  lists.values.resize(pairs.size());
  std::vector<int> fill(lists.begin.begin(), lists.begin.end() - 1);
  for (const auto& [list, value] : pairs) lists.values[fill[list]++] = value;
  return lists;
}

bool size_then_columns(const std::vector<int>& a, const std::vector<int>& b) {
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}
