// The run of the tool: the stages in order on the input's bytes, the final report and the result
// file's text. The entry point around it owns the command line, the files and the exit code.

#ifndef LOSSLESS_MAIN_H_
#define LOSSLESS_MAIN_H_

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

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

// What a run of one input gives besides its trace.
struct run_outcome {
  int exit_code = exit_ok;  // exit_ok or exit_no_memory
  std::string result;       // the whole result file; empty when the tableau did not fit
  std::string verdict;      // the verdict the result file ends with; empty when there is none
};

// What a front end keeps of a run besides its trace. Set max_cells and analyse before the run. The
// tableaux are kept only up to max_cells cells, since a copy would cost as much memory as the
// tableau itself.
struct chase_view {
  std::size_t max_cells = 0;
  bool kept = false;      // whether the run filled initial, F and chased
  matrix initial{0, 0};   // the tableau before the chase
  std::vector<halmaz> F;  // the dependencies
  matrix chased{0, 0};    // the tableau after the chase
  bool analyse = false;   // also check the whole decomposition
  std::string analysis;   // the check as the JSON object of `lossless --json`, when analysed
  std::string repaired;   // the input with the repair's schemes added, when one was proposed
};

// True when the input starts with a UTF-16 byte-order mark (FF FE or FE FF), after reporting that
// the file, shown as name, must be saved as UTF-8. Such an input must not be run: every other byte
// of it would be a NUL in the names.
bool refuse_utf16(std::string_view input, std::string_view name, diagnostics& d);

// Runs the whole sequence on the input's bytes: catalogue, tableau, dependencies, chase, verdict
// and report go to console, the reports of odd lines and names to d. A UTF-8 byte-order mark at
// the start is skipped by every reading but kept in the result text, and lines are numbered after
// it. When the tableau would not fit in memory the run stops after the catalogue with
// exit_no_memory. Writes to console are not checked here: a failing console costs nothing else.
// When view is given, the run also keeps its tableaux and dependencies there, and, when view asks
// for it, the check's object and the repaired input.
run_outcome run(std::string_view input, std::ostream& console, diagnostics& d,
                chase_view* view = nullptr);

// Prints the closing part of the trace: "FINAL: ", the chased tableau and the verdict, ending with
// the line "Fileba: ".
void print_report(std::ostream& console, const matrix& matr_S, const std::string& result);

// The result file's text: every line of the input, each followed by a newline, then the text the
// last read left (an unterminated final line, else nothing), two newlines and result without a
// newline. Lines are read as every reading reads them, so each loses one trailing "\r".
std::string result_text(std::string_view input, const std::string& result);

#endif  // LOSSLESS_MAIN_H_
