// Runs the whole run sequence in-process on arbitrary bytes and aborts when what a user sees breaks
// a rule that holds for every input: the run ends with exit_ok; the result file is the input's
// lines, each without its one trailing carriage return, two newlines and the verdict; the verdict
// is one of the two texts; and it is "vesztesegmentes" exactly when the final tableau on the
// console, if printed, has a data row of "0" symbols only. For inputs small enough it also chases
// the same tableau with the plain pass-by-pass chase and requires the same final tableau as chase()
// and as the console shows, and the recorded steps of the plain chase must lead there. The check of
// the decomposition runs on every input, under budgets small enough to keep the fuzzer's pace, and
// must write one object.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "chase.h"
#include "input.h"
#include "json.h"
#include "matrix.h"
#include "run.h"
#include "tableau.h"
#include "test_util.h"

namespace {

const std::string lossless = "vesztesegmentes";
const std::string lossy = "nem vesztesegmentes";

// The check's budgets are cut so that fuzzing keeps its pace: a generated input that would take
// the default budgets' seconds stops at "not decided" instead, which is a path worth fuzzing too.
// Each part still gets enough to decide any input of a few attributes, so every part runs.
constexpr check_budget fuzz_budget{100'000, 100'000, 100'000, 100'000, 50'000, 100'000};

// The run keeps tableaux up to this size for the comparison with the plain chase.
constexpr std::size_t kept_cells = 100'000;

// Above this many agreement tests per pass the plain chase would slow the fuzzer down.
constexpr long long plain_chase_budget = 100'000;

void require(bool ok, const char* rule) {
  if (ok) return;
  std::fprintf(stderr, "violated: %s\n", rule);
  std::abort();
}

// The input's lines as the result file repeats them: split at every newline, one trailing carriage
// return dropped from each piece, the pieces joined by newlines (the last piece, the text after the
// final newline, is empty for a file that ends with one).
std::string copied_lines(std::string_view text) {
  std::string copy;
  for (;;) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    copy += line;
    if (end == std::string_view::npos) return copy;
    copy += '\n';
    text.remove_prefix(end + 1);
  }
}

bool starts_with(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool ends_with(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The rows that the console shows between "FINAL: " and the verdict; empty when the tableau was not
// printed. The marker's last occurrence is the right one: no printed row is empty.
std::string final_tableau(std::string_view console, const std::string& result) {
  const std::string_view marker = "\n\nFINAL: \n\n";
  const std::string tail = "\n\n" + result + "\n\nFileba: \n";
  require(ends_with(console, tail), "the console ends with the verdict and \"Fileba: \"");
  const std::size_t at = console.rfind(marker);
  require(at != std::string_view::npos, "the console shows \"FINAL: \"");
  const std::size_t begin = at + marker.size();
  require(begin + tail.size() <= console.size(), "\"FINAL: \" comes before the verdict");
  return std::string(console.substr(begin, console.size() - tail.size() - begin));
}

// True when some printed row after the header holds only "0" cells, each followed by a blank.
bool shows_a_row_of_zeros(const std::string& tableau) {
  std::istringstream rows(tableau);
  std::string row;
  std::getline(rows, row);  // the header
  while (std::getline(rows, row)) {
    bool zeros = !row.empty() && row.size() % 2 == 0;
    for (std::size_t i = 0; zeros && i < row.size(); i += 2)
      zeros = row[i] == '0' && row[i + 1] == ' ';
    if (zeros) return true;
  }
  return false;
}

// The run's initial tableau chased the plain way, which must end where the run's chase ended.
void compare_chases(const run_result& outcome, const std::string& shown_tableau,
                    const std::string& result) {
  if (!outcome.kept) return;
  const matrix& matr_T = outcome.initial;
  const std::vector<halmaz>& F = outcome.F;
  const long long rows = matr_T.get_x();
  if (rows * rows * static_cast<long long>(F.size()) > plain_chase_budget) return;
  const matrix& fast = outcome.chased;
  matrix plain = matr_T;
  const step_record record = record_steps(plain, F, unlimited_work);
  require(fast == plain, "chase() and the plain chase end with the same tableau");
  // The steps, applied to the initial tableau one by one, lead to the same tableau.
  matrix replayed = matr_T;
  for (const step& s : record.steps) {
    require(!s.cells.empty() && std::is_sorted(s.cells.begin(), s.cells.end()),
            "a step changes some cells, listed in ascending order");
    for (int r : s.cells) {
      require(replayed.cell(r, s.column) == s.from, "a step's cells held the symbol that went");
      replayed.cell(r, s.column) = s.to;
    }
  }
  require(replayed == plain, "replaying the steps gives the chased tableau");
  require(printed(plain) == shown_tableau, "the console shows the plainly chased tableau");
  require(verdict(plain) == result, "the verdict is that of the plainly chased tableau");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::ostringstream console;
  std::ostringstream err;
  diagnostics d(err);
  // The decomposition check runs too, so that the sanitizers see it on every input.
  run_options options;
  options.check = true;
  options.budget = fuzz_budget;
  options.keep_cells = kept_cells;
  const run_result outcome = run(text, console, d, options);
  require(outcome.exit_code == exit_ok, "the run ends with exit_ok");
  std::ostringstream json;
  write_json(json, outcome.attr, outcome.schemes, outcome.F, *outcome.lossless, *outcome.check);
  require(json.str().starts_with("{\"version\": ") && json.str().ends_with("}\n"),
          "the check is written as one object");

  const std::string& result_file = outcome.result;
  const std::string lines = copied_lines(text) + "\n\n";
  require(starts_with(result_file, lines), "the result file repeats the input's lines");
  const std::string result = result_file.substr(lines.size());
  require(result == lossless || result == lossy, "the verdict is one of the two texts");

  const std::string shown = final_tableau(console.str(), result);
  if (!shown.empty()) {
    require(shows_a_row_of_zeros(shown) == (result == lossless),
            "the verdict is lossless exactly when the final tableau shows a row of zeros");
  }
  compare_chases(outcome, shown, result);
  return 0;
}
