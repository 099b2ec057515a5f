// Helpers shared by the writers of the boolean machine: names of the
// state-bit variables, initial values, the next-state function most
// writers print, lists joined by a separator, and the BLIF cover block.
#include "fba/writer_common.h"

#include <cstdlib>
#include <iostream>

#include "fba/FBA.h"
#include "utilities/fatal.h"

std::string FBA::state_bit_name(int i) const { return state_bit_names[i]; }

std::string FBA::register_name(int i) const { return "X" + state_bit_names[i]; }

std::string FBA::next_state_name(int i) const { return "X" + state_bit_names[i] + "next"; }

int FBA::initial_value(int i) const {
  bdd f = manager->Bdd_and(manager->Bdd_var_by_index(i), initial_state);
  return manager->Bdd_is_tautology(f, 0) ? 0 : 1;
}

bdd FBA::next_state_function(int i, int level) const {
  return manager->Bdd_simplify3(force_to_1[i], force_to_0[i], level);
}

std::string FBA::input_name(int j) const { return inputs[j].my_name(); }

std::string FBA::output_name(int k) const { return output_names[k]; }

std::string join_with(const std::vector<std::string>& items, const std::string& separator) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += separator;
    text += items[i];
  }
  return text;
}

void put_line(std::ostream& os, const std::string& text) { os << text << std::endl; }

cover_scratch::cover_scratch(bddpp_manager* manager_)
    : manager(manager_),
      variables(manager_->Nb_bdd_vars()),
      mask(new int[variables > 0 ? variables : 1]),
      codes(new int[variables > 0 ? variables : 1]),
      products() {}

cover_scratch::~cover_scratch() {
  delete[] mask;
  delete[] codes;
}

void put_blif_cover(std::ostream& os, cover_scratch& scratch, bdd f, const std::string& target,
                    int level) {
  put_blif_cover(os, scratch, f, target, level, "FBA::BLIF_put");
}

void put_blif_cover(std::ostream& os, cover_scratch& scratch, bdd f, const std::string& target,
                    int level, const char* writer) {
  bddpp_manager* m = scratch.manager;
  const long v = scratch.variables;
  m->Present_variables(f, scratch.mask);
  const int count = m->Bdd_sop(f, scratch.products, level);
  if (count > blif_max_products) {
    std::cerr << "internal error in void " << writer << "()" << std::endl;
    std::cerr << " product term number exceded limit" << std::endl;
    korvane_fatal_exit(1);
  }
  std::string header = ".names  ";
  bool any_present = false;
  for (long l = 0; l < v; ++l) {
    if (scratch.mask[l] != 1) continue;
    header += m->Name_var_by_index(l) + " ";
    any_present = true;
  }
  put_line(os, header + target);
  if (!any_present) {
    put_line(os, m->Bdd_is_tautology(f, 0) ? "0" : "1");
    return;
  }
  for (int p = 0; p < count; ++p) {
    m->Bdd_to_literals(scratch.products[p], scratch.codes);
    std::string row;
    for (long l = 0; l < v; ++l) {
      if (scratch.mask[l] != 1) continue;
      const int c = scratch.codes[l];
      row += c == 1 ? '1' : c == 0 ? '0' : '-';
    }
    put_line(os, row + " 1");
  }
}

int transition_outputs(const FBA* automaton) {
  return automaton == nullptr ? 0 : automaton->get_actions_number();
}

bdd* copy_transition_actions(const FBA* automaton, const bdd* from, int count) {
  if (count <= 0) return nullptr;
  bdd* to = new bdd[count];
  for (int k = 0; k < count; ++k)
    to[k] = from != nullptr ? from[k] : automaton->get_manager()->Bdd_zero();
  return to;
}

void assign_transition_actions(bdd*& actions, int current, const bdd* from, int count) {
  if (count != current || (actions == nullptr && count > 0)) {
    delete[] actions;
    actions = count > 0 ? new bdd[count] : nullptr;
  }
  for (int k = 0; k < count; ++k) actions[k] = from[k];
}
