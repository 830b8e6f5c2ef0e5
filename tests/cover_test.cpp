#include "cover.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design_util.h"

namespace {

TEST(find_minimal_cover, reduces_left_sides_then_drops_redundant_dependencies) {
  struct case_ {
    const char* name;
    const char* input;
    const char* cover;
    const char* steps;
  };
  const case_ cases[] = {
      {"no dependencies", "A\n\n", "", ""},
      {"unknown names: the record never applies, or loses the name", "A,B\n\nX->A\nA->B,Y\n",
       "A->B", ""},
      {"a repeated record is redundant beside the other", "A,B\n\nA->B\nA->B\n", "A->B",
       "redundant A->B: A,B"},
      {"trivial parts go first", "A,B,C\n\nA->A,B\nA,B->A,C\n", "A->B | A->C",
       "trivial A->A; trivial A,B->A; extraneous B of A,B->C: A,B,C"},
      // Silberschatz, Korth, Sudarshan, Database System Concepts 6e, section 8.4.3: the
      // canonical cover of A->BC, B->C, A->B, AB->C is A->B, B->C.
      {"Silberschatz 6e 8.4.3", "A,B,C\n\nA->B,C\nB->C\nA->B\nA,B->C\n", "A->B | B->C",
       "extraneous A of A,B->C: B,C; redundant A->B: A,B,C; redundant A->C: A,B,C; "
       "redundant B->C: B,C"},
      // Elmasri, Navathe, Fundamentals of Database Systems 7e, section 15.1, the example of
      // Algorithm 15.2: B->A, D->A, AB->D has the minimal cover B->D, D->A. Dropping redundant
      // dependencies first would keep B->A, which B->D, D->A imply once A is left out of AB->D.
      {"Elmasri-Navathe 7e 15.1", "A,B,D\n\nB->A\nD->A\nA,B->D\n", "D->A | B->D",
       "extraneous A of A,B->D: A,B,D; redundant B->A: A,B,D"},
      // Silberschatz 6e, Practice Exercise 8.1: A->BC, CD->E, B->D, E->A is its own cover.
      {"Silberschatz 6e 8.1", "A,B,C,D,E\n\nA->B,C\nC,D->E\nB->D\nE->A\n",
       "A->B | A->C | C,D->E | B->D | E->A", ""},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.name);
    const designed d = design_text(c.input);
    ASSERT_TRUE(d.design.cover.complete);
    EXPECT_EQ(d.cover(), c.cover);
    EXPECT_EQ(d.steps(d.design.cover), c.steps);
  }
}

// The input format cannot state an empty left side, but F can hold one: ->C says that C is
// constant, so C is extraneous wherever it is on a left side.
TEST(find_minimal_cover, treats_an_empty_left_side_as_a_constant) {
  const std::vector<halmaz> F = {{{}, {2}}, {{0, 2}, {3}}};
  const dependency_index d = index_dependencies(4, F);
  closure_engine engine(d);
  const minimal_cover c = find_minimal_cover(d, engine, 1'000'000);
  ASSERT_TRUE(c.complete);
  EXPECT_EQ(c.dependencies, (std::vector<fd>{{{}, 2}, {{0}, 3}}));
  ASSERT_EQ(c.steps.size(), 1u);
  EXPECT_EQ(c.steps[0].kind, cover_step_kind::extraneous);
  EXPECT_EQ(c.steps[0].attribute, 2);
  EXPECT_EQ(c.steps[0].closure, (std::vector<int>{0, 2, 3}));
}

}  // namespace
