// The set of prime implicants of a function, found without the implicant
// tree: for f with top variable x, cofactors f1 and f0 and their
// conjunction c, the primes of f are those of c, x times each prime of f1
// that is not a prime of c, and NOT x times each prime of f0 that is not a
// prime of c. The sets are kept per function, so a function met again
// below costs nothing. The conjunctions are taken in a packed diagram, so
// the manager makes no node for them. Only the engine's own source files
// include this header.
#ifndef KORVANE_BDD_COVERS_PRIME_SETS_H
#define KORVANE_BDD_COVERS_PRIME_SETS_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers/packed_diagram.h"
#include "bdd/covers/product.h"

namespace bddpp_detail {

class prime_sets {
 public:
  // For the functions of a manager of levels variables whose levels by
  // identifier are level_of_id.
  prime_sets(long levels, const std::vector<long>& level_of_id);

  // The primes of f (the constant 0 has none, the constant 1 the empty
  // product), in no particular order, each once.
  const product_set& of(const bdd& f);
  std::size_t width() const { return words; }
  // The diagram of the conjunctions, and f's copy in it.
  packed_diagram& diagram() { return packed; }
  packed_diagram::edge copy_of(const bdd& f) { return packed.import(f, level_of_id); }

 private:
  const product_set& of(packed_diagram::edge f);

  std::size_t words;
  const std::vector<long>& level_of_id;
  packed_diagram packed;
  std::unordered_map<packed_diagram::edge, std::unique_ptr<product_set>> known;
};

}  // namespace bddpp_detail

#endif
