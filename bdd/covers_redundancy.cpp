// The redundancy test of a list of products, and the literals of a product
// as bit sets.
#include <cstdint>
#include <utility>
#include <vector>

#include "bdd/covers_internal.h"

namespace bddpp_detail {

cube_literals literals_of(bddpp_manager* m, const bdd& p) {
  const long n = m->Nb_bdd_vars();
  std::vector<int> levels(static_cast<std::size_t>(n), 2);
  const bool zero = m->Bdd_is_zero_tautologic(p);
  if (!zero && !m->Bdd_is_one_tautologic(p)) {
    m->Bdd_to_literals(p, levels.data());
  }
  cube_literals c = literals_from_levels(levels.data(), n);
  c.zero = zero;
  return c;
}

cube_literals literals_from_levels(const int* literals, long levels) {
  cube_literals c;
  const std::size_t words = static_cast<std::size_t>((levels + 63) / 64);
  c.positive.assign(words, 0);
  c.negative.assign(words, 0);
  for (long l = 0; l < levels; ++l) {
    const int lit = literals[l];
    if (lit == 2) continue;
    (lit == 1 ? c.positive : c.negative)[static_cast<std::size_t>(l / 64)] |= std::uint64_t{1}
                                                                              << (l % 64);
  }
  return c;
}

void literals_to_levels(const cube_literals& c, long levels, int* literals) {
  for (long l = 0; l < levels; ++l) {
    const std::size_t x = static_cast<std::size_t>(l / 64);
    const std::uint64_t bit = std::uint64_t{1} << (l % 64);
    literals[l] = (c.positive[x] & bit) ? 1 : (c.negative[x] & bit) ? 0 : 2;
  }
}

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
  // The entries given by their literals.
  redundancy_test(bddpp_manager* m, std::vector<cube_literals> entries, long search_budget)
      : m(m), search_budget(search_budget), lits(std::move(entries)) {
    const std::size_t n = lits.size();
    for (std::size_t k = 0; k < n; ++k) {
      if (!lits[k].zero) ++copies[k];
    }
    words = (n + 63) / 64;
    levels = static_cast<std::size_t>(m->Nb_bdd_vars());
    live.assign(words, 0);
    for (std::size_t k = 0; k < n; ++k) {
      if (!lits[k].zero) live[k / 64] |= std::uint64_t{1} << (k % 64);
    }
    // One bit set per literal, unless that would take too much memory:
    // then every entry is looked at.
    indexed = levels * words <= (std::size_t{1} << 24);
    if (indexed) {
      with_positive.assign(levels * words, 0);
      with_negative.assign(levels * words, 0);
      for (std::size_t k = 0; k < n; ++k) {
        for_each_level(lits[k].positive, [&](std::size_t l) {
          with_positive[l * words + k / 64] |= std::uint64_t{1} << (k % 64);
        });
        for_each_level(lits[k].negative, [&](std::size_t l) {
          with_negative[l * words + k / 64] |= std::uint64_t{1} << (k % 64);
        });
      }
    }
  }

  // Whether entry i lies inside the disjunction of the other live entries.
  bool covered(std::size_t i) {
    const cube_literals& le = lits[i];
    if (le.zero) {
      return true;
    }
    // Another live entry with the same literals: entry i implies it.
    if (copies[i] > 1) {
      return true;
    }
    std::vector<std::uint64_t> meets = live;
    meets[i / 64] &= ~(std::uint64_t{1} << (i % 64));
    if (indexed) {
      // An entry with the opposite literal of one of entry i's misses it.
      for_each_level(le.positive, [&](std::size_t l) {
        for (std::size_t w = 0; w < words; ++w) meets[w] &= ~with_negative[l * words + w];
      });
      for_each_level(le.negative, [&](std::size_t l) {
        for (std::size_t w = 0; w < words; ++w) meets[w] &= ~with_positive[l * words + w];
      });
    }
    const std::size_t lw = le.positive.size();
    std::vector<const cube_literals*> parts;
    for (std::size_t w = 0; w < words; ++w) {
      for (std::uint64_t bits = meets[w]; bits != 0; bits &= bits - 1) {
        const cube_literals& lk = lits[w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits))];
        bool clash = false;
        bool inside = true;
        for (std::size_t x = 0; x < lw; ++x) {
          clash = clash || (lk.positive[x] & le.negative[x]) != 0 ||
                  (lk.negative[x] & le.positive[x]) != 0;
          inside = inside && (lk.positive[x] & ~le.positive[x]) == 0 &&
                   (lk.negative[x] & ~le.negative[x]) == 0;
        }
        if (clash) {
          continue;
        }
        if (inside) {
          return true;  // entry i implies this entry
        }
        parts.push_back(&lk);
      }
    }
    if (lw == 1) {
      // Up to 64 levels: look for a point of entry i outside every part
      // (then entry i is needed) or prove there is none, within a budget.
      cubes.clear();
      for (const cube_literals* part : parts) {
        cubes.push_back({part->positive[0] & ~le.positive[0], part->negative[0] & ~le.negative[0]});
      }
      budget = search_budget;
      const int answer = cubes_cover(0, cubes.size());
      if (answer >= 0) {
        return answer == 1;
      }
    }
    bdd sum = m->Bdd_zero();
    for (const cube_literals* part : parts) {
      bdd cube = m->Bdd_one();
      for (long l = m->Nb_bdd_vars() - 1; l >= 0; --l) {
        const std::size_t x = static_cast<std::size_t>(l / 64);
        const std::uint64_t bit = std::uint64_t{1} << (l % 64);
        if ((le.positive[x] & bit) != 0 || (le.negative[x] & bit) != 0) {
          continue;  // fixed by entry i
        }
        if ((part->positive[x] & bit) != 0) {
          cube = m->Bdd_and(cube, m->Bdd_var_by_index(l));
        } else if ((part->negative[x] & bit) != 0) {
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
    if (!lits[i].zero) --copies[i];
    lits[i].zero = true;
    live[i / 64] &= ~(std::uint64_t{1} << (i % 64));
  }

 private:
  template <class F>
  static void for_each_level(const std::vector<std::uint64_t>& set, F f) {
    for (std::size_t w = 0; w < set.size(); ++w) {
      for (std::uint64_t bits = set[w]; bits != 0; bits &= bits - 1) {
        f(w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits)));
      }
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

  // Entries by their literals (an entry stands for all those with the same
  // literals): how many of them are live.
  struct same_literals_hash {
    const std::vector<cube_literals>* lits;
    std::size_t operator()(std::size_t k) const {
      std::uint64_t h = 0x9e3779b97f4a7c15ULL;
      for (const std::uint64_t w : (*lits)[k].positive) h = (h ^ w) * 0x100000001b3ULL + (h >> 31);
      for (const std::uint64_t w : (*lits)[k].negative) h = (h ^ ~w) * 0x100000001b3ULL + (h >> 29);
      return static_cast<std::size_t>(h);
    }
  };
  struct same_literals {
    const std::vector<cube_literals>* lits;
    bool operator()(std::size_t a, std::size_t b) const {
      return (*lits)[a].positive == (*lits)[b].positive &&
             (*lits)[a].negative == (*lits)[b].negative;
    }
  };

  bddpp_manager* m;
  long search_budget;
  std::vector<small_cube> cubes;
  long budget = 0;
  std::vector<cube_literals> lits;
  std::unordered_map<std::size_t, std::size_t, same_literals_hash, same_literals> copies{
      16, same_literals_hash{&lits}, same_literals{&lits}};
  std::size_t words = 0;
  std::size_t levels = 0;
  bool indexed = false;
  std::vector<std::uint64_t> live;
  std::vector<std::uint64_t> with_positive;
  std::vector<std::uint64_t> with_negative;
};

}  // namespace

std::vector<bool> covered_in_order(bddpp_manager* m, const std::vector<cube_literals>& rows,
                                   long search_budget, bool drop_covered) {
  redundancy_test test(m, rows, search_budget);
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
