#include "tableau.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
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
  line_reader first(text);
  std::string_view tmp;
  std::ostringstream err;
  diagnostics d(err);
  catalogue c = read_catalogue(first, tmp, d);
  line_reader second(text);
  std::ostringstream echo;
  matrix m = build_tableau(second, tmp, echo, c.attr, static_cast<int>(c.n));
  return {echo.str(), dump(m), std::string(tmp)};
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
  line_reader second("A\nB\n\n");
  std::ostringstream echo;
  std::string_view tmp;
  matrix m = build_tableau(second, tmp, echo, {"A", "B"}, 1);
  EXPECT_EQ(echo.str(), "A\nB\n");
  EXPECT_EQ(dump(m), "A B|0 1");
}

TEST(tableau_fits, weighs_the_cells_against_the_memory) {
  struct case_ {
    long long n;
    std::size_t m;
    std::uint64_t available;
    bool fits;
  };
  constexpr std::uint64_t cell = tableau_bytes_per_cell;
  constexpr long long int_max = std::numeric_limits<int>::max();
  constexpr std::size_t m_max = static_cast<std::size_t>(int_max);
  constexpr std::uint64_t plenty = std::numeric_limits<std::uint64_t>::max();
  const case_ cases[] = {
      {0, 0, 0, true},  // no scheme, no attribute
      {100000, 0, 0, true},
      {1, 3, 6 * cell, true},  // two rows of three cells, exactly enough
      {1, 3, 6 * cell - 1, false},
      {99999, 100000, std::uint64_t{24} << 30, false},  // ten billion cells in 24 GiB
      {int_max - 1, 1, plenty, true},                   // the most rows an int can count
      {int_max, 1, plenty, false},
      {0, m_max, plenty, true},
      {0, m_max + 1, plenty, false},
      {int_max - 1, m_max, plenty, false},  // 2^62 cells: their bytes would overflow
      {-1, 1, plenty, false},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(std::to_string(c.n) + " x " + std::to_string(c.m));
    EXPECT_EQ(tableau_fits(c.n, c.m, c.available), c.fits);
  }
}

}  // namespace
