// Writes a benchmark input to standard output.
//
//   generate chain N [--baseline]     schemes {A1,A2} ... {AN,AN+1}; dependencies Ai->Ai+1 from
//                                     i = N down to 1 (each pass of a plain chase enables one more)
//   generate wide N M F [--baseline]  N random schemes over A1..AM, each attribute in at least one
//                                     scheme; F random dependencies with 1 to 3 names on the left
//                                     and 1 or 2 on the right
//
// --baseline leaves the dependency block empty: the same tableaux are built and printed, nothing
// is chased, so it measures the output-bound floor of the same input.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "random_source.h"

namespace {

std::string name(int i) {
  std::string text = std::to_string(i);
  text.insert(text.begin(), 'A');
  return text;
}

void chain(std::ostream& out, int n, bool baseline) {
  for (int i = 1; i <= n; ++i) out << name(i) << ',' << name(i + 1) << '\n';
  out << '\n';
  if (baseline) return;
  for (int i = n; i >= 1; --i) out << name(i) << "->" << name(i + 1) << '\n';
}

void write_names(std::ostream& out, const std::vector<int>& names) {
  for (std::size_t k = 0; k < names.size(); ++k) out << (k ? "," : "") << name(names[k]);
}

void wide(std::ostream& out, int n, int m, int f, bool baseline) {
  random_source random(0x9e3779b97f4a7c15u);
  for (int i = 0; i < n; ++i) {
    std::vector<int> scheme;
    for (int a = i; a < m; a += n) scheme.push_back(a + 1);  // every attribute somewhere
    for (int extra = 1 + random.below(4); extra > 0; --extra) scheme.push_back(1 + random.below(m));
    write_names(out, scheme);
    out << '\n';
  }
  out << '\n';
  if (baseline) return;
  for (int d = 0; d < f; ++d) {
    std::vector<int> left(1 + random.below(3)), right(1 + random.below(2));
    for (int& a : left) a = 1 + random.below(m);
    for (int& a : right) a = 1 + random.below(m);
    write_names(out, left);
    out << "->";
    write_names(out, right);
    out << '\n';
  }
}

int usage() {
  std::cerr << "usage: generate chain N [--baseline] | generate wide N M F [--baseline]\n";
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::vector<std::string> args(argv + 1, argv + argc);
  bool baseline = !args.empty() && args.back() == "--baseline";
  if (baseline) args.pop_back();
  std::ios::sync_with_stdio(false);
  if (args.size() == 2 && args[0] == "chain") {
    chain(std::cout, std::atoi(args[1].c_str()), baseline);
  } else if (args.size() == 4 && args[0] == "wide") {
    wide(std::cout, std::atoi(args[1].c_str()), std::atoi(args[2].c_str()),
         std::atoi(args[3].c_str()), baseline);
  } else {
    return usage();
  }
  return 0;
}
