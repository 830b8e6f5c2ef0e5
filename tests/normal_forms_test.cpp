#include "normal_forms.h"

#include <gtest/gtest.h>

#include "check_util.h"

namespace {

struct form_case {
  const char* source;
  const char* input;
  const char* keys;
  const char* verdict;
};

// Single schemes worked by hand from the definitions.
TEST(check_decomposition, decides_the_normal_forms_of_textbook_schemes) {
  const form_case cases[] = {
      // Garcia-Molina, Ullman, Widom, Database Systems 2e, Exercise 3.3.1 (a) to (f).
      {"GUW 3.3.1 a", "A,B,C,D\n\nA,B->C\nC->D\nD->A\n", "A,B | B,C | B,D", "3NF C->A"},
      {"GUW 3.3.1 b", "A,B,C,D\n\nB->C\nB->D\n", "A,B", "1NF B->C in A,B"},
      {"GUW 3.3.1 c", "A,B,C,D\n\nA,B->C\nB,C->D\nC,D->A\nA,D->B\n", "A,B | A,D | B,C | C,D",
       "BCNF"},
      {"GUW 3.3.1 d", "A,B,C,D\n\nA->B\nB->C\nC->D\nD->A\n", "A | B | C | D", "BCNF"},
      {"GUW 3.3.1 e", "A,B,C,D,E\n\nA,B->C\nD,E->C\nB->D\n", "A,B,E", "1NF B,E->C in A,B,E"},
      {"GUW 3.3.1 f", "A,B,C,D,E\n\nA,B->C\nC->D\nD->B\nD->E\n", "A,B | A,C | A,D",
       "1NF C->E in A,C"},
      // Elmasri, Navathe, Fundamentals of Database Systems: EMP_PROJ has partial dependencies,
      // EMP_DEPT a transitive one.
      {"Elmasri EMP_PROJ",
       "Ssn,Pnumber,Hours,Ename,Pname,Plocation\n\nSsn,Pnumber->Hours\nSsn->Ename\n"
       "Pnumber->Pname,Plocation\n",
       "Pnumber,Ssn", "1NF Ssn->Ename in Pnumber,Ssn"},
      {"Elmasri EMP_DEPT",
       "Ename,Ssn,Bdate,Address,Dnumber,Dname,Dmgr_ssn\n\nSsn->Ename,Bdate,Address,Dnumber\n"
       "Dnumber->Dname,Dmgr_ssn\n",
       "Ssn", "2NF Dnumber->Dmgr_ssn"},
      // Silberschatz, Korth, Sudarshan, Database System Concepts 6e, section 8.3.4.
      {"Silberschatz dept_advisor",
       "s_ID,i_ID,dept_name\n\ni_ID->dept_name\ns_ID,dept_name->i_ID\n",
       "dept_name,s_ID | i_ID,s_ID", "3NF i_ID->dept_name"},
      // The scheme that a web normalizer calls 2NF: A,E is a proper subset of the key
      // A,E,F and gives the non-prime C.
      {"issue 17", "A,C,D,E,F\n\nA,D->C\nA,E->D\nD,F->A\n", "A,E,F | D,E,F", "1NF A,E->C in A,E,F"},
      // C is in no dependency: every key holds it, so A->B is partial.
      {"attribute outside F", "A,B,C\n\nA->B\n", "A,C", "1NF A->B in A,C"},
  };
  for (const form_case& t : cases) {
    SCOPED_TRACE(t.source);
    const checked c = check_text(t.input);
    ASSERT_EQ(c.check.schemes.size(), 1u);
    EXPECT_EQ(names(c, c.check.schemes[0].keys), t.keys);
    EXPECT_TRUE(c.check.schemes[0].keys_complete);
    EXPECT_EQ(verdict(c, c.check.schemes[0]), t.verdict);
    EXPECT_TRUE(c.check.complete);
  }
}

// The scheme A,C,D of a decomposition of R(A,B,C,D) under A->B, B->C: A->C holds in it, though
// F states no such dependency, and breaks 2NF.
TEST(check_decomposition, finds_a_witness_that_f_does_not_state) {
  const checked c = check_text("A,C,D\nA,B\n\nA->B\nB->C\n");
  EXPECT_EQ(verdict(c, c.check.schemes[0]), "1NF A->C in A,D");
  EXPECT_EQ(verdict(c, c.check.schemes[1]), "BCNF");
  EXPECT_EQ(records(c, c.check.preservation.lost), "1:C");
}

// Ai->Xi, Bi->Xi, X1..X4->C: on the scheme A1..B4,C the projection of F needs 2^4 dependencies,
// one per choice of Ai or Bi. The keys hold all of A1..B4; one choice per pair gives C.
TEST(check_decomposition, judges_a_scheme_whose_projection_is_exponential) {
  const checked c = check_text(
      "A1,B1,A2,B2,A3,B3,A4,B4,C\nA1,X1\nB1,X1\nA2,X2\nB2,X2\nA3,X3\nB3,X3\nA4,X4\nB4,X4\n"
      "X1,X2,X3,X4,C\n\nA1->X1\nB1->X1\nA2->X2\nB2->X2\nA3->X3\nB3->X3\nA4->X4\nB4->X4\n"
      "X1,X2,X3,X4->C\n");
  EXPECT_EQ(verdict(c, c.check.schemes[0]), "1NF A2,A3,A4,B1->C in A1,A2,A3,A4,B1,B2,B3,B4");
}

}  // namespace
