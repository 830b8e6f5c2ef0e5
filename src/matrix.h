// The string matrix: the tableaux and every printout of them.

#ifndef LOSSLESS_MATRIX_H_
#define LOSSLESS_MATRIX_H_

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

void* allocate_large(std::size_t bytes);
void deallocate_large(void* p, std::size_t bytes);

// Allocator for tableau-sized arrays. Blocks of 2 MiB and more are aligned to 2 MiB and, on
// Linux, marked for transparent huge pages: touching hundreds of megabytes page by page costs more
// than the work done on them. Failure is std::bad_alloc, as with std::allocator.
template <typename T>
struct large_allocator {
  using value_type = T;
  large_allocator() = default;
  template <typename U>
  large_allocator(const large_allocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(allocate_large(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) { deallocate_large(p, n * sizeof(T)); }
  friend bool operator==(const large_allocator&, const large_allocator&) { return true; }
};

// A fixed-size, row-major matrix of byte strings with value semantics: copies and assignments are
// deep, and assignment takes the other's size. Cell (i, j) is element i * y + j.
class matrix {
 public:
  // An x-by-y matrix of empty strings. Both sizes must be non-negative.
  matrix(int x, int y);

  // Aborts the program with the violated expression, "0 <= i && i < x" or "0 <= j && j < y", on
  // standard error when (i, j) is not a cell. Active in every build type.
  void check(int i, int j) const;

  // True when both have the same size and every cell is byte-for-byte equal; matrices of different
  // sizes are unequal whatever their common cells hold. != is always the negation of ==.
  bool operator==(const matrix& other) const;
  bool operator!=(const matrix& other) const;

  // Cell (i, j) without a bounds check: the caller guarantees a valid cell.
  std::string& cell(int i, int j) { return cells[index(i, j)]; }
  const std::string& cell(int i, int j) const { return cells[index(i, j)]; }
  std::string cell_value(int i, int j) const { return cells[index(i, j)]; }

  // Cell (i, j) after check(i, j).
  std::string& checked_cell(int i, int j);
  std::string get(int i, int j) const;

  // Writes each row as its cells, each followed by one blank, then a newline.
  // Printing stops altogether at the first row whose first cell is empty, so a matrix whose cell
  // (0, 0) is empty prints nothing; a matrix with no columns prints nothing and reads no cell.
  void print(std::ostream& out) const;

  int get_x() const { return x; }
  int get_y() const { return y; }

 private:
  std::size_t index(int i, int j) const {
    return static_cast<std::size_t>(i) * static_cast<std::size_t>(y) + static_cast<std::size_t>(j);
  }

  int x;
  int y;
  std::vector<std::string, large_allocator<std::string>> cells;
};

#endif  // LOSSLESS_MATRIX_H_
