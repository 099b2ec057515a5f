// The compilation road: from the automaton file name to the target files.
//
// One run reads and checks the automaton, encodes its states in state bits,
// builds the implicit boolean machine, adds the optional awaited, trigger
// and backtrack outputs and writes every target that the options ask for.
// Each step that fails shows one error message and the road returns the
// exit status 1; no target file is opened before every check has passed.
#ifndef KORVANE_DRIVER_ROAD_H
#define KORVANE_DRIVER_ROAD_H

#include <list>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "bdd/bddpp.h"
#include "driver/run_options.h"
#include "fba/FBA.h"
#include "model/gal_norm.h"

// The working data of one compilation.
struct korvane_compilation {
  run_options options;
  std::string base_name;   // the file name without its extension
  std::string input_name;  // base_name + ".gal"
  gal_tpen_fichier* model = nullptr;
  int state_count = 0;           // states, boot state included
  int state_bits = 0;            // N: smallest N with 2^N >= state_count
  int initial_state = -1;        // target of the initial transition
  std::set<int> initially_true;  // 1-bits of the initial state's number
  std::list<FSM_input> inputs;
  std::list<std::string> outputs;          // the machine's T outputs
  std::list<std::string> state_bit_names;  // "0", "1", ... "N-1"
  FBA* machine = nullptr;
  std::vector<bdd> guards;   // exclusive guard per transition (empty handle
                             // for a transition without source state)
  std::vector<bdd> actions;  // action vector, one entry per output

  korvane_compilation() = default;
  korvane_compilation(const korvane_compilation&) = delete;
  korvane_compilation& operator=(const korvane_compilation&) = delete;
  // Releases the guards, the machine (with its manager) and the model.
  ~korvane_compilation();
};

// Runs the whole road for `options` and returns the exit status: 0 after
// the closing message, 1 after an error message. Writes the reader's trace
// file, the traces on the standard streams and the target files.
int korvane_compile(const run_options& options);

// Reading and checks (names, reader, model kind, boot state, neutral
// element, determinism, state code, name lists, receptivity syntax and the
// initial transition). Returns false after showing an error message.
bool korvane_read_model(korvane_compilation& run);

// Builds the machine from the model: guards, priority exclusion, the trace
// of the guards on the standard error stream, Mealy transitions, sink
// self-loops and Moore actions. Returns false after showing an error.
bool korvane_build_machine(korvane_compilation& run);

// Adds the awaited, trigger and tick Moore actions (with their trace lines
// on the standard error stream) when the options ask for them.
void korvane_awaited_pass(korvane_compilation& run);

// Adds the previous-state Moore actions (with the phase lines on the
// standard output) when the options ask for them.
void korvane_backtrack_pass(korvane_compilation& run);

// Where the targets go. The command writes files, each whole or not at all
// (target_files.h); an in-process check of the writers keeps them in memory.
// The C target has its code and its header open at once.
class target_destination {
 public:
  virtual ~target_destination() = default;
  // Opens the target `name`; returns the stream to write it on, or null
  // after showing an error message.
  virtual std::ostream* open(const std::string& name) = 0;
  // Completes the open target `name`; returns false after showing an error
  // message (what was written is then dropped).
  virtual bool commit(const std::string& name) = 0;
  // Drops the open target `name`.
  virtual void abandon(const std::string& name) = 0;
};

// Checks the chosen targets' names, then writes every chosen target in the
// fixed order into `destination` and shows the closing message. Returns
// false after showing an error naming a target that could not be written.
bool korvane_generate_targets(korvane_compilation& run, target_destination& destination);

// The same into the target files beside the automaton file.
bool korvane_generate_targets(korvane_compilation& run);

// Returns the number of state bits for `state_count` states: the smallest
// N >= 0 with 2^N >= state_count.
int korvane_state_bit_count(int state_count);

// Returns the index of the model output named like action number `action`,
// or -1 (null model, action index out of range, or no output of that name).
int korvane_conversion_action_output(gal_tpen_fichier* model, int action);

#endif
