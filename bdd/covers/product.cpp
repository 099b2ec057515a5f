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

std::vector<std::size_t> product_list::equal_groups(std::size_t* groups) const {
  const std::size_t count = size();
  std::size_t slots = 16;
  while (slots < 2 * count) slots *= 2;
  // Each slot holds a product's number plus one (0: empty).
  std::vector<std::size_t> table(slots, 0);
  std::vector<std::size_t> group(count, 0);
  *groups = 0;
  for (std::size_t r = 0; r < count; ++r) {
    const std::uint64_t* c = at(r);
    for (std::size_t i = product_hash(c, words) & (slots - 1);; i = (i + 1) & (slots - 1)) {
      if (table[i] == 0) {
        table[i] = r + 1;
        group[r] = (*groups)++;
        break;
      }
      const std::size_t first = table[i] - 1;
      if (std::equal(c, c + words, at(first))) {
        group[r] = group[first];
        break;
      }
    }
  }
  return group;
}

std::vector<std::size_t> product_list::last_copies() const {
  std::size_t groups = 0;
  const std::vector<std::size_t> group = equal_groups(&groups);
  std::vector<std::size_t> last(groups, 0);
  for (std::size_t r = 0; r < size(); ++r) last[group[r]] = r;
  std::vector<std::size_t> kept;
  for (std::size_t r = 0; r < size(); ++r) {
    if (last[group[r]] == r) kept.push_back(r);
  }
  return kept;
}

}  // namespace bddpp_detail
