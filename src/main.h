// The run of the tool: the command line, the two files, the stages in order, the final report and
// the result file.

#ifndef LOSSLESS_MAIN_H_
#define LOSSLESS_MAIN_H_

#include <filesystem>
#include <istream>
#include <ostream>
#include <string>

#include "matrix.h"

// Exit codes of the process.
constexpr int exit_ok = 0;
constexpr int exit_usage = 1;       // fewer than two paths
constexpr int exit_file_error = 2;  // a file could not be opened, read or written
constexpr int exit_no_memory = 2;   // the tableau would not fit in memory

// Runs the whole sequence for one input and one result path: the trace goes to console and the
// diagnostics of bad files and bad dependency lines to err, one line each. Returns exit_ok after a
// full run and exit_file_error when a file fails; the input is never written, and the result file
// is not touched when the input cannot be read or names the same file. When the tableau would not
// fit in memory it returns exit_no_memory after the catalogue, leaving the result file empty.
int run(const std::filesystem::path& input, const std::filesystem::path& result_path,
        std::ostream& console, std::ostream& err);

// Prints the closing part of the trace: "FINAL: ", the chased tableau and the verdict, ending with
// the line "Fileba: ".
void print_report(std::ostream& console, const matrix& matr_S, const std::string& result);

// Copies every line that f yields into out, each followed by a newline, then the text the last read
// left (an unterminated final line, else nothing), two newlines and result without a newline.
void write_result(std::istream& f, std::ostream& out, const std::string& result);

#endif  // LOSSLESS_MAIN_H_
