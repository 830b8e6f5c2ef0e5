// Small helpers for sets of attributes and the work spent on them, shared by every part of the
// check and of design mode: a work budget being spent, sorted lists without repeats, many lists in
// one flat array, and marks that clear in one step.

#ifndef LOSSLESS_SETS_H_
#define LOSSLESS_SETS_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

// A work budget being spent, in units of about one elementary step.
class work_meter {
 public:
  explicit work_meter(long long budget) : left_(budget) {}
  // Spends n units; false once the budget is overdrawn.
  bool spend(long long n) {
    left_ -= n;
    return left_ >= 0;
  }
  bool exhausted() const { return left_ < 0; }
  long long left() const { return left_; }

 private:
  long long left_;
};

// Told now and then how far a long computation got: done of total items (total -1 when not known
// beforehand). Empty when nobody asks.
using progress_fn = std::function<void(long long done, long long total)>;

// What one number kept in an answer costs, in work units: an answer kept in memory must stay far
// below the memory that a budget's worth of steps could fill.
constexpr long long stored_cost = 8;

// Sorts v and drops repeated values.
void sort_unique(std::vector<int>& v);

// Lists of ints in one flat array: list i is values[begin[i] .. begin[i + 1]). A catalogue can
// have millions of columns, and a vector per column would cost more than the lists.
struct flat_lists {
  std::vector<int> begin{0};
  std::vector<int> values;
  int size() const { return static_cast<int>(begin.size()) - 1; }
  // Ends the list being filled: the values pushed since the last close are list size() - 1.
  void close_list() { begin.push_back(static_cast<int>(values.size())); }
  std::span<const int> operator[](int i) const {
    return {values.data() + begin[i], values.data() + begin[i + 1]};
  }
};

// The lists 0 .. count - 1 of the pairs (list, value); each list keeps the order of its pairs.
flat_lists group_pairs(int count, const std::vector<std::pair<int, int>>& pairs);

// Marks on 0 .. n - 1 that hold for one value of a counter, so that clearing them all costs one
// increment.
class stamps {
 public:
  explicit stamps(std::size_t n) : marks_(n, 0) {}
  // Clears every mark.
  void next() {
    if (++now_ != 0) return;
    std::fill(marks_.begin(), marks_.end(), 0);
    now_ = 1;
  }
  bool marked(int i) const { return marks_[i] == now_; }
  // Marks i; false when it was marked already.
  bool mark(int i) {
    if (marks_[i] == now_) return false;
    marks_[i] = now_;
    return true;
  }
  void unmark(int i) { marks_[i] = 0; }

 private:
  std::vector<std::uint32_t> marks_;
  std::uint32_t now_ = 1;
};

// True when a precedes b by size, then by its values: the order in which keys are listed.
bool size_then_columns(const std::vector<int>& a, const std::vector<int>& b);

#endif  // LOSSLESS_SETS_H_
