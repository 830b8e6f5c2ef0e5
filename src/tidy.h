// The tidy-up: rewrites the usual ways of typing a decomposition into the input format, so that a
// front end can offer the rewritten text. The format itself does not change: names stay bytes and
// blanks stay part of them for every run; only the text that a person accepts is rewritten.

#ifndef LOSSLESS_TIDY_H_
#define LOSSLESS_TIDY_H_

#include <string>
#include <string_view>
#include <vector>

// Which habit a rewrite undoes.
enum class rewrite {
  blanks,       // blanks and tabs around names and the arrow dropped: "A, B" -> "A,B"
  comment,      // a line starting with "#" or "//" dropped
  empty_line,   // an empty or blank-only line before the schemes dropped, or one of several
                // between the schemes and the dependencies
  arrow,        // "→" or "=>" written as "->"
  scheme_name,  // "R1(A,B)" or "R1 = (A, B)" written as "A,B"
  textbook,     // "AB->C" written as "A,B->C", letter by letter
};

// The kind name of a rewrite: "blanks", "comment", "empty_line", "arrow", "scheme_name",
// "textbook".
std::string_view kind_name(rewrite r);

// One rewrite, on the input's line `line` (from 1, after a UTF-8 mark).
struct tidy_change {
  rewrite kind;
  long long line;
};

struct tidy_result {
  std::string bytes;                 // the rewritten input
  std::vector<tidy_change> changes;  // by line, then in the order above; empty: bytes == input
  // For each line of bytes, in order, the input line it was written from: the tidy-up keeps lines
  // in their order, rewritten or not, or drops them, so a front end can show each line beside its
  // old text without pairing them itself.
  std::vector<long long> source;
};

// Rewrites the input's scheme and dependency blocks:
// - lines before the first scheme that are empty, blank or comments are dropped; the scheme block
//   then ends at the first empty or blank-only line, and of the empty, blank and comment lines
//   after it one empty line is kept; the dependency block ends at the next empty or blank-only
//   line, which becomes empty; lines after it are kept as they are;
// - comment lines inside the blocks are dropped;
// - a scheme line "Name(A,B)" or "Name = (A, B)" keeps its list only;
// - in dependency lines "→" and "=>" become "->";
// - blanks and tabs around each name and around the arrow are dropped;
// - when every scheme line and every side of every dependency is a run like "AB", "A1A2" or
//   "AB'" (capital letters, each with optional digits and primes, no comma) and one run has two
//   letters or more, each letter with its digits and primes becomes a name: "A,B->C".
// A UTF-8 mark and each kept line's own line end (LF or CR LF) stay. Tidying twice changes nothing
// more, and an input that no rule touches comes back byte for byte.
tidy_result tidy(std::string_view input);

#endif  // LOSSLESS_TIDY_H_
