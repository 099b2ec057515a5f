// One implicant of a function by a greedy descent.
#include "bdd/bddpp.h"

// ---- One implicant -----------------------------------------------------------------------------

bdd bddpp_manager::Bdd_one_implicant(bdd f) {
  check_manager(f, "Bdd_one_implicant");
  if (Bdd_is_zero_tautologic(f)) {
    return Bdd_zero();
  }
  if (Bdd_is_one_tautologic(f)) {
    return Bdd_one();
  }
  if (Bdd_is_var(f) || Bdd_is_negvar(f)) {
    return f;
  }
  bdd x = Bdd_if(f);
  bdd t = Bdd_then(f);
  bdd e = Bdd_else(f);
  if (Bdd_is_one_tautologic(t)) {
    return x;
  }
  if (Bdd_is_zero_tautologic(t)) {
    bdd i = Bdd_one_implicant(e);
    return Bdd_and(Bdd_not(x), i);
  }
  if (Bdd_is_one_tautologic(e)) {
    return Bdd_not(x);
  }
  if (Bdd_is_zero_tautologic(e)) {
    bdd i = Bdd_one_implicant(t);
    return Bdd_and(x, i);
  }
  if (e.node()->support().size() < t.node()->support().size()) {
    bdd i = Bdd_one_implicant(e);
    return Bdd_and(Bdd_not(x), i);
  }
  bdd i = Bdd_one_implicant(t);
  return Bdd_and(x, i);
}
