// From test automata to models and boolean machines, the reference run and
// netlist, and the sample automata.
#include "support/machine.h"

#include <algorithm>
#include <list>
#include <set>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

namespace ktest {

std::unique_ptr<gal_tpen_fichier> to_file(const automaton& a) {
  std::string name = a.name;
  std::list<std::string> types{"bool"};
  const std::vector<std::string>& names = action_names(a);
  std::list<std::string> actions(names.begin(), names.end());
  std::list<gal_declaration_variables> inputs, sensors, outputs, locals, variables;
  for (const std::string& i : a.inputs) inputs.emplace_back("bool", i);
  for (const std::string& o : a.outputs) outputs.emplace_back("", o);
  std::list<gal_declaration_progs> runs;
  std::list<gal_declaration_functions> functions;
  std::list<gal_declaration_constants> constants;
  auto f = std::make_unique<gal_tpen_fichier>(&name, a.kind, &types, &inputs, &sensors, &outputs,
                                              &locals, &variables, &runs, &functions, &constants,
                                              &actions);
  std::list<gal_tpen_etat> states;
  for (std::size_t s = 0; s < a.state_outputs.size(); ++s) {
    std::string state_name = "s" + std::to_string(s);
    std::list<int> moore(a.state_outputs[s].begin(), a.state_outputs[s].end());
    states.emplace_back(1, &state_name, 100.0 * s, 100.0, gal_run_instance(-1, std::string()),
                        &moore);
  }
  std::list<gal_tpen_transition> transitions;
  for (const transition& t : transition_table(a)) {
    const double label = t.source == -1 ? 0.0 : 10.0;
    transitions.emplace_back(t.source, t.target, 1, label, label, t.priority, t.guard,
                             std::list<int>(t.outputs.begin(), t.outputs.end()));
  }
  f->parse_etats(&states);
  f->parse_transitions(&transitions);
  f->normalise_diametre_etats();
  f->update_simple_connexite();
  f->raj_pre_post_transitions();
  return f;
}

bdd parse_in(const FBA& machine, const std::string& text) {
  int error = 0;
  bdd f = machine.get_manager()->Parse_expression(text, &error);
  EXPECT_EQ(error, 0) << "expression \"" << text << "\" does not parse";
  return f;
}
std::unique_ptr<FBA> to_machine(const automaton& a, build how) {
  const int bits = a.state_bits();
  std::set<int> initially_true;
  std::list<std::string> bit_names;
  for (int i = 0; i < bits; ++i) {
    // A machine may have more state bits than an int has: those start at 0.
    if (a.initial >= 0 && i < 31 && ((a.initial >> i) & 1) != 0) initially_true.insert(i);
    bit_names.push_back(std::to_string(i));
  }
  std::list<FSM_input> inputs;
  for (const auto& name : a.inputs) inputs.emplace_back(FSM_type_bool, name);
  const std::list<std::string> outputs(a.outputs.begin(), a.outputs.end());
  auto machine = std::make_unique<FBA>(a.name, initially_true, inputs, outputs, bit_names);
  bddpp_manager* m = machine->get_manager();

  const int count = static_cast<int>(a.outputs.size());
  std::vector<bdd> actions(count == 0 ? 1 : count);
  auto clear_actions = [&] {
    for (auto& b : actions) b = m->Bdd_zero();
  };
  auto known = [&](int k, const char* where) {
    if (k >= 0 && k < count) return true;
    ADD_FAILURE() << "no output " << k << " for a test " << where;
    return false;
  };

  if (how == build::as_listed) {
    for (const transition& tr : a.transitions) {
      clear_actions();
      for (int k : tr.outputs) {
        if (!known(k, "transition")) return nullptr;
        actions[k] = m->Bdd_one();
      }
      machine->add_evolution(FBA_real_transition(machine.get(), tr.source, tr.target,
                                                 actions.data(), parse_in(*machine, tr.guard)));
    }
  } else {
    // Guards, made exclusive in priority order state by state.
    std::vector<bdd> guards(a.transitions.size());
    for (std::size_t t = 0; t < a.transitions.size(); ++t) {
      int error = 0;
      guards[t] = m->Parse_expression(a.transitions[t].guard, &error);
      if (error != 0) {
        ADD_FAILURE() << "guard does not parse: " << a.transitions[t].guard;
        return nullptr;
      }
    }
    for (int s = 0; s < a.states(); ++s) {
      bdd cover = m->Bdd_zero();
      for (int t : tried_order(a, s)) {
        guards[t] = m->Bdd_and(guards[t], m->Bdd_not(cover));
        cover = m->Bdd_or(cover, guards[t]);
      }
    }
    for (std::size_t t = 0; t < a.transitions.size(); ++t) {
      const transition& tr = a.transitions[t];
      clear_actions();
      for (int k : tr.outputs) {
        if (!known(k, "transition")) return nullptr;
        actions[k] = m->Bdd_one();
      }
      machine->add_evolution(
          FBA_real_transition(machine.get(), tr.source, tr.target, actions.data(), guards[t]));
    }
    clear_actions();
    for (int s = 0; s < a.states(); ++s) {
      if (!tried_order(a, s).empty()) continue;
      machine->add_evolution(
          FBA_real_transition(machine.get(), s, s, actions.data(), m->Bdd_one()));
    }
  }
  for (int s = 0; s < a.states(); ++s) {
    for (int k : a.state_outputs[s]) {
      if (!known(k, "state")) return nullptr;
      machine->add_Moore_action(s, k, m->Bdd_one());
    }
  }
  for (const moore_action& moore : a.moore_actions) {
    machine->add_Moore_action(moore.state, moore.output, parse_in(*machine, moore.condition));
  }
  return machine;
}

std::vector<std::string> reference_run(const automaton& a,
                                       const std::vector<std::vector<int>>& inputs) {
  if (a.initial < 0 || a.initial >= a.states()) {
    ADD_FAILURE() << "no initial state to run from";
    return {};
  }
  const int bits = a.state_bits();
  auto code = [bits](int s) {
    std::string c;
    for (int i = 0; i < bits; ++i) c += (i < 31 && ((s >> i) & 1) != 0) ? '1' : '0';
    return c;
  };
  auto digits = [](const std::vector<int>& outputs) {
    std::string o;
    for (int v : outputs) o += v != 0 ? '1' : '0';
    return o;
  };
  int state = a.initial;
  std::vector<std::string> trace;
  trace.push_back("s=" + code(state) + " o=" + std::string(a.outputs.size(), '0'));
  for (std::size_t step = 0; step < inputs.size(); ++step) {
    std::uint32_t values = 0;
    for (std::size_t i = 0; i < inputs[step].size(); ++i) {
      if (inputs[step][i] != 0) values |= 1u << i;
    }
    reaction r{state, {}};
    try {
      r = react(a, state, values);
    } catch (const std::runtime_error& e) {
      ADD_FAILURE() << "state " << state << " at step " << step << ": " << e.what();
      return trace;
    }
    state = r.next;
    trace.push_back("s=" + code(state) + " o=" + digits(r.outputs));
  }
  return trace;
}

std::string reference_blif(const automaton& a) {
  if (!a.moore_actions.empty()) {
    ADD_FAILURE() << "the reference netlist has no conditional Moore action";
  }
  const int states = static_cast<int>(a.state_outputs.size());
  const int transitions = static_cast<int>(a.transitions.size());
  const std::uint32_t combinations = 1u << a.inputs.size();
  std::ostringstream out;
  out << ".model reference\n.inputs";
  for (const std::string& in : a.inputs) out << " " << in;
  out << "\n.outputs";
  for (const std::string& o : a.outputs) out << " " << o;
  out << "\n";
  for (int s = 0; s < states; ++s) {
    out << ".latch ref_n" << s << " ref_s" << s << " " << (s == a.initial ? 1 : 0) << "\n";
  }
  // Firing net of each transition: its state's latch and the input
  // combinations under which it is the one taken. A state without
  // transition stays: its firing net is its latch.
  std::vector<std::string> firing(transitions);
  for (int t = 0; t < transitions; ++t) {
    firing[t] = "ref_f" + std::to_string(t);
    std::string rows;
    for (std::uint32_t v = 0; v < combinations; ++v) {
      if (fired(a, a.transitions[t].source, v) != t) continue;
      rows += "1";
      for (std::size_t i = 0; i < a.inputs.size(); ++i) rows += ((v >> i) & 1u) ? '1' : '0';
      rows += " 1\n";
    }
    // A transition never taken is the constant 0: a table without inputs
    // and rows.
    if (rows.empty()) {
      out << ".names " << firing[t] << "\n";
      continue;
    }
    out << ".names ref_s" << a.transitions[t].source;
    for (const std::string& in : a.inputs) out << " " << in;
    out << " " << firing[t] << "\n" << rows;
  }
  std::vector<std::vector<std::string>> entering(states);
  for (int t = 0; t < transitions; ++t) entering[a.transitions[t].target].push_back(firing[t]);
  for (int s = 0; s < states; ++s) {
    if (tried_order(a, s).empty()) entering[s].push_back("ref_s" + std::to_string(s));
  }
  auto disjunction = [&](const std::vector<std::string>& terms, const std::string& net) {
    out << ".names";
    for (const std::string& term : terms) out << " " << term;
    out << " " << net << "\n";
    for (std::size_t i = 0; i < terms.size(); ++i) {
      for (std::size_t j = 0; j < terms.size(); ++j) out << (i == j ? '1' : '-');
      out << " 1\n";
    }
  };
  for (int s = 0; s < states; ++s) disjunction(entering[s], "ref_n" + std::to_string(s));
  for (std::size_t k = 0; k < a.outputs.size(); ++k) {
    std::vector<std::string> terms;
    for (int t = 0; t < transitions; ++t) {
      const std::vector<int>& mealy = a.transitions[t].outputs;
      const std::vector<int>& moore = a.state_outputs[a.transitions[t].target];
      if (std::count(mealy.begin(), mealy.end(), static_cast<int>(k)) != 0 ||
          std::count(moore.begin(), moore.end(), static_cast<int>(k)) != 0) {
        terms.push_back(firing[t]);
      }
    }
    for (int s = 0; s < states; ++s) {
      const std::vector<int>& moore = a.state_outputs[s];
      if (tried_order(a, s).empty() &&
          std::count(moore.begin(), moore.end(), static_cast<int>(k)) != 0) {
        terms.push_back("ref_s" + std::to_string(s));
      }
    }
    disjunction(terms, a.outputs[k]);
  }
  out << ".end\n";
  return out.str();
}

namespace {

// A sample automaton under its name in the catalogue (the module name of
// the automaton may be another).
struct sample {
  std::string key;
  automaton a;
};

std::vector<sample> make_samples() {
  std::vector<sample> all;
  auto add = [&all](const std::string& key, automaton a) { all.push_back({key, std::move(a)}); };

  // ---- Automata with a state table.

  // Outputs: on 0, edge 1.
  add("follower", {"follower",
                   {"go"},
                   {"on", "edge"},
                   {{}, {0}},
                   0,
                   {{0, 1, 0, "go", {1}},
                    {0, 0, 0, "not go", {}},
                    {1, 1, 0, "go", {}},
                    {1, 0, 0, "not go", {}}}});

  // Outputs: never 0, always 1, done 2.
  add("pulse", {"pulse",
                {},
                {"never", "always", "done"},
                {{}, {2}},
                0,
                {{0, 1, 0, "1", {1}}, {1, 1, 0, "1", {1}}}});

  add("relay_box", {"relay_box",
                    {"en_a", "b"},
                    {"y"},
                    {{}},
                    0,
                    {{0, 0, 0, "en_a and not b", {0}}, {0, 0, -1, "1", {}}}});

  add("idle", {"idle", {}, {}, {{}}, 0, {}});

  {
    automaton latch{"latch2", {"a", "b"}, {}, {{}, {}, {}, {}}, 2, {}};
    const char* const guards[4] = {"not a and not b", "a and not b", "not a and b", "a and b"};
    for (int s = 0; s < 4; ++s)
      for (int c = 0; c < 4; ++c) latch.transitions.push_back({s, c, 0, guards[c], {}});
    add("latch2", latch);
  }

  // Outputs: grant1 0, grant2 1.
  add("arbiter", {"arbiter",
                  {"req1", "req2"},
                  {"grant1", "grant2"},
                  {{}, {0}, {1}},
                  0,
                  {{0, 1, 0, "req1", {}},
                   {0, 2, 1, "req2", {}},
                   {0, 0, -1, "1", {}},
                   {1, 1, 0, "req1", {}},
                   {1, 2, 1, "req2", {}},
                   {1, 0, -1, "1", {}},
                   {2, 2, 0, "req2", {}},
                   {2, 1, 1, "req1", {}},
                   {2, 0, -1, "1", {}}}});

  // Outputs: motor 0, alarm 1, ready 2.
  add("controller", {"controller",
                     {"start", "stop", "fault"},
                     {"motor", "alarm", "ready"},
                     {{}, {0}, {1}},
                     0,
                     {{0, 1, 0, "start and not fault", {}},
                      {0, 2, 0, "fault", {}},
                      {0, 0, 0, "not start and not fault", {}},
                      {1, 0, 0, "stop and not fault", {2}},
                      {1, 2, 0, "fault", {}},
                      {1, 1, 0, "not stop and not fault", {}},
                      {2, 0, 0, "stop", {2}},
                      {2, 2, 0, "not stop", {}}}});

  // Raises "hit" (0) on the transition that completes 1,0,1 and keeps
  // "seen" (1) up in the two states reached after it.
  add("detector", {"detector",
                   {"x"},
                   {"hit", "seen"},
                   {{}, {}, {}, {1}, {1}},
                   0,
                   {{0, 1, 0, "x", {}},
                    {0, 0, -1, "1", {}},
                    {1, 2, 0, "not x", {}},
                    {1, 1, -1, "1", {}},
                    {2, 3, 0, "x", {0}},
                    {2, 0, -1, "1", {}},
                    {3, 4, 0, "x", {}},
                    {3, 2, -1, "1", {}},
                    {4, 2, 0, "not x", {}},
                    {4, 4, 1, "(x)", {}}}});

  // Output o on "a or b": two products in the cover of level 0, whose
  // second product loses its literal !a from level 1 on. The guards are
  // exclusive, so that the machine is the same compiled or as listed.
  add("either", {"either",
                 {"a", "b"},
                 {"o"},
                 {{}},
                 0,
                 {{0, 0, 0, "a or b", {0}}, {0, 0, 0, "not a and not b", {}}}});

  // State 2 only leaves, so no transition ever sets bit 1.
  add("stuck",
      {"stuck",
       {"t"},
       {},
       {{}, {}, {}},
       0,
       {{0, 1, 0, "t", {}}, {0, 0, 0, "not t", {}}, {1, 0, 0, "1", {}}, {2, 0, 0, "1", {}}}});

  // ---- Machines given by their state codes.

  add("example", coded_automaton("m", {"a"}, {"o"}, 1, 0,
                                 {{0, 1, 0, "a", {}},
                                  {0, 0, 0, "not a", {}},
                                  {1, 1, 0, "a", {0}},
                                  {1, 0, 0, "not a", {0}}}));

  add("constants", coded_automaton("k", {}, {"z", "w"}, 2, 2, {{2, 2, 0, "1", {}}}, {{2, 1, "1"}}));

  add("one_state",
      coded_automaton("s", {"a", "b"}, {"o", "p", "q"}, 0, 0,
                      {{0, 0, 0, "a and not b", {0, 1}}, {0, 0, 0, "not a or b", {1}}}));

  add("empty", coded_automaton("e", {}, {}, 0));

  // States 0, 1, 2 on two bits; go counts, rst returns to 0 first; wrap on
  // the way from 2 back to 0, busy in 1 and (without go) in 2, idle in 0
  // under rst or without go.
  add("counter", coded_automaton("counter", {"go", "rst"}, {"wrap", "busy", "idle"}, 2, 0,
                                 {{0, 0, 0, "rst or not go", {}},
                                  {0, 1, 0, "not rst and go", {}},
                                  {1, 0, 0, "rst", {}},
                                  {1, 1, 0, "not rst and not go", {}},
                                  {1, 2, 0, "not rst and go", {}},
                                  {2, 0, 0, "rst", {}},
                                  {2, 2, 0, "not rst and not go", {}},
                                  {2, 0, 0, "not rst and go", {0}}},
                                 {{1, 1, "1"}, {2, 1, "not go"}, {0, 2, "rst or not go"}}));

  add("shared_nets",
      coded_automaton("shared", {"a"}, {"o1", "o2", "o3"}, 1, 1,
                      {{1, 1, 0, "a", {0, 1}}, {1, 0, 0, "not a", {2}}, {0, 0, 0, "1", {2}}}));

  add("input_outputs", coded_automaton("inout", {"a", "b"}, {"o", "p"}, 0, 0,
                                       {{0, 0, 0, "a and b", {0, 1}},
                                        {0, 0, 0, "a and not b", {0}},
                                        {0, 0, 0, "not a and b", {1}},
                                        {0, 0, 0, "not a and not b", {}}}));

  add("toggle", coded_automaton("r", {}, {}, 2, 0, {{0, 1, 0, "1", {}}, {1, 0, 0, "1", {}}}));

  add("two_products", coded_automaton("m2", {"a", "b"}, {}, 1, 0,
                                      {{0, 1, 0, "a or b", {}},
                                       {0, 0, 0, "not a and not b", {}},
                                       {1, 1, 0, "b", {}},
                                       {1, 0, 0, "not b", {}}}));

  add("scenario", coded_automaton("sce", {"a", "b"}, {"st", "su", "fa"}, 1, 0,
                                  {{0, 1, 0, "a", {0}},
                                   {0, 0, 0, "not a", {}},
                                   {1, 1, 0, "a", {}},
                                   {1, 0, 0, "not a", {2}}},
                                  {{1, 1, "b"}}));
  return all;
}

const std::vector<sample>& samples() {
  static const std::vector<sample> all = make_samples();
  return all;
}

}  // namespace

const automaton& sample_automaton(const std::string& name) {
  for (const sample& s : samples()) {
    if (s.key == name) return s.a;
  }
  ADD_FAILURE() << "no sample automaton named " << name;
  return samples().front().a;
}

std::vector<std::string> sample_names() {
  std::vector<std::string> names;
  for (const sample& s : samples()) names.push_back(s.key);
  return names;
}

}  // namespace ktest
