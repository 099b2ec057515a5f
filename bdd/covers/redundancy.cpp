// The redundancy test of a list of products.
#include "bdd/covers/redundancy.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace bddpp_detail {

namespace {

// The redundancy test of a list of products that each imply a function f
// and together cover it: entry i is redundant when the other entries (the
// removed ones, set to the constant 0, count for nothing) still cover f,
// that is when entry i lies inside their disjunction. Only the entries that
// meet entry i matter: each is cut down to its literals outside entry i,
// and entry i is covered when one of them is left without literal or their
// disjunction is the constant 1. That is decided by a search for a point
// outside all of them (up to 64 levels, within a budget of steps), else by
// building the disjunction. The entries that meet entry i are found
// through one bit set of entries per literal.
class redundancy_test {
 public:
  // The entries are the products of rows; zero[k] marks the constant 0.
  redundancy_test(bddpp_manager* m, const product_list& rows, std::vector<char> zero_marks,
                  long search_budget)
      : m(m),
        search_budget(search_budget),
        n(rows.size()),
        lw(rows.width()),
        rows(rows),
        zero(std::move(zero_marks)) {
    group_entries();
    words = (n + 63) / 64;
    levels = static_cast<std::size_t>(m->Nb_bdd_vars());
    live.assign(words, 0);
    for (std::size_t k = 0; k < n; ++k) {
      if (!zero[k]) live[k / 64] |= std::uint64_t{1} << (k % 64);
    }
    // One bit set per literal, unless that would take too much memory:
    // then every entry is looked at.
    indexed = levels * words <= (std::size_t{1} << 24);
    if (indexed) {
      with_positive.assign(levels * words, 0);
      with_negative.assign(levels * words, 0);
      for (std::size_t k = 0; k < n; ++k) {
        for_each_literal_of(rows.at(k), [&](std::size_t l, bool positive) {
          (positive ? with_positive : with_negative)[l * words + k / 64] |= std::uint64_t{1}
                                                                            << (k % 64);
        });
      }
    }
  }

  // Whether entry i lies inside the disjunction of the other live entries.
  bool covered(std::size_t i) {
    if (zero[i]) {
      return true;
    }
    // Another live entry with the same literals: entry i implies it.
    if (live_in_group[group_of[i]] > 1) {
      return true;
    }
    const std::uint64_t* pi = rows.at(i);
    meets = live;
    meets[i / 64] &= ~(std::uint64_t{1} << (i % 64));
    if (indexed) {
      // An entry with the opposite literal of one of entry i's misses it.
      for_each_literal_of(pi, [&](std::size_t l, bool positive) {
        const std::uint64_t* opposite = &(positive ? with_negative : with_positive)[l * words];
        for (std::size_t w = 0; w < words; ++w) meets[w] &= ~opposite[w];
      });
    }
    parts.clear();
    for (std::size_t w = 0; w < words; ++w) {
      for (std::uint64_t bits = meets[w]; bits != 0; bits &= bits - 1) {
        const std::size_t k = w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits));
        const std::uint64_t* pk = rows.at(k);
        if (clash(pk, pi, lw)) {
          continue;
        }
        if (includes(pi, pk, lw)) {
          return true;  // entry i implies this entry
        }
        parts.push_back(k);
      }
    }
    if (levels <= 64) {
      // Up to 64 levels: look for a point of entry i outside every part
      // (then entry i is needed) or prove there is none, within a budget.
      // Each part is taken without entry i's literals, bit l of a small
      // cube standing for the variable at level l.
      cubes.clear();
      for (const std::size_t k : parts) {
        const std::uint64_t low = rows.at(k)[0] & ~pi[0];
        const std::uint64_t high = lw > 1 ? rows.at(k)[1] & ~pi[1] : 0;
        cubes.push_back(
            {(low & positive_half) | (high << 32), (low >> 32) | (high & ~positive_half)});
      }
      budget = search_budget;
      const int answer = cubes_cover(0, cubes.size());
      if (answer >= 0) {
        return answer == 1;
      }
    }
    bdd sum = m->Bdd_zero();
    for (const std::size_t k : parts) {
      const std::uint64_t* pk = rows.at(k);
      bdd cube = m->Bdd_one();
      for (long l = m->Nb_bdd_vars() - 1; l >= 0; --l) {
        if (literal_at(pi, l) != 2) {
          continue;  // fixed by entry i
        }
        const int lit = literal_at(pk, l);
        if (lit == 1) {
          cube = m->Bdd_and(cube, m->Bdd_var_by_index(l));
        } else if (lit == 0) {
          cube = m->Bdd_and(cube, m->Bdd_not(m->Bdd_var_by_index(l)));
        }
      }
      sum = m->Bdd_or(sum, cube);
      if (m->Bdd_is_one_tautologic(sum)) {
        return true;
      }
    }
    return false;
  }

  // Entry i no longer counts (it was set to the constant 0).
  void remove(std::size_t i) {
    if (!zero[i]) --live_in_group[group_of[i]];
    zero[i] = 1;
    live[i / 64] &= ~(std::uint64_t{1} << (i % 64));
  }

 private:
  // Calls f(level, positive) for each literal of the product c.
  template <class F>
  void for_each_literal_of(const std::uint64_t* c, F f) const {
    for (std::size_t w = 0; w < lw; ++w) {
      for (std::uint64_t bits = c[w]; bits != 0; bits &= bits - 1) {
        const std::size_t b = static_cast<std::size_t>(__builtin_ctzll(bits));
        f(w * 32 + (b & 31), b < 32);
      }
    }
  }

  // Numbers the entries by their literals (equal literals, one group) and
  // counts the live entries of each group.
  void group_entries() {
    std::size_t groups = 0;
    group_of = rows.equal_groups(&groups);
    live_in_group.assign(groups, 0);
    for (std::size_t k = 0; k < n; ++k) {
      if (!zero[k]) ++live_in_group[group_of[k]];
    }
  }

  // A product given by the levels of its positive and negated literals.
  struct small_cube {
    std::uint64_t positive;
    std::uint64_t negative;
  };

  // Whether the products cubes[begin, end) cover every point: 1 yes, 0 no,
  // -1 when the budget of steps ran out. A Shannon split on the variable
  // that most of them mention; the side that leaves fewer products is
  // searched first, since a point outside all of them is looked for there.
  // Each side's products are appended to cubes and dropped afterwards.
  int cubes_cover(std::size_t begin, std::size_t end) {
    if (--budget < 0) {
      return -1;
    }
    if (begin == end) {
      return 0;
    }
    std::uint64_t any = 0;
    for (std::size_t j = begin; j < end; ++j) {
      const std::uint64_t lits_j = cubes[j].positive | cubes[j].negative;
      if (lits_j == 0) {
        return 1;  // a product without literal covers everything
      }
      any |= lits_j;
    }
    // The level that the most products mention.
    int best = -1;
    std::size_t best_count = 0;
    std::size_t best_positive = 0;
    for (std::uint64_t bits = any; bits != 0; bits &= bits - 1) {
      const int l = __builtin_ctzll(bits);
      const std::uint64_t bit = std::uint64_t{1} << l;
      std::size_t positive = 0;
      std::size_t negative = 0;
      for (std::size_t j = begin; j < end; ++j) {
        positive += (cubes[j].positive & bit) != 0;
        negative += (cubes[j].negative & bit) != 0;
      }
      if (positive + negative > best_count) {
        best = l;
        best_count = positive + negative;
        best_positive = positive;
      }
    }
    const std::uint64_t bit = std::uint64_t{1} << best;
    // Setting the variable to 1 drops the products with it negated.
    const bool one_first = best_count - best_positive >= best_positive;
    for (int side = 0; side < 2; ++side) {
      const bool value = (side == 0) == one_first;
      const std::size_t at = cubes.size();
      for (std::size_t j = begin; j < end; ++j) {
        const small_cube c = cubes[j];
        if ((value ? c.negative : c.positive) & bit) continue;
        cubes.push_back({c.positive & ~bit, c.negative & ~bit});
      }
      const int r = cubes_cover(at, cubes.size());
      cubes.resize(at);
      if (r != 1) {
        return r;
      }
    }
    return 1;
  }

  bddpp_manager* m;
  long search_budget;
  std::vector<small_cube> cubes;
  long budget = 0;
  std::size_t n;
  std::size_t lw;
  const product_list& rows;
  std::vector<char> zero;
  // Each entry's group of equal literals, and the live entries of a group.
  std::vector<std::size_t> group_of;
  std::vector<std::size_t> live_in_group;
  std::size_t words = 0;
  std::size_t levels = 0;
  bool indexed = false;
  std::vector<std::uint64_t> live;
  std::vector<std::uint64_t> with_positive;
  std::vector<std::uint64_t> with_negative;
  // Scratch of covered: the entries that meet entry i, and those kept.
  std::vector<std::uint64_t> meets;
  std::vector<std::size_t> parts;
};

}  // namespace

std::vector<bool> covered_in_order(bddpp_manager* m, const product_list& rows,
                                   std::vector<char> zero, long search_budget, bool drop_covered) {
  redundancy_test test(m, rows, std::move(zero), search_budget);
  std::vector<bool> covered(rows.size(), false);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    covered[i] = test.covered(i);
    if (covered[i] && drop_covered) {
      test.remove(i);
    }
  }
  return covered;
}

}  // namespace bddpp_detail
