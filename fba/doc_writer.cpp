// French plain-text documentation of the boolean machine: module name,
// inputs, outputs, state variables, one D flip-flop per state bit with its
// initial value, each next-state equation with the forcing conditions it
// was built from, and each output equation. Words are written unaccented.
#include <ostream>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"

namespace {

// The state of one documentation write: the machine, the stream and the
// level.
class doc_dumper {
 public:
  doc_dumper(const FBA& machine, std::ostream& os, int level)
      : fba(machine), manager(machine.get_manager()), os(os), level(level) {}

  // Writes the whole description.
  void dump() {
    const int inputs = fba.get_inputs_number();
    const int outputs = fba.get_actions_number();
    const int bits = fba.get_state_variables_number();

    put_line(os, "nom de l'automate: \"" + fba.module_name() + "\"");
    put_line(os, "");

    std::vector<std::string> names;
    for (int j = 0; j < inputs; ++j) names.push_back(fba.input_name(j));
    put_line(
        os, inputs > 0 ? "Entree(s) booleenne(s): " + join_with(names, ", ") : "Aucune Entree ...");
    put_line(os, "");

    names.clear();
    for (int k = 0; k < outputs; ++k) names.push_back(fba.output_name(k));
    put_line(os, outputs > 0 ? "Sortie(s) booleenne(s): " + join_with(names, ", ")
                             : "Aucune Sortie ...");
    put_line(os, "");

    if (bits > 0) {
      names.clear();
      for (int i = 0; i < bits; ++i) names.push_back(fba.register_name(i));
      std::string locals = "Variable(s) locale(s): " + join_with(names, ", ");
      for (int i = 0; i < bits; ++i) locals += ", " + fba.next_state_name(i);
      put_line(os, locals);
      put_line(os, "");
    }

    put_line(os, "Bascule(s) D: ");
    for (int i = 0; i < bits; ++i)
      put_line(os, "  " + fba.register_name(i) +
                       ": valeur initiale :" + (fba.initial_value(i) ? "1" : "0") +
                       ", nouvelle valeur sur front: " + fba.next_state_name(i));
    put_line(os, "");

    put_line(os, "Equation(s) d'etat futur associee(s):");
    for (int i = 0; i < bits; ++i) {
      equation_line("  " + fba.next_state_name(i) + "= ", fba.next_state_function(i, level));
      put_line(os, "   construit a partir de:");
      equation_line("      " + fba.next_state_name(i) + "0= ", fba.forcing_to_0(i));
      equation_line("      " + fba.next_state_name(i) + "1= ", fba.forcing_to_1(i));
    }
    put_line(os, "");

    put_line(os, "Emission de(s) sortie(s):");
    for (int k = 0; k < outputs; ++k)
      equation_line(" " + fba.output_name(k) + "= ", fba.emission(k));
    put_line(os, "");
    put_line(os, "fin de la documentation ...");
    put_line(os, "");
  }

 private:
  const FBA& fba;
  bddpp_manager* manager;
  std::ostream& os;
  int level;

  // Writes `head`, then the sum of products of f, then the end of line.
  void equation_line(const std::string& head, bdd f) {
    os << head;
    manager->Print_sop(" or ", " and ", "not ", "", os, f, level);
    put_line(os, "");
  }
};

}  // namespace

void FBA::DOC_put(std::ostream& os, int level) const { doc_dumper(*this, os, level).dump(); }

namespace {

// A name is one run of printable characters: a blank would make two.
std::string doc_fault(const std::string& name) { return token_fault(name, ""); }

const identifier_rules doc_rules{"the documentation", false, doc_fault, nullptr};

}  // namespace

// The inputs, the outputs, the registers and the next-state variables are
// listed and used in the equations as they stand: no two may be written
// the same.
std::string FBA::DOC_name_refusal() const {
  name_check check(doc_rules, "the documentation");
  check_bare_names(check, *this, "the automaton ");
  return check.refusal();
}
