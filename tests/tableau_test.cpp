#include "tableau.h"

#include <gtest/gtest.h>

#include <sstream>

#include "input.h"
#include "test_util.h"

namespace {

struct built {
  std::string echo;
  std::string tableau;
  std::string tmp;
};

// Runs the first reading for the catalogue, then the second for the tableau, as the run does.
built build(const std::string& text) {
  std::istringstream first(text);
  std::string tmp;
  catalogue c = read_catalogue(first, tmp);
  std::istringstream second(text);
  std::ostringstream echo;
  matrix m = build_tableau(second, tmp, echo, c.attr, static_cast<int>(c.n));
  return {echo.str(), dump(m), tmp};
}

TEST(build_tableau, marks_each_scheme_with_zeros_and_its_row_number) {
  built b = build("A,B\nB,C\n\nB->C\n");
  EXPECT_EQ(b.echo, "A,B\nB,C\n");
  EXPECT_EQ(b.tableau, "A B C|0 0 1|2 0 0");
  EXPECT_EQ(b.tmp, "");
}

TEST(build_tableau, gives_no_data_rows_for_an_empty_scheme_block) {
  built b = build("\nA->B\n");
  EXPECT_EQ(b.echo, "");
  EXPECT_EQ(b.tableau, "");
}

TEST(build_tableau, treats_a_repeated_name_like_a_single_one) {
  EXPECT_EQ(build("A,B,A\nB,C\n\n").tableau, "A B C|0 0 1|2 0 0");
}

TEST(build_tableau, writes_multi_digit_row_numbers) {
  std::string text;
  for (int k = 1; k <= 11; ++k) text += "A\n";
  text += "B\n\n";
  EXPECT_EQ(build(text).tableau, "A B|0 1|0 2|0 3|0 4|0 5|0 6|0 7|0 8|0 9|0 10|0 11|12 0");
}

TEST(build_tableau, marks_the_empty_name_in_the_first_column) {
  EXPECT_EQ(build("A,,B\n\n").tableau, " A B|0 0 0");
  EXPECT_EQ(build("A,\n,B\n\n").tableau, " A B|1 0 1|0 2 0");
}

TEST(build_tableau, fills_no_row_beyond_the_first_count) {
  // The file grew between the readings: the extra line is echoed only.
  std::istringstream second("A\nB\n\n");
  std::ostringstream echo;
  std::string tmp;
  matrix m = build_tableau(second, tmp, echo, {"A", "B"}, 1);
  EXPECT_EQ(echo.str(), "A\nB\n");
  EXPECT_EQ(dump(m), "A B|0 1");
}

}  // namespace
