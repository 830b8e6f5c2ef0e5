#include "run.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "test_util.h"

namespace {

run_result run_text(const std::string& text, const run_options& options, std::string* trace,
                    std::string* messages = nullptr) {
  std::ostringstream console, err;
  diagnostics d(err);
  run_result r = run(text, console, d, options);
  if (trace != nullptr) *trace = console.str();
  if (messages != nullptr) *messages = err.str();
  return r;
}

TEST(run, gives_the_verdict_the_trace_and_the_result_file) {
  std::string trace;
  const run_result r = run_text("A,B\nB,C\n\nB->C\n", {}, &trace);
  EXPECT_EQ(r.exit_code, exit_ok);
  ASSERT_TRUE(r.lossless.has_value());
  EXPECT_TRUE(*r.lossless);
  EXPECT_EQ(r.result, "A,B\nB,C\n\nB->C\n\n\nvesztesegmentes");
  EXPECT_TRUE(trace.ends_with("\n\nvesztesegmentes\n\nFileba: \n"));
  EXPECT_EQ(r.attr, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_FALSE(r.check.has_value());
  EXPECT_FALSE(r.kept);
}

TEST(run, keeps_the_tableaux_only_when_they_are_small_enough) {
  run_options options;
  options.keep_cells = 9;
  const run_result small = run_text("A,B\nB,C\n\nA->C\n", options, nullptr);
  ASSERT_TRUE(small.kept);
  EXPECT_EQ(dump(small.initial), "A B C|0 0 1|2 0 0");
  EXPECT_EQ(dump(small.chased), "A B C|0 0 1|2 0 0");
  EXPECT_FALSE(*small.lossless);
  options.keep_cells = 8;
  EXPECT_FALSE(run_text("A,B\nB,C\n\nA->C\n", options, nullptr).kept);
}

// The check runs after the chase, on the same readings; a repair comes with the input it repairs,
// its UTF-8 mark and line ends kept.
TEST(run, checks_the_decomposition_when_asked) {
  run_options options;
  options.check = true;
  const run_result r = run_text(
      "\xEF\xBB\xBF"
      "A,B\r\nC,D\r\n\r\nA->B\r\n",
      options, nullptr);
  ASSERT_TRUE(r.check.has_value());
  EXPECT_EQ(r.schemes, (std::vector<std::vector<int>>{{0, 1}, {2, 3}}));
  ASSERT_TRUE(r.check->repair.has_value());
  EXPECT_EQ(r.check->repair->reason, repair_reason::key);
  EXPECT_EQ(r.repaired,
            "\xEF\xBB\xBF"
            "A,B\r\nC,D\r\nA,C,D\r\n\r\nA->B\r\n");
}

TEST(run, tells_how_far_the_check_got) {
  run_options options;
  options.check = true;
  std::vector<std::string> told;
  options.progress = [&](check_part part, long long done, long long total) {
    told.push_back(std::string(kind_name(part)) + " " + std::to_string(done) + "/" +
                   std::to_string(total));
  };
  run_text("A,B\nB,C\n\nA->B\nB->C\n", options, nullptr);
  EXPECT_EQ(told, (std::vector<std::string>{"preservation 0/2", "preservation 1/2",
                                            "preservation 2/2", "keys 0/-1", "normal_forms 0/2",
                                            "normal_forms 1/2", "redundancy 0/-1"}));
}

TEST(run, refuses_utf16_before_reading) {
  std::ostringstream err;
  diagnostics d(err);
  EXPECT_TRUE(
      refuse_utf16("\xFF\xFE"
                   "A",
                   "input", d));
  EXPECT_FALSE(refuse_utf16("A,B\n", "input", d));
  EXPECT_EQ(err.str(), "A bemeneti fajl UTF-16 kodolasu, mentse UTF-8 kodolassal: input\n");
}

}  // namespace
