// The tidy-up reads the input line by line through four regions: before the first scheme, the
// scheme block, the gap before the dependencies and the dependency block; whatever follows is kept
// as it stands. Each kept line of a block is rewritten by the rules of its block, and the textbook
// notation is decided last, over all the blocks' lines at once, since it is one reading of the
// whole exercise. One pass over the bytes, plus one over the kept lines.

#include "tidy.h"

#include <algorithm>

#include "input.h"

namespace {

// A stray carriage return counts as a blank: left at the end of a tidied line, it would read as
// part of the line end the next time. So does a UTF-8 mark (a zero-width no-break space) that
// files put together leave inside the text: at the start of the tidied text it would read as the
// file's own mark.
constexpr std::string_view blanks = " \t\r";
constexpr std::string_view mark = "\xEF\xBB\xBF";

std::string_view trim(std::string_view text) {
  for (;;) {
    if (text.starts_with(mark)) {
      text.remove_prefix(mark.size());
    } else if (!text.empty() && blanks.find(text.front()) != text.npos) {
      text.remove_prefix(1);
    } else if (text.ends_with(mark)) {
      text.remove_suffix(mark.size());
    } else if (!text.empty() && blanks.find(text.back()) != text.npos) {
      text.remove_suffix(1);
    } else {
      return text;
    }
  }
}

bool blank_only(std::string_view text) { return trim(text).empty(); }

struct line {
  std::string_view text;  // without its line end
  std::string_view end;   // "\n", "\r\n", or "" for an unterminated last line
  long long number;
};

std::vector<line> split_lines(std::string_view text) {
  std::vector<line> lines;
  std::size_t start = 0;
  long long number = 0;
  while (start < text.size()) {
    const std::size_t newline = text.find('\n', start);
    const std::size_t next = newline == text.npos ? text.size() : newline + 1;
    std::size_t stop = newline == text.npos ? text.size() : newline;
    if (stop > start && text[stop - 1] == '\r') --stop;  // as every reading drops it
    lines.push_back({text.substr(start, stop - start), text.substr(stop, next - stop), ++number});
    start = next;
  }
  return lines;
}

bool is_comment(std::string_view text) {
  text = trim(text);
  return text.starts_with('#') || text.starts_with("//");
}

// The names of a list with the blanks around each dropped; the commas stay as they are.
std::string trimmed_names(std::string_view list) {
  std::string names;
  for (std::size_t start = 0;;) {
    const std::size_t comma = list.find(',', start);
    names += trim(list.substr(start, comma - start));
    if (comma == list.npos) return names;
    names += ',';
    start = comma + 1;
  }
}

// The list of "Name(A,B)" or "Name = (A, B)", or nothing when the line is not written so.
bool named_scheme(std::string_view text, std::string_view& list) {
  text = trim(text);
  const std::size_t name_end = text.find_first_of(" \t(),=");
  if (name_end == 0 || name_end == text.npos) return false;
  std::string_view rest = trim(text.substr(name_end));
  if (rest.starts_with('=')) rest = trim(rest.substr(1));
  if (!rest.starts_with('(') || !rest.ends_with(')')) return false;
  rest = rest.substr(1, rest.size() - 2);
  // "R()" is no list: the line would become empty and end the block; "R(#)" would become a
  // comment.
  if (rest.find_first_of("()") != rest.npos || blank_only(rest) || is_comment(rest)) return false;
  list = rest;
  return true;
}

std::string replace_all(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != text.npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The number of letters in a run of textbook names such as "AB", "A1A2" or "AB'": capital
// letters, each followed by any digits and primes. 0 when the text is not such a run.
int textbook_letters(std::string_view run) {
  int letters = 0;
  for (std::size_t i = 0; i < run.size();) {
    if (run[i] < 'A' || run[i] > 'Z') return 0;
    ++letters;
    for (++i; i < run.size() && ((run[i] >= '0' && run[i] <= '9') || run[i] == '\''); ++i) {
    }
  }
  return letters;
}

std::string textbook_names(std::string_view run) {
  std::string names;
  for (std::size_t i = 0; i < run.size(); ++i) {
    if (i > 0 && run[i] >= 'A' && run[i] <= 'Z') names += ',';
    names += run[i];
  }
  return names;
}

enum class role { scheme, dependency, other };

struct kept_line {
  std::string text;
  std::string_view end;
  long long number;
  role kind;
};

class tidier {
 public:
  tidy_result run(std::string_view input);

 private:
  void change(rewrite kind, long long line) { result_.changes.push_back({kind, line}); }
  void keep(std::string text, const line& l, role kind) {
    kept_.push_back({std::move(text), l.end, l.number, kind});
  }
  // An empty line is no line at the very end, where it has no line end to stand for it.
  void keep_empty(const line& l) {
    if (!l.end.empty()) keep("", l, role::other);
  }
  std::string scheme_line(const line& l);
  std::string dependency_line(const line& l);
  void textbook();

  tidy_result result_;
  std::vector<kept_line> kept_;
};

std::string tidier::scheme_line(const line& l) {
  std::string_view list = l.text;
  if (named_scheme(l.text, list)) change(rewrite::scheme_name, l.number);
  std::string names = trimmed_names(list);
  if (names != list) change(rewrite::blanks, l.number);
  return names;
}

std::string tidier::dependency_line(const line& l) {
  std::string text =
      replace_all(replace_all(std::string(l.text), "\xE2\x86\x92", "->"), "=>", "->");
  if (text != l.text) change(rewrite::arrow, l.number);
  const std::size_t arrow = text.find("->");
  std::string tidied = arrow == text.npos ? trimmed_names(text)
                                          : trimmed_names(std::string_view(text).substr(0, arrow)) +
                                                "->" + trimmed_names(text.substr(arrow + 2));
  if (tidied != text) change(rewrite::blanks, l.number);
  return tidied;
}

// "AB->C" means A,B->C only when the whole exercise is written so: a single name "AB" among
// names with commas is a name.
void tidier::textbook() {
  bool long_run = false;
  for (const kept_line& k : kept_) {
    if (k.kind == role::other) continue;
    const std::string_view text = k.text;
    const std::size_t arrow = text.find("->");
    std::vector<std::string_view> runs = {text};
    if (k.kind == role::dependency) {
      if (arrow == text.npos) return;
      runs = {text.substr(0, arrow), text.substr(arrow + 2)};
    }
    for (std::string_view run : runs) {
      const int letters = textbook_letters(run);
      if (letters == 0) return;
      long_run = long_run || letters > 1;
    }
  }
  if (!long_run) return;
  for (kept_line& k : kept_) {
    if (k.kind == role::other) continue;
    const std::size_t arrow = k.text.find("->");
    std::string names = arrow == k.text.npos ? textbook_names(k.text)
                                             : textbook_names(k.text.substr(0, arrow)) + "->" +
                                                   textbook_names(k.text.substr(arrow + 2));
    if (names == k.text) continue;
    k.text = std::move(names);
    change(rewrite::textbook, k.number);
  }
}

tidy_result tidier::run(std::string_view input) {
  const std::string_view text = without_utf8_mark(input);
  enum { before, schemes, gap, dependencies, after } region = before;
  for (const line& l : split_lines(text)) {
    if (region == after) {
      keep(std::string(l.text), l, role::other);
      continue;
    }
    if (is_comment(l.text)) {
      change(rewrite::comment, l.number);
      continue;
    }
    const bool blank = blank_only(l.text);
    switch (region) {
      case before:
        if (blank) {
          change(rewrite::empty_line, l.number);
          continue;
        }
        region = schemes;
        keep(scheme_line(l), l, role::scheme);
        break;
      case schemes:
        if (!blank) {
          keep(scheme_line(l), l, role::scheme);
          break;
        }
        if (!l.text.empty()) change(rewrite::empty_line, l.number);
        keep_empty(l);
        region = gap;
        break;
      case gap:
        if (blank) {
          change(rewrite::empty_line, l.number);
          continue;
        }
        region = dependencies;
        keep(dependency_line(l), l, role::dependency);
        break;
      case dependencies:
        if (!blank) {
          keep(dependency_line(l), l, role::dependency);
          break;
        }
        if (!l.text.empty()) change(rewrite::blanks, l.number);
        keep_empty(l);
        region = after;
        break;
      case after:
        break;
    }
  }
  textbook();

  for (const kept_line& k : kept_) result_.source.push_back(k.number);
  std::stable_sort(result_.changes.begin(), result_.changes.end(),
                   [](const tidy_change& a, const tidy_change& b) {
                     return a.line != b.line ? a.line < b.line : a.kind < b.kind;
                   });
  if (result_.changes.empty()) {
    result_.bytes = input;  // untouched, line ends and all
    return result_;
  }
  result_.bytes = input.substr(0, input.size() - text.size());  // the UTF-8 mark
  for (const kept_line& k : kept_) {
    result_.bytes += k.text;
    result_.bytes += k.end;
  }
  return result_;
}

}  // namespace

std::string_view kind_name(rewrite r) {
  switch (r) {
    case rewrite::blanks:
      return "blanks";
    case rewrite::comment:
      return "comment";
    case rewrite::empty_line:
      return "empty_line";
    case rewrite::arrow:
      return "arrow";
    case rewrite::scheme_name:
      return "scheme_name";
    case rewrite::textbook:
      return "textbook";
  }
  return "";
}

tidy_result tidy(std::string_view input) { return tidier().run(input); }
