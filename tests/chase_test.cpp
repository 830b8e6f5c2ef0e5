#include "chase.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "literal_chase.h"
#include "tableau.h"
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

TEST(chase, starts_from_equal_texts_as_one_class) {
  // Row 1's "2" is row 2's own number, and "7" names no row: equal texts are one symbol.
  EXPECT_EQ(chased("A B|2 0|2 1|0 0", {{{1}, {0}}}), "A B|0 0|0 1|0 0");
  EXPECT_EQ(chased("A B|7 0|7 1|0 0", {{{1}, {0}}}), "A B|0 0|0 1|0 0");
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

// The chase must leave exactly the tableau that the plain pass-by-pass chase leaves.
namespace differential {

struct shape {
  const char* name;
  int cases;
  int max_schemes;
  int attributes;  // schemes and dependencies draw from A0 to A<attributes>, and ""
  int max_scheme_size;
  int max_dependencies;
  int max_left;
};

// Random input text: duplicates, unknown names, empty sides and empty names all occur.
std::string random_input(std::mt19937& random, const shape& s) {
  auto below = [&](int bound) { return static_cast<int>(random() % bound); };
  // Names from A0 up, a few beyond the schemes' range, and the empty name.
  auto names = [&](int count) {
    std::string list;
    for (int k = 0; k < count; ++k) {
      const int a = below(s.attributes + 2);
      list += (k > 0 ? "," : "") + (a == 0 ? std::string() : "A" + std::to_string(a - 1));
    }
    return list;
  };
  std::string text;
  for (int k = 1 + below(s.max_schemes); k > 0; --k) {
    const std::string scheme = names(1 + below(s.max_scheme_size));
    text += (scheme.empty() ? "," : scheme) + "\n";  // an empty line would end the block
  }
  text += '\n';
  for (int d = below(s.max_dependencies + 1); d > 0; --d) {
    text += names(below(s.max_left + 1)) + "->" + names(below(3)) + "\n";
  }
  return text;
}

TEST(chase, matches_the_plain_chase_on_random_tableaux) {
  const shape shapes[] = {
      {"small", 2000, 6, 5, 3, 6, 3},
      {"rows_over_few_attributes", 600, 40, 4, 2, 30, 2},
      {"many_dependencies", 300, 15, 8, 3, 60, 3},
      {"long_left_sides", 400, 30, 5, 2, 25, 3},
  };
  std::mt19937 random(20261208);
  for (const shape& s : shapes) {
    for (int n = 0; n < s.cases; ++n) {
      const std::string text = random_input(random, s);
      SCOPED_TRACE(std::string(s.name) + ":\n" + text);
      auto [fast, F] = parse_input(text);
      // Every other case starts from a partly chased tableau, whose symbols are no longer each
      // row's own number.
      if (n % 2 == 1 && fast.get_x() > 2 && fast.get_y() > 0) {
        for (int k = 0; k < 3; ++k) {
          const int i = 1 + static_cast<int>(random() % (fast.get_x() - 1));
          const int j = 1 + static_cast<int>(random() % (fast.get_x() - 1));
          equate(i, j, fast, {static_cast<int>(random() % fast.get_y())});
        }
      }
      matrix plain = fast;
      chase(fast, F);
      literal_chase(plain, F);
      ASSERT_EQ(dump(fast), dump(plain));
    }
  }
}

}  // namespace differential
