#include "preservation.h"

#include <gtest/gtest.h>

#include "check_util.h"

namespace {

// Ullman, Principles of Database and Knowledge-Base Systems I, ch. 7: AB, BC, CD preserve D->A,
// though no scheme holds it: CD gives C, then BC gives B, then AB gives A, one round each.
TEST(check_decomposition, derives_a_preserved_dependency_round_by_round) {
  const checked c = check_text("A,B\nB,C\nC,D\n\nA->B\nB->C\nC->D\nD->A\n");
  EXPECT_EQ(c.check.preservation.preserving, true);
  const record_preservation& d_a = c.check.preservation.preserved[3];
  ASSERT_EQ(d_a.dependency, 3);
  const preservation_run& run = c.check.preservation.runs[d_a.run];
  std::string steps;
  for (int k = 0; k < d_a.steps; ++k) {
    const preservation_step& s = run.steps[k];
    steps +=
        std::to_string(s.round) + ":" + std::to_string(s.scheme) + "+" + names(c, s.added) + " ";
  }
  EXPECT_EQ(steps, "1:2+C 2:1+B 3:0+A ");
  EXPECT_EQ(names(c, closure_after(run, d_a.steps)), "A,B,C,D");
}

// Unknown names read as -1: a left side with one never applies, a right side drops it, and what
// is left empty is trivial; none of them is judged, nor is the empty record that ends the block.
TEST(check_decomposition, judges_only_records_that_apply) {
  const checked c = check_text("A,B\nB,C\n\nA->B\nX->C\nB->X\nB->C,X\n");
  EXPECT_EQ(records(c, c.check.preservation.preserved), "0 3");
  EXPECT_EQ(records(c, c.check.preservation.lost), "");
  EXPECT_EQ(names(c, c.check.keys.keys), "A");
}

// A chain of 5,000 schemes {Ai, Ai+1} under Ai->Ai+1 or Ai+1->Ai costs work linear in its length:
// a closure that cannot reach an attribute of its target neither waits for it nor follows the
// attributes that lead elsewhere. Without that the chain takes quadratic work, far beyond these
// budgets.
TEST(check_decomposition, decides_a_long_chain_in_linear_work) {
  const int n = 5000;
  check_budget small;
  small.single_closures = 0;
  small.preservation = small.keys = small.normal_forms = small.scheme = small.redundancy =
      3'000'000;
  for (const bool forward : {true, false}) {
    SCOPED_TRACE(forward ? "Ai->Ai+1" : "Ai+1->Ai");
    std::vector<std::vector<int>> schemes;
    std::vector<halmaz> F;
    for (int i = 0; i < n; ++i) {
      schemes.push_back({i, i + 1});
      F.push_back(forward ? halmaz{{i}, {i + 1}} : halmaz{{i + 1}, {i}});
    }
    const decomposition_check check = check_decomposition(n + 1, schemes, F, true, small);
    EXPECT_TRUE(check.complete);
    EXPECT_EQ(check.preservation.preserving, true);
    EXPECT_EQ(check.keys.keys, (std::vector<std::vector<int>>{{forward ? 0 : n}}));
    EXPECT_EQ(check.schemes[n / 2].form, normal_form::boyce_codd);
  }
}

}  // namespace
