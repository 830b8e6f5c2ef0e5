#include "repair.h"

#include <gtest/gtest.h>

#include "check_util.h"

namespace {

TEST(check_decomposition, repairs_a_lossy_decomposition) {
  struct repair_case {
    const char* why;
    const char* input;
    const char* add;
    std::vector<int> from;
  };
  const repair_case cases[] = {
      // This project's examples/lossy.txt: preserving, so a key of R is enough.
      {"preserving", "A,B\nB,C\nC,D\n\nA->B\nC->D\n", "A,C", {-1}},
      // The lost A->E becomes a scheme, which makes the join lossless.
      {"lost dependency", "A\nE\n\nA->E\n", "A,E", {0}},
      // B,C preserves B->C, but no scheme holds the key A,D yet.
      {"lost dependency and key", "A,B\nC,D\n\nA->B\nB->C\n", "B,C | A,D", {1, -1}},
  };
  for (const repair_case& t : cases) {
    SCOPED_TRACE(t.why);
    const checked c = check_text(t.input);
    EXPECT_FALSE(c.lossless);
    ASSERT_TRUE(c.check.repair);
    EXPECT_EQ(names(c, c.check.repair->add), t.add);
    EXPECT_EQ(c.check.repair->from, t.from);
    EXPECT_TRUE(c.check.repair->lossless);
    EXPECT_TRUE(c.check.repair->preserving);
  }
}

TEST(check_decomposition, names_schemes_inside_another) {
  EXPECT_EQ(check_text("A,B\nA,B,C\nA,B\nB\n\n").check.redundant, (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(check_text("A,B\nB,A\nB,C\n\n").check.redundant, (std::vector<int>{1}));
  EXPECT_EQ(check_text("A,B\nB,C\n\n").check.redundant, (std::vector<int>{}));
}

}  // namespace
