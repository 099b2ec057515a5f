// The set of prime implicants of a function, found without the implicant
// tree: for f with top variable x, cofactors f1 and f0 and their
// conjunction c, the primes of f are those of c, x times each prime of f1
// that is not a prime of c, and NOT x times each prime of f0 that is not a
// prime of c. The sets are kept per function, so a function met again
// below costs nothing. The conjunctions are taken in a scratch diagram, so
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
#include "bdd/covers/product.h"
#include "bdd/covers/scratch_diagram.h"

namespace bddpp_detail {

class prime_sets {
 public:
  explicit prime_sets(const bddpp_manager* m)
      : words(product_words(m->Nb_bdd_vars())), scratch(m->Nb_bdd_vars()) {}

  // The primes of f (the constant 0 has none, the constant 1 the empty
  // product), in no particular order, each once.
  const product_set& of(const bdd& f);
  std::size_t width() const { return words; }
  // The scratch diagram of the conjunctions, and f's copy in it.
  scratch_diagram& diagram() { return scratch; }
  scratch_diagram::edge copy_of(const bdd& f) { return copy(make_edge(f.node(), f.link_type())); }

 private:
  const product_set& of(scratch_diagram::edge f);
  scratch_diagram::edge copy(edge e);

  std::size_t words;
  scratch_diagram scratch;
  std::unordered_map<const bdd_node*, scratch_diagram::edge> copied;
  std::unordered_map<scratch_diagram::edge, std::unique_ptr<product_set>> known;
};

}  // namespace bddpp_detail

#endif
