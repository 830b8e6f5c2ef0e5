// Runs the tidy-up in-process on arbitrary bytes and aborts when it breaks its promises: an input
// for which it lists no rewrite comes back byte for byte, tidying its own output changes nothing
// more, and each line of the output names an input line, in order. A target of its own, so that
// fuzzing the run keeps its pace.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tidy.h"

namespace {

void require(bool ok, const char* rule) {
  if (ok) return;
  std::fprintf(stderr, "violated: %s\n", rule);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const tidy_result once = tidy(text);
  require(!once.changes.empty() || once.bytes == text, "a tidy-up without changes keeps the bytes");
  for (std::size_t k = 1; k < once.source.size(); ++k) {
    require(once.source[k - 1] <= once.source[k],
            "the output's lines come from the input in order");
  }
  const tidy_result twice = tidy(once.bytes);
  require(twice.changes.empty() && twice.bytes == once.bytes, "tidying twice changes nothing");
  return 0;
}
