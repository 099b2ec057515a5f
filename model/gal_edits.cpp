// Edits of an automaton file: appends to the declaration tables, removals of
// states, transitions, outputs and actions with the renumbering of every
// reference to what follows, replacements, dropping of unused actions and
// emptying of the whole file.
#include <iostream>
#include <vector>

#include "model/gal_norm.h"
#include "model/gal_tables.h"

namespace {

bool in_range(int i, int count) { return i >= 0 && i < count; }

}  // namespace

// Appends a copy of the declaration to its table (repeats allowed).
void gal_tpen_fichier::add_fin_input(const gal_declaration_variables& v) {
  model_table_append(table_inputs, nb_inputs, v);
}

void gal_tpen_fichier::add_fin_local(const gal_declaration_variables& v) {
  model_table_append(table_locals, nb_locals, v);
}

void gal_tpen_fichier::add_fin_output(const gal_declaration_variables& v) {
  model_table_append(table_outputs, nb_outputs, v);
}

void gal_tpen_fichier::add_fin_action(const std::string& a) {
  model_table_append(table_actions, nb_actions, a);
}

void gal_tpen_fichier::add_fin_progs_externes(const gal_declaration_progs& p) {
  model_table_append(table_progs, nb_progs, p);
}

// Appends the type name unless the table already holds it.
void gal_tpen_fichier::add_type(const std::string& t) {
  for (int i = 0; i < nb_types; ++i)
    if (table_types[i] == t) return;
  model_table_append(table_types, nb_types, t);
}

// As above; a null name adds nothing.
void gal_tpen_fichier::add_type(const char* t) {
  if (t != nullptr) add_type(std::string(t));
}

// Returns the index of the first run whose module name is module; without
// one, appends the run (path ".", file and module names both module, no
// variables) and returns its index.
int gal_tpen_fichier::ident_et_add_prog_externe(const std::string& module) {
  for (int i = 0; i < nb_progs; ++i)
    if (table_progs[i].nom_module() == module) return i;
  std::list<gal_declaration_variables> none;
  add_fin_progs_externes(gal_declaration_progs(".", module, module, none, none, none));
  return nb_progs - 1;
}

// Releases the input table; it is then empty.
void gal_tpen_fichier::efface_table_inputs() { model_table_release(table_inputs, nb_inputs); }

// Releases the local table; it is then empty.
void gal_tpen_fichier::efface_table_locals() { model_table_release(table_locals, nb_locals); }

// Removes state s and every transition that leaves or enters it (found by
// scanning the transition table), lowers the state indices above s, and
// rebuilds the lists and components. Reports an out-of-range s on stderr.
void gal_tpen_fichier::sup_etat(int s) {
  if (!in_range(s, nb_etats)) {
    std::cerr << "ERROR in gal_tpen_fichier::sup_etat: out of range" << std::endl;
    return;
  }
  int kept = 0;
  for (int j = 0; j < nb_transitions; ++j) {
    const gal_tpen_transition& t = table_transitions[j];
    if (t.amont == s || t.aval == s) continue;
    if (kept != j) table_transitions[kept] = table_transitions[j];
    ++kept;
  }
  nb_transitions = kept;
  model_table_remove(table_etats, nb_etats, s);
  for (int j = 0; j < nb_transitions; ++j) {
    gal_tpen_transition& t = table_transitions[j];
    if (t.amont > s) t.modif_ident_etat_amont(t.amont - 1);
    if (t.aval > s) t.modif_ident_etat_aval(t.aval - 1);
  }
  raj_pre_post_transitions();
  update_simple_connexite();
}

// Removes transition t and rebuilds the lists and components. Reports an
// out-of-range t on stderr.
void gal_tpen_fichier::sup_transition(int t) {
  if (!in_range(t, nb_transitions)) {
    std::cerr << "ERROR in gal_tpen_fichier::sup_transition: out of range" << std::endl;
    return;
  }
  model_table_remove(table_transitions, nb_transitions, t);
  raj_pre_post_transitions();
  update_simple_connexite();
}

// Removes output o; nothing when o is out of range.
void gal_tpen_fichier::sup_output(int o) { model_table_remove(table_outputs, nb_outputs, o); }

// Removes action a: references to a are dropped from every state and
// transition, and each later reference k becomes k-1. Nothing when a is out
// of range.
void gal_tpen_fichier::sup_action(int a) {
  if (!in_range(a, nb_actions)) return;
  for (int i = 0; i < nb_etats; ++i) table_etats[i].actions.remove(a);
  for (int j = 0; j < nb_transitions; ++j) table_transitions[j].actions.remove(a);
  for (int k = a + 1; k < nb_actions; ++k) {
    for (int i = 0; i < nb_etats; ++i) table_etats[i].replace_action(k, k - 1);
    for (int j = 0; j < nb_transitions; ++j) table_transitions[j].replace_action(k, k - 1);
  }
  model_table_remove(table_actions, nb_actions, a);
}

// Copies r over transition t when both have the same source and target;
// otherwise reports which end differs and changes nothing. Nothing when t is
// out of range.
void gal_tpen_fichier::replace_transition(int t, const gal_tpen_transition& r) {
  if (!in_range(t, nb_transitions)) return;
  if (r.amont != table_transitions[t].amont) {
    std::cerr << "probleme interne dans gal_tpen_fichier::replace_transition() sur l'etat amont"
              << std::endl;
    return;
  }
  if (r.aval != table_transitions[t].aval) {
    std::cerr << "probleme interne dans gal_tpen_fichier::replace_transition() sur l'etat aval"
              << std::endl;
    return;
  }
  table_transitions[t] = r;
}

// Every reference to old_action in every state and transition becomes
// new_action.
void gal_tpen_fichier::replace_action(int old_action, int new_action) {
  for (int i = 0; i < nb_etats; ++i) table_etats[i].replace_action(old_action, new_action);
  for (int j = 0; j < nb_transitions; ++j)
    table_transitions[j].replace_action(old_action, new_action);
}

// Removes every action that no state and no transition refers to, keeping
// the references of the others on the same texts.
void gal_tpen_fichier::internal_raj_actions() {
  if (nb_actions == 0) return;
  std::vector<bool> used(nb_actions, false);
  auto mark = [&](const std::list<int>& refs) {
    for (int a : refs)
      if (in_range(a, nb_actions)) used[a] = true;
  };
  for (int i = 0; i < nb_etats; ++i) mark(table_etats[i].actions);
  for (int j = 0; j < nb_transitions; ++j) mark(table_transitions[j].actions);
  for (int a = nb_actions - 1; a >= 0; --a)
    if (!used[a]) sup_action(a);
}

// Removes every transition and state and releases every declaration table;
// module name, model kind and encapsulation flag stay.
void gal_tpen_fichier::clear() {
  model_table_release(table_transitions, nb_transitions);
  model_table_release(table_etats, nb_etats);
  composantes.clear();
  model_table_release(table_inputs, nb_inputs);
  model_table_release(table_outputs, nb_outputs);
  model_table_release(table_locals, nb_locals);
  model_table_release(table_variables, nb_variables);
  model_table_release(table_sensors, nb_sensors);
  model_table_release(table_progs, nb_progs);
  model_table_release(table_functions, nb_functions);
  model_table_release(table_constants, nb_constants);
  model_table_release(table_types, nb_types);
  model_table_release(table_actions, nb_actions);
}
