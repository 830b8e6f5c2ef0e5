// The decomposition check beside the chase: whether the schemes preserve the dependencies, the
// candidate keys of the relation, the normal form of each scheme with a dependency that breaks the
// next form up, the schemes that another scheme contains, and a repair of a lossy decomposition
// that the chase has confirmed. Each part is a module of its own; this one runs them in order
// under their budgets.
//
// Everything is decided on the run's own readings. R is the catalogue (columns 0 .. m-1), the
// schemes are column lists, and F is the dependency list as read: a record whose left side holds
// -1 never applies, a -1 on a right side is dropped, a record with an empty right side is
// trivial. X+ is the closure of X in R under the applicable records. Projections of F are never
// computed: they can need exponentially many dependencies.

#ifndef LOSSLESS_ANALYSIS_H_
#define LOSSLESS_ANALYSIS_H_

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "input.h"
#include "keys.h"
#include "matrix.h"
#include "normal_forms.h"
#include "preservation.h"
#include "repair.h"

// Work budgets in units of about one elementary step: one dependency looked at in a closure, one
// attribute or machine word of a set compared, one number stored for the answer. A part that runs
// out stops where it is and marks its answer incomplete; it never guesses. The defaults decide
// every textbook exercise and any scheme of up to 20 attributes under a textbook-sized F, and
// keep the whole check of 100 attributes, 30 schemes and 100,000 dependencies within seconds.
struct check_budget {
  long long single_closures = 300'000'000;  // kept to answer most questions at once; not
                                            // kept when this runs out, which only costs time
  long long preservation = 500'000'000;
  long long keys = 200'000'000;          // the keys of R
  long long normal_forms = 200'000'000;  // all schemes together
  long long scheme = 100'000'000;        // one scheme at most
  long long redundancy = 200'000'000;
};

// The parts of the check, in the order it decides them.
enum class check_part { preservation, keys, normal_forms, redundancy, repair };

// The kind name of a part: "preservation", "keys", "normal_forms", "redundancy", "repair".
std::string_view kind_name(check_part part);

// Told how far the check got: the part it is deciding, and how many of that part's items it has
// decided of how many (the records of F for the preservation, the schemes for the normal forms;
// total -1 where the count is not known beforehand, as for the keys). Told when each part starts,
// and about a hundred times within the preservation, never more often.
using check_progress = std::function<void(check_part part, long long done, long long total)>;

// Every answer of the check, with its derivation.
struct decomposition_check {
  preservation_check preservation;
  key_list keys;
  std::vector<scheme_check> schemes;      // one per scheme line
  std::vector<int> redundant;             // schemes inside another (of two equal ones, the later)
  bool redundant_complete = true;         // false when the budget cut the search for them
  std::optional<repair_proposal> repair;  // empty for a lossless decomposition or no repair found
  bool complete = true;                   // false when any part ran out of its budget
};

// Checks the decomposition of R = {0 .. m-1} into schemes (each a list of distinct columns,
// ascending) under F as read; lossless is the chase's verdict on it. Always returns: each part
// that runs out of its budget says so. A repair is proposed for a lossy decomposition when the
// preservation is known, a key of R was found and the repaired tableau fits in memory.
decomposition_check check_decomposition(int m, const std::vector<std::vector<int>>& schemes,
                                        const std::vector<halmaz>& F, bool lossless,
                                        const check_budget& budget = {},
                                        const check_progress& progress = {});

// The schemes of an initial tableau: for each data row (from 1), the columns holding "0",
// ascending.
std::vector<std::vector<int>> scheme_columns(const matrix& matr_T);

#endif  // LOSSLESS_ANALYSIS_H_
