// The implicit boolean machine: construction, transitions and Moore actions
// added by disjunction, and the queries the driver uses.
#include "fba/FBA.h"
#include "fba/writer_common.h"

#include <iostream>

#include "utilities/list_templates.h"

// ---- FBA_real_transition

FBA_real_transition::FBA_real_transition()
    : automaton(nullptr), source(-1), target(-1), actions(nullptr), guard() {}

FBA_real_transition::FBA_real_transition(const FBA* automaton_, int source_, int target_,
                                         bdd* actions_, bdd guard_)
    : automaton(automaton_),
      source(source_),
      target(target_),
      actions(copy_transition_actions(automaton_, actions_, transition_outputs(automaton_))),
      guard(guard_) {}

FBA_real_transition::FBA_real_transition(const FBA_real_transition& other)
    : automaton(other.automaton),
      source(other.source),
      target(other.target),
      actions(copy_transition_actions(other.automaton, other.actions, other.actions_count())),
      guard(other.guard) {}

FBA_real_transition& FBA_real_transition::operator=(const FBA_real_transition& other) {
  if (this == &other) return *this;
  assign_transition_actions(actions, actions_count(), other.actions, other.actions_count());
  automaton = other.automaton;
  source = other.source;
  target = other.target;
  guard = other.guard;
  return *this;
}

FBA_real_transition::~FBA_real_transition() { delete[] actions; }

int FBA_real_transition::actions_count() const {
  return actions == nullptr ? 0 : transition_outputs(automaton);
}

bool operator==(const FBA_real_transition& a, const FBA_real_transition& b) {
  if (a.automaton != b.automaton || a.source != b.source || a.target != b.target ||
      a.guard != b.guard)
    return false;
  const int count = a.actions_count();
  if (count != b.actions_count()) return false;
  for (int k = 0; k < count; ++k)
    if (a.actions[k] != b.actions[k]) return false;
  return true;
}

bool operator!=(const FBA_real_transition& a, const FBA_real_transition& b) { return !(a == b); }

// ---- FBA

FBA::FBA(std::string module_name, std::set<int>& initially_true,
         const std::list<FSM_input>& inputs_list, const std::list<std::string>& outputs,
         const std::list<std::string>& state_bits)
    : module(),
      manager(new bddpp_manager()),
      nb_inputs(static_cast<int>(inputs_list.size())),
      inputs(nullptr),
      nb_state_bits(static_cast<int>(state_bits.size())),
      state_bit_names(state_bits.empty() ? nullptr : array_convert(state_bits)),
      initial_state(),
      force_to_0(nullptr),
      force_to_1(nullptr),
      nb_outputs(static_cast<int>(outputs.size())),
      output_names(outputs.empty() ? nullptr : array_convert(outputs)),
      emissions(nullptr) {
  module = module_name;
  if (nb_inputs > 0) inputs = array_convert(inputs_list);
  const int n = nb_state_bits;
  if (n > 0) {
    force_to_0 = new bdd[n];
    force_to_1 = new bdd[n];
  }
  if (nb_outputs > 0) emissions = new bdd[nb_outputs];

  // Registers, then next-state variables, then inputs; a repeated name
  // returns the variable already declared.
  for (int i = 0; i < n; ++i) manager->New_var_last(register_name(i));
  for (int i = 0; i < n; ++i) manager->New_var_last(next_state_name(i));
  for (int j = 0; j < nb_inputs; ++j) manager->New_var_last(inputs[j].my_name());

  for (int i = 0; i < n; ++i) {
    force_to_0[i] = manager->Bdd_zero();
    force_to_1[i] = manager->Bdd_zero();
  }
  for (int k = 0; k < nb_outputs; ++k) emissions[k] = manager->Bdd_zero();

  if (n == 0) {
    initial_state = manager->Bdd_one();
  } else {
    for (int i = 0; i < n; ++i) {
      bdd literal = manager->Bdd_var_by_index(i);
      if (initially_true.count(i) == 0) literal = manager->Bdd_not(literal);
      initial_state = i == 0 ? literal : manager->Bdd_and(initial_state, literal);
    }
  }
}

FBA::~FBA() {
  // Every handle goes before the manager that owns its node.
  initial_state = bdd();
  delete[] force_to_0;
  delete[] force_to_1;
  delete[] emissions;
  delete[] inputs;
  delete[] state_bit_names;
  delete[] output_names;
  delete manager;
}

void FBA::add_evolution(FBA_real_transition t) {
  const int n = nb_state_bits;
  bdd c = t.guard;
  {
    bdd* registers = n > 0 ? new bdd[n] : nullptr;
    for (int i = 0; i < n; ++i) registers[i] = manager->Bdd_var_by_index(i);
    c = manager->Bdd_and(c, manager->Minterm(t.source, n, registers));
    delete[] registers;
  }
  int code = t.target;
  for (int i = 0; i < n; ++i) {
    if (code & 1)
      force_to_1[i] = manager->Bdd_or(force_to_1[i], c);
    else
      force_to_0[i] = manager->Bdd_or(force_to_0[i], c);
    code >>= 1;
  }
  const int given = t.actions_count();
  for (int k = 0; k < nb_outputs && k < given; ++k)
    emissions[k] = manager->Bdd_or(emissions[k], manager->Bdd_and(t.actions[k], c));
}

void FBA::add_Moore_action(int state, int output, bdd condition) {
  if (output < 0 || output >= nb_outputs) {
    std::cerr << "FBA::add_Moore_action(): output position " << output << " out of range 0.."
              << nb_outputs - 1 << ", ignored" << std::endl;
    return;
  }
  const int n = nb_state_bits;
  bdd* next_vars = n > 0 ? new bdd[n] : nullptr;
  for (int i = 0; i < n; ++i) next_vars[i] = manager->Bdd_var_by_index(n + i);
  bdd m = manager->Minterm(state, n, next_vars);
  delete[] next_vars;
  emissions[output] = manager->Bdd_or(emissions[output], manager->Bdd_and(condition, m));
}

bddpp_manager* FBA::get_manager() const { return manager; }

int FBA::get_state_variables_number() const { return nb_state_bits; }

int FBA::get_inputs_number() const { return nb_inputs; }

int FBA::get_actions_number() const { return nb_outputs; }

long FBA::get_bdd_nodes_number() const { return manager->Bdd_total_size(); }

long FBA::get_bdd_termes_number() const { return manager->Nb_bdd_vars(); }

bdd FBA::termetobdd(const std::string& name) const { return manager->Bdd_var_by_name(name); }

int FBA::variable_initialy_true(int i) const {
  if (i < 0 || i >= nb_state_bits) return 0;
  bdd rest = manager->Bdd_and(initial_state, manager->Bdd_not(manager->Bdd_var_by_index(i)));
  return rest == manager->Bdd_zero() ? 1 : 0;
}

int FBA::variable_initialy_false(int i) const {
  if (i < 0 || i >= nb_state_bits) return 0;
  bdd rest = manager->Bdd_and(initial_state, manager->Bdd_var_by_index(i));
  return rest == manager->Bdd_zero() ? 1 : 0;
}

void FBA::bdd_var_reorder() { manager->Bdd_var_reorder(); }

void FBA::bdd_garbage_collector() { manager->Bdd_gc(); }

bdd FBA::forcing_to_0(int i) const { return i >= 0 && i < nb_state_bits ? force_to_0[i] : bdd(); }

bdd FBA::forcing_to_1(int i) const { return i >= 0 && i < nb_state_bits ? force_to_1[i] : bdd(); }

bdd FBA::emission(int k) const { return k >= 0 && k < nb_outputs ? emissions[k] : bdd(); }
