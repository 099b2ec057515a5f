// The implicant tree Tdd, and its walk with diagram operations: the prime
// implicants of a tree, and the implicants below a node added to a list.
#include <iostream>
#include <string>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers/implicant_walk.h"
#include "bdd/covers/redundancy.h"

using bddpp_detail::cube_literals;
using bddpp_detail::implicant_limit_exit;
using bddpp_detail::literals_of;
using bddpp_detail::max_terms;

namespace {

// c with the literal of the variable at level added (positive or negated).
cube_literals with_literal(cube_literals c, long level, bool positive) {
  const std::uint64_t bit = std::uint64_t{1} << (level % 64);
  (positive ? c.positive : c.negative)[static_cast<std::size_t>(level / 64)] |= bit;
  return c;
}

// Bdd_imply(e, p) for two products whose literals are known. The answer
// comes from the literals; the connectives run only when their result is a
// function other than e's complement and the constant 1, whose nodes may be
// new: then the same nodes are made as by the test itself (a connective
// makes only nodes of its result, and those of a constant or of an existing
// function all exist).
bool product_implies(bddpp_manager* m, const bdd& e, const cube_literals& le, const bdd& p,
                     const cube_literals& lp) {
  if (le.zero) {
    return true;  // 0 OR p: the constant 1
  }
  if (lp.zero) {
    return false;  // NOT e OR 0: NOT e
  }
  bool inside = true;
  bool clash = false;
  for (std::size_t w = 0; w < le.positive.size(); ++w) {
    inside = inside && (lp.positive[w] & ~le.positive[w]) == 0 &&
             (lp.negative[w] & ~le.negative[w]) == 0;
    clash =
        clash || (le.positive[w] & lp.negative[w]) != 0 || (le.negative[w] & lp.positive[w]) != 0;
  }
  if (inside) {
    return true;  // NOT e OR p: the constant 1
  }
  if (clash) {
    return false;  // p implies NOT e: NOT e OR p is NOT e
  }
  return m->Bdd_imply(e, p) != 0;
}

// The walk of an implicant tree (Tdd or its shared form): adds the
// implicants below node, each conjoined with prefix, to the first count
// entries of implicants; a new implicant replaces the first entry that
// implies it, else it is appended. lits holds the literals of the entries
// and prefix_lits those of prefix. Returns the new count.
template <class Node>
int walk_implicants(bddpp_manager* m, const Node* node, const bdd& prefix,
                    const cube_literals& prefix_lits, int count, std::vector<bdd>& implicants,
                    std::vector<cube_literals>& lits) {
  if (m->Bdd_is_zero_tautologic(node->top)) {
    return count;
  }
  if (m->Bdd_is_one_tautologic(node->top)) {
    for (int i = 0; i < count; ++i) {
      const std::size_t k = static_cast<std::size_t>(i);
      if (product_implies(m, implicants[k], lits[k], prefix, prefix_lits)) {
        implicants[k] = prefix;
        lits[k] = prefix_lits;
        return count;
      }
    }
    if (count >= max_terms) {
      implicant_limit_exit();
    }
    const std::size_t k = static_cast<std::size_t>(count);
    if (k < implicants.size()) {
      implicants[k] = prefix;
    } else {
      implicants.push_back(prefix);
    }
    if (k < lits.size()) {
      lits[k] = prefix_lits;
    } else {
      lits.push_back(prefix_lits);
    }
    return count + 1;
  }
  if (node->then_tdd == nullptr) {
    return count;
  }
  const long level = node->top.node()->var_index();
  count = walk_implicants(m, node->then_tdd, m->Bdd_and(prefix, node->top),
                          with_literal(prefix_lits, level, true), count, implicants, lits);
  count = walk_implicants(m, node->else_tdd, m->Bdd_and(prefix, m->Bdd_not(node->top)),
                          with_literal(prefix_lits, level, false), count, implicants, lits);
  return walk_implicants(m, node->dont_care_tdd, prefix, prefix_lits, count, implicants, lits);
}

// The prime implicants of the tree rooted at node: the walk, then every
// entry that implies an earlier one is removed; returns their number and
// leaves exactly them in primes.
template <class Node>
int primes_of_tree(bddpp_manager* m, const Node* node, std::vector<bdd>& primes) {
  primes.clear();
  std::vector<cube_literals> lits;
  const bdd one = m->Bdd_one();
  int count = walk_implicants(m, node, one, literals_of(m, one), 0, primes, lits);
  primes.resize(static_cast<std::size_t>(count));
  const bdd zero = m->Bdd_zero();
  const cube_literals zero_lits = literals_of(m, zero);
  for (int i = 0; i < count; ++i) {
    const std::size_t bi = static_cast<std::size_t>(i);
    const bdd b = primes[bi];
    const cube_literals lb = lits[bi];
    for (int j = i + 1; j < count; ++j) {
      const std::size_t k = static_cast<std::size_t>(j);
      if (product_implies(m, primes[k], lits[k], b, lb)) {
        primes[k] = zero;
        lits[k] = zero_lits;
      }
    }
  }
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    if (!m->Bdd_is_zero_tautologic(primes[static_cast<std::size_t>(i)])) {
      primes[static_cast<std::size_t>(kept++)] = primes[static_cast<std::size_t>(i)];
    }
  }
  primes.resize(static_cast<std::size_t>(kept));
  return kept;
}

}  // namespace

// ---- The implicant tree -------------------------------------------------------------------------

Tdd::Tdd(bddpp_manager* manager_, bdd f)
    : manager(manager_), top(), then_tdd(nullptr), else_tdd(nullptr), dont_care_tdd(nullptr) {
  if (manager == nullptr) {
    std::cerr << "in Tdd::Tdd() : error: bdd manager not yet created !" << std::endl;
    return;
  }
  if (manager->Bdd_is_tautology(f)) {
    top = f;
    return;
  }
  top = manager->Bdd_if(f);
  bdd t = manager->Bdd_then(f);
  bdd e = manager->Bdd_else(f);
  then_tdd = new Tdd(manager, t);
  else_tdd = new Tdd(manager, e);
  dont_care_tdd = new Tdd(manager, manager->Bdd_and(t, e));
}

Tdd::~Tdd() {
  if (manager != nullptr && !manager->Bdd_is_tautology(top)) {
    delete then_tdd;
    delete else_tdd;
    delete dont_care_tdd;
  }
}

int Tdd::Bdd_prime_implicants(std::vector<bdd>& primes) {
  if (manager == nullptr) {
    primes.clear();
    return 0;
  }
  return primes_of_tree(manager, this, primes);
}

int Tdd::Bdd_implicants_loc(bdd prefix, int count, std::vector<bdd>& implicants) {
  if (manager == nullptr) {
    return count;
  }
  if (count < 0) {
    count = 0;
  }
  if (implicants.size() < static_cast<std::size_t>(count)) {
    implicants.resize(static_cast<std::size_t>(count));
  }
  std::vector<cube_literals> lits;
  for (int i = 0; i < count; ++i) {
    lits.push_back(literals_of(manager, implicants[static_cast<std::size_t>(i)]));
  }
  return walk_implicants(manager, this, prefix, literals_of(manager, prefix), count, implicants,
                         lits);
}

void Tdd::Print_bdd_structure(std::ostream& os) { Print_bdd_structure_loc(os, 0); }

void Tdd::Print_bdd_structure_loc(std::ostream& os, int indent) {
  if (manager == nullptr) {
    return;
  }
  const std::string blanks(static_cast<std::size_t>(indent > 0 ? indent : 0), ' ');
  if (then_tdd == nullptr) {
    os << blanks << manager->Name_var_by_bdd(top) << std::endl;
    return;
  }
  const std::string v = manager->Name_var_by_bdd(top);
  os << blanks << "if " << v << std::endl;
  then_tdd->Print_bdd_structure_loc(os, indent + 2);
  os << blanks << "else if !" << v << std::endl;
  else_tdd->Print_bdd_structure_loc(os, indent + 2);
  os << blanks << "dont care " << v << std::endl;
  dont_care_tdd->Print_bdd_structure_loc(os, indent + 2);
}
