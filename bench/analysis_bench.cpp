// The decomposition check, in-process, on the shapes it must handle quickly:
// - textbook exercises, each as the whole --json run (read, chase, check, write the object);
// - the keys of 20 attributes in 10 pairs Ai->Bi, Bi->Ai (1,024 keys);
// - single schemes of 20 attributes with many keys, many anti-keys, or a projection of F that
//   needs 2^9 dependencies;
// - 100 attributes, 30 schemes and 100,000 random dependencies: the chase, the preservation
//   alone (the other budgets set to zero), and the whole check.
// Run with --benchmark_repetitions=5 --benchmark_report_aggregates_only=true for medians.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "analysis.h"
#include "chase.h"
#include "input.h"
#include "json.h"
#include "random_source.h"
#include "test_util.h"

namespace {

// Scheme block, empty line, dependency block, as the tool reads them.
const std::pair<const char*, const char*> exercises[] = {
    // Silberschatz, Korth, Sudarshan, Database System Concepts 6e, Practice Exercise 8.1.
    {"silberschatz_8_1", "A,B,C\nA,D,E\n\nA->B,C\nC,D->E\nB->D\nE->A\n"},
    // Silberschatz 6e, section 8.3: R(A,B,C,G,H,I), key A,G.
    {"silberschatz_abcghi", "A,B,C,G,H,I\n\nA->B\nA->C\nC,G->H\nC,G->I\nB->H\n"},
    // Silberschatz 6e, section 8.3: inst_dept and its decomposition.
    {"silberschatz_inst_dept",
     "ID,name,salary,dept_name\ndept_name,building,budget\n\nID->name,salary,dept_name\n"
     "dept_name->building,budget\n"},
    // Silberschatz 6e, section 8.3.4: dept_advisor, in 3NF but not in BCNF.
    {"silberschatz_dept_advisor", "s_ID,i_ID,dept_name\n\ni_ID->dept_name\ns_ID,dept_name->i_ID\n"},
    // Garcia-Molina, Ullman, Widom, Database Systems 2e, Exercise 3.3.1 (a) to (f).
    {"guw_3_3_1_a", "A,B,C,D\n\nA,B->C\nC->D\nD->A\n"},
    {"guw_3_3_1_b", "A,B,C,D\n\nB->C\nB->D\n"},
    {"guw_3_3_1_c", "A,B,C,D\n\nA,B->C\nB,C->D\nC,D->A\nA,D->B\n"},
    {"guw_3_3_1_d", "A,B,C,D\n\nA->B\nB->C\nC->D\nD->A\n"},
    {"guw_3_3_1_e", "A,B,C,D,E\n\nA,B->C\nD,E->C\nB->D\n"},
    {"guw_3_3_1_f", "A,B,C,D,E\n\nA,B->C\nC->D\nD->B\nD->E\n"},
    // Elmasri, Navathe, Fundamentals of Database Systems: EMP_PROJ, EMP_DEPT, LOTS and TEACH.
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
    {"elmasri_lots_2nf",
     "Property_id,County,Lot,Area,Price\nCounty,Tax_rate\n\n"
     "Property_id->County,Lot,Area,Price,Tax_rate\nCounty,Lot->Property_id,Area,Price,Tax_rate\n"
     "County->Tax_rate\nArea->Price\n"},
    {"elmasri_lots_3nf",
     "Property_id,County,Lot,Area\nArea,Price\nCounty,Tax_rate\n\n"
     "Property_id->County,Lot,Area,Price,Tax_rate\nCounty,Lot->Property_id,Area,Price,Tax_rate\n"
     "County->Tax_rate\nArea->Price\n"},
    {"elmasri_teach",
     "Instructor,Course\nInstructor,Student\n\nStudent,Course->Instructor\n"
     "Instructor->Course\n"},
    // Date, An Introduction to Database Systems: suppliers split into SC and CS.
    {"date_suppliers", "S,CITY\nCITY,STATUS\n\nS->SNAME,STATUS,CITY\nCITY->STATUS\n"},
    // Ullman, Principles of Database and Knowledge-Base Systems I, ch. 7: D->A is preserved by
    // AB, BC, CD only through three rounds.
    {"ullman_cycle", "A,B\nB,C\nC,D\n\nA->B\nB->C\nC->D\nD->A\n"},
    // The scheme that a web normalizer calls 2NF.
    {"issue_acdef", "A,C,D,E,F\n\nA,D->C\nA,E->D\nD,F->A\n"},
    // This project's examples.
    {"example_pelda", "A,B\nB,C\n\nB->C\n"},
    {"example_lossy", "A,B\nB,C\nC,D\n\nA->B\nC->D\n"},
    {"example_five_schemes", "A,D\nA,B\nB,E\nC,D,E\nA,E\n\nA->C\nB->C\nC->D\nD,E->C\nC,E->A\n"},
    // Lossy and not preserving: the repair adds A,E.
    {"lossy_not_preserving", "A\nE\n\nA->E\n"},
    // A dependency that no given one states breaks 2NF of A,C,D: A->C through B.
    {"derived_partial", "A,C,D\nA,B\n\nA->B\nB->C\n"},
    // A projection whose cover needs 2^4 dependencies: Ai->Xi, Bi->Xi, X1..X4->C.
    {"projection_2_4",
     "A1,B1,A2,B2,A3,B3,A4,B4,C\nA1,X1\nB1,X1\nA2,X2\nB2,X2\nA3,X3\nB3,X3\nA4,X4\nB4,X4\n"
     "X1,X2,X3,X4,C\n\nA1->X1\nB1->X1\nA2->X2\nB2->X2\nA3->X3\nB3->X3\nA4->X4\nB4->X4\n"
     "X1,X2,X3,X4->C\n"},
};

// The whole --json run on the input's text: read, chase, check, write.
std::string json_run(const std::string& text, const check_budget& budget = {}) {
  const run_result r = run_checked(text, budget);
  std::ostringstream out;
  write_json(out, r.attr, r.schemes, r.F, *r.lossless, *r.check);
  return out.str();
}

void exercise(benchmark::State& state, const char* text) {
  for (auto _ : state) benchmark::DoNotOptimize(json_run(text));
}

const bool registered = [] {
  for (const auto& [name, text] : exercises) {
    benchmark::RegisterBenchmark((std::string("textbook/") + name).c_str(), exercise, text)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

// "A7": a name of the generated inputs.
std::string name(char letter, int i) {
  std::ostringstream out;
  out << letter << i;
  return out.str();
}

// Names joined by commas.
std::string joined(const std::vector<std::string>& names) {
  std::ostringstream out;
  for (std::size_t k = 0; k < names.size(); ++k) out << (k ? "," : "") << names[k];
  return out.str();
}

// 10 pairs Ai <-> Bi in one scheme: R and the scheme have 1,024 keys and 10 anti-keys.
void keys_of_pairs(benchmark::State& state) {
  std::vector<std::string> all;
  std::ostringstream deps;
  for (int i = 1; i <= 10; ++i) {
    all.push_back(name('A', i));
    all.push_back(name('B', i));
    deps << name('A', i) << "->" << name('B', i) << '\n'
         << name('B', i) << "->" << name('A', i) << '\n';
  }
  const std::string text = joined(all) + "\n\n" + deps.str();
  for (auto _ : state) benchmark::DoNotOptimize(json_run(text));
}
BENCHMARK(keys_of_pairs)->Unit(benchmark::kMillisecond);

// 10 pairs, each of which determines everything: 100 keys Ai,Bj... no: the keys are the pairs
// Ai,Bi (10 of them), and the anti-keys take one attribute of each pair (1,024 of them).
void anti_keys_of_pairs(benchmark::State& state) {
  std::vector<std::string> all;
  for (int i = 1; i <= 10; ++i) {
    all.push_back(name('A', i));
    all.push_back(name('B', i));
  }
  std::ostringstream deps;
  for (int i = 1; i <= 10; ++i)
    deps << name('A', i) << ',' << name('B', i) << "->" << joined(all) << '\n';
  const std::string text = joined(all) + "\n\n" + deps.str();
  for (auto _ : state) benchmark::DoNotOptimize(json_run(text));
}
BENCHMARK(anti_keys_of_pairs)->Unit(benchmark::kMillisecond);

// The scheme A1..A9, B1..B9, C of R with Ai->Xi, Bi->Xi, X1..X9->C: its projection of F needs
// 2^9 dependencies (one choice of Ai or Bi per pair determines C). 1NF.
void projection_scheme(benchmark::State& state) {
  std::vector<std::string> scheme, xs;
  std::ostringstream rest, deps;
  for (int i = 1; i <= 9; ++i) {
    const std::string a = name('A', i), b = name('B', i), x = name('X', i);
    scheme.push_back(a);
    scheme.push_back(b);
    xs.push_back(x);
    rest << a << ',' << x << '\n' << b << ',' << x << '\n';
    deps << a << "->" << x << '\n' << b << "->" << x << '\n';
  }
  scheme.push_back("C");
  const std::string text = joined(scheme) + "\n" + rest.str() + joined(xs) + ",C\n\n" + deps.str() +
                           joined(xs) + "->C\n";
  for (auto _ : state) benchmark::DoNotOptimize(json_run(text));
}
BENCHMARK(projection_scheme)->Unit(benchmark::kMillisecond);

// One scheme of 20 attributes under 20 random dependencies of 1 to 3 attributes on the left.
void random_scheme_20(benchmark::State& state) {
  random_source random(static_cast<std::uint64_t>(state.range(0)) * 0x9e3779b97f4a7c15u + 1);
  std::vector<std::string> all;
  for (int a = 0; a < 20; ++a) all.push_back(name('A', a));
  std::ostringstream deps;
  for (int d = 0; d < 20; ++d) {
    std::vector<std::string> left(1 + random.below(3));
    for (std::string& n : left) n = name('A', random.below(20));
    deps << joined(left) << "->" << name('A', random.below(20)) << '\n';
  }
  const std::string text = joined(all) + "\n\n" + deps.str();
  for (auto _ : state) benchmark::DoNotOptimize(json_run(text));
}
BENCHMARK(random_scheme_20)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

// 100 attributes, 30 schemes (every attribute in one, plus 1 to 4 random ones each) and 100,000
// random dependencies with 1 to 3 attributes on the left and 1 or 2 on the right.
struct large_input {
  int m = 0;
  std::vector<std::vector<int>> schemes;
  std::vector<halmaz> F;
  matrix tableau{0, 0};
};

large_input make_large() {
  random_source random(0x9e3779b97f4a7c15u);
  std::ostringstream text;
  const int n = 30, m = 100, f = 100'000;
  for (int i = 0; i < n; ++i) {
    std::vector<std::string> line;
    for (int a = i; a < m; a += n) line.push_back(name('A', a + 1));
    for (int extra = 1 + random.below(4); extra > 0; --extra)
      line.push_back(name('A', 1 + random.below(m)));
    text << joined(line) << '\n';
  }
  text << '\n';
  for (int d = 0; d < f; ++d) {
    std::vector<std::string> left(1 + random.below(3)), right(1 + random.below(2));
    for (std::string& n : left) n = name('A', 1 + random.below(m));
    for (std::string& n : right) n = name('A', 1 + random.below(m));
    text << joined(left) << "->" << joined(right) << '\n';
  }
  parsed_input input = parse_input(text.str());
  large_input large;
  large.m = input.tableau.get_y();
  large.schemes = scheme_columns(input.tableau);
  large.F = std::move(input.F);
  large.tableau = std::move(input.tableau);
  return large;
}

void large_chase(benchmark::State& state) {
  const large_input large = make_large();
  for (auto _ : state) {
    matrix m = large.tableau;
    chase(m, large.F);
    benchmark::DoNotOptimize(distinguished_rows(m));
  }
}
BENCHMARK(large_chase)->Unit(benchmark::kMillisecond);

void large_preservation(benchmark::State& state) {
  const large_input large = make_large();
  check_budget budget;
  budget.keys = budget.normal_forms = budget.redundancy = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(check_decomposition(large.m, large.schemes, large.F, true, budget));
  }
}
BENCHMARK(large_preservation)->Unit(benchmark::kMillisecond);

void large_whole_check(benchmark::State& state) {
  const large_input large = make_large();
  for (auto _ : state) {
    benchmark::DoNotOptimize(check_decomposition(large.m, large.schemes, large.F, true));
  }
}
BENCHMARK(large_whole_check)->Unit(benchmark::kMillisecond);

}  // namespace
