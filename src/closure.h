// Closures X+ under the applicable records of F, the one question that the decomposition check
// asks of F: the records indexed by left side over the attributes they mention, an engine that
// grows a closure attribute by attribute, and a table of the closures of single attributes that
// answers most questions without running a closure.

#ifndef LOSSLESS_CLOSURE_H_
#define LOSSLESS_CLOSURE_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <utility>
#include <vector>

#include "input.h"
#include "sets.h"

// An applicable record of F with a non-empty right side; both sides sorted, without repeats and
// without -1.
struct record {
  int index;  // in F
  std::vector<int> left;
  std::vector<int> right;
};

// The records grouped by left side, and the dependencies that can add to a closure: per group
// whose right sides hold an attribute outside its left side, one dependency of the group's left
// side and all those attributes. Dependencies are over U, the attributes they mention, numbered
// in the order of their columns; any other attribute is in X+ only when it is in X.
struct dependency_index {
  std::vector<record> records;           // in the order of F
  std::vector<std::vector<int>> groups;  // record positions, groups in order of first record
  std::vector<int> fd_group;             // per dependency: its group
  std::vector<int> column_of;            // U index -> column, ascending
  std::vector<int> index_of;             // column -> U index, -1 outside U
  flat_lists left, right;                // per dependency, over U; right without left
  flat_lists uses;                       // per U attribute: the dependencies whose left holds it
  std::vector<int> empty_left;           // dependencies that always fire
  std::vector<char> on_right;            // per U attribute: on the right of some dependency
  // Per U attribute, a rank such that an attribute can enter X+ only when its rank is at most
  // the largest rank in X or empty_rank: the strongly connected component of the attribute in
  // the graph from left sides through dependencies to right sides, numbered from the sinks.
  std::vector<int> rank;
  int empty_rank = -1;      // the largest rank of a dependency with an empty left side
  std::vector<int> ranked;  // ranked[r + 1]: the attributes of rank at most r
  int u() const { return static_cast<int>(column_of.size()); }
  int fds() const { return static_cast<int>(fd_group.size()); }
};

// Indexes F over the catalogue of m columns. A column outside 0 .. m-1 counts as -1.
dependency_index index_dependencies(int m, const std::vector<halmaz>& F);

// The closure of a set of U attributes by the linear method of Beeri and Bernstein (1979): each
// dependency counts the attributes of its left side still missing and fires at zero. The closure
// grows one attribute at a time, so that a caller can add more and go on, and stops early once
// the target is in, which is all that a superkey test needs. Clearing costs nothing.
class closure_engine {
 public:
  // A dependency that fired, and the attributes it added: members()[from .. to).
  struct firing {
    int fd;
    int from;
    int to;
  };

  explicit closure_engine(const dependency_index& d);

  // Empties the closure; the target stays.
  void clear();
  // The target: covered() tells whether all of it is in the closure, and run() stops once every
  // attribute of it that can still come in is in. Attributes of a rank below every target
  // attribute's are not followed, since they lead to none; so contains() is exact for the target
  // only.
  void set_target(std::span<const int> target);
  void set_target_all();
  // No target: run() goes to the fixpoint, following only attributes of rank at least floor.
  void set_no_target(int floor = -1) {
    all_ = false;
    target_size_ = std::numeric_limits<long long>::max();
    no_target_floor_ = floor;
    recount_ = true;
  }
  // Records each dependency that fires into firings, until called with null.
  void trace(std::vector<firing>* firings) { firings_ = firings; }

  void add(int a) {
    insert(a);
    if (d_.rank[a] > rank_) {
      rank_ = d_.rank[a];
      recount_ = true;
    }
  }
  // Grows the closure until every attribute of the target that can come in is in, or nothing
  // fires any more. False when the meter ran out first; the closure is then partial.
  bool run(work_meter& meter);
  bool covered() const { return hits_ >= target_size_; }
  bool contains(int a) const { return in_[a] == epoch_; }
  // The attributes in the closure, in the order they came in.
  const std::vector<int>& members() const { return members_; }

 private:
  void insert(int a) {
    if (in_[a] == epoch_) return;
    in_[a] = epoch_;
    members_.push_back(a);
    if (all_ || target_[a] == target_epoch_) ++hits_;
  }
  // The target attributes whose rank lets them come in, which includes all those already in.
  void count_reachable();
  void fire(int f, work_meter& meter);

  const dependency_index& d_;
  std::vector<std::uint32_t> in_;
  std::vector<std::uint32_t> target_;
  std::vector<std::uint32_t> seen_;
  std::vector<int> missing_;
  std::vector<int> members_;
  std::vector<firing>* firings_ = nullptr;
  std::size_t head_ = 0;
  std::uint32_t epoch_ = 1;
  std::uint32_t target_epoch_ = 1;
  long long target_size_ = 0;
  long long hits_ = 0;
  std::vector<int> target_ranks_;  // ascending
  int rank_ = -1;   // the largest rank of an attribute added from outside, or of the empty set
  int floor_ = -1;  // attributes of a lower rank are not followed
  int no_target_floor_ = -1;
  long long reachable_ = 0;
  bool recount_ = true;
  bool all_ = false;
  bool started_ = false;
};

// The closures of all single attributes, kept so that "does X+ hold all of T" is answered at once
// when the union of the closures of X's attributes already holds T. With many dependencies per
// attribute that answers most questions in a few machine words, where a closure would scan most
// of F; a question it cannot answer goes to the closure engine.
class implication_table {
 public:
  // Builds the table within budget; it is not kept when the budget runs out first or there are
  // too many components (see closure.cpp).
  implication_table(const dependency_index& d, long long budget);

  bool kept() const { return !implied_by_.empty(); }
  // True when b is in {a}+. Only when kept.
  bool implies(int a, int b) const {
    const int c = component_[a];
    return (column(component_[b])[c >> 6] >> (c & 63)) & 1;
  }
  // True when the closures of X's attributes together hold every attribute of target; then X+
  // does too. False also when the table is not kept or X is empty. For one attribute the
  // answer is exact.
  bool covers(std::span<const int> x, std::span<const int> target, work_meter& meter);

 private:
  const std::uint64_t* column(int c) const {
    return implied_by_.data() + static_cast<std::size_t>(c) * words_;
  }
  std::uint64_t* column(int c) { return implied_by_.data() + static_cast<std::size_t>(c) * words_; }
  void find_components(const dependency_index& d);

  std::vector<int> component_;  // per U attribute
  int components_ = 0;
  std::size_t words_ = 0;
  // Per component c, words_ words: bit b is set when c is in the closure of component b. Empty
  // when not kept.
  std::vector<std::uint64_t> implied_by_;
  std::vector<std::uint64_t> x_words_;
};

// The schemes over U, and per U attribute the schemes holding it.
struct scheme_index {
  std::vector<std::vector<int>> in_u;  // U indices, ascending
  flat_lists of;                       // per U attribute, ascending scheme indices
};

// Indexes the schemes (column lists) over U; columns outside U are left out.
scheme_index index_schemes(const dependency_index& d, const std::vector<std::vector<int>>& schemes);

// U attributes as columns, ascending.
std::vector<int> to_columns(const dependency_index& d, std::span<const int> u_attributes);

// X+ for a set X of distinct columns under the records that d indexes: ascending columns. A column
// outside U is in X+ only when it is in X. Spends from meter; partial once it has run out.
std::vector<int> closure_of(const dependency_index& d, closure_engine& engine,
                            std::span<const int> x, work_meter& meter);

// True when every column of target is in X+; stops as soon as they are. Meaningless once the meter
// has run out.
bool closure_holds(const dependency_index& d, closure_engine& engine, std::span<const int> x,
                   std::span<const int> target, work_meter& meter);

// One dependency applied while a closure grows: the attributes it added that no record listed
// before it added.
struct derivation_step {
  int dependency = 0;  // its index in F
  std::vector<int> added;
};

// The derivation of X+ for X over U: the dependencies that fired, in order, each split into the
// records of F it merges, a record listing what it added before the later ones. fresh must have
// a mark per U attribute. The derivation is cut short when the meter runs out.
std::vector<derivation_step> derive(const dependency_index& d, closure_engine& engine,
                                    std::span<const int> x, stamps& fresh, work_meter& meter);

#endif  // LOSSLESS_CLOSURE_H_
