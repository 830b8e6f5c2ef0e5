#include "synthesis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design_util.h"

namespace {

// Forms as names: "BCNF 3NF".
std::string forms(const design_check& c) {
  std::string text;
  for (normal_form f : c.forms) {
    text += text.empty() ? "" : " ";
    text += f == normal_form::boyce_codd ? "BCNF" : f == normal_form::third ? "3NF" : "below 3NF";
  }
  return text;
}

// Each result is judged by the chase and the check: lossless, preserving, every scheme 3NF.
TEST(synthesize_3nf, makes_the_textbook_schemes_and_the_check_confirms_them) {
  struct case_ {
    const char* name;
    const char* input;
    const char* schemes;
    const char* steps;
    const char* forms;
  };
  const case_ cases[] = {
      {"no dependencies: R is its own key", "A,B\n\n", "A,B", "key A,B: A,B", "BCNF"},
      // Silberschatz, Korth, Sudarshan, Database System Concepts 6e, section 8.5.2:
      // cust_banker_branch gives (customer_id, employee_id, type) and (customer_id,
      // branch_name, employee_id); (employee_id, branch_name) lies in the latter.
      {"Silberschatz 6e 8.5.2",
       "customer_id,employee_id,branch_name,type\n\ncustomer_id,employee_id->branch_name,type\n"
       "employee_id->branch_name\ncustomer_id,branch_name->employee_id\n",
       "customer_id,employee_id,type | branch_name,customer_id,employee_id",
       "scheme customer_id,employee_id,type from 0; scheme branch_name,employee_id from 1; "
       "scheme branch_name,customer_id,employee_id from 2; "
       "contained branch_name,employee_id in branch_name,customer_id,employee_id",
       "BCNF 3NF"},
      // Garcia-Molina, Ullman, Widom, Database Systems 2e, Example 3.27: AB->C, C->B, A->D
      // give ABC and AD (BC lies in ABC), and a key: ABE or ACE; key_inside takes B before C.
      {"GUW 2e Example 3.27", "A,B,C,D,E\n\nA,B->C\nC->B\nA->D\n", "A,B,C | A,D | A,B,E",
       "scheme A,B,C from 0; scheme B,C from 1; scheme A,D from 2; contained B,C in A,B,C; "
       "key A,B,E: A,B,C,D,E",
       "3NF BCNF BCNF"},
      // Elmasri, Navathe, Fundamentals of Database Systems 7e, the example of Algorithm 15.4:
      // FD3 reduces to FD1 and FD2, and the key {Emp_ssn, Pno} becomes the third scheme.
      {"Elmasri-Navathe 7e Algorithm 15.4",
       "Emp_ssn,Pno,Esal,Ephone,Dno,Pname,Plocation\n\nEmp_ssn->Esal,Ephone,Dno\n"
       "Pno->Pname,Plocation\nEmp_ssn,Pno->Esal,Ephone,Dno,Pname,Plocation\n",
       "Dno,Emp_ssn,Ephone,Esal | Plocation,Pname,Pno | Emp_ssn,Pno",
       "scheme Dno,Emp_ssn,Ephone,Esal from 0,1,2; scheme Plocation,Pname,Pno from 3,4; "
       "key Emp_ssn,Pno: Dno,Emp_ssn,Ephone,Esal,Plocation,Pname,Pno",
       "BCNF BCNF BCNF"},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.name);
    const designed d = design_text(c.input);
    ASSERT_TRUE(d.design.synthesis.complete);
    EXPECT_EQ(d.names(d.design.synthesis.schemes), c.schemes);
    EXPECT_EQ(d.steps(d.design.synthesis), c.steps);
    ASSERT_TRUE(d.design.synthesis_check);
    EXPECT_EQ(d.design.synthesis_check->lossless, true);
    EXPECT_EQ(d.design.synthesis_check->preserving, true);
    EXPECT_EQ(forms(*d.design.synthesis_check), c.forms);
  }
}

// The cover of the Elmasri-Navathe example, on which the synthesis above rests: FD3's attributes
// each come from one side of it, and FD1 and FD2 are then redundant beside what is left of FD3.
TEST(synthesize_3nf, rests_on_the_cover_of_elmasri_navathe_15_4) {
  const designed d = design_text(
      "Emp_ssn,Pno,Esal,Ephone,Dno,Pname,Plocation\n\nEmp_ssn->Esal,Ephone,Dno\n"
      "Pno->Pname,Plocation\nEmp_ssn,Pno->Esal,Ephone,Dno,Pname,Plocation\n");
  EXPECT_EQ(d.cover(),
            "Emp_ssn->Dno | Emp_ssn->Ephone | Emp_ssn->Esal | Pno->Plocation | Pno->Pname");
}

// A constant (->C) makes a scheme of its own; A,B holds a key, since C comes free.
TEST(synthesize_3nf, gives_a_constant_its_own_scheme) {
  const design_result r = design_decomposition(3, {{{}, {2}}, {{0}, {1}}});
  ASSERT_TRUE(r.synthesis.complete);
  EXPECT_EQ(r.synthesis.schemes, (std::vector<std::vector<int>>{{2}, {0, 1}}));
  ASSERT_TRUE(r.synthesis_check);
  EXPECT_EQ(r.synthesis_check->lossless, true);
}

}  // namespace
