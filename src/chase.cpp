// The chase computes, for every column, the least partition of the data rows that every
// dependency respects: two rows that share a class in each left-side column of a dependency share
// a class in each of its right-side columns. Each class then shows the symbol of smallest numeric
// value it started with. That is the tableau that repeated passes of `equate` reach too, since
// `equate` joins two classes of one column and keeps the smaller symbol, whatever the order.
//
// Instead of passes, the work follows the merges. In each column every row points at the root of
// its class; a merge relabels the rows of the smaller class and is queued. Handling it re-applies
// only the dependencies whose left side holds that column:
// - with the column as the whole left side, the two merged classes now agree, so their roots are
//   joined in each right-side column;
// - with a longer left side, each row of the absorbed class is looked up again by the tuple of its
//   classes in the left-side columns; a row already filed under that tuple agrees with it.
// Dependencies of the first kind cost O(1) a merge and run to their fixpoint first; each of the
// second kind then files every row once and re-files what later merges move.
//
// It ends because a column of r rows can merge at most r - 1 times. A row is in the smaller class
// O(log rows) times per column, so the cost is near-linear in the number of merges plus rows times
// the left-side sizes of the dependencies, and the tableau is read and written once.

#include "chase.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <numeric>
#include <set>
#include <span>
#include <string_view>
#include <utility>

namespace {

bool same_tuple(const int* a, const int* b, std::size_t width) {
  for (std::size_t k = 0; k < width; ++k) {
    if (a[k] != b[k]) return false;
  }
  return true;
}

long numeric_value(const std::string& symbol) {
  long value = 0;
  std::from_chars(symbol.data(), symbol.data() + symbol.size(), value);
  return value;
}

// A dependency as the chase applies it: left columns without repeats, right columns without -1.
// A rule with a longer left side files rows by the tuple of their classes in the left columns;
// the table is per rule because a merge re-files many rows for one rule after another.
struct rule {
  struct slot {
    std::uint32_t hash;
    int row;  // -1: empty
    std::size_t entry;
  };
  std::vector<int> left;
  std::vector<int> right;
  std::vector<slot> slots;  // open addressing, at most half full
  std::vector<int> keys;    // entry e's tuple is keys[e * left.size() ...]
  std::size_t entries = 0;
};

// Lists of ints per column in two flat arrays: a tableau may have millions of columns and a few
// rules, and a vector per column would take more room than the tableau's own cells.
class column_lists {
 public:
  column_lists() = default;
  // The lists of (column, value) pairs; each column's values keep the order of the pairs.
  column_lists(int columns, const std::vector<std::pair<int, int>>& pairs)
      : begin_(static_cast<std::size_t>(columns) + 1, 0), values_(pairs.size()) {
    for (const auto& [column, value] : pairs) ++begin_[column];
    // Each count becomes its column's end; filling backwards moves it to the column's start.
    std::partial_sum(begin_.begin(), begin_.end() - 1, begin_.begin());
    begin_.back() = static_cast<int>(pairs.size());
    for (auto it = pairs.rbegin(); it != pairs.rend(); ++it)
      values_[--begin_[it->first]] = it->second;
  }
  std::span<const int> operator[](int column) const {
    return {values_.data() + begin_[column], values_.data() + begin_[column + 1]};
  }

 private:
  std::vector<int> begin_;
  std::vector<int> values_;
};

class chaser {
 public:
  chaser(matrix& tableau, const std::vector<halmaz>& F);
  void run();

 private:
  // A merge in column `column`: `absorbed`'s class joined `survivor`'s. The absorbed rows are the
  // list run from `first` to `absorbed`; rows other than roots never change their list links, so
  // the run stays valid however late the merge is handled.
  struct merge {
    int column;
    int survivor;
    int absorbed;
    int first;
    bool survivor_was_alone;
  };

  std::size_t base(int column) const { return static_cast<std::size_t>(column) * rows_; }
  int find(int column, int row) const {
    const int up = cells_[base(column) + row].root;
    return up < 0 ? row : up;
  }
  int size(int column, int root) const { return -cells_[base(column) + root].root; }
  // Joins the classes of two rows in a column, queueing the merge.
  void unite(int column, int row_a, int row_b) {
    const int a = find(column, row_a);
    const int b = find(column, row_b);
    if (a != b) link(column, a, b);
  }
  void link(int column, int root_a, int root_b);
  static void grow(rule& ru);
  void handle(const merge& m);
  void drain();
  bool settled(int rule_index);
  void file_row(int rule_index, int row);
  void group_initial_symbols();
  void write_back(int column);

  matrix& tableau_;
  int rows_;  // data rows; row r here is tableau row r + 1
  int columns_;
  std::vector<rule> rules_;
  // Per column: the right-side columns of the rules whose whole left side is that column.
  column_lists joins_;
  column_lists part_left_;  // per column: longer left sides that hold it
  // Per cell, column after column: the root row of the class, or minus the class size at the
  // root itself; and the next row of the class in a circular list. Side by side, because a merge
  // reads and writes both.
  struct node {
    int root;
    int next;
  };
  std::vector<node, large_allocator<node>> cells_;
  std::vector<merge> pending_;
  int filed_rules_ = 0;     // rules below this index have filed their rows
  std::vector<int> probe_;  // the tuple being looked up
  // Scratch for writing back one column at a time, indexed by a root row: the stamp of the column
  // that last wrote the entry (so nothing is cleared between columns), the row whose symbol the
  // class keeps, and that symbol's value.
  int stamp_ = 0;
  std::vector<int> seen_in_;
  std::vector<int> first_with_;
  std::vector<long> smallest_;
};

chaser::chaser(matrix& tableau, const std::vector<halmaz>& F)
    : tableau_(tableau), rows_(std::max(tableau.get_x() - 1, 0)), columns_(tableau.get_y()) {
  std::vector<std::pair<int, int>> joins, part_left;
  for (const halmaz& h : F) {
    if (std::find(h.left.begin(), h.left.end(), -1) != h.left.end()) continue;
    rule ru;
    ru.left = h.left;  // the order within a tuple only has to be the same for every row
    std::sort(ru.left.begin(), ru.left.end());
    ru.left.erase(std::unique(ru.left.begin(), ru.left.end()), ru.left.end());
    for (int c : h.right) {
      if (c != -1) ru.right.push_back(c);
    }
    if (ru.right.empty()) continue;
    const int index = static_cast<int>(rules_.size());
    if (ru.left.size() == 1) {
      for (int y : ru.right) joins.emplace_back(ru.left[0], y);
    } else {
      for (int c : ru.left) part_left.emplace_back(c, index);
    }
    probe_.resize(std::max(probe_.size(), ru.left.size()));
    rules_.push_back(std::move(ru));
  }
  if (rules_.empty()) return;  // run() does nothing
  joins_ = column_lists(columns_, joins);
  part_left_ = column_lists(columns_, part_left);
}

void chaser::link(int column, int a, int b) {
  node* n = &cells_[base(column)];
  if (n[a].root > n[b].root) std::swap(a, b);  // sizes are negated: the smaller class is relabelled
  const bool survivor_was_alone = n[a].root == -1;
  n[a].root += n[b].root;
  const int first = n[b].next;
  for (int row = first;; row = n[row].next) {
    n[row].root = a;
    if (row == b) break;
  }
  std::swap(n[a].next, n[b].next);
  pending_.push_back({column, a, b, first, survivor_was_alone});
}

void chaser::handle(const merge& m) {
  for (int y : joins_[m.column]) unite(y, m.survivor, m.absorbed);
  if (part_left_[m.column].empty()) return;
  const node* n = &cells_[base(m.column)];
  for (int index : part_left_[m.column]) {
    if (index >= filed_rules_) break;  // the rest are filed whole later
    if (settled(index)) continue;
    for (int row = m.first;; row = n[row].next) {
      file_row(index, row);
      if (row == m.absorbed) break;
    }
    // A row that was alone in this column could agree with nobody before, so it was never filed.
    if (m.survivor_was_alone) file_row(index, m.survivor);
  }
}

// A rule whose right-side columns are each a single class can join nothing any more.
bool chaser::settled(int rule_index) {
  for (int y : rules_[rule_index].right) {
    if (size(y, find(y, 0)) != rows_) return false;
  }
  return true;
}

void chaser::grow(rule& ru) {
  std::vector<rule::slot> old(std::max<std::size_t>(8, 2 * ru.slots.size()), {0, -1, 0});
  old.swap(ru.slots);
  const std::size_t mask = ru.slots.size() - 1;
  for (const rule::slot& s : old) {
    if (s.row == -1) continue;
    std::size_t i = s.hash & mask;
    while (ru.slots[i].row != -1) i = (i + 1) & mask;
    ru.slots[i] = s;
  }
}

void chaser::file_row(int rule_index, int row) {
  rule& ru = rules_[rule_index];
  const std::size_t width = ru.left.size();
  int* tuple = probe_.data();
  std::uint64_t hash = 0;
  for (std::size_t k = 0; k < width; ++k) {
    const int c = ru.left[k];
    const int root = find(c, row);
    if (size(c, root) == 1) return;  // alone in a column: agrees with no other row
    tuple[k] = root;
    hash = (hash ^ static_cast<std::uint64_t>(root)) * 0x9e3779b97f4a7c15u;
  }
  const std::uint32_t h = static_cast<std::uint32_t>(hash >> 32);
  if (2 * (ru.entries + 1) > ru.slots.size()) grow(ru);
  const std::size_t mask = ru.slots.size() - 1;
  std::size_t i = h & mask;
  for (; ru.slots[i].row != -1; i = (i + 1) & mask) {
    const rule::slot& s = ru.slots[i];
    if (s.hash == h && same_tuple(tuple, &ru.keys[s.entry * width], width)) {
      for (int y : ru.right) unite(y, row, s.row);
      return;
    }
  }
  ru.slots[i] = {h, row, ru.entries++};
  ru.keys.insert(ru.keys.end(), tuple, tuple + width);
}

// Rows that start with the same text in a column start in one class, as equate only ever
// replaces a text by another. A fresh tableau holds "0" and each row's own number, so the zeros
// are grouped through the first zero row of each column; other texts are rare and go through a
// map. The tableau is read row after row, the order it is stored in.
void chaser::group_initial_symbols() {
  std::vector<int> first_zero(columns_, -1);
  std::map<std::pair<int, std::string>, int> first_other;  // (column, text) -> row
  for (int r = 0; r < rows_; ++r) {
    const std::string own = std::to_string(r + 1);
    for (int c = 0; c < columns_; ++c) {
      const std::string& text = tableau_.cell(r + 1, c);
      if (text == "0") {
        if (first_zero[c] == -1) {
          first_zero[c] = r;
        } else {
          unite(c, first_zero[c], r);
        }
      } else if (text != own) {
        auto [it, inserted] = first_other.try_emplace({c, text}, r);
        if (!inserted) unite(c, it->second, r);
        // The row that the text names may hold it as its own number.
        const long value = numeric_value(text);
        if (1 <= value && value <= rows_ && tableau_.cell(static_cast<int>(value), c) == text) {
          unite(c, static_cast<int>(value - 1), r);
        }
      }
    }
    drain();  // row by row, so that the queue holds a row's merges, not the whole tableau's
  }
}

// Every row of a class takes the symbol of smallest numeric value that the class started with.
// A row alone in its class keeps its symbol.
void chaser::write_back(int column) {
  const int stamp = ++stamp_;
  for (int r = 0; r < rows_; ++r) {
    const int root = find(column, r);
    if (size(column, root) == 1) continue;
    const long value = numeric_value(tableau_.cell(r + 1, column));
    if (seen_in_[root] != stamp || value < smallest_[root]) {
      seen_in_[root] = stamp;
      smallest_[root] = value;
      first_with_[root] = r;
    }
  }
  for (int r = 0; r < rows_; ++r) {
    const int root = find(column, r);
    if (size(column, root) == 1) continue;
    const int keeper = first_with_[root];
    if (keeper != r) tableau_.cell(r + 1, column) = tableau_.cell(keeper + 1, column);
  }
}

void chaser::drain() {
  while (!pending_.empty()) {
    const merge m = pending_.back();
    pending_.pop_back();
    handle(m);
  }
}

void chaser::run() {
  // Without a rule nothing can change: skip the per-cell arrays, the size of the tableau.
  if (rules_.empty()) return;
  const std::size_t cells = static_cast<std::size_t>(rows_) * columns_;
  cells_.resize(cells);
  for (int c = 0; c < columns_; ++c) {
    for (int r = 0; r < rows_; ++r) cells_[base(c) + r] = {-1, r};
  }
  seen_in_.assign(rows_, -1);
  first_with_.resize(rows_);
  smallest_.resize(rows_);

  for (const rule& ru : rules_) {
    if (!ru.left.empty()) continue;
    for (int y : ru.right) {
      for (int r = 1; r < rows_; ++r) unite(y, 0, r);  // an empty left side: all rows agree
    }
  }
  // Rules with one left column cost O(1) a merge, so they run to their fixpoint first; each longer
  // rule then files every row once, on classes already as coarse as the cheap rules make them,
  // and from then on re-files the rows its merges move.
  group_initial_symbols();
  for (int index = 0; index < static_cast<int>(rules_.size()); ++index) {
    filed_rules_ = index + 1;
    if (rules_[index].left.size() < 2) continue;
    for (int r = 0; r < rows_; ++r) file_row(index, r);
    drain();
  }
  for (int c = 0; c < columns_; ++c) write_back(c);
}

}  // namespace

namespace {

// What the equate of one column did: the symbol that went, the one that stayed, and the rows
// whose cell changed, ascending.
struct column_change {
  std::string from;
  std::string to;
  std::vector<int> rows;
};

column_change equate_column(int i, int j, matrix& matr_S, int c) {
  const long a = numeric_value(matr_S.cell(i, c));
  const long b = numeric_value(matr_S.cell(j, c));
  column_change change;
  change.to = a >= b ? matr_S.cell(j, c) : matr_S.cell(i, c);
  change.from = a >= b ? matr_S.cell(i, c) : matr_S.cell(j, c);
  if (change.from == change.to) return change;  // the replacement would change nothing
  for (int r = 1; r < matr_S.get_x(); ++r) {
    std::string& cell = matr_S.cell(r, c);
    if (cell == change.from) {
      cell = change.to;
      change.rows.push_back(r);
    }
  }
  return change;
}

}  // namespace

void equate(int i, int j, matrix& matr_S, const std::vector<int>& right) {
  for (int c : right) {
    if (c != -1) equate_column(i, j, matr_S, c);
  }
}

void chase(matrix& matr_S, const std::vector<halmaz>& F) { chaser(matr_S, F).run(); }

std::vector<int> distinguished_rows(const matrix& matr_S) {
  std::vector<int> rows;
  for (int i = 1; i < matr_S.get_x(); ++i) {
    bool distinguished = true;
    for (int c = 0; c < matr_S.get_y() && distinguished; ++c) {
      distinguished = matr_S.cell(i, c) == "0";
    }
    if (distinguished) rows.push_back(i);
  }
  return rows;
}

std::string verdict(const matrix& matr_S) {
  return std::string(distinguished_rows(matr_S).empty() ? lossy_verdict : lossless_verdict);
}

step_record record_steps(matrix& matr_S, const std::vector<halmaz>& F, long long budget) {
  step_record record;
  long long work = 0;
  // False once the budget is spent; the record then ends where the chase stands.
  auto spend = [&](long long units) {
    work += units;
    record.complete = budget == unlimited_work || work <= budget;
    return record.complete;
  };
  const int x = matr_S.get_x();
  // A pass that changes nothing ends the chase: symbols only ever get smaller, so a changed cell
  // never changes back and the tableau differs from the pass's start exactly when a step was made.
  for (int pass = 1;; ++pass) {
    bool changed = false;
    for (int d = 0; d < static_cast<int>(F.size()); ++d) {
      const halmaz& h = F[d];
      if (std::find(h.left.begin(), h.left.end(), -1) != h.left.end()) continue;
      for (int i = 1; i < x - 1; ++i) {
        for (int j = i + 1; j < x; ++j) {
          if (!spend(static_cast<long long>(h.left.size()) + 1)) return record;
          bool agree = true;
          for (int c : h.left) agree = agree && matr_S.cell(i, c) == matr_S.cell(j, c);
          if (!agree) continue;
          for (int c : h.right) {
            if (c == -1) continue;
            if (!spend(x)) return record;
            column_change change = equate_column(i, j, matr_S, c);
            if (change.rows.empty()) continue;
            changed = true;
            record.steps.push_back({pass, d, i, j, c, std::move(change.from), std::move(change.to),
                                    std::move(change.rows)});
          }
        }
      }
    }
    if (!changed) return record;
  }
}

counterexample make_counterexample(const matrix& matr_T, const matrix& matr_S) {
  counterexample proof;
  for (int k = 1; k < matr_T.get_x(); ++k) {
    std::vector<int>& columns = proof.columns.emplace_back();
    for (int c = 0; c < matr_T.get_y(); ++c) {
      if (matr_T.cell(k, c) == "0") columns.push_back(c);
    }
    std::set<std::vector<std::string_view>> seen;
    std::vector<int>& tuples = proof.tuples.emplace_back();
    int& zeros = proof.zeros.emplace_back(-1);
    for (int r = 1; r < matr_S.get_x(); ++r) {
      std::vector<std::string_view> tuple;
      for (int c : columns) tuple.push_back(matr_S.cell(r, c));
      const bool all_zero =
          std::all_of(tuple.begin(), tuple.end(), [](std::string_view s) { return s == "0"; });
      if (!seen.insert(std::move(tuple)).second) continue;
      if (all_zero) zeros = static_cast<int>(tuples.size());
      tuples.push_back(r);
    }
  }
  return proof;
}
