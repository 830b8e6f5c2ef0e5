#include "run.h"

#include <utility>

#include "chase.h"
#include "json.h"
#include "tableau.h"
#include "tidy.h"

bool refuse_utf16(std::string_view input, std::string_view name, diagnostics& d) {
  const std::string_view mark = input.substr(0, 2);
  if (mark != "\xFF\xFE" && mark != "\xFE\xFF") return false;
  d.report(message::utf16_input, 0, name);
  return true;
}

void print_report(std::ostream& console, const matrix& matr_S, const std::string& result) {
  console << "\n\nFINAL: \n\n";
  matr_S.print(console);
  console << "\n\n" << result << "\n\nFileba: \n";
}

std::string result_text(std::string_view input, const std::string& result) {
  line_reader f(input);
  std::string text;
  std::string_view tmp;
  text.reserve(input.size() + result.size() + 3);
  f.read_line(tmp);
  while (!f.eof() && !f.fail()) {
    text += tmp;
    text += '\n';
    f.read_line(tmp);
  }
  text += tmp;
  text += "\n\n";
  text += result;
  return text;
}

run_result run(std::string_view input, std::ostream& console, diagnostics& d,
               const run_options& options) {
  // Every reading gets a reader of its own on the same bytes: each starts at the first line.
  const std::string_view text = without_utf8_mark(input);
  run_result outcome;
  std::string_view tmp;

  line_reader first(text);
  catalogue c = read_catalogue(first, tmp, d);
  print_catalogue(console, c);
  report_spaced_names(c, d);
  report_whole_schemes(c, d);
  // Decided from the size the tableau needs, before any of it is allocated.
  if (!tableau_fits_in_memory(c.n, c.attr.size())) {
    d.report(message::tableau_too_large, 0,
             std::to_string(c.n) + " x " + std::to_string(c.attr.size()));
    outcome.exit_code = exit_no_memory;
    outcome.attr = std::move(c.attr);
    return outcome;
  }

  line_reader f(text);
  matrix matr_T = build_tableau(f, tmp, console, c.attr, static_cast<int>(c.n));
  matr_T.print(console);
  console << "\n\n";
  // The working copy takes the tableau over: the chase keeps no snapshot, and a second copy
  // would double the memory of a large run.
  matrix matr_S = std::move(matr_T);
  matr_S.print(console);

  std::vector<halmaz> F = read_dependencies(f, tmp, c.attr, d);
  print_dependencies(console, F);

  const std::size_t cells = static_cast<std::size_t>(matr_S.get_x()) * matr_S.get_y();
  outcome.kept = cells <= options.keep_cells;
  if (outcome.kept) outcome.initial = matr_S;
  // Read off the tableau before the chase changes it.
  if (options.check) outcome.schemes = scheme_columns(matr_S);
  chase(matr_S, F);
  const std::string result = verdict(matr_S);
  print_report(console, matr_S, result);
  outcome.lossless = result == lossless_verdict;
  outcome.result = result_text(input, result);

  if (options.check) {
    outcome.check = check_decomposition(static_cast<int>(c.attr.size()), outcome.schemes, F,
                                        *outcome.lossless, options.budget, options.progress);
    if (outcome.check->repair) {
      outcome.repaired = with_schemes_added(input, c.attr, outcome.check->repair->add);
    }
  }
  if (options.design) {
    outcome.design = design_decomposition(static_cast<int>(c.attr.size()), F, options.design_work);
  }
  outcome.attr = std::move(c.attr);
  outcome.F = std::move(F);
  if (outcome.kept) outcome.chased = std::move(matr_S);
  return outcome;
}

int print_check(std::string_view input, std::ostream& out, diagnostics& d) {
  std::ostream no_trace(nullptr);  // every write fails at once and costs nothing
  run_options options;
  options.check = true;
  const run_result r = run(input, no_trace, d, options);
  if (r.exit_code != exit_ok) return r.exit_code;
  write_json(out, r.attr, r.schemes, r.F, *r.lossless, *r.check);
  return exit_ok;
}

int print_design(std::string_view input, std::ostream& out, diagnostics& d) {
  std::ostream no_trace(nullptr);
  run_options options;
  options.design = true;
  const run_result r = run(input, no_trace, d, options);
  if (r.exit_code != exit_ok) return r.exit_code;
  write_design_json(out, r.attr, r.F, *r.design);
  return exit_ok;
}

int print_tidy(std::string_view input, std::ostream& out, std::ostream& err) {
  const tidy_result tidied = tidy(input);
  out << tidied.bytes;
  // One write: standard error is unbuffered, and a large input has a rewrite on most lines.
  std::string list;
  for (const tidy_change& c : tidied.changes) {
    list += std::to_string(c.line);
    list += ": ";
    list += kind_name(c.kind);
    list += '\n';
  }
  err << list << std::flush;
  return exit_ok;
}
