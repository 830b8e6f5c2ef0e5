// Normal forms: the keys of each scheme and its normal form by the definitions over F+ restricted
// to the scheme, with a dependency that breaks the next form up. Projections of F are never
// computed; every question is a closure under the whole F.

#ifndef LOSSLESS_NORMAL_FORMS_H_
#define LOSSLESS_NORMAL_FORMS_H_

#include <string_view>
#include <vector>

#include "closure.h"
#include "sets.h"

enum class normal_form { undecided, first, second, third, boyce_codd };

// The usual name of a form: "BCNF", "3NF", "2NF", "1NF"; empty for undecided.
std::string_view form_name(normal_form form);

// A dependency X->A of F+ inside a scheme that breaks a normal form. For 2NF it also names the key
// of the scheme that X is a proper subset of.
struct violation {
  std::vector<int> left;  // X, ascending
  int right = -1;         // A; -1 when there is no witness
  std::vector<int> key;   // only for a 2NF witness
};

// The normal form of one scheme S, by the definitions over F+ restricted to S: the keys of S are
// the minimal X in S with S in X+, and an attribute is prime when some key of S holds it. Below
// BCNF the witness breaks the next form up: BCNF for 3NF, 3NF for 2NF, 2NF for 1NF. Undecided,
// with no witness, when the budget ran out; the keys found so far are still listed.
struct scheme_check {
  normal_form form = normal_form::undecided;
  std::vector<std::vector<int>> keys;  // sorted by size, then by columns
  bool keys_complete = false;
  violation witness;
};

// The keys and the normal form of the scheme with these columns, in_u those of them in U (as
// scheme_index gives them). Each form below BCNF is decided by a search for the witness that
// breaks the next form up. Spends from meter; undecided when it runs out.
scheme_check check_scheme(const dependency_index& d, const std::vector<int>& columns,
                          const std::vector<int>& in_u, closure_engine& engine,
                          implication_table& table, work_meter& meter);

#endif  // LOSSLESS_NORMAL_FORMS_H_
