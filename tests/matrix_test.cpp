#include "matrix.h"

#include <gtest/gtest.h>

#include <sstream>

#include "test_util.h"

namespace {

TEST(matrix_print, prints_nothing_without_columns) {
  EXPECT_EQ(printed(matrix(3, 0)), "");
  EXPECT_EQ(printed(matrix(0, 0)), "");
}

TEST(matrix_print, prints_nothing_when_the_first_cell_is_empty) {
  matrix m = from_dump(" A|0 0");
  EXPECT_EQ(printed(m), "");
}

TEST(matrix_print, ends_every_cell_with_a_blank) {
  EXPECT_EQ(printed(from_dump("A B C|0 1 1")), "A B C \n0 1 1 \n");
}

TEST(matrix_print, stops_at_the_first_row_with_an_empty_first_cell) {
  matrix m(4, 2);
  m.cell(0, 0) = "A";
  m.cell(0, 1) = "B";
  m.cell(1, 1) = "1";  // row 1 starts empty
  m.cell(2, 0) = "2";
  m.cell(2, 1) = "2";
  EXPECT_EQ(printed(m), "A B \n");
}

TEST(matrix_value, copies_are_deep) {
  matrix a = from_dump("A B|0 1");
  matrix b = a;
  b.cell(1, 1) = "0";
  EXPECT_EQ(dump(a), "A B|0 1");
  EXPECT_EQ(dump(b), "A B|0 0");
}

TEST(matrix_value, assignment_takes_the_other_size_and_survives_self_assignment) {
  matrix a = from_dump("A B C|0 0 1|2 0 0");
  matrix b(1, 1);
  b = a;
  EXPECT_EQ(dump(b), "A B C|0 0 1|2 0 0");
  matrix& same = b;
  b = same;
  EXPECT_EQ(dump(b), "A B C|0 0 1|2 0 0");
}

TEST(matrix_value, sizes_decide_before_cells) {
  matrix small(1, 2);
  matrix large(2, 2);
  EXPECT_FALSE(small == large);
  EXPECT_TRUE(small != large);
  EXPECT_FALSE(matrix(2, 1) == matrix(1, 2));
  EXPECT_TRUE(matrix(2, 3) == matrix(2, 3));
  matrix changed(2, 3);
  changed.cell(1, 2) = "x";
  EXPECT_TRUE(changed != matrix(2, 3));
  EXPECT_FALSE(changed == matrix(2, 3));
}

TEST(matrix_check, aborts_with_the_violated_expression) {
  matrix m(2, 3);
  EXPECT_DEATH(m.get(2, 0), "0 <= i && i < x");
  EXPECT_DEATH(m.get(-1, 0), "0 <= i && i < x");
  EXPECT_DEATH(m.checked_cell(0, 3), "0 <= j && j < y");
}

}  // namespace
