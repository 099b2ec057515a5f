// The implicit boolean machine of one compiled automaton and its target
// writers.
//
// A machine of n state bits keeps, as diagrams of the one manager it owns:
//   - per state bit i, a forcing-to-1 and a forcing-to-0 condition (where
//     the next value of the bit must be 1, where it must be 0);
//   - per output k, an emission condition;
//   - the initial-state condition, the minterm of the initial state.
// Its variables, in level order: the registers "X"<b> (levels 0..n-1), the
// next-state variables "X"<b>"next" (levels n..2n-1), then the inputs by
// name (an input whose name is already declared shares that variable).
//
// Transitions and state actions are added by disjunction; the writers
// (const members, one source file per target) only read the machine.
#ifndef KORVANE_FBA_FBA_H
#define KORVANE_FBA_FBA_H

#include <iosfwd>
#include <list>
#include <set>
#include <string>

#include "bdd/bddpp.h"
#include "fba/FSM_input.h"

class FBA;

// One explicit transition handed to a machine: source and target state
// numbers, one emission condition per output of the machine, and the guard.
class FBA_real_transition {
 public:
  // An empty transition: no machine, source and target -1, no actions,
  // an empty guard.
  FBA_real_transition();
  // A transition of `automaton`: copies the machine's outputs count of
  // entries from `actions` (which stays the caller's; a null array copies
  // nothing and leaves every entry the constant 0) and the guard.
  FBA_real_transition(const FBA* automaton, int source, int target, bdd* actions, bdd guard);
  // A copy with an action array of its own.
  FBA_real_transition(const FBA_real_transition& other);
  // Copies machine, source, target, actions and guard; the action array is
  // reallocated when its length differs from the other transition's.
  FBA_real_transition& operator=(const FBA_real_transition& other);
  // Releases the action array and the guard.
  ~FBA_real_transition();

  const FBA* automaton;
  int source;
  int target;
  bdd* actions;
  bdd guard;

  // The length of the action array: the outputs count of the machine, 0
  // without a machine.
  int actions_count() const;
};

// Equal when machine, source, target, guard and every action are equal.
bool operator==(const FBA_real_transition& a, const FBA_real_transition& b);
bool operator!=(const FBA_real_transition& a, const FBA_real_transition& b);

// One transition given by sets of state bits: the positions of the bits
// that are 1 in the source state and in the target state (every other bit
// is 0; positions outside 0..n-1 have no effect), one emission condition
// per output of the machine, and the guard.
class FBA_transition {
 public:
  // An empty transition: no machine, empty sets, no actions, an empty
  // guard.
  FBA_transition();
  // A transition of `automaton`: copies both sets, the machine's outputs
  // count of entries from `actions` (which stays the caller's; a null array
  // leaves every entry the constant 0) and the guard.
  FBA_transition(const FBA* automaton, std::set<int> source, std::set<int> target, bdd* actions,
                 bdd guard);
  // A copy with an action array of its own.
  FBA_transition(const FBA_transition& other);
  // Copies machine, sets, actions and guard; the action array is
  // reallocated when its length differs from the other transition's.
  FBA_transition& operator=(const FBA_transition& other);
  // Releases the action array, the guard and both sets.
  ~FBA_transition();

  const FBA* automaton;
  std::set<int> source;
  std::set<int> target;
  bdd* actions;
  bdd guard;

  // The length of the action array: the outputs count of the machine, 0
  // without a machine or without an array.
  int actions_count() const;
};

// Equal when machine, both sets, guard and every action are equal.
bool operator==(const FBA_transition& a, const FBA_transition& b);
bool operator!=(const FBA_transition& a, const FBA_transition& b);

// The implicit boolean machine. Never copied.
class FBA {
 public:
  // Creates the manager and declares the variables: registers "X"<b>, then
  // next-state variables "X"<b>"next", then the inputs. Every forcing and
  // emission condition starts as the constant 0; the initial-state
  // condition is the minterm of the bits listed in `initially_true`
  // (positions outside 0..n-1 are ignored; the constant 1 when n is 0).
  FBA(std::string module_name, std::set<int>& initially_true, const std::list<FSM_input>& inputs,
      const std::list<std::string>& outputs, const std::list<std::string>& state_bits);
  // Releases every condition, the arrays, then the manager and its nodes.
  ~FBA();

  FBA(const FBA&) = delete;
  FBA& operator=(const FBA&) = delete;

  // Adds one transition: its firing condition (guard AND source minterm
  // over the registers) joins the forcing-to-1 condition of every bit that
  // is 1 in the target code and the forcing-to-0 condition of every other
  // bit; action k AND the firing condition joins emission k. A negative
  // source adds nothing. Entries beyond the transition's own array (a
  // transition built for another machine) count as 0.
  void add_evolution(FBA_real_transition t);
  // Adds a Moore action: `condition` AND the target minterm of `state` over
  // the next-state variables joins emission `output`. An output position
  // outside 0..outputs-1 is ignored after one line on the standard error
  // stream.
  void add_Moore_action(int state, int output, bdd condition);
  // Adds a transition given by sets of state bits: its firing condition
  // (guard AND the source bits' minterm over the registers) joins the
  // forcing-to-1 condition of every bit in the target set and the
  // forcing-to-0 condition of every other bit; action k AND the firing
  // condition joins emission k (fba_transition.cpp, with the other
  // operations of this block).
  void add_evolution(FBA_transition t);
  // Adds a transition whose guard is one conjunction of input literals:
  // the inputs of `positive` must be 1, those of `negative` 0 (inputs by
  // position, each read through its own variable). Its firing condition
  // joins the forcing conditions as above and the emission of every output
  // in `outputs`. An input position outside 0..inputs-1 refuses the whole
  // transition, an output position outside 0..outputs-1 is ignored, each
  // after one line on the standard error stream.
  void add_evolution(std::set<int>& source, std::set<int>& target, std::set<int> outputs,
                     std::set<int> positive, std::set<int> negative);
  // Emits output `output` under `condition` whenever state bit `bit` is 1
  // at the next instant: (next-state variable AND condition) joins the
  // emission. A bit outside 0..n-1 changes nothing; an output outside
  // 0..outputs-1 is ignored after one line on the standard error stream.
  void add_post_evolution(int bit, int output, bdd condition);
  // Name of input i, of output i, of register i; "?" outside the range,
  // after one line on the standard error stream.
  std::string get_input(int i) const;
  std::string get_action(int i) const;
  std::string get_variable(int i) const;
  // The level-1 sum of products of f: products joined by "+ ", literals by
  // ".", a negated variable written "!" and its name (debug_dump.cpp).
  std::string my_bddtoa(bdd f) const;

  // The machine's manager, in which callers build guards and conditions.
  bddpp_manager* get_manager() const;
  // n, the number of state bits.
  int get_state_variables_number() const;
  int get_inputs_number() const;
  // The number of outputs ("actions").
  int get_actions_number() const;
  // The manager's node counter: nodes created so far plus one.
  long get_bdd_nodes_number() const;
  // The number of variables the manager holds.
  long get_bdd_termes_number() const;
  // The variable of that name as a function; the constant 0 for a name
  // that is not a variable.
  bdd termetobdd(const std::string& name) const;
  // 1 when state bit i is 1 in the initial state, else 0 (0 outside 0..n-1).
  int variable_initialy_true(int i) const;
  // 1 when state bit i is 0 in the initial state, else 0 (0 outside 0..n-1).
  int variable_initialy_false(int i) const;
  // Passes on to the manager's reordering (a notice only).
  void bdd_var_reorder();
  // Runs one collection pass of the manager.
  void bdd_garbage_collector();

  // Read access for tests and callers that inspect the machine.
  const std::string& module_name() const { return module; }
  bdd initial_state_condition() const { return initial_state; }
  // Forcing-to-0, forcing-to-1 and emission conditions; an empty handle
  // for a position out of range.
  bdd forcing_to_0(int i) const;
  bdd forcing_to_1(int i) const;
  bdd emission(int k) const;

  // ---- Writers: each writes one complete text into a stream the caller
  // opened; every line ends with an end of line and a flush.

  // SC6 netlist (sc_writer.cpp).
  void SC_put(std::ostream& os, int level) const;
  // Post-order table of the distinct non-constant sub-functions of f,
  // then-branch first; f is appended after its cofactors, once.
  void enumeration_bdd(std::list<bdd>& table, bdd f) const;
  // Position of the last table entry equal to f; -1 for a constant or
  // when no entry is equal.
  int internal_enum_numero_associee_bdd(bdd f, bdd* table, int size) const;
  // Net name of f: "0", "1", a variable's name, or "wire"<position>
  // ("wire?" when f is not in the table).
  std::string internal_enum_nom_associee_bdd(bdd f, bdd* table, int size) const;
  // A new array (released by the caller with delete[]) of the manager's
  // variable names in level order; null when there is no variable.
  std::string* my_table_bdd_nom_termes() const;

  // BLIF netlist (blif_writer.cpp); prints "BLIF_PUT terminated ..." on
  // the standard output afterwards.
  void BLIF_put(std::ostream& os, int level) const;

  // Equation files (bac_writer.cpp, le_writer.cpp, lustre_writer.cpp).
  void BAC_put(std::ostream& os, int level) const;
  void LE_put(std::ostream& os, int level) const;
  void LUSTRE_put(std::ostream& os, int level) const;

  // Esterel module (esterel_writer.cpp).
  void ESTEREL_put(std::ostream& os, int level) const;

  // ---- Writers of hardware, software and documentation targets.

  // VHDL design unit (vhdl_writer.cpp): ports and signals typed "bit" when
  // `altera` is 0, else "std_logic" with the IEEE library clauses.
  void VHDL_put(std::ostream& os, int altera, int level) const;
  // C source into `code` and its two prototypes into `header`
  // (c_writer.cpp).
  void c_put(std::ostream& code, std::ostream& header, int level) const;
  // C# class named after the module (csharp_writer.cpp).
  void CSHARP_put(std::ostream& os, int level) const;
  // French plain-text documentation (doc_writer.cpp).
  void DOC_put(std::ostream& os, int level) const;
  // French LaTeX article (latex_writer.cpp).
  void LATEX_put(std::ostream& os, int level) const;

  // ---- End of the hardware, software and documentation writers.

  // ---- Writers that no option reaches.

  // Extended BLIF (extended_blif_writer.cpp): the raw forcing-to-0 and
  // forcing-to-1 conditions of every state bit in ".begin_falling" and
  // ".begin_rising" sections, then the outputs' covers.
  void FBA_put(std::ostream& os, int level) const;
  // Grafcet VHDL (grafcet_vhdl_writer.cpp): bare port names, "reset" and
  // "clk"; typed "bit" when `std_logic` is 0, else "std_logic" with the
  // IEEE library clauses.
  void VHDL_grafcet_put(std::ostream& os, int std_logic, int level) const;
  // Microcontroller sketch (sketch_writer.cpp): setup() and loop() over
  // user hooks; the outputs named in `single_handler` get one handler,
  // every other output a "_true" and a "_false" handler.
  void ino_put_grafcet(std::ostream& os, int level, std::list<std::string>& single_handler) const;
  // Scenario file (scenario_writer.cpp): header, transition body over the
  // context array _c, the awaited and trigger tables of `states` entries,
  // the input names. The third, fourth and eighth arguments are not read.
  // Stops the process when the state bits cannot code `states` states,
  // when a table is missing for a positive count of states, or when the
  // machine has not exactly three outputs.
  void SCENARIO_put(std::ostream& os, int states, std::set<int>* unused_a, std::set<int>* unused_b,
                    std::set<std::set<int> >* awaited, std::set<int>* trigger,
                    std::set<int>* shifted_trigger, int* unused_c, int level) const;

  // ---- Names each writer can write: one check per writer, in the
  // writer's file beside the reserved words of its language. Each returns
  // "" when every name the writer writes (the automaton name, the state
  // bits' registers and next-state variables, the inputs and the outputs,
  // with the writer's prefixes and suffixes) can stand in its language:
  // the shape of an identifier, no reserved word, no name that the writer
  // makes up itself and no two names that the language cannot tell apart.
  // Otherwise one line naming the first name that cannot, the target and
  // why, for example: the input "reset" cannot be written in VHDL: it is
  // the name of the reset port m_reset. The checks write nothing.
  std::string SC_name_refusal() const;
  std::string BLIF_name_refusal() const;
  std::string BAC_name_refusal() const;
  std::string LE_name_refusal() const;
  std::string LUSTRE_name_refusal() const;
  std::string ESTEREL_name_refusal() const;
  // Both forms of the VHDL writer write the same names.
  std::string VHDL_name_refusal() const;
  std::string c_name_refusal() const;
  std::string CSHARP_name_refusal() const;
  std::string DOC_name_refusal() const;
  std::string LATEX_name_refusal() const;
  std::string FBA_name_refusal() const;
  std::string VHDL_grafcet_name_refusal() const;
  // The outputs named in `single_handler` get one handler, as in
  // ino_put_grafcet.
  std::string ino_name_refusal(const std::list<std::string>& single_handler) const;
  std::string SCENARIO_name_refusal() const;

  // ---- Helpers shared by the writers (writer_common.cpp).

  // The name of state bit i, as the constructor was given it.
  std::string state_bit_name(int i) const;

  // "X" followed by the name of state bit i: the register's name.
  std::string register_name(int i) const;
  // The register's name followed by "next".
  std::string next_state_name(int i) const;
  // The initial value of register i: 1 when (register i AND the
  // initial-state condition) is not the constant 0, else 0.
  int initial_value(int i) const;
  // The next-state function of bit i chosen by most writers:
  // Bdd_simplify3(forcing-to-1, forcing-to-0, level).
  bdd next_state_function(int i, int level) const;
  // Name of input j, of output k.
  std::string input_name(int j) const;
  std::string output_name(int k) const;

  friend std::ostream& operator<<(std::ostream& os, const FBA& machine);

 private:
  std::string module;
  bddpp_manager* manager;
  int nb_inputs;
  FSM_input* inputs;
  int nb_state_bits;
  std::string* state_bit_names;
  bdd initial_state;
  bdd* force_to_0;
  bdd* force_to_1;
  int nb_outputs;
  std::string* output_names;
  bdd* emissions;
};

// Esterel condition text of f: "not tick" for the constant 0, "tick" for
// the constant 1, else the sum of products with " or ", " and ", "not ".
std::string local_FSM_bddtoexpesterel(bddpp_manager* manager, bdd f, int level);

// Debug printers (debug_dump.cpp). An input: "(" type word "," name ")".
std::ostream& operator<<(std::ostream& os, const FSM_input& input);
// The French dump of the whole machine.
std::ostream& operator<<(std::ostream& os, const FBA& machine);
// A transition on one line: "[ initial: " source ", final:" target
// ", cond: " guard ", cond actions : " then "k--> " action " " per output,
// "]" and an end of line.
std::ostream& operator<<(std::ostream& os, const FBA_real_transition& t);
// The same line with the sets of 1-bits in place of the state numbers.
std::ostream& operator<<(std::ostream& os, const FBA_transition& t);

// One line of a scenario's awaited table, without its end: a, ": ", then
// "{" each element and a blank "} " per inner set.
void fbamrsetsetput(std::ostream& os, long a, std::set<std::set<int> >& t);
// One line of a scenario's trigger table, without its end: a, ": ", then
// "{" e "} " per element e of u and "{" d + e "} " per element e of w.
void fbamrsetput(std::ostream& os, long a, long d, std::set<int>& u, std::set<int>& w);

#endif
