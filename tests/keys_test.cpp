#include "keys.h"

#include <gtest/gtest.h>

#include "check_util.h"

namespace {

TEST(check_decomposition, lists_every_key_of_pairs) {
  const checked c =
      check_text("A1,B1,A2,B2,A3,B3\n\nA1->B1\nB1->A1\nA2->B2\nB2->A2\nA3->B3\nB3->A3\n");
  EXPECT_EQ(
      names(c, c.check.keys.keys),
      "A1,A2,A3 | A1,A2,B3 | A1,A3,B2 | A1,B2,B3 | A2,A3,B1 | A2,B1,B3 | A3,B1,B2 | B1,B2,B3");
  EXPECT_EQ(c.check.keys.derivations.size(), 8u);
  // B1 is no superkey, but every attribute is prime.
  EXPECT_EQ(verdict(c, c.check.schemes[0]), "3NF B1->A1");
}

// A record with an empty left side, which no input line gives (an arrow at the start of a line
// reads the empty name): A is in the closure of the empty set, so in no key, and the empty set
// is a proper subset of the key B.
TEST(check_decomposition, takes_an_empty_left_side_as_always_true) {
  const decomposition_check check = check_decomposition(2, {{0, 1}}, {{{}, {0}}}, true);
  EXPECT_EQ(check.keys.keys, (std::vector<std::vector<int>>{{1}}));
  const scheme_check& s = check.schemes[0];
  EXPECT_EQ(s.form, normal_form::first);
  EXPECT_EQ(s.witness.left, std::vector<int>{});
  EXPECT_EQ(s.witness.right, 0);
  EXPECT_EQ(s.witness.key, std::vector<int>{1});
}

}  // namespace
