#include "json.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "analysis.h"
#include "chase.h"
#include "test_util.h"

namespace {

std::string as_json(std::string_view text) {
  std::ostringstream out;
  write_json_string(out, text);
  return out.str();
}

TEST(write_json_string, escapes_what_json_requires_and_replaces_what_is_not_utf8) {
  const std::string fffd = "\xEF\xBF\xBD";
  struct case_ {
    std::string text;
    std::string expected;
  };
  const case_ cases[] = {
      {"", "\"\""},
      {"A", "\"A\""},
      {"A\"\\B", "\"A\\\"\\\\B\""},
      {"\n\r\t\x01\x1f", "\"\\n\\r\\t\\u0001\\u001f\""},
      {"f\xC3\xBCgg\xC5\x91", "\"f\xC3\xBCgg\xC5\x91\""},  // ü and ő pass as they are
      {"\xF0\x9D\x84\x9E", "\"\xF0\x9D\x84\x9E\""},        // four bytes: U+1D11E
      {"A\xFF", "\"A" + fffd + "\""},
      {"\xE2\x82", "\"" + fffd + "\""},  // cut short: one replacement
      {"\xE2\x82"
       "A",
       "\"" + fffd + "A\""},
      {"\xC0\xAF", "\"" + fffd + fffd + "\""},                        // overlong: no valid start
      {"\xED\xA0\x80", "\"" + fffd + fffd + fffd + "\""},             // a surrogate
      {"\xF4\x90\x80\x80", "\"" + fffd + fffd + fffd + fffd + "\""},  // above U+10FFFF
      {"\xF0\x9F\x98", "\"" + fffd + "\""},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(as_json(c.text), c.expected);
  }
}

std::string json_of(const std::string& text, const check_budget& budget = {}) {
  const run_result r = run_checked(text, budget);
  std::ostringstream out;
  write_json(out, r.attr, r.schemes, r.F, *r.lossless, *r.check);
  return out.str();
}

// examples/lossy.txt: A->B and C->D are preserved in one round each, A,C is the only key, each
// scheme is in BCNF, and adding the key repairs the join.
TEST(write_json, writes_every_answer_of_the_lossy_example) {
  EXPECT_EQ(json_of("A,B\nB,C\nC,D\n\nA->B\nC->D\n"),
            R"({"version": "1.3.0",
 "attributes": ["A", "B", "C", "D"],
 "schemes": [[0, 1], [1, 2], [2, 3]],
 "dependencies": [{"left": [0], "right": [1]}, {"left": [2], "right": [3]}, {"left": [], "right": []}],
 "lossless": false,
 "preservation": {"preserving": true, "complete": true,
  "lost": [],
  "preserved": [
    {"dependency": 0, "closure": [0, 1], "rounds": [{"round": 1, "scheme": 0, "added": [1], "closure": [0, 1]}]},
    {"dependency": 1, "closure": [2, 3], "rounds": [{"round": 1, "scheme": 2, "added": [3], "closure": [2, 3]}]}]},
 "keys": {"complete": true, "keys": [[0, 2]],
  "derivations": [[{"dependency": 0, "added": [1]}, {"dependency": 1, "added": [3]}]]},
 "normal_forms": [
  {"form": "BCNF", "keys": [[0]], "keys_complete": true, "witness": null},
  {"form": "BCNF", "keys": [[1, 2]], "keys_complete": true, "witness": null},
  {"form": "BCNF", "keys": [[2]], "keys_complete": true, "witness": null}],
 "redundant": [],
 "repair": {"add": [[0, 2]], "from": [-1], "lossless": true, "preserving": true},
 "complete": true}
)");
}

// A lost dependency with what it misses, a 1NF witness with its key, an unknown name kept as -1.
TEST(write_json, writes_lost_dependencies_and_witnesses) {
  const std::string json = json_of("A,C,D\nA,B\n\nA->B\nB->C\nX->A\n");
  EXPECT_NE(
      json.find(
          R"("dependencies": [{"left": [0], "right": [1]}, {"left": [1], "right": [2]}, {"left": [-1], "right": [0]}, {"left": [], "right": []}])"),
      std::string::npos);
  EXPECT_NE(json.find(R"("lost": [
    {"dependency": 1, "closure": [1], "missing": [2], "rounds": []}])"),
            std::string::npos);
  EXPECT_NE(
      json.find(
          R"({"form": "1NF", "keys": [[0, 3]], "keys_complete": true, "witness": {"left": [0], "right": 2, "key": [0, 3]}})"),
      std::string::npos);
}

// What "not decided" looks like: null answers, incomplete lists, no repair.
TEST(write_json, writes_null_for_what_is_not_decided) {
  check_budget none;
  none.single_closures = none.preservation = none.keys = none.normal_forms = none.scheme =
      none.redundancy = 0;
  EXPECT_EQ(json_of("A,B\n\nA->B\n", none), R"({"version": "1.3.0",
 "attributes": ["A", "B"],
 "schemes": [[0, 1]],
 "dependencies": [{"left": [0], "right": [1]}, {"left": [], "right": []}],
 "lossless": true,
 "preservation": {"preserving": null, "complete": false,
  "lost": [],
  "preserved": []},
 "keys": {"complete": false, "keys": [],
  "derivations": []},
 "normal_forms": [
  {"form": null, "keys": [], "keys_complete": false, "witness": null}],
 "redundant": [],
 "repair": null,
 "complete": false}
)");
}

// A budget that runs out after the first lost record: the answer is "not preserving", but the
// lists hold only what was decided, and preservation says that they are cut.
TEST(write_json, says_when_the_budget_cut_the_preservation_lists) {
  check_budget small;
  small.preservation = 40;
  const std::string json = json_of("A,B\nC,D\n\nA->C\nB->D\nC->A\n", small);
  EXPECT_NE(json.find(R"("preservation": {"preserving": false, "complete": false,
  "lost": [
    {"dependency": 0, "closure": [0], "missing": [2], "rounds": []}],
  "preserved": []})"),
            std::string::npos)
      << json;
}

}  // namespace
