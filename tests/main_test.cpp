// End-to-end: runs the built binary and compares what a user sees (standard output, standard
// error, the result file, the exit code) with expectations written by hand.
//
// Each folder of tests/data/ is one case: `input` is the input file; `stdout` and `result` the
// expected standard output and result file (no `result`: the run must not create one); `stderr`
// the expected standard error (empty when absent); `exit` the expected exit code (0 when absent).
// The case runs in a folder of its own as `lossless input result`, so messages name `input`.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_util.h"

namespace fs = std::filesystem;

namespace {

const fs::path data_dir = LOSSLESS_TEST_DATA;
const fs::path json_dir = LOSSLESS_JSON_DATA;
const fs::path design_dir = LOSSLESS_DESIGN_DATA;

void write_file(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

struct outcome {
  int exit_code;
  std::string out;
  std::string err;
};

// A fresh folder per test, removed afterwards.
class scratch {
 public:
  scratch() {
    std::string pattern = (fs::temp_directory_path() / "lossless_e2e_XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
  }
  ~scratch() { fs::remove_all(dir_); }
  fs::path operator/(const std::string& name) const { return dir_ / name; }

  // Runs the binary in the folder with args; a shell command in before runs first, in the same
  // shell.
  outcome run(const std::vector<std::string>& args, const std::string& before = "") const {
    std::string command = before + "\"$lossless\"";
    for (const std::string& arg : args) command += " '" + arg + "'";
    return shell(command + " >stdout 2>stderr");
  }

  // Runs a shell script in the folder, where $lossless names the binary. The exit code is the
  // script's, unless it writes one to the file `exit`; the outputs are the files `stdout` and
  // `stderr`, which the script writes.
  outcome shell(const std::string& script) const {
    const std::string command =
        "cd '" + dir_.string() + "' && lossless='" LOSSLESS_BINARY "' && " + script;
    const int status = std::system(command.c_str());
    int exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (fs::exists(dir_ / "exit")) exit_code = std::stoi(read_file(dir_ / "exit"));
    return {exit_code, read_file(dir_ / "stdout"), read_file(dir_ / "stderr")};
  }

 private:
  fs::path dir_;
};

std::string expected(const std::string& case_name, const std::string& file,
                     const std::string& otherwise = "") {
  fs::path path = data_dir / case_name / file;
  return fs::exists(path) ? read_file(path) : otherwise;
}

class data_case : public testing::TestWithParam<std::string> {};

TEST_P(data_case, matches_the_expected_trace_and_result_file) {
  const std::string name = GetParam();
  scratch s;
  fs::copy_file(data_dir / name / "input", s / "input");
  outcome got = s.run({"input", "result"});
  EXPECT_EQ(got.out, expected(name, "stdout"));
  if (fs::exists(data_dir / name / "result")) {
    EXPECT_EQ(read_file(s / "result"), expected(name, "result"));
  } else {
    EXPECT_FALSE(fs::exists(s / "result"));
  }
  EXPECT_EQ(got.err, expected(name, "stderr"));
  EXPECT_EQ(std::to_string(got.exit_code) + "\n", expected(name, "exit", "0\n"));
  EXPECT_EQ(read_file(s / "input"), read_file(data_dir / name / "input"));
}

std::vector<std::string> case_names(const fs::path& dir = data_dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(e2e, data_case, testing::ValuesIn(case_names()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

// n schemes, the k-th naming the attribute "A<k>" of its own; the zeros keep the names sorted.
std::string own_attribute_schemes(int n) {
  std::string text;
  for (int k = 1; k <= n; ++k) {
    std::string name = std::to_string(k);
    text += "A" + std::string(6 - name.size(), '0') + name + "\n";
  }
  return text;
}

// The text without the blanks and line breaks between JSON's tokens: the expected objects are laid
// out by hand for reading. Strings keep theirs.
std::string without_layout(const std::string& json) {
  std::string compact;
  bool in_string = false;
  for (std::size_t k = 0; k < json.size(); ++k) {
    const char c = json[k];
    if (in_string && c == '\\') {
      compact += json.substr(k++, 2);
      continue;
    }
    if (c == '"') in_string = !in_string;
    if (in_string || (c != ' ' && c != '\n')) compact += c;
  }
  return compact;
}

// Each folder of tests/json_data/ is one exercise: `input`, the object `json` worked out by hand,
// and the expected `stderr` where there is one. `--json` prints the object and nothing else, and
// writes no file.
class json_case : public testing::TestWithParam<std::string> {};

TEST_P(json_case, prints_the_check_worked_out_by_hand) {
  const std::string name = GetParam();
  scratch s;
  fs::copy_file(json_dir / name / "input", s / "input");
  outcome got = s.run({"--json", "input"});
  EXPECT_EQ(got.exit_code, 0);
  EXPECT_EQ(without_layout(got.out), without_layout(read_file(json_dir / name / "json")));
  const fs::path err = json_dir / name / "stderr";
  EXPECT_EQ(got.err, fs::exists(err) ? read_file(err) : "");
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(s / "")) {
    files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"input", "stderr", "stdout"}));
}

INSTANTIATE_TEST_SUITE_P(json, json_case, testing::ValuesIn(case_names(json_dir)),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

// --json reads and reports the input as the two-path run does: the same messages and exit codes,
// and no object when the run stops.
TEST(json, refuses_an_input_as_the_two_path_run_does) {
  scratch s;
  write_file(s / "utf16",
             "\xFF\xFE"
             "A\0");
  write_file(s / "wide", own_attribute_schemes(100000));
  struct case_ {
    std::vector<std::string> args;
    int exit_code;
    std::string out;
    std::string err;
  };
  const case_ cases[] = {
      {{"--json"}, 1, "Keves a parameter!\n", "Hasznalat: lossless --json <bemeneti fajl>\n"},
      {{"--json", "missing"}, 2, "", "Nem sikerult megnyitni a bemeneti fajlt: missing\n"},
      {{"--json", "utf16"},
       2,
       "",
       "A bemeneti fajl UTF-16 kodolasu, mentse UTF-8 kodolassal: utf16\n"},
      {{"--json", "wide"}, 2, "", "Nincs eleg memoria a tablazathoz: 100000 x 100000\n"},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.args.back());
    outcome got = s.run(c.args);
    EXPECT_EQ(got.exit_code, c.exit_code);
    EXPECT_EQ(got.out, c.out);
    EXPECT_EQ(got.err, c.err);
  }
}

// Each folder of tests/design_data/ is one exercise: `input`, the object `json` that --design
// prints for it, worked out by hand, and the expected `stderr` where there is one. No file is
// written.
class design_case : public testing::TestWithParam<std::string> {};

TEST_P(design_case, prints_the_design_worked_out_by_hand) {
  const std::string name = GetParam();
  scratch s;
  fs::copy_file(design_dir / name / "input", s / "input");
  outcome got = s.run({"--design", "input"});
  EXPECT_EQ(got.exit_code, 0);
  EXPECT_EQ(without_layout(got.out), without_layout(read_file(design_dir / name / "json")));
  const fs::path err = design_dir / name / "stderr";
  EXPECT_EQ(got.err, fs::exists(err) ? read_file(err) : "");
  EXPECT_EQ(std::distance(fs::directory_iterator(s / "."), fs::directory_iterator()), 3);
}

INSTANTIATE_TEST_SUITE_P(design, design_case, testing::ValuesIn(case_names(design_dir)),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

// --design refuses an input as --json does, with its own usage line, and prints no object when
// the run stops before the chase.
TEST(design, refuses_an_input_as_json_does) {
  scratch s;
  write_file(s / "wide", own_attribute_schemes(100000));
  const outcome alone = s.run({"--design"});
  EXPECT_EQ(alone.exit_code, 1);
  EXPECT_EQ(alone.err, "Hasznalat: lossless --design <bemeneti fajl>\n");
  const outcome wide = s.run({"--design", "wide"});
  EXPECT_EQ(wide.exit_code, 2);
  EXPECT_EQ(wide.out, "");
  EXPECT_EQ(wide.err, "Nincs eleg memoria a tablazathoz: 100000 x 100000\n");
}

TEST(options, help_and_version_print_and_exit_with_0) {
  scratch s;
  outcome version = s.run({"--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out, "lossless 1.3.0\n");
  outcome help = s.run({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: lossless <input file> <result file>\n"));
  EXPECT_NE(help.out.find("--json <input file>"), std::string::npos);
  EXPECT_NE(help.out.find("--tidy <input file>"), std::string::npos);
  EXPECT_NE(help.out.find("--design <input file>"), std::string::npos);
  EXPECT_EQ(help.err, "");
  outcome short_help = s.run({"-h"});
  EXPECT_EQ(short_help.exit_code, 0);
  EXPECT_EQ(short_help.out, help.out);
  // Only as the first argument: anywhere else it is a path.
  outcome late = s.run({(data_dir / "example" / "input").string(), "--version"});
  EXPECT_EQ(late.exit_code, 0);
  EXPECT_EQ(read_file(s / "--version"), expected("example", "result"));
}

// The tidied text on standard output, one "<line>: <kind>" per rewrite on standard error, no
// result file; refused as --json refuses.
TEST(options, tidy_prints_the_tidied_input_and_its_rewrites) {
  scratch s;
  write_file(s / "input", "R1(A, B)\r\nR2(B, C)\r\n\r\nB -> C\r\n");
  outcome got = s.run({"--tidy", "input"});
  EXPECT_EQ(got.exit_code, 0);
  EXPECT_EQ(got.out, "A,B\r\nB,C\r\n\r\nB->C\r\n");
  EXPECT_EQ(got.err, "1: blanks\n1: scheme_name\n2: blanks\n2: scheme_name\n4: blanks\n");
  // input, stdout and stderr only
  EXPECT_EQ(std::distance(fs::directory_iterator(s / "."), fs::directory_iterator()), 3);

  write_file(s / "tidy", "A,B\n\nA->B\n");
  outcome untouched = s.run({"--tidy", "tidy"});
  EXPECT_EQ(untouched.out, "A,B\n\nA->B\n");
  EXPECT_EQ(untouched.err, "");

  outcome missing = s.run({"--tidy", "nothing"});
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_EQ(missing.err, "Nem sikerult megnyitni a bemeneti fajlt: nothing\n");
  outcome alone = s.run({"--tidy"});
  EXPECT_EQ(alone.exit_code, 1);
  EXPECT_EQ(alone.out, "Keves a parameter!\n");
  EXPECT_EQ(alone.err, "Hasznalat: lossless --tidy <bemeneti fajl>\n");
}

const std::string usage_err = "Hasznalat: lossless <bemeneti fajl> <eredmenyfajl>\n";

TEST(arguments, fewer_than_two_paths_print_the_usage_and_touch_no_file) {
  scratch s;
  outcome none = s.run({});
  EXPECT_EQ(none.exit_code, 1);
  EXPECT_EQ(none.out, "Keves a parameter!\n");
  EXPECT_EQ(none.err, usage_err);

  outcome one = s.run({(s / "result").string()});
  EXPECT_EQ(one.exit_code, 1);
  EXPECT_EQ(one.out, "Keves a parameter!\n");
  EXPECT_FALSE(fs::exists(s / "result"));
}

TEST(arguments, extra_arguments_are_ignored) {
  scratch s;
  outcome got = s.run(
      {(data_dir / "example" / "input").string(), (s / "result").string(), (s / "extra").string()});
  EXPECT_EQ(got.exit_code, 0);
  EXPECT_EQ(got.out, expected("example", "stdout"));
  EXPECT_EQ(read_file(s / "result"), expected("example", "result"));
  EXPECT_FALSE(fs::exists(s / "extra"));
}

TEST(file_errors, unreadable_input_leaves_the_result_file_alone) {
  scratch s;
  write_file(s / "result", "keep me");
  fs::create_directory(s / "folder");
  for (const fs::path& input : {s / "missing", s / "folder"}) {
    SCOPED_TRACE(input.string());
    outcome got = s.run({input.string(), (s / "result").string()});
    EXPECT_EQ(got.exit_code, 2);
    EXPECT_EQ(got.out, "");
    EXPECT_EQ(got.err, "Nem sikerult megnyitni a bemeneti fajlt: " + input.string() + "\n");
    EXPECT_EQ(read_file(s / "result"), "keep me");
  }
  for (const fs::path& input : {s / "missing", s / "folder"}) {
    s.run({input.string(), (s / "new").string()});
    EXPECT_FALSE(fs::exists(s / "new"));
  }
}

TEST(file_errors, a_result_path_that_cannot_be_a_file) {
  scratch s;
  fs::create_directory(s / "folder");
  for (const fs::path& result : {s / "no" / "result", s / "folder"}) {
    SCOPED_TRACE(result.string());
    outcome got = s.run({(data_dir / "example" / "input").string(), result.string()});
    EXPECT_EQ(got.exit_code, 2);
    EXPECT_EQ(got.out, "");
    EXPECT_EQ(got.err, "Nem sikerult megnyitni az eredmenyfajlt: " + result.string() + "\n");
  }
  EXPECT_FALSE(fs::exists(s / "no"));
  EXPECT_TRUE(fs::is_empty(s / "folder"));
}

TEST(file_errors, the_same_file_twice_is_refused_and_kept) {
  scratch s;
  const std::string text = read_file(data_dir / "example" / "input");
  write_file(s / "input", text);
  fs::create_symlink(s / "input", s / "symlink");
  fs::create_hard_link(s / "input", s / "hardlink");
  for (const char* name : {"input", "./input", "symlink", "hardlink"}) {
    SCOPED_TRACE(name);
    outcome got = s.run({(s / "input").string(), (s / name).string()});
    EXPECT_EQ(got.exit_code, 2);
    EXPECT_EQ(got.out, "");
    EXPECT_EQ(got.err, "A bemeneti es az eredmenyfajl ugyanaz: " + (s / name).string() + "\n");
    EXPECT_EQ(read_file(s / "input"), text);
  }
}

TEST(file_errors, a_failed_write_comes_after_the_whole_trace) {
  scratch s;
  outcome got = s.run({(data_dir / "example" / "input").string(), "/dev/full"});
  EXPECT_EQ(got.exit_code, 2);
  EXPECT_EQ(got.out, expected("example", "stdout"));
  EXPECT_EQ(got.err, "Nem sikerult irni az eredmenyfajlt: /dev/full\n");
}

// The input need not be a file: anything that can be read once gives what the same bytes in a
// file give.
TEST(streams, a_pipe_a_fifo_and_a_process_substitution_read_like_the_file) {
  const std::string input = (data_dir / "example" / "input").string();
  const std::string scripts[] = {
      "cat '" + input + "' | \"$lossless\" /dev/stdin result >stdout 2>stderr",
      "mkfifo fifo && { cat '" + input +
          "' >fifo & } && \"$lossless\" fifo result >stdout 2>stderr",
      "bash -c '\"$0\" <(cat \"$1\") result >stdout 2>stderr' \"$lossless\" '" + input + "'",
  };
  for (const std::string& script : scripts) {
    SCOPED_TRACE(script);
    scratch s;
    outcome got = s.shell(script);
    EXPECT_EQ(got.exit_code, 0);
    EXPECT_EQ(got.out, expected("example", "stdout"));
    EXPECT_EQ(got.err, "");
    EXPECT_EQ(read_file(s / "result"), expected("example", "result"));
  }
}

// The trace is buffered, but a message never comes before the trace printed ahead of it.
TEST(streams, messages_follow_the_trace_printed_before_them) {
  scratch s;
  outcome got = s.shell("\"$lossless\" '" + (data_dir / "bad_dependency_lines" / "input").string() +
                        "' result >stdout 2>&1");
  const std::string trace = expected("bad_dependency_lines", "stdout");
  const std::size_t dependencies = trace.find("1 -1 ->2 \n");
  EXPECT_EQ(got.out, trace.substr(0, dependencies) + expected("bad_dependency_lines", "stderr") +
                         trace.substr(dependencies));
}

// A standard output that fails costs the trace only: the result file is written whole, and the
// failure is reported at the end with exit code 2.
TEST(streams, a_failing_standard_output_still_gives_the_whole_result_file) {
  scratch s;
  // Over a megabyte of trace, far more than a pipe holds once its reader has gone.
  std::string big;
  for (int k = 1; k <= 400; ++k) big += "A" + std::to_string(1000 + k) + ",B\n";
  write_file(s / "big", big);
  const std::string example = (data_dir / "example" / "input").string();
  struct case_ {
    std::string script;
    std::string result;
  };
  const case_ cases[] = {
      {"{ \"$lossless\" big result 2>stderr; echo $? >exit; } | head -c 1 >/dev/null",
       big + "\n\nnem vesztesegmentes"},
      {"\"$lossless\" '" + example + "' result >/dev/full 2>stderr", expected("example", "result")},
      {"\"$lossless\" '" + example + "' result >&- 2>stderr", expected("example", "result")},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.script);
    fs::remove(s / "exit");
    outcome got = s.shell(c.script);
    EXPECT_EQ(got.exit_code, 2);
    EXPECT_EQ(got.err, "Nem sikerult irni a szabvanyos kimenetre\n");
    EXPECT_EQ(read_file(s / "result"), c.result);
  }
}

std::string catalogue_of_own_attributes(int n) {
  std::string text = "atrrsize: " + std::to_string(n) + "\n";
  const std::string schemes = own_attribute_schemes(n);
  std::size_t begin = 0;
  for (int i = 0; i < n; ++i) {
    const std::size_t end = schemes.find('\n', begin);
    text += std::to_string(i) + ".: " + schemes.substr(begin, end - begin) + "\n";
    begin = end + 1;
  }
  return text + "n: " + std::to_string(n) + "  m: " + std::to_string(n) + "\n";
}

TEST(memory, a_tableau_too_large_stops_after_the_catalogue) {
  scratch s;
  // 100 001 x 100 000 cells need far more memory than a machine has.
  write_file(s / "input", own_attribute_schemes(100000) + "\nA000001->A000002\n");
  write_file(s / "result", "emptied at the start");
  outcome got = s.run({(s / "input").string(), (s / "result").string()});
  EXPECT_EQ(got.exit_code, 2);
  EXPECT_EQ(got.out, catalogue_of_own_attributes(100000));
  EXPECT_EQ(got.err, "Nincs eleg memoria a tablazathoz: 100000 x 100000\n");
  EXPECT_EQ(read_file(s / "result"), "");
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool address_sanitizer = true;
#elif defined(__has_feature)
constexpr bool address_sanitizer = __has_feature(address_sanitizer);
#else
constexpr bool address_sanitizer = false;
#endif

TEST(memory, an_address_space_limit_lowers_the_ceiling) {
  if (address_sanitizer) GTEST_SKIP() << "the sanitizer needs more address space than the limit";
  scratch s;
  const std::string limit = "ulimit -v 262144; ";  // 256 MiB
  // 3001 x 3000 cells: 288 MB of strings alone, more than the limit allows.
  write_file(s / "input", own_attribute_schemes(3000));
  outcome big = s.run({(s / "input").string(), (s / "result").string()}, limit);
  EXPECT_EQ(big.exit_code, 2);
  EXPECT_EQ(big.err, "Nincs eleg memoria a tablazathoz: 3000 x 3000\n");
  EXPECT_EQ(read_file(s / "result"), "");

  outcome small =
      s.run({(data_dir / "example" / "input").string(), (s / "result").string()}, limit);
  EXPECT_EQ(small.exit_code, 0);
  EXPECT_EQ(small.out, expected("example", "stdout"));
  EXPECT_EQ(read_file(s / "result"), expected("example", "result"));
}

// Memory that runs out anywhere ends the run with a message and exit code 2, never an abort: while
// the input is read (the result file is not touched) and after the result file was opened (it is
// left empty, as the tableau refusal leaves it).
TEST(memory, running_out_anywhere_gives_a_message_instead_of_an_abort) {
  if (address_sanitizer) GTEST_SKIP() << "the sanitizer needs more address space than the limit";
  scratch s;
  std::string big;  // 16 MB of distinct names, far more than the catalogue can sort in 60 MB
  for (int k = 0; big.size() < 16'000'000; ++k)
    big += "N" + std::to_string(k) + (k % 20 ? "," : "\n");
  write_file(s / "input", big + "\nN1->N2\n");
  struct case_ {
    const char* limit;
    std::string result;
  };
  for (const case_& c : {case_{"ulimit -v 20000; ", "keep me"}, case_{"ulimit -v 60000; ", ""}}) {
    SCOPED_TRACE(c.limit);
    write_file(s / "result", "keep me");
    outcome got = s.run({"input", "result"}, c.limit);
    EXPECT_EQ(got.exit_code, 2);
    EXPECT_EQ(got.err, "Nincs eleg memoria: input\n");
    EXPECT_EQ(read_file(s / "result"), c.result);
  }
}

}  // namespace
