// The tidy-up reads the input line by line through four regions: before the first scheme, the
// scheme block, the gap before the dependencies and the dependency block; whatever follows is kept
// as it stands. Each line of a block is rewritten by the rules of its block into one line or, for a
// decomposition or a list of dependencies written on one line, several. What depends on the whole
// exercise is decided last, over the blocks' lines at once: the letter-by-letter reading, the
// relation written above its decomposition, and the mixed notation, which splits a name of a
// dependency only into names of the schemes. One pass over the bytes, then a few over the kept
// lines with hash sets of names: linear in the input.

#include "tidy.h"

#include <algorithm>
#include <unordered_set>

#include "input.h"
#include "utf8.h"

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

// Reads the line of text that starts at `at` and moves `at` past its line end; false at the end.
bool next_line(std::string_view text, std::size_t& at, line& l) {
  if (at >= text.size()) return false;
  const std::size_t newline = text.find('\n', at);
  const std::size_t next = newline == text.npos ? text.size() : newline + 1;
  std::size_t stop = newline == text.npos ? text.size() : newline;
  if (stop > at && text[stop - 1] == '\r') --stop;  // as every reading drops it
  l.text = text.substr(at, stop - at);
  l.end = text.substr(stop, next - stop);
  ++l.number;
  at = next;
  return true;
}

bool is_comment(std::string_view text) {
  text = trim(text);
  return text.starts_with('#') || text.starts_with("//");
}

bool holds_any(std::string_view text, std::string_view bytes) {
  return text.find_first_of(bytes) != text.npos;
}

// Splits text at each separator, trimming nothing.
std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at - start));
    if (at == text.npos) return parts;
    start = at + 1;
  }
}

// The names of a list with the blanks around each dropped; the commas stay as they are.
std::string trimmed_names(std::string_view list) {
  std::string names;
  for (std::string_view name : split(list, ',')) {
    if (name.data() != list.data()) names += ',';
    names += trim(name);
  }
  return names;
}

bool opens(char c) { return c == '(' || c == '{'; }
bool closes(char c) { return c == ')' || c == '}'; }

// Whether the whole text is one list in brackets, "(...)" or "{...}", the first closing at the last
// byte; `inside` is then what they enclose.
bool bracketed(std::string_view text, std::string_view& inside) {
  if (text.size() < 2 || !opens(text.front())) return false;
  if (text.back() != (text.front() == '(' ? ')' : '}')) return false;
  int depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (opens(text[i])) ++depth;
    if (closes(text[i]) && --depth == 0 && i + 1 < text.size()) return false;
  }
  if (depth != 0) return false;
  inside = text.substr(1, text.size() - 2);
  return true;
}

// Splits at each separator outside brackets, trimming each part; false when the brackets do not
// balance.
bool split_outside_brackets(std::string_view text, char separator,
                            std::vector<std::string_view>& parts) {
  parts.clear();
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && opens(text[i])) ++depth;
    if (i < text.size() && closes(text[i]) && --depth < 0) return false;
    if (i == text.size() || (depth == 0 && text[i] == separator)) {
      parts.push_back(trim(text.substr(start, i - start)));
      start = i + 1;
    }
  }
  return depth == 0;
}

// A list that can stand for a line of its own: not blank, not read as a comment, and free of
// what the other rules would read again (brackets, "="). A list holding an arrow is rather a
// dependency typed among the schemes: left as typed, the warning quotes it.
bool plain_list(std::string_view list) {
  return !blank_only(list) && !is_comment(list) && !holds_any(list, "(){}=>");
}

// Several words and nothing else: no comma, no bracket, nor "=", ">", ";" or ":" that another rule
// reads.
bool several_words(std::string_view names) {
  return holds_any(names, blanks) && !holds_any(names, ",(){}=>;:");
}

std::string words_joined(std::string_view names) {
  std::string joined;
  for (std::size_t start = 0; start < names.size();) {
    const std::size_t stop = std::min(names.find_first_of(blanks, start), names.size());
    const std::string_view word = trim(names.substr(start, stop - start));
    if (!word.empty()) {
      if (!joined.empty()) joined += ',';
      joined += word;
    }
    start = stop + 1;
  }
  return joined;
}

// The names of a list, the blanks around each dropped and several words made names.
std::string list_names(std::string_view list, std::vector<rewrite>& kinds) {
  std::string names = trimmed_names(list);
  if (names != list) kinds.push_back(rewrite::blanks);
  if (several_words(names)) {
    names = words_joined(names);
    kinds.push_back(rewrite::blank_separated);
  }
  return names;
}

// The list of a scheme line written "Name(A,B)", "Name = (A, B)", "Name{A,B}", "Name = {A, B}",
// "{A, B}" or "Name = AB", or false when the line is written otherwise. `named` and `braced` say
// what was dropped.
bool scheme_list(std::string_view text, std::string_view& list, bool& named, bool& braced) {
  text = trim(text);
  std::string_view rest = text;
  named = !text.starts_with('{');
  if (named) {
    const std::size_t name_end = text.find_first_of(" \t(){},=");
    if (name_end == 0 || name_end == text.npos) return false;
    rest = trim(text.substr(name_end));
    const bool equals = rest.starts_with('=');
    if (equals) rest = trim(rest.substr(1));
    if (!opens(rest.empty() ? ' ' : rest.front())) {
      // "R = ABCD": a list without brackets is a list only after "=", and only a plain one.
      if (!equals || holds_any(text, ",>") || !plain_list(rest)) return false;
      braced = false;
      list = rest;
      return true;
    }
  }
  std::string_view inside;
  if (!bracketed(rest, inside) || !plain_list(inside)) return false;
  braced = rest.front() == '{';
  list = inside;
  return true;
}

// The items of a decomposition written on one line, "d = (AB, BC)", "d={AB,CD}", "ρ = (AB, BC)" or
// "rho = (AB, BC)", or false when the line is written otherwise.
bool decomposition_items(std::string_view text, std::vector<std::string_view>& items) {
  text = trim(text);
  for (const std::string_view name : {"d", "\xCF\x81", "rho"}) {
    if (!text.starts_with(name)) continue;
    std::string_view rest = trim(text.substr(name.size()));
    if (!rest.starts_with('=')) continue;
    std::string_view inside;
    if (!bracketed(trim(rest.substr(1)), inside)) return false;
    if (!split_outside_brackets(inside, ',', items)) return false;
    return std::none_of(items.begin(), items.end(),
                        [](std::string_view item) { return blank_only(item) || is_comment(item); });
  }
  return false;
}

// The line without blanks then "#" or "//" to its end.
std::string_view without_trailing_comment(std::string_view text) {
  for (std::size_t at = 1; at < text.size(); ++at) {
    const std::string_view rest = text.substr(at);
    if (blanks.find(text[at - 1]) == text.npos) continue;
    if (!rest.starts_with('#') && !rest.starts_with("//")) continue;
    std::size_t start = at - 1;
    while (start > 0 && blanks.find(text[start - 1]) != text.npos) --start;
    return text.substr(0, start);
  }
  return text;
}

std::string with_plain_arrows(std::string_view line) {
  std::string text;
  for (std::size_t i = 0; i < line.size();) {
    const std::string_view rest = line.substr(i);
    std::size_t arrow = 0;
    for (const std::string_view other : {"\xE2\x86\x92", "\xE2\x87\x92", "\xE2\x9F\xB6", "=>"}) {
      if (rest.starts_with(other)) arrow = other.size();
    }
    text += arrow > 0 ? "->" : rest.substr(0, 1);
    i += std::max<std::size_t>(arrow, 1);
  }
  // "-->" and longer: the other arrows may have just made one ("-→").
  std::string plain;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t after = std::min(text.find_first_not_of('-', i), text.size());
    if (after > i + 1 && after < text.size() && text[after] == '>') {
      plain += '-';
    } else {
      plain.append(text, i, std::max(after, i + 1) - i);
    }
    i = std::max(after, i + 1);
  }
  return plain;
}

std::size_t arrows_in(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = text.find("->"); at != text.npos; at = text.find("->", at + 2)) ++count;
  return count;
}

// The dependencies of a line that lists several, "F = {A -> B, C -> D}" or "F: A -> B; C -> D",
// each holding exactly one arrow; false when the line is written otherwise or is one dependency
// written plainly.
bool dependency_parts(std::string_view text, std::vector<std::string_view>& parts) {
  const std::string_view line = trim(text);
  std::string_view list = line;
  if (list.starts_with('F')) {
    const std::string_view rest = trim(list.substr(1));
    if (rest.starts_with('=') || rest.starts_with(':')) list = trim(rest.substr(1));
  }
  std::string_view inside;
  if (bracketed(list, inside)) list = inside;
  const char separator = list.find(';') != list.npos ? ';' : ',';
  // An empty part, "A -> B;", makes no list: the mixed notation's commas, added later, must not
  // turn a line that was one into one that is not.
  if (!split_outside_brackets(list, separator, parts)) return false;
  if (parts.size() == 1 && parts[0] == line) return false;
  return std::all_of(parts.begin(), parts.end(), [](std::string_view part) {
    return arrows_in(part) == 1 && !is_comment(part);
  });
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

std::vector<std::string_view> textbook_runs(std::string_view run) {
  std::vector<std::string_view> runs;
  std::size_t start = 0;
  for (std::size_t i = 1; i <= run.size(); ++i) {
    if (i == run.size() || (run[i] >= 'A' && run[i] <= 'Z')) {
      runs.push_back(run.substr(start, i - start));
      start = i;
    }
  }
  return runs;
}

std::string textbook_names(std::string_view run) {
  std::string names;
  for (std::string_view letter : textbook_runs(run)) {
    if (!names.empty()) names += ',';
    names += letter;
  }
  return names;
}

// Rewrites both sides of a dependency line, or the whole of a line without an arrow.
template <typename Rewrite>
std::string each_side(std::string_view text, Rewrite rewrite_side) {
  const std::size_t arrow = text.find("->");
  if (arrow == text.npos) return rewrite_side(text);
  return rewrite_side(text.substr(0, arrow)) + "->" + rewrite_side(text.substr(arrow + 2));
}

using name_set = std::unordered_set<std::string_view>;

void add_names(std::string_view list, name_set& names) {
  for (std::string_view name : split(list, ',')) names.insert(name);
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
  // Keeps the lines written from one line, in order, with what changed it.
  void keep_all(std::vector<std::string> texts, const std::vector<rewrite>& kinds, const line& l,
                role kind);
  // Keeps the lines that the parts of a line become, text_of(part, kinds) each, with what changed
  // the line: kinds, kind and what changed the parts. False, keeping nothing, when one of them
  // would read as something else the next time.
  template <typename Text, typename ReadsAgain>
  bool keep_parts(const std::vector<std::string_view>& parts, rewrite kind, Text text_of,
                  ReadsAgain reads_again, std::vector<rewrite> kinds, const line& l, role r) {
    kinds.push_back(kind);
    std::vector<std::string> texts;
    for (std::string_view part : parts) {
      texts.push_back(text_of(part, kinds));
      if (reads_again(texts.back())) return false;
    }
    keep_all(std::move(texts), kinds, l, r);
    return true;
  }
  void scheme_line(const line& l);
  void dependency_line(const line& l);
  void whole_relation();
  void letters();
  void mixed_notation();

  tidy_result result_;
  std::vector<kept_line> kept_;
  std::string_view last_end_ = "\n";  // the last line end that holds a newline
};

void tidier::keep_all(std::vector<std::string> texts, const std::vector<rewrite>& kinds,
                      const line& l, role kind) {
  for (rewrite r : kinds) change(r, l.number);
  // Lines written from the unterminated last line end as the file's lines do, but the last.
  const std::string_view end = l.end.ends_with('\n') ? l.end : last_end_;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    kept_.push_back({std::move(texts[i]), i + 1 < texts.size() ? end : l.end, l.number, kind});
  }
}

// A scheme line's list, its names trimmed, several words made names.
std::string scheme_text(std::string_view text, std::vector<rewrite>& kinds) {
  std::string_view list = text;
  bool named = false;
  bool braced = false;
  if (scheme_list(text, list, named, braced)) {
    if (named) kinds.push_back(rewrite::scheme_name);
    if (braced) kinds.push_back(rewrite::braces);
  }
  return list_names(list, kinds);
}

void tidier::scheme_line(const line& l) {
  std::vector<rewrite> kinds;
  const std::string_view text = without_trailing_comment(l.text);
  if (text != l.text) kinds.push_back(rewrite::trailing_comment);
  std::vector<std::string_view> items;
  std::vector<std::string_view> again;
  const auto reads_again = [&](std::string_view item) {
    return blank_only(item) || is_comment(item) || decomposition_items(item, again);
  };
  if (decomposition_items(text, items) &&
      keep_parts(items, rewrite::one_line_decomposition, scheme_text, reads_again, kinds, l,
                 role::scheme)) {
    return;
  }
  std::string names = scheme_text(text, kinds);
  keep_all({std::move(names)}, kinds, l, role::scheme);
}

// A side of a dependency without its braces, its names trimmed, several words made names.
std::string side_text(std::string_view side, std::vector<rewrite>& kinds) {
  std::string_view list = side;
  const std::string_view trimmed = trim(side);
  std::string_view inside;
  // Without its braces, a side holding ";" or ":" could read as a list of dependencies.
  if (trimmed.starts_with('{') && bracketed(trimmed, inside) && plain_list(inside) &&
      !holds_any(inside, ";:")) {
    kinds.push_back(rewrite::braces);
    if (trimmed != side) kinds.push_back(rewrite::blanks);
    list = inside;
  }
  return list_names(list, kinds);
}

// A dependency with both sides rewritten, or as it is when the left side would end in "-": the
// arrow after it would make "-->", another arrow.
std::string dependency_text(std::string_view text, std::vector<rewrite>& kinds) {
  std::vector<rewrite> side_kinds;
  std::string tidied =
      each_side(text, [&](std::string_view side) { return side_text(side, side_kinds); });
  if (tidied.find("-->") != tidied.npos) return std::string(text);
  kinds.insert(kinds.end(), side_kinds.begin(), side_kinds.end());
  return tidied;
}

void tidier::dependency_line(const line& l) {
  std::vector<rewrite> kinds;
  const std::string_view uncommented = without_trailing_comment(l.text);
  if (uncommented != l.text) kinds.push_back(rewrite::trailing_comment);
  const std::string text = with_plain_arrows(uncommented);
  if (text != uncommented) kinds.push_back(rewrite::arrow);
  std::vector<std::string_view> parts;
  std::vector<std::string_view> again;
  const auto reads_again = [&](std::string_view part) { return dependency_parts(part, again); };
  if (dependency_parts(text, parts) && keep_parts(parts, rewrite::dependency_list, dependency_text,
                                                  reads_again, kinds, l, role::dependency)) {
    return;
  }
  std::string tidied = dependency_text(text, kinds);
  keep_all({std::move(tidied)}, kinds, l, role::dependency);
}

// "AB" means A,B when every scheme line is written so; "AB->C" means A,B->C only when the whole
// exercise is written so.
void tidier::letters() {
  bool schemes = true;
  bool dependencies = true;
  bool long_run = false;
  for (const kept_line& k : kept_) {
    if (k.kind == role::other) continue;
    std::vector<std::string_view> runs = {k.text};
    if (k.kind == role::dependency) {
      const std::size_t arrow = k.text.find("->");
      if (arrow == k.text.npos) {
        dependencies = false;
        continue;
      }
      runs = {std::string_view(k.text).substr(0, arrow),
              std::string_view(k.text).substr(arrow + 2)};
    }
    for (std::string_view run : runs) {
      const int letters = textbook_letters(run);
      if (letters == 0 && k.kind == role::scheme) schemes = false;
      if (letters == 0 && k.kind == role::dependency) dependencies = false;
      long_run = long_run || letters > 1;
    }
  }
  if (!schemes) return;
  for (kept_line& k : kept_) {
    if (k.kind == role::other || (k.kind == role::dependency && !(dependencies && long_run))) {
      continue;
    }
    std::string names = each_side(k.text, textbook_names);
    if (names == k.text) continue;
    k.text = std::move(names);
    change(rewrite::textbook, k.number);
  }
}

// The relation written above its decomposition: the first scheme line, when it holds every name of
// the others. Decided before the letter-by-letter reading, whose choice must not change once the
// line is gone, but on the names that reading would give: "ABCD" above "AB" and "CD".
void tidier::whole_relation() {
  std::size_t schemes = 0;
  bool rest_runs = true;
  for (; schemes < kept_.size() && kept_[schemes].kind == role::scheme; ++schemes) {
    if (schemes > 0) rest_runs = rest_runs && textbook_letters(kept_[schemes].text) > 0;
  }
  auto names_of = [&](std::size_t k) {
    const std::string_view text = kept_[k].text;
    const bool letters = rest_runs && (k > 0 || textbook_letters(text) > 0);
    return letters ? textbook_runs(text) : split(text, ',');
  };
  auto holds_the_rest = [&](std::size_t first) {
    if (schemes < first + 3) return false;
    const std::vector<std::string_view> first_names = names_of(first);
    const name_set names(first_names.begin(), first_names.end());
    for (std::size_t k = first + 1; k < schemes; ++k) {
      for (std::string_view name : names_of(k)) {
        if (!names.contains(name)) return false;
      }
    }
    return true;
  };
  // Were the next line to hold the rest as well, a second tidy-up would drop it too; a line that
  // holds every name of those after it answers the exercise alone anyway, so both stay.
  if (!holds_the_rest(0) || holds_the_rest(1)) return;
  change(rewrite::whole_relation, kept_.front().number);
  kept_.erase(kept_.begin());
}

void tidier::mixed_notation() {
  name_set catalogue;
  for (const kept_line& k : kept_) {
    if (k.kind == role::scheme) add_names(k.text, catalogue);
  }
  auto split_names = [&](std::string_view side) {
    std::string names;
    for (std::string_view name : split(side, ',')) {
      if (name.data() != side.data()) names += ',';
      std::vector<std::string_view> runs;
      if (!catalogue.contains(name) && textbook_letters(name) > 1) runs = textbook_runs(name);
      if (runs.empty() || !std::all_of(runs.begin(), runs.end(), [&](std::string_view run) {
            return catalogue.contains(run);
          })) {
        names += name;
      } else {
        names += textbook_names(name);
      }
    }
    return names;
  };
  for (kept_line& k : kept_) {
    if (k.kind != role::dependency) continue;
    std::string names = each_side(k.text, split_names);
    if (names == k.text) continue;
    k.text = std::move(names);
    change(rewrite::mixed_notation, k.number);
  }
}

tidy_result tidier::run(std::string_view input) {
  const std::string_view text = without_utf8_mark(input);
  enum { before, schemes, gap, dependencies, after } region = before;
  line l{{}, {}, 0};
  for (std::size_t at = 0; next_line(text, at, l);
       last_end_ = l.end.ends_with('\n') ? l.end : last_end_) {
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
        scheme_line(l);
        break;
      case schemes:
        if (!blank) {
          scheme_line(l);
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
        dependency_line(l);
        break;
      case dependencies:
        if (!blank) {
          dependency_line(l);
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
  whole_relation();
  letters();
  mixed_notation();

  for (const kept_line& k : kept_) result_.source.push_back(k.number);
  auto before_ = [](const tidy_change& a, const tidy_change& b) {
    return a.line != b.line ? a.line < b.line : a.kind < b.kind;
  };
  auto same = [](const tidy_change& a, const tidy_change& b) {
    return a.line == b.line && a.kind == b.kind;
  };
  std::sort(result_.changes.begin(), result_.changes.end(), before_);
  result_.changes.erase(std::unique(result_.changes.begin(), result_.changes.end(), same),
                        result_.changes.end());
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

// A browser's decoder drops a leading mark, so it counts for nothing.
std::string shown(std::string_view text, std::size_t characters) {
  std::size_t units = 0;
  for (std::size_t at = text.starts_with(mark) ? mark.size() : 0; at < text.size();) {
    // A character beyond U+FFFF takes two UTF-16 units; a bad sequence shows as one U+FFFD.
    std::size_t length = 0;
    const std::size_t well_formed = utf8_sequence(text.substr(at), length);
    if (well_formed > 0) length = well_formed;
    const std::size_t more = well_formed == 4 ? 2 : 1;
    if (units + more > characters) return std::string(text.substr(0, at)) + "\xE2\x80\xA6";
    units += more;
    at += length;
  }
  return std::string(text);
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
    case rewrite::trailing_comment:
      return "trailing_comment";
    case rewrite::one_line_decomposition:
      return "one_line_decomposition";
    case rewrite::dependency_list:
      return "dependency_list";
    case rewrite::braces:
      return "braces";
    case rewrite::blank_separated:
      return "blank_separated";
    case rewrite::mixed_notation:
      return "mixed_notation";
    case rewrite::whole_relation:
      return "whole_relation";
  }
  return "";
}

tidy_result tidy(std::string_view input) { return tidier().run(input); }

tidy_table tidy_rows(std::string_view input, const tidy_result& t, std::size_t limit,
                     std::size_t characters) {
  tidy_table table;
  table.whole = t.source.size() <= limit;
  for (std::size_t i = 0; i < t.changes.size(); ++i) {
    if (i == 0 || t.changes[i].line != t.changes[i - 1].line) ++table.changed_lines;
  }
  const std::string_view old_text = without_utf8_mark(input);
  const std::string_view new_text = without_utf8_mark(t.bytes);
  std::size_t old_at = 0;
  std::size_t new_at = 0;
  std::size_t kept = 0;
  std::size_t change = 0;
  long long changed = 0;
  line old_line{{}, {}, 0};
  line new_line{{}, {}, 0};
  std::vector<std::string_view> written;
  while (table.rows.size() < limit && (table.whole || changed < table.changed_lines) &&
         next_line(old_text, old_at, old_line)) {
    const long long number = old_line.number;
    written.clear();
    for (; kept < t.source.size() && t.source[kept] == number; ++kept) {
      if (next_line(new_text, new_at, new_line)) written.push_back(new_line.text);
    }
    tidy_row row;
    row.line = number;
    for (; change < t.changes.size() && t.changes[change].line == number; ++change) {
      row.kinds.push_back(t.changes[change].kind);
    }
    if (row.kinds.empty() && !table.whole) continue;
    if (!row.kinds.empty()) ++changed;
    for (std::string_view text : written) row.text.push_back(shown(text, characters));
    row.dropped = written.empty() && !row.kinds.empty();
    if (row.dropped) row.old_text = shown(old_line.text, characters);
    table.rows.push_back(std::move(row));
  }
  table.complete = changed == table.changed_lines;
  return table;
}
