#include "synthesis.h"

#include <gtest/gtest.h>

#include <string>

#include "check_util.h"
#include "design_util.h"

namespace {

// Each result as the chase and the check judge it: lossless, preserving, every scheme 3NF. The
// steps are among the end-to-end cases (GUW's Example 3.27 and its key scheme) and checked against
// the definitions on random inputs.
TEST(synthesize_3nf, makes_the_textbook_schemes_and_the_check_confirms_them) {
  struct case_ {
    const char* input;
    const char* schemes;
    const char* forms;
  };
  const case_ cases[] = {
      // Silberschatz, Korth, Sudarshan, Database System Concepts 6e, section 8.5.2:
      // cust_banker_branch gives (customer_id, employee_id, type) and (customer_id,
      // branch_name, employee_id), which holds (employee_id, branch_name).
      {"customer_id,employee_id,branch_name,type\n\ncustomer_id,employee_id->branch_name,type\n"
       "employee_id->branch_name\ncustomer_id,branch_name->employee_id\n",
       "customer_id,employee_id,type | branch_name,customer_id,employee_id", "BCNF 3NF "},
      // Elmasri, Navathe, Fundamentals of Database Systems 7e, the example of Algorithm 15.4:
      // FD3 reduces to FD1 and FD2, and the key {Emp_ssn, Pno} is added.
      {"Emp_ssn,Pno,Esal,Ephone,Dno,Pname,Plocation\n\nEmp_ssn->Esal,Ephone,Dno\n"
       "Pno->Pname,Plocation\nEmp_ssn,Pno->Esal,Ephone,Dno,Pname,Plocation\n",
       "Dno,Emp_ssn,Ephone,Esal | Plocation,Pname,Pno | Emp_ssn,Pno", "BCNF BCNF BCNF "},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.schemes);
    const designed d = design_text(c.input);
    EXPECT_EQ(d.names(d.design.synthesis.schemes), c.schemes);
    ASSERT_TRUE(d.design.synthesis_check);
    EXPECT_EQ(d.design.synthesis_check->lossless, true);
    EXPECT_EQ(d.design.synthesis_check->preserving, true);
    std::string forms;
    for (normal_form f : d.design.synthesis_check->forms) forms += std::string(form_name(f)) + " ";
    EXPECT_EQ(forms, c.forms);
  }
}

}  // namespace
