// Transitions given by sets of state bits, transitions whose guard is a
// conjunction of input literals, post-state actions, and the lookups of
// names by position with their fallback "?".
#include <iostream>

#include "fba/FBA.h"
#include "fba/writer_common.h"

// ---- FBA_transition

FBA_transition::FBA_transition()
    : automaton(nullptr), source(), target(), actions(nullptr), guard() {}

FBA_transition::FBA_transition(const FBA* automaton_, std::set<int> source_, std::set<int> target_,
                               bdd* actions_, bdd guard_)
    : automaton(automaton_),
      source(source_),
      target(target_),
      actions(copy_transition_actions(automaton_, actions_, transition_outputs(automaton_))),
      guard(guard_) {}

FBA_transition::FBA_transition(const FBA_transition& other)
    : automaton(other.automaton),
      source(other.source),
      target(other.target),
      actions(copy_transition_actions(other.automaton, other.actions, other.actions_count())),
      guard(other.guard) {}

FBA_transition& FBA_transition::operator=(const FBA_transition& other) {
  if (this == &other) return *this;
  assign_transition_actions(actions, actions_count(), other.actions, other.actions_count());
  automaton = other.automaton;
  source = other.source;
  target = other.target;
  guard = other.guard;
  return *this;
}

FBA_transition::~FBA_transition() { delete[] actions; }

int FBA_transition::actions_count() const {
  return actions == nullptr ? 0 : transition_outputs(automaton);
}

bool operator==(const FBA_transition& a, const FBA_transition& b) {
  if (a.automaton != b.automaton || a.source != b.source || a.target != b.target ||
      a.guard != b.guard)
    return false;
  const int count = a.actions_count();
  if (count != b.actions_count()) return false;
  for (int k = 0; k < count; ++k)
    if (a.actions[k] != b.actions[k]) return false;
  return true;
}

bool operator!=(const FBA_transition& a, const FBA_transition& b) { return !(a == b); }

// ---- FBA operations over sets of state bits

void FBA::add_evolution(FBA_transition t) {
  const int n = nb_state_bits;
  bdd c = t.guard;
  for (int i = 0; i < n; ++i) {
    bdd reg = manager->Bdd_var_by_index(i);
    c = manager->Bdd_and(c, t.source.count(i) ? reg : manager->Bdd_not(reg));
  }
  for (int i = 0; i < n; ++i) {
    if (t.target.count(i))
      force_to_1[i] = manager->Bdd_or(force_to_1[i], c);
    else
      force_to_0[i] = manager->Bdd_or(force_to_0[i], c);
  }
  // Entries beyond the transition's own array (one built for another
  // machine, or without actions) count as 0.
  const int given = t.actions_count();
  for (int k = 0; k < nb_outputs && k < given; ++k)
    emissions[k] = manager->Bdd_or(emissions[k], manager->Bdd_and(t.actions[k], c));
}

void FBA::add_evolution(std::set<int>& source, std::set<int>& target, std::set<int> outputs,
                        std::set<int> positive, std::set<int> negative) {
  // Every input position is checked before anything changes, so that a
  // refused transition leaves the machine as it was.
  for (const std::set<int>* inputs_set : {&positive, &negative})
    for (int j : *inputs_set)
      if (j < 0 || j >= nb_inputs) {
        std::cerr << "FBA::add_evolution(): input position " << j << " out of range 0.."
                  << nb_inputs - 1 << ", transition refused" << std::endl;
        return;
      }

  const int n = nb_state_bits;
  bdd c = manager->Bdd_one();
  // An input is read through the variable of its name: a repeated name
  // shares the variable declared first, and the later inputs move down.
  for (int j : positive) c = manager->Bdd_and(c, manager->Bdd_var_by_name(inputs[j].my_name()));
  for (int j : negative)
    c = manager->Bdd_and(c, manager->Bdd_not(manager->Bdd_var_by_name(inputs[j].my_name())));
  for (int i = 0; i < n; ++i) {
    bdd reg = manager->Bdd_var_by_index(i);
    c = manager->Bdd_and(c, source.count(i) ? reg : manager->Bdd_not(reg));
  }
  for (int i = 0; i < n; ++i) {
    if (target.count(i))
      force_to_1[i] = manager->Bdd_or(force_to_1[i], c);
    else
      force_to_0[i] = manager->Bdd_or(force_to_0[i], c);
  }
  for (int k : outputs) {
    if (k < 0 || k >= nb_outputs) {
      std::cerr << "FBA::add_evolution(): output position " << k << " out of range 0.."
                << nb_outputs - 1 << ", ignored" << std::endl;
      continue;
    }
    emissions[k] = manager->Bdd_or(emissions[k], c);
  }
}

void FBA::add_post_evolution(int bit, int output, bdd condition) {
  if (bit < 0 || bit >= nb_state_bits) return;
  if (output < 0 || output >= nb_outputs) {
    std::cerr << "FBA::add_post_evolution(): output position " << output << " out of range 0.."
              << nb_outputs - 1 << ", ignored" << std::endl;
    return;
  }
  bdd next = manager->Bdd_var_by_index(nb_state_bits + bit);
  emissions[output] = manager->Bdd_or(emissions[output], manager->Bdd_and(next, condition));
}

std::string FBA::get_input(int i) const {
  if (i >= 0 && i < nb_inputs) return inputs[i].my_name();
  std::cerr << "ERREUR d'acces dans FBA::get_input()" << std::endl;
  return "?";
}

std::string FBA::get_action(int i) const {
  if (i >= 0 && i < nb_outputs) return output_names[i];
  std::cerr << "ERREUR d'acces dans FBA::get_action()" << std::endl;
  return "?";
}

std::string FBA::get_variable(int i) const {
  if (i >= 0 && i < nb_state_bits) return manager->Name_var_by_index(i);
  std::cerr << "ERREUR d'acces dans FBA::get_variable()" << std::endl;
  return "?";
}
