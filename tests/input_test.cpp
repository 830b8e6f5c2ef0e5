#include "input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <tuple>

namespace {

using names = std::vector<std::string>;
using indices = std::vector<int>;

names tokens_of(const std::string& line) {
  names tokens;
  for_each_token(line, 0, [&](std::string_view t) { tokens.emplace_back(t); });
  return tokens;
}

TEST(read_token, stops_on_the_comma_or_at_the_end) {
  std::size_t j = 0;
  EXPECT_EQ(read_token("A,,B", j), "A");
  EXPECT_EQ(j, 1u);
  j = 2;
  EXPECT_EQ(read_token("A,,B", j), "");
  EXPECT_EQ(j, 2u);
  j = 3;
  EXPECT_EQ(read_token("A,,B", j), "B");
  EXPECT_EQ(j, 4u);
}

TEST(for_each_token, keeps_empty_names_and_blanks_but_not_a_trailing_comma) {
  EXPECT_EQ(tokens_of(""), names{});
  EXPECT_EQ(tokens_of(","), names{""});
  EXPECT_EQ(tokens_of("A,,B"), (names{"A", "", "B"}));
  EXPECT_EQ(tokens_of(",A"), (names{"", "A"}));
  EXPECT_EQ(tokens_of("A,"), names{"A"});
  EXPECT_EQ(tokens_of("A, B"), (names{"A", " B"}));
  EXPECT_EQ(tokens_of("A->B\t"), names{"A->B\t"});
}

TEST(read_left_token, stops_before_a_byte_followed_by_gt) {
  std::size_t j = 0;
  bool l = true;
  std::string seged;
  read_left_token("AB>C", j, l, seged);
  EXPECT_EQ(seged, "A");
  EXPECT_EQ(j, 1u);
  EXPECT_FALSE(l);
}

TEST(read_left_token, stops_at_end_of_line_without_arrow) {
  std::size_t j = 0;
  bool l = true;
  std::string seged = "x";  // appends
  read_left_token("AB", j, l, seged);
  EXPECT_EQ(seged, "xAB");
  EXPECT_EQ(j, 2u);
  EXPECT_FALSE(l);
}

// Catalogue: "" A B C D ">C" sorted.
const names catalogue_attr = {"", ">C", "A", "B", "C", "D"};

TEST(parse_dependency, cuts_sides_like_the_tokenizers) {
  struct case_ {
    std::string line;
    indices left;
    indices right;
  };
  const case_ cases[] = {
      {"", {}, {}},
      {"B->C", {3}, {4}},
      {"A,B->C,D", {2, 3}, {4, 5}},
      {"A-B,C->D", {2, 3, 4}, {5}},
      {"AB>C,D->A", {2, 1, 5}, {2}},  // B is skipped, ">C" is a name
      {"A,->B", {2, 0}, {3}},
      {"->B", {0}, {3}},
      {"A->", {2}, {}},
      {"A->,", {2}, {0}},
      {"A->B,", {2}, {3}},
      {"B->C->A", {3}, {-1}},
      {"A,B", {2, 3}, {}},
      {"A-", {2}, {}},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.line);
    std::ostringstream err;
    diagnostics d(err);
    halmaz h = parse_dependency(c.line, 1, catalogue_attr, d);
    EXPECT_EQ(h.left, c.left);
    EXPECT_EQ(h.right, c.right);
  }
}

TEST(parse_dependency, reports_unknown_names_and_a_missing_arrow) {
  std::ostringstream err;
  diagnostics d(err);
  parse_dependency("", 1, catalogue_attr, d);
  parse_dependency("A->B", 2, catalogue_attr, d);
  EXPECT_EQ(err.str(), "");
  halmaz h = parse_dependency("X,A-> Y", 3, catalogue_attr, d);
  EXPECT_EQ(h.left, (indices{-1, 2}));
  EXPECT_EQ(h.right, indices{-1});
  parse_dependency("Z", 4, catalogue_attr, d);
  EXPECT_EQ(err.str(),
            "Ismeretlen attributum a fuggosegben: \"X\"\n"
            "Ismeretlen attributum a fuggosegben: \" Y\"\n"
            "Ismeretlen attributum a fuggosegben: \"Z\"\n"
            "Hianyzik a \"->\" a fuggosegbol: Z\n");
  std::ostringstream empty_name;
  diagnostics e(empty_name);
  parse_dependency("->A", 1, {"A"}, e);
  EXPECT_EQ(empty_name.str(), "Ismeretlen attributum a fuggosegben: \"\"\n");
}

names block_lines(line_reader& in, std::string_view& tmp) {
  names lines;
  read_block(in, tmp, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

TEST(read_block, stops_at_the_first_empty_line_and_consumes_it) {
  line_reader in("A\nB\n\nC\n");
  std::string_view tmp;
  EXPECT_EQ(block_lines(in, tmp), (names{"A", "B"}));
  EXPECT_EQ(tmp, "");
  EXPECT_EQ(block_lines(in, tmp), names{"C"});
}

TEST(read_block, never_processes_the_line_that_reaches_end_of_file) {
  line_reader unterminated("A\nB");
  std::string_view tmp;
  EXPECT_EQ(block_lines(unterminated, tmp), names{"A"});
  EXPECT_EQ(tmp, "B");
  // Once at end of file a read leaves tmp as it was.
  EXPECT_EQ(block_lines(unterminated, tmp), names{});
  EXPECT_EQ(tmp, "B");

  line_reader terminated("A\nB\n");
  EXPECT_EQ(block_lines(terminated, tmp), (names{"A", "B"}));
  EXPECT_EQ(tmp, "");
}

TEST(read_block, drops_one_carriage_return_per_line) {
  line_reader in("A\r\nB\r\r\n\r\nC\r");
  std::string_view tmp;
  EXPECT_EQ(block_lines(in, tmp), (names{"A", "B\r"}));
  EXPECT_EQ(block_lines(in, tmp), names{});
  EXPECT_EQ(tmp, "C");
  // The failed read after end of file must not strip again.
  line_reader two("X\r\r");
  block_lines(two, tmp);
  block_lines(two, tmp);
  EXPECT_EQ(tmp, "X\r");
}

catalogue catalogue_of(const std::string& text) {
  line_reader in(text);
  std::string_view tmp;
  std::ostringstream err;
  diagnostics d(err);
  return read_catalogue(in, tmp, d);
}

TEST(read_catalogue, counts_processed_lines_and_lists_each_name_once) {
  catalogue c = catalogue_of("B,C,B\nA,B\n\nX->Y\n");
  EXPECT_EQ(c.attr, (names{"A", "B", "C"}));
  EXPECT_EQ(c.n, 2);
  EXPECT_EQ(catalogue_of("").n, 0);
  EXPECT_EQ(catalogue_of("\nA,B\n").attr, names{});
  // An unterminated last line is not part of the block.
  c = catalogue_of("A,B\nC,D");
  EXPECT_EQ(c.attr, (names{"A", "B"}));
  EXPECT_EQ(c.n, 1);
}

TEST(read_catalogue, lists_each_of_many_repeated_names_once) {
  // Enough names for the list to be sorted and merged several times along the way.
  std::string text;
  std::set<std::string> distinct;
  for (int k = 0; k < 20000; ++k) {
    const std::string name = "N" + std::to_string(k * 7919 % 6007);
    distinct.insert(name);
    text += name + (k % 9 == 8 ? "\n" : ",");
  }
  EXPECT_EQ(catalogue_of(text + "\n\n").attr, names(distinct.begin(), distinct.end()));
}

TEST(read_catalogue, sorts_by_unsigned_bytes) {
  catalogue c = catalogue_of("b,B,9,10,\xc3\xa9,AB,A,,~\n\n");
  EXPECT_EQ(c.attr, (names{"", "10", "9", "A", "AB", "B", "b", "~", "\xc3\xa9"}));
}

TEST(print_catalogue, lists_positions_then_counts) {
  std::ostringstream out;
  print_catalogue(out, catalogue_of("A,B\nB,C\n\n"));
  EXPECT_EQ(out.str(), "atrrsize: 3\n0.: A\n1.: B\n2.: C\nn: 2  m: 3\n");
  std::ostringstream empty;
  print_catalogue(empty, catalogue_of("\n"));
  EXPECT_EQ(empty.str(), "atrrsize: 0\nn: 0  m: 0\n");
}

TEST(attribute_index, finds_exact_names_only_from_any_start) {
  const names attr = {"", ">C", "A", "AB", "ABCDEFGH", "ABCDEFGHI", "B", "b", "\xc3\xa9"};
  for (std::size_t start = 0; start <= attr.size() + 1; ++start) {
    SCOPED_TRACE(start);
    for (std::size_t i = 0; i < attr.size(); ++i)
      EXPECT_EQ(attribute_index(attr, attr[i], start), i);
    for (const char* missing : {"a", "ABCDEFG", "ABCDEFGHIJ", "BB", "\xff"}) {
      EXPECT_EQ(attribute_index(attr, missing, start), -1);
    }
  }
  EXPECT_EQ(attribute_index({}, ""), -1);
}

std::string dependencies_of(const std::string& rest, const std::string& tmp_before = "") {
  line_reader in(rest);
  std::string_view tmp = tmp_before;
  std::ostringstream out, err;
  diagnostics d(err);
  print_dependencies(out, read_dependencies(in, tmp, {"A", "B", "C"}, d));
  return out.str();
}

TEST(read_dependencies, adds_the_record_of_the_line_that_ended_the_block) {
  EXPECT_EQ(dependencies_of("B->C\n"), "1 ->2 \n->\n");
  EXPECT_EQ(dependencies_of("B->C\n\nA->B\n"), "1 ->2 \n->\n");
  EXPECT_EQ(dependencies_of("A,B->C\nB->C"), "0 1 ->2 \n1 ->2 \n");
  EXPECT_EQ(dependencies_of(""), "->\n");
  EXPECT_EQ(dependencies_of("\nA->B\n"), "->\n");
  EXPECT_EQ(dependencies_of("X,A->\n"), "-1 0 ->\n->\n");
}

TEST(read_dependencies, parses_what_the_scheme_block_left_at_end_of_file) {
  line_reader at_end("");
  std::string_view tmp;
  at_end.read_line(tmp);  // at end of file, as after a scheme block that ran to it
  tmp = "B->C";
  std::ostringstream out, err;
  diagnostics d(err);
  print_dependencies(out, read_dependencies(at_end, tmp, {"A", "B", "C"}, d));
  EXPECT_EQ(out.str(), "1 ->2 \n");
}

// The added lines read back as schemes over the same names: CR LF and a UTF-8 mark kept, an
// unterminated dependency line left last, an empty name and a name ending in "\r" intact.
TEST(with_schemes_added, adds_lines_that_read_as_the_schemes_after_the_last_scheme_line) {
  struct case_ {
    std::string input;
    std::vector<std::vector<int>> schemes;
    std::string expected;
  };
  const case_ cases[] = {
      {"A,B\nB,C\n\nB->C\n", {{0, 2}}, "A,B\nB,C\nA,C\n\nB->C\n"},
      {"\xEF\xBB\xBF"
       "A,B\r\nB,C\r\n\r\nB->C\r\n",
       {{0, 2}, {1}},
       "\xEF\xBB\xBF"
       "A,B\r\nB,C\r\nA,C\r\nB\r\n\r\nB->C\r\n"},
      {"A,B\nB,C\nA->C", {{0, 2}}, "A,B\nB,C\nA,C\nA->C"},
      {"A,B\nB,C\n", {{0, 2}}, "A,B\nB,C\nA,C\n"},
      {"B\r\r\n,A\n\n", {{0}, {0, 1}, {2}, {}}, "B\r\r\n,A\n,\n,A\nB\r\r\n\n"},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.input);
    std::ostringstream err;
    diagnostics d(err);
    line_reader before(without_utf8_mark(c.input));
    std::string_view tmp;
    const catalogue old = read_catalogue(before, tmp, d);
    const std::string text = with_schemes_added(c.input, old.attr, c.schemes);
    EXPECT_EQ(text, c.expected);
    line_reader after(without_utf8_mark(text));
    const catalogue now = read_catalogue(after, tmp, d);
    EXPECT_EQ(now.attr, old.attr);
    EXPECT_EQ(now.n, old.n + std::count_if(c.schemes.begin(), c.schemes.end(),
                                           [](const auto& s) { return !s.empty(); }));
  }
}

// The rewritten input reads as the same catalogue with exactly the given schemes, and what the
// scheme block does not hold stays byte for byte: a mark, the ends of lines, the dependencies, a
// line that ended the block unterminated, and the lines after the dependencies.
TEST(with_schemes_replaced, writes_the_schemes_as_the_scheme_lines_and_keeps_the_rest) {
  struct case_ {
    std::string input;
    std::vector<std::vector<int>> schemes;
    std::string expected;
  };
  const case_ cases[] = {
      {"A,B\nB,C\n\nB->C\n", {{0, 1, 2}}, "A,B,C\n\nB->C\n"},
      {"\xEF\xBB\xBF"
       "C,B\r\nB,A\r\n\r\nB->C\r\n\r\n# end",
       {{1, 2}, {0, 1}},
       "\xEF\xBB\xBF"
       "B,C\r\nA,B\r\n\r\nB->C\r\n\r\n# end"},
      {"A,B\nB,C\nA->C", {{0, 2}, {1, 2}}, "A,C\nB,C\nA->C"},
      {"B\r\r\n,A\n\n", {{0, 1, 2}}, ",A,B\r\r\n\n"},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.input);
    std::ostringstream err;
    diagnostics d(err);
    line_reader before(without_utf8_mark(c.input));
    std::string_view tmp;
    const catalogue old = read_catalogue(before, tmp, d);
    const std::string text = with_schemes_replaced(c.input, old.attr, c.schemes);
    EXPECT_EQ(text, c.expected);
    line_reader after(without_utf8_mark(text));
    const catalogue now = read_catalogue(after, tmp, d);
    EXPECT_EQ(now.attr, old.attr);
    EXPECT_EQ(now.n, static_cast<long long>(c.schemes.size()));
  }
}

// Every message about the input names its kind and its line, counted after a UTF-8 mark; a name
// is reported at its first line.
TEST(diagnostics, name_the_kind_and_the_line_of_each_odd_reading) {
  const std::string text =
      "\xEF\xBB\xBF"
      "A,B \n,A\r\nC->D\n\nA->X\nB\n\n \t\n\nA->B\n";
  line_reader f(without_utf8_mark(text));
  std::string_view tmp;
  std::ostringstream err;
  diagnostics d(err, 100);
  const catalogue c = read_catalogue(f, tmp, d);
  report_spaced_names(c, d);
  read_dependencies(f, tmp, c.attr, d);
  std::vector<std::tuple<std::string_view, long long, std::string>> got;
  for (const diagnostic& m : d.kept()) got.emplace_back(kind_name(m.kind), m.line, m.text);
  const decltype(got) want = {
      {"empty_name", 2, ",A"},     {"arrow_in_scheme", 3, "C->D"}, {"blank_in_name", 1, "B "},
      {"unknown_name", 5, "X"},    {"unknown_name", 6, "B"},       {"missing_arrow", 6, "B"},
      {"unread_line", 10, "A->B"},
  };
  EXPECT_EQ(got, want);
  EXPECT_EQ(d.count(), 7u);
  EXPECT_EQ(err.str(),
            "Ures nev a semasorban: ,A\n"
            "Nyil a semasorban (hianyzik az ures sor?): C->D\n"
            "Szokoz vagy tabulator a nevben: \"B \"\n"
            "Ismeretlen attributum a fuggosegben: \"X\"\n"
            "Ismeretlen attributum a fuggosegben: \"B\"\n"
            "Hianyzik a \"->\" a fuggosegbol: B\n"
            "Nem feldolgozott sor (ures sor zarta a fuggosegeket): A->B\n");
}

// A scheme line holding every name is reported only beside other scheme lines, whatever its
// repeats; a line that only looks wide is not. A comment read as a scheme is reported after the
// line's other messages.
TEST(diagnostics, name_a_scheme_that_holds_every_name_and_a_comment_line) {
  struct case_ {
    const char* text;
    const char* err;
  };
  const case_ cases[] = {
      {"A,B\n\n", ""},
      {"A,A,A,A\nA,B\nB,A,B\n\n",
       "Egy sema minden attributumot tartalmaz, igy a felbontas biztosan vesztesegmentes: A,B\n"
       "Egy sema minden attributumot tartalmaz, igy a felbontas biztosan vesztesegmentes: B,A,B\n"},
      {"A,B,B\nB,C\n\n", ""},
      {"//A->B,,C\n\n",
       "Nyil a semasorban (hianyzik az ures sor?): //A->B,,C\n"
       "Ures nev a semasorban: //A->B,,C\n"
       "Megjegyzesnek latszo semasor: //A->B,,C\n"},
      {"#\nA,B\n/ /\n\n", "Megjegyzesnek latszo semasor: #\n"},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.text);
    std::ostringstream err;
    diagnostics d(err);
    line_reader f(c.text);
    std::string_view tmp;
    report_whole_schemes(read_catalogue(f, tmp, d), d);
    EXPECT_EQ(err.str(), c.err);
  }
}

TEST(diagnostics, an_empty_first_line_is_reported_only_when_more_follows) {
  for (const char* text : {"", "\n", "\r\n", "A\n\n"}) {
    std::ostringstream err;
    diagnostics d(err);
    line_reader f(text);
    std::string_view tmp;
    read_catalogue(f, tmp, d);
    EXPECT_EQ(err.str(), "") << text;
  }
  std::ostringstream err;
  diagnostics d(err);
  line_reader f("\n\n");
  std::string_view tmp;
  read_catalogue(f, tmp, d);
  EXPECT_EQ(err.str(), "A bemenet ures sorral kezdodik: nincs egy sema sem\n");
}

}  // namespace
