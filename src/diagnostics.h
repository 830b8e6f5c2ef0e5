// The messages of a run about its input. Each goes to standard error as one line in the console's
// words, and can also be kept as a record that names its kind and the input line it is about, so
// that a front end can say it in its own words and point at the line.

#ifndef LOSSLESS_DIAGNOSTICS_H_
#define LOSSLESS_DIAGNOSTICS_H_

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// What a message is about. Each has a short, stable kind name for front ends.
enum class message {
  arrow_in_scheme,       // a scheme line holds "->"; text: the line
  empty_name_in_scheme,  // a scheme line yields an empty name; text: the line
  comment_in_scheme,     // a scheme line starts with "#" or "//"; text: the line
  leading_empty_line,    // the input starts with an empty line; text: empty
  blank_in_name,         // a catalogue name holds a blank or a tab; text: the name
  whole_scheme,          // one of several scheme lines holds every name; text: the line
  unknown_name,          // a dependency names an attribute no scheme has; text: the name
  missing_arrow,         // a dependency line without "->"; text: the line
  unread_line,           // a line after the dependency block; text: the line
  tableau_too_large,     // the tableau would not fit in memory; text: "<n> x <m>"
  utf16_input,           // the input is UTF-16; text: the input's name
  no_memory,             // memory ran out during the run; text: the input's name
};

// The kind name of a message: "arrow_in_scheme", "empty_name", "comment_in_scheme",
// "leading_empty_line", "blank_in_name", "whole_scheme", "unknown_name", "missing_arrow",
// "unread_line", "tableau_too_large", "utf16", "no_memory".
std::string_view kind_name(message m);

// True when the message's text is a name, which the console quotes so that its blanks show
// (blank_in_name, unknown_name); otherwise the text is a line, a size or the input's name.
bool quotes_name(message m);

// One message as a record.
struct diagnostic {
  message kind;
  long long line;    // the input line it is about, from 1 (after a UTF-8 mark); 0 for none
  std::string text;  // the line or the name it is about, as bytes
};

// Where the messages of one run go: written to err, one line each, and the first `keep` of them
// also kept as records (a front end shows a few; a console keeps none).
class diagnostics {
 public:
  explicit diagnostics(std::ostream& err, std::size_t keep = 0) : err_(err), keep_(keep) {}

  // Writes the message's console line, such as `Ismeretlen attributum a fuggosegben: "X"`, to err
  // and flushes it, and keeps the record while fewer than `keep` are kept.
  void report(message m, long long line, std::string_view text);

  const std::vector<diagnostic>& kept() const { return kept_; }
  std::size_t count() const { return count_; }  // all reported, kept or not

 private:
  std::ostream& err_;
  std::size_t keep_;
  std::size_t count_ = 0;
  std::vector<diagnostic> kept_;
};

#endif  // LOSSLESS_DIAGNOSTICS_H_
