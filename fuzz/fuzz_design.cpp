// Runs design mode in-process on arbitrary bytes and aborts when what it makes breaks what its
// construction promises, wherever the chase and the check decide it: the 3NF synthesis lossless,
// preserving and in 3NF; the BCNF decomposition lossless and in BCNF. The object must be written
// whole. A target of its own, so that fuzzing the run keeps its pace.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

#include "json.h"
#include "run.h"

namespace {

// Small enough for thousands of runs a second; each part still decides inputs of a few
// attributes, and a larger one stops at "not decided", a path worth fuzzing too.
constexpr check_budget fuzz_check_budget{100'000, 100'000, 0, 100'000, 50'000, 100'000};
constexpr design_budget fuzz_budget{100'000, 100'000, 100'000, 100'000, fuzz_check_budget};

void require(bool ok, const char* rule) {
  if (ok) return;
  std::fprintf(stderr, "violated: %s\n", rule);
  std::abort();
}

void check_promises(const design_result& r) {
  if (const std::optional<design_check>& c = r.synthesis_check) {
    require(c->lossless != false, "the synthesis is lossless");
    require(c->preserving != false, "the synthesis preserves the dependencies");
    for (normal_form f : c->forms) {
      require(f != normal_form::first && f != normal_form::second, "the synthesis is in 3NF");
    }
  }
  if (const std::optional<design_check>& c = r.bcnf_check) {
    require(c->lossless != false, "the BCNF decomposition is lossless");
    for (normal_form f : c->forms) {
      require(f == normal_form::boyce_codd || f == normal_form::undecided,
              "the BCNF decomposition is in BCNF");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::ostream no_trace(nullptr);
  std::ostringstream err;
  diagnostics d(err);
  run_options options;
  options.design = true;
  options.design_work = fuzz_budget;
  const run_result outcome = run(text, no_trace, d, options);
  require(outcome.exit_code == exit_ok, "the run ends with exit_ok");
  check_promises(*outcome.design);
  std::ostringstream design;
  write_design_json(design, outcome.attr, outcome.F, *outcome.design);
  require(design.str().starts_with("{\"version\": ") && design.str().ends_with("}\n"),
          "the design is written as one object");
  return 0;
}
