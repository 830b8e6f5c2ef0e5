#include "tableau.h"

#include <algorithm>
#include <fstream>
#include <limits>

#include "input.h"

#if defined(__EMSCRIPTEN__)
#include <emscripten/heap.h>
#elif defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

matrix build_tableau(line_reader& f, std::string_view& tmp, std::ostream& out,
                     const std::vector<std::string>& attr, int n) {
  matrix matr_T(n + 1, static_cast<int>(attr.size()));
  for (int c = 0; c < matr_T.get_y(); ++c) matr_T.cell(0, c) = attr[c];

  const std::string distinguished = "0";
  int k = 0;
  read_block(f, tmp, [&](std::string_view line) {
    ++k;
    out << line << '\n';
    if (k > n) return;
    const std::string symbol = std::to_string(k);
    for (int c = 0; c < matr_T.get_y(); ++c) matr_T.cell(k, c) = symbol;
    std::size_t start = 0;  // the column of the name before: names come roughly in order
    for_each_token(line, 0, [&](std::string_view token) {
      const int c = attribute_index(attr, token, start);
      if (c == -1) return;  // a name that attr lacks marks nothing
      matr_T.cell(k, c) = distinguished;
      start = static_cast<std::size_t>(c);
    });
  });
  return matr_T;
}

bool tableau_fits(long long n, std::size_t m, std::uint64_t available) {
  constexpr long long int_max = std::numeric_limits<int>::max();
  if (n < 0 || n >= int_max || m > static_cast<std::size_t>(int_max)) return false;
  // Both factors are below 2^31, so the product cannot overflow.
  const std::uint64_t cells = static_cast<std::uint64_t>(n + 1) * static_cast<std::uint64_t>(m);
  return cells <= available / tableau_bytes_per_cell;
}

bool tableau_fits_in_memory(long long n, std::size_t m) {
  constexpr std::uint64_t small = std::uint64_t{1} << 20;
  return tableau_fits(n, m, small) || tableau_fits(n, m, available_memory());
}

#ifndef __EMSCRIPTEN__
namespace {

constexpr std::uint64_t unlimited = std::numeric_limits<std::uint64_t>::max();

#ifdef __linux__
// A control group's limit: a number of bytes, or "max" (or a huge number) when there is none.
std::uint64_t cgroup_limit(const char* path) {
  std::ifstream file(path);
  std::uint64_t bytes = 0;
  if (file >> bytes) return bytes;
  return unlimited;
}
#endif

}  // namespace
#endif

std::uint64_t available_memory() {
#if defined(__EMSCRIPTEN__)
  // A page's memory grows up to a fixed maximum, which the tableau shares with the trace, the
  // result and the copies that the page keeps.
  return emscripten_get_heap_max() / 3;
#elif defined(_WIN32)
  MEMORYSTATUSEX status;
  status.dwLength = sizeof(status);
  if (!GlobalMemoryStatusEx(&status)) return unlimited;
  return std::min<std::uint64_t>(status.ullTotalPhys, status.ullTotalVirtual);
#else
  std::uint64_t bytes = unlimited;
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long page_size = sysconf(_SC_PAGESIZE);
  if (pages > 0 && page_size > 0) {
    bytes = static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size);
  }
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
    bytes = std::min<std::uint64_t>(bytes, limit.rlim_cur);
  }
#ifdef __linux__
  // A container sees its own group's limit at these paths (the unified and the older hierarchy).
  bytes = std::min(bytes, cgroup_limit("/sys/fs/cgroup/memory.max"));
  bytes = std::min(bytes, cgroup_limit("/sys/fs/cgroup/memory/memory.limit_in_bytes"));
#endif
  return bytes;
#endif
}
