// The initial tableau of a decomposition: one row per scheme, one column per attribute.

#ifndef LOSSLESS_TABLEAU_H_
#define LOSSLESS_TABLEAU_H_

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "matrix.h"

// Reads the scheme block again from f (standing at the start of the file), writes each scheme line
// to out followed by a newline, and returns the tableau with n + 1 rows and attr.size() columns:
// row 0 holds the names, row k holds "0" where the k-th scheme names the column's attribute and k
// in decimal elsewhere. Lines beyond the n-th (the file grew since the first reading) are echoed
// but fill no row. Leaves f and tmp as read_block does.
matrix build_tableau(std::istream& f, std::string& tmp, std::ostream& out,
                     const std::vector<std::string>& attr, int n);

#endif  // LOSSLESS_TABLEAU_H_
