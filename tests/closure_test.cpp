#include "closure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// X+ as columns, ascending, under F over m columns.
std::vector<int> closure(int m, const std::vector<halmaz>& F, const std::vector<int>& x) {
  const dependency_index d = index_dependencies(m, F);
  closure_engine engine(d);
  work_meter meter(1'000'000);
  std::vector<int> z = closure_of(d, engine, x, meter);
  EXPECT_FALSE(meter.exhausted());
  return z;
}

TEST(closure_engine, follows_chains_and_needs_every_left_attribute) {
  const std::vector<halmaz> F{{{0}, {1}}, {{1, 2}, {3}}, {{3}, {4}}};
  EXPECT_EQ(closure(5, F, {0}), (std::vector<int>{0, 1}));
  EXPECT_EQ(closure(5, F, {0, 2}), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(closure(5, F, {4}), (std::vector<int>{4}));
}

// A left side naming an unknown attribute (-1) never applies; a -1 on the right is dropped; an
// empty left side always fires.
TEST(closure_engine, applies_only_records_that_apply) {
  const std::vector<halmaz> F{{{0, -1}, {1}}, {{0}, {-1, 2}}, {{}, {3}}};
  EXPECT_EQ(closure(4, F, {0}), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(closure(4, F, {}), (std::vector<int>{3}));
}

// A column that no dependency mentions is in X+ only when it is in X, and closure_holds agrees.
TEST(closure_of, keeps_columns_outside_the_dependencies) {
  const std::vector<halmaz> F{{{0}, {1}}};
  EXPECT_EQ(closure(4, F, {0, 3}), (std::vector<int>{0, 1, 3}));
  const dependency_index d = index_dependencies(4, F);
  closure_engine engine(d);
  work_meter meter(1'000);
  const std::vector<int> x{0, 3}, inside{1, 3}, outside{2};
  EXPECT_TRUE(closure_holds(d, engine, x, inside, meter));
  EXPECT_FALSE(closure_holds(d, engine, x, outside, meter));
}

// With a target, the run may stop once the target is in, and covered() says whether it is.
TEST(closure_engine, answers_for_its_target) {
  const dependency_index d = index_dependencies(4, {{{0}, {1}}, {{1}, {2}}, {{2}, {3}}});
  closure_engine engine(d);
  const std::vector<int> target{d.index_of[2]};
  work_meter meter(1'000);
  engine.set_target(target);
  engine.clear();
  engine.add(d.index_of[0]);
  engine.run(meter);
  EXPECT_TRUE(engine.covered());
  engine.clear();
  engine.add(d.index_of[3]);
  engine.run(meter);
  EXPECT_FALSE(engine.covered());
}

TEST(implication_table, agrees_with_single_attribute_closures) {
  const dependency_index d = index_dependencies(3, {{{0}, {1}}, {{1}, {0}}, {{0, 1}, {2}}});
  const implication_table table(d, 1'000'000);
  ASSERT_TRUE(table.kept());
  const int a = d.index_of[0], b = d.index_of[1], c = d.index_of[2];
  EXPECT_TRUE(table.implies(a, b));
  EXPECT_TRUE(table.implies(b, c));
  EXPECT_FALSE(table.implies(c, a));
}

// Each record that adds something is listed once, in the order the closure grew.
TEST(derive, lists_the_records_that_add_in_order) {
  const dependency_index d = index_dependencies(3, {{{0}, {1}}, {{0}, {1}}, {{1}, {2}}});
  closure_engine engine(d);
  stamps fresh(static_cast<std::size_t>(d.u()));
  work_meter meter(1'000);
  const std::vector<int> x{d.index_of[0]};
  const std::vector<derivation_step> steps = derive(d, engine, x, fresh, meter);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].dependency, 0);
  EXPECT_EQ(steps[0].added, (std::vector<int>{1}));
  EXPECT_EQ(steps[1].dependency, 2);
  EXPECT_EQ(steps[1].added, (std::vector<int>{2}));
}

}  // namespace
