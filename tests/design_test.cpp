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

// Whether scheme s is BCNF (or, with prime, 3NF) by the definition: every X in s whose closure
// holds part of s - X and not all of s gives only prime attributes.
bool brute_form(const brute& b, mask s, mask prime = 0) {
  for (mask x = 0; x <= s; ++x) {
    const mask c = b.closure(x);
    if ((x & ~s) == 0 && (s & ~c) != 0 && (c & s & ~x & ~prime) != 0) return false;
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
    fds split, trivial;  // F's applicable records cut to one attribute on the right, in order
    std::vector<int> records;
    std::string shown = "m=" + std::to_string(m);
    for (int i = 0; i < static_cast<int>(F.size()); ++i) {
      for (int c : F[i].left) shown += " " + std::to_string(c);
      shown += " ->";
      for (int c : F[i].right) shown += " " + std::to_string(c);
      shown += " |";
      const mask x = to_mask(F[i].left), y = to_mask(F[i].right);
      if (std::count(F[i].left.begin(), F[i].left.end(), -1) > 0 || y == 0) continue;
      b.F.emplace_back(x, y);
      records.push_back(i);
      for (int a : columns_of(y)) (has(x, a) ? trivial : split).emplace_back(x, a);
    }
    SCOPED_TRACE(shown);
    const design_result r = design_decomposition(m, F);
    ASSERT_TRUE(r.complete);

    // The cover: its steps replayed on the split records give it, each with its closure; it is
    // equivalent to F, with no extraneous left attribute and no redundant dependency.
    fds current = split, cover, kept_trivial;
    for (const cover_step& s : r.cover.steps) {
      const std::pair<mask, int> f{to_mask(s.left), s.right};
      if (s.kind == cover_step_kind::trivial) {
        kept_trivial.push_back(f);
        continue;
      }
      const auto at = std::find(current.begin(), current.end(), f);
      ASSERT_NE(at, current.end());
      if (s.kind == cover_step_kind::extraneous) {
        ASSERT_TRUE(has(f.first, s.attribute));
        at->first &= ~(mask{1} << s.attribute);
        EXPECT_EQ(to_mask(s.closure), b.closure(at->first));
      } else {
        current.erase(at);
        EXPECT_EQ(to_mask(s.closure), b.closure(f.first, as_pairs(current)));
      }
      EXPECT_TRUE(has(to_mask(s.closure), s.right));
    }
    EXPECT_EQ(kept_trivial, trivial);
    for (const fd& f : r.cover.dependencies) cover.emplace_back(to_mask(f.left), f.right);
    EXPECT_EQ(cover, current);
    for (const auto& [x, y] : b.F) EXPECT_EQ(y & ~b.closure(x, as_pairs(cover)), 0u);
    for (std::size_t k = 0; k < cover.size(); ++k) {
      const auto [x, a] = cover[k];
      EXPECT_TRUE(has(b.closure(x), a) && !has(x, a));
      for (int e : columns_of(x)) EXPECT_FALSE(has(b.closure(x & ~(mask{1} << e)), a));
      fds others = cover;
      others.erase(others.begin() + static_cast<std::ptrdiff_t>(k));
      EXPECT_FALSE(has(b.closure(x, as_pairs(others)), a));
    }

    // The synthesis: each scheme step from one left side, every cover dependency used once, a
    // dropped scheme inside a kept one, a key added only when no scheme holds one; the result
    // lossless, preserving, 3NF, no scheme inside another, as the chase and the check say too.
    const std::vector<mask> keys = b.keys(all);
    std::vector<mask> made, kept;
    for (const std::vector<int>& scheme : r.synthesis.schemes) kept.push_back(to_mask(scheme));
    std::vector<int> used;
    for (const synthesis_step& step : r.synthesis.steps) {
      const mask scheme = to_mask(step.scheme);
      if (step.kind == synthesis_step_kind::scheme) {
        mask from = cover[step.from.at(0)].first;
        for (int k : step.from) {
          EXPECT_EQ(cover[k].first, cover[step.from[0]].first);
          from |= mask{1} << cover[k].second;
          used.push_back(k);
        }
        EXPECT_EQ(scheme, from);
        made.push_back(scheme);
      } else if (step.kind == synthesis_step_kind::contained) {
        EXPECT_EQ(scheme & ~to_mask(step.in), 0u);
        EXPECT_NE(std::find(kept.begin(), kept.end(), to_mask(step.in)), kept.end());
      } else {
        EXPECT_NE(std::find(keys.begin(), keys.end(), scheme), keys.end());
        EXPECT_EQ(to_mask(step.closure), all);
        for (mask other : made) EXPECT_NE(b.closure(other), all);
      }
    }
    std::sort(used.begin(), used.end());
    EXPECT_EQ(used.size(), cover.size());
    EXPECT_EQ(std::unique(used.begin(), used.end()), used.end());
    EXPECT_TRUE(chase_finds_lossless(m, r.synthesis.schemes, F));
    for (const auto& [x, y] : b.F) {
      EXPECT_EQ(y & ~b.preserved_closure(r.synthesis.schemes, x), 0u);
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
      mask prime = 0;
      for (mask k : b.keys(kept[i])) prime |= k;
      EXPECT_TRUE(brute_form(b, kept[i], prime));
      for (std::size_t j = 0; j < kept.size(); ++j) EXPECT_TRUE(i == j || (kept[i] & ~kept[j]));
      EXPECT_EQ(r.synthesis_check->forms.at(i),
                brute_form(b, kept[i]) ? normal_form::boyce_codd : normal_form::third);
    }
    EXPECT_EQ(r.synthesis_check->lossless, true);
    EXPECT_EQ(r.synthesis_check->preserving, true);

    // BCNF: the splits replayed from R give the result, each on a violation with its closure;
    // the result lossless and BCNF, and lost exactly the records that it does not preserve.
    std::vector<mask> parts{all}, result;
    for (const bcnf_step& step : r.bcnf.steps) {
      const mask scheme = to_mask(step.scheme), x = to_mask(step.left), y = to_mask(step.right);
      const auto at = std::find(parts.begin(), parts.end(), scheme);
      ASSERT_NE(at, parts.end());
      parts.erase(at);
      const mask closure = b.closure(x);
      EXPECT_EQ(to_mask(step.closure), closure);
      EXPECT_TRUE((x & ~scheme) == 0 && y != 0 && (scheme & ~closure) != 0);
      EXPECT_EQ(y, closure & scheme & ~x);
      EXPECT_EQ(to_mask(step.first), x | y);
      EXPECT_EQ(to_mask(step.second), scheme & ~y);
      parts.push_back(x | y);
      parts.push_back(scheme & ~y);
    }
    for (const std::vector<int>& scheme : r.bcnf.schemes) result.push_back(to_mask(scheme));
    for (mask scheme : result) EXPECT_TRUE(brute_form(b, scheme));
    std::sort(parts.begin(), parts.end());
    std::sort(result.begin(), result.end());
    EXPECT_EQ(parts, result);
    EXPECT_TRUE(chase_finds_lossless(m, r.bcnf.schemes, F));
    std::vector<int> lost;
    for (std::size_t k = 0; k < b.F.size(); ++k) {
      const auto [x, y] = b.F[k];
      if ((y & ~b.preserved_closure(r.bcnf.schemes, x)) != 0) lost.push_back(records[k]);
    }
    EXPECT_EQ(r.bcnf_check->lost, lost);
    EXPECT_EQ(r.bcnf_check->lossless, true);
    for (normal_form f : r.bcnf_check->forms) EXPECT_EQ(f, normal_form::boyce_codd);
  }
}

// What a budget leaves undecided is null in the object, which then says it is incomplete.
TEST(write_design_json, writes_null_where_a_budget_ran_out) {
  design_budget none, no_check;
  none.single_closures = none.cover = none.synthesis = none.bcnf = 0;
  no_check.check.preservation = no_check.check.normal_forms = no_check.check.scheme = 0;
  const std::pair<design_budget, std::vector<std::string>> cases[] = {
      {none,
       {"\"cover\":{\"dependencies\":null,\"steps\":[]}", "\"synthesis\":{\"schemes\":null,",
        "\"lossless\":null,\"preserving\":null,\"forms\":null}", "\"bcnf\":{\"schemes\":null,",
        "\"lost\":null,\"lossless\":null,\"forms\":null}", "\"complete\":false}"}},
      {no_check,
       {"\"lossless\":true,\"preserving\":null,\"forms\":[null]}",
        "\"lost\":null,\"lossless\":true,\"forms\":[null]}", "\"complete\":false}"}},
  };
  for (const auto& [budget, parts] : cases) {
    const designed d = design_text("A,B\n\nA->B\n", budget);
    std::ostringstream out;
    write_design_json(out, d.attr, d.F, d.design);
    std::string json = out.str();  // no string in it holds a blank
    std::erase(json, ' ');
    std::erase(json, '\n');
    for (const std::string& part : parts) EXPECT_NE(json.find(part), std::string::npos) << part;
  }
}

}  // namespace
