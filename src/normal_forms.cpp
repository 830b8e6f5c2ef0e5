// The keys of a scheme S and its anti-keys (the maximal subsets that are not superkeys) are
// generated together: the maximal subsets holding no known key are checked one by one, and one
// that is a superkey yields a new key inside it; when none is, both lists are complete. A scheme
// breaks BCNF exactly when some anti-key N has an attribute A in (N - A)+, and 3NF when such an A
// is not prime, so the normal forms need closures per key and anti-key, not per subset of S.
// Time grows with the number of keys and anti-keys.

#include "normal_forms.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "keys.h"

namespace {

using bitset = std::vector<std::uint64_t>;

bool test(const bitset& b, int i) { return (b[i >> 6] >> (i & 63)) & 1; }
void set(bitset& b, int i) { b[i >> 6] |= std::uint64_t{1} << (i & 63); }
bool meets(const bitset& a, const bitset& b) {
  for (std::size_t w = 0; w < a.size(); ++w) {
    if (a[w] & b[w]) return true;
  }
  return false;
}
bool inside(const bitset& a, const bitset& b) {
  for (std::size_t w = 0; w < a.size(); ++w) {
    if (a[w] & ~b[w]) return false;
  }
  return true;
}

// The keys and the anti-keys of a key space, as ascending local index lists.
struct key_family {
  std::vector<std::vector<int>> keys;
  std::vector<std::vector<int>> anti_keys;
};

// Generates keys and anti-keys together. tr holds the minimal sets meeting every known key; the
// complement of each is a maximal set holding no known key. One that is no superkey is an
// anti-key for good (verified); one that is a superkey holds a new key, and the new key updates
// tr by Berge's step. When every complement is verified, an unknown key would lie inside one of
// them, which is no superkey: both lists are complete.
key_family keys_and_anti_keys(key_oracle& oracle, int size, work_meter& meter) {
  const std::size_t words = (static_cast<std::size_t>(size) + 63) / 64;
  key_family family;
  std::vector<bitset> tr{bitset(words, 0)};
  std::vector<char> verified{0};
  std::vector<int> complement;
  while (!meter.exhausted()) {
    const auto open = std::find(verified.begin(), verified.end(), 0);
    meter.spend(static_cast<long long>(verified.size()));
    if (open == verified.end()) break;
    const std::size_t t = static_cast<std::size_t>(open - verified.begin());
    complement.clear();
    for (int i = 0; i < size; ++i) {
      if (!test(tr[t], i)) complement.push_back(i);
    }
    meter.spend(size);
    if (!oracle.superkey(complement)) {
      verified[t] = 1;
      continue;
    }
    std::vector<int> key = oracle.key_inside(complement);
    if (meter.exhausted()) break;
    bitset e(words, 0);
    for (int i : key) set(e, i);
    family.keys.push_back(std::move(key));

    std::vector<bitset> next;
    std::vector<char> next_verified;
    std::vector<std::size_t> missed;
    for (std::size_t k = 0; k < tr.size(); ++k) {
      if (meets(tr[k], e)) {
        next.push_back(std::move(tr[k]));
        next_verified.push_back(verified[k]);
      } else {
        missed.push_back(k);
      }
    }
    const std::size_t kept = next.size();
    meter.spend(static_cast<long long>(tr.size() * words));
    for (std::size_t k : missed) {
      for (int i : family.keys.back()) {
        bitset c = tr[k];
        set(c, i);
        meter.spend(static_cast<long long>(kept * words + words));
        bool minimal = true;
        for (std::size_t j = 0; j < kept && minimal; ++j) minimal = !inside(next[j], c);
        if (!minimal) continue;
        next.push_back(std::move(c));
        next_verified.push_back(0);
      }
      if (meter.exhausted()) break;
    }
    tr = std::move(next);
    verified = std::move(next_verified);
  }
  if (meter.exhausted()) return family;
  for (const bitset& t : tr) {
    std::vector<int>& n = family.anti_keys.emplace_back();
    for (int i = 0; i < size; ++i) {
      if (!test(t, i)) n.push_back(i);
    }
  }
  std::sort(family.keys.begin(), family.keys.end(), size_then_columns);
  std::sort(family.anti_keys.begin(), family.anti_keys.end());
  return family;
}

// Drops from X, last first, each attribute without which A is still in X+: the left side of the
// witness is minimal, as a dependency of F usually is.
std::vector<int> smallest_left(key_oracle& oracle, std::vector<int> x, int a, work_meter& meter) {
  std::vector<int> without;
  for (std::size_t k = x.size(); k-- > 0 && !meter.exhausted();) {
    without = x;
    without.erase(without.begin() + static_cast<std::ptrdiff_t>(k));
    if (oracle.implies(without, a)) x = without;
  }
  return x;
}

// The first X->A with X = N - A for an anti-key N, A in N and A in X+ (A non-prime when asked),
// its X made minimal. X is no superkey, since N is none. Only the attributes that N+ produces
// are tried.
std::optional<violation> anti_key_violation(key_oracle& oracle, const key_family& family,
                                            const bitset* prime, work_meter& meter) {
  std::vector<int> x;
  for (const std::vector<int>& n : family.anti_keys) {
    for (int a : oracle.produced(n)) {
      if (prime != nullptr && test(*prime, a)) continue;
      x.clear();
      for (int b : n) {
        if (b != a) x.push_back(b);
      }
      const bool breaks = oracle.implies(x, a);
      if (meter.exhausted()) return std::nullopt;
      if (breaks) return violation{smallest_left(oracle, x, a, meter), a, {}};
    }
  }
  return std::nullopt;
}

// The first X->A with X a proper subset of a key and A non-prime in X+, X made minimal.
std::optional<violation> partial_dependency(key_oracle& oracle, const key_space& space,
                                            const key_family& family, const bitset& prime,
                                            work_meter& meter) {
  std::vector<int> x;
  for (const std::vector<int>& key : family.keys) {
    for (int b : key) {
      x.clear();
      for (int c : key) {
        if (c != b) x.push_back(c);
      }
      oracle.close(x);
      if (meter.exhausted()) return std::nullopt;
      for (int a = 0; a < static_cast<int>(space.attrs.size()); ++a) {
        if (test(prime, a) || !oracle.contains(a)) continue;
        return violation{smallest_left(oracle, x, a, meter), a, key};
      }
    }
  }
  return std::nullopt;
}

}  // namespace

std::string_view form_name(normal_form form) {
  switch (form) {
    case normal_form::boyce_codd:
      return "BCNF";
    case normal_form::third:
      return "3NF";
    case normal_form::second:
      return "2NF";
    case normal_form::first:
      return "1NF";
    case normal_form::undecided:
      break;
  }
  return "";
}

scheme_check check_scheme(const dependency_index& d, const std::vector<int>& columns,
                          const std::vector<int>& in_u, closure_engine& engine,
                          implication_table& table, work_meter& meter) {
  key_space space;
  space.attrs = in_u;
  std::vector<int> outside;
  for (int c : columns) {
    if (c < 0 || c >= static_cast<int>(d.index_of.size()) || d.index_of[c] < 0)
      outside.push_back(c);
  }
  space.outside = !outside.empty();
  key_oracle oracle(d, space, engine, table, meter);
  const int size = space.size();
  const key_family family = keys_and_anti_keys(oracle, size, meter);

  scheme_check result;
  result.keys_complete = !meter.exhausted();
  for (const std::vector<int>& key : family.keys) {
    meter.spend(stored_cost * static_cast<long long>(key.size() + outside.size()));
    result.keys.push_back(local_columns(d, space, outside, key));
  }
  std::sort(result.keys.begin(), result.keys.end(), size_then_columns);
  if (!result.keys_complete) return result;

  bitset prime((static_cast<std::size_t>(size) + 63) / 64, 0);
  for (const std::vector<int>& key : family.keys) {
    for (int i : key) set(prime, i);
  }
  std::optional<violation> found = anti_key_violation(oracle, family, nullptr, meter);
  normal_form form = normal_form::boyce_codd;
  if (found) {
    form = normal_form::third;
    if (std::optional<violation> v = anti_key_violation(oracle, family, &prime, meter)) {
      form = normal_form::second;
      found = std::move(v);
      if (std::optional<violation> p = partial_dependency(oracle, space, family, prime, meter)) {
        form = normal_form::first;
        found = std::move(p);
      }
    }
  }
  if (meter.exhausted()) return result;
  result.form = form;
  if (found) {
    result.witness.left = local_columns(d, space, outside, found->left);
    result.witness.right = d.column_of[space.attrs[found->right]];
    if (!found->key.empty()) result.witness.key = local_columns(d, space, outside, found->key);
  }
  return result;
}
