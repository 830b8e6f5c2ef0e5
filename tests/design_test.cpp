#include "design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "brute_force.h"
#include "design_util.h"
#include "json.h"

namespace {

using fds = std::vector<std::pair<mask, int>>;  // X->A as (X, A)

std::vector<std::pair<mask, mask>> as_pairs(const fds& list) {
  std::vector<std::pair<mask, mask>> pairs;
  for (const auto& [x, a] : list) pairs.emplace_back(x, mask{1} << a);
  return pairs;
}

bool has(mask x, int a) { return (x >> a) & 1; }

// BCNF of scheme s by the definition: no X in s with (X+ n s) - X not empty and s not in X+.
bool brute_bcnf(const brute& b, mask s) {
  for (mask x = 0; x <= s; ++x) {
    if ((x & ~s) != 0) continue;
    const mask c = b.closure(x);
    if ((c & s & ~x) != 0 && (s & ~c) != 0) return false;
  }
  return true;
}

// 3NF of scheme s: every such X->A has A prime in s.
bool brute_third(const brute& b, mask s) {
  mask prime = 0;
  for (mask k : b.keys(s)) prime |= k;
  for (mask x = 0; x <= s; ++x) {
    if ((x & ~s) != 0) continue;
    const mask c = b.closure(x);
    if ((s & ~c) != 0 && (c & s & ~x & ~prime) != 0) return false;
  }
  return true;
}

// Every output of design mode on random inputs of up to 6 attributes and 6 records (unknown names,
// repeats, empty left sides and the closing empty record included), checked against the
// definitions by brute force over subsets, and every step replayed with its closure.
TEST(design_decomposition, agrees_with_the_definitions_on_random_inputs) {
  std::mt19937 random(29);
  for (int round = 0; round < 3000; ++round) {
    const int m = 1 + static_cast<int>(random() % 6);
    const mask all = (mask{1} << m) - 1;
    std::vector<halmaz> F(random() % 7);
    for (halmaz& h : F) h = {random_side(random, m), random_side(random, m)};
    F.push_back({});
    brute b{m, {}};
    fds split, trivial;  // the records of F cut to one attribute on the right, in order
    std::vector<int> records;
    for (int i = 0; i < static_cast<int>(F.size()); ++i) {
      const halmaz& h = F[i];
      if (std::find(h.left.begin(), h.left.end(), -1) != h.left.end()) continue;
      const mask x = to_mask(h.left), y = to_mask(h.right);
      if (y == 0) continue;
      b.F.emplace_back(x, y);
      records.push_back(i);
      for (int a : columns_of(y)) (has(x, a) ? trivial : split).emplace_back(x, a);
    }
    std::string shown = "m=" + std::to_string(m);
    for (const halmaz& h : F) {
      shown += " |";
      for (int c : h.left) shown += " " + std::to_string(c);
      shown += " ->";
      for (int c : h.right) shown += " " + std::to_string(c);
    }
    SCOPED_TRACE(shown);
    const design_result r = design_decomposition(m, F);
    ASSERT_TRUE(r.complete);

    // The cover: its steps replayed on F's split records give it; it is equivalent to F, and no
    // left attribute is extraneous and no dependency redundant.
    const minimal_cover& c = r.cover;
    fds current = split, cover;
    std::size_t t = 0;
    for (const cover_step& s : c.steps) {
      const mask x = to_mask(s.left);
      if (s.kind == cover_step_kind::trivial) {
        ASSERT_LT(t, trivial.size());
        EXPECT_EQ(trivial[t++], std::make_pair(x, s.right));
        continue;
      }
      const auto f = std::find(current.begin(), current.end(), std::make_pair(x, s.right));
      ASSERT_NE(f, current.end());
      if (s.kind == cover_step_kind::extraneous) {
        ASSERT_TRUE(has(x, s.attribute));
        f->first &= ~(mask{1} << s.attribute);
        EXPECT_EQ(to_mask(s.closure), b.closure(f->first));
      } else {
        current.erase(f);
        EXPECT_EQ(to_mask(s.closure), b.closure(x, as_pairs(current)));
      }
      EXPECT_TRUE(has(to_mask(s.closure), s.right));
    }
    EXPECT_EQ(t, trivial.size());
    for (const fd& f : c.dependencies) cover.emplace_back(to_mask(f.left), f.right);
    EXPECT_EQ(cover, current);
    const auto cover_pairs = as_pairs(cover);
    for (const auto& [x, y] : b.F) EXPECT_EQ(y & ~b.closure(x, cover_pairs), 0u);
    for (std::size_t k = 0; k < cover.size(); ++k) {
      const auto [x, a] = cover[k];
      EXPECT_TRUE(has(b.closure(x), a) && !has(x, a));
      for (int e : columns_of(x)) EXPECT_FALSE(has(b.closure(x & ~(mask{1} << e)), a));
      fds others = cover;
      others.erase(others.begin() + static_cast<std::ptrdiff_t>(k));
      EXPECT_FALSE(has(b.closure(x, as_pairs(others)), a));
    }

    // The synthesis: each step's scheme, what it drops and the key it adds; the result lossless,
    // preserving and 3NF, with no scheme inside another, as the chase and the check say too.
    const synthesis_result& s = r.synthesis;
    std::vector<mask> made, kept;
    for (const std::vector<int>& scheme : s.schemes) kept.push_back(to_mask(scheme));
    std::vector<int> used;
    for (const synthesis_step& step : s.steps) {
      const mask scheme = to_mask(step.scheme);
      if (step.kind == synthesis_step_kind::scheme) {
        mask expected = cover[step.from.at(0)].first;
        for (int k : step.from) {
          EXPECT_EQ(cover[k].first, cover[step.from[0]].first);
          expected |= mask{1} << cover[k].second;
          used.push_back(k);
        }
        EXPECT_EQ(scheme, expected);
        made.push_back(scheme);
      } else if (step.kind == synthesis_step_kind::contained) {
        EXPECT_EQ(scheme & ~to_mask(step.in), 0u);
        EXPECT_NE(std::find(kept.begin(), kept.end(), to_mask(step.in)), kept.end());
      } else {
        const std::vector<mask> keys = b.keys(all);
        EXPECT_NE(std::find(keys.begin(), keys.end(), scheme), keys.end());
        EXPECT_EQ(to_mask(step.closure), all);
        for (mask other : made) EXPECT_NE(b.closure(other), all);
      }
    }
    std::sort(used.begin(), used.end());
    EXPECT_EQ(used.size(), cover.size());
    EXPECT_EQ(std::unique(used.begin(), used.end()), used.end());
    EXPECT_TRUE(chase_finds_lossless(m, s.schemes, F));
    for (const auto& [x, y] : b.F) EXPECT_EQ(y & ~b.preserved_closure(s.schemes, x), 0u);
    for (std::size_t i = 0; i < kept.size(); ++i) {
      EXPECT_TRUE(brute_third(b, kept[i]));
      for (std::size_t j = 0; j < kept.size(); ++j) EXPECT_TRUE(i == j || (kept[i] & ~kept[j]));
      const normal_form expected =
          brute_bcnf(b, kept[i]) ? normal_form::boyce_codd : normal_form::third;
      EXPECT_EQ(r.synthesis_check->forms.at(i), expected);
    }
    EXPECT_EQ(r.synthesis_check->lossless, true);
    EXPECT_EQ(r.synthesis_check->preserving, true);

    // BCNF: the splits replayed from R give the result, each on a violation with its closure;
    // the result lossless and BCNF, and lost exactly the records that it does not preserve.
    const bcnf_result& d = r.bcnf;
    std::vector<mask> parts{all}, result;
    for (const bcnf_step& step : d.steps) {
      const mask scheme = to_mask(step.scheme), x = to_mask(step.left);
      const auto p = std::find(parts.begin(), parts.end(), scheme);
      ASSERT_NE(p, parts.end());
      parts.erase(p);
      const mask closure = b.closure(x);
      EXPECT_EQ(to_mask(step.closure), closure);
      EXPECT_EQ(x & ~scheme, 0u);
      EXPECT_EQ(to_mask(step.right), closure & scheme & ~x);
      EXPECT_NE(to_mask(step.right), 0u);
      EXPECT_NE(scheme & ~closure, 0u);
      EXPECT_EQ(to_mask(step.first), x | to_mask(step.right));
      EXPECT_EQ(to_mask(step.second), scheme & ~to_mask(step.right));
      parts.push_back(to_mask(step.first));
      parts.push_back(to_mask(step.second));
    }
    for (const std::vector<int>& scheme : d.schemes) result.push_back(to_mask(scheme));
    std::sort(parts.begin(), parts.end());
    std::vector<mask> sorted = result;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(parts, sorted);
    for (mask scheme : result) EXPECT_TRUE(brute_bcnf(b, scheme));
    EXPECT_TRUE(chase_finds_lossless(m, d.schemes, F));
    std::vector<int> lost;
    for (std::size_t k = 0; k < b.F.size(); ++k) {
      const auto [x, y] = b.F[k];
      if ((y & ~b.preserved_closure(d.schemes, x)) != 0) lost.push_back(records[k]);
    }
    EXPECT_EQ(r.bcnf_check->lost, lost);
    EXPECT_EQ(r.bcnf_check->lossless, true);
    for (normal_form f : r.bcnf_check->forms) EXPECT_EQ(f, normal_form::boyce_codd);
  }
}

// What a budget leaves undecided is null in the object, and the object says it is incomplete.
TEST(write_design_json, writes_null_where_a_budget_ran_out) {
  design_budget none;
  none.single_closures = none.cover = none.synthesis = none.bcnf = 0;
  design_budget no_check;
  no_check.check.preservation = no_check.check.normal_forms = no_check.check.scheme = 0;
  const std::string head =
      "{\"version\": \"" LOSSLESS_VERSION
      "\",\n \"attributes\": [\"A\", \"B\"],\n \"dependencies\": [{\"left\": [0], \"right\": "
      "[1]}, {\"left\": [], \"right\": []}]";
  struct case_ {
    const char* name;
    design_budget budget;
    std::string json;
  };
  const case_ cases[] = {
      {"nothing decided", none,
       head + ",\n \"cover\": {\"dependencies\": null,\n  \"steps\": []},\n \"synthesis\": "
              "{\"schemes\": null,\n  \"steps\": [],\n  \"lossless\": null, \"preserving\": null, "
              "\"forms\": null},\n \"bcnf\": {\"schemes\": null,\n  \"steps\": [],\n  \"lost\": "
              "null, \"lossless\": null, \"forms\": null},\n \"complete\": false}\n"},
      {"the chase decides, the check does not", no_check,
       head + ",\n \"cover\": {\"dependencies\": [{\"left\": [0], \"right\": [1]}],\n  \"steps\": "
              "[]},\n \"synthesis\": {\"schemes\": [[0, 1]],\n  \"steps\": [\n   {\"step\": "
              "\"scheme\", \"scheme\": [0, 1], \"from\": [0]}],\n  \"lossless\": true, "
              "\"preserving\": null, \"forms\": [null]},\n \"bcnf\": {\"schemes\": [[0, 1]],\n  "
              "\"steps\": [],\n  \"lost\": null, \"lossless\": true, \"forms\": [null]},\n "
              "\"complete\": false}\n"},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.name);
    const designed d = design_text("A,B\n\nA->B\n", c.budget);
    EXPECT_FALSE(d.design.complete);
    std::ostringstream out;
    write_design_json(out, d.attr, d.F, d.design);
    EXPECT_EQ(out.str(), c.json);
  }
}

}  // namespace
