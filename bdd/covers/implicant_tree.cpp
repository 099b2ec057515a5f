// The implicant tree Tdd, and its walk with diagram operations: the prime
// implicants of a tree, and the implicants below a node added to a list.
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers/implicant_walk.h"
#include "bdd/covers/product.h"

using bddpp_detail::implicant_limit_exit;
using bddpp_detail::max_terms;
using bddpp_detail::product_list;

namespace {

// The walk of an implicant tree with diagram operations, the literals of
// each entry kept beside it as a product (and whether the entry is the
// constant 0), so that most implications are decided from the literals.
class tree_walk {
 public:
  tree_walk(bddpp_manager* m, std::vector<bdd>& implicants)
      : m(m),
        words(bddpp_detail::product_words(m->Nb_bdd_vars())),
        implicants(implicants),
        lits(words),
        prefix_lits(words, 0) {}

  // Takes the literals of the first count implicants.
  void know_entries(int count) {
    for (int i = 0; i < count; ++i) add_known(implicants[static_cast<std::size_t>(i)]);
  }

  // Adds the implicants below node, each conjoined with prefix, to the
  // first count entries; a new implicant replaces the first entry that
  // implies it, else it is appended. Returns the new count.
  int walk(const Tdd* node, const bdd& prefix, int count) {
    set_prefix(prefix);
    return walk(node, prefix, prefix_zero, count);
  }

  // The prime implicants of the tree rooted at node: the walk, then every
  // entry that implies an earlier one is removed; returns their number and
  // leaves exactly them in the implicants.
  int primes(const Tdd* node) {
    implicants.clear();
    int count = walk(node, m->Bdd_one(), 0);
    implicants.resize(static_cast<std::size_t>(count));
    const bdd zero = m->Bdd_zero();
    std::vector<std::uint64_t> b_lits(words);
    for (int i = 0; i < count; ++i) {
      const std::size_t bi = static_cast<std::size_t>(i);
      const bdd b = implicants[bi];
      std::copy(lits.at(bi), lits.at(bi) + words, b_lits.begin());
      const bool b_zero = zeros[bi] != 0;
      for (int j = i + 1; j < count; ++j) {
        const std::size_t k = static_cast<std::size_t>(j);
        if (implies(implicants[k], lits.at(k), zeros[k] != 0, b, b_lits.data(), b_zero)) {
          implicants[k] = zero;
          std::fill(lits.at(k), lits.at(k) + words, 0);
          zeros[k] = 1;
        }
      }
    }
    int kept = 0;
    for (int i = 0; i < count; ++i) {
      if (!m->Bdd_is_zero_tautologic(implicants[static_cast<std::size_t>(i)])) {
        implicants[static_cast<std::size_t>(kept++)] = implicants[static_cast<std::size_t>(i)];
      }
    }
    implicants.resize(static_cast<std::size_t>(kept));
    return kept;
  }

 private:
  // The prefix's literals are prefix_lits; is_zero: the prefix is 0.
  int walk(const Tdd* node, const bdd& prefix, bool is_zero, int count) {
    if (m->Bdd_is_zero_tautologic(node->top)) {
      return count;
    }
    if (m->Bdd_is_one_tautologic(node->top)) {
      for (int i = 0; i < count; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        if (implies(implicants[k], lits.at(k), zeros[k] != 0, prefix, prefix_lits.data(),
                    is_zero)) {
          implicants[k] = prefix;
          std::copy(prefix_lits.begin(), prefix_lits.end(), lits.at(k));
          zeros[k] = is_zero ? 1 : 0;
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
        std::copy(prefix_lits.begin(), prefix_lits.end(), lits.at(k));
        zeros[k] = is_zero ? 1 : 0;
      } else {
        lits.add(prefix_lits.data());
        zeros.push_back(is_zero ? 1 : 0);
      }
      return count + 1;
    }
    if (node->then_tdd == nullptr) {
      return count;
    }
    // The prefix's literals with that of the top variable added, then put
    // back as they were.
    const long level = node->top.node()->var_index();
    std::uint64_t& word = prefix_lits[bddpp_detail::word_of(level)];
    const std::uint64_t kept = word;
    word |= bddpp_detail::positive_bit(level);
    count = walk(node->then_tdd, m->Bdd_and(prefix, node->top), is_zero, count);
    word = kept | bddpp_detail::negative_bit(level);
    count = walk(node->else_tdd, m->Bdd_and(prefix, m->Bdd_not(node->top)), is_zero, count);
    word = kept;
    return walk(node->dont_care_tdd, prefix, is_zero, count);
  }

  // Bdd_imply(e, p) for two products whose literals are known (le, lp; e_zero
  // and p_zero: the constant 0). The answer comes from the literals; the
  // connectives run only when their result is a function other than e's
  // complement and the constant 1, whose nodes may be new: then the same
  // nodes are made as by the test itself (a connective makes only nodes of
  // its result, and those of a constant or of an existing function all
  // exist).
  bool implies(const bdd& e, const std::uint64_t* le, bool e_zero, const bdd& p,
               const std::uint64_t* lp, bool p_zero) {
    if (e_zero) {
      return true;  // 0 OR p: the constant 1
    }
    if (p_zero) {
      return false;  // NOT e OR 0: NOT e
    }
    if (bddpp_detail::includes(le, lp, words)) {
      return true;  // NOT e OR p: the constant 1
    }
    if (bddpp_detail::clash(le, lp, words)) {
      return false;  // p implies NOT e: NOT e OR p is NOT e
    }
    return m->Bdd_imply(e, p) != 0;
  }

  void add_known(const bdd& p) {
    const bool is_zero = m->Bdd_is_zero_tautologic(p) != 0;
    std::vector<std::uint64_t> c(words, 0);
    if (!is_zero) bddpp_detail::product_of(m, p, words, c.data());
    lits.add(c.data());
    zeros.push_back(is_zero ? 1 : 0);
  }
  void set_prefix(const bdd& prefix) {
    prefix_zero = m->Bdd_is_zero_tautologic(prefix) != 0;
    std::fill(prefix_lits.begin(), prefix_lits.end(), 0);
    if (!prefix_zero) bddpp_detail::product_of(m, prefix, words, prefix_lits.data());
  }

  bddpp_manager* m;
  std::size_t words;
  std::vector<bdd>& implicants;
  // The literals of the entries, and whether each is the constant 0.
  product_list lits;
  std::vector<char> zeros;
  std::vector<std::uint64_t> prefix_lits;
  bool prefix_zero = false;
};

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
  return tree_walk(manager, primes).primes(this);
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
  tree_walk walk(manager, implicants);
  walk.know_entries(count);
  return walk.walk(this, prefix, count);
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
