#include "main.h"

#include <fstream>
#include <iostream>
#include <system_error>
#include <utility>
#include <vector>

#include "chase.h"
#include "input.h"
#include "tableau.h"

namespace {

namespace fs = std::filesystem;

// Paths are shown as UTF-8 whatever the platform's own encoding of them.
std::string shown(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// The input is opened three times; any of them can fail.
constexpr const char* cannot_open_input = "Nem sikerult megnyitni a bemeneti fajlt: ";

int fail(std::ostream& err, const char* message, const fs::path& path) {
  err << message << shown(path) << std::endl;
  return exit_file_error;
}

// Opens f on path at its first line. False when the file cannot be opened or its first read
// fails with an error (a directory opens but cannot be read). Binary mode: read_line drops the
// carriage return itself, so every platform reads a file alike.
bool open_input(std::ifstream& f, const fs::path& path) {
  f.close();
  f.clear();
  f.open(path, std::ios::binary);
  if (!f.is_open()) return false;
  f.peek();
  if (f.bad()) return false;
  f.clear();  // an empty file sets eof on the peek
  return true;
}

bool same_file(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace

void print_report(std::ostream& console, const matrix& matr_S, const std::string& result) {
  console << std::endl << std::endl << "FINAL: " << std::endl << std::endl;
  matr_S.print(console);
  console << std::endl << std::endl << result << std::endl << std::endl << "Fileba: " << std::endl;
}

void write_result(std::istream& f, std::ostream& out, const std::string& result) {
  std::string tmp;
  read_line(f, tmp);
  while (!f.eof() && !f.fail()) {
    out << tmp << '\n';
    read_line(f, tmp);
  }
  out << tmp << "\n\n" << result;
}

int run(const fs::path& input, const fs::path& result_path, std::ostream& console,
        std::ostream& err) {
  std::ifstream f;
  if (!open_input(f, input)) return fail(err, cannot_open_input, input);
  if (same_file(input, result_path)) {
    return fail(err, "A bemeneti es az eredmenyfajl ugyanaz: ", result_path);
  }
  std::ofstream out(result_path);
  if (!out.is_open()) return fail(err, "Nem sikerult megnyitni az eredmenyfajlt: ", result_path);

  std::string tmp;
  const catalogue c = read_catalogue(f, tmp);
  print_catalogue(console, c);
  // Decided from the size the tableau needs, before any of it is allocated.
  if (!tableau_fits(c.n, c.attr.size(), available_memory())) {
    err << "Nincs eleg memoria a tablazathoz: " << c.n << " x " << c.attr.size() << std::endl;
    return exit_no_memory;
  }

  if (!open_input(f, input)) return fail(err, cannot_open_input, input);
  matrix matr_T = build_tableau(f, tmp, console, c.attr, static_cast<int>(c.n));
  matr_T.print(console);
  console << std::endl << std::endl;
  // The working copy takes the tableau over: the chase keeps no snapshot, and a second copy
  // would double the memory of a large run.
  matrix matr_S = std::move(matr_T);
  matr_S.print(console);

  const std::vector<halmaz> F = read_dependencies(f, tmp, c.attr, err);
  print_dependencies(console, F);

  chase(matr_S, F);
  const std::string result = verdict(matr_S);
  print_report(console, matr_S, result);

  if (!open_input(f, input)) return fail(err, cannot_open_input, input);
  write_result(f, out, result);
  out.close();
  if (out.fail()) return fail(err, "Nem sikerult irni az eredmenyfajlt: ", result_path);
  return exit_ok;
}

#ifndef LOSSLESS_NO_ENTRY_POINT

namespace {

// Both entry points hand the paths on unconverted, whatever the width of the platform's characters.
template <typename Char>
int start(int argc, Char* argv[]) {
  if (argc < 3) {
    std::cout << "Keves a parameter!\n" << std::flush;
    std::cerr << "Hasznalat: lossless <bemeneti fajl> <eredmenyfajl>" << std::endl;
    return exit_usage;
  }
  return run(fs::path(argv[1]), fs::path(argv[2]), std::cout, std::cerr);
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t* argv[]) { return start(argc, argv); }
#else
int main(int argc, char* argv[]) { return start(argc, argv); }
#endif

#endif  // LOSSLESS_NO_ENTRY_POINT
