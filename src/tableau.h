// The initial tableau of a decomposition: one row per scheme, one column per attribute.

#ifndef LOSSLESS_TABLEAU_H_
#define LOSSLESS_TABLEAU_H_

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "input.h"
#include "matrix.h"

// Reads the scheme block again from f (standing at the start of the file), writes each scheme line
// to out followed by a newline, and returns the tableau with n + 1 rows and attr.size() columns:
// row 0 holds the names, row k holds "0" where the k-th scheme names the column's attribute and k
// in decimal elsewhere. Lines beyond the n-th, and names that attr lacks, are echoed but mark
// nothing: a run reads the same bytes twice, so neither happens there. Leaves f and tmp as
// read_block does.
matrix build_tableau(line_reader& f, std::string_view& tmp, std::ostream& out,
                     const std::vector<std::string>& attr, int n);

// Bytes the run needs per tableau cell: 32 for the cell's string in the working tableau, 8 for the
// chase's own state of the cell; measured peaks are about 40 bytes per cell whether few or nearly
// all symbols merge. The rest is headroom for the chase's tables per dependency, which grow with
// the rows and the left sides rather than with the cells.
constexpr std::uint64_t tableau_bytes_per_cell = 96;

// True when a tableau with n + 1 rows and m columns can be built: both sizes fit in an int and the
// cells, at tableau_bytes_per_cell each, fit in available bytes. Never overflows, whatever n and m.
bool tableau_fits(long long n, std::size_t m, std::uint64_t available);

// tableau_fits against available_memory(), which is asked only for a tableau of more than 1 MiB:
// asking reads files, and a small tableau fits wherever the process itself does.
bool tableau_fits_in_memory(long long n, std::size_t m);

// The bytes this process can expect to get: the physical memory, lowered to the address-space
// limit and, on Linux, to the control group's memory limit when either is set.
std::uint64_t available_memory();

#endif  // LOSSLESS_TABLEAU_H_
