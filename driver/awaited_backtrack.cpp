// Optional outputs of the machine: awaited and trigger inputs of each state
// ("-awaited") and the code of a predecessor on a shortest path from the
// initial state ("-backtrack").
#include "driver/road.h"

#include <iostream>
#include <vector>

namespace {

// Adds the awaited, trigger and tick Moore actions of state s.
void awaited_state(korvane_compilation& run, int s) {
  bddpp_manager* manager = run.machine->get_manager();
  const int inputs = run.model->nbr_inputs();
  const int first = run.model->nbr_outputs();  // O: first added output
  const long first_input_level = 2L * run.state_bits;
  const bdd one = manager->Bdd_one();
  const gal_tpen_etat& state = run.model->ma_table_etats()[s];
  const gal_tpen_transition* table = run.model->ma_table_transitions();
  const std::list<int> leaving = state.mes_transitions_post();

  std::vector<int> true_marks(inputs, 0);
  std::vector<int> false_marks(inputs, 0);
  bdd leave = manager->Bdd_zero();
  for (int t : leaving) {
    if (table[t].mon_ident_etat_aval() == s) continue;  // self-loops stay
    const bdd& guard = run.guards[t];
    leave = manager->Bdd_or(leave, guard);
    for (int i = 0; i < inputs; ++i) {
      if (manager->Variable_true_awaited(guard, first_input_level + i)) {
        std::cerr << "true_awaited " << i << " pour etat " << s << std::endl;
        true_marks[i] = 1;
        run.machine->add_Moore_action(s, first + 4 * i, one);
      }
      if (manager->Variable_false_awaited(guard, first_input_level + i)) {
        std::cerr << "false_awaited " << i << " pour etat " << s << std::endl;
        false_marks[i] = 1;
        run.machine->add_Moore_action(s, first + 4 * i + 1, one);
      }
    }
  }

  const bdd stay = manager->Bdd_not(leave);
  bool trigger = false;
  for (int i = 0; i < inputs; ++i) {
    if (false_marks[i] && manager->Variable_true_awaited(stay, first_input_level + i)) {
      std::cerr << "false_trigger " << i << " pour etat " << s << std::endl;
      run.machine->add_Moore_action(s, first + 4 * i + 3, one);
      trigger = true;
    }
    if (true_marks[i] && manager->Variable_false_awaited(stay, first_input_level + i)) {
      std::cerr << "true_trigger " << i << " pour etat " << s << std::endl;
      run.machine->add_Moore_action(s, first + 4 * i + 2, one);
      trigger = true;
    }
  }
  if (trigger) return;

  const int tick = first + 4 * inputs;
  if (!state.mes_actions().empty()) {
    run.machine->add_Moore_action(s, tick, one);
    std::cerr << "tick_trigger (1) pour etat " << s << std::endl;
    return;
  }
  for (int t : leaving) {
    if (table[t].mes_actions().empty()) continue;
    run.machine->add_Moore_action(s, tick, one);
    std::cerr << "tick_trigger (2) pour etat " << s << std::endl;
  }
}

}  // namespace

void korvane_awaited_pass(korvane_compilation& run) {
  if (!run.options.awaited || run.model->nbr_inputs() == 0) return;
  for (int s = 0; s < run.state_count; ++s) awaited_state(run, s);
}

void korvane_backtrack_pass(korvane_compilation& run) {
  if (!run.options.backtrack) return;
  bddpp_manager* manager = run.machine->get_manager();
  const int states = run.state_count;
  const int count = run.model->nbr_transitions();
  const gal_tpen_transition* table = run.model->ma_table_transitions();

  // distance[s]: 0 when unreached, 1 for the initial state, k + 1 for a
  // state k transitions away on a shortest path.
  std::vector<int> distance(states, 0);
  distance[run.initial_state] = 1;
  for (bool changed = true; changed;) {
    changed = false;
    for (int t = 0; t < count; ++t) {
      const int source = table[t].mon_ident_etat_amont();
      const int target = table[t].mon_ident_etat_aval();
      if (source == -1 || target == -1 || distance[source] == 0) continue;
      const int reached = distance[source] + 1;
      if (distance[target] == 0 || distance[target] > reached) {
        distance[target] = reached;
        changed = true;
      }
    }
  }
  std::cout << "PHASE 1" << std::endl;
  for (int s = 0; s < states; ++s) {
    std::cout << s << ": " << distance[s] << std::endl;
  }

  const gal_tpen_etat* table_states = run.model->ma_table_etats();
  const int first_pre = run.machine->get_actions_number() - run.state_bits;
  for (int s = 0; s < states; ++s) {
    const std::list<int> entering = table_states[s].mes_transitions_pre();
    if (entering.empty()) continue;
    int predecessor = s;
    int best = distance[s];
    for (int t : entering) {
      const int source = table[t].mon_ident_etat_amont();
      if (source == -1 || distance[source] == 0) continue;
      if (distance[source] < best) {
        best = distance[source];
        predecessor = source;
      }
    }
    for (int k = 0; k < run.state_bits; ++k) {
      if ((predecessor >> k) & 1) {
        run.machine->add_Moore_action(s, first_pre + k, manager->Bdd_one());
      }
    }
  }
  std::cout << "PHASE 2 terminee" << std::endl;
}
