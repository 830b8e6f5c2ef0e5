#include "input.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

void read_line(std::istream& f, std::string& tmp) {
  // A read that extracts nothing leaves tmp as the last read left it, already without its "\r".
  const bool extracts = f.good();
  std::getline(f, tmp);
  if (extracts && !tmp.empty() && tmp.back() == '\r') tmp.pop_back();
}

std::string read_token(const std::string& line, std::size_t& j) {
  std::size_t start = j;
  while (j < line.size() && line[j] != ',') ++j;
  return line.substr(start, j - start);
}

void read_left_token(const std::string& line, std::size_t& j, bool& l, std::string& seged) {
  // line[j + 1] is at most line[size()], the terminating zero, while j < size().
  while (j < line.size() && line[j] != ',' && line[j] != '-' && line[j + 1] != '>') {
    seged += line[j];
    ++j;
  }
  l = j < line.size() && line[j] == '-' && line[j + 1] == '>';
}

catalogue read_catalogue(std::istream& f, std::string& tmp) {
  catalogue c;
  std::unordered_set<std::string> seen;
  read_block(f, tmp, [&](const std::string& line) {
    ++c.n;
    for_each_token(line, 0, [&](std::string seged) {
      if (seen.insert(seged).second) c.attr.push_back(std::move(seged));
    });
  });
  // std::string orders by char_traits<char>, which compares bytes as unsigned values.
  std::sort(c.attr.begin(), c.attr.end());
  return c;
}

void print_catalogue(std::ostream& out, const catalogue& c) {
  out << "atrrsize: " << c.attr.size() << std::endl;
  for (std::size_t i = 0; i < c.attr.size(); ++i) out << i << ".: " << c.attr[i] << std::endl;
  out << "n: " << c.n << "  m: " << c.attr.size() << std::endl;
}

int attribute_index(const std::vector<std::string>& attr, const std::string& name) {
  auto it = std::lower_bound(attr.begin(), attr.end(), name);
  if (it == attr.end() || *it != name) return -1;
  return static_cast<int>(it - attr.begin());
}

namespace {

int lookup(const std::vector<std::string>& attr, const std::string& name, std::ostream& err) {
  int index = attribute_index(attr, name);
  if (index == -1) err << "Ismeretlen attributum a fuggosegben: \"" << name << "\"" << std::endl;
  return index;
}

}  // namespace

halmaz parse_dependency(const std::string& tmp, const std::vector<std::string>& attr,
                        std::ostream& err) {
  halmaz f_tmp;
  std::size_t j = 0;
  bool l = false;
  while (j < tmp.size() && !l) {
    std::string seged;
    read_left_token(tmp, j, l, seged);
    f_tmp.left.push_back(lookup(attr, seged, err));
    ++j;  // over the "," or "-"; after the arrow's "-" this lands on its ">"
  }
  if (!l && !tmp.empty()) err << "Hianyzik a \"->\" a fuggosegbol: " << tmp << std::endl;
  ++j;  // over the ">"
  for_each_token(
      tmp, j, [&](const std::string& seged) { f_tmp.right.push_back(lookup(attr, seged, err)); });
  return f_tmp;
}

std::vector<halmaz> read_dependencies(std::istream& f, std::string& tmp,
                                      const std::vector<std::string>& attr, std::ostream& err) {
  std::vector<halmaz> F;
  read_block(f, tmp,
             [&](const std::string& line) { F.push_back(parse_dependency(line, attr, err)); });
  // The line that ended the block is parsed too: an empty record, or the file's unterminated last
  // line, which would otherwise be lost.
  F.push_back(parse_dependency(tmp, attr, err));
  return F;
}

void print_dependencies(std::ostream& out, const std::vector<halmaz>& F) {
  for (const halmaz& h : F) {
    for (int index : h.left) out << index << ' ';
    out << "->";
    for (int index : h.right) out << index << ' ';
    out << std::endl;
  }
}
