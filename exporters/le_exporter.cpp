// The Light Esterel exporter: the model as a module whose automaton lists
// its states and transitions with their drawing geometry; a model of two or
// more weakly connected components becomes a main module that runs one
// sub-module per component in parallel.
#include <fstream>
#include <iostream>
#include <set>

#include "exporters/exporters_internal.h"
#include "exporters/exporters.h"
#include "utilities/Stringpp.h"
#include "utilities/list_templates.h"

using exporters_internal::action_texts;
using exporters_internal::run_at;
using exporters_internal::show_exporter_warning;
using exporters_internal::state_name;

namespace {

const char kNoInitialOne[] =
    "WARNING: No initial transition found!\n\nle code generation will be incomplete ...";
const char kNoInitialSeveral[] =
    "WARNING: No initial transition found about one of automata at least!\n\n"
    "le code generation will be incomplete ...";

// Writes the variables one per line, each but the last followed by ",",
// then the line ";".
void put_variable_lines(std::ostream& os, const gal_declaration_variables* table, int count) {
  for (int i = 0; i < count; ++i) {
    table[i].put_le(os);
    if (i + 1 < count) os << ",";
    os << std::endl;
  }
  os << ";" << std::endl;
}

// The "Run:" section: every run, each but the last followed by ";", then
// the line ";".
void put_runs(std::ostream& os, const gal_tpen_fichier& model) {
  if (model.nb_progs == 0) return;
  os << "Run:" << std::endl;
  for (int i = 0; i < model.nb_progs; ++i) {
    model.table_progs[i].put_le(os);
    if (i + 1 < model.nb_progs) os << ";";
    os << std::endl;
  }
  os << ";" << std::endl;
}

// Writes a set's members one per line, each but the last followed by ","
// and the last by ";", then an empty line.
void put_variable_set(std::ostream& os, const char* keyword,
                      const std::set<gal_declaration_variables>& members) {
  if (members.empty()) return;
  os << keyword << std::endl;
  std::size_t left = members.size();
  for (const gal_declaration_variables& v : members) {
    v.put_le(os);
    os << (--left == 0 ? ";" : ",") << std::endl;
  }
  os << std::endl;
}

// Adds to `into` every variable of the table whose name occurs in `text`.
void add_named(std::set<gal_declaration_variables>& into, const gal_declaration_variables* table,
               int count, const std::string& text) {
  for (int i = 0; i < count; ++i)
    if (contains_token(text, table[i].nom())) into.insert(table[i]);
}

// The action's text, or nothing when the index names no action (the state
// and transition texts report such an index).
std::string known_action(const gal_tpen_fichier& model, int a) {
  return a >= 0 && a < model.nb_actions ? model.table_actions[a] : std::string();
}

// True when the transition leaves or enters a state of the component.
bool touches(const gal_tpen_transition& t, const std::list<int>& component) {
  return item_in(component, t.amont) || item_in(component, t.aval);
}

// The interface a component uses: its input set and output set.
void collect_sets(const gal_tpen_fichier& m, const std::list<int>& component,
                  std::set<gal_declaration_variables>& inputs,
                  std::set<gal_declaration_variables>& outputs) {
  for (int i = 0; i < m.nb_transitions; ++i) {
    const gal_tpen_transition& t = m.table_transitions[i];
    if (!touches(t, component)) continue;
    add_named(inputs, m.table_locals, m.nb_locals, t.receptivite);
    add_named(inputs, m.table_inputs, m.nb_inputs, t.receptivite);
    for (int a : t.actions) {
      const std::string text = known_action(m, a);
      add_named(outputs, m.table_locals, m.nb_locals, text);
      add_named(outputs, m.table_outputs, m.nb_outputs, text);
    }
  }
  for (int s : component) {
    if (!exporters_internal::state_exists(m, s)) continue;
    const gal_tpen_etat& e = m.table_etats[s];
    for (int a : e.actions) {
      const std::string text = known_action(m, a);
      add_named(outputs, m.table_locals, m.nb_locals, text);
      add_named(outputs, m.table_outputs, m.nb_outputs, text);
    }
    if (const gal_declaration_progs* run = run_at(m, e.run.ident())) {
      for (const gal_declaration_variables& v : run->my_inputs_list()) inputs.insert(v);
      for (const gal_declaration_variables& v : run->my_outputs_list()) outputs.insert(v);
    }
  }
}

}  // namespace

void gal_tpen_etat::put_le(std::ostream& os, const gal_tpen_fichier& model) const {
  os << "state: " << un_nom();
  if (type == 2) os << " final";
  if (run.ident() != -1) {
    os << " run " << model.nom_module_prog_externe(run.ident());
    if (!run.renomage().empty()) os << "[" << run.renomage() << "]";
  }
  if (!actions.empty()) os << " / " << action_texts(model, actions, ",");
  os << " geometry: <" << le_position_text(posx, os.precision()) << ","
     << le_position_text(posy, os.precision()) << "> 1.0;";
}

void gal_tpen_transition::put_le(std::ostream& os, const gal_tpen_fichier& model) const {
  if (amont < 0) os << "initial-> ";
  if (aval < 0) os << "final-> ";
  if (amont >= 0) os << state_name(model, amont) << " ";
  if (priorite == -1) {
    os << "other ";
  } else if (priorite != 0) {
    os << priorite << " ";
  }
  if (data_LE_expression(receptivite)) {
    os << " [value:" << receptivite << "] ";
  } else {
    os << " [" << receptivite << "] ";
  }
  if (!actions.empty()) os << "/ " << action_texts(model, actions, ",");
  if (aval >= 0) {
    os << " ";
    switch (type) {
      case 0:
        os << "weak-> ";
        break;
      case 1:
        os << "strong-> ";
        break;
      case 2:
        std::cerr << "Warning in  gal_tpen_transition::put_le(): a suspend transition is not "
                     "exportable in le format ..."
                  << std::endl;
        os << "-> ";
        break;
      case 3:
        os << "normalterm-> ";
        break;
      default:
        std::cerr << "Warning in  gal_tpen_transition::put_le(): found abnormal transition ..."
                  << std::endl;
        os << "->";
        break;
    }
    os << state_name(model, aval);
  }
  os << " geometry: <" << posx << "," << posy << ">;";
}

void gal_tpen_fichier::put_le(const std::string& file, const std::string& module) {
  std::ofstream os(file, std::ios::out | std::ios::trunc);
  if (nb_types > 0 || nb_functions > 0 || nb_constants > 0) {
    os << "data:" << std::endl;
    if (nb_types > 0) {
      os << "Type: ";
      for (int i = 0; i < nb_types; ++i) os << (i > 0 ? ", " : "") << table_types[i];
      os << ";" << std::endl;
    }
    if (nb_functions > 0) {
      os << "Method:" << std::endl;
      for (int i = 0; i < nb_functions; ++i)
        os << "  " << table_functions[i] << (i + 1 < nb_functions ? ", " : ";") << std::endl;
    }
    if (nb_constants > 0) {
      os << "Constant:" << std::endl;
      for (int i = 0; i < nb_constants; ++i) {
        os << "  ";
        table_constants[i].put_le(os);
        os << ";" << std::endl;
      }
    }
    os << "end data" << std::endl;
    os << std::endl;
  }
  os << "module " << module << " : " << std::endl;
  if (nb_inputs > 0) {
    os << "Input:" << std::endl;
    put_variable_lines(os, table_inputs, nb_inputs);
  }
  if (nb_outputs > 0) {
    os << "Output:" << std::endl;
    put_variable_lines(os, table_outputs, nb_outputs);
  }
  put_runs(os, *this);
  if (nb_locals > 0) {
    os << "local " << std::endl;
    for (int i = 0; i < nb_locals; ++i) {
      table_locals[i].put_le(os);
      if (i + 1 < nb_locals) os << ",";
      os << std::endl;
    }
    os << "{" << std::endl;
  }

  const int components = static_cast<int>(composantes.size());
  if (components < 2) {
    os << "automaton" << std::endl;
    for (int s = 0; s < nb_etats; ++s) {
      table_etats[s].put_le(os, *this);
      os << " " << std::endl;
    }
    os << std::endl;
    os << "transition:" << std::endl;
    bool initial = false;
    for (int i = 0; i < nb_transitions; ++i) {
      table_transitions[i].put_le(os, *this);
      os << " " << std::endl;
      if (table_transitions[i].est_initiale()) initial = true;
    }
    if (!initial) show_exporter_warning(kNoInitialOne);
    if (nb_locals > 0) os << "}" << std::endl;
    os << "end" << std::endl;
    os << std::endl;
    os.close();
    return;
  }

  for (int j = 0; j < components; ++j) {
    if (j > 0) os << "||" << std::endl;
    os << "run " << module << "_run" << j << std::endl;
  }
  if (nb_locals > 0) os << "}" << std::endl;
  os << "end" << std::endl;
  os << std::endl;

  int j = 0;
  for (const std::list<int>& component : composantes) {
    os << "module " << module << "_run" << j << " : " << std::endl;
    std::set<gal_declaration_variables> inputs;
    std::set<gal_declaration_variables> outputs;
    collect_sets(*this, component, inputs, outputs);
    put_variable_set(os, "Input:", inputs);
    put_variable_set(os, "Output:", outputs);
    put_runs(os, *this);
    os << "automaton" << std::endl;
    for (int s : component) {
      if (const gal_tpen_etat* e = exporters_internal::checked_state(*this, s))
        e->put_le(os, *this);
      os << " " << std::endl;
    }
    os << std::endl;
    os << "transition:" << std::endl;
    bool initial = false;
    for (int i = 0; i < nb_transitions; ++i) {
      const gal_tpen_transition& t = table_transitions[i];
      if (!touches(t, component)) continue;
      t.put_le(os, *this);
      os << " " << std::endl;
      if (t.est_initiale()) initial = true;
    }
    os << "end" << std::endl;
    os << std::endl;
    if (!initial) show_exporter_warning(kNoInitialSeveral);
    ++j;
  }
  os.close();
}
