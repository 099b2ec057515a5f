// Lustre writer: the machine as one node (inputs and outputs as
// parameters, registers built with "pre", equations). Equations whose
// cover prints as a bare 0 or 1 are written false and true, Lustre's
// boolean constants.
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"

namespace {

// The keywords of Lustre (version 6, which keeps those of version 4).
const std::set<std::string> lustre_reserved = word_set(
    "and assert body bool const current div else end enum extern false fby function if "
    "include int is let merge mod model needs node nor not of operator or package pre "
    "provides real returns step struct tel then true type unsafe uses var when with xor");

// Lustre identifiers: a letter, then letters, digits and underscores.
const identifier_rules lustre_rules{"Lustre", false, letter_word_fault, &lustre_reserved};

// The Lustre text of f: the sum of products, "false" for "0", "true" for
// "1".
std::string lustre_equation(bddpp_manager* m, bdd f, int level) {
  const std::string text = m->Print_sop_to_String(" or ", " and ", "not ", "", f, level);
  if (text == "0") return "false";
  if (text == "1") return "true";
  return text;
}

}  // namespace

// The inputs, the outputs, the registers and their next-state variables are
// the variables of one node, named as they stand.
std::string FBA::LUSTRE_name_refusal() const {
  name_check check(lustre_rules, "Lustre");
  check_bare_names(check, *this, "the node ");
  return check.refusal();
}

void FBA::LUSTRE_put(std::ostream& os, int level) const {
  const int n = nb_state_bits;
  std::vector<std::string> names;
  for (int j = 0; j < nb_inputs; ++j) names.push_back(input_name(j));
  put_line(os, "node " + module +
                   (nb_inputs >= 1 ? "(" + join_with(names, ", ") + ": bool)" : std::string("()")));
  if (nb_outputs >= 1) {
    std::vector<std::string> outs(output_names, output_names + nb_outputs);
    put_line(os, "     returns (" + join_with(outs, ", ") + ": bool);");
  } else {
    put_line(os, "");
  }
  put_line(os, "");
  if (n >= 1) {
    std::vector<std::string> vars;
    for (int i = 0; i < n; ++i) vars.push_back(register_name(i));
    for (int i = 0; i < n; ++i) vars.push_back(next_state_name(i));
    put_line(os, "var " + join_with(vars, ", ") + " :bool;");
    put_line(os, "");
  }
  put_line(os, "let");
  for (int i = 0; i < n; ++i)
    put_line(os, "  " + register_name(i) + "= " + (initial_value(i) == 1 ? "true" : "false") +
                     "-> pre(" + next_state_name(i) + ");");
  put_line(os, "");
  for (int i = 0; i < n; ++i)
    put_line(os, "  " + next_state_name(i) + "= " +
                     lustre_equation(manager, next_state_function(i, level), level) + ";");
  put_line(os, "");
  for (int k = 0; k < nb_outputs; ++k)
    put_line(os,
             "  " + output_names[k] + "= " + lustre_equation(manager, emissions[k], level) + ";");
  put_line(os, "");
  put_line(os, "tel");
  put_line(os, "");
}
