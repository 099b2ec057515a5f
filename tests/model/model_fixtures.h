// Small automaton models for the model tests, described by the shared test
// automaton.
#ifndef KORVANE_TESTS_MODEL_FIXTURES_H
#define KORVANE_TESTS_MODEL_FIXTURES_H

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/gal_norm.h"
#include "support/machine.h"
#include "utilities/list_templates.h"

namespace model_test {

// The model of `header`'s name, kind and declarations with `states` states
// s0, s1, ... and the transitions `arcs` in table order, the initial ones
// (source -1) where they stand, built in memory as the reader builds one.
inline std::unique_ptr<gal_tpen_fichier> make_file(ktest::automaton header, int states,
                                                   std::vector<ktest::transition> arcs) {
  header.state_outputs.assign(states, {});
  header.initial = -1;
  header.transitions = std::move(arcs);
  return ktest::to_file(header);
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
