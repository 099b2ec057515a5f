// The choice of a cover builder by level, the covers kept by function, and
// the arrays the builders keep from one cover to the next.
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

#include "utilities/fatal.h"
#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers/cover_state.h"

// ---- Dispatch -------------------------------------------------------------------------

void bddpp_manager::check_manager(bdd f, const char* op) {
  if (f.manager_ref() != this || f.node() == nullptr) {
    std::cerr << "ERROR in bddpp_manager::" << op << "():" << std::endl;
    std::cerr << "   bdd : " << f << ", is not allocated or associated with a bad BDD manager..."
              << std::endl;
    korvane_fatal_exit(1);
  }
}

int bddpp_manager::Bdd_sop(bdd f, std::vector<bdd>& products, int level) {
  check_manager(f, "Bdd_sop");
  switch (level) {
    case 1:
      return Bdd_sop_1(f, products);
    case 2:
      return Bdd_sop_2(f, products);
    case 3:
      return Bdd_sop_3(f, products);
    default:
      return Bdd_sop_0(f, products);
  }
}

int bddpp_manager::Bdd_sop(bdd f, bdd* products, int capacity, int level) {
  std::vector<bdd> store;
  const int n = Bdd_sop(f, store, level);
  return sop_into_array(store, n, products, capacity);
}

// Copies the first count products of store into the caller's array of
// capacity entries; a cover that does not fit ends the process with the
// product-limit lines.
int bddpp_manager::sop_into_array(std::vector<bdd>& store, int count, bdd* products, int capacity) {
  if (count > capacity) {
    bddpp_detail::product_limit_exit(capacity < 0 ? 0 : capacity);
  }
  for (int i = 0; i < count; ++i) {
    products[i] = store[static_cast<std::size_t>(i)];
  }
  return count;
}

// ---- Covers kept by function ------------------------------------------------------------

namespace {

std::uintptr_t cover_key(int level, const bdd& f) {
  return (bddpp_detail::make_edge(f.node(), f.link_type()) << 1) |
         static_cast<std::uintptr_t>(level - 1);
}

}  // namespace

const std::vector<bdd>* bddpp_manager::remembered_cover(int level, const bdd& f) const {
  const auto known = cover_memo.find(cover_key(level, f));
  return known == cover_memo.end() ? nullptr : &known->second.products;
}

void bddpp_manager::remember_cover(int level, const bdd& f, const std::vector<bdd>& products) {
  if (cover_memo_products + products.size() > cover_memo_limit) {
    cover_memo.clear();
    cover_memo_products = 0;
  }
  if (cover_memo.emplace(cover_key(level, f), known_cover{f, products}).second) {
    cover_memo_products += products.size();
  }
}

// f = x AND g, or NOT x AND g, with x the top variable: every path of f
// runs through that literal and then along a path of g, in g's order, and
// every implicant of f holds the literal, so the implicant walk of f is
// g's with the literal added. At level 1 the literal is never dropped
// (without it the product leaves f) and each other literal is dropped
// exactly when it is in g's cover; at level 2 the primes, their split and
// both phases are g's; at both levels a product is redundant exactly when
// it is in g's. So the cover is g's with the literal added to each product.
bool bddpp_manager::cover_from_memo(int level, const bdd& f, std::vector<bdd>& products) {
  if (const std::vector<bdd>* known = remembered_cover(level, f)) {
    products = *known;
    return true;
  }
  const bdd then_part = Bdd_then(f);
  const bdd else_part = Bdd_else(f);
  const bool else_zero = Bdd_is_zero_tautologic(else_part);
  if (!else_zero && !Bdd_is_zero_tautologic(then_part)) {
    return false;
  }
  const bdd& g = else_zero ? then_part : else_part;
  const std::vector<bdd>* below = Bdd_is_tautology(g) ? nullptr : remembered_cover(level, g);
  if (below == nullptr) {
    return false;
  }
  const long top = Bdd_if_index(f);
  std::vector<int> literals(static_cast<std::size_t>(nb_vars > 0 ? nb_vars : 1), 2);
  std::vector<bdd> found;
  found.reserve(below->size());
  for (const bdd& p : *below) {
    Bdd_to_literals(p, literals.data());
    literals[static_cast<std::size_t>(top)] = else_zero ? 1 : 0;
    found.push_back(product_bottom_up(literals.data()));
  }
  products = found;
  remember_cover(level, f, products);
  return true;
}

bddpp_detail::cover_buffers& bddpp_manager::buffers_of_covers() {
  if (!path_cover_buffers) {
    path_cover_buffers = std::make_shared<bddpp_detail::cover_buffers>();
  }
  return *path_cover_buffers;
}
