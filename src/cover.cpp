// The minimal cover reduces the left sides first and drops the redundant dependencies after. Every
// step keeps the dependencies equivalent to F, so a closure under them during the left-side
// reduction is a closure under F, which the closure engine of the check gives; the redundancy test
// leaves one dependency out, which F's index cannot, so it runs the same linear method over the
// cover itself. Each test is one closure and each dependency is looked at a bounded number of
// times, so the cover costs O(|F| (|X| + 1)) closures, at most the size of F each; the budget
// bounds them.

#include "cover.h"

#include <algorithm>
#include <utility>

namespace {

// The U indices of the columns that lie in U.
std::vector<int> in_u(const dependency_index& d, std::span<const int> columns) {
  std::vector<int> u;
  for (int c : columns) {
    if (d.index_of[c] >= 0) u.push_back(d.index_of[c]);
  }
  return u;
}

// Closures under the dependencies of the cover being built that are still in: the linear method
// of Beeri and Bernstein over a list whose members only drop out. Every attribute of the list
// lies in U, since each dependency is a non-trivial one of F with part of its left side.
class cover_closure {
 public:
  cover_closure(const dependency_index& d, const std::vector<fd>& fds)
      : d_(d),
        fds_(fds),
        in_(static_cast<std::size_t>(d.u())),
        seen_(fds.size()),
        missing_(fds.size(), 0) {
    std::vector<std::pair<int, int>> pairs;
    for (int k = 0; k < static_cast<int>(fds.size()); ++k) {
      for (int c : fds[k].left) pairs.emplace_back(d.index_of[c], k);
      if (fds[k].left.empty()) empty_left_.push_back(k);
    }
    uses_ = group_pairs(d.u(), pairs);
  }

  // X+ under the dependencies marked alive, to the fixpoint. False when the meter ran out.
  bool run(std::span<const int> x, const std::vector<char>& alive, work_meter& meter) {
    in_.next();
    seen_.next();
    queue_.clear();
    for (int a : in_u(d_, x)) add(a);
    for (int k : empty_left_) {
      if (alive[k]) add(d_.index_of[fds_[k].right]);
    }
    for (std::size_t head = 0; head < queue_.size(); ++head) {
      const std::span<const int> uses = uses_[queue_[head]];
      if (!meter.spend(1 + static_cast<long long>(uses.size()))) return false;
      for (int k : uses) {
        if (!alive[k]) continue;
        if (seen_.mark(k)) missing_[k] = static_cast<int>(fds_[k].left.size());
        if (--missing_[k] == 0) add(d_.index_of[fds_[k].right]);
      }
    }
    return true;
  }
  bool contains(int column) const {
    return d_.index_of[column] >= 0 && in_.marked(d_.index_of[column]);
  }
  // The closure of the last run as columns, X's columns outside U included.
  std::vector<int> columns(std::span<const int> x) const {
    std::vector<int> result = to_columns(d_, queue_);
    for (int c : x) {
      if (d_.index_of[c] < 0) result.push_back(c);
    }
    std::sort(result.begin(), result.end());
    return result;
  }

 private:
  void add(int a) {
    if (in_.mark(a)) queue_.push_back(a);
  }

  const dependency_index& d_;
  const std::vector<fd>& fds_;
  flat_lists uses_;  // per U attribute: the dependencies whose left side holds it
  std::vector<int> empty_left_;
  stamps in_;
  stamps seen_;
  std::vector<int> missing_;
  std::vector<int> queue_;
};

long long stored(const cover_step& s) {
  return stored_cost * static_cast<long long>(s.left.size() + s.closure.size() + 3);
}

}  // namespace

std::string_view kind_name(cover_step_kind k) {
  switch (k) {
    case cover_step_kind::trivial:
      return "trivial";
    case cover_step_kind::extraneous:
      return "extraneous";
    case cover_step_kind::redundant:
      return "redundant";
  }
  return "";
}

minimal_cover find_minimal_cover(const dependency_index& d, closure_engine& engine,
                                 long long budget) {
  work_meter meter(budget);
  minimal_cover cover;
  auto take = [&](cover_step s) {
    meter.spend(stored(s));
    cover.steps.push_back(std::move(s));
  };

  std::vector<fd> fds;
  for (const record& r : d.records) {
    for (int a : r.right) {
      if (std::binary_search(r.left.begin(), r.left.end(), a)) {
        take({cover_step_kind::trivial, r.left, a, -1, {}});
      } else {
        fds.push_back({r.left, a});
      }
    }
  }
  meter.spend(stored_cost * static_cast<long long>(fds.size()));

  std::vector<int> rest;
  for (fd& f : fds) {
    if (meter.exhausted()) break;
    const std::vector<int> left = f.left;
    for (int b : left) {
      if (meter.exhausted()) break;
      rest.clear();
      for (int c : f.left) {
        if (c != b) rest.push_back(c);
      }
      const bool extraneous =
          closure_holds(d, engine, rest, std::span<const int>(&f.right, 1), meter);
      if (!extraneous || meter.exhausted()) continue;
      std::vector<int> closure = closure_of(d, engine, rest, meter);
      if (meter.exhausted()) break;
      take({cover_step_kind::extraneous, f.left, f.right, b, std::move(closure)});
      f.left = rest;
    }
  }

  cover_closure closures(d, fds);
  std::vector<char> alive(fds.size(), 1);
  for (std::size_t k = 0; k < fds.size() && !meter.exhausted(); ++k) {
    // The whole closure at once: it is the step's proof when the dependency is redundant, and a
    // run that stopped at the right side would have to be run again for it.
    alive[k] = 0;
    if (!closures.run(fds[k].left, alive, meter)) break;
    if (!closures.contains(fds[k].right)) {
      alive[k] = 1;
      continue;
    }
    take(
        {cover_step_kind::redundant, fds[k].left, fds[k].right, -1, closures.columns(fds[k].left)});
  }

  cover.complete = !meter.exhausted();
  if (!cover.complete) return cover;
  for (std::size_t k = 0; k < fds.size(); ++k) {
    if (alive[k]) cover.dependencies.push_back(std::move(fds[k]));
  }
  return cover;
}
