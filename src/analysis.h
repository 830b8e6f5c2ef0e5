// The decomposition check beside the chase: whether the schemes preserve the dependencies, the
// candidate keys of the relation, the normal form of each scheme with a dependency that breaks the
// next form up, the schemes that another scheme contains, and a repair of a lossy decomposition
// that the chase has confirmed.
//
// Everything is decided on the run's own readings. R is the catalogue (columns 0 .. m-1), the
// schemes are column lists, and F is the dependency list as read: a record whose left side holds
// -1 never applies, a -1 on a right side is dropped, a record with an empty right side is
// trivial. X+ is the closure of X in R under the applicable records. Projections of F are never
// computed: they can need exponentially many dependencies.

#ifndef LOSSLESS_ANALYSIS_H_
#define LOSSLESS_ANALYSIS_H_

#include <optional>
#include <vector>

#include "input.h"
#include "matrix.h"

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

// One step of the preservation check: in this round (from 1), this scheme (index from 0) added
// these attributes to Z.
struct preservation_step {
  int round = 0;
  int scheme = 0;
  std::vector<int> added;
};

// The iteration Z := X, then Z := Z u ((Z n S)+ n S) over the schemes in order, round after
// round, shared by every record with the left side X. Schemes that add nothing are not listed.
struct preservation_run {
  std::vector<int> start;  // X
  std::vector<preservation_step> steps;
};

// The preservation of one applicable record X->Y with a non-empty right side.
struct record_preservation {
  int dependency = 0;        // its index in F
  int run = 0;               // its run in preservation_check::runs
  int steps = 0;             // the steps of the run it took: until Y lay in Z, or all when lost
  std::vector<int> missing;  // Y - Z; empty when preserved
};

struct preservation_check {
  // True when every record is preserved, false once one is lost, empty when the budget ran out
  // before either was known.
  std::optional<bool> preserving;
  bool complete = true;
  std::vector<preservation_run> runs;
  std::vector<record_preservation> lost;       // in the order of F
  std::vector<record_preservation> preserved;  // in the order of F
};

// Z after the first `steps` steps of run: its start and everything those steps added, ascending.
std::vector<int> closure_after(const preservation_run& run, int steps);

// One dependency applied while a closure grows: the attributes it added that no record listed
// before it added.
struct derivation_step {
  int dependency = 0;  // its index in F
  std::vector<int> added;
};

// The candidate keys of R, sorted by size and then by columns, each with the derivation of its
// closure reaching R. Found by the method of Lucchesi and Osborn (1978), whose time grows with the
// number of keys; complete is false when the budget cut the list short.
struct key_list {
  bool complete = true;
  std::vector<std::vector<int>> keys;
  std::vector<std::vector<derivation_step>> derivations;
};

enum class normal_form { undecided, first, second, third, boyce_codd };

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

// A repair of a lossy decomposition: the schemes to add, and for each the record whose X u Y it is
// (-1 for a key of R). Offered only once the chase of the repaired decomposition found it lossless.
struct repair_proposal {
  std::vector<std::vector<int>> add;
  std::vector<int> from;
  bool lossless = false;
  bool preserving = false;
};

// Every answer of the check, with its derivation.
struct decomposition_check {
  preservation_check preservation;
  key_list keys;
  std::vector<scheme_check> schemes;      // one per scheme line
  std::vector<int> redundant;             // schemes inside another (of two equal ones, the later)
  std::optional<repair_proposal> repair;  // empty for a lossless decomposition or no repair found
  bool complete = true;                   // false when any part ran out of its budget
};

// Checks the decomposition of R = {0 .. m-1} into schemes (each a list of distinct columns,
// ascending) under F as read; lossless is the chase's verdict on it. Always returns: each part
// that runs out of its budget says so. A repair is proposed for a lossy decomposition when the
// preservation is known, a key of R was found and the repaired tableau fits in memory.
decomposition_check check_decomposition(int m, const std::vector<std::vector<int>>& schemes,
                                        const std::vector<halmaz>& F, bool lossless,
                                        const check_budget& budget = {});

// The schemes of an initial tableau: for each data row (from 1), the columns holding "0",
// ascending.
std::vector<std::vector<int>> scheme_columns(const matrix& matr_T);

#endif  // LOSSLESS_ANALYSIS_H_
