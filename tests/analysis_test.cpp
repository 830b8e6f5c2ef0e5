#include "analysis.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "brute_force.h"
#include "chase.h"
#include "check_util.h"

namespace {

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

TEST(check_decomposition, handles_a_relation_without_attributes) {
  const decomposition_check check = check_decomposition(0, {}, {halmaz{}}, false);
  EXPECT_EQ(check.keys.keys, (std::vector<std::vector<int>>{{}}));
  EXPECT_EQ(check.preservation.preserving, true);
  EXPECT_FALSE(check.repair);
  EXPECT_TRUE(check.complete);
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
  EXPECT_FALSE(c.check.redundant_complete);
  for (const scheme_check& s : c.check.schemes) {
    EXPECT_EQ(s.form, normal_form::undecided);
    EXPECT_FALSE(s.keys_complete);
    EXPECT_EQ(s.witness.right, -1);
  }
  EXPECT_FALSE(c.check.complete);
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
