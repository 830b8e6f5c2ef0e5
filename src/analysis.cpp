// The decomposition check. Every question is one about closures X+ under F, answered by the
// closure engine or the table of single-attribute closures (closure.h). Only the attributes that
// the dependencies mention (U) take part; any other attribute is in X+ only when it is in X, so
// it is left out of every closure and put back where an answer lists attributes.
//
// - Preservation iterates Z := Z u ((Z n S)+ n S) per left side X of F. Within a round a scheme
//   is taken again only when Z gained attributes of it since its last turn: otherwise it adds
//   nothing, so the rounds and what they add are those of the plain iteration. Z grows at every
//   step that adds, so a left side costs at most |U| steps that add, each a closure.
// - The keys of R are found by the method of Lucchesi and Osborn: from each key K and dependency
//   X->Y, the set X u (K - Y) holds a key unless it holds a known one. Time grows with the number
//   of keys times |F|.
// - The keys of a scheme S and its anti-keys (the maximal subsets that are not superkeys) are
//   generated together: the maximal subsets holding no known key are checked one by one, and one
//   that is a superkey yields a new key inside it; when none is, both lists are complete. A
//   scheme breaks BCNF exactly when some anti-key N has an attribute A in (N - A)+, and 3NF when
//   such an A is not prime, so the normal forms need closures per key and anti-key, not per
//   subset of S. Time grows with the number of keys and anti-keys.
// Every loop spends from a work budget and stops when it is overdrawn, so nothing runs unbounded;
// what an answer stores is charged too, so its memory stays bounded as well.

#include "analysis.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <numeric>
#include <span>
#include <string>
#include <utility>

#include "chase.h"
#include "closure.h"
#include "tableau.h"

namespace {

// Stored numbers cost more than steps: an answer kept in memory must stay far below the memory a
// budget's worth of steps could fill.
constexpr long long stored_cost = 8;

// The schemes over U, and per U attribute the schemes holding it.
struct scheme_index {
  std::vector<std::vector<int>> in_u;  // U indices, ascending
  flat_lists of;                       // per U attribute, ascending scheme indices
};

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

// U attributes as columns, ascending.
std::vector<int> to_columns(const dependency_index& d, std::span<const int> u_attributes) {
  std::vector<int> columns;
  columns.reserve(u_attributes.size());
  for (int a : u_attributes) columns.push_back(d.column_of[a]);
  std::sort(columns.begin(), columns.end());
  return columns;
}

// ---- Preservation ----

class preservation_checker {
 public:
  preservation_checker(const dependency_index& d, const scheme_index& s, closure_engine& engine,
                       implication_table& table, long long budget)
      : d_(d),
        s_(s),
        engine_(engine),
        table_(table),
        meter_(budget),
        z_(static_cast<std::size_t>(d.u())),
        queued_(s.in_u.size()),
        queued_next_(s.in_u.size()) {}

  preservation_check run() {
    find_empty_closure_schemes();
    const std::size_t n = d_.records.size();
    std::vector<int> steps(n, -1);   // -1 while Y is not in Z, else the steps it took
    std::vector<int> run_of(n, -1);  // -1 while undecided
    std::vector<std::vector<int>> missing(n);
    for (std::size_t g = 0; g < d_.groups.size() && !meter_.exhausted(); ++g) {
      check_group(d_.groups[g], steps, run_of, missing);
    }
    for (std::size_t r = 0; r < n; ++r) {
      if (run_of[r] < 0) continue;
      const preservation_run& run = result_.runs[run_of[r]];
      record_preservation p{d_.records[r].index, run_of[r], steps[r], std::move(missing[r])};
      if (steps[r] >= 0) {
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
    return std::move(result_);
  }

 private:
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
  // nothing is added any more. A record is decided once its run_of is set.
  void check_group(const std::vector<int>& group, std::vector<int>& steps, std::vector<int>& run_of,
                   std::vector<std::vector<int>>& missing) {
    const std::vector<int>& x = d_.records[group[0]].left;
    const int run_index = static_cast<int>(result_.runs.size());
    preservation_run& run = result_.runs.emplace_back();
    run.start = x;
    meter_.spend(stored_cost * static_cast<long long>(x.size() + 2));

    // Per attribute of Y - X, the records waiting for it; Y - X lies in U, since it is added.
    std::vector<std::pair<int, int>> waits;
    std::vector<int> still(group.size(), 0);
    int pending = 0;
    for (std::size_t k = 0; k < group.size(); ++k) {
      const record& r = d_.records[group[k]];
      for (int c : r.right) {
        if (std::binary_search(x.begin(), x.end(), c)) continue;
        waits.emplace_back(d_.index_of[c], static_cast<int>(k));
        ++still[k];
      }
      if (still[k] == 0) {
        steps[group[k]] = 0;
        run_of[group[k]] = run_index;
      } else {
        ++pending;
      }
    }
    if (pending == 0) return;

    std::sort(waits.begin(), waits.end());

    // X lies in U too: its group has a dependency, the one that adds Y - X.
    z_.next();
    next_.clear();
    current_.clear();
    start_round();
    for (int c : x) {
      z_.mark(d_.index_of[c]);
      for (int j : s_.of[d_.index_of[c]]) enqueue(j);
    }
    for (int j : empty_schemes_) enqueue(j);

    std::vector<int> w, added;
    for (int round = 1; !current_.empty() && pending > 0; ++round) {
      while (!current_.empty() && pending > 0) {
        std::pop_heap(current_.begin(), current_.end(), std::greater<>());
        const int j = current_.back();
        current_.pop_back();
        const std::vector<int>& scheme = s_.in_u[j];

        if (!meter_.spend(2 * static_cast<long long>(scheme.size()) + 1)) return;
        w.clear();
        for (int a : scheme) {
          if (z_.marked(a)) w.push_back(a);
        }
        if (w.size() == scheme.size()) continue;
        added.clear();
        if (table_.kept() && w.size() == 1) {
          // The closure of one attribute is the table's own.
          meter_.spend(static_cast<long long>(scheme.size()));
          for (int a : scheme) {
            if (!z_.marked(a) && table_.implies(w[0], a)) added.push_back(a);
          }
        } else if (table_.covers(w, scheme, meter_)) {
          for (int a : scheme) {
            if (!z_.marked(a)) added.push_back(a);
          }
        } else {
          engine_.clear();
          engine_.set_target(scheme);
          for (int a : w) engine_.add(a);
          if (!engine_.run(meter_)) return;
          for (int a : scheme) {
            if (engine_.contains(a) && !z_.marked(a)) added.push_back(a);
          }
        }
        if (added.empty()) continue;
        meter_.spend(stored_cost * static_cast<long long>(added.size() + 3));
        run.steps.push_back({round, j, to_columns(d_, added)});
        const int taken = static_cast<int>(run.steps.size());
        for (int a : added) {
          z_.mark(a);
          for (int i : s_.of[a]) {
            if (i > j) enqueue(i);
            if (i < j) enqueue_next(i);
          }
          auto first = std::lower_bound(waits.begin(), waits.end(), std::pair{a, 0});
          for (; first != waits.end() && first->first == a; ++first) {
            if (--still[first->second] > 0) continue;
            steps[group[first->second]] = taken;
            run_of[group[first->second]] = run_index;
            --pending;
          }
        }
      }
      start_round();
    }

    // Nothing adds any more: the records still waiting are lost.
    for (std::size_t k = 0; k < group.size(); ++k) {
      const int r = group[k];
      if (run_of[r] >= 0) continue;
      run_of[r] = run_index;
      for (int c : d_.records[r].right) {
        const int a = d_.index_of[c];
        if (!z_.marked(a)) missing[r].push_back(c);
      }
      meter_.spend(stored_cost * static_cast<long long>(missing[r].size() + 2));
    }
  }

  const dependency_index& d_;
  const scheme_index& s_;
  closure_engine& engine_;
  implication_table& table_;
  work_meter meter_;
  preservation_check result_;
  stamps z_;                  // Z of the current run, over U
  stamps queued_;             // in current_
  stamps queued_next_;        // in next_
  std::vector<int> current_;  // this round's schemes still to take: a min-heap
  std::vector<int> next_;     // next round's schemes
  std::vector<int> empty_schemes_;
};

// ---- Keys ----

// The attributes a key question is about: those of R or of one scheme that lie in U, as local
// indices 0 .. size - 1 (local i is U attribute attrs[i]), and, when a scheme has attributes
// outside U, one more local index standing for all of them. Those are in X+ only when in X, so
// every superkey holds all of them and none helps derive anything: they act as one attribute.
struct key_space {
  std::vector<int> attrs;  // U indices, ascending
  bool outside = false;    // local index attrs.size() stands for the attributes outside U
  int size() const { return static_cast<int>(attrs.size()) + (outside ? 1 : 0); }
  int outside_index() const { return static_cast<int>(attrs.size()); }
};

// The derivation of X+ for X over U: the dependencies that fired, in order, each split into the
// records of F it merges, a record listing what it added before the later ones. fresh has a mark
// per U attribute.
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

// Closure questions about the subsets of one key space. Answers are meaningless once the meter
// has run out; callers check it after each call.
class key_oracle {
 public:
  key_oracle(const dependency_index& d, const key_space& space, closure_engine& engine,
             implication_table& table, work_meter& meter)
      : d_(d), space_(space), engine_(engine), table_(table), meter_(meter) {}

  // True when X+ holds the whole space.
  bool superkey(std::span<const int> x) {
    if (space_.outside && std::find(x.begin(), x.end(), space_.outside_index()) == x.end()) {
      return false;
    }
    if (table_says(x, space_.attrs)) return answer_;
    start(x);
    engine_.run(meter_);
    return engine_.covered();
  }
  // True when local attribute a, inside U, is in X+.
  bool implies(std::span<const int> x, int a) {
    if (table_says(x, std::span<const int>(&space_.attrs[a], 1))) return answer_;
    engine_.clear();
    engine_.set_target(std::span<const int>(&space_.attrs[a], 1));
    target_is_space_ = false;
    add(x);
    engine_.run(meter_);
    return engine_.contains(space_.attrs[a]);
  }
  // Computes X+ for contains(): to the fixpoint, or until the whole space is in.
  void close(std::span<const int> x) {
    start(x);
    engine_.run(meter_);
  }
  bool contains(int a) const { return engine_.contains(space_.attrs[a]); }
  // The attributes of X, inside U, on the right side of a dependency that fires in X+: only
  // these can lie in (X - A)+, since that closure fires no dependency that X+ does not.
  std::vector<int> produced(std::span<const int> x) {
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
  // The derivation of X+ for X over U, reaching all of U.
  std::vector<derivation_step> derive(std::span<const int> x, stamps& fresh) {
    target_is_space_ = false;
    return ::derive(d_, engine_, x, fresh, meter_);
  }

  // A key of the space inside P, which must be a superkey; ascending. Attributes on no right
  // side are in every key; the others are taken in order until the closure holds the space,
  // then dropped again, last taken first, while what is left stays a superkey.
  std::vector<int> key_inside(std::span<const int> p) {
    std::vector<int> x;
    auto needed = [&](int i) {
      return i == space_.outside_index() || !d_.on_right[space_.attrs[i]];
    };
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

 private:
  void add(std::span<const int> x) {
    meter_.spend(static_cast<long long>(x.size()));
    for (int i : x) {
      if (i != space_.outside_index()) engine_.add(space_.attrs[i]);
    }
  }
  // Clears the closure and makes the whole space its target.
  void start(std::span<const int> x) {
    engine_.clear();
    if (!target_is_space_) engine_.set_target(space_.attrs);
    target_is_space_ = true;
    add(x);
  }

  // True when the table answers whether X+ holds target, the answer then in answer_: when the
  // closures of X's attributes hold it, and for one attribute, whose closure the table has.
  bool table_says(std::span<const int> x, std::span<const int> target) {
    if (!table_.kept()) return false;
    u_attrs_.clear();
    for (int i : x) {
      if (i != space_.outside_index()) u_attrs_.push_back(space_.attrs[i]);
    }
    answer_ = table_.covers(u_attrs_, target, meter_);
    return answer_ || u_attrs_.size() == 1;
  }

  const dependency_index& d_;
  const key_space& space_;
  closure_engine& engine_;
  implication_table& table_;
  work_meter& meter_;
  bool target_is_space_ = false;
  bool answer_ = false;
  std::vector<int> u_attrs_;
  std::vector<closure_engine::firing> firings_;
  std::vector<int> rights_;
};

bool size_then_columns(const std::vector<int>& a, const std::vector<int>& b) {
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

// Local indices to columns, ascending; outside is the scheme's columns outside U.
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

// The keys of R: those of U (by Lucchesi and Osborn), each with R's attributes outside U added,
// which every key holds.
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
      if (!meets) continue;  // X u (K - Y) holds K
      bool known = false;
      for (int k = 0; k < keys.size() && !known; ++k) {
        const std::span<const int> other = keys[k];
        std::size_t n = 0;
        while (n < other.size() && in_s.marked(other[n])) ++n;
        meter.spend(2 + static_cast<long long>(n));
        known = n == other.size();
      }
      if (known) continue;
      std::sort(s.begin(), s.end());
      keep(oracle.key_inside(s));
    }
  }
  result.complete = !meter.exhausted();

  std::vector<std::size_t> order(result.keys.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return size_then_columns(result.keys[a], result.keys[b]);
  });
  key_list sorted;
  sorted.complete = result.complete;
  for (std::size_t k : order) {
    sorted.keys.push_back(std::move(result.keys[k]));
    sorted.derivations.push_back(std::move(result.derivations[k]));
  }
  return sorted;
}

// ---- Normal forms ----

using bitset = std::vector<std::uint64_t>;

bool test(const bitset& b, int i) { return (b[i >> 6] >> (i & 63)) & 1; }
void set(bitset& b, int i) { b[i >> 6] |= std::uint64_t{1} << (i & 63); }
bool meets(const bitset& a, const bitset& b) {
  for (std::size_t w = 0; w < a.size(); ++w) {
    if (a[w] & b[w]) return true;
  }
  return false;
}
bool inside(const bitset& a, const bitset& b) {
  for (std::size_t w = 0; w < a.size(); ++w) {
    if (a[w] & ~b[w]) return false;
  }
  return true;
}

// The keys and the anti-keys of a key space, as ascending local index lists.
struct key_family {
  std::vector<std::vector<int>> keys;
  std::vector<std::vector<int>> anti_keys;
};

// Generates keys and anti-keys together. tr holds the minimal sets meeting every known key; the
// complement of each is a maximal set holding no known key. One that is no superkey is an
// anti-key for good (verified); one that is a superkey holds a new key, and the new key updates
// tr by Berge's step. When every complement is verified, an unknown key would lie inside one of
// them, which is no superkey: both lists are complete.
key_family keys_and_anti_keys(key_oracle& oracle, int size, work_meter& meter) {
  const std::size_t words = (static_cast<std::size_t>(size) + 63) / 64;
  key_family family;
  std::vector<bitset> tr{bitset(words, 0)};
  std::vector<char> verified{0};
  std::vector<int> complement;
  while (!meter.exhausted()) {
    const auto open = std::find(verified.begin(), verified.end(), 0);
    meter.spend(static_cast<long long>(verified.size()));
    if (open == verified.end()) break;
    const std::size_t t = static_cast<std::size_t>(open - verified.begin());
    complement.clear();
    for (int i = 0; i < size; ++i) {
      if (!test(tr[t], i)) complement.push_back(i);
    }
    meter.spend(size);
    if (!oracle.superkey(complement)) {
      verified[t] = 1;
      continue;
    }
    std::vector<int> key = oracle.key_inside(complement);
    if (meter.exhausted()) break;
    bitset e(words, 0);
    for (int i : key) set(e, i);
    family.keys.push_back(std::move(key));

    std::vector<bitset> next;
    std::vector<char> next_verified;
    std::vector<std::size_t> missed;
    for (std::size_t k = 0; k < tr.size(); ++k) {
      if (meets(tr[k], e)) {
        next.push_back(std::move(tr[k]));
        next_verified.push_back(verified[k]);
      } else {
        missed.push_back(k);
      }
    }
    const std::size_t kept = next.size();
    meter.spend(static_cast<long long>(tr.size() * words));
    for (std::size_t k : missed) {
      for (int i : family.keys.back()) {
        bitset c = tr[k];
        set(c, i);
        meter.spend(static_cast<long long>(kept * words + words));
        bool minimal = true;
        for (std::size_t j = 0; j < kept && minimal; ++j) minimal = !inside(next[j], c);
        if (!minimal) continue;
        next.push_back(std::move(c));
        next_verified.push_back(0);
      }
      if (meter.exhausted()) break;
    }
    tr = std::move(next);
    verified = std::move(next_verified);
  }
  if (meter.exhausted()) return family;
  for (const bitset& t : tr) {
    std::vector<int>& n = family.anti_keys.emplace_back();
    for (int i = 0; i < size; ++i) {
      if (!test(t, i)) n.push_back(i);
    }
  }
  std::sort(family.keys.begin(), family.keys.end(), size_then_columns);
  std::sort(family.anti_keys.begin(), family.anti_keys.end());
  return family;
}

// Drops from X, last first, each attribute without which A is still in X+: the left side of the
// witness is minimal, as a dependency of F usually is.
std::vector<int> smallest_left(key_oracle& oracle, std::vector<int> x, int a, work_meter& meter) {
  std::vector<int> without;
  for (std::size_t k = x.size(); k-- > 0 && !meter.exhausted();) {
    without = x;
    without.erase(without.begin() + static_cast<std::ptrdiff_t>(k));
    if (oracle.implies(without, a)) x = without;
  }
  return x;
}

// The first X->A with X = N - A for an anti-key N, A in N and A in X+ (A non-prime when asked),
// its X made minimal. X is no superkey, since N is none. Only the attributes that N+ produces
// are tried.
std::optional<violation> anti_key_violation(key_oracle& oracle, const key_family& family,
                                            const bitset* prime, work_meter& meter) {
  std::vector<int> x;
  for (const std::vector<int>& n : family.anti_keys) {
    for (int a : oracle.produced(n)) {
      if (prime != nullptr && test(*prime, a)) continue;
      x.clear();
      for (int b : n) {
        if (b != a) x.push_back(b);
      }
      const bool breaks = oracle.implies(x, a);
      if (meter.exhausted()) return std::nullopt;
      if (breaks) return violation{smallest_left(oracle, x, a, meter), a, {}};
    }
  }
  return std::nullopt;
}

// The first X->A with X a proper subset of a key and A non-prime in X+, X made minimal.
std::optional<violation> partial_dependency(key_oracle& oracle, const key_space& space,
                                            const key_family& family, const bitset& prime,
                                            work_meter& meter) {
  std::vector<int> x;
  for (const std::vector<int>& key : family.keys) {
    for (int b : key) {
      x.clear();
      for (int c : key) {
        if (c != b) x.push_back(c);
      }
      oracle.close(x);
      if (meter.exhausted()) return std::nullopt;
      for (int a = 0; a < static_cast<int>(space.attrs.size()); ++a) {
        if (test(prime, a) || !oracle.contains(a)) continue;
        return violation{smallest_left(oracle, x, a, meter), a, key};
      }
    }
  }
  return std::nullopt;
}

// The keys and the normal form of the scheme with these columns (in_u: those in U). Each form
// below BCNF is decided by a search for the witness that breaks the next form up.
scheme_check check_scheme(const dependency_index& d, const std::vector<int>& columns,
                          const std::vector<int>& in_u, closure_engine& engine,
                          implication_table& table, work_meter& meter) {
  key_space space;
  space.attrs = in_u;
  std::vector<int> outside;
  for (int c : columns) {
    if (c < 0 || c >= static_cast<int>(d.index_of.size()) || d.index_of[c] < 0)
      outside.push_back(c);
  }
  space.outside = !outside.empty();
  key_oracle oracle(d, space, engine, table, meter);
  const int size = space.size();
  const key_family family = keys_and_anti_keys(oracle, size, meter);

  scheme_check result;
  result.keys_complete = !meter.exhausted();
  for (const std::vector<int>& key : family.keys) {
    meter.spend(stored_cost * static_cast<long long>(key.size() + outside.size()));
    result.keys.push_back(local_columns(d, space, outside, key));
  }
  std::sort(result.keys.begin(), result.keys.end(), size_then_columns);
  if (!result.keys_complete) return result;

  bitset prime((static_cast<std::size_t>(size) + 63) / 64, 0);
  for (const std::vector<int>& key : family.keys) {
    for (int i : key) set(prime, i);
  }
  std::optional<violation> found = anti_key_violation(oracle, family, nullptr, meter);
  normal_form form = normal_form::boyce_codd;
  if (found) {
    form = normal_form::third;
    if (std::optional<violation> v = anti_key_violation(oracle, family, &prime, meter)) {
      form = normal_form::second;
      found = std::move(v);
      if (std::optional<violation> p = partial_dependency(oracle, space, family, prime, meter)) {
        form = normal_form::first;
        found = std::move(p);
      }
    }
  }
  if (meter.exhausted()) return result;
  result.form = form;
  if (found) {
    result.witness.left = local_columns(d, space, outside, found->left);
    result.witness.right = d.column_of[space.attrs[found->right]];
    if (!found->key.empty()) result.witness.key = local_columns(d, space, outside, found->key);
  }
  return result;
}

// ---- Redundant schemes ----

// The schemes inside another one (of two equal schemes, the later). Each scheme is compared only
// with the schemes holding its rarest column. Sets complete to false when the budget ran out.
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

// ---- Repair ----

// The chase's verdict on a decomposition, or nothing when its tableau would not fit in memory.
std::optional<bool> chase_lossless(int m, const std::vector<std::vector<int>>& schemes,
                                   const std::vector<halmaz>& F) {
  const long long n = static_cast<long long>(schemes.size());
  if (!tableau_fits(n, static_cast<std::size_t>(m), available_memory())) return std::nullopt;
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

// Adds X u Y for each lost X->Y (once per set), then a key of R if the chase still finds a loss;
// a preserving decomposition gets the key at once. Either way the result preserves F and holds a
// key, which makes it lossless; the chase confirms it before it is offered. Needs every lost
// record, so the whole preservation, and one key.
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
  if (lossless == false) {
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

}  // namespace

std::vector<int> closure_after(const preservation_run& run, int steps) {
  std::vector<int> z = run.start;
  for (int k = 0; k < steps && k < static_cast<int>(run.steps.size()); ++k) {
    z.insert(z.end(), run.steps[k].added.begin(), run.steps[k].added.end());
  }
  sort_unique(z);
  return z;
}

std::vector<std::vector<int>> scheme_columns(const matrix& matr_T) {
  std::vector<std::vector<int>> schemes;
  for (int k = 1; k < matr_T.get_x(); ++k) {
    std::vector<int>& columns = schemes.emplace_back();
    for (int c = 0; c < matr_T.get_y(); ++c) {
      if (matr_T.cell(k, c) == "0") columns.push_back(c);
    }
  }
  return schemes;
}

decomposition_check check_decomposition(int m, const std::vector<std::vector<int>>& schemes,
                                        const std::vector<halmaz>& F, bool lossless,
                                        const check_budget& budget) {
  decomposition_check check;
  const dependency_index d = index_dependencies(m, F);
  const scheme_index s = index_schemes(d, schemes);
  closure_engine engine(d);
  implication_table table(d, budget.single_closures);

  check.preservation = preservation_checker(d, s, engine, table, budget.preservation).run();
  check.keys = find_keys(m, d, engine, table, budget.keys);
  bool complete = check.preservation.complete && check.keys.complete;

  work_meter all_schemes(budget.normal_forms);
  for (std::size_t j = 0; j < schemes.size(); ++j) {
    work_meter meter(std::min(budget.scheme, std::max(all_schemes.left(), 0LL)));
    const long long before = meter.left();
    check.schemes.push_back(check_scheme(d, schemes[j], s.in_u[j], engine, table, meter));
    all_schemes.spend(before - meter.left());
    complete = complete && check.schemes.back().form != normal_form::undecided;
  }

  bool redundancy_complete = true;
  check.redundant = find_redundant(m, schemes, budget.redundancy, redundancy_complete);
  complete = complete && redundancy_complete;

  if (!lossless && m > 0) {
    bool repair_complete = true;
    check.repair = propose_repair(m, schemes, F, check.preservation, check.keys, repair_complete);
    complete = complete && repair_complete;
  }
  check.complete = complete;
  return check;
}
