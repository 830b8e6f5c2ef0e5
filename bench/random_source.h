// The benchmarks' random numbers: a fixed xorshift generator, so that every machine and library
// builds the same inputs.

#ifndef LOSSLESS_BENCH_RANDOM_SOURCE_H_
#define LOSSLESS_BENCH_RANDOM_SOURCE_H_

#include <cstdint>

class random_source {
 public:
  explicit random_source(std::uint64_t seed) : state_(seed) {}
  // Uniform enough in [0, bound) for benchmark shapes.
  int below(int bound) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<int>(state_ % static_cast<std::uint64_t>(bound));
  }

 private:
  std::uint64_t state_;
};

#endif  // LOSSLESS_BENCH_RANDOM_SOURCE_H_
