// Redundant schemes and the repair of a lossy decomposition: the schemes that another scheme
// holds, and the schemes whose addition makes the decomposition lossless and preserving, offered
// only once the chase of the repaired decomposition has confirmed it.

#ifndef LOSSLESS_REPAIR_H_
#define LOSSLESS_REPAIR_H_

#include <optional>
#include <string_view>
#include <vector>

#include "input.h"
#include "keys.h"
#include "preservation.h"

// The schemes inside another one (of two equal schemes, the later; of several empty ones when no
// scheme has a column, all but the first), ascending. Sets complete to false when the budget ran
// out; the schemes listed are redundant all the same.
std::vector<int> find_redundant(int m, const std::vector<std::vector<int>>& schemes,
                                long long budget, bool& complete);

// Why the repair's schemes suffice.
enum class repair_reason {
  key,           // the decomposition preserves F, so a key of R makes it lossless
  lost,          // X u Y of each lost X->Y, which the chase then found lossless
  lost_and_key,  // X u Y of each lost X->Y, which preserves F, and a key of R
};

// The kind name of a reason: "key", "lost", "lost_and_key".
std::string_view kind_name(repair_reason r);

// A repair of a lossy decomposition: the schemes to add, and for each the record whose X u Y it is
// (-1 for a key of R).
struct repair_proposal {
  std::vector<std::vector<int>> add;
  std::vector<int> from;
  repair_reason reason = repair_reason::key;
  bool lossless = false;
  bool preserving = false;
};

// The chase's verdict on the decomposition of R = {0 .. m-1} into schemes under F, or nothing
// when its tableau would not fit in memory.
std::optional<bool> chase_lossless(int m, const std::vector<std::vector<int>>& schemes,
                                   const std::vector<halmaz>& F);

// Adds X u Y for each lost X->Y (once per set), then a key of R if the chase still finds a loss;
// a preserving decomposition gets the key at once. Either way the result preserves F and holds a
// key, which makes it lossless; the chase confirms it before it is offered. Needs every lost
// record, so the whole preservation, and one key: without them, or when the chase's tableau does
// not fit, nothing is proposed and complete is false.
std::optional<repair_proposal> propose_repair(int m, const std::vector<std::vector<int>>& schemes,
                                              const std::vector<halmaz>& F,
                                              const preservation_check& preservation,
                                              const key_list& keys, bool& complete);

#endif  // LOSSLESS_REPAIR_H_
