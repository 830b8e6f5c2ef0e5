// Design mode, in-process, on the shapes it must handle quickly:
// - 25 textbook exercises, each as the whole --design run (read, chase, design, check the two
//   decompositions, write the object);
// - 1,000 attributes under 1,000 random dependencies with 1 to 3 attributes on the left and 1 or 2
//   on the right: the whole run, and the cover and the synthesis alone (no BCNF budget);
// - 60 attributes under 60 such dependencies, three seeds: the whole run.
// Run with --benchmark_repetitions=5 --benchmark_report_aggregates_only=true for medians.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "json.h"
#include "random_source.h"
#include "run.h"
#include "test_util.h"

namespace {

// Scheme block (R), empty line, dependency block, as the tool reads them.
const std::pair<const char*, const char*> exercises[] = {
    // Silberschatz, Korth, Sudarshan, Database System Concepts 6e: the canonical cover of
    // section 8.4.3, Practice Exercise 8.1, R(A,B,C,G,H,I) of section 8.4, inst_dept, class of
    // section 8.5.1, cust_banker_branch of section 8.5.2, dept_advisor of section 8.3.4.
    {"silberschatz_8_4_3", "A,B,C\n\nA->B,C\nB->C\nA->B\nA,B->C\n"},
    {"silberschatz_8_1", "A,B,C,D,E\n\nA->B,C\nC,D->E\nB->D\nE->A\n"},
    {"silberschatz_abcghi", "A,B,C,G,H,I\n\nA->B\nA->C\nC,G->H\nC,G->I\nB->H\n"},
    {"silberschatz_inst_dept",
     "ID,name,salary,dept_name,building,budget\n\nID->name,salary,dept_name\n"
     "dept_name->building,budget\n"},
    {"silberschatz_class",
     "course_id,title,dept_name,credits,sec_id,semester,year,building,room_number,capacity,"
     "time_slot_id\n\ncourse_id->title,dept_name,credits\nbuilding,room_number->capacity\n"
     "course_id,sec_id,semester,year->building,room_number,time_slot_id\n"},
    {"silberschatz_cust_banker_branch",
     "customer_id,employee_id,branch_name,type\n\ncustomer_id,employee_id->branch_name,type\n"
     "employee_id->branch_name\ncustomer_id,branch_name->employee_id\n"},
    {"silberschatz_dept_advisor", "s_ID,i_ID,dept_name\n\ni_ID->dept_name\ns_ID,dept_name->i_ID\n"},
    // Garcia-Molina, Ullman, Widom, Database Systems 2e: Exercise 3.3.1 (a) to (f), Examples
    // 3.20 (Movies1), 3.21 (MovieStudio) and 3.27.
    {"guw_3_3_1_a", "A,B,C,D\n\nA,B->C\nC->D\nD->A\n"},
    {"guw_3_3_1_b", "A,B,C,D\n\nB->C\nB->D\n"},
    {"guw_3_3_1_c", "A,B,C,D\n\nA,B->C\nB,C->D\nC,D->A\nA,D->B\n"},
    {"guw_3_3_1_d", "A,B,C,D\n\nA->B\nB->C\nC->D\nD->A\n"},
    {"guw_3_3_1_e", "A,B,C,D,E\n\nA,B->C\nD,E->C\nB->D\n"},
    {"guw_3_3_1_f", "A,B,C,D,E\n\nA,B->C\nC->D\nD->B\nD->E\n"},
    {"guw_example_3_20",
     "title,year,length,genre,studioName,starName\n\ntitle,year->length,genre,studioName\n"},
    {"guw_example_3_21",
     "title,year,studioName,president,presAddr\n\ntitle,year->studioName\n"
     "studioName->president\npresident->presAddr\n"},
    {"guw_example_3_27", "A,B,C,D,E\n\nA,B->C\nC->B\nA->D\n"},
    // Elmasri, Navathe, Fundamentals of Database Systems 7e: the minimal cover of section 15.1,
    // the synthesis of Algorithm 15.4, EMP_PROJ, EMP_DEPT, LOTS and TEACH of chapter 14.
    {"elmasri_minimal_cover", "A,B,D\n\nB->A\nD->A\nA,B->D\n"},
    {"elmasri_synthesis",
     "Emp_ssn,Pno,Esal,Ephone,Dno,Pname,Plocation\n\nEmp_ssn->Esal,Ephone,Dno\n"
     "Pno->Pname,Plocation\nEmp_ssn,Pno->Esal,Ephone,Dno,Pname,Plocation\n"},
    {"elmasri_emp_proj",
     "Ssn,Pnumber,Hours,Ename,Pname,Plocation\n\nSsn,Pnumber->Hours\nSsn->Ename\n"
     "Pnumber->Pname,Plocation\n"},
    {"elmasri_emp_dept",
     "Ename,Ssn,Bdate,Address,Dnumber,Dname,Dmgr_ssn\n\nSsn->Ename,Bdate,Address,Dnumber\n"
     "Dnumber->Dname,Dmgr_ssn\n"},
    {"elmasri_lots",
     "Property_id,County,Lot,Area,Price,Tax_rate\n\n"
     "Property_id->County,Lot,Area,Price,Tax_rate\nCounty,Lot->Property_id,Area,Price,Tax_rate\n"
     "County->Tax_rate\nArea->Price\n"},
    {"elmasri_teach",
     "Student,Course,Instructor\n\nStudent,Course->Instructor\nInstructor->Course\n"},
    // Date, An Introduction to Database Systems: the suppliers relation.
    {"date_suppliers", "S,SNAME,STATUS,CITY\n\nS->SNAME,STATUS,CITY\nCITY->STATUS\n"},
    // Ullman, Principles of Database and Knowledge-Base Systems I, ch. 7: the cycle.
    {"ullman_cycle", "A,B,C,D\n\nA->B\nB->C\nC->D\nD->A\n"},
    // The scheme that a web normalizer calls 2NF.
    {"acdef", "A,C,D,E,F\n\nA,D->C\nA,E->D\nD,F->A\n"},
};

// The whole --design run on the input's text: read, chase, design, check, write.
std::string design_run(const std::string& text, const design_budget& budget = {}) {
  const run_result r = run_designed(text, budget);
  std::ostringstream out;
  write_design_json(out, r.attr, r.F, *r.design);
  return out.str();
}

// The run of the random shapes, with counters saying which parts were complete: all of them, or
// the cover and the synthesis with their checks.
void random_run(benchmark::State& state, const std::string& text, const design_budget& budget) {
  for (auto _ : state) benchmark::DoNotOptimize(design_run(text, budget));
  const design_result r = *run_designed(text, budget).design;
  state.counters["complete"] = r.complete;
  state.counters["cover_synthesis_complete"] =
      r.cover.complete && r.synthesis.complete && r.synthesis_check->complete();
}

void exercise(benchmark::State& state, const char* text) {
  for (auto _ : state) benchmark::DoNotOptimize(design_run(text));
}

const bool registered = [] {
  for (const auto& [name, text] : exercises) {
    benchmark::RegisterBenchmark((std::string("textbook/") + name).c_str(), exercise, text)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

// R of m attributes A1..Am on one scheme line, and f random dependencies with 1 to 3 attributes
// on the left and 1 or 2 on the right.
std::string random_input(int m, int f, std::uint64_t seed) {
  random_source random(seed);
  std::ostringstream text;
  for (int a = 1; a <= m; ++a) text << (a > 1 ? "," : "") << 'A' << a;
  text << "\n\n";
  for (int k = 0; k < f; ++k) {
    for (int l = 1 + random.below(3), i = 0; i < l; ++i) {
      text << (i > 0 ? "," : "") << 'A' << 1 + random.below(m);
    }
    text << "->";
    for (int r = 1 + random.below(2), i = 0; i < r; ++i) {
      text << (i > 0 ? "," : "") << 'A' << 1 + random.below(m);
    }
    text << '\n';
  }
  return text.str();
}

void random_1000(benchmark::State& state) {
  random_run(state, random_input(1000, 1000, 0x9e3779b97f4a7c15u), {});
}
BENCHMARK(random_1000)->Unit(benchmark::kMillisecond);

void random_1000_cover_and_synthesis(benchmark::State& state) {
  design_budget no_bcnf;
  no_bcnf.bcnf = 0;
  random_run(state, random_input(1000, 1000, 0x9e3779b97f4a7c15u), no_bcnf);
}
BENCHMARK(random_1000_cover_and_synthesis)->Unit(benchmark::kMillisecond);

void random_60(benchmark::State& state) {
  const std::uint64_t seed = static_cast<std::uint64_t>(state.range(0)) * 0x9e3779b97f4a7c15u + 1;
  random_run(state, random_input(60, 60, seed), {});
}
BENCHMARK(random_60)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

}  // namespace
