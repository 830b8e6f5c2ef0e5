#include "sets.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(group_pairs, keeps_each_lists_order_and_leaves_lists_without_pairs_empty) {
  const flat_lists lists = group_pairs(4, {{2, 7}, {0, 5}, {2, 1}, {0, 5}});
  ASSERT_EQ(lists.size(), 4);
  EXPECT_EQ(std::vector<int>(lists[0].begin(), lists[0].end()), (std::vector<int>{5, 5}));
  EXPECT_TRUE(lists[1].empty());
  EXPECT_EQ(std::vector<int>(lists[2].begin(), lists[2].end()), (std::vector<int>{7, 1}));
  EXPECT_TRUE(lists[3].empty());
  EXPECT_EQ(group_pairs(0, {}).size(), 0);
}

TEST(stamps, clears_every_mark_at_once_and_marks_once) {
  stamps s(3);
  EXPECT_TRUE(s.mark(1));
  EXPECT_FALSE(s.mark(1));
  EXPECT_TRUE(s.marked(1));
  s.next();
  EXPECT_FALSE(s.marked(1));
  EXPECT_TRUE(s.mark(1));
  s.unmark(1);
  EXPECT_FALSE(s.marked(1));
}

TEST(work_meter, is_exhausted_only_once_overdrawn) {
  work_meter meter(5);
  EXPECT_TRUE(meter.spend(5));
  EXPECT_FALSE(meter.exhausted());
  EXPECT_FALSE(meter.spend(1));
  EXPECT_TRUE(meter.exhausted());
  EXPECT_TRUE(work_meter(0).spend(0));
}

TEST(size_then_columns, orders_by_size_before_values) {
  std::vector<int> a{5}, b{0, 1}, c{0, 2};
  EXPECT_TRUE(size_then_columns(a, b));
  EXPECT_TRUE(size_then_columns(b, c));
  EXPECT_FALSE(size_then_columns(b, b));
  std::vector<int> v{3, 1, 3, 2, 1};
  sort_unique(v);
  EXPECT_EQ(v, (std::vector<int>{1, 2, 3}));
}

}  // namespace
