// The automaton file in memory: construction from the reader's lists,
// destruction, model kind and module name, and the read accessors of its
// tables with their two-line reports on a bad index.
#include <iostream>

#include "model/gal_norm.h"
#include "model/gal_tables.h"

namespace {

// Writes the two lines of a misused accessor on stderr: the operation's name
// between the opening quote and "()':", then the line naming the index.
void report_misuse(const char* operation, const std::string& detail, char quote = '\'') {
  std::cerr << "PROBLEME DANS L'UTILISATION DE " << quote << operation << "()':" << std::endl;
  std::cerr << detail << std::endl;
}

// "IDENT " i " HORS LIMITE"
std::string hors_limite(int i) { return "IDENT " + std::to_string(i) + " HORS LIMITE"; }

// "IDENT " i " DEMANDE"
std::string demande(int i) { return "IDENT " + std::to_string(i) + " DEMANDE"; }

bool in_range(int i, int count) { return i >= 0 && i < count; }

// Returns the index of the first variable whose name is name, or -1.
int find_by_name(const gal_declaration_variables* table, int count, const std::string& name) {
  for (int i = 0; i < count; ++i)
    if (table[i].nom() == name) return i;
  return -1;
}

}  // namespace

// Every count 0, every table null, model kind -1, not encapsulated.
gal_tpen_fichier::gal_tpen_fichier()
    : nb_etats(0),
      table_etats(nullptr),
      nb_transitions(0),
      table_transitions(nullptr),
      nb_types(0),
      nb_inputs(0),
      nb_outputs(0),
      nb_locals(0),
      nb_variables(0),
      nb_sensors(0),
      nb_progs(0),
      nb_functions(0),
      nb_constants(0),
      nb_actions(0),
      table_types(nullptr),
      table_inputs(nullptr),
      table_outputs(nullptr),
      table_locals(nullptr),
      table_variables(nullptr),
      table_sensors(nullptr),
      table_progs(nullptr),
      table_functions(nullptr),
      table_constants(nullptr),
      table_actions(nullptr),
      modele(-1),
      encapsule(0) {}

// Copies each list into its table (null for an empty list); the state and
// transition tables start empty. The lists stay the caller's.
gal_tpen_fichier::gal_tpen_fichier(
    std::string* name, int model, std::list<std::string>* types,
    std::list<gal_declaration_variables>* inputs, std::list<gal_declaration_variables>* sensors,
    std::list<gal_declaration_variables>* outputs, std::list<gal_declaration_variables>* locals,
    std::list<gal_declaration_variables>* variables, std::list<gal_declaration_progs>* runs,
    std::list<gal_declaration_functions>* functions,
    std::list<gal_declaration_constants>* constants, std::list<std::string>* actions)
    : gal_tpen_fichier() {
  nom_module = *name;
  modele = model;
  model_table_from_list(*types, table_types, nb_types);
  model_table_from_list(*inputs, table_inputs, nb_inputs);
  model_table_from_list(*sensors, table_sensors, nb_sensors);
  model_table_from_list(*outputs, table_outputs, nb_outputs);
  model_table_from_list(*locals, table_locals, nb_locals);
  model_table_from_list(*variables, table_variables, nb_variables);
  model_table_from_list(*runs, table_progs, nb_progs);
  model_table_from_list(*functions, table_functions, nb_functions);
  model_table_from_list(*constants, table_constants, nb_constants);
  model_table_from_list(*actions, table_actions, nb_actions);
}

// Releases the transition and state tables and every declaration table.
gal_tpen_fichier::~gal_tpen_fichier() {
  delete[] table_transitions;
  delete[] table_etats;
  delete[] table_types;
  delete[] table_inputs;
  delete[] table_outputs;
  delete[] table_locals;
  delete[] table_variables;
  delete[] table_sensors;
  delete[] table_progs;
  delete[] table_functions;
  delete[] table_constants;
  delete[] table_actions;
}

// Store (select_modele, def_modele) or return (mon_modele) the model kind.
void gal_tpen_fichier::select_modele(int m) { modele = m; }
int gal_tpen_fichier::mon_modele() { return modele; }
void gal_tpen_fichier::def_modele(int m) { modele = m; }

// Replaces the state table by a copy of the list; returns the new table.
gal_tpen_etat* gal_tpen_fichier::parse_etats(std::list<gal_tpen_etat>* etats) {
  model_table_from_list(*etats, table_etats, nb_etats);
  return table_etats;
}

// Replaces the transition table by a copy of the list; returns the new table.
gal_tpen_transition* gal_tpen_fichier::parse_transitions(
    std::list<gal_tpen_transition>* transitions) {
  model_table_from_list(*transitions, table_transitions, nb_transitions);
  return table_transitions;
}

// Set and read the encapsulation flag.
void gal_tpen_fichier::set_encapsulation() { encapsule = 1; }
int gal_tpen_fichier::encapsulated() const { return encapsule; }

// Read and set the module name.
std::string gal_tpen_fichier::mon_nom_module() const { return nom_module; }
void gal_tpen_fichier::def_nom_module(const std::string& n) { nom_module = n; }

// ----- declaration tables --------------------------------------------------

// Counts and tables (null when empty) are returned as they are, silently.
int gal_tpen_fichier::nbr_types() const { return nb_types; }
std::string* gal_tpen_fichier::ma_table_types() { return table_types; }
int gal_tpen_fichier::nbr_inputs() const { return nb_inputs; }

// Input i's name; "?" after a report when i is out of range.
std::string gal_tpen_fichier::nom_input(int i) const {
  if (in_range(i, nb_inputs)) return table_inputs[i].nom();
  report_misuse("nom_input", "AUCUNE VARIABLE DE CE TYPE");
  return "?";
}

// Input i's type; "?" after a report when i is out of range.
std::string gal_tpen_fichier::type_input(int i) const {
  if (in_range(i, nb_inputs)) return table_inputs[i].typev();
  report_misuse("type_input", hors_limite(i));
  return "?";
}

gal_declaration_variables* gal_tpen_fichier::ma_table_inputs() { return table_inputs; }

// The names of the inputs whose type is exactly the given one.
std::set<std::string> gal_tpen_fichier::ens_entrees(std::string type) const {
  std::set<std::string> names;
  for (int i = 0; i < nb_inputs; ++i)
    if (table_inputs[i].typev() == type) names.insert(table_inputs[i].nom());
  return names;
}

// The number of inputs whose type is exactly "bool".
int gal_tpen_fichier::nbr_inputs_bool() const {
  int n = 0;
  for (int i = 0; i < nb_inputs; ++i)
    if (table_inputs[i].typev() == "bool") ++n;
  return n;
}

int gal_tpen_fichier::nbr_outputs() const { return nb_outputs; }

// Output i's name; "?" after a report when i is out of range.
std::string gal_tpen_fichier::nom_output(int i) const {
  if (in_range(i, nb_outputs)) return table_outputs[i].nom();
  report_misuse("nom_output", hors_limite(i));
  return "?";
}

// Output i's type; "?" after a report when i is out of range.
std::string gal_tpen_fichier::type_output(int i) const {
  if (in_range(i, nb_outputs)) return table_outputs[i].typev();
  report_misuse("type_output", "IDENT HORS LIMITE");
  return "?";
}

gal_declaration_variables* gal_tpen_fichier::ma_table_outputs() const { return table_outputs; }

// Index of the first output named name, or -1.
int gal_tpen_fichier::ident_output(const std::string& name) const {
  return find_by_name(table_outputs, nb_outputs, name);
}

// Index of the first output named name, or -1 (also for a null name).
int gal_tpen_fichier::ident_output(const char* name) const {
  return name == nullptr ? -1 : ident_output(std::string(name));
}

int gal_tpen_fichier::nbr_locals() const { return nb_locals; }

// Local i's name; "?" after a report when i is out of range.
std::string gal_tpen_fichier::nom_local(int i) const {
  if (in_range(i, nb_locals)) return table_locals[i].nom();
  report_misuse("nom_local", hors_limite(i));
  return "?";
}

// Local i's type; "?" after a report when i is out of range.
std::string gal_tpen_fichier::type_local(int i) const {
  if (in_range(i, nb_locals)) return table_locals[i].typev();
  report_misuse("type_local", "IDENT HORS LIMITE");
  return "?";
}

gal_declaration_variables* gal_tpen_fichier::ma_table_locals() const { return table_locals; }

// Index of the first local named name, or -1.
int gal_tpen_fichier::ident_local(const std::string& name) const {
  return find_by_name(table_locals, nb_locals, name);
}

// Index of the first local named name, or -1 (also for a null name).
int gal_tpen_fichier::ident_local(const char* name) const {
  return name == nullptr ? -1 : ident_local(std::string(name));
}

int gal_tpen_fichier::nbr_progs_externes() const { return nb_progs; }

// Run i's module name; "?" after a report when i is out of range.
std::string gal_tpen_fichier::nom_module_prog_externe(int i) const {
  if (in_range(i, nb_progs)) return table_progs[i].nom_module();
  report_misuse("nom_module_prog_externe", hors_limite(i));
  return "?";
}

// Run i's file name; "?" after a report when i is out of range.
std::string gal_tpen_fichier::nom_fichier_prog_externe(int i) const {
  if (in_range(i, nb_progs)) return table_progs[i].nom_fichier();
  report_misuse("nom_fichier_prog_externe", hors_limite(i));
  return "?";
}

// Run i's path; "?" after a report when i is out of range.
std::string gal_tpen_fichier::chemin_prog_externe(int i) const {
  if (in_range(i, nb_progs)) return table_progs[i].chemin();
  report_misuse("chemin_prog_externe", hors_limite(i));
  return "?";
}

gal_declaration_progs* gal_tpen_fichier::ma_table_progs_externes() const { return table_progs; }

int gal_tpen_fichier::nbr_actions() const { return nb_actions; }

// Action i's text; "?" after a report when i is out of range.
std::string gal_tpen_fichier::action(int i) const {
  if (in_range(i, nb_actions)) return table_actions[i];
  report_misuse("action", hors_limite(i));
  return "?";
}

// Index of the first action whose text is text, or -1.
int gal_tpen_fichier::ident_action(const std::string& text) const {
  for (int i = 0; i < nb_actions; ++i)
    if (table_actions[i] == text) return i;
  return -1;
}

std::string* gal_tpen_fichier::ma_table_actions() const { return table_actions; }

// ----- states and transitions ----------------------------------------------

// The state count and table.
int gal_tpen_fichier::nbr_etats() const { return nb_etats; }
gal_tpen_etat* gal_tpen_fichier::ma_table_etats() { return table_etats; }

// State i's display name; "" after a report when i is out of range.
std::string gal_tpen_fichier::nom_etat(int i) const {
  if (in_range(i, nb_etats)) return table_etats[i].mon_nom();
  report_misuse("nom_etat", demande(i));
  return "";
}

// Index of the first state whose display name is name, or -1.
int gal_tpen_fichier::ident_etat(const std::string& name) const {
  for (int i = 0; i < nb_etats; ++i)
    if (table_etats[i].mon_nom() == name) return i;
  return -1;
}

// Number of action indices of state i; 0 after a report when i is out of
// range (this report opens the name with a backtick).
int gal_tpen_fichier::nbr_actions(int i) const {
  if (in_range(i, nb_etats)) return static_cast<int>(table_etats[i].actions.size());
  report_misuse("nbr_actions", "IDENT ETAT " + std::to_string(i) + " DEMANDE", '`');
  return 0;
}

// The transition count and table.
int gal_tpen_fichier::nbr_transitions() const { return nb_transitions; }
gal_tpen_transition* gal_tpen_fichier::ma_table_transitions() { return table_transitions; }

// Transition i's receptivity; "" after a report when i is out of range.
std::string gal_tpen_fichier::receptivite_transition(int i) const {
  if (in_range(i, nb_transitions)) return table_transitions[i].ma_receptivite();
  report_misuse("receptivite_transition", demande(i));
  return "";
}
