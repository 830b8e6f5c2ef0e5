#include "matrix.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

// The bounds check must survive NDEBUG, so it does not use assert().
void check_or_abort(bool ok, const char* expression) {
  if (ok) return;
  std::fprintf(stderr, "matrix check failed: %s\n", expression);
  std::abort();
}

constexpr std::size_t huge_page = std::size_t{2} << 20;

}  // namespace

void* allocate_large(std::size_t bytes) {
  if (bytes < huge_page) return ::operator new(bytes);
  void* p = ::operator new (bytes, std::align_val_t{huge_page});
#ifdef __linux__
  madvise(p, bytes, MADV_HUGEPAGE);  // a hint: without it the pages are merely small
#endif
  return p;
}

void deallocate_large(void* p, std::size_t bytes) {
  if (bytes < huge_page) {
    ::operator delete(p);
  } else {
    ::operator delete (p, std::align_val_t{huge_page});
  }
}

matrix::matrix(int x, int y)
    : x(x), y(y), cells(static_cast<std::size_t>(x) * static_cast<std::size_t>(y)) {
  check_or_abort(x >= 0 && y >= 0, "0 <= x && 0 <= y");
}

void matrix::check(int i, int j) const {
  check_or_abort(0 <= i && i < x, "0 <= i && i < x");
  check_or_abort(0 <= j && j < y, "0 <= j && j < y");
}

bool matrix::operator==(const matrix& other) const {
  return x == other.x && y == other.y && cells == other.cells;
}

bool matrix::operator!=(const matrix& other) const { return !(*this == other); }

std::string& matrix::checked_cell(int i, int j) {
  check(i, j);
  return cell(i, j);
}

std::string matrix::get(int i, int j) const {
  check(i, j);
  return cell(i, j);
}

void matrix::print(std::ostream& out) const {
  if (y == 0) return;
  // Each row is rendered into one buffer and written at once: the tableaux are most of the
  // output, and cell-by-cell stream insertion is several times slower.
  std::string line;
  for (int i = 0; i < x; ++i) {
    if (cell(i, 0).empty()) return;
    const std::string* row = &cells[index(i, 0)];
    std::size_t length = 1;
    for (int j = 0; j < y; ++j) length += row[j].size() + 1;
    line.resize(length);
    char* p = line.data();
    for (int j = 0; j < y; ++j) {
      std::memcpy(p, row[j].data(), row[j].size());
      p += row[j].size();
      *p++ = ' ';
    }
    *p = '\n';
    out.write(line.data(), static_cast<std::streamsize>(length));
  }
}
