// The decomposition ends because every split makes two schemes smaller than the one split: X u Y
// lacks what X+ lacks of S, and S - Y lacks Y. A scheme costs, cheapest first: one subset test
// per left side and one closure per left side inside it, kept for the later schemes since X+ does
// not depend on S; then |P| |S| closures for the pair test, P being the attributes A of S with A
// in (S - A)+, the only ones that can be in (S - {A,B})+; and only when that test is inconclusive
// the keys and anti-keys of S, which can be exponentially many. The budget bounds it all.
//
// The pair test is exact in one direction: a violation X->A with some B of S outside X+ puts X
// inside S - {A,B}, so A is in (S - {A,B})+; and A in (S - {A,B})+ with B outside it makes
// S - {A,B} -> A a violation. When every such pair has B inside too, S - {A,B} is a superkey and
// nothing follows.

#include "bcnf.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "cover.h"
#include "normal_forms.h"

namespace {

// What the search of one scheme found.
struct search {
  enum { bcnf, violation, undecided } outcome = undecided;
  std::vector<int> left;  // violation: X, and one attribute of Y
  int right = -1;
};

class decomposer {
 public:
  decomposer(int m, const std::vector<std::vector<int>>& lefts, const dependency_index& d,
             closure_engine& engine, implication_table& table, long long budget)
      : lefts_(lefts),
        d_(d),
        engine_(engine),
        table_(table),
        meter_(budget),
        closures_(lefts.size()),
        in_s_(static_cast<std::size_t>(m)) {}

  bcnf_result run(std::vector<int> r) {
    bcnf_result result;
    std::vector<std::vector<int>> pending{std::move(r)};
    while (!pending.empty() && !meter_.exhausted()) {
      std::vector<int> s = std::move(pending.back());
      pending.pop_back();
      search found = find_violation(s);
      if (found.outcome == search::undecided || meter_.exhausted()) break;
      if (found.outcome == search::bcnf) {
        meter_.spend(stored_cost * static_cast<long long>(s.size()));
        result.schemes.push_back(std::move(s));
        continue;
      }
      bcnf_step step = split(std::move(s), std::move(found.left), found.right);
      if (meter_.exhausted()) break;
      pending.push_back(step.second);
      pending.push_back(step.first);
      result.steps.push_back(std::move(step));
    }
    result.complete = !meter_.exhausted() && pending.empty();
    if (!result.complete) result.schemes.clear();
    return result;
  }

 private:
  search find_violation(const std::vector<int>& s) {
    in_s_.next();
    for (int c : s) in_s_.mark(c);
    meter_.spend(static_cast<long long>(s.size()));
    search found = by_left_sides(s);
    if (found.outcome == search::undecided) found = by_pairs(s);
    if (found.outcome == search::undecided) found = by_normal_form(s);
    return found;
  }

  // A left side X inside S with X+ holding part of S - X but not all of it.
  search by_left_sides(const std::vector<int>& s) {
    for (std::size_t i = 0; i < lefts_.size() && !meter_.exhausted(); ++i) {
      const std::vector<int>& x = lefts_[i];
      meter_.spend(1 + static_cast<long long>(x.size()));
      if (x.size() >= s.size() ||
          !std::all_of(x.begin(), x.end(), [&](int c) { return in_s_.marked(c); })) {
        continue;
      }
      if (!closures_[i]) {
        closures_[i] = closure_of(d_, engine_, x, meter_);
        meter_.spend(stored_cost * static_cast<long long>(closures_[i]->size()));
      }
      std::size_t in_s = 0;
      int gained = -1;
      for (int c : *closures_[i]) {
        if (!in_s_.marked(c)) continue;
        ++in_s;
        if (gained < 0 && !std::binary_search(x.begin(), x.end(), c)) gained = c;
      }
      meter_.spend(static_cast<long long>(closures_[i]->size()));
      if (gained >= 0 && in_s < s.size()) return {search::violation, x, gained};
    }
    return {};
  }

  // The pair test: BCNF when no attribute is determined by the scheme without it and another;
  // undecided when each that is also determines the other. The closure of S - {A,B} answers for
  // A and for B at once, so a pair of two attributes of P is taken once. Attributes outside U
  // neither come into a closure nor help one grow, so they are left out of every closure, and
  // one of them as B makes a violation of any A in P.
  search by_pairs(const std::vector<int>& s) {
    std::vector<int> su, p, z;
    int outside = -1;
    for (int c : s) {
      if (d_.index_of[c] >= 0) {
        su.push_back(c);
      } else if (outside < 0) {
        outside = c;
      }
    }
    for (int a : su) {
      without(su, a, -1, z);
      close_toward(z, a, -1);
      if (meter_.exhausted()) return {};
      if (engine_.contains(d_.index_of[a])) p.push_back(a);
    }
    if (!p.empty() && outside >= 0) {
      without(s, p[0], outside, z);
      return {search::violation, z, p[0]};
    }
    bool inconclusive = false;
    for (int a : p) {
      for (int b : su) {
        if (b == a || (b < a && std::binary_search(p.begin(), p.end(), b))) continue;
        without(su, a, b, z);
        close_toward(z, a, b);
        if (meter_.exhausted()) return {};
        const bool with_a = engine_.contains(d_.index_of[a]);
        const bool with_b = engine_.contains(d_.index_of[b]);
        if (with_a && with_b) inconclusive = true;
        if (with_a && !with_b) return {search::violation, z, a};
        if (with_b && !with_a) return {search::violation, z, b};
      }
    }
    return {inconclusive ? search::undecided : search::bcnf, {}, -1};
  }

  // The normal form of S by the definitions, whose witness breaks BCNF whatever form it shows.
  search by_normal_form(const std::vector<int>& s) {
    std::vector<int> u;
    for (int c : s) {
      if (d_.index_of[c] >= 0) u.push_back(d_.index_of[c]);
    }
    const scheme_check c = check_scheme(d_, s, u, engine_, table_, meter_);
    if (c.form == normal_form::undecided) return {};
    if (c.form == normal_form::boyce_codd) return {search::bcnf, {}, -1};
    return {search::violation, c.witness.left, c.witness.right};
  }

  // S without a and b (-1 for none), into z.
  void without(const std::vector<int>& s, int a, int b, std::vector<int>& z) {
    z.clear();
    for (int c : s) {
      if (c != a && c != b) z.push_back(c);
    }
  }

  // X+ in the engine as far as a and b (-1 for none) go, which contains() then answers for; both
  // lie in U.
  void close_toward(const std::vector<int>& x, int a, int b) {
    meter_.spend(static_cast<long long>(x.size()));
    target_.assign(1, d_.index_of[a]);
    if (b >= 0) target_.push_back(d_.index_of[b]);
    engine_.clear();
    engine_.set_target(target_);
    for (int c : x) {
      if (d_.index_of[c] >= 0) engine_.add(d_.index_of[c]);
    }
    engine_.run(meter_);
  }

  // Makes X minimal for a, then splits S on X -> (X+ n S) - X. Attributes of X outside U go at
  // once: without them a is still in X+.
  bcnf_step split(std::vector<int> s, std::vector<int> x, int a) {
    std::erase_if(x, [&](int c) { return d_.index_of[c] < 0; });
    std::vector<int> rest;
    for (std::size_t k = 0; k < x.size() && !meter_.exhausted();) {
      rest = x;
      rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(k));
      if (closure_holds(d_, engine_, rest, std::span<const int>(&a, 1), meter_)) {
        x = std::move(rest);
      } else {
        ++k;
      }
    }
    bcnf_step step;
    step.closure = closure_of(d_, engine_, x, meter_);
    std::set_intersection(step.closure.begin(), step.closure.end(), s.begin(), s.end(),
                          std::back_inserter(step.first));
    std::set_difference(step.first.begin(), step.first.end(), x.begin(), x.end(),
                        std::back_inserter(step.right));
    std::set_difference(s.begin(), s.end(), step.right.begin(), step.right.end(),
                        std::back_inserter(step.second));
    step.left = std::move(x);
    step.scheme = std::move(s);
    meter_.spend(stored_cost * static_cast<long long>(2 * step.scheme.size() + step.left.size() +
                                                      step.right.size() + step.closure.size()));
    return step;
  }

  const std::vector<std::vector<int>>& lefts_;
  const dependency_index& d_;
  closure_engine& engine_;
  implication_table& table_;
  work_meter meter_;
  std::vector<std::optional<std::vector<int>>> closures_;  // per left side, once computed
  stamps in_s_;                                            // the scheme being searched
  std::vector<int> target_;
};

}  // namespace

bcnf_result decompose_bcnf(int m, const std::vector<std::vector<int>>& lefts,
                           const dependency_index& d, closure_engine& engine,
                           implication_table& table, long long budget) {
  std::vector<int> r(static_cast<std::size_t>(m));
  for (int c = 0; c < m; ++c) r[c] = c;
  return decomposer(m, lefts, d, engine, table, budget).run(std::move(r));
}
