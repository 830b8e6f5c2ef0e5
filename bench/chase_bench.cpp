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

void fast_chase(benchmark::State& state) {
  const chain_input input = make_chain(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    matrix m = input.tableau;
    state.ResumeTiming();
    chase(m, input.F);
    benchmark::DoNotOptimize(m);
  }
}

void plain_chase(benchmark::State& state) {
  const chain_input input = make_chain(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    matrix m = input.tableau;
    state.ResumeTiming();
    literal_chase(m, input.F);
    benchmark::DoNotOptimize(m);
  }
}

BENCHMARK(fast_chase)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(plain_chase)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace
