// The chase alone, in-process: the production chase against the plain pass-by-pass one, on the
// chain family, whose dependencies come in the order that makes the plain chase need a pass each.

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "chase.h"
#include "input.h"
#include "test_util.h"

namespace {

parsed_input make_chain(int n) {
  std::ostringstream out;
  for (int i = 1; i <= n; ++i) out << 'A' << i << ",A" << i + 1 << '\n';
  out << '\n';
  for (int i = n; i >= 1; --i) out << 'A' << i << "->A" << i + 1 << '\n';
  return parse_input(out.str());
}

using chase_function = void (*)(matrix&, const std::vector<halmaz>&);

void chase_chain(benchmark::State& state, chase_function run_chase) {
  const parsed_input input = make_chain(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    matrix m = input.tableau;
    state.ResumeTiming();
    run_chase(m, input.F);
    benchmark::DoNotOptimize(m);
  }
}

BENCHMARK_CAPTURE(chase_chain, fast, chase)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);
void plain_chase(matrix& m, const std::vector<halmaz>& F) { record_steps(m, F, unlimited_work); }

BENCHMARK_CAPTURE(chase_chain, plain, plain_chase)
    ->Arg(50)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond);

}  // namespace
