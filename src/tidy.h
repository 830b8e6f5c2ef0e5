// The tidy-up: rewrites the usual ways of typing a decomposition into the input format, so that a
// front end can offer the rewritten text. The format itself does not change: names stay bytes and
// blanks stay part of them for every run; only the text that a person accepts is rewritten.

#ifndef LOSSLESS_TIDY_H_
#define LOSSLESS_TIDY_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Which habit a rewrite undoes.
enum class rewrite {
  blanks,            // blanks and tabs around names and the arrow dropped: "A, B" -> "A,B"
  comment,           // a line starting with "#" or "//" dropped
  empty_line,        // an empty or blank-only line before the schemes dropped, or one of several
                     // between the schemes and the dependencies
  arrow,             // "→", "⇒", "⟶", "=>" or "-->" written as "->"
  scheme_name,       // "R1(A,B)", "R1 = (A, B)" or "R = AB" written as its list
  textbook,          // "AB->C" written as "A,B->C", letter by letter
  trailing_comment,  // "A -> B  # given" written as "A -> B"
  one_line_decomposition,  // "d = (AB, BC)" written as one scheme line per item
  dependency_list,         // "F = {A -> B, B -> C}" written as one dependency per line
  braces,                  // "{A, B}" written as its list, as a scheme or as a side
  blank_separated,         // "A B C" written as "A,B,C"
  mixed_notation,          // "BC" written as "B,C" where B and C are names of the schemes
  whole_relation,          // the first scheme line, holding every name of the others, dropped
};

// The kind name of a rewrite: "blanks", "comment", "empty_line", "arrow", "scheme_name",
// "textbook", "trailing_comment", "one_line_decomposition", "dependency_list", "braces",
// "blank_separated", "mixed_notation", "whole_relation".
std::string_view kind_name(rewrite r);

// One rewrite, on the input's line `line` (from 1, after a UTF-8 mark).
struct tidy_change {
  rewrite kind;
  long long line;
};

struct tidy_result {
  std::string bytes;  // the rewritten input
  // By line, then in the order of the kinds above, each kind at most once per input line, however
  // many lines that line became; empty: bytes == input.
  std::vector<tidy_change> changes;
  // For each line of bytes, in order, the input line it was written from: the tidy-up keeps lines
  // in their order, rewritten or not, drops them, or writes one as several (a decomposition or a
  // list of dependencies on one line), whose number then repeats. So a front end can show each line
  // beside its old text without pairing them itself.
  std::vector<long long> source;
};

// Rewrites the input's scheme and dependency blocks:
// - lines before the first scheme that are empty, blank or comments are dropped; the scheme block
//   then ends at the first empty or blank-only line, and of the empty, blank and comment lines
//   after it one empty line is kept; the dependency block ends at the next empty or blank-only
//   line, which becomes empty; lines after it are kept as they are;
// - comment lines inside the blocks are dropped, and so are blanks then "#" or "//" to the end of
//   a line of the blocks;
// - a scheme line "d = (AB, BC)", "d = {AB, BC}", "ρ = (...)" or "rho = (...)" becomes one scheme
//   line per item, in order;
// - a scheme line "Name(A,B)", "Name = (A, B)", "Name{A,B}", "Name = {A, B}", "{A, B}" or
//   "Name = AB" keeps its list only;
// - in dependency lines "→", "⇒", "⟶", "=>" and "-->" become "->";
// - a dependency line, after an optional "F =" or "F:" and braces around all of it, whose parts
//   (separated by ";", or by "," when it holds no ";") each hold one arrow becomes one line per
//   part, in order: "F = {A -> B, C -> D}";
// - a side of a dependency in braces, "{A, B} -> {C}", loses them;
// - blanks and tabs around each name and around the arrow are dropped, and a scheme line or a side
//   that holds several words and no comma, bracket, "=", ">", ";" or ":" becomes those names:
//   "A B" -> "A,B";
// - when every scheme line is a run like "AB", "A1A2" or "AB'" (capital letters, each with
//   optional digits and primes), each letter with its digits and primes becomes a name: "A,B";
//   so do the dependencies' sides when they all are such runs too;
// - when the first scheme line holds every name of the others ("ABCD" those of "AB" and "CD" when
//   they are read letter by letter) and at least two follow, it is dropped: the relation written
//   above its decomposition. Not when the next line holds every name of those after it too, which
//   a second tidy-up would then drop;
// - a name of a dependency that is no name of the schemes but a run of letters that all are, is
//   split into them: "BC->A" -> "B,C->A"; a name of the schemes is never split.
// A rewrite that would leave a line reading as something else the next time is not made: a
// decomposition with an empty or comment item, braces around a side holding ";" or ":", the
// tidied sides of a dependency whose left side ends in "-" before the arrow.
// A UTF-8 mark and each kept line's own line end (LF or CR LF) stay; the lines written from one
// line all end as it does (an unterminated last line's new lines but the last as the line before
// it, or LF). Tidying twice changes nothing more, and an input that no rule touches comes back byte
// for byte.
tidy_result tidy(std::string_view input);

// One input line in the table that a front end shows of a tidy-up.
struct tidy_row {
  long long line = 0;             // from 1, after a UTF-8 mark
  std::vector<std::string> text;  // the lines written from it, each shortened; none when dropped
  bool dropped = false;
  std::string old_text;        // when dropped, the input line, shortened
  std::vector<rewrite> kinds;  // what changed it, in the order of the changes; none: unchanged
};

struct tidy_table {
  std::vector<tidy_row> rows;  // by line
  bool whole = false;          // the rewritten text has at most `limit` lines: each has a row
  bool complete = false;       // every changed input line has a row
  long long changed_lines = 0;
};

// The rows that show a tidy-up of the input: a row per input line when the result has at most
// `limit` lines, else one per changed input line; at most `limit` rows, in input order. A text
// longer than `characters` characters as a browser counts them (UTF-16 units, a broken UTF-8
// sequence as one) keeps that many, or one less before a character of two units, followed by
// "…"; a leading UTF-8 mark, which a browser's decoder drops, is not counted. Texts stay bytes.
tidy_table tidy_rows(std::string_view input, const tidy_result& t, std::size_t limit,
                     std::size_t characters);

#endif  // LOSSLESS_TIDY_H_
