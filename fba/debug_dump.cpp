// Debug printers of the boolean machine: the French dump of a whole
// machine, one-line printers of an input and of the two transition kinds,
// and the condition text they share (always the level-1 cover, whatever
// level a run uses).
#include <ostream>
#include <string>

#include "fba/FBA.h"
#include "utilities/list_templates.h"

namespace {

// The word of an input type; nothing for a value outside 0..3.
const char* type_word(FSM_type_input type) {
  switch (static_cast<int>(type)) {
    case 0:
      return "undefined";
    case 1:
      return "pure";
    case 2:
      return "bool";
    case 3:
      return "integer";
    default:
      return "";
  }
}

// Text of a transition's condition: the machine's text, or nothing for a
// transition without machine or an empty handle (a default-built
// transition has neither a manager to print with nor a function).
std::string condition_text(const FBA* automaton, const bdd& f) {
  if (automaton == nullptr || f == bdd()) return "";
  return automaton->my_bddtoa(f);
}

// ", cond: " guard ", cond actions : " then "k--> " action " " per output,
// "]" and an end of line: the common tail of both transition lines.
void put_transition_tail(std::ostream& os, const FBA* automaton, const bdd& guard,
                         const bdd* actions, int count) {
  os << ", cond: " << condition_text(automaton, guard) << ", cond actions : ";
  for (int k = 0; k < count; ++k) os << k << "--> " << condition_text(automaton, actions[k]) << " ";
  os << "]" << std::endl;
}

}  // namespace

std::string FBA::my_bddtoa(bdd f) const {
  return manager->Print_sop_to_String("+ ", ".", "!", "", f, 1);
}

std::ostream& operator<<(std::ostream& os, const FSM_input& input) {
  os << "(" << type_word(input.my_type()) << "," << input.my_name() << ")";
  return os;
}

std::ostream& operator<<(std::ostream& os, const FBA_real_transition& t) {
  os << "[ initial: " << t.source << ", final:" << t.target;
  put_transition_tail(os, t.automaton, t.guard, t.actions, t.actions_count());
  return os;
}

std::ostream& operator<<(std::ostream& os, const FBA_transition& t) {
  os << "[ initial: " << t.source << ", final:" << t.target;
  put_transition_tail(os, t.automaton, t.guard, t.actions, t.actions_count());
  return os;
}

std::ostream& operator<<(std::ostream& os, const FBA& m) {
  const int n = m.nb_state_bits;
  bddpp_manager* manager = m.manager;
  os << "NOM: " << m.module << std::endl;
  os << std::endl;
  os << "nombre d'entrees: " << m.nb_inputs << std::endl;
  os << std::endl;
  os << "table des entrees" << std::endl;
  os << "n  (type,nom)" << std::endl;
  for (int j = 0; j < m.nb_inputs; ++j) os << j << " " << m.inputs[j] << std::endl;
  os << std::endl;
  os << "nombre de variables d'etat: " << n << std::endl;
  os << std::endl;
  os << "table des variables d'etat" << std::endl;
  os << "n  nom" << std::endl;
  for (int i = 0; i < n; ++i) os << i << ": " << m.state_bit_names[i] << std::endl;
  os << std::endl;
  os.flush();
  os << "table des BDDs de base" << std::endl;
  os << "n  nom" << std::endl;
  const long variables = manager->Nb_bdd_vars();
  for (long l = 0; l < variables; ++l)
    os << l << ": " << manager->Name_var_by_index(l) << std::endl;
  os << std::endl;
  os.flush();
  os << "nombre d'actions: " << m.nb_outputs << std::endl;
  os << "n  nom" << std::endl;
  for (int k = 0; k < m.nb_outputs; ++k) os << k << ": " << m.output_names[k] << std::endl;
  os << std::endl;
  os << "etat initial: " << std::endl;
  for (int i = 0; i < n; ++i)
    os << manager->Name_var_by_index(i) << "= " << (m.variable_initialy_true(i) ? "1 " : "0 ")
       << std::endl;
  os << std::endl;
  os << std::endl;
  os.flush();
  os << "table des BDDs de forcage a 0" << std::endl;
  os << "n  expression" << std::endl;
  for (int i = 0; i < n; ++i) {
    os << i << ": " << m.my_bddtoa(m.force_to_0[i]) << std::endl;
    os.flush();
  }
  os << std::endl;
  os << "table des BDDs de forcage a 1" << std::endl;
  os << "n  expression" << std::endl;
  for (int i = 0; i < n; ++i) {
    os << i << ": " << m.my_bddtoa(m.force_to_1[i]) << std::endl;
    os.flush();
  }
  os << std::endl;
  os << "table des BDDs des emissions d'actions" << std::endl;
  os << "n  expression" << std::endl;
  for (int k = 0; k < m.nb_outputs; ++k) {
    os << k << ": " << m.my_bddtoa(m.emissions[k]) << std::endl;
    os.flush();
  }
  return os;
}
