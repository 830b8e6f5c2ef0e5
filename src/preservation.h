// Dependency preservation: whether every X->Y of F follows from the dependencies that the schemes
// hold, decided by the iteration Z := X, then Z := Z u ((Z n S)+ n S) over the schemes until Z
// stops growing; X->Y is preserved exactly when Y lies in Z (Beeri and Honeyman, 1981). The
// projections of F are never computed: they can need exponentially many dependencies.

#ifndef LOSSLESS_PRESERVATION_H_
#define LOSSLESS_PRESERVATION_H_

#include <optional>
#include <vector>

#include "closure.h"
#include "sets.h"

// One step of the iteration: in this round (from 1), this scheme (index from 0) added these
// attributes (columns, ascending) to Z.
struct preservation_step {
  int round = 0;
  int scheme = 0;
  std::vector<int> added;
};

// The iteration for one left side X, shared by every record with that left side. Schemes that add
// nothing are not listed.
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
  // True when every record was decided, so that lost and preserved list them all.
  bool complete = true;
  long long records = 0;  // the records to decide: the applicable ones with a non-empty right side
  std::vector<preservation_run> runs;
  std::vector<record_preservation> lost;       // in the order of F
  std::vector<record_preservation> preserved;  // in the order of F
};

// Z after the first `steps` steps of run: its start and everything those steps added, ascending.
std::vector<int> closure_after(const preservation_run& run, int steps);

// One step of a run with Z after it, as a derivation shows it.
struct preservation_round {
  int round = 0;
  int scheme = 0;
  std::vector<int> added;
  std::vector<int> closure;  // Z after the step, ascending
};

// The first `steps` steps of run, each with Z after it; linear in what they list.
std::vector<preservation_round> rounds_of(const preservation_run& run, int steps);

// Decides every record of d, left side by left side, against the schemes of s. Within a round a
// scheme is taken again only when Z gained attributes of it since its last turn, so the rounds
// and what they add are those of the plain iteration. Stops where it is when the budget runs out
// (complete false); told, if asked, how many records are decided.
preservation_check check_preservation(const dependency_index& d, const scheme_index& s,
                                      closure_engine& engine, implication_table& table,
                                      long long budget, const progress_fn& progress = {});

#endif  // LOSSLESS_PRESERVATION_H_
