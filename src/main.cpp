// The console's entry point: the command line, the files, the standard streams and the exit code
// around the library's run of one input.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "run.h"

#ifndef _WIN32
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

// Paths are shown as UTF-8 whatever the platform's own encoding of them.
std::string shown(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

int fail(const char* message, const fs::path& path) {
  std::cerr << message << shown(path) << std::endl;
  return exit_file_error;
}

// Reads the whole input once: a pipe or a FIFO can be read only once, and a file that changes
// during the run must not make the readings disagree. False when the file cannot be opened or a
// read fails (a directory opens but cannot be read). Binary mode: read_line drops the carriage
// return itself, so every platform reads a file alike.
bool read_input(const fs::path& path, std::string& bytes) {
  std::ifstream f(path, std::ios::binary);
  if (!f.is_open()) return false;
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (!ec) bytes.reserve(size);
  std::vector<char> chunk(1 << 16);
  do {
    f.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    bytes.append(chunk.data(), static_cast<std::size_t>(f.gcount()));
  } while (f);
  return !f.bad();
}

bool same_file(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

// A reader that leaves early (`lossless in out | head`) must cost the trace only: the run goes on
// to write the result file and reports the failed output at the end. Returns false when standard
// output was closed before the start. A closed standard descriptor is given /dev/null, or the
// result file would be opened on it and receive the trace or the messages.
bool prepare_standard_streams() {
#ifdef _WIN32
  return true;  // no SIGPIPE; Windows gives a closed handle no number that a file could take
#else
  signal(SIGPIPE, SIG_IGN);
  bool output_open = true;
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (fd == 1) output_open = false;
    // The lowest free descriptor, which is fd: the ones below it are open by now.
    open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
  }
  return output_open;
#endif
}

// The run on two paths: reads and checks the input, opens the result file, runs, and writes the
// result file. Sets result_opened once the result file has been created or emptied.
int run_paths(const fs::path& input, const fs::path& result_path, bool& result_opened) {
  std::string bytes;
  if (!read_input(input, bytes)) return fail("Nem sikerult megnyitni a bemeneti fajlt: ", input);
  diagnostics d(std::cerr);
  if (refuse_utf16(bytes, shown(input), d)) return exit_bad_encoding;
  if (same_file(input, result_path)) {
    return fail("A bemeneti es az eredmenyfajl ugyanaz: ", result_path);
  }
  std::ofstream out(result_path);
  if (!out.is_open()) return fail("Nem sikerult megnyitni az eredmenyfajlt: ", result_path);
  result_opened = true;

  // std::cerr is tied to std::cout: each message flushes the trace written before it.
  const run_result outcome = run(bytes, std::cout, d);
  int exit_code = outcome.exit_code;
  out << outcome.result;
  out.close();
  if (out.fail()) exit_code = fail("Nem sikerult irni az eredmenyfajlt: ", result_path);
  if (!std::cout.flush()) {
    std::cerr << "Nem sikerult irni a szabvanyos kimenetre" << std::endl;
    exit_code = exit_stdout_error;
  }
  return exit_code;
}

// What the command line asks for: the two-path run, or one answer printed for one input.
enum class mode { paths, json, tidy, design };

struct option_name {
  std::string_view option;
  mode m;
};

constexpr option_name one_path_modes[] = {
    {"--json", mode::json}, {"--tidy", mode::tidy}, {"--design", mode::design}};

// The answer of a one-path mode for the input's bytes on standard output. Returns the exit code.
int print_answer(mode m, std::string_view bytes, diagnostics& d) {
  switch (m) {
    case mode::json:
      return print_check(bytes, std::cout, d);
    case mode::design:
      return print_design(bytes, std::cout, d);
    case mode::tidy:
      return print_tidy(bytes, std::cout, std::cerr);
    case mode::paths:
      break;
  }
  return exit_ok;
}

// A one-path mode: reads and checks the input as the two-path run does, with the same messages
// and exit codes, and prints its answer instead of the trace. No result file is written.
int run_one_path(mode m, const fs::path& input) {
  std::string bytes;
  if (!read_input(input, bytes)) return fail("Nem sikerult megnyitni a bemeneti fajlt: ", input);
  diagnostics d(std::cerr);
  if (refuse_utf16(bytes, shown(input), d)) return exit_bad_encoding;
  const int exit_code = print_answer(m, bytes, d);
  if (exit_code != exit_ok) return exit_code;
  if (!std::cout.flush()) {
    std::cerr << "Nem sikerult irni a szabvanyos kimenetre" << std::endl;
    return exit_stdout_error;
  }
  return exit_ok;
}

// Whether a command-line argument, in the platform's characters, is the ASCII option.
template <typename Char>
bool is_option(const Char* arg, std::string_view option) {
  std::size_t k = 0;
  for (; k < option.size(); ++k) {
    if (arg[k] != static_cast<Char>(option[k])) return false;
  }
  return arg[k] == 0;
}

void print_help(std::ostream& out) {
  out << "Usage: lossless <input file> <result file>\n"
         "       lossless --json <input file>\n"
         "       lossless --tidy <input file>\n"
         "       lossless --design <input file>\n"
         "       lossless --help | --version\n"
         "\n"
         "Decides by the tableau chase whether the decomposition in the input file has a\n"
         "lossless join: prints every step of the chase and writes the result file, the\n"
         "input followed by the verdict, vesztesegmentes (lossless) or nem vesztesegmentes.\n"
         "\n"
         "Options:\n"
         "  --json <input file>    check the whole decomposition (lossless join, dependency\n"
         "                         preservation, keys, normal forms, redundant schemes and\n"
         "                         a repair) and print it as one JSON object; no trace, no\n"
         "                         result file\n"
         "  --tidy <input file>    rewrite an exercise typed as textbooks print it into the\n"
         "                         input format and print it; each rewrite is listed on\n"
         "                         standard error as <line>: <kind>\n"
         "                         (lossless --tidy feladat.txt > rendezett.txt)\n"
         "  --design <input file>  find a minimal cover of the dependencies, a 3NF synthesis\n"
         "                         and a BCNF decomposition of all the attributes, every\n"
         "                         step with the closure that proves it, check both\n"
         "                         decompositions as --json does, and print it all as one\n"
         "                         JSON object; no trace, no result file\n"
         "  -h, --help             print this help\n"
         "  --version              print the version\n"
         "\n"
         "See lossless(1) for the input format, the trace and the messages.\n";
}

// Both entry points hand the paths on unconverted, whatever the width of the platform's characters.
template <typename Char>
int start(int argc, Char* argv[]) {
  if (argc >= 2 && (is_option(argv[1], "--help") || is_option(argv[1], "-h"))) {
    print_help(std::cout);
    return std::cout.flush() ? exit_ok : exit_stdout_error;
  }
  if (argc >= 2 && is_option(argv[1], "--version")) {
    std::cout << "lossless " LOSSLESS_VERSION "\n";
    return std::cout.flush() ? exit_ok : exit_stdout_error;
  }
  mode m = mode::paths;
  std::string_view option;
  for (const option_name& o : one_path_modes) {
    if (argc >= 2 && is_option(argv[1], o.option)) {
      m = o.m;
      option = o.option;
    }
  }
  if (argc < 3) {
    std::cout << "Keves a parameter!\n" << std::flush;
    if (m == mode::paths) {
      std::cerr << "Hasznalat: lossless <bemeneti fajl> <eredmenyfajl>" << std::endl;
    } else {
      std::cerr << "Hasznalat: lossless " << option << " <bemeneti fajl>" << std::endl;
    }
    return exit_usage;
  }
  if (!prepare_standard_streams()) std::cout.setstate(std::ios::badbit);
  const fs::path input(argv[m == mode::paths ? 1 : 2]);
  bool result_opened = false;
  // Memory can run out anywhere, in reading the input too. The standard library then throws
  // std::bad_alloc; it ends here, with a message, instead of in an abort and a core dump. Its
  // unwinding has freed what the run held, so the message can be written.
  try {
    if (m != mode::paths) return run_one_path(m, input);
    return run_paths(input, fs::path(argv[2]), result_opened);
  } catch (const std::bad_alloc&) {
    // Left empty, as the tableau refusal leaves it: a partial result file must not pass for one.
    if (result_opened) std::ofstream(fs::path(argv[2]), std::ios::trunc).close();
    diagnostics d(std::cerr);
    d.report(message::no_memory, 0, shown(input));
    return exit_no_memory;
  }
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t* argv[]) { return start(argc, argv); }
#else
int main(int argc, char* argv[]) { return start(argc, argv); }
#endif
