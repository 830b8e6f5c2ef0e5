#include "chase.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace {

std::string chased(const std::string& tableau, const std::vector<halmaz>& F) {
  matrix m = from_dump(tableau);
  chase(m, F);
  return dump(m);
}

TEST(equate, keeps_the_numerically_smaller_symbol_in_every_row) {
  matrix m = from_dump("A B|0 10|0 9|0 10");
  equate(1, 2, m, {1});
  EXPECT_EQ(dump(m), "A B|0 9|0 9|0 9");
  matrix zero = from_dump("A B|1 0|2 2|0 0");
  equate(2, 1, zero, {0, 1, -1});
  EXPECT_EQ(dump(zero), "A B|1 0|1 0|0 0");
}

TEST(chase, does_nothing_without_agreeing_rows) {
  EXPECT_EQ(chased("A B C|0 0 1|2 0 0", {{{0}, {2}}}), "A B C|0 0 1|2 0 0");
  EXPECT_EQ(chased("A B|0 1", {{{0}, {1}}}), "A B|0 1");
  EXPECT_EQ(chased("A B C|0 0 1|2 0 0", {{{}, {}}}), "A B C|0 0 1|2 0 0");
  EXPECT_EQ(chased("A B C|0 0 1|2 0 0", {{{1}, {1}}}), "A B C|0 0 1|2 0 0");
}

TEST(chase, equates_the_right_side_of_agreeing_rows) {
  EXPECT_EQ(chased("A B C|0 0 1|2 0 0", {{{1}, {2}}}), "A B C|0 0 0|2 0 0");
  // An empty left side makes every pair agree.
  EXPECT_EQ(chased("A B|0 1|2 0|3 3", {{{}, {0}}}), "A B|0 1|0 0|0 3");
}

TEST(chase, runs_until_nothing_changes) {
  // Listed in the worst order: each pass enables the dependency before it.
  EXPECT_EQ(chased("A1 A2 A3 A4|0 0 1 1|2 0 0 2|3 3 0 0", {{{2}, {3}}, {{1}, {2}}, {{0}, {1}}}),
            "A1 A2 A3 A4|0 0 0 0|2 0 0 0|3 3 0 0");
}

TEST(chase, never_fires_a_left_side_naming_a_missing_attribute) {
  EXPECT_EQ(chased("A B C|0 0 1|2 0 0", {{{1, -1}, {2}}}), "A B C|0 0 1|2 0 0");
  EXPECT_EQ(chased("A B C|0 0 1|2 0 0", {{{-1}, {2}}}), "A B C|0 0 1|2 0 0");
  EXPECT_EQ(chased("A B C|0 0 1|2 0 0", {{{1}, {-1, 2, -1}}}), "A B C|0 0 0|2 0 0");
}

TEST(verdict, needs_a_data_row_of_zeros) {
  EXPECT_EQ(verdict(from_dump("A B C|0 0 0|2 0 0")), "vesztesegmentes");
  EXPECT_EQ(verdict(from_dump("A B C|0 0 1|2 0 0")), "nem vesztesegmentes");
  EXPECT_EQ(verdict(from_dump("A B|0 0|0 0")), "vesztesegmentes");
  EXPECT_EQ(verdict(from_dump("0 0")), "nem vesztesegmentes");  // header only
  EXPECT_EQ(verdict(matrix(1, 0)), "nem vesztesegmentes");
}

}  // namespace
