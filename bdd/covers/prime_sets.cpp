// The prime implicants of a function as a set, by recursion on its top
// variable (see prime_sets.h).
#include "bdd/covers/prime_sets.h"

namespace bddpp_detail {

prime_sets::prime_sets(long levels, const std::vector<long>& level_of_id)
    : words(product_words(levels)), level_of_id(level_of_id), packed(levels) {
  packed.index_nodes();
}

const product_set& prime_sets::of(const bdd& f) { return of(copy_of(f)); }

const product_set& prime_sets::of(packed_diagram::edge f) {
  const auto found = known.find(f);
  if (found != known.end()) {
    return *found->second;
  }
  auto made = std::make_unique<product_set>(words);
  if (f == packed_diagram::one) {
    const std::vector<std::uint64_t> empty(words, 0);
    made->add(empty.data());
  } else if (f != packed_diagram::zero) {
    const long level = packed.level_of(f);
    const packed_diagram::edge t = packed.then_of(f);
    const packed_diagram::edge e = packed.else_of(f);
    const product_set& both = of(packed.conjunction(t, e));
    const product_set& with_x = of(t);
    const product_set& with_not_x = of(e);
    for (std::size_t i = 0; i < both.size(); ++i) made->add(both.at(i));
    std::vector<std::uint64_t> c(words);
    for (int side = 0; side < 2; ++side) {
      const product_set& from = side == 0 ? with_x : with_not_x;
      const std::size_t word = word_of(level);
      const std::uint64_t bit = side == 0 ? positive_bit(level) : negative_bit(level);
      for (std::size_t i = 0; i < from.size(); ++i) {
        if (both.contains(from.at(i))) continue;
        std::copy(from.at(i), from.at(i) + words, c.begin());
        c[word] |= bit;
        made->add(c.data());
      }
    }
  }
  return *known.emplace(f, std::move(made)).first->second;
}

}  // namespace bddpp_detail
