#include "analysis.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "chase.h"
#include "test_util.h"

namespace {

// An input checked the way a run checks it: read, chased, then the decomposition check.
struct checked {
  std::vector<std::string> attr;
  std::vector<std::vector<int>> schemes;
  std::vector<halmaz> F;
  bool lossless = false;
  decomposition_check check;
};

checked check_text(const std::string& text, const check_budget& budget = {}) {
  parsed_input input = parse_input(text);
  checked c;
  for (int j = 0; j < input.tableau.get_y(); ++j) c.attr.push_back(input.tableau.cell(0, j));
  c.schemes = scheme_columns(input.tableau);
  c.F = input.F;
  chase(input.tableau, input.F);
  c.lossless = !distinguished_rows(input.tableau).empty();
  c.check =
      check_decomposition(static_cast<int>(c.attr.size()), c.schemes, c.F, c.lossless, budget);
  return c;
}

// Columns as names: "A,E,F".
std::string names(const checked& c, const std::vector<int>& columns) {
  std::string text;
  for (int k : columns) text += (text.empty() ? "" : ",") + c.attr[k];
  return text;
}

// A list of column lists as names: "A | B,C".
std::string names(const checked& c, const std::vector<std::vector<int>>& lists) {
  std::string text;
  for (const std::vector<int>& list : lists) text += (text.empty() ? "" : " | ") + names(c, list);
  return text;
}

const char* form_name(normal_form form) {
  switch (form) {
    case normal_form::boyce_codd:
      return "BCNF";
    case normal_form::third:
      return "3NF";
    case normal_form::second:
      return "2NF";
    case normal_form::first:
      return "1NF";
    case normal_form::undecided:
      break;
  }
  return "not decided";
}

// "3NF C->A", "BCNF", "1NF B->C in A,B".
std::string verdict(const checked& c, const scheme_check& s) {
  std::string text = form_name(s.form);
  if (s.witness.right < 0) return text;
  text += " " + names(c, s.witness.left) + "->" + c.attr[s.witness.right];
  if (!s.witness.key.empty()) text += " in " + names(c, s.witness.key);
  return text;
}

// The dependencies of a list of preservation answers, with what each missed: "1:E 2:D".
std::string records(const checked& c, const std::vector<record_preservation>& list) {
  std::string text;
  for (const record_preservation& r : list) {
    text += (text.empty() ? "" : " ") + std::to_string(r.dependency);
    if (!r.missing.empty()) text += ":" + names(c, r.missing);
  }
  return text;
}

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

// Silberschatz, Korth, Sudarshan, Database System Concepts 6e, Practice Exercise 8.1 and the
// exercises on it: lossless, keys A, E, BC, CD, and CD->E, B->D lost.
TEST(check_decomposition, answers_silberschatz_8_1) {
  const checked c = check_text("A,B,C\nA,D,E\n\nA->B,C\nC,D->E\nB->D\nE->A\n");
  EXPECT_TRUE(c.lossless);
  EXPECT_EQ(c.check.preservation.preserving, false);
  EXPECT_EQ(records(c, c.check.preservation.lost), "1:E 2:D");
  EXPECT_EQ(records(c, c.check.preservation.preserved), "0 3");
  EXPECT_EQ(names(c, closure_after(c.check.preservation.runs[c.check.preservation.lost[0].run],
                                   c.check.preservation.lost[0].steps)),
            "C,D");
  EXPECT_EQ(names(c, c.check.keys.keys), "A | E | B,C | C,D");
  EXPECT_TRUE(c.check.keys.complete);
  EXPECT_EQ(verdict(c, c.check.schemes[0]), "BCNF");
  EXPECT_EQ(names(c, c.check.schemes[0].keys), "A | B,C");
  EXPECT_EQ(verdict(c, c.check.schemes[1]), "BCNF");
  EXPECT_FALSE(c.check.repair);
  // The key C,D reaches R by C,D->E, E->A, A->B,C (which adds only B).
  const std::vector<derivation_step>& cd = c.check.keys.derivations[3];
  ASSERT_EQ(cd.size(), 3u);
  EXPECT_EQ(cd[0].dependency, 1);
  EXPECT_EQ(cd[1].dependency, 3);
  EXPECT_EQ(cd[2].dependency, 0);
  EXPECT_EQ(names(c, cd[2].added), "B");
}

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

TEST(check_decomposition, lists_every_key_of_pairs) {
  const checked c =
      check_text("A1,B1,A2,B2,A3,B3\n\nA1->B1\nB1->A1\nA2->B2\nB2->A2\nA3->B3\nB3->A3\n");
  EXPECT_EQ(
      names(c, c.check.keys.keys),
      "A1,A2,A3 | A1,A2,B3 | A1,A3,B2 | A1,B2,B3 | A2,A3,B1 | A2,B1,B3 | A3,B1,B2 | B1,B2,B3");
  EXPECT_EQ(c.check.keys.derivations.size(), 8u);
  // B1 is no superkey, but every attribute is prime.
  EXPECT_EQ(verdict(c, c.check.schemes[0]), "3NF B1->A1");
}

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

// Unknown names read as -1: a left side with one never applies, a right side drops it, and what
// is left empty is trivial; none of them is judged, nor is the empty record that ends the block.
TEST(check_decomposition, judges_only_records_that_apply) {
  const checked c = check_text("A,B\nB,C\n\nA->B\nX->C\nB->X\nB->C,X\n");
  EXPECT_EQ(records(c, c.check.preservation.preserved), "0 3");
  EXPECT_EQ(records(c, c.check.preservation.lost), "");
  EXPECT_EQ(names(c, c.check.keys.keys), "A");
}

// A record with an empty left side, which no input line gives (an arrow at the start of a line
// reads the empty name): A is in the closure of the empty set, so in no key, and the empty set
// is a proper subset of the key B.
TEST(check_decomposition, takes_an_empty_left_side_as_always_true) {
  const decomposition_check check = check_decomposition(2, {{0, 1}}, {{{}, {0}}}, true);
  EXPECT_EQ(check.keys.keys, (std::vector<std::vector<int>>{{1}}));
  const scheme_check& s = check.schemes[0];
  EXPECT_EQ(s.form, normal_form::first);
  EXPECT_EQ(s.witness.left, std::vector<int>{});
  EXPECT_EQ(s.witness.right, 0);
  EXPECT_EQ(s.witness.key, std::vector<int>{1});
}

TEST(check_decomposition, handles_a_relation_without_attributes) {
  const decomposition_check check = check_decomposition(0, {}, {halmaz{}}, false);
  EXPECT_EQ(check.keys.keys, (std::vector<std::vector<int>>{{}}));
  EXPECT_EQ(check.preservation.preserving, true);
  EXPECT_FALSE(check.repair);
  EXPECT_TRUE(check.complete);
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

// With no budget nothing is decided, and each part says so instead of guessing.
TEST(check_decomposition, says_not_decided_when_the_budget_runs_out) {
  check_budget none;
  none.single_closures = none.preservation = none.keys = none.normal_forms = none.scheme =
      none.redundancy = 0;
  const checked c = check_text("A,B\nB,C\n\nA->B\nB->C\nC->A\n", none);
  EXPECT_FALSE(c.check.preservation.preserving.has_value());
  EXPECT_FALSE(c.check.preservation.complete);
  EXPECT_FALSE(c.check.keys.complete);
  for (const scheme_check& s : c.check.schemes) {
    EXPECT_EQ(s.form, normal_form::undecided);
    EXPECT_FALSE(s.keys_complete);
    EXPECT_EQ(s.witness.right, -1);
  }
  EXPECT_FALSE(c.check.complete);
}

// ---- The definitions, by brute force over subsets, for the property test ----

using mask = std::uint32_t;

struct brute {
  int m;
  std::vector<std::pair<mask, mask>> F;  // the applicable records, -1 dropped from the right

  mask closure(mask x, const std::vector<std::pair<mask, mask>>& deps) const {
    for (bool grew = true; grew;) {
      grew = false;
      for (const auto& [l, r] : deps) {
        if ((l & ~x) == 0 && (r & ~x) != 0) {
          x |= r;
          grew = true;
        }
      }
    }
    return x;
  }
  mask closure(mask x) const { return closure(x, F); }
  // X+ under the union of the projections of F onto the schemes.
  mask preserved_closure(const std::vector<std::vector<int>>& schemes, mask x) const;
  // The minimal X inside s with s in X+.
  std::vector<mask> keys(mask s) const {
    std::vector<mask> keys;
    for (mask x = 0; x < (mask{1} << m); ++x) {
      if ((x & ~s) != 0 || (s & ~closure(x)) != 0) continue;
      bool minimal = true;
      for (mask k : keys) minimal = minimal && (k & ~x) != 0;
      if (minimal) keys.push_back(x);  // in order of size, so no later key is inside x
    }
    return keys;
  }
};

mask to_mask(const std::vector<int>& columns) {
  mask x = 0;
  for (int c : columns) {
    if (c >= 0) x |= mask{1} << c;
  }
  return x;
}

mask brute::preserved_closure(const std::vector<std::vector<int>>& schemes, mask x) const {
  std::vector<std::pair<mask, mask>> projections;
  for (const std::vector<int>& s : schemes) {
    const mask in_s = to_mask(s);
    for (mask y = 0; y < (mask{1} << m); ++y) {
      if ((y & ~in_s) == 0) projections.emplace_back(y, closure(y) & in_s);
    }
  }
  return closure(x, projections);
}

bool chase_finds_lossless(int m, const std::vector<std::vector<int>>& schemes,
                          const std::vector<halmaz>& F) {
  matrix tableau(static_cast<int>(schemes.size()) + 1, m);
  const std::string zero = "0";
  for (int k = 1; k < tableau.get_x(); ++k) {
    for (int c = 0; c < m; ++c) tableau.cell(k, c) = std::to_string(k);
    for (int c : schemes[k - 1]) tableau.cell(k, c) = zero;
  }
  chase(tableau, F);
  return !distinguished_rows(tableau).empty();
}

std::vector<int> columns_of(mask x) {
  std::vector<int> columns;
  for (int c = 0; x >> c != 0; ++c) {
    if ((x >> c) & 1) columns.push_back(c);
  }
  return columns;
}

std::vector<std::vector<int>> by_size_then_columns(const std::vector<mask>& sets) {
  std::vector<std::vector<int>> lists;
  for (mask x : sets) lists.push_back(columns_of(x));
  std::sort(lists.begin(), lists.end(), [](const auto& a, const auto& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
  });
  return lists;
}

std::vector<int> random_side(std::mt19937& random, int m) {
  std::vector<int> side(random() % 3);
  for (int& c : side) c = random() % 12 == 0 ? -1 : static_cast<int>(random() % m);
  return side;
}

// Random decompositions of up to 6 attributes under up to 6 records (unknown names, repeats,
// empty sides and the closing empty record included), each answer checked against the
// definitions by brute force over subsets, and each derivation replayed.
TEST(check_decomposition, agrees_with_the_definitions_on_random_inputs) {
  std::mt19937 random(17);
  for (int round = 0; round < 3000; ++round) {
    const int m = 1 + static_cast<int>(random() % 6);
    const mask all = (mask{1} << m) - 1;
    std::vector<std::vector<int>> schemes(1 + random() % 4);
    mask covered = 0;
    for (std::vector<int>& s : schemes) {
      const mask x = 1 + random() % all;
      s = columns_of(x);
      covered |= x;
    }
    // Every attribute is in some scheme, since the catalogue is read from them.
    for (int a = 0; a < m; ++a) {
      if ((covered >> a) & 1) continue;
      std::vector<int>& s = schemes[random() % schemes.size()];
      s = columns_of(to_mask(s) | mask{1} << a);
    }
    std::vector<halmaz> F(random() % 7);
    for (halmaz& h : F) h = {random_side(random, m), random_side(random, m)};
    F.push_back({});
    brute b{m, {}};
    for (const halmaz& h : F) {
      const bool applies = std::find(h.left.begin(), h.left.end(), -1) == h.left.end();
      if (applies && to_mask(h.right) != 0) b.F.emplace_back(to_mask(h.left), to_mask(h.right));
    }
    const bool lossless = chase_finds_lossless(m, schemes, F);

    std::string shown = "m=" + std::to_string(m) + " schemes";
    for (const auto& s : schemes) shown += " " + std::to_string(to_mask(s));
    for (const halmaz& h : F) {
      shown += " |";
      for (int c : h.left) shown += " " + std::to_string(c);
      shown += " ->";
      for (int c : h.right) shown += " " + std::to_string(c);
    }
    SCOPED_TRACE(shown);
    // With the table of single-attribute closures and without it: the closure engine alone.
    check_budget without_table;
    without_table.single_closures = 0;
    for (const check_budget& budget : {check_budget{}, without_table}) {
      SCOPED_TRACE(budget.single_closures == 0 ? "without the table" : "with the table");
      const decomposition_check check = check_decomposition(m, schemes, F, lossless, budget);
      ASSERT_TRUE(check.complete);

      // Preservation: X->Y is preserved when Y lies in X+ under the projections of F.
      std::size_t judged = 0;
      for (const auto* list : {&check.preservation.lost, &check.preservation.preserved}) {
        for (const record_preservation& r : *list) {
          const mask x = to_mask(F[r.dependency].left), y = to_mask(F[r.dependency].right);
          const mask by_g = b.preserved_closure(schemes, x);
          EXPECT_EQ(list == &check.preservation.lost, (y & ~by_g) != 0);
          const preservation_run& run = check.preservation.runs[r.run];
          mask z = x;
          for (int k = 0; k < r.steps; ++k) {
            const preservation_step& s = run.steps[k];
            const mask in_s = to_mask(schemes[s.scheme]);
            EXPECT_EQ(to_mask(s.added), b.closure(z & in_s) & in_s & ~z);
            if (k > 0) {
              const preservation_step& before = run.steps[k - 1];
              EXPECT_TRUE(before.round < s.round ||
                          (before.round == s.round && before.scheme < s.scheme));
            }
            z |= to_mask(s.added);
          }
          EXPECT_EQ(to_mask(closure_after(run, r.steps)), z);
          if (list == &check.preservation.lost) {
            EXPECT_EQ(z, by_g);
            EXPECT_EQ(to_mask(r.missing), y & ~z);
          } else {
            EXPECT_EQ(y & ~z, 0u);
          }
          ++judged;
        }
      }
      EXPECT_EQ(judged, b.F.size());
      EXPECT_EQ(check.preservation.preserving, check.preservation.lost.empty());

      // The keys of R, each with a derivation that applies records of F until R.
      const std::vector<mask> keys_of_r = b.keys(all);
      EXPECT_EQ(check.keys.keys, by_size_then_columns(keys_of_r));
      ASSERT_EQ(check.keys.derivations.size(), check.keys.keys.size());
      for (std::size_t k = 0; k < check.keys.keys.size(); ++k) {
        mask z = to_mask(check.keys.keys[k]);
        for (const derivation_step& step : check.keys.derivations[k]) {
          const halmaz& h = F[step.dependency];
          EXPECT_EQ(to_mask(h.left) & ~z, 0u);
          EXPECT_NE(to_mask(step.added), 0u);
          EXPECT_EQ(to_mask(step.added) & ~(to_mask(h.right) & ~z), 0u);
          z |= to_mask(step.added);
        }
        EXPECT_EQ(z, all);
      }

      // The normal form of each scheme, and its witness.
      for (std::size_t j = 0; j < schemes.size(); ++j) {
        const mask in_s = to_mask(schemes[j]);
        const std::vector<mask> keys = b.keys(in_s);
        mask prime = 0;
        for (mask k : keys) prime |= k;
        // A dependency X->A inside S: A in S - X and A in X+.
        auto holds = [&](mask x, int a) {
          return (x & ~in_s) == 0 && ((in_s >> a) & 1) && !((x >> a) & 1) &&
                 ((b.closure(x) >> a) & 1);
        };
        auto superkey = [&](mask x) { return (in_s & ~b.closure(x)) == 0; };
        auto partial = [&](mask x, int a) {
          for (mask k : keys) {
            if ((x & ~k) == 0 && x != k && holds(x, a) && !((prime >> a) & 1)) return true;
          }
          return false;
        };
        bool bcnf = true, third = true, second = true;
        for (mask x = 0; x <= all; ++x) {
          for (int a = 0; a < m; ++a) {
            if (!holds(x, a) || superkey(x)) continue;
            bcnf = false;
            third = third && ((prime >> a) & 1);
            second = second && !partial(x, a);
          }
        }
        const normal_form expected = bcnf     ? normal_form::boyce_codd
                                     : third  ? normal_form::third
                                     : second ? normal_form::second
                                              : normal_form::first;
        const scheme_check& s = check.schemes[j];
        EXPECT_EQ(s.keys, by_size_then_columns(keys));
        EXPECT_EQ(s.form, expected);
        const mask x = to_mask(s.witness.left);
        const int a = s.witness.right;
        if (expected == normal_form::boyce_codd) {
          EXPECT_EQ(a, -1);
        } else if (expected == normal_form::first) {
          const mask k = to_mask(s.witness.key);
          EXPECT_NE(std::find(keys.begin(), keys.end(), k), keys.end());
          EXPECT_TRUE((x & ~k) == 0 && x != k && holds(x, a) && !((prime >> a) & 1));
        } else {
          EXPECT_TRUE(holds(x, a) && !superkey(x));
          EXPECT_TRUE(expected == normal_form::third || !((prime >> a) & 1));
        }
      }

      // Schemes inside another, the later of two equal ones.
      std::vector<int> redundant;
      for (std::size_t i = 0; i < schemes.size(); ++i) {
        for (std::size_t j = 0; j < schemes.size(); ++j) {
          const mask si = to_mask(schemes[i]), sj = to_mask(schemes[j]);
          if (i != j && (si & ~sj) == 0 && (si != sj || j < i)) {
            redundant.push_back(static_cast<int>(i));
            break;
          }
        }
      }
      EXPECT_EQ(check.redundant, redundant);

      // The repair: X u Y of a record or a key of R per added scheme; lossless by the chase and
      // preserving by the definition.
      EXPECT_EQ(check.repair.has_value(), !lossless);
      if (!check.repair) continue;
      std::vector<std::vector<int>> repaired = schemes;
      for (std::size_t i = 0; i < check.repair->add.size(); ++i) {
        const int from = check.repair->from[i];
        const mask added = to_mask(check.repair->add[i]);
        if (from < 0) {
          EXPECT_NE(std::find(keys_of_r.begin(), keys_of_r.end(), added), keys_of_r.end());
        } else {
          EXPECT_EQ(added, to_mask(F[from].left) | to_mask(F[from].right));
        }
        repaired.push_back(check.repair->add[i]);
      }
      for (const auto& [x, y] : b.F) EXPECT_EQ(y & ~b.preserved_closure(repaired, x), 0u);
      EXPECT_TRUE(chase_finds_lossless(m, repaired, F));
    }
  }
}

}  // namespace
