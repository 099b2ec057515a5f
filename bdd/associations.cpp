// Variable associations: a system of definitions giving variables diagrams as
// values, its expansion, and the fixed-point analysis of a variable defined in
// terms of itself.
//
// The association of a variable is kept in the manager's assoc table (its
// root node, by identifier) together with the complement of its root link, so
// that a definition such as NOT a reads back as NOT a.
#include <cstdlib>
#include <iostream>
#include <ostream>
#include <string>

#include "bdd/bddpp.h"
#include "utilities/fatal.h"

// The association of the variable at the level: an empty handle when the
// level is outside the table or its entry is not set.
bdd bddpp_manager::association_at_level(long level) {
  if (level < 0 || level >= Nb_bdd_vars()) {
    return bdd();
  }
  const long id = id_at_level[level];
  bdd_node* node = assoc[id];
  if (node == nullptr) {
    return bdd();
  }
  return bdd(this, assoc_negated.count(id) != 0 ? -1 : 1, node);
}

// Makes f the association of the variable at the level. The node's count
// gains one for the table's hold, so that Bdd_gc never frees it.
void bddpp_manager::set_association_at_level(long level, bdd f) {
  const long id = id_at_level[level];
  bdd_node* node = f.node();
  ++node->refs;
  assoc[id] = node;
  if (f.link_type() == -1) {
    assoc_negated.insert(id);
  } else {
    assoc_negated.erase(id);
  }
}

// Gives the variable x the definition f, first expressed over the variables
// that have no definition of their own, and rewrites the definitions that use
// x unless f depends on x. A constant x with the same constant f is ignored;
// any other x that is not a variable ends the process with status 1.
void bddpp_manager::Bdd_assoc_bdd_to_var(bdd f, bdd x) {
  if (!Bdd_is_var(x)) {
    if ((Bdd_is_tautology(x, 1) && Bdd_is_tautology(f, 1)) ||
        (Bdd_is_tautology(x, 0) && Bdd_is_tautology(f, 0))) {
      return;
    }
    std::cerr << "error in bddpp_manager::Bdd_assoc_bdd_to_var():" << std::endl;
    std::cerr << "     second parameter is not a var !" << std::endl;
    std::cerr << "replace from: ";
    Print_sop("+", ".", "!", "", std::cerr, x, 1);
    std::cerr << " by expression: ";
    Print_sop("+", ".", "!", "", std::cerr, f, 1);
    std::cerr << std::endl;
    korvane_fatal_exit(1);
  }
  const long i = Bdd_if_index(x);
  bdd m = f;
  for (long j = 0; j < Nb_bdd_vars(); ++j) {
    bdd v = Bdd_var_by_index(j);
    if (!Bdd_depends_on(m, v)) {
      continue;
    }
    bdd r = association_at_level(j);
    if (r.node() != nullptr && !Bdd_depends_on(r, v)) {
      m = Bdd_compose(m, v, r);
    }
  }
  set_association_at_level(i, m);
  if (Bdd_depends_on(m, x)) {
    return;
  }
  for (long j = 0; j < Nb_bdd_vars(); ++j) {
    if (j == i) {
      continue;
    }
    bdd r = association_at_level(j);
    if (r.node() != nullptr && Bdd_depends_on(r, x)) {
      set_association_at_level(j, Bdd_compose(r, x, m));
    }
  }
}

// f expanded through the definitions of its variables (one round: variables
// brought in by a definition are not expanded). *k receives -1 when every
// variable of f is defined, else the level of the last free variable met.
bdd bddpp_manager::Bdd_follow_assoc(bdd f, int* k) {
  *k = -1;
  if (Bdd_is_var(f)) {
    const long i = Bdd_if_index(f);
    bdd r = association_at_level(i);
    if (r.node() == nullptr) {
      *k = static_cast<int>(i);
      return f;
    }
    if (Bdd_depends_on(r, f)) {
      *k = static_cast<int>(i);
    }
    return r;
  }
  bdd result = f;
  for (long id : set_of_id_depend_on(f)) {
    const long level = level_of_id[id];
    bdd v = Bdd_var_by_index(level);
    bdd r = association_at_level(level);
    if (r.node() == nullptr || Bdd_depends_on(r, v)) {
      *k = static_cast<int>(level);
    } else {
      result = Bdd_compose(result, v, r);
    }
  }
  return result;
}

namespace {

// The cover in the notation of the fixed-point report: " + " between
// products, "." between literals, a negated variable followed by a quote.
void fixes_cover(bddpp_manager* m, std::ostream& os, bdd f) {
  m->Print_sop(" + ", ".", "", "'", os, f, 1);
}

}  // namespace

// Writes the expansion of f; when a free variable x remains, whether the
// equation x = f settles (its two stability points) or oscillates, and when.
void bddpp_manager::Print_Fixes_Points(std::ostream& os, bdd f) {
  int k = -1;
  bdd g = Bdd_follow_assoc(f, &k);
  if (k == -1) {
    // Every variable is defined: the line names f (a variable by its name).
    if (Bdd_is_var(f)) {
      os << Name_var_by_index(Bdd_if_index(f));
    } else {
      fixes_cover(this, os, f);
    }
    os << " = ";
    fixes_cover(this, os, g);
    os << std::endl;
    return;
  }
  bdd x = Bdd_var_by_index(k);
  const std::string name = Name_var_by_index(k);
  bdd g0 = Bdd_reduce(g, Bdd_not(x));
  bdd g1 = Bdd_reduce(g, x);
  bdd r = Bdd_and(g0, Bdd_not(g1));
  os << std::endl;
  if (r == Bdd_zero()) {
    os << "  ==> two stability points : " << name << "'= ";
    fixes_cover(this, os, g0);
    os << ", " << name << "''= ";
    fixes_cover(this, os, g1);
  } else {
    os << "  ==> oscillation on " << name << "  for ";
    fixes_cover(this, os, r);
    os << std::endl;
    os << "  ==> stabilisation when " << name << " = ";
    fixes_cover(this, os, Bdd_not(r));
    os << std::endl;
  }
}
