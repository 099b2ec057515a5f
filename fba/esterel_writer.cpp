// Esterel writer: every state bit becomes a pair of local signals linked
// by an instance of the module my_pre (not written here); the loop body,
// repeated every tick, emits the next-state signal under the forcing-to-1
// condition inside an abort on the forcing-to-0 condition, and emits each
// output under its emission condition. A machine without state bits gets
// no signal declaration and no leading "||".
#include <iostream>
#include <set>
#include <string>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"

namespace {

// The reserved words of Esterel (version 5).
const std::set<std::string> esterel_reserved = word_set(
    "abort and await call case combine constant copymodule do each else elsif emit end "
    "every exec exit false function halt handle if immediate in input inputoutput loop "
    "module not nothing or output pause positive pre present procedure relation repeat "
    "return run sensor signal suspend sustain task then timeout times trap true type "
    "upto var watching weak when with");

// Esterel identifiers: a letter, then letters, digits and underscores.
const identifier_rules esterel_rules{"Esterel", false, letter_word_fault, &esterel_reserved};

// The module that every state bit runs, which the user provides.
const char* const pre_module = "my_pre";

}  // namespace

std::string local_FSM_bddtoexpesterel(bddpp_manager* manager, bdd f, int level) {
  if (manager->Bdd_is_tautology(f, 0)) return "not tick";
  if (manager->Bdd_is_tautology(f, 1)) return "tick";
  return manager->Print_sop_to_String(" or ", " and ", "not ", "", f, level);
}

// The inputs, the outputs, the registers and their next-state signals are
// the signals of one module, named as they stand; tick is the signal that
// Esterel declares itself. The module may not be the one it runs.
std::string FBA::ESTEREL_name_refusal() const {
  name_check check(esterel_rules, "Esterel");
  check.generated("tick", "the signal tick that Esterel declares itself");
  check.generated(pre_module,
                  std::string("the module ") + pre_module + " that holds each register");
  if (module == pre_module) {
    check.refuse(
        "the automaton name", module,
        std::string("it is the name of the module ") + pre_module + " that holds each register");
  }
  check_bare_names(check, *this, "the module ");
  return check.refusal();
}

void FBA::ESTEREL_put(std::ostream& os, int level) const {
  const int n = nb_state_bits;
  put_line(os, "module " + module + ":");

  // Declarations: one name per line after the first, continued by ", ".
  if (nb_inputs >= 1) {
    os << "input " << input_name(0);
    for (int j = 1; j < nb_inputs; ++j) os << ", " << std::endl << "       " << input_name(j);
    put_line(os, ";");
  } else {
    put_line(os, "");
  }
  put_line(os, "");
  if (nb_outputs >= 1) {
    os << "output " << output_names[0];
    for (int k = 1; k < nb_outputs; ++k) os << ", " << std::endl << "        " << output_names[k];
    put_line(os, ";");
  } else {
    put_line(os, "");
  }
  put_line(os, "");
  if (n >= 1) {
    os << "signal " << register_name(0);
    for (int i = 1; i < n; ++i) os << ", " << std::endl << "       " << register_name(i);
    for (int i = 0; i < n; ++i) os << ", " << std::endl << "       " << next_state_name(i);
    put_line(os, " in");
    put_line(os, "");
  }

  for (int i = 0; i < n; ++i) {
    put_line(os, "  [");
    if (initial_value(i) == 1) put_line(os, "    emit " + register_name(i) + ";");
    put_line(os, "    run my_pre [signal " + next_state_name(i) + " / S, " + register_name(i) +
                     " / preS]");
    put_line(os, "  ]");
    put_line(os, "  ||");
  }
  put_line(os, "");

  put_line(os, "  loop");
  put_line(os, "    [");
  for (int i = 0; i < n; ++i) {
    if (i > 0) put_line(os, "    ||");
    put_line(os, "    abort");
    put_line(os, "    [");
    put_line(os, "      present [ " + local_FSM_bddtoexpesterel(manager, force_to_1[i], level) +
                     " ] then ");
    put_line(os, "        emit " + next_state_name(i));
    put_line(os, "      end present");
    put_line(os, "    ] when [ " + local_FSM_bddtoexpesterel(manager, force_to_0[i], level) + " ]");
  }
  put_line(os, "");
  bool first_branch = n == 0;
  for (int k = 0; k < nb_outputs; ++k) {
    if (manager->Bdd_is_tautology(emissions[k], 0)) continue;
    if (!first_branch) put_line(os, "    ||");
    first_branch = false;
    put_line(os, "    present [ " + local_FSM_bddtoexpesterel(manager, emissions[k], level) +
                     " ] then ");
    put_line(os, "      emit " + output_names[k]);
    put_line(os, "    end present");
  }
  put_line(os, "    ]");
  put_line(os, "  each tick");
  put_line(os, "");
  if (n >= 1) put_line(os, "end signal");
  put_line(os, "end module");
  put_line(os, "");
}
