// The synthesis groups the cover by left side in one sort, finds the schemes that another holds
// by the search for redundant schemes of the check, and tests each kept scheme for a key of R by
// one closure; only when none holds one is a key searched for, by one growing closure and one
// superkey test per attribute. So it costs a sort of the cover and O(k) closures for k schemes,
// plus O(|R|) for the key.

#include "synthesis.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <utility>

#include "keys.h"
#include "repair.h"

namespace {

// True when scheme, ascending columns, is a superkey of R: it holds every column outside U, which
// no dependency gives, and its closure holds U.
bool holds_key(const dependency_index& d, closure_engine& engine, const std::vector<int>& scheme,
               int outside_u, work_meter& meter) {
  meter.spend(static_cast<long long>(scheme.size()));
  int outside = 0;
  for (int c : scheme) outside += d.index_of[c] < 0 ? 1 : 0;
  if (outside < outside_u) return false;
  engine.clear();
  engine.set_target_all();
  for (int c : scheme) {
    if (d.index_of[c] >= 0) engine.add(d.index_of[c]);
  }
  engine.run(meter);
  return engine.covered();
}

}  // namespace

std::string_view kind_name(synthesis_step_kind k) {
  switch (k) {
    case synthesis_step_kind::scheme:
      return "scheme";
    case synthesis_step_kind::contained:
      return "contained";
    case synthesis_step_kind::key:
      return "key";
  }
  return "";
}

namespace {

// The cover's dependencies grouped by left side, in the order of the first dependency of each.
std::vector<std::vector<int>> groups_by_left(const std::vector<fd>& cover) {
  const int n = static_cast<int>(cover.size());
  std::vector<int> order(static_cast<std::size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return cover[a].left < cover[b].left; });
  std::vector<std::vector<int>> groups;
  for (int k = 0; k < n; ++k) {
    if (k == 0 || cover[order[k]].left != cover[order[k - 1]].left) groups.emplace_back();
    groups.back().push_back(order[k]);
  }
  std::sort(groups.begin(), groups.end());
  return groups;
}

// Keeps of made the schemes that no other holds, in order, in result, with a step naming a kept
// scheme that holds each one dropped.
void drop_contained(int m, std::vector<std::vector<int>> made, synthesis_result& result,
                    work_meter& meter) {
  // The search keeps a meter of its own; what it spends is about the size of the schemes.
  bool found_all = true;
  const std::vector<int> inside = find_redundant(m, made, std::max(meter.left(), 0LL), found_all);
  for (const std::vector<int>& scheme : made) meter.spend(static_cast<long long>(scheme.size()));
  if (!found_all) meter.spend(meter.left() + 1);
  std::vector<char> kept(made.size(), 1);
  for (int i : inside) kept[i] = 0;
  for (int i : inside) {
    for (std::size_t j = 0; j < made.size() && !meter.exhausted(); ++j) {
      meter.spend(static_cast<long long>(made[j].size()));
      if (!kept[j] ||
          !std::includes(made[j].begin(), made[j].end(), made[i].begin(), made[i].end())) {
        continue;
      }
      meter.spend(stored_cost * static_cast<long long>(made[i].size() + made[j].size()));
      result.steps.push_back({synthesis_step_kind::contained, made[i], {}, made[j], {}});
      break;
    }
  }
  for (std::size_t j = 0; j < made.size(); ++j) {
    if (kept[j]) result.schemes.push_back(std::move(made[j]));
  }
}

// A key of R: the one key_oracle::key_inside finds in U, with every column outside U.
std::vector<int> key_of_r(int m, const dependency_index& d, closure_engine& engine,
                          implication_table& table, work_meter& meter) {
  key_space space;
  space.attrs.resize(static_cast<std::size_t>(d.u()));
  std::iota(space.attrs.begin(), space.attrs.end(), 0);
  key_oracle oracle(d, space, engine, table, meter);
  std::vector<int> key = to_columns(d, oracle.key_inside(space.attrs));
  for (int c = 0; c < m; ++c) {
    if (d.index_of[c] < 0) key.push_back(c);
  }
  std::sort(key.begin(), key.end());
  return key;
}

}  // namespace

synthesis_result synthesize_3nf(int m, const std::vector<fd>& cover, const dependency_index& d,
                                closure_engine& engine, implication_table& table,
                                long long budget) {
  work_meter meter(budget);
  synthesis_result result;

  std::vector<std::vector<int>> made;
  for (const std::vector<int>& group : groups_by_left(cover)) {
    std::vector<int> scheme = cover[group[0]].left;
    for (int k : group) scheme.push_back(cover[k].right);
    std::sort(scheme.begin(), scheme.end());
    meter.spend(stored_cost * static_cast<long long>(2 * scheme.size() + group.size()));
    result.steps.push_back({synthesis_step_kind::scheme, scheme, group, {}, {}});
    made.push_back(std::move(scheme));
  }
  drop_contained(m, std::move(made), result, meter);

  const int outside_u = m - d.u();
  bool has_key = false;
  for (std::size_t j = 0; j < result.schemes.size() && !has_key && !meter.exhausted(); ++j) {
    has_key = holds_key(d, engine, result.schemes[j], outside_u, meter);
  }
  if (!has_key && !meter.exhausted()) {
    std::vector<int> key = key_of_r(m, d, engine, table, meter);
    std::vector<int> closure = closure_of(d, engine, key, meter);
    meter.spend(stored_cost * static_cast<long long>(2 * key.size() + closure.size()));
    result.steps.push_back({synthesis_step_kind::key, key, {}, {}, std::move(closure)});
    result.schemes.push_back(std::move(key));
  }

  result.complete = !meter.exhausted();
  if (!result.complete) result.schemes.clear();
  return result;
}
