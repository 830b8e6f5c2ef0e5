#include "cover.h"

#include <gtest/gtest.h>

#include "design_util.h"

namespace {

// The steps, with their closures, are checked against the definitions on random inputs and
// worked out by hand in the end-to-end cases (Silberschatz's canonical cover among them).
TEST(find_minimal_cover, reduces_left_sides_then_drops_redundant_dependencies) {
  struct case_ {
    const char* input;
    const char* cover;
  };
  const case_ cases[] = {
      // Elmasri, Navathe, Fundamentals of Database Systems 7e, section 15.1, the example of
      // Algorithm 15.2: the minimal cover of B->A, D->A, AB->D is B->D, D->A. Dropping
      // redundant dependencies first would keep B->A, which is redundant once A leaves AB->D.
      {"A,B,D\n\nB->A\nD->A\nA,B->D\n", "D->A | B->D"},
      // Silberschatz, Korth, Sudarshan, Database System Concepts 6e, Practice Exercise 8.1:
      // A->BC, CD->E, B->D, E->A is its own cover.
      {"A,B,C,D,E\n\nA->B,C\nC,D->E\nB->D\nE->A\n", "A->B | A->C | C,D->E | B->D | E->A"},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.input);
    const designed d = design_text(c.input);
    EXPECT_EQ(d.cover(), c.cover);
  }
}

}  // namespace
