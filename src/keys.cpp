// Keys of R by Lucchesi and Osborn: from each key K and dependency X->Y, the set X u (K - Y)
// holds a key unless it holds a known one, so new keys are found until every such set holds a
// known key, which proves the list whole. Time grows with the number of keys times |F|. A key
// inside a superkey is found by one growing closure and one superkey test per attribute.

#include "keys.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <utility>

bool key_oracle::superkey(std::span<const int> x) {
  if (space_.outside && std::find(x.begin(), x.end(), space_.outside_index()) == x.end()) {
    return false;
  }
  if (table_says(x, space_.attrs)) return answer_;
  start(x);
  engine_.run(meter_);
  return engine_.covered();
}

bool key_oracle::implies(std::span<const int> x, int a) {
  if (table_says(x, std::span<const int>(&space_.attrs[a], 1))) return answer_;
  engine_.clear();
  engine_.set_target(std::span<const int>(&space_.attrs[a], 1));
  target_is_space_ = false;
  add(x);
  engine_.run(meter_);
  return engine_.contains(space_.attrs[a]);
}

void key_oracle::close(std::span<const int> x) {
  start(x);
  engine_.run(meter_);
}

std::vector<int> key_oracle::produced(std::span<const int> x) {
  // Only attributes ranked at least as low as some attribute of X can lead into X.
  int floor = std::numeric_limits<int>::max();
  for (int i : x) {
    if (i != space_.outside_index()) floor = std::min(floor, d_.rank[space_.attrs[i]]);
  }
  engine_.clear();
  engine_.set_no_target(floor);
  target_is_space_ = false;
  firings_.clear();
  engine_.trace(&firings_);
  add(x);
  engine_.run(meter_);
  engine_.trace(nullptr);
  rights_.clear();
  for (const closure_engine::firing& f : firings_) {
    const std::span<const int> right = d_.right[f.fd];
    rights_.insert(rights_.end(), right.begin(), right.end());
  }
  sort_unique(rights_);
  meter_.spend(static_cast<long long>(rights_.size() + x.size()));
  std::vector<int> found;
  for (int i : x) {
    if (i != space_.outside_index() &&
        std::binary_search(rights_.begin(), rights_.end(), space_.attrs[i])) {
      found.push_back(i);
    }
  }
  return found;
}

std::vector<derivation_step> key_oracle::derive(std::span<const int> x, stamps& fresh) {
  target_is_space_ = false;
  return ::derive(d_, engine_, x, fresh, meter_);
}

std::vector<int> key_oracle::key_inside(std::span<const int> p) {
  std::vector<int> x;
  auto needed = [&](int i) { return i == space_.outside_index() || !d_.on_right[space_.attrs[i]]; };
  for (int i : p) {
    if (needed(i)) x.push_back(i);
  }
  const std::size_t core = x.size();
  start(x);
  engine_.run(meter_);
  for (int i : p) {
    if (engine_.covered() || meter_.exhausted()) break;
    if (needed(i) || engine_.contains(space_.attrs[i])) continue;
    x.push_back(i);
    engine_.add(space_.attrs[i]);
    engine_.run(meter_);
  }
  std::vector<int> without;
  for (std::size_t k = x.size(); k-- > core && !meter_.exhausted();) {
    without = x;
    without.erase(without.begin() + static_cast<std::ptrdiff_t>(k));
    if (superkey(without)) x = without;
  }
  std::sort(x.begin(), x.end());
  return x;
}

void key_oracle::add(std::span<const int> x) {
  meter_.spend(static_cast<long long>(x.size()));
  for (int i : x) {
    if (i != space_.outside_index()) engine_.add(space_.attrs[i]);
  }
}

void key_oracle::start(std::span<const int> x) {
  engine_.clear();
  if (!target_is_space_) engine_.set_target(space_.attrs);
  target_is_space_ = true;
  add(x);
}

bool key_oracle::table_says(std::span<const int> x, std::span<const int> target) {
  if (!table_.kept()) return false;
  u_attrs_.clear();
  for (int i : x) {
    if (i != space_.outside_index()) u_attrs_.push_back(space_.attrs[i]);
  }
  answer_ = table_.covers(u_attrs_, target, meter_);
  return answer_ || u_attrs_.size() == 1;
}

std::vector<int> local_columns(const dependency_index& d, const key_space& space,
                               const std::vector<int>& outside, std::span<const int> local) {
  std::vector<int> columns;
  for (int i : local) {
    if (i == space.outside_index()) {
      columns.insert(columns.end(), outside.begin(), outside.end());
    } else {
      columns.push_back(d.column_of[space.attrs[i]]);
    }
  }
  std::sort(columns.begin(), columns.end());
  return columns;
}

namespace {

// The keys in the order they are listed, by size and then by columns, each with its derivation.
key_list sorted_by_size(key_list found) {
  std::vector<std::size_t> order(found.keys.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return size_then_columns(found.keys[a], found.keys[b]);
  });
  key_list sorted;
  sorted.complete = found.complete;
  for (std::size_t k : order) {
    sorted.keys.push_back(std::move(found.keys[k]));
    sorted.derivations.push_back(std::move(found.derivations[k]));
  }
  return sorted;
}

// X u (K - Y) for the key K and the dependency f, X->Y, into s, each attribute marked in in_s.
// False when K does not meet Y: X u (K - Y) then holds K and no new key.
bool candidate(const dependency_index& d, std::span<const int> key, int f, stamps& in_s,
               std::vector<int>& s, work_meter& meter) {
  const std::span<const int> right = d.right[f];
  in_s.next();
  s.clear();
  for (int a : d.left[f]) {
    if (in_s.mark(a)) s.push_back(a);
  }
  bool meets = false;
  for (int a : key) {
    if (std::binary_search(right.begin(), right.end(), a)) {
      meets = true;
    } else if (in_s.mark(a)) {
      s.push_back(a);
    }
  }
  meter.spend(1 + static_cast<long long>(s.size() + key.size()));
  return meets;
}

// Whether some key of keys lies inside the set marked in in_s.
bool holds_a_known_key(const flat_lists& keys, const stamps& in_s, work_meter& meter) {
  for (int k = 0; k < keys.size(); ++k) {
    const std::span<const int> other = keys[k];
    std::size_t n = 0;
    while (n < other.size() && in_s.marked(other[n])) ++n;
    meter.spend(2 + static_cast<long long>(n));
    if (n == other.size()) return true;
  }
  return false;
}

}  // namespace

key_list find_keys(int m, const dependency_index& d, closure_engine& engine,
                   implication_table& table, long long budget) {
  work_meter meter(budget);
  key_space space;
  space.attrs.resize(static_cast<std::size_t>(d.u()));
  std::iota(space.attrs.begin(), space.attrs.end(), 0);
  key_oracle oracle(d, space, engine, table, meter);
  std::vector<int> outside;
  for (int c = 0; c < m; ++c) {
    if (d.index_of[c] < 0) outside.push_back(c);
  }

  // Over U, local indices are U indices. A key is kept, with its columns and its derivation, once
  // all of that is paid for.
  flat_lists keys;
  key_list result;
  stamps fresh(static_cast<std::size_t>(d.u()));
  auto keep = [&](const std::vector<int>& key) {
    if (meter.exhausted()) return;
    std::vector<derivation_step> steps = oracle.derive(key, fresh);
    meter.spend(stored_cost * static_cast<long long>(outside.size() + key.size()));
    if (meter.exhausted()) return;
    keys.values.insert(keys.values.end(), key.begin(), key.end());
    keys.close_list();
    std::vector<int>& columns = result.keys.emplace_back(outside);
    for (int a : key) columns.push_back(d.column_of[a]);
    std::sort(columns.begin(), columns.end());
    result.derivations.push_back(std::move(steps));
  };
  keep(oracle.key_inside(space.attrs));

  stamps in_s(static_cast<std::size_t>(d.u()));
  std::vector<int> key, s;
  for (int i = 0; i < keys.size() && !meter.exhausted(); ++i) {
    key.assign(keys[i].begin(), keys[i].end());
    for (int f = 0; f < d.fds() && !meter.exhausted(); ++f) {
      if (!candidate(d, key, f, in_s, s, meter) || holds_a_known_key(keys, in_s, meter)) continue;
      std::sort(s.begin(), s.end());
      keep(oracle.key_inside(s));
    }
  }
  result.complete = !meter.exhausted();
  return sorted_by_size(std::move(result));
}
