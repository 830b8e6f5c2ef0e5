// Keys: the candidate keys of R by the method of Lucchesi and Osborn (1978), and the closure
// questions about the subsets of a set of attributes that every key search asks (is X a superkey,
// is A in X+, a key inside a superkey), which the normal forms of the schemes ask too.

#ifndef LOSSLESS_KEYS_H_
#define LOSSLESS_KEYS_H_

#include <span>
#include <vector>

#include "closure.h"
#include "sets.h"

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

// Closure questions about the subsets of one key space, X given as local indices. Answers are
// meaningless once the meter has run out; callers check it after each call.
class key_oracle {
 public:
  key_oracle(const dependency_index& d, const key_space& space, closure_engine& engine,
             implication_table& table, work_meter& meter)
      : d_(d), space_(space), engine_(engine), table_(table), meter_(meter) {}

  // True when X+ holds the whole space.
  bool superkey(std::span<const int> x);
  // True when local attribute a, inside U, is in X+.
  bool implies(std::span<const int> x, int a);
  // Computes X+ for contains(): to the fixpoint, or until the whole space is in.
  void close(std::span<const int> x);
  // Whether local attribute a, inside U, is in the X+ of the last close().
  bool contains(int a) const { return engine_.contains(space_.attrs[a]); }
  // The attributes of X, inside U, on the right side of a dependency that fires in X+: only
  // these can lie in (X - A)+, since that closure fires no dependency that X+ does not.
  std::vector<int> produced(std::span<const int> x);
  // The derivation of X+ for X over U, reaching all of U.
  std::vector<derivation_step> derive(std::span<const int> x, stamps& fresh);
  // A key of the space inside P, which must be a superkey; ascending. Attributes on no right
  // side are in every key; the others are taken in order until the closure holds the space,
  // then dropped again, last taken first, while what is left stays a superkey.
  std::vector<int> key_inside(std::span<const int> p);

 private:
  void add(std::span<const int> x);
  // Clears the closure and makes the whole space its target.
  void start(std::span<const int> x);
  // True when the table answers whether X+ holds target, the answer then in answer_: when the
  // closures of X's attributes hold it, and for one attribute, whose closure the table has.
  bool table_says(std::span<const int> x, std::span<const int> target);

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

// Local indices of a key space to columns, ascending; outside holds the columns that the index
// standing for the attributes outside U means.
std::vector<int> local_columns(const dependency_index& d, const key_space& space,
                               const std::vector<int>& outside, std::span<const int> local);

// The candidate keys of R, sorted by size and then by columns, each with the derivation of its
// closure reaching R. complete is false when the budget cut the list short; every key listed is
// a key all the same.
struct key_list {
  bool complete = true;
  std::vector<std::vector<int>> keys;
  std::vector<std::vector<derivation_step>> derivations;
};

// The keys of R = {0 .. m-1} under the dependencies that d indexes: those of U by the method of
// Lucchesi and Osborn, each with R's attributes outside U added, which every key holds. Time
// grows with the number of keys times |F|; the budget bounds it.
key_list find_keys(int m, const dependency_index& d, closure_engine& engine,
                   implication_table& table, long long budget);

#endif  // LOSSLESS_KEYS_H_
