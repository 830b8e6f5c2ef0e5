// The run of one input as every front end runs it: the stages in order on the input's bytes, the
// final report and the result file's text, and, when asked, the check of the whole decomposition.
// The console's main, the web page's binding, the fuzz target, the tests and the benchmarks all
// call run(); each front end owns only its files, streams and exit code.

#ifndef LOSSLESS_RUN_H_
#define LOSSLESS_RUN_H_

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis.h"
#include "design.h"
#include "diagnostics.h"
#include "input.h"
#include "matrix.h"

// Exit codes of the process.
constexpr int exit_ok = 0;
constexpr int exit_usage = 1;         // fewer than two paths
constexpr int exit_file_error = 2;    // a file could not be opened, read or written
constexpr int exit_bad_encoding = 2;  // the input is UTF-16
constexpr int exit_no_memory = 2;     // the tableau would not fit in memory, or memory ran out
constexpr int exit_stdout_error = 2;  // standard output failed; the result file is still written

// What a front end asks of a run besides its trace.
struct run_options {
  // The tableaux are kept when they have at most this many cells: a copy costs as much memory
  // as the tableau itself.
  std::size_t keep_cells = 0;
  bool check = false;       // also check the whole decomposition
  check_budget budget;      // the check's work budgets
  check_progress progress;  // told how far the check got; may be empty

  bool design = false;        // also design from R and F: cover, 3NF synthesis, BCNF
  design_budget design_work;  // its work budgets
};

// What a run gives besides its trace and its messages.
struct run_result {
  int exit_code = exit_ok;       // exit_ok or exit_no_memory
  std::string result;            // the whole result file; empty when the tableau did not fit
  std::optional<bool> lossless;  // the verdict; empty when the run stopped before the chase

  std::vector<std::string> attr;          // the catalogue
  std::vector<std::vector<int>> schemes;  // per scheme line its columns, when checked
  std::vector<halmaz> F;                  // the dependencies, once read

  bool kept = false;     // whether initial and chased hold the tableaux (see keep_cells)
  matrix initial{0, 0};  // the tableau before the chase
  matrix chased{0, 0};   // the tableau after the chase

  std::optional<decomposition_check> check;  // when asked for and the chase ran
  std::string repaired;  // the input with the repair's schemes added, when one was proposed
  std::optional<design_result> design;  // when asked for and the chase ran
};

// True when the input starts with a UTF-16 byte-order mark (FF FE or FE FF), after reporting that
// the file, shown as name, must be saved as UTF-8. Such an input must not be run: every other byte
// of it would be a NUL in the names. A front end refuses it before it touches any file.
bool refuse_utf16(std::string_view input, std::string_view name, diagnostics& d);

// Runs the whole sequence on the bytes of an input that refuse_utf16 accepts: catalogue, tableau,
// dependencies, chase, verdict and report go to console, the reports of odd lines and names to d,
// and then, when asked, the check. A UTF-8 byte-order mark at the start is skipped by every
// reading but kept in the result text, and lines are numbered after it. When the tableau would
// not fit in memory the run stops after the catalogue with exit_no_memory. Writes to console are
// not checked here: a failing console costs nothing else. The design, when asked, follows.
run_result run(std::string_view input, std::ostream& console, diagnostics& d,
               const run_options& options = {});

// The one-path runs, which print one answer for the input on out instead of the trace and write no
// result file. print_check and print_design read and report the input as run() does, with the
// same messages to d, and print the check's JSON object (`lossless --json`) or design mode's
// (`lossless --design`); each returns run()'s exit code, printing nothing when it is not exit_ok.
// print_tidy prints the tidied input and one "<line>: <kind>" line per rewrite on err, and
// returns exit_ok. Writes to out are not checked here.
int print_check(std::string_view input, std::ostream& out, diagnostics& d);
int print_design(std::string_view input, std::ostream& out, diagnostics& d);
int print_tidy(std::string_view input, std::ostream& out, std::ostream& err);

// Prints the closing part of the trace: "FINAL: ", the chased tableau and the verdict, ending with
// the line "Fileba: ".
void print_report(std::ostream& console, const matrix& matr_S, const std::string& result);

// The result file's text: every line of the input, each followed by a newline, then the text the
// last read left (an unterminated final line, else nothing), two newlines and result without a
// newline. Lines are read as every reading reads them, so each loses one trailing "\r".
std::string result_text(std::string_view input, const std::string& result);

#endif  // LOSSLESS_RUN_H_
