// What the cover builders keep in their manager (see cover_state.h): the
// covers found by function, the arrays' upkeep, the paths and widened
// products kept by function, and the tuning the engine's tests set.
#include "bdd/covers/cover_state.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "bdd/bddpp_internal.h"

namespace bddpp_detail {

// ---- Covers kept by function ------------------------------------------------------------

namespace {

// The memo's key of f's cover at level 1 or 2.
std::uintptr_t cover_key(int level, const bdd& f) {
  return (make_edge(f.node(), f.link_type()) << 1) | static_cast<std::uintptr_t>(level - 1);
}

}  // namespace

const std::vector<bdd>* cover_state::remembered(int level, const bdd& f) const {
  const auto known = cover_memo.find(cover_key(level, f));
  return known == cover_memo.end() ? nullptr : &known->second.products;
}

void cover_state::remember(int level, const bdd& f, const std::vector<bdd>& products) {
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
bool cover_state::cover_from_memo(bddpp_manager& m, int level, const bdd& f,
                                  std::vector<bdd>& products) {
  if (const std::vector<bdd>* known = remembered(level, f)) {
    products = *known;
    return true;
  }
  const bdd then_part = m.Bdd_then(f);
  const bdd else_part = m.Bdd_else(f);
  const bool else_zero = m.Bdd_is_zero_tautologic(else_part);
  if (!else_zero && !m.Bdd_is_zero_tautologic(then_part)) {
    return false;
  }
  const bdd& g = else_zero ? then_part : else_part;
  const std::vector<bdd>* below = m.Bdd_is_tautology(g) ? nullptr : remembered(level, g);
  if (below == nullptr) {
    return false;
  }
  const long top = m.Bdd_if_index(f);
  std::vector<int> literals(static_cast<std::size_t>(m.nb_vars > 0 ? m.nb_vars : 1), 2);
  std::vector<bdd> found;
  found.reserve(below->size());
  for (const bdd& p : *below) {
    m.Bdd_to_literals(p, literals.data());
    literals[static_cast<std::size_t>(top)] = else_zero ? 1 : 0;
    found.push_back(m.product_bottom_up(literals.data()));
  }
  products = found;
  remember(level, f, products);
  return true;
}

// ---- Products back in the manager ------------------------------------------------------

bdd cover_state::product_in(bddpp_manager& m, const std::uint64_t* c) {
  product_levels.resize(static_cast<std::size_t>(m.nb_vars > 0 ? m.nb_vars : 1));
  to_levels(c, m.nb_vars, product_levels.data());
  return m.product_bottom_up(product_levels.data());
}

// ---- The arrays of levels 0 and 1 -------------------------------------------------------

void cover_state::trim() {
  constexpr std::size_t kept = std::size_t{1} << 20;
  packed.trim(kept);
  if (answers.capacity() > kept) {
    std::vector<std::uint64_t>().swap(listed);
    std::vector<std::uint32_t>().swap(answers);
  }
}

// ---- Paths and widened products kept by function ------------------------------------------

void cover_state::forget_widened() {
  widened.clear();
  widened_order.clear();
  widened_words = 0;
}

void cover_state::keep_widened(std::uintptr_t key, widened_of&& of) {
  const std::size_t words = of.paths.words_used() + of.rows.words_used();
  const std::size_t limit = static_cast<std::size_t>(kept_widened_words);
  while (!widened_order.empty() && widened_words + words > limit) {
    const auto old = widened.find(widened_order.front());
    widened_words -= old->second.paths.words_used() + old->second.rows.words_used();
    widened.erase(old);
    widened_order.pop_front();
  }
  if (widened.emplace(key, std::move(of)).second) {
    widened_order.push_back(key);
    widened_words += words;
  }
}

// ---- Tuning ---------------------------------------------------------------------------------

void set_cover_search_budget(bddpp_manager& m, long steps) {
  cover_state::of(m).search_budget = steps;
}
void set_path_sweep_nodes(bddpp_manager& m, long nodes) {
  cover_state::of(m).path_sweep_nodes = nodes;
}
void set_kept_widened_words(bddpp_manager& m, long words) {
  cover_state::of(m).kept_widened_words = words;
}

}  // namespace bddpp_detail
