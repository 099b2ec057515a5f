// The prime implicants of a function as a set, by recursion on its top
// variable (see prime_sets.h).
#include "bdd/prime_sets.h"

namespace bddpp_detail {

const cube_bits::product_set& prime_sets::of(const bdd& f) {
  const edge key = make_edge(f.node(), f.link_type());
  const auto found = known.find(key);
  if (found != known.end()) {
    return *found->second;
  }
  auto made = std::make_unique<cube_bits::product_set>(words);
  if (manager->Bdd_is_one_tautologic(f)) {
    const std::vector<std::uint64_t> empty(2 * words, 0);
    made->add(empty.data());
  } else if (!manager->Bdd_is_zero_tautologic(f)) {
    const long level = f.node()->var_index();
    const bdd t = manager->Bdd_then(f);
    const bdd e = manager->Bdd_else(f);
    const cube_bits::product_set& both = of(manager->Bdd_and(t, e));
    const cube_bits::product_set& with_x = of(t);
    const cube_bits::product_set& with_not_x = of(e);
    for (std::size_t i = 0; i < both.size(); ++i) made->add(both.at(i));
    std::vector<std::uint64_t> c(2 * words);
    for (int side = 0; side < 2; ++side) {
      const cube_bits::product_set& from = side == 0 ? with_x : with_not_x;
      const std::size_t word = (side == 0 ? 0 : words) + cube_bits::word_of(level);
      for (std::size_t i = 0; i < from.size(); ++i) {
        if (both.contains(from.at(i))) continue;
        std::copy(from.at(i), from.at(i) + 2 * words, c.begin());
        c[word] |= cube_bits::bit_of(level);
        made->add(c.data());
      }
    }
  }
  held.push_back(f);
  return *known.emplace(key, std::move(made)).first->second;
}

}  // namespace bddpp_detail
