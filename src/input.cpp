#include "input.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

std::string_view without_utf8_mark(std::string_view input) {
  constexpr std::string_view mark = "\xEF\xBB\xBF";
  if (input.substr(0, mark.size()) == mark) input.remove_prefix(mark.size());
  return input;
}

void line_reader::read_line(std::string_view& tmp) {
  if (eof_ || fail_) {
    fail_ = true;
    return;
  }
  const std::size_t end = text_.find('\n', next_);
  if (end == std::string_view::npos) {
    tmp = text_.substr(next_);
    next_ = text_.size();
    eof_ = true;
    fail_ = tmp.empty();
    if (!fail_) ++line_;
  } else {
    tmp = text_.substr(next_, end - next_);
    next_ = end + 1;
    ++line_;
  }
  if (!tmp.empty() && tmp.back() == '\r') tmp.remove_suffix(1);
}

std::string_view read_token(std::string_view line, std::size_t& j) {
  const std::size_t start = j;
  while (j < line.size() && line[j] != ',') ++j;
  return line.substr(start, j - start);
}

void read_left_token(std::string_view line, std::size_t& j, bool& l, std::string& seged) {
  // The byte after the last one counts as no ">", as the terminating zero of a string would.
  auto followed_by_gt = [&](std::size_t k) { return k + 1 < line.size() && line[k + 1] == '>'; };
  while (j < line.size() && line[j] != ',' && line[j] != '-' && !followed_by_gt(j)) {
    seged += line[j];
    ++j;
  }
  l = j < line.size() && line[j] == '-' && followed_by_gt(j);
}

namespace {

// The first eight bytes of a name as a big-endian number, zero-padded: of two names, the one with
// the smaller prefix is the smaller, so most comparisons are settled by one integer comparison.
std::uint64_t prefix_of(std::string_view name) {
  std::uint64_t prefix = 0;
  if (name.size() >= 8) {
    std::memcpy(&prefix, name.data(), 8);
    if constexpr (std::endian::native == std::endian::little) prefix = __builtin_bswap64(prefix);
    return prefix;
  }
  for (std::size_t k = 0; k < 8; ++k) {
    prefix = prefix << 8 | (k < name.size() ? static_cast<unsigned char>(name[k]) : 0u);
  }
  return prefix;
}

// A name with its prefix beside it, so that sorting rarely has to look at the name's bytes.
struct sort_key {
  std::uint64_t prefix;
  std::string_view name;
};

// The order of the names' unsigned bytes, as std::string orders them.
bool operator<(const sort_key& a, const sort_key& b) {
  return a.prefix != b.prefix ? a.prefix < b.prefix : a.name < b.name;
}

// Sorts keys[sorted...] and merges it into the sorted, repeat-free keys[0...sorted), dropping the
// repeats.
void merge_unique(std::vector<sort_key>& keys, std::size_t sorted) {
  const auto middle = keys.begin() + static_cast<std::ptrdiff_t>(sorted);
  std::sort(middle, keys.end());
  std::inplace_merge(keys.begin(), middle, keys.end());
  auto same = [](const sort_key& a, const sort_key& b) { return a.name == b.name; };
  keys.erase(std::unique(keys.begin(), keys.end(), same), keys.end());
}

}  // namespace

namespace {

bool has_blank(std::string_view name) { return name.find_first_of(" \t") != name.npos; }

}  // namespace

catalogue read_catalogue(line_reader& f, std::string_view& tmp, diagnostics& d) {
  catalogue c;
  // The names are views into the input, collected and, whenever their count has doubled, the new
  // ones sorted and merged into the old: repeats never take more than half the room, and millions
  // of distinct names cost one sort.
  std::vector<sort_key> keys;
  std::size_t sorted = 0;
  // Names with a blank and the line of each occurrence; rare, so they are kept apart.
  std::vector<std::pair<std::string_view, long long>> spaced;
  read_block(f, tmp, [&](std::string_view line) {
    ++c.n;
    const long long number = f.line_number();
    if (line.find("->") != std::string_view::npos) {
      d.report(message::arrow_in_scheme, number, line);
    }
    // A long line would otherwise grow the list by doubling, copying every name log n times.
    const std::size_t names = keys.size() + std::count(line.begin(), line.end(), ',') + 1;
    if (names > keys.capacity()) keys.reserve(std::max(names, 2 * keys.capacity()));
    bool empty_name = false;
    std::size_t on_line = 0;
    for_each_token(line, 0, [&](std::string_view seged) {
      ++on_line;
      empty_name = empty_name || seged.empty();
      if (has_blank(seged)) spaced.emplace_back(seged, number);
      keys.push_back({prefix_of(seged), seged});
      if (keys.size() < std::max<std::size_t>(1024, 2 * sorted)) return;
      merge_unique(keys, sorted);
      sorted = keys.size();
    });
    if (empty_name) d.report(message::empty_name_in_scheme, number, line);
    if (line.starts_with('#') || line.starts_with("//")) {
      d.report(message::comment_in_scheme, number, line);
    }
    c.lines.push_back({number, line, on_line});
  });
  // An empty first line ends the scheme block before it starts; what follows it is then read as
  // dependencies of no attribute at all.
  if (c.n == 0 && !f.eof() && !f.at_end()) d.report(message::leading_empty_line, 1, "");
  merge_unique(keys, sorted);
  c.attr.reserve(keys.size());
  for (const sort_key& key : keys) c.attr.emplace_back(key.name);

  // The first line of each name is the smallest of its lines; names and columns sort alike.
  std::sort(spaced.begin(), spaced.end());
  std::size_t column = 0;
  for (std::size_t k = 0; k < spaced.size(); ++k) {
    if (k > 0 && spaced[k].first == spaced[k - 1].first) continue;
    column = static_cast<std::size_t>(attribute_index(c.attr, spaced[k].first, column));
    c.spaced.push_back({static_cast<int>(column), spaced[k].second});
  }
  return c;
}

void report_spaced_names(const catalogue& c, diagnostics& d) {
  for (const spaced_name& s : c.spaced) d.report(message::blank_in_name, s.line, c.attr[s.column]);
}

void report_whole_schemes(const catalogue& c, diagnostics& d) {
  if (c.n < 2) return;
  std::vector<char> seen;
  for (const scheme_line& w : c.lines) {
    if (w.names < c.attr.size()) continue;  // too few names to hold them all
    seen.assign(c.attr.size(), 0);
    std::size_t distinct = 0;
    std::size_t column = 0;
    for_each_token(w.text, 0, [&](std::string_view name) {
      column = static_cast<std::size_t>(attribute_index(c.attr, name, column));
      if (!seen[column]) {
        seen[column] = 1;
        ++distinct;
      }
    });
    if (distinct == c.attr.size()) d.report(message::whole_scheme, w.line, w.text);
  }
}

void print_catalogue(std::ostream& out, const catalogue& c) {
  out << "atrrsize: " << c.attr.size() << '\n';
  // Millions of names are millions of lines: each is built in one buffer, which is written in
  // large pieces rather than insertion by insertion.
  std::string text;
  char number[24];
  for (std::size_t i = 0; i < c.attr.size(); ++i) {
    text.append(number, std::to_chars(number, number + sizeof number, i).ptr);
    text += ".: ";
    text += c.attr[i];
    text += '\n';
    if (text.size() >= (1 << 16)) {
      out << text;
      text.clear();
    }
  }
  out << text;
  out << "n: " << c.n << "  m: " << c.attr.size() << '\n';
}

namespace {

bool entry_less(const std::string& entry, const sort_key& key) {
  const std::uint64_t prefix = prefix_of(entry);
  return prefix != key.prefix ? prefix < key.prefix : entry < key.name;
}

}  // namespace

int attribute_index(const std::vector<std::string>& attr, std::string_view name,
                    std::size_t start) {
  // Gallops from start towards the name, then searches the last stretch: the answer lies in
  // [lo, hi], where attr[lo - 1] < name (or lo = 0) and attr[hi] >= name (or hi = size).
  const sort_key key{prefix_of(name), name};
  std::size_t lo = 0;
  std::size_t hi = attr.size();
  std::size_t step = 1;
  if (start < attr.size() && entry_less(attr[start], key)) {
    lo = start + 1;
    while (lo + step - 1 < hi && entry_less(attr[lo + step - 1], key)) {
      lo += step;
      step *= 2;
    }
    hi = std::min(hi, lo + step - 1);
  } else {
    hi = std::min(start, attr.size());
    while (hi >= step && !entry_less(attr[hi - step], key)) {
      hi -= step;
      step *= 2;
    }
    lo = hi >= step ? hi - step + 1 : 0;
  }
  const auto it = std::lower_bound(attr.begin() + static_cast<std::ptrdiff_t>(lo),
                                   attr.begin() + static_cast<std::ptrdiff_t>(hi), key, entry_less);
  if (it == attr.end() || *it != name) return -1;
  return static_cast<int>(it - attr.begin());
}

namespace {

int lookup(const std::vector<std::string>& attr, std::string_view name, long long line,
           diagnostics& d) {
  int index = attribute_index(attr, name);
  if (index == -1) d.report(message::unknown_name, line, name);
  return index;
}

bool blank_only(std::string_view line) { return line.find_first_not_of(" \t") == line.npos; }

}  // namespace

halmaz parse_dependency(std::string_view tmp, long long line, const std::vector<std::string>& attr,
                        diagnostics& d) {
  halmaz f_tmp;
  std::size_t j = 0;
  bool l = false;
  while (j < tmp.size() && !l) {
    std::string seged;
    read_left_token(tmp, j, l, seged);
    f_tmp.left.push_back(lookup(attr, seged, line, d));
    ++j;  // over the "," or "-"; after the arrow's "-" this lands on its ">"
  }
  if (!l && !tmp.empty()) d.report(message::missing_arrow, line, tmp);
  ++j;  // over the ">"
  for_each_token(
      tmp, j, [&](std::string_view seged) { f_tmp.right.push_back(lookup(attr, seged, line, d)); });
  return f_tmp;
}

std::vector<halmaz> read_dependencies(line_reader& f, std::string_view& tmp,
                                      const std::vector<std::string>& attr, diagnostics& d) {
  std::vector<halmaz> F;
  read_block(f, tmp, [&](std::string_view line) {
    F.push_back(parse_dependency(line, f.line_number(), attr, d));
  });
  // The line that ended the block is parsed too: an empty record, or the file's unterminated last
  // line, which would otherwise be lost.
  F.push_back(parse_dependency(tmp, f.line_number(), attr, d));
  // Dependencies after a second empty line are silently lost otherwise: a habit of spacing the
  // blocks out, not a wish to leave them unread.
  if (f.eof() || f.fail()) return F;
  for (std::string_view rest; f.read_line(rest), !f.fail();) {
    if (!blank_only(rest)) d.report(message::unread_line, f.line_number(), rest);
  }
  return F;
}

void print_dependencies(std::ostream& out, const std::vector<halmaz>& F) {
  for (const halmaz& h : F) {
    for (int index : h.left) out << index << ' ';
    out << "->";
    for (int index : h.right) out << index << ' ';
    out << '\n';
  }
}

namespace {

// Where the scheme block's processed lines end in input (after the newline of the last one, or
// just after a UTF-8 mark when there is none), and whether that last line ends in CR LF. A line
// that ends the block, empty or unterminated, is not part of it.
struct scheme_block {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool crlf = false;
};

scheme_block find_scheme_block(std::string_view input) {
  line_reader f(without_utf8_mark(input));
  std::string_view tmp;
  scheme_block block;
  block.begin = block.end = input.size() - without_utf8_mark(input).size();
  read_block(f, tmp, [&](std::string_view line) {
    const std::size_t at = static_cast<std::size_t>(line.data() - input.data()) + line.size();
    block.crlf = input[at] == '\r';
    block.end = input.find('\n', at) + 1;
  });
  return block;
}

// One line per scheme with a column, the names joined by ",", each ending in CR LF or LF.
std::string scheme_text(const std::vector<std::string>& attr,
                        const std::vector<std::vector<int>>& schemes, bool crlf) {
  std::string lines;
  for (const std::vector<int>& scheme : schemes) {
    if (scheme.empty()) continue;
    std::string line;
    for (std::size_t k = 0; k < scheme.size(); ++k) {
      if (k > 0) line += ',';
      line += attr[scheme[k]];
    }
    if (line.empty()) line.push_back(',');  // the lone empty name
    lines += line;
    // A reading drops one carriage return at the end of a line: a name's own must survive it.
    lines += crlf || line.back() == '\r' ? "\r\n" : "\n";
  }
  return lines;
}

}  // namespace

std::string with_schemes_added(std::string_view input, const std::vector<std::string>& attr,
                               const std::vector<std::vector<int>>& schemes) {
  const scheme_block block = find_scheme_block(input);
  const std::string lines = scheme_text(attr, schemes, block.crlf);
  std::string text;
  text.reserve(input.size() + lines.size());
  text.append(input.substr(0, block.end)).append(lines).append(input.substr(block.end));
  return text;
}

std::string with_schemes_replaced(std::string_view input, const std::vector<std::string>& attr,
                                  const std::vector<std::vector<int>>& schemes) {
  const scheme_block block = find_scheme_block(input);
  const std::string lines = scheme_text(attr, schemes, block.crlf);
  std::string text;
  text.reserve(input.size() - (block.end - block.begin) + lines.size());
  text.append(input.substr(0, block.begin)).append(lines).append(input.substr(block.end));
  return text;
}
