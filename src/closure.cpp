// The closure engine follows Beeri and Bernstein: an attribute that comes in lowers the count of
// missing left-side attributes of each dependency whose left side holds it, and a dependency at
// zero adds its right side. Each attribute comes in once and each dependency fires once, so a
// closure costs at most the size of F; the budget stops it sooner, and a target sooner still.
//
// Ranks make a target stop sooner. In the graph from each left-side attribute to its dependency
// and on to its right side, whatever X+ gains is reachable from X (or from a dependency with an
// empty left side), and numbering the strongly connected components from the sinks makes
// reachable things rank no higher. So a target attribute ranked above everything in X never
// comes in, and the closure stops once the others are in; and an attribute ranked below every
// target attribute leads to none of them, so it is not followed. On a chain A1->A2->...->An the
// question "is Ai-1 in {Ai}+" then costs one step, not n - i.
//
// The implication table works on the strongly connected components of the graph a -> b for each
// dependency {a}->Y with b in Y: the attributes of one component imply each other, so they share
// one closure, and in a dense F nearly all attributes fall into one component. For each component
// c the table holds, in the bits of machine words, the set of components whose closure holds c.
// Starting from {c}, a dependency X->Y adds the intersection of the sets of X to the set of each
// y in Y, and a set that grows has the dependencies whose left side holds it taken again. Sets
// only grow, so this ends, at the least solution: exactly the closures. Each round costs a few
// words per attribute of the dependency; the budget bounds the rounds.

#include "closure.h"

#include <algorithm>
#include <iterator>
#include <numeric>

namespace {

// The table is kept for up to this many components (at most 32 MB).
constexpr int max_components = 16384;

// Tarjan's strongly connected components of the graph whose edges from v are next[v], without
// recursion: a chain of dependencies can be as long as U. Components are numbered from the
// sinks, so an edge never leads to a component of a larger number; count is their number.
std::vector<int> components_of(const flat_lists& next, int& count) {
  const int n = next.size();
  std::vector<int> component(static_cast<std::size_t>(n), -1);
  std::vector<int> order(static_cast<std::size_t>(n), -1), low(static_cast<std::size_t>(n));
  std::vector<int> position(static_cast<std::size_t>(n)), stack, calls;
  int visited = 0;
  count = 0;
  auto enter = [&](int v) {
    order[v] = low[v] = visited++;
    position[v] = next.begin[v];
    stack.push_back(v);
    calls.push_back(v);
  };
  for (int root = 0; root < n; ++root) {
    if (order[root] >= 0) continue;
    enter(root);
    while (!calls.empty()) {
      const int v = calls.back();
      if (position[v] < next.begin[v + 1]) {
        const int w = next.values[position[v]++];
        if (order[w] < 0) {
          enter(w);
        } else if (component[w] < 0) {
          low[v] = std::min(low[v], order[w]);
        }
        continue;
      }
      calls.pop_back();
      if (!calls.empty()) low[calls.back()] = std::min(low[calls.back()], low[v]);
      if (low[v] != order[v]) continue;
      int w;
      do {
        w = stack.back();
        stack.pop_back();
        component[w] = count;
      } while (w != v);
      ++count;
    }
  }
  return component;
}

}  // namespace

dependency_index index_dependencies(int m, const std::vector<halmaz>& F) {
  dependency_index d;
  auto valid = [m](int c) { return 0 <= c && c < m; };
  for (int i = 0; i < static_cast<int>(F.size()); ++i) {
    if (!std::all_of(F[i].left.begin(), F[i].left.end(), valid)) continue;
    record r{i, F[i].left, {}};
    for (int c : F[i].right) {
      if (valid(c)) r.right.push_back(c);
    }
    if (r.right.empty()) continue;
    sort_unique(r.left);
    sort_unique(r.right);
    d.records.push_back(std::move(r));
  }

  std::vector<int> order(d.records.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return d.records[a].left < d.records[b].left; });
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (k == 0 || d.records[order[k]].left != d.records[order[k - 1]].left) d.groups.emplace_back();
    d.groups.back().push_back(order[k]);
  }
  std::sort(d.groups.begin(), d.groups.end());  // by first record: each group is ascending

  std::vector<std::vector<int>> merged(d.groups.size());
  std::vector<char> in_u(static_cast<std::size_t>(m), 0);
  for (std::size_t g = 0; g < d.groups.size(); ++g) {
    const std::vector<int>& x = d.records[d.groups[g][0]].left;
    std::vector<int> all;
    for (int r : d.groups[g]) {
      all.insert(all.end(), d.records[r].right.begin(), d.records[r].right.end());
    }
    sort_unique(all);
    std::set_difference(all.begin(), all.end(), x.begin(), x.end(), std::back_inserter(merged[g]));
    if (merged[g].empty()) continue;
    for (int c : x) in_u[c] = 1;
    for (int c : merged[g]) in_u[c] = 1;
  }
  d.index_of.assign(static_cast<std::size_t>(m), -1);
  for (int c = 0; c < m; ++c) {
    if (!in_u[c]) continue;
    d.index_of[c] = d.u();
    d.column_of.push_back(c);
  }

  d.on_right.assign(static_cast<std::size_t>(d.u()), 0);
  std::vector<std::pair<int, int>> uses;
  for (std::size_t g = 0; g < d.groups.size(); ++g) {
    if (merged[g].empty()) continue;
    const int f = d.fds();
    d.fd_group.push_back(static_cast<int>(g));
    for (int c : d.records[d.groups[g][0]].left) {
      d.left.values.push_back(d.index_of[c]);
      uses.emplace_back(d.index_of[c], f);
    }
    d.left.close_list();
    for (int c : merged[g]) {
      d.right.values.push_back(d.index_of[c]);
      d.on_right[d.index_of[c]] = 1;
    }
    d.right.close_list();
    if (d.left[f].empty()) d.empty_left.push_back(f);
  }
  d.uses = group_pairs(d.u(), uses);

  // The graph from each left-side attribute to its dependency, and from each dependency to its
  // right side: its components rank the attributes.
  std::vector<std::pair<int, int>> edges;
  for (int f = 0; f < d.fds(); ++f) {
    for (int a : d.left[f]) edges.emplace_back(a, d.u() + f);
    for (int a : d.right[f]) edges.emplace_back(d.u() + f, a);
  }
  int count = 0;
  const std::vector<int> component = components_of(group_pairs(d.u() + d.fds(), edges), count);
  d.rank.assign(component.begin(), component.begin() + d.u());
  for (int f : d.empty_left) d.empty_rank = std::max(d.empty_rank, component[d.u() + f]);
  d.ranked.assign(static_cast<std::size_t>(count) + 1, 0);
  for (int r : d.rank) ++d.ranked[r + 1];
  std::partial_sum(d.ranked.begin(), d.ranked.end(), d.ranked.begin());
  return d;
}

closure_engine::closure_engine(const dependency_index& d)
    : d_(d),
      in_(static_cast<std::size_t>(d.u()), 0),
      target_(static_cast<std::size_t>(d.u()), 0),
      seen_(static_cast<std::size_t>(d.fds()), 0),
      missing_(static_cast<std::size_t>(d.fds()), 0) {}

void closure_engine::clear() {
  rank_ = d_.empty_rank;
  recount_ = true;
  if (++epoch_ == 0) {
    std::fill(in_.begin(), in_.end(), 0);
    std::fill(seen_.begin(), seen_.end(), 0);
    epoch_ = 1;
  }
  members_.clear();
  head_ = 0;
  hits_ = 0;
  started_ = false;
}
void closure_engine::set_target(std::span<const int> target) {
  target_ranks_.clear();
  for (int a : target) target_ranks_.push_back(d_.rank[a]);
  std::sort(target_ranks_.begin(), target_ranks_.end());
  recount_ = true;
  if (++target_epoch_ == 0) {
    std::fill(target_.begin(), target_.end(), 0);
    target_epoch_ = 1;
  }
  all_ = false;
  target_size_ = static_cast<long long>(target.size());
  hits_ = 0;
  for (int a : target) {
    target_[a] = target_epoch_;
    if (contains(a)) ++hits_;
  }
}
void closure_engine::set_target_all() {
  recount_ = true;
  all_ = true;
  target_size_ = d_.u();
  hits_ = static_cast<long long>(members_.size());
}

bool closure_engine::run(work_meter& meter) {
  if (recount_) count_reachable();
  if (!started_) {
    started_ = true;
    for (int f : d_.empty_left) fire(f, meter);
  }
  while (hits_ < reachable_ && head_ < members_.size()) {
    const int a = members_[head_++];
    if (d_.rank[a] < floor_) continue;
    const std::span<const int> uses = d_.uses[a];
    if (!meter.spend(1 + static_cast<long long>(uses.size()))) return false;
    for (int f : uses) {
      if (seen_[f] != epoch_) {
        seen_[f] = epoch_;
        missing_[f] = static_cast<int>(d_.left[f].size());
      }
      if (--missing_[f] == 0) fire(f, meter);
    }
  }
  return !meter.exhausted();
}

void closure_engine::count_reachable() {
  recount_ = false;
  if (all_) {
    reachable_ = d_.ranked[rank_ + 1];
    floor_ = -1;
  } else if (target_size_ == std::numeric_limits<long long>::max()) {
    reachable_ = target_size_;
    floor_ = no_target_floor_;
  } else {
    reachable_ =
        std::upper_bound(target_ranks_.begin(), target_ranks_.end(), rank_) - target_ranks_.begin();
    floor_ = target_ranks_.empty() ? std::numeric_limits<int>::max() : target_ranks_.front();
  }
}

void closure_engine::fire(int f, work_meter& meter) {
  const std::span<const int> right = d_.right[f];
  meter.spend(static_cast<long long>(right.size()));
  const int from = static_cast<int>(members_.size());
  for (int b : right) insert(b);
  if (firings_ != nullptr) firings_->push_back({f, from, static_cast<int>(members_.size())});
}

implication_table::implication_table(const dependency_index& d, long long budget) {
  find_components(d);
  if (components_ > max_components) return;
  work_meter meter(budget);
  words_ = (static_cast<std::size_t>(components_) + 63) / 64;
  flat_lists left, right;
  std::vector<std::pair<int, int>> uses;
  std::vector<int> l, r;
  for (int f = 0; f < d.fds(); ++f) {
    l.clear();
    r.clear();
    for (int a : d.left[f]) l.push_back(component_[a]);
    for (int a : d.right[f]) r.push_back(component_[a]);
    sort_unique(l);
    sort_unique(r);
    std::erase_if(r, [&](int c) { return std::binary_search(l.begin(), l.end(), c); });
    if (r.empty()) continue;
    const int q = static_cast<int>(left.begin.size()) - 1;
    for (int c : l) uses.emplace_back(c, q);
    left.values.insert(left.values.end(), l.begin(), l.end());
    left.close_list();
    right.values.insert(right.values.end(), r.begin(), r.end());
    right.close_list();
  }
  const int rules = static_cast<int>(left.begin.size()) - 1;
  const flat_lists uses_of = group_pairs(components_, uses);
  meter.spend(static_cast<long long>(static_cast<std::size_t>(components_) * words_));
  if (meter.exhausted()) return;

  implied_by_.assign(static_cast<std::size_t>(components_) * words_, 0);
  for (int c = 0; c < components_; ++c) column(c)[c >> 6] |= std::uint64_t{1} << (c & 63);
  std::vector<std::uint64_t> all(words_, ~std::uint64_t{0});
  if (components_ % 64 != 0) all.back() = (std::uint64_t{1} << (components_ % 64)) - 1;
  std::vector<int> queue(static_cast<std::size_t>(rules));
  std::iota(queue.begin(), queue.end(), 0);
  std::vector<char> queued(queue.size(), 1);
  std::vector<std::uint64_t> common;
  for (std::size_t head = 0; head < queue.size(); ++head) {
    const int q = queue[head];
    queued[q] = 0;
    common = all;
    for (int c : left[q]) {
      const std::uint64_t* set = column(c);
      for (std::size_t w = 0; w < words_; ++w) common[w] &= set[w];
    }
    for (int c : right[q]) {
      std::uint64_t* set = column(c);
      std::uint64_t grew = 0;
      for (std::size_t w = 0; w < words_; ++w) {
        grew |= common[w] & ~set[w];
        set[w] |= common[w];
      }
      if (grew == 0) continue;
      for (int g : uses_of[c]) {
        if (!queued[g]) {
          queued[g] = 1;
          queue.push_back(g);
        }
      }
    }
    if (!meter.spend(static_cast<long long>((left[q].size() + right[q].size() + 1) * words_))) {
      implied_by_.clear();
      return;
    }
    // The front already taken is dropped now and then, so the queue stays about as long as F.
    if (head >= queue.size() / 2 && head >= 4096) {
      queue.erase(queue.begin(), queue.begin() + static_cast<std::ptrdiff_t>(head) + 1);
      head = static_cast<std::size_t>(-1);
    }
  }
}

bool implication_table::covers(std::span<const int> x, std::span<const int> target,
                               work_meter& meter) {
  if (implied_by_.empty() || x.empty()) return false;
  // Per target attribute: is some attribute of X in its set? Tested per attribute of X, or per
  // word of the set of X when X is the larger.
  const bool by_words = x.size() > words_;
  if (by_words) {
    x_words_.assign(words_, 0);
    for (int a : x) x_words_[component_[a] >> 6] |= std::uint64_t{1} << (component_[a] & 63);
  }
  for (int t : target) {
    const std::uint64_t* set = column(component_[t]);
    bool implied = false;
    if (by_words) {
      for (std::size_t w = 0; w < words_ && !implied; ++w) implied = (set[w] & x_words_[w]) != 0;
    } else {
      for (std::size_t k = 0; k < x.size() && !implied; ++k) {
        const int c = component_[x[k]];
        implied = (set[c >> 6] >> (c & 63)) & 1;
      }
    }
    meter.spend(1 + static_cast<long long>(by_words ? words_ : x.size()));
    if (!implied) return false;
  }
  return true;
}

void implication_table::find_components(const dependency_index& d) {
  std::vector<std::pair<int, int>> edges;
  for (int f = 0; f < d.fds(); ++f) {
    if (d.left[f].size() != 1) continue;
    for (int b : d.right[f]) edges.emplace_back(d.left[f][0], b);
  }
  component_ = components_of(group_pairs(d.u(), edges), components_);
}

scheme_index index_schemes(const dependency_index& d,
                           const std::vector<std::vector<int>>& schemes) {
  scheme_index s;
  std::vector<std::pair<int, int>> of;
  for (int j = 0; j < static_cast<int>(schemes.size()); ++j) {
    std::vector<int>& in_u = s.in_u.emplace_back();
    for (int c : schemes[j]) {
      if (c < 0 || c >= static_cast<int>(d.index_of.size()) || d.index_of[c] < 0) continue;
      in_u.push_back(d.index_of[c]);
      of.emplace_back(d.index_of[c], j);
    }
  }
  s.of = group_pairs(d.u(), of);
  return s;
}

std::vector<int> to_columns(const dependency_index& d, std::span<const int> u_attributes) {
  std::vector<int> columns;
  columns.reserve(u_attributes.size());
  for (int a : u_attributes) columns.push_back(d.column_of[a]);
  std::sort(columns.begin(), columns.end());
  return columns;
}

std::vector<derivation_step> derive(const dependency_index& d, closure_engine& engine,
                                    std::span<const int> x, stamps& fresh, work_meter& meter) {
  std::vector<closure_engine::firing> firings;
  engine.clear();
  engine.set_target_all();
  engine.trace(&firings);
  for (int a : x) engine.add(a);
  engine.run(meter);
  engine.trace(nullptr);
  std::vector<derivation_step> steps;
  for (const closure_engine::firing& f : firings) {
    if (f.from == f.to) continue;
    fresh.next();
    for (int k = f.from; k < f.to; ++k) fresh.mark(engine.members()[k]);
    int left = f.to - f.from;
    for (int r : d.groups[d.fd_group[f.fd]]) {
      derivation_step step{d.records[r].index, {}};
      for (int c : d.records[r].right) {
        const int a = d.index_of[c];
        if (a >= 0 && fresh.marked(a)) {
          fresh.unmark(a);
          step.added.push_back(c);
        }
      }
      meter.spend(stored_cost * static_cast<long long>(step.added.size() + 1) +
                  static_cast<long long>(d.records[r].right.size()));
      left -= static_cast<int>(step.added.size());
      if (!step.added.empty()) steps.push_back(std::move(step));
      if (left == 0) break;
    }
  }
  return steps;
}

std::vector<int> closure_of(const dependency_index& d, closure_engine& engine,
                            std::span<const int> x, work_meter& meter) {
  engine.clear();
  engine.set_target_all();
  std::vector<int> result;
  for (int c : x) {
    if (d.index_of[c] >= 0) {
      engine.add(d.index_of[c]);
    } else {
      result.push_back(c);
    }
  }
  engine.run(meter);
  for (int a : engine.members()) result.push_back(d.column_of[a]);
  std::sort(result.begin(), result.end());
  meter.spend(static_cast<long long>(x.size() + result.size()));
  return result;
}

bool closure_holds(const dependency_index& d, closure_engine& engine, std::span<const int> x,
                   std::span<const int> target, work_meter& meter) {
  meter.spend(static_cast<long long>(x.size() + target.size()));
  std::vector<int> wanted;
  for (int c : target) {
    if (d.index_of[c] >= 0) {
      wanted.push_back(d.index_of[c]);
    } else if (std::find(x.begin(), x.end(), c) == x.end()) {
      return false;
    }
  }
  engine.clear();
  engine.set_target(wanted);
  for (int c : x) {
    if (d.index_of[c] >= 0) engine.add(d.index_of[c]);
  }
  engine.run(meter);
  return engine.covered();
}
