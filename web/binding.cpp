// The page's entry to the engine: runs the console tool's whole sequence on the input's bytes and
// returns everything the page shows as one plain JavaScript object. The decomposition check and
// design mode are calls of their own, so that the page can show the verdict first and stop a long
// check or design. Nothing here decides anything about the chase, the check or the design; it only
// hands over what the engine computed.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "chase.h"
#include "input.h"
#include "json.h"
#include "matrix.h"
#include "run.h"
#include "tidy.h"

namespace {

using emscripten::val;

// The page draws tableaux cell by cell; larger ones are shown in the trace only.
constexpr std::size_t max_shown_cells = 250'000;

// About a second of the plain chase in a browser, whatever the input.
constexpr long long step_budget = 20'000'000;

// The page lists a few messages; a file of a million odd names must not send a million records.
constexpr std::size_t kept_diagnostics = 1000;

// Bytes stay bytes: a copy that JavaScript owns, not a string, which would be decoded as UTF-8.
val bytes_of(std::string_view text) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  return val::global("Uint8Array").new_(emscripten::typed_memory_view(text.size(), data));
}

val numbers_of(const std::vector<int>& numbers) { return val::array(numbers); }

// The data rows of a tableau as arrays of symbols. Symbols are decimal numbers, so strings suffice.
val rows_of(const matrix& m) {
  val rows = val::array();
  for (int i = 1; i < m.get_x(); ++i) {
    val row = val::array();
    for (int c = 0; c < m.get_y(); ++c) row.call<void>("push", m.cell(i, c));
    rows.call<void>("push", row);
  }
  return rows;
}

val steps_of(const std::vector<step>& steps) {
  val list = val::array();
  for (const step& s : steps) {
    val item = val::object();
    item.set("pass", s.pass);
    item.set("dependency", s.dependency);
    item.set("rows", numbers_of({s.i, s.j}));
    item.set("column", s.column);
    item.set("from", s.from);
    item.set("to", s.to);
    item.set("cells", numbers_of(s.cells));
    list.call<void>("push", item);
  }
  return list;
}

// Adds the tableaux, the steps and, for a lossy verdict, the counterexample.
void add_chase(val& out, const run_result& view) {
  val header = val::array();
  for (int c = 0; c < view.initial.get_y(); ++c) {
    header.call<void>("push", bytes_of(view.initial.cell(0, c)));
  }
  out.set("header", header);
  out.set("initial", rows_of(view.initial));
  out.set("final", rows_of(view.chased));
  val dependencies = val::array();
  for (const halmaz& h : view.F) {
    val d = val::object();
    d.set("left", numbers_of(h.left));
    d.set("right", numbers_of(h.right));
    dependencies.call<void>("push", d);
  }
  out.set("dependencies", dependencies);
  const std::vector<int> distinguished = distinguished_rows(view.chased);
  out.set("distinguished", numbers_of(distinguished));

  matrix replay = view.initial;
  const step_record record = record_steps(replay, view.F, step_budget);
  out.set("steps", steps_of(record.steps));
  out.set("stepsComplete", record.complete);

  if (!distinguished.empty() || view.chased.get_x() < 2 || view.chased.get_y() == 0) return;
  const counterexample proof = make_counterexample(view.initial, view.chased);
  val schemes = val::array();
  for (std::size_t k = 0; k < proof.columns.size(); ++k) {
    val scheme = val::object();
    scheme.set("columns", numbers_of(proof.columns[k]));
    scheme.set("rows", numbers_of(proof.tuples[k]));
    scheme.set("zeros", proof.zeros[k]);
    schemes.call<void>("push", scheme);
  }
  out.set("counterexample", schemes);
}

// The kept messages as {kind, line, text, name}, in the order of standard error, and their total
// count. Text and name are bytes: the page decodes them, bytes that are not UTF-8 as U+FFFD.
void add_diagnostics(val& out, const diagnostics& d) {
  val list = val::array();
  for (const diagnostic& m : d.kept()) {
    val item = val::object();
    item.set("kind", std::string(kind_name(m.kind)));
    item.set("line", static_cast<double>(m.line));
    item.set("text", bytes_of(m.text));
    item.set("name", quotes_name(m.kind) ? bytes_of(m.text) : val::null());
    list.call<void>("push", item);
  }
  out.set("diagnostics", list);
  out.set("diagnosticCount", static_cast<double>(d.count()));
}

// The run without the check: the verdict, the steps, the counterexample and the console's outputs.
val run_bytes(std::uintptr_t data, std::size_t size, const std::string& name) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::ostringstream console, err;
  diagnostics d(err, kept_diagnostics);
  val out = val::object();
  out.set("verdict", std::string());
  out.set("lossless", val::null());
  out.set("shown", false);
  out.set("steps", val::array());
  out.set("stepsComplete", false);
  out.set("counterexample", val::null());
  if (refuse_utf16(input, name, d)) {
    out.set("exitCode", exit_bad_encoding);
    out.set("stdout", bytes_of(""));
    out.set("stderr", bytes_of(err.str()));
    out.set("result", val::null());
    add_diagnostics(out, d);
    return out;
  }
  run_options options;
  options.keep_cells = max_shown_cells;
  const run_result outcome = run(input, console, d, options);
  out.set("exitCode", outcome.exit_code);
  out.set("stdout", bytes_of(console.str()));
  out.set("stderr", bytes_of(err.str()));
  add_diagnostics(out, d);
  out.set("result", bytes_of(outcome.result));
  out.set("lossless", outcome.lossless ? val(*outcome.lossless) : val::null());
  out.set("verdict", !outcome.lossless   ? std::string()
                     : *outcome.lossless ? std::string(lossless_verdict)
                                         : std::string(lossy_verdict));
  if (!outcome.kept) return out;
  out.set("shown", true);
  add_chase(out, outcome);
  return out;
}

// The run of an input that the page has run already, again for the check or the design, which
// need its readings: its trace and messages are the first run's, already shown. Empty when the
// input is refused.
std::optional<run_result> run_again(std::string_view input, const std::string& name,
                                    const run_options& options) {
  std::ostream nowhere(nullptr);
  diagnostics d(nowhere);
  if (refuse_utf16(input, name, d)) return std::nullopt;
  return run(input, nowhere, d, options);
}

// The decomposition check of the same input: the object of `lossless --json`, the repaired input,
// the number of records the preservation decides and the repair's reason. analysis is null when
// the run stops before the chase. progress(part, done, total) is told how far the check got (see
// check_progress). The run is repeated without its outputs: the check needs its readings.
val check_bytes(std::uintptr_t data, std::size_t size, const std::string& name, val progress) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  val out = val::object();
  out.set("analysis", val::null());
  out.set("repaired", val::null());
  run_options options;
  options.check = true;
  options.progress = [&progress](check_part part, long long done, long long total) {
    progress(std::string(kind_name(part)), static_cast<double>(done), static_cast<double>(total));
  };
  const std::optional<run_result> rerun = run_again(input, name, options);
  if (!rerun || !rerun->check) return out;
  const run_result& outcome = *rerun;
  // The very object that `lossless --json` prints, parsed here in the worker: a large one takes
  // a while to parse, and the page's thread must not.
  std::ostringstream json;
  write_json(json, outcome.attr, outcome.schemes, outcome.F, *outcome.lossless, *outcome.check);
  out.set("analysis", val::global("JSON").call<val>("parse", json.str()));
  out.set("preservationRecords", static_cast<double>(outcome.check->preservation.records));
  out.set("redundantComplete", outcome.check->redundant_complete);
  if (outcome.check->repair) {
    out.set("repairReason", std::string(kind_name(outcome.check->repair->reason)));
  }
  if (!outcome.repaired.empty()) out.set("repaired", bytes_of(outcome.repaired));
  return out;
}

// Design mode on the same input: the object of `lossless --design`, and for each decomposition
// that it made, the input with that decomposition as its scheme lines (see with_schemes_replaced),
// or null. design is null when the run stops before the chase. extraneousRest holds, per step of
// the cover, the left side without the attribute that an extraneous step leaves out (the set whose
// closure proves the step), else null.
val design_bytes(std::uintptr_t data, std::size_t size, const std::string& name) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  val out = val::object();
  out.set("design", val::null());
  out.set("synthesisInput", val::null());
  out.set("bcnfInput", val::null());
  out.set("extraneousRest", val::array());
  run_options options;
  options.design = true;
  const std::optional<run_result> rerun = run_again(input, name, options);
  if (!rerun || !rerun->design) return out;
  const run_result& outcome = *rerun;
  const design_result& design = *outcome.design;
  // Parsed here in the worker, as the check's object is: a large one takes a while to parse.
  std::ostringstream json;
  write_design_json(json, outcome.attr, outcome.F, design);
  out.set("design", val::global("JSON").call<val>("parse", json.str()));
  if (design.synthesis.complete) {
    out.set("synthesisInput",
            bytes_of(with_schemes_replaced(input, outcome.attr, design.synthesis.schemes)));
  }
  if (design.bcnf.complete) {
    out.set("bcnfInput", bytes_of(with_schemes_replaced(input, outcome.attr, design.bcnf.schemes)));
  }
  val rests = val::array();
  for (const cover_step& s : design.cover.steps) {
    if (s.kind != cover_step_kind::extraneous) {
      rests.call<void>("push", val::null());
      continue;
    }
    std::vector<int> rest;
    for (int c : s.left) {
      if (c != s.attribute) rest.push_back(c);
    }
    rests.call<void>("push", numbers_of(rest));
  }
  out.set("extraneousRest", rests);
  return out;
}

// The tidy-up's table as the page shows it: at most this many rows, each text cut to this many
// characters.
constexpr std::size_t shown_tidy_rows = 200;
constexpr std::size_t shown_tidy_characters = 1000;

val kinds_of(const std::vector<rewrite>& kinds) {
  val list = val::array();
  for (rewrite r : kinds) list.call<void>("push", std::string(kind_name(r)));
  return list;
}

// The table of a tidy-up (see tidy_rows) as {rows, whole, complete, lines}: per row {line, text,
// dropped, old, kinds}, texts as bytes, text the lines written from the input line.
val table_of(std::string_view input, const tidy_result& tidied) {
  const tidy_table table = tidy_rows(input, tidied, shown_tidy_rows, shown_tidy_characters);
  val rows = val::array();
  for (const tidy_row& r : table.rows) {
    val row = val::object();
    row.set("line", static_cast<double>(r.line));
    val text = val::array();
    for (const std::string& line : r.text) text.call<void>("push", bytes_of(line));
    row.set("text", text);
    row.set("dropped", r.dropped);
    row.set("old", r.dropped ? bytes_of(r.old_text) : val::null());
    row.set("kinds", kinds_of(r.kinds));
    rows.call<void>("push", row);
  }
  val out = val::object();
  out.set("rows", rows);
  out.set("whole", table.whole);
  out.set("complete", table.complete);
  out.set("lines", static_cast<double>(table.changed_lines));
  return out;
}

// The input rewritten by the tidy-up, and one {kind, line} per rewrite; with table, also the
// table that the page shows of it.
val tidy_bytes(std::uintptr_t data, std::size_t size, bool table) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const tidy_result tidied = tidy(input);
  val out = val::object();
  out.set("bytes", bytes_of(tidied.bytes));
  val changes = val::array();
  for (const tidy_change& c : tidied.changes) {
    val item = val::object();
    item.set("kind", std::string(kind_name(c.kind)));
    item.set("line", static_cast<double>(c.line));
    changes.call<void>("push", item);
  }
  out.set("changes", changes);
  if (table) out.set("table", table_of(input, tidied));
  return out;
}

}  // namespace

EMSCRIPTEN_BINDINGS(lossless) {
  emscripten::function("run", &run_bytes);
  emscripten::function("check", &check_bytes);
  emscripten::function("design", &design_bytes);
  emscripten::function("tidy", &tidy_bytes);
}
