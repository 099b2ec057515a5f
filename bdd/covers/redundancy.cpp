// The redundancy test of a list of products, and the literals of a product
// as bit sets.
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "bdd/covers/redundancy.h"

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
// through one bit set of entries per literal. The entries' literals sit in
// two arrays of row_words words per entry (positive, negated).
class redundancy_test {
 public:
  // count entries; entry k's literals are positive[k * row_words ...] and
  // negative[k * row_words ...]; zero[k] marks the constant 0.
  redundancy_test(bddpp_manager* m, std::size_t count, std::size_t row_words,
                  std::vector<std::uint64_t> positive_bits,
                  std::vector<std::uint64_t> negative_bits, std::vector<char> zero_marks,
                  long search_budget)
      : m(m),
        search_budget(search_budget),
        n(count),
        lw(row_words),
        pos(std::move(positive_bits)),
        neg(std::move(negative_bits)),
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
        for_each_level(pos.data() + k * lw, [&](std::size_t l) {
          with_positive[l * words + k / 64] |= std::uint64_t{1} << (k % 64);
        });
        for_each_level(neg.data() + k * lw, [&](std::size_t l) {
          with_negative[l * words + k / 64] |= std::uint64_t{1} << (k % 64);
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
    const std::uint64_t* ip = pos.data() + i * lw;
    const std::uint64_t* in = neg.data() + i * lw;
    meets = live;
    meets[i / 64] &= ~(std::uint64_t{1} << (i % 64));
    if (indexed) {
      // An entry with the opposite literal of one of entry i's misses it.
      for_each_level(ip, [&](std::size_t l) {
        for (std::size_t w = 0; w < words; ++w) meets[w] &= ~with_negative[l * words + w];
      });
      for_each_level(in, [&](std::size_t l) {
        for (std::size_t w = 0; w < words; ++w) meets[w] &= ~with_positive[l * words + w];
      });
    }
    parts.clear();
    for (std::size_t w = 0; w < words; ++w) {
      for (std::uint64_t bits = meets[w]; bits != 0; bits &= bits - 1) {
        const std::size_t k = w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits));
        const std::uint64_t* kp = pos.data() + k * lw;
        const std::uint64_t* kn = neg.data() + k * lw;
        bool clash = false;
        bool inside = true;
        for (std::size_t x = 0; x < lw; ++x) {
          clash = clash || (kp[x] & in[x]) != 0 || (kn[x] & ip[x]) != 0;
          inside = inside && (kp[x] & ~ip[x]) == 0 && (kn[x] & ~in[x]) == 0;
        }
        if (clash) {
          continue;
        }
        if (inside) {
          return true;  // entry i implies this entry
        }
        parts.push_back(k);
      }
    }
    if (lw == 1) {
      // Up to 64 levels: look for a point of entry i outside every part
      // (then entry i is needed) or prove there is none, within a budget.
      cubes.clear();
      for (const std::size_t k : parts) {
        cubes.push_back({pos[k] & ~ip[0], neg[k] & ~in[0]});
      }
      budget = search_budget;
      const int answer = cubes_cover(0, cubes.size());
      if (answer >= 0) {
        return answer == 1;
      }
    }
    bdd sum = m->Bdd_zero();
    for (const std::size_t k : parts) {
      const std::uint64_t* kp = pos.data() + k * lw;
      const std::uint64_t* kn = neg.data() + k * lw;
      bdd cube = m->Bdd_one();
      for (long l = m->Nb_bdd_vars() - 1; l >= 0; --l) {
        const std::size_t x = static_cast<std::size_t>(l / 64);
        const std::uint64_t bit = std::uint64_t{1} << (l % 64);
        if ((ip[x] & bit) != 0 || (in[x] & bit) != 0) {
          continue;  // fixed by entry i
        }
        if ((kp[x] & bit) != 0) {
          cube = m->Bdd_and(cube, m->Bdd_var_by_index(l));
        } else if ((kn[x] & bit) != 0) {
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
  template <class F>
  void for_each_level(const std::uint64_t* set, F f) const {
    for (std::size_t w = 0; w < lw; ++w) {
      for (std::uint64_t bits = set[w]; bits != 0; bits &= bits - 1) {
        f(w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits)));
      }
    }
  }

  // Numbers the entries by their literals (equal literals, one group) and
  // counts the live entries of each group.
  void group_entries() {
    group_of.assign(n, 0);
    std::size_t slots = 16;
    while (slots < 2 * n) slots *= 2;
    std::vector<std::size_t> table(slots, 0);  // an entry's number plus one
    for (std::size_t k = 0; k < n; ++k) {
      std::uint64_t h = 0x9e3779b97f4a7c15ULL;
      for (std::size_t x = 0; x < lw; ++x) {
        h = (h ^ pos[k * lw + x]) * 0xff51afd7ed558ccdULL;
        h = (h ^ ~neg[k * lw + x]) * 0xc4ceb9fe1a85ec53ULL;
        h ^= h >> 32;
      }
      for (std::size_t i = static_cast<std::size_t>(h) & (slots - 1);; i = (i + 1) & (slots - 1)) {
        if (table[i] == 0) {
          table[i] = k + 1;
          group_of[k] = live_in_group.size();
          live_in_group.push_back(0);
          break;
        }
        const std::size_t o = table[i] - 1;
        if (std::equal(pos.data() + o * lw, pos.data() + o * lw + lw, pos.data() + k * lw) &&
            std::equal(neg.data() + o * lw, neg.data() + o * lw + lw, neg.data() + k * lw)) {
          group_of[k] = group_of[o];
          break;
        }
      }
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
  std::vector<std::uint64_t> pos;
  std::vector<std::uint64_t> neg;
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

std::vector<bool> covered_in_order(bddpp_manager* m, const std::vector<cube_literals>& rows,
                                   long search_budget, bool drop_covered) {
  const std::size_t lw = static_cast<std::size_t>((m->Nb_bdd_vars() + 63) / 64);
  std::vector<std::uint64_t> positive(rows.size() * lw, 0);
  std::vector<std::uint64_t> negative(rows.size() * lw, 0);
  std::vector<char> zero(rows.size(), 0);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    zero[k] = rows[k].zero ? 1 : 0;
    for (std::size_t x = 0; x < lw && x < rows[k].positive.size(); ++x) {
      positive[k * lw + x] = rows[k].positive[x];
      negative[k * lw + x] = rows[k].negative[x];
    }
  }
  return covered_in_order(m, rows.size(), std::move(positive), std::move(negative),
                          std::move(zero), search_budget, drop_covered);
}

std::vector<bool> covered_in_order(bddpp_manager* m, std::size_t count,
                                   std::vector<std::uint64_t> positive,
                                   std::vector<std::uint64_t> negative, std::vector<char> zero,
                                   long search_budget, bool drop_covered) {
  const std::size_t lw = static_cast<std::size_t>((m->Nb_bdd_vars() + 63) / 64);
  redundancy_test test(m, count, lw, std::move(positive), std::move(negative), std::move(zero),
                       search_budget);
  std::vector<bool> covered(count, false);
  for (std::size_t i = 0; i < count; ++i) {
    covered[i] = test.covered(i);
    if (covered[i] && drop_covered) {
      test.remove(i);
    }
  }
  return covered;
}

}  // namespace bddpp_detail
