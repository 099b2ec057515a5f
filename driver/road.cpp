// First half of the compilation road: from the file name to the lists that
// the boolean machine is built from.
#include "driver/road.h"

#include <string>

#include "panels/message_windows.h"
#include "model/parse_gal.h"
#include "utilities/Stringpp.h"

namespace {

// Shows an error of the road (standard error stream without a display).
void show_error(const std::string& text) { korvane_show_message(text, message_kind::error); }

// Fills the state-bit names, the inputs and the outputs of the machine.
void build_name_lists(korvane_compilation& run) {
  gal_tpen_fichier* model = run.model;
  for (int k = 0; k < run.state_bits; ++k) {
    run.state_bit_names.push_back(unslong2S(k));
  }
  const int inputs = model->nbr_inputs();
  for (int i = 0; i < inputs; ++i) {
    run.inputs.push_back(FSM_input(FSM_type_bool, model->nom_input(i)));
  }
  const int outputs = model->nbr_outputs();
  for (int o = 0; o < outputs; ++o) run.outputs.push_back(model->nom_output(o));
  if (run.options.awaited) {
    static const char* const prefixes[] = {"true_awaited_", "false_awaited_", "true_trigger_",
                                           "false_trigger_"};
    for (int i = 0; i < inputs; ++i) {
      for (const char* prefix : prefixes) {
        run.outputs.push_back(prefix + model->nom_input(i));
      }
    }
    run.outputs.push_back("tick_trigger");
  }
  if (run.options.backtrack) {
    for (int k = 0; k < run.state_bits; ++k) {
      run.outputs.push_back("X" + unslong2S(k) + "pre");
    }
  }
}

// Checks every receptivity's syntax and finds the single initial
// transition, in one pass in table order; returns false after an error.
bool find_initial_state(korvane_compilation& run) {
  const int count = run.model->nbr_transitions();
  const gal_tpen_transition* table = run.model->ma_table_transitions();
  for (int t = 0; t < count; ++t) {
    const gal_tpen_transition& transition = table[t];
    const int syntax = transition.test_syntaxe_receptivite();
    if (syntax == 1) {
      show_error("SYNTAXE ERROR about transition: '" + transition.ma_receptivite() +
                 "': '/' character found ...");
      return false;
    }
    if (syntax == 2) {
      show_error("SYNTAXE ERROR about transition: '" + transition.ma_receptivite() +
                 "': bad parenthesis ...");
      return false;
    }
    if (transition.mon_ident_etat_amont() != -1) continue;
    if (run.initial_state != -1) {
      show_error("ERROR: multiple initial state defined !");
      return false;
    }
    const int target = transition.mon_ident_etat_aval();
    if (target == -1) continue;  // an initial transition into no state
    run.initial_state = target;
    for (int k = 0; (target >> k) != 0; ++k) {
      if ((target >> k) & 1) run.initially_true.insert(k);
    }
  }
  if (run.initial_state == -1) {
    show_error("ERROR: no initial state found !");
    return false;
  }
  return true;
}

}  // namespace

int korvane_state_bit_count(int state_count) {
  int bits = 0;
  long long power = 1;
  while (power < state_count) {
    power *= 2;
    ++bits;
  }
  return bits;
}

korvane_compilation::~korvane_compilation() {
  // Handles go before the manager that owns their nodes.
  guards.clear();
  actions.clear();
  delete machine;
  delete model;
}

bool korvane_read_model(korvane_compilation& run) {
  const run_options& options = run.options;
  run.base_name = supress_filename_extension(options.file);
  run.input_name = run.base_name + ".gal";

  run.model = parse(run.input_name);
  if (run.model == nullptr) {
    show_error("parse error in " + options.file);
    return false;
  }
  // The reader takes any number as a state index; an index outside the
  // state table would address states that do not exist later on.
  std::string report;
  if (!verifie_idents_etats(*run.model, report)) {
    show_error(report);
    return false;
  }
  if (run.model->mon_modele() != 0) {
    show_error("Basic model awaited ... compilation aborted!");
    return false;
  }
  if (options.bootstate) run.model->add_bootstate();
  run.state_count = run.model->nbr_etats();
  if (!options.neutral.empty()) {
    run.model->element_neutre_transitions(options.neutral);
  }
  if (run.model->test_determinisme(report) == 0) {
    korvane_show_big_message(report, 80, message_kind::error);
    return false;
  }
  run.state_bits = korvane_state_bit_count(run.state_count);
  build_name_lists(run);
  return find_initial_state(run);
}

int korvane_compile(const run_options& options) {
  korvane_compilation run;
  run.options = options;
  if (!korvane_read_model(run)) return 1;
  if (!korvane_build_machine(run)) return 1;
  korvane_awaited_pass(run);
  korvane_backtrack_pass(run);
  if (!korvane_generate_targets(run)) return 1;
  return 0;
}
