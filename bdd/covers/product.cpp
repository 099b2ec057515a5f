// Products as bit sets (see product.h): the products of the manager's
// diagrams, and the last copies of a list.
#include "bdd/covers/product.h"

namespace bddpp_detail {

void product_of(bddpp_manager* m, const bdd& p, std::size_t words, std::uint64_t* c) {
  const long n = m->Nb_bdd_vars();
  std::vector<int> levels(static_cast<std::size_t>(n), 2);
  if (!m->Bdd_is_tautology(p)) {
    m->Bdd_to_literals(p, levels.data());
  }
  from_levels(levels.data(), n, words, c);
}

std::vector<std::size_t> product_list::last_copies() const {
  const std::size_t count = size();
  const std::size_t width = words;
  std::size_t slots = 16;
  while (slots < 2 * count) slots *= 2;
  // Each slot holds a product's number plus one (0: empty).
  std::vector<std::size_t> table(slots, 0);
  std::vector<bool> repeated(count, false);
  for (std::size_t r = count; r-- > 0;) {
    const std::uint64_t* c = at(r);
    std::uint64_t h = 0x9e3779b97f4a7c15ULL;
    for (std::size_t x = 0; x < width; ++x) {
      h = (h ^ c[x]) * 0xff51afd7ed558ccdULL;
      h ^= h >> 32;
    }
    for (std::size_t i = static_cast<std::size_t>(h) & (slots - 1);; i = (i + 1) & (slots - 1)) {
      if (table[i] == 0) {
        table[i] = r + 1;
        break;
      }
      if (std::equal(c, c + width, at(table[i] - 1))) {
        repeated[r] = true;
        break;
      }
    }
  }
  std::vector<std::size_t> kept;
  for (std::size_t r = 0; r < count; ++r) {
    if (!repeated[r]) kept.push_back(r);
  }
  return kept;
}

}  // namespace bddpp_detail
