#include "tidy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "chase.h"
#include "test_util.h"

namespace {

struct case_ {
  const char* habit;
  std::string before;
  std::string after;
  std::vector<std::pair<std::string_view, long long>> changes;
};

std::vector<std::pair<std::string_view, long long>> changes_of(const tidy_result& r) {
  std::vector<std::pair<std::string_view, long long>> changes;
  for (const tidy_change& c : r.changes) changes.emplace_back(kind_name(c.kind), c.line);
  return changes;
}

const case_ cases[] = {
    {"canonical", "A,B\nB,C\n\nB->C\n", "A,B\nB,C\n\nB->C\n", {}},
    {"blanks around names and the arrow",
     "A, B\nB ,C \t\n\nB -> C\n",
     "A,B\nB,C\n\nB->C\n",
     {{"blanks", 1}, {"blanks", 2}, {"blanks", 4}}},
    {"comments",
     "# exercise d\nA,B\n// second\nB,C\n\n#deps\nB->C\n",
     "A,B\nB,C\n\nB->C\n",
     {{"comment", 1}, {"comment", 3}, {"comment", 6}}},
    {"empty lines first and between",
     "\n  \nA,B\nB,C\n \n\n\t\nB->C\n",
     "A,B\nB,C\n\nB->C\n",
     {{"empty_line", 1},
      {"empty_line", 2},
      {"empty_line", 5},
      {"empty_line", 6},
      {"empty_line", 7}}},
    {"arrows",
     "A,B\nB,C\n\nA\xE2\x86\x92"
     "B\nB=>C\n",
     "A,B\nB,C\n\nA->B\nB->C\n",
     {{"arrow", 4}, {"arrow", 5}}},
    {"named schemes",
     "R1(A,B)\nR2 = (B, C)\n\nB->C\n",
     "A,B\nB,C\n\nB->C\n",
     {{"scheme_name", 1}, {"blanks", 2}, {"scheme_name", 2}}},
    {"textbook notation",
     "ABC\nCD\n\nAB->C\nC->D\n",
     "A,B,C\nC,D\n\nA,B->C\nC->D\n",
     {{"textbook", 1}, {"textbook", 2}, {"textbook", 4}}},
    {"textbook with digits and primes",
     "A1A2B'\nB'C\n\nA1A2->B'\n",
     "A1,A2,B'\nB',C\n\nA1,A2->B'\n",
     {{"textbook", 1}, {"textbook", 2}, {"textbook", 4}}},
    {"lower case and comma lists are never split",
     "AB,c\nABc\n\nAB->c\n",
     "AB,c\nABc\n\nAB->c\n",
     {}},
    {"single letters only: nothing to split", "A\nB\n\nA->B\n", "A\nB\n\nA->B\n", {}},
    {"mark, CR LF and lines after the block kept",
     "\xEF\xBB\xBF"
     "A, B\r\n\r\n\r\nB->C\r\n\r\n # x \r\n",
     "\xEF\xBB\xBF"
     "A,B\r\n\r\nB->C\r\n\r\n # x \r\n",
     {{"blanks", 1}, {"empty_line", 3}}},
    {"a blank-only line ends the dependencies",
     "A,B\n\nB->C\n  \nX",
     "A,B\n\nB->C\n\nX",
     {{"blanks", 4}}},
    {"unterminated last line", "A ,B\n\nB ->C", "A,B\n\nB->C", {{"blanks", 1}, {"blanks", 3}}},
    {"several habits at once",
     "\n# 5.3\nR1(ABC)\nCD\n\n\nAB → C\nC=>D\n",
     "A,B,C\nC,D\n\nA,B->C\nC->D\n",
     {{"empty_line", 1},
      {"comment", 2},
      {"scheme_name", 3},
      {"textbook", 3},
      {"textbook", 4},
      {"empty_line", 6},
      {"blanks", 7},
      {"arrow", 7},
      {"textbook", 7},
      {"arrow", 8}}},
    {"a comma list in parentheses: its names split a dependency's letters",
     "R(A, B, C)\n\nAB->C\n",
     "A,B,C\n\nA,B->C\n",
     {{"blanks", 1}, {"scheme_name", 1}, {"mixed_notation", 3}}},
    {"named schemes with mixed notation",
     "R1 = (A, B, C)\nR2 = (A, D, E)\n\nA -> BC\nCD -> E\nB -> D\nE -> A\n",
     "A,B,C\nA,D,E\n\nA->B,C\nC,D->E\nB->D\nE->A\n",
     {{"blanks", 1},
      {"scheme_name", 1},
      {"blanks", 2},
      {"scheme_name", 2},
      {"blanks", 4},
      {"mixed_notation", 4},
      {"blanks", 5},
      {"mixed_notation", 5},
      {"blanks", 6},
      {"blanks", 7}}},
    {"mixed notation splits into scheme names only",
     "A,B,AB\nC,c,A1,A2\n\nAB->C\nBC->A\nCc->A\nAD->B\nA1A2->B\n",
     "A,B,AB\nC,c,A1,A2\n\nAB->C\nB,C->A\nCc->A\nAD->B\nA1,A2->B\n",
     {{"mixed_notation", 5}, {"mixed_notation", 8}}},
    {"braces",
     "R1 = {A, B, C}\nR2{C,D}\n{D, E}\n\n{A, B} -> {C}\n{D}->E\n",
     "A,B,C\nC,D\nD,E\n\nA,B->C\nD->E\n",
     {{"blanks", 1},
      {"scheme_name", 1},
      {"braces", 1},
      {"scheme_name", 2},
      {"braces", 2},
      {"blanks", 3},
      {"braces", 3},
      {"blanks", 5},
      {"braces", 5},
      {"braces", 6}}},
    {"a relation and its decomposition on one line each",
     "R = ABCD\nd = {AB, CD}\n\nA -> B\n",
     "A,B\nC,D\n\nA->B\n",
     {{"scheme_name", 1},
      {"whole_relation", 1},
      {"textbook", 2},
      {"one_line_decomposition", 2},
      {"blanks", 4}}},
    {"a decomposition named rho, with items of every notation",
     "\xCF\x81 = (AB, BCD, AEF)\nrho={R4(CF), {DE}}\n\nA->F\n",
     "A,B\nB,C,D\nA,E,F\nC,F\nD,E\n\nA->F\n",
     {{"textbook", 1},
      {"one_line_decomposition", 1},
      {"scheme_name", 2},
      {"textbook", 2},
      {"one_line_decomposition", 2},
      {"braces", 2}}},
    {"arrows of other fonts",
     "A,B\n\nA \xE2\x87\x92 B\nA\xE2\x9F\xB6"
     "B\nA-->B\nB--->A\n",
     "A,B\n\nA->B\nA->B\nA->B\nB->A\n",
     {{"blanks", 3}, {"arrow", 3}, {"arrow", 4}, {"arrow", 5}, {"arrow", 6}}},
    {"several dependencies on one line",
     "A,B,C,D,E\n\nF = {A -> BC, CD -> E}\nF: A, B -> C; D -> E\nA -> B; C -> D\n",
     "A,B,C,D,E\n\nA->B,C\nC,D->E\nA,B->C\nD->E\nA->B\nC->D\n",
     {{"blanks", 3},
      {"dependency_list", 3},
      {"mixed_notation", 3},
      {"blanks", 4},
      {"dependency_list", 4},
      {"blanks", 5},
      {"dependency_list", 5}}},
    {"a list whose parts are not one dependency each stays",
     "A,B,C\n\nA -> B, C\nF = {A,B -> C, C -> A}\nA->B;C\n{F: A} -> B\n",
     "A,B,C\n\nA->B,C\nF = {A,B->C,C -> A}\nA->B;C\n{F: A}->B\n",
     {{"blanks", 3}, {"blanks", 4}, {"blanks", 6}}},
    {"a list split at semicolons keeps the commas of its parts",
     "A,B,C\n\nF = {A -> BC,; C -> A}\n",
     "A,B,C\n\nA->B,C,\nC->A\n",
     {{"blanks", 3}, {"dependency_list", 3}, {"mixed_notation", 3}}},
    {"trailing comments",
     "A,B   # first\nB,C\t// second\n\nA -> B # given\nB->A#1\n",
     "A,B\nB,C\n\nA->B\nB->A#1\n",
     {{"trailing_comment", 1}, {"trailing_comment", 2}, {"blanks", 4}, {"trailing_comment", 4}}},
    {"blank-separated names",
     "A B C\nC\tD\n\nA B -> C\nA -> B -> C\n",
     "A,B,C\nC,D\n\nA,B->C\nA->B -> C\n",
     {{"blank_separated", 1},
      {"blank_separated", 2},
      {"blanks", 4},
      {"blank_separated", 4},
      {"blanks", 5}}},
    {"the whole relation above its parts",
     "R(A,B,C,D,E)\nR1(A,B,C)\nR2(C,D,E)\n\nA->D\n",
     "A,B,C\nC,D,E\n\nA->D\n",
     {{"scheme_name", 1}, {"whole_relation", 1}, {"scheme_name", 2}, {"scheme_name", 3}}},
    {"no whole relation above one part", "A,B,C\nA,B\n\nA->C\n", "A,B,C\nA,B\n\nA->C\n", {}},
    // Dropping the first line would leave a line that holds all the rest, and a second tidy-up
    // would drop that too.
    {"no whole relation above a part that holds the rest",
     "A,B,C,D\nA,B,C\nA,B\nB,C\n\nA->D\n",
     "A,B,C,D\nA,B,C\nA,B\nB,C\n\nA->D\n",
     {}},
    {"lines written from one line end as it does",
     "\xEF\xBB\xBF"
     "d = (AB, BC)\r\n\r\nF = {A -> B; B -> C}",
     "\xEF\xBB\xBF"
     "A,B\r\nB,C\r\n\r\nA->B\r\nB->C",
     {{"textbook", 1}, {"one_line_decomposition", 1}, {"blanks", 3}, {"dependency_list", 3}}},
    // The stray carriage return that ends the file is no line end for the lines before it.
    {"an unterminated last line ending in CR, written as two",
     "A\r\n\r\nA->A,A->A\r",
     "A\r\n\r\nA->A\r\nA->A\r",
     {{"dependency_list", 3}}},
    // Tidied, "A -" and the arrow would read as "A -->", which is an arrow again.
    {"a left side ending in a dash stays", "A\n\nA - -> B\n", "A\n\nA - -> B\n", {}},
    {"not a list of schemes: an empty item, a comment, an arrow",
     "d = (AB, , BC)\nd = (#A)\nR = {A -> B}\n\nA->B\n",
     "AB,,BC\nd = (#A)\nR = {A -> B}\n\nA->B\n",
     {{"blanks", 1}, {"scheme_name", 1}}},
};

TEST(tidy, names_the_input_line_of_each_line_it_keeps) {
  const tidy_result r = tidy("\n# x\nA, B\n\n\nB->C\n\nrest\n");
  EXPECT_EQ(r.bytes, "A,B\n\nB->C\n\nrest\n");
  EXPECT_EQ(r.source, (std::vector<long long>{3, 4, 6, 7, 8}));
  EXPECT_EQ(tidy("A\nB").source, (std::vector<long long>{1, 2}));
  EXPECT_EQ(tidy("A\n \t").source, (std::vector<long long>{1}));
  EXPECT_EQ(tidy("R(A,B,C)\nd = (AB, BC)\n\nF = {A -> B, B -> C}\n").source,
            (std::vector<long long>{2, 2, 3, 4, 4}));
}

TEST(tidy, rewrites_each_habit_and_names_its_lines) {
  for (const case_& c : cases) {
    SCOPED_TRACE(c.habit);
    const tidy_result once = tidy(c.before);
    EXPECT_EQ(once.bytes, c.after);
    EXPECT_EQ(changes_of(once), c.changes);
    // Every line of the result comes from an input line, in order.
    const std::size_t lines =
        static_cast<std::size_t>(std::count(once.bytes.begin(), once.bytes.end(), '\n')) +
        (once.bytes.empty() || once.bytes.back() == '\n' ? 0 : 1);
    EXPECT_EQ(once.source.size(), lines);
    EXPECT_TRUE(std::is_sorted(once.source.begin(), once.source.end()));
    // Idempotent: the tidied text is left as it is.
    const tidy_result twice = tidy(once.bytes);
    EXPECT_EQ(twice.bytes, once.bytes);
    EXPECT_TRUE(twice.changes.empty());
  }
}

// What the tidy-up is for: the five-scheme exercise (lossless: the chase turns the row of B,E into
// zeros), typed with each habit of a student and with several at once, reads after tidying as the
// textbook meant it, with no message at all.
TEST(tidy, a_tidied_exercise_runs_as_meant_without_a_message) {
  const std::string typed[] = {
      "A,D\nA,B\nB,E\nC,D,E\nA,E\n\n\nA->C\nB->C\nC->D\nD,E->C\nC,E->A\n",
      "A,D\nA,B \nB,E\nC,D,E \nA,E\n\nA->C\nB->C\nC->D\nD,E->C\nC,E->A\n",
      "# exercise d\nA,D\nA,B\nB,E\nC,D,E\nA,E\n\nA->C\nB->C\nC->D\nD,E->C\nC,E->A\n",
      "\nA,D\nA,B\nB,E\nC,D,E\nA,E\n\nA->C\nB->C\nC->D\nD,E->C\nC,E->A\n",
      "A, D\nA, B\nB, E\nC, D, E\nA, E\n\nA -> C\nB -> C\nC -> D\nD, E -> C\nC, E -> A\n",
      "AD\nAB\nBE\nCDE\nAE\n\nA->C\nB->C\nC->D\nDE->C\nCE->A\n",
      "// 3.14\n\nR1(AD)\nR2(AB)\nR3(BE)\nR4(CDE)\nR5(AE)\n \n\nA → C\nB → C\nC → D\nDE → C\nCE → "
      "A\n",
      "\xEF\xBB\xBF# d\r\nA, D\r\nA,B\r\nB,E\r\nC,D,E\r\nA,E\r\n\r\n\r\nA=>C\r\nB->C\r\nC->D\r\n"
      "D,E->C\r\nC, E->A\r\n",
      "R(A, B, C, D, E)  # the relation\nR1 = {A, D}\nR2 = {A, B}\nR3 = {B, E}\nR4 = {C, D, E}\n"
      "R5 = {A, E}\n\nF = {A -> C, B -> C, C -> D, DE -> C, CE -> A}\n",
      "R = ABCDE\n\xCF\x81 = (AD, AB, BE, CDE, AE)\n\nA \xE2\x87\x92 C; B \xE2\x87\x92 C; C "
      "\xE2\x87\x92 D\nDE --> C  // last two\nCE --> A\n",
      "R1(A D)\nR2(A B)\nR3(B E)\nR4(C D E)\nR5(A E)\n\n{A} -> {C}\nB -> C\nC -> D\n{D, E} -> C\n"
      "C E -> A\n",
  };
  for (const std::string& text : typed) {
    SCOPED_TRACE(text);
    const std::string tidied = tidy(text).bytes;
    line_reader first(without_utf8_mark(tidied)), second(without_utf8_mark(tidied));
    std::string_view tmp;
    std::ostringstream err, echo;
    diagnostics d(err);
    const catalogue c = read_catalogue(first, tmp, d);
    report_spaced_names(c, d);
    matrix m = build_tableau(second, tmp, echo, c.attr, static_cast<int>(c.n));
    chase(m, read_dependencies(second, tmp, c.attr, d));
    EXPECT_EQ(c.attr, (std::vector<std::string>{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(verdict(m), "vesztesegmentes");
  }
}

// A table as one line: "whole,complete,<changed lines>", then per row "|<line> <texts joined by
// "/">" or "|<line> -<old text>" when dropped, then its kinds in brackets when changed.
std::string dump(const tidy_table& t) {
  std::string text = std::string(t.whole ? "whole" : "part") +
                     (t.complete ? ",complete," : ",cut,") + std::to_string(t.changed_lines);
  for (const tidy_row& row : t.rows) {
    text += "|" + std::to_string(row.line) + (row.dropped ? " -" + row.old_text : " ");
    for (std::size_t i = 0; i < row.text.size(); ++i) text += (i > 0 ? "/" : "") + row.text[i];
    for (std::size_t i = 0; i < row.kinds.size(); ++i) {
      text += std::string(i > 0 ? "," : " [") + std::string(kind_name(row.kinds[i]));
    }
    if (!row.kinds.empty()) text += "]";
  }
  return text;
}

TEST(tidy_rows, pairs_each_input_line_with_what_it_became) {
  struct row_case {
    std::string input;
    std::size_t limit;
    std::size_t characters;
    std::string expected;
  };
  const row_case cases[] = {
      {"", 200, 1000, "whole,complete,0"},
      {"\xEF\xBB\xBF# x\r\nd = (AB, BC)\r\n\r\nA -> B\r\nrest", 200, 1000,
       "whole,complete,3|1 -# x [comment]|2 A,B/B,C [textbook,one_line_decomposition]|3 |4 A->B "
       "[blanks]|5 rest"},
      // More lines than rows: only the changed ones, as many as fit.
      {"A, B\nB,C\nC,D\n\nA->B\n", 4, 1000, "part,complete,1|1 A,B [blanks]"},
      {"A, B\nB,C\nC, D\n\nA->B\n", 1, 1000, "part,cut,2|1 A,B [blanks]"},
      {"\n\n\nA\nB\n", 2, 1000, "whole,cut,3|1 - [empty_line]|2 - [empty_line]"},
      // Cut as a browser counts: é one unit, the emoji two, a broken sequence one; a leading
      // mark none.
      {"a\xC3\xA9\xF0\x9F\x98\x80"
       "bc\n",
       200, 3, "whole,complete,0|1 a\xC3\xA9\xE2\x80\xA6"},
      {"a\xC3\xA9\xF0\x9F\x98\x80"
       "bc\n",
       200, 5,
       "whole,complete,0|1 a\xC3\xA9\xF0\x9F\x98\x80"
       "b\xE2\x80\xA6"},
      {"a\xC3\xA9\xF0\x9F\x98\x80"
       "bc\n",
       200, 6,
       "whole,complete,0|1 a\xC3\xA9\xF0\x9F\x98\x80"
       "bc"},
      {"a\xFF\xE2\x82"
       "bc\n\nA\n\n\xEF\xBB\xBFxyz",
       200, 3, "whole,complete,0|1 a\xFF\xE2\x82\xE2\x80\xA6|2 |3 A|4 |5 \xEF\xBB\xBFxyz"},
  };
  for (const row_case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(dump(tidy_rows(c.input, tidy(c.input), c.limit, c.characters)), c.expected);
  }
}

}  // namespace
