// The plain cover algorithms, kept as the reference of the tests: the
// implicant tree built whole and walked with a connective at every step,
// the essential split by the disjunction of all other primes, the covers of
// levels 1 and 2 and the simplification by primes, each step a call of the
// connectives. The engine's versions must give the same results.
#ifndef KORVANE_TESTS_BDD_PLAIN_COVERS_H
#define KORVANE_TESTS_BDD_PLAIN_COVERS_H

#include <vector>

#include "bdd/bddpp.h"

namespace plain_covers {

// The walk of the implicant tree: each implicant replaces the first entry
// that implies it, else it is appended.
inline int plain_walk(bddpp_manager& m, const Tdd* t, const bdd& prefix, int count,
                      std::vector<bdd>& out) {
  if (m.Bdd_is_zero_tautologic(t->top)) return count;
  if (m.Bdd_is_one_tautologic(t->top)) {
    for (int i = 0; i < count; ++i) {
      if (m.Bdd_imply(out[static_cast<std::size_t>(i)], prefix)) {
        out[static_cast<std::size_t>(i)] = prefix;
        return count;
      }
    }
    out.push_back(prefix);
    return count + 1;
  }
  count = plain_walk(m, t->then_tdd, m.Bdd_and(prefix, t->top), count, out);
  count = plain_walk(m, t->else_tdd, m.Bdd_and(prefix, m.Bdd_not(t->top)), count, out);
  return plain_walk(m, t->dont_care_tdd, prefix, count, out);
}

// The walk, then every entry that implies an earlier one goes.
inline std::vector<bdd> plain_primes(bddpp_manager& m, const bdd& f) {
  if (m.Bdd_is_tautology(f)) return {f};
  Tdd tree(&m, f);
  std::vector<bdd> p;
  const int n = plain_walk(m, &tree, m.Bdd_one(), 0, p);
  for (int i = 0; i < n; ++i) {
    const bdd b = p[static_cast<std::size_t>(i)];
    for (int j = i + 1; j < n; ++j) {
      if (m.Bdd_imply(p[static_cast<std::size_t>(j)], b))
        p[static_cast<std::size_t>(j)] = m.Bdd_zero();
    }
  }
  std::vector<bdd> kept;
  for (const bdd& x : p) {
    if (!m.Bdd_is_zero_tautologic(x)) kept.push_back(x);
  }
  return kept;
}

// Whether the disjunction of all entries but i, from 0 in ascending order,
// equals f.
inline bool plain_others_cover(bddpp_manager& m, const bdd& f, const std::vector<bdd>& v,
                               std::size_t i) {
  bdd d = m.Bdd_zero();
  for (std::size_t k = 0; k < v.size(); ++k) {
    if (k != i) d = m.Bdd_or(d, v[k]);
  }
  return m.Bdd_equiv(d, f) != 0;
}

// Level 0: the first then-first path of what remains, until nothing does.
inline std::vector<bdd> plain_sop0(bddpp_manager& m, const bdd& f) {
  if (m.Bdd_is_one_tautologic(f)) return {f};
  std::vector<bdd> out;
  for (bdd rest = f; !m.Bdd_is_zero_tautologic(rest);) {
    const bdd c = m.Bdd_satisfy(rest);
    out.push_back(c);
    rest = m.Bdd_and(rest, m.Bdd_not(c));
  }
  return out;
}

// The products of level 0, each widened literal by literal from the top
// level down while it implies f (f not constant).
inline std::vector<bdd> plain_widened(bddpp_manager& m, const bdd& f) {
  std::vector<bdd> p;
  m.Bdd_sop_0(f, p);
  std::vector<int> present(static_cast<std::size_t>(m.Nb_bdd_vars()));
  for (bdd& q : p) {
    m.Present_variables(q, present.data());
    for (long k = 0; k < m.Nb_bdd_vars(); ++k) {
      if (present[static_cast<std::size_t>(k)] != 1) continue;
      bdd c = m.Bdd_exist(q, m.Bdd_var_by_index(k));
      if (m.Bdd_is_one_tautologic(m.Bdd_reduce(f, c))) q = c;
    }
  }
  return p;
}

// Level 0, each product widened while it implies f, then the redundant
// ones dropped in order.
inline std::vector<bdd> plain_sop1(bddpp_manager& m, const bdd& f) {
  if (m.Bdd_is_tautology(f)) return {f};
  std::vector<bdd> p = plain_widened(m, f);
  for (std::size_t j = 0; j < p.size(); ++j) {
    if (plain_others_cover(m, f, p, j)) p[j] = m.Bdd_zero();
  }
  std::vector<bdd> kept;
  for (const bdd& x : p) {
    if (!m.Bdd_is_zero_tautologic(x)) kept.push_back(x);
  }
  return kept;
}

// Essential primes, then phase A (the first prime disjoint from what is
// covered) and, when that runs dry, phase B (every prime that adds a point).
inline std::vector<bdd> plain_sop2(bddpp_manager& m, const bdd& f) {
  std::vector<bdd> primes = plain_primes(m, f);
  std::vector<bdd> essential, others, out;
  for (std::size_t i = 0; i < primes.size(); ++i) {
    (plain_others_cover(m, f, primes, i) ? others : essential).push_back(primes[i]);
  }
  bdd u = m.Bdd_zero();
  for (const bdd& p : essential) {
    out.push_back(p);
    u = m.Bdd_or(u, p);
  }
  bool wanting = false;
  while (!m.Bdd_equiv(u, f)) {
    const bdd* pick = nullptr;
    for (const bdd& p : others) {
      if (m.Bdds_excl(u, p)) {
        pick = &p;
        break;
      }
    }
    if (pick == nullptr) {
      wanting = true;
      break;
    }
    out.push_back(*pick);
    u = m.Bdd_or(u, *pick);
  }
  if (wanting) {
    for (const bdd& p : others) {
      if (m.Bdd_equiv(u, f)) break;
      bdd v = m.Bdd_or(u, p);
      if (v != u) {
        out.push_back(p);
        u = v;
      }
    }
  }
  return out;
}

// The primes split into the essential ones and the others, each in order.
inline void plain_essential(bddpp_manager& m, const bdd& f, std::vector<bdd>& essential,
                            std::vector<bdd>& others) {
  const std::vector<bdd> primes = plain_primes(m, f);
  essential.clear();
  others.clear();
  for (std::size_t i = 0; i < primes.size(); ++i) {
    (plain_others_cover(m, f, primes, i) ? others : essential).push_back(primes[i]);
  }
}

// The disjunction of f's primes, each widened literal by literal in
// identifier order while it stays disjoint from g.
inline bdd plain_simplify3(bddpp_manager& m, const bdd& f, const bdd& g) {
  if (m.Bdd_is_tautology(f)) return f.link_type() == 1 ? m.Bdd_one() : m.Bdd_zero();
  std::vector<bdd> primes = plain_primes(m, f);
  bdd r = m.Bdd_zero();
  for (bdd p : primes) {
    for (long id : m.set_of_id_depend_on(p)) {
      bdd t = m.Bdd_exist(p, m.Bdd_var_by_id(id));
      if (m.Bdds_excl(t, g)) p = t;
    }
    r = m.Bdd_or(r, p);
  }
  return r;
}

}  // namespace plain_covers

#endif
