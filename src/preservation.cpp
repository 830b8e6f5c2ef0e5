// Preservation runs the iteration once per left side X of F, for all the records with that left
// side at once. Z grows at every step that adds, so a left side costs at most |U| steps that add,
// each a closure; a scheme is taken again only once Z gained one of its attributes, so the steps
// that add nothing cost little. The table of single-attribute closures answers most steps
// without a closure.

#include "preservation.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

namespace {

// Progress is told about a hundred times in all, so that telling costs nothing.
constexpr long long progress_reports = 100;

class preservation_checker {
 public:
  preservation_checker(const dependency_index& d, const scheme_index& s, closure_engine& engine,
                       implication_table& table, long long budget, const progress_fn& progress)
      : d_(d),
        s_(s),
        engine_(engine),
        table_(table),
        meter_(budget),
        progress_(progress),
        z_(static_cast<std::size_t>(d.u())),
        queued_(s.in_u.size()),
        queued_next_(s.in_u.size()) {}

  preservation_check run() {
    const std::size_t n = d_.records.size();
    result_.records = static_cast<long long>(n);
    steps_.assign(n, -1);
    run_of_.assign(n, -1);
    missing_.assign(n, {});
    tell(0);
    find_empty_closure_schemes();
    long long decided = 0;
    for (std::size_t g = 0; g < d_.groups.size() && !meter_.exhausted(); ++g) {
      check_group(d_.groups[g]);
      if (!meter_.exhausted()) decided += static_cast<long long>(d_.groups[g].size());
      tell(decided);
    }
    collect();
    return std::move(result_);
  }

 private:
  void tell(long long decided) {
    if (!progress_) return;
    const long long total = result_.records;
    const long long every = std::max(1LL, total / progress_reports);
    if (decided != total && decided / every == told_ / every && decided != 0) return;
    told_ = decided;
    progress_(decided, total);
  }

  // The schemes that the closure of the empty set reaches: with Z n S empty they still add it.
  void find_empty_closure_schemes() {
    engine_.clear();
    engine_.set_no_target();
    engine_.run(meter_);
    for (int a : engine_.members()) {
      for (int j : s_.of[a]) empty_schemes_.push_back(j);
    }
    sort_unique(empty_schemes_);
  }

  void enqueue(int j) {
    if (!queued_.mark(j)) return;
    current_.push_back(j);
    std::push_heap(current_.begin(), current_.end(), std::greater<>());
  }
  void enqueue_next(int j) {
    if (queued_next_.mark(j)) next_.push_back(j);
  }
  void start_round() {
    queued_.next();
    queued_next_.next();
    for (int j : next_) enqueue(j);
    next_.clear();
  }

  // Runs the iteration for the records of one left side X until each right side lies in Z or
  // nothing is added any more. A record is decided once its run_of_ is set.
  void check_group(const std::vector<int>& group) {
    const std::vector<int>& x = d_.records[group[0]].left;
    run_index_ = static_cast<int>(result_.runs.size());
    preservation_run& run = result_.runs.emplace_back();
    run.start = x;
    meter_.spend(stored_cost * static_cast<long long>(x.size() + 2));
    if (wait_for_right_sides(group, x) == 0) return;
    start_iteration(x);
    for (int round = 1; !current_.empty() && pending_ > 0; ++round) {
      while (!current_.empty() && pending_ > 0) {
        std::pop_heap(current_.begin(), current_.end(), std::greater<>());
        const int j = current_.back();
        current_.pop_back();
        if (!take_scheme(j, round, run, group)) return;
      }
      start_round();
    }
    decide_lost(group);
  }

  // Lists per attribute of Y - X the records of the group waiting for it, and decides at once
  // the records whose Y lies in X. Returns the number of records still waiting. Y - X lies in U,
  // since a dependency adds it.
  int wait_for_right_sides(const std::vector<int>& group, const std::vector<int>& x) {
    waits_.clear();
    still_.assign(group.size(), 0);
    pending_ = 0;
    for (std::size_t k = 0; k < group.size(); ++k) {
      const record& r = d_.records[group[k]];
      for (int c : r.right) {
        if (std::binary_search(x.begin(), x.end(), c)) continue;
        waits_.emplace_back(d_.index_of[c], static_cast<int>(k));
        ++still_[k];
      }
      if (still_[k] == 0) {
        steps_[group[k]] = 0;
        run_of_[group[k]] = run_index_;
      } else {
        ++pending_;
      }
    }
    std::sort(waits_.begin(), waits_.end());
    return pending_;
  }

  // Z := X, and the first round's queue: the schemes that meet X, and those the closure of the
  // empty set reaches. X lies in U too: its group has a dependency, the one that adds Y - X.
  void start_iteration(const std::vector<int>& x) {
    z_.next();
    next_.clear();
    current_.clear();
    start_round();
    for (int c : x) {
      z_.mark(d_.index_of[c]);
      for (int j : s_.of[d_.index_of[c]]) enqueue(j);
    }
    for (int j : empty_schemes_) enqueue(j);
  }

  // Scheme j's turn in this round: Z gains (Z n S)+ n S, and the schemes holding what it gained
  // are queued, in this round when they come after j, else in the next. False when the meter ran
  // out.
  bool take_scheme(int j, int round, preservation_run& run, const std::vector<int>& group) {
    const std::vector<int>& scheme = s_.in_u[j];
    if (!meter_.spend(2 * static_cast<long long>(scheme.size()) + 1)) return false;
    w_.clear();
    for (int a : scheme) {
      if (z_.marked(a)) w_.push_back(a);
    }
    if (w_.size() == scheme.size()) return true;
    if (!find_added(scheme)) return false;
    if (added_.empty()) return true;
    meter_.spend(stored_cost * static_cast<long long>(added_.size() + 3));
    run.steps.push_back({round, j, to_columns(d_, added_)});
    const int taken = static_cast<int>(run.steps.size());
    for (int a : added_) {
      z_.mark(a);
      for (int i : s_.of[a]) {
        if (i > j) enqueue(i);
        if (i < j) enqueue_next(i);
      }
      auto first = std::lower_bound(waits_.begin(), waits_.end(), std::pair{a, 0});
      for (; first != waits_.end() && first->first == a; ++first) {
        if (--still_[first->second] > 0) continue;
        steps_[group[first->second]] = taken;
        run_of_[group[first->second]] = run_index_;
        --pending_;
      }
    }
    return true;
  }

  // The attributes of scheme outside Z that lie in (Z n S)+, with Z n S in w_, into added_.
  // False when the meter ran out.
  bool find_added(const std::vector<int>& scheme) {
    added_.clear();
    if (table_.kept() && w_.size() == 1) {
      // The closure of one attribute is the table's own.
      meter_.spend(static_cast<long long>(scheme.size()));
      for (int a : scheme) {
        if (!z_.marked(a) && table_.implies(w_[0], a)) added_.push_back(a);
      }
    } else if (table_.covers(w_, scheme, meter_)) {
      for (int a : scheme) {
        if (!z_.marked(a)) added_.push_back(a);
      }
    } else {
      engine_.clear();
      engine_.set_target(scheme);
      for (int a : w_) engine_.add(a);
      if (!engine_.run(meter_)) return false;
      for (int a : scheme) {
        if (engine_.contains(a) && !z_.marked(a)) added_.push_back(a);
      }
    }
    return true;
  }

  // Nothing adds any more: the records still waiting are lost, missing what Z lacks of Y.
  void decide_lost(const std::vector<int>& group) {
    for (int r : group) {
      if (run_of_[r] >= 0) continue;
      run_of_[r] = run_index_;
      for (int c : d_.records[r].right) {
        if (!z_.marked(d_.index_of[c])) missing_[r].push_back(c);
      }
      meter_.spend(stored_cost * static_cast<long long>(missing_[r].size() + 2));
    }
  }

  // The decided records into lost and preserved, in the order of F, and the verdict.
  void collect() {
    for (std::size_t r = 0; r < d_.records.size(); ++r) {
      if (run_of_[r] < 0) continue;
      const preservation_run& run = result_.runs[run_of_[r]];
      record_preservation p{d_.records[r].index, run_of_[r], steps_[r], std::move(missing_[r])};
      if (steps_[r] >= 0) {
        result_.preserved.push_back(std::move(p));
      } else {
        p.steps = static_cast<int>(run.steps.size());
        result_.lost.push_back(std::move(p));
      }
    }
    result_.complete = !meter_.exhausted();
    if (!result_.lost.empty()) {
      result_.preserving = false;
    } else if (result_.complete) {
      result_.preserving = true;
    }
  }

  const dependency_index& d_;
  const scheme_index& s_;
  closure_engine& engine_;
  implication_table& table_;
  work_meter meter_;
  const progress_fn& progress_;
  long long told_ = -1;
  preservation_check result_;
  std::vector<int> steps_;   // per record: -1 while Y is not in Z, else the steps it took
  std::vector<int> run_of_;  // per record: -1 while undecided
  std::vector<std::vector<int>> missing_;
  // The group being decided: its run, per attribute of Y - X the records waiting for it, per
  // record the attributes it still waits for, and the records still waiting.
  int run_index_ = 0;
  std::vector<std::pair<int, int>> waits_;
  std::vector<int> still_;
  int pending_ = 0;
  stamps z_;                  // Z of the current run, over U
  stamps queued_;             // in current_
  stamps queued_next_;        // in next_
  std::vector<int> current_;  // this round's schemes still to take: a min-heap
  std::vector<int> next_;     // next round's schemes
  std::vector<int> empty_schemes_;
  std::vector<int> w_, added_;  // Z n S, and what a scheme adds
};

}  // namespace

std::vector<int> closure_after(const preservation_run& run, int steps) {
  std::vector<int> z = run.start;
  for (int k = 0; k < steps && k < static_cast<int>(run.steps.size()); ++k) {
    z.insert(z.end(), run.steps[k].added.begin(), run.steps[k].added.end());
  }
  sort_unique(z);
  return z;
}

std::vector<preservation_round> rounds_of(const preservation_run& run, int steps) {
  std::vector<preservation_round> rounds;
  std::vector<int> z = run.start;
  for (int k = 0; k < steps && k < static_cast<int>(run.steps.size()); ++k) {
    const preservation_step& s = run.steps[k];
    std::vector<int> grown;
    std::set_union(z.begin(), z.end(), s.added.begin(), s.added.end(), std::back_inserter(grown));
    z = grown;
    rounds.push_back({s.round, s.scheme, s.added, std::move(grown)});
  }
  return rounds;
}

preservation_check check_preservation(const dependency_index& d, const scheme_index& s,
                                      closure_engine& engine, implication_table& table,
                                      long long budget, const progress_fn& progress) {
  return preservation_checker(d, s, engine, table, budget, progress).run();
}
