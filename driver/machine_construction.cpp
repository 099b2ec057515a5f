// Second part of the compilation road: the implicit boolean machine built
// from the model's transitions and state actions.
#include "driver/road.h"

#include <iostream>
#include <string>
#include <vector>

#include "panels/message_windows.h"

namespace {

// Shows an error of the road (standard error stream without a display).
void show_error(const std::string& text) { korvane_show_message(text, message_kind::error); }

// Parses the receptivity of every transition with a source state into its
// guard; returns false after an error naming the first refused one.
bool parse_guards(korvane_compilation& run) {
  bddpp_manager* manager = run.machine->get_manager();
  const int count = run.model->nbr_transitions();
  const gal_tpen_transition* table = run.model->ma_table_transitions();
  for (int t = 0; t < count; ++t) {
    const gal_tpen_transition& transition = table[t];
    if (transition.mon_ident_etat_amont() == -1) continue;
    int error = 0;
    run.guards[t] = manager->Parse_expression(transition.ma_receptivite(), &error);
    if (error != 0) {
      // Signed numbers: a final transition's target is written -1.
      show_error("ERROR IN PARSING BOOLEAN EXPRESSION TRANSITION : state " +
                 std::to_string(transition.mon_ident_etat_amont()) + " --> state " +
                 std::to_string(transition.mon_ident_etat_aval()) + " : (" +
                 transition.ma_receptivite() + ")");
      return false;
    }
  }
  return true;
}

// Makes the guards of each state exclusive in priority order: each guard
// loses what the guards sorted before it cover.
void exclude_by_priority(korvane_compilation& run) {
  bddpp_manager* manager = run.machine->get_manager();
  const int count = run.model->nbr_transitions();
  const gal_tpen_transition* table = run.model->ma_table_transitions();
  // Outgoing transitions of each state, in index order.
  std::vector<std::list<int>> leaving(run.state_count);
  for (int t = 0; t < count; ++t) {
    const int source = table[t].mon_ident_etat_amont();
    if (source >= 0) leaving[source].push_back(t);
  }
  for (int s = 0; s < run.state_count; ++s) {
    const std::list<int> ordered = run.model->sort_transitions_list(leaving[s]);
    bdd cover = manager->Bdd_zero();
    for (int t : ordered) {
      run.guards[t] = manager->Bdd_and(run.guards[t], manager->Bdd_not(cover));
      cover = manager->Bdd_or(cover, run.guards[t]);
    }
  }
}

// Writes one line per transition with a source state on the standard error
// stream: priority, receptivity and exclusive guard.
void trace_guards(const korvane_compilation& run) {
  const int count = run.model->nbr_transitions();
  const gal_tpen_transition* table = run.model->ma_table_transitions();
  for (int t = 0; t < count; ++t) {
    if (table[t].mon_ident_etat_amont() < 0) continue;
    std::cerr << table[t].ma_priorite() << ", " << table[t].ma_receptivite() << ", ";
    Print_debug_bdd(std::cerr, run.guards[t]);
    std::cerr << std::endl;
  }
}

// Sets every entry of the action vector to the constant 0.
void clear_actions(korvane_compilation& run) {
  bddpp_manager* manager = run.machine->get_manager();
  for (bdd& entry : run.actions) entry = manager->Bdd_zero();
}

// Hands every transition between two states to the machine with its Mealy
// actions; returns false after an error naming an action that is no output.
bool add_transitions(korvane_compilation& run) {
  bddpp_manager* manager = run.machine->get_manager();
  const int count = run.model->nbr_transitions();
  const gal_tpen_transition* table = run.model->ma_table_transitions();
  for (int t = 0; t < count; ++t) {
    const gal_tpen_transition& transition = table[t];
    clear_actions(run);
    for (int a : transition.mes_actions()) {
      const int k = korvane_conversion_action_output(run.model, a);
      if (k == -1) {
        show_error("ERROR in transition : Action:\"" + run.model->action(a) +
                   "\" is not interpretable !");
        return false;
      }
      run.actions[k] = manager->Bdd_one();
    }
    const int source = transition.mon_ident_etat_amont();
    const int target = transition.mon_ident_etat_aval();
    if (source != -1 && target != -1) {
      run.machine->add_evolution(
          FBA_real_transition(run.machine, source, target, run.actions.data(), run.guards[t]));
    }
  }
  return true;
}

// Gives every sink state a self-loop with guard 1 and no output.
void add_sink_loops(korvane_compilation& run) {
  bddpp_manager* manager = run.machine->get_manager();
  clear_actions(run);
  for (int p : run.model->liste_etats_puits()) {
    run.machine->add_evolution(
        FBA_real_transition(run.machine, p, p, run.actions.data(), manager->Bdd_one()));
  }
}

// Turns the state actions into Moore actions; returns false after an error
// naming an action that is no output, or when the initial state has one.
bool add_state_actions(korvane_compilation& run) {
  bddpp_manager* manager = run.machine->get_manager();
  const gal_tpen_etat* states = run.model->ma_table_etats();
  for (int i = 0; i < run.state_count; ++i) {
    for (int a : states[i].mes_actions()) {
      const int k = korvane_conversion_action_output(run.model, a);
      if (k == -1) {
        show_error("ERROR in state : Action:\"" + run.model->action(a) +
                   "\" is not interpretable !");
        return false;
      }
      run.machine->add_Moore_action(i, k, manager->Bdd_one());
      if (i == run.initial_state) {
        show_error("ERROR: Moore action about initial state need -bootstate option !");
        return false;
      }
    }
  }
  return true;
}

}  // namespace

int korvane_conversion_action_output(gal_tpen_fichier* model, int action) {
  if (model == nullptr || action < 0 || action >= model->nbr_actions()) {
    return -1;
  }
  return model->ident_output(model->action(action));
}

bool korvane_build_machine(korvane_compilation& run) {
  run.machine = new FBA(run.model->mon_nom_module(), run.initially_true, run.inputs, run.outputs,
                        run.state_bit_names);
  run.actions.assign(run.outputs.size(), bdd());
  run.guards.assign(run.model->nbr_transitions(), bdd());
  if (!parse_guards(run)) return false;
  exclude_by_priority(run);
  trace_guards(run);
  if (!add_transitions(run)) return false;
  add_sink_loops(run);
  return add_state_actions(run);
}
