#include "bcnf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design_util.h"

namespace {

// Each result is judged by the chase and the check: lossless, every scheme BCNF, and the records
// of F that it loses.
TEST(decompose_bcnf, splits_the_textbook_schemes_on_violations_found_by_closures) {
  struct case_ {
    const char* name;
    const char* input;
    const char* schemes;
    const char* steps;
    std::vector<int> lost;
  };
  const case_ cases[] = {
      {"no dependencies", "A,B\n\n", "A,B", "", {}},
      // Garcia-Molina, Ullman, Widom, Database Systems 2e, Example 3.21: MovieStudio splits on
      // studioName->president, presAddr, and the first part again on president->presAddr.
      {"GUW 2e Example 3.21",
       "title,year,studioName,president,presAddr\n\ntitle,year->studioName\n"
       "studioName->president\npresident->presAddr\n",
       "presAddr,president | president,studioName | studioName,title,year",
       "presAddr,president,studioName,title,year on studioName->presAddr,president "
       "(presAddr,president,studioName) into presAddr,president,studioName | "
       "studioName,title,year; presAddr,president,studioName on president->presAddr "
       "(presAddr,president) into presAddr,president | president,studioName",
       {}},
      // Silberschatz, Korth, Sudarshan, Database System Concepts 6e, section 8.5.1 (the BCNF
      // decomposition algorithm): class becomes course, classroom and section.
      {"Silberschatz 6e 8.5.1",
       "course_id,title,dept_name,credits,sec_id,semester,year,building,room_number,capacity,"
       "time_slot_id\n\ncourse_id->title,dept_name,credits\nbuilding,room_number->capacity\n"
       "course_id,sec_id,semester,year->building,room_number,time_slot_id\n",
       "course_id,credits,dept_name,title | building,capacity,room_number | "
       "building,course_id,room_number,sec_id,semester,time_slot_id,year",
       "building,capacity,course_id,credits,dept_name,room_number,sec_id,semester,time_slot_id,"
       "title,year on course_id->credits,dept_name,title (course_id,credits,dept_name,title) "
       "into course_id,credits,dept_name,title | building,capacity,course_id,room_number,sec_id,"
       "semester,time_slot_id,year; building,capacity,course_id,room_number,sec_id,semester,"
       "time_slot_id,year on building,room_number->capacity (building,capacity,room_number) into "
       "building,capacity,room_number | building,course_id,room_number,sec_id,semester,"
       "time_slot_id,year",
       {}},
      // Silberschatz 6e, section 8.3.4: dept_advisor has no preserving BCNF decomposition.
      {"Silberschatz 6e 8.3.4",
       "s_ID,i_ID,dept_name\n\ni_ID->dept_name\ns_ID,dept_name->i_ID\n",
       "dept_name,i_ID | i_ID,s_ID",
       "dept_name,i_ID,s_ID on i_ID->dept_name (dept_name,i_ID) into dept_name,i_ID | i_ID,s_ID",
       {1}},
      // No dependency lies inside ACDE, yet AD->C holds there through B: only a closure over F
      // sees it, here by the pair (C, E).
      {"a violation through an attribute outside the scheme",
       "A,B,C,D,E\n\nA->B\nB,D->C\n",
       "A,B | A,C,D | A,D,E",
       "A,B,C,D,E on A->B (A,B) into A,B | A,C,D,E; A,C,D,E on A,D->C (A,B,C,D) into A,C,D | "
       "A,D,E",
       {1}},
      // In ACDEW every pair that the pair test finds has both attributes determined by the rest
      // (C and E by ADW, C and W by ADE), so only the test by the definitions finds AD->C.
      {"an inconclusive pair test",
       "A,B,C,D,E,W\n\nA->B\nB,D->C\nA,D,W->E\nA,D,E->W\n",
       "A,B | A,C,D | A,D,E,W",
       "A,B,C,D,E,W on A->B (A,B) into A,B | A,C,D,E,W; A,C,D,E,W on A,D->C (A,B,C,D) into "
       "A,C,D | A,D,E,W",
       {1}},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.name);
    const designed d = design_text(c.input);
    ASSERT_TRUE(d.design.bcnf.complete);
    EXPECT_EQ(d.names(d.design.bcnf.schemes), c.schemes);
    EXPECT_EQ(d.steps(d.design.bcnf), c.steps);
    ASSERT_TRUE(d.design.bcnf_check);
    EXPECT_EQ(d.design.bcnf_check->lossless, true);
    EXPECT_EQ(d.design.bcnf_check->lost, c.lost);
    for (normal_form f : d.design.bcnf_check->forms) EXPECT_EQ(f, normal_form::boyce_codd);
  }
}

// With ->C, the empty set determines C but not A: {A, C} is not BCNF, whatever its size.
TEST(decompose_bcnf, splits_off_a_constant_even_from_two_attributes) {
  const design_result r = design_decomposition(2, {{{}, {1}}});
  ASSERT_TRUE(r.bcnf.complete);
  EXPECT_EQ(r.bcnf.schemes, (std::vector<std::vector<int>>{{1}, {0}}));
  ASSERT_EQ(r.bcnf.steps.size(), 1u);
  EXPECT_EQ(r.bcnf.steps[0].left, std::vector<int>{});
  EXPECT_EQ(r.bcnf.steps[0].closure, std::vector<int>{1});
  EXPECT_EQ(r.bcnf_check->lossless, true);
}

}  // namespace
