#include "chase.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

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
  EXPECT_EQ(distinguished_rows(from_dump("A B|0 0|1 0|0 0")), (std::vector<int>{1, 3}));
  EXPECT_EQ(verdict(from_dump("A B C|0 0 0|2 0 0")), "vesztesegmentes");
  EXPECT_EQ(verdict(from_dump("A B C|0 0 1|2 0 0")), "nem vesztesegmentes");
  EXPECT_EQ(verdict(from_dump("A B|0 0|0 0")), "vesztesegmentes");
  EXPECT_EQ(verdict(from_dump("0 0")), "nem vesztesegmentes");  // header only
  EXPECT_EQ(verdict(matrix(1, 0)), "nem vesztesegmentes");
}

// Worked by hand: A3->A4 fires for rows 2 and 3, A2->A3 for rows 1 and 2, and only the second pass
// can let A3->A4 fire for rows 1 and 2.
TEST(record_steps, records_each_changed_column_of_the_plain_chase) {
  auto [m, F] = parse_input("A1,A2\nA2,A3\nA3,A4\n\nA3->A4\nA2->A3\nA1->A2\n");
  const matrix initial = m;
  const step_record record = record_steps(m, F, unlimited_work);
  EXPECT_TRUE(record.complete);
  auto text = [](const step& s) {
    std::string cells;
    for (int r : s.cells) cells += " " + std::to_string(r);
    return std::to_string(s.pass) + " " + std::to_string(s.dependency) + " " + std::to_string(s.i) +
           "," + std::to_string(s.j) + " " + std::to_string(s.column) + " " + s.from + ">" + s.to +
           cells;
  };
  std::vector<std::string> steps;
  for (const step& s : record.steps) steps.push_back(text(s));
  EXPECT_EQ(steps,
            (std::vector<std::string>{"1 0 2,3 3 2>0 2", "1 1 1,2 2 1>0 1", "2 0 1,2 3 1>0 1"}));
  EXPECT_EQ(dump(m), "A1 A2 A3 A4|0 0 0 0|2 0 0 0|3 3 0 0");

  // A budget that runs out keeps the steps made so far, each of them whole.
  matrix cut = initial;
  const step_record partial = record_steps(cut, F, 12);
  EXPECT_FALSE(partial.complete);
  ASSERT_EQ(partial.steps.size(), 1u);
  EXPECT_EQ(text(partial.steps[0]), steps[0]);
  EXPECT_EQ(dump(cut), "A1 A2 A3 A4|0 0 1 1|2 0 0 0|3 3 0 0");
}

// The lossy example of the README: the projections of the chased tableau join to the row of zeros.
TEST(make_counterexample, projects_the_chased_tableau_onto_each_scheme) {
  auto [m, F] = parse_input("A,B\nB,C\nC,D\n\nA->B\nC->D\n");
  const matrix initial = m;
  chase(m, F);
  EXPECT_EQ(dump(m), "A B C D|0 0 1 1|2 0 0 0|3 3 0 0");
  EXPECT_TRUE(distinguished_rows(m).empty());
  const counterexample proof = make_counterexample(initial, m);
  EXPECT_EQ(proof.columns, (std::vector<std::vector<int>>{{0, 1}, {1, 2}, {2, 3}}));
  // C D of rows 2 and 3 are both "0 0": one tuple.
  EXPECT_EQ(proof.tuples, (std::vector<std::vector<int>>{{1, 2, 3}, {1, 2, 3}, {1, 2}}));
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
      record_steps(plain, F, unlimited_work);
      ASSERT_EQ(dump(fast), dump(plain));
    }
  }
}

}  // namespace differential
