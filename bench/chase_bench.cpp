// The chase alone, in-process: the production chase against the plain pass-by-pass one, on the
// chain family, whose dependencies come in the order that makes the plain chase need a pass each.

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "chase.h"
#include "input.h"
#include "literal_chase.h"
#include "tableau.h"

namespace {

struct chain_input {
  matrix tableau{0, 0};
  std::vector<halmaz> F;
};

chain_input make_chain(int n) {
  std::ostringstream out;
  for (int i = 1; i <= n; ++i) out << 'A' << i << ",A" << i + 1 << '\n';
  out << '\n';
  for (int i = n; i >= 1; --i) out << 'A' << i << "->A" << i + 1 << '\n';
  const std::string text = out.str();
  std::istringstream first(text), second(text);
  std::string tmp;
  std::ostringstream echo, err;
  catalogue c = read_catalogue(first, tmp);
  chain_input input;
  input.tableau = build_tableau(second, tmp, echo, c.attr, static_cast<int>(c.n));
  input.F = read_dependencies(second, tmp, c.attr, err);
  return input;
}

using chase_function = void (*)(matrix&, const std::vector<halmaz>&);

void chase_chain(benchmark::State& state, chase_function run_chase) {
  const chain_input input = make_chain(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    matrix m = input.tableau;
    state.ResumeTiming();
    run_chase(m, input.F);
    benchmark::DoNotOptimize(m);
  }
}

BENCHMARK_CAPTURE(chase_chain, fast, chase)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(chase_chain, plain, literal_chase)
    ->Arg(50)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond);

}  // namespace
