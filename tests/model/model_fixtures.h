// Small hand-built automaton files for the model tests.
#ifndef KORVANE_TESTS_MODEL_FIXTURES_H
#define KORVANE_TESTS_MODEL_FIXTURES_H

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/gal_norm.h"
#include "utilities/list_templates.h"

namespace model_test {

// One transition of a fixture: source, target, receptivity, priority and
// actions.
struct Arc {
  int from;
  int to;
  std::string recep = "1";
  int prio = 0;
  std::list<int> actions = {};
};

// Declarations of a fixture file.
struct Header {
  int kind = 0;
  std::vector<std::string> inputs = {};
  std::vector<std::string> outputs = {};
  std::vector<std::string> actions = {};
};

// A file built as the reader builds one: the full constructor, the state
// and transition tables, then the diameters, components and lists. States
// are named s0, s1, ... and laid out on a line.
inline std::unique_ptr<gal_tpen_fichier> make_file(const Header& h, int nb_states,
                                                   const std::vector<Arc>& arcs) {
  std::string name = "m";
  std::list<std::string> types, actions(h.actions.begin(), h.actions.end());
  std::list<gal_declaration_variables> inputs, sensors, outputs, locals, variables;
  for (const std::string& i : h.inputs) inputs.emplace_back("bool", i);
  for (const std::string& o : h.outputs) outputs.emplace_back("", o);
  std::list<gal_declaration_progs> runs;
  std::list<gal_declaration_functions> functions;
  std::list<gal_declaration_constants> constants;
  auto f = std::make_unique<gal_tpen_fichier>(&name, h.kind, &types, &inputs, &sensors, &outputs,
                                              &locals, &variables, &runs, &functions, &constants,
                                              &actions);
  std::list<gal_tpen_etat> states;
  for (int i = 0; i < nb_states; ++i) {
    std::string n = "s" + std::to_string(i);
    states.emplace_back(1, &n, 10.0 * i, 0.0, gal_run_instance(), nullptr);
  }
  std::list<gal_tpen_transition> transitions;
  for (const Arc& a : arcs)
    transitions.emplace_back(a.from, a.to, 1, 0.0, 0.0, a.prio, a.recep, a.actions);
  f->parse_etats(&states);
  f->parse_transitions(&transitions);
  f->normalise_diametre_etats();
  f->update_simple_connexite();
  f->raj_pre_post_transitions();
  return f;
}

// Prints a value with its stream operator.
template <typename T>
std::string text(const T& value) {
  std::ostringstream os;
  os << value;
  return os.str();
}

// The incoming and outgoing lists of every state, as "pre/post" per state.
inline std::string lists_text(gal_tpen_fichier& f) {
  std::string out;
  for (int i = 0; i < f.nbr_etats(); ++i) {
    const gal_tpen_etat& e = f.ma_table_etats()[i];
    out += text(e.mes_transitions_pre()) + "/" + text(e.mes_transitions_post()) + " ";
  }
  return out;
}

// The transitions as "from>to" in table order.
inline std::string arcs_text(gal_tpen_fichier& f) {
  std::string out;
  for (int j = 0; j < f.nbr_transitions(); ++j) {
    const gal_tpen_transition& t = f.ma_table_transitions()[j];
    out += std::to_string(t.mon_ident_etat_amont()) + ">" +
           std::to_string(t.mon_ident_etat_aval()) + " ";
  }
  return out;
}

}  // namespace model_test

#endif
