// Test automata: GAL text, boolean machine, guard evaluator, reference
// interpreter, random generation and reference one-latch-per-state netlist.
#include "support/automaton.h"

#include <algorithm>
#include <cctype>
#include <list>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "fba/FBA.h"

namespace ktest {

namespace {

// Recursive-descent evaluator of receptivity texts.
class evaluator {
 public:
  evaluator(const std::string& text, const std::vector<std::string>& inputs, std::uint32_t values)
      : inputs_(inputs), values_(values) {
    std::size_t i = 0;
    while (i < text.size()) {
      const unsigned char c = text[i];
      if (std::isspace(c)) {
        ++i;
      } else if (std::isalnum(c) || c == '_' || c == '@') {
        std::size_t j = i;
        while (j < text.size() && (std::isalnum(static_cast<unsigned char>(text[j])) ||
                                   text[j] == '_' || text[j] == '@')) {
          ++j;
        }
        tokens_.push_back(text.substr(i, j - i));
        i = j;
      } else {
        tokens_.push_back(std::string(1, text[i]));
        ++i;
      }
    }
  }

  bool run() {
    const bool value = sum();
    if (position_ != tokens_.size()) throw std::runtime_error("trailing tokens");
    return value;
  }

 private:
  bool at(std::initializer_list<const char*> words) const {
    if (position_ >= tokens_.size()) return false;
    for (const char* w : words) {
      if (tokens_[position_] == w) return true;
    }
    return false;
  }

  bool sum() {
    bool value = product();
    while (at({"or", "OR", "+", "|", "xor", "XOR", "xnor", "XNOR"})) {
      const std::string op = tokens_[position_++];
      const bool right = product();
      if (op == "xor" || op == "XOR") {
        value = value != right;
      } else if (op == "xnor" || op == "XNOR") {
        value = value == right;
      } else {
        value = value || right;
      }
    }
    return value;
  }

  bool product() {
    bool value = factor();
    while (at({"and", "AND", ".", "&"})) {
      ++position_;
      const bool right = factor();
      value = value && right;
    }
    return value;
  }

  bool factor() {
    if (position_ >= tokens_.size()) throw std::runtime_error("missing operand");
    const std::string token = tokens_[position_++];
    if (token == "not" || token == "NOT" || token == "!" || token == "~") {
      return !factor();
    }
    if (token == "(" || token == "[") {
      const bool value = sum();
      if (!at({")", "]"})) throw std::runtime_error("missing bracket");
      ++position_;
      return value;
    }
    if (token == "0") return false;
    if (token == "1") return true;
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
      if (inputs_[i] == token) return ((values_ >> i) & 1u) != 0;
    }
    throw std::runtime_error("unknown name " + token);
  }

  const std::vector<std::string>& inputs_;
  std::uint32_t values_;
  std::vector<std::string> tokens_;
  std::size_t position_ = 0;
};

// Indices of the transitions leaving `state`, in the order in which their
// guards are tried: ascending priority, -1 last, ties by index.
std::vector<int> tried_order(const automaton& a, int state) {
  std::vector<int> order;
  for (std::size_t t = 0; t < a.transitions.size(); ++t) {
    if (a.transitions[t].source == state) order.push_back(static_cast<int>(t));
  }
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
    const int px = a.transitions[x].priority;
    const int py = a.transitions[y].priority;
    return px != -1 && (py == -1 || px < py);
  });
  return order;
}

// The transition fired from `state` under `values`, -1 when the state has
// no transition or none fires.
int fired(const automaton& a, int state, std::uint32_t values) {
  for (int t : tried_order(a, state)) {
    if (evaluate(a.transitions[t].guard, a.inputs, values)) return t;
  }
  return -1;
}

// A random receptivity over `inputs` of at most `depth` operator levels,
// spelt with the several forms that the receptivity language accepts.
std::string random_guard(std::mt19937& rng, const std::vector<std::string>& inputs, int depth) {
  std::uniform_int_distribution<int> pick_input(0, static_cast<int>(inputs.size()) - 1);
  std::uniform_int_distribution<int> coin(0, 3);
  if (depth == 0 || coin(rng) == 0) {
    static const char* const negations[] = {"not ", "!", "~", "NOT "};
    const std::string name = inputs[pick_input(rng)];
    return coin(rng) < 2 ? name : negations[coin(rng)] + name;
  }
  static const char* const operators[] = {" and ", " or ",  " xor ", " & ",
                                          " | ",   " AND ", " . ",   " + "};
  std::uniform_int_distribution<int> pick_operator(0, 7);
  return "(" + random_guard(rng, inputs, depth - 1) + operators[pick_operator(rng)] +
         random_guard(rng, inputs, depth - 1) + ")";
}

// Returns the indices k with a 1 in a draw of probability 1/`one_in` each.
std::vector<int> random_subset(std::mt19937& rng, int count, int one_in) {
  std::vector<int> subset;
  std::uniform_int_distribution<int> draw(0, one_in - 1);
  for (int k = 0; k < count; ++k) {
    if (draw(rng) == 0) subset.push_back(k);
  }
  return subset;
}

// The "Action:" table of the GAL text and of the model.
const std::vector<std::string>& action_table(const automaton& a) {
  return a.actions.empty() ? a.outputs : a.actions;
}

// The transition table as written: the initial transition first when the
// automaton has one of its own.
std::vector<transition> table(const automaton& a) {
  std::vector<transition> all;
  if (a.initial != -1) all.push_back({-1, a.initial, 0, "1", {}});
  all.insert(all.end(), a.transitions.begin(), a.transitions.end());
  return all;
}

// Sets the outputs of the conditional Moore actions of `state` that hold
// under `values`.
void conditional_moore(const automaton& a, int state, std::uint32_t values,
                       std::vector<int>& outputs) {
  for (const moore_action& m : a.moore_actions) {
    if (m.state == state && evaluate(m.condition, a.inputs, values)) outputs.at(m.output) = 1;
  }
}

}  // namespace

bool evaluate(const std::string& text, const std::vector<std::string>& inputs,
              std::uint32_t values) {
  return evaluator(text, inputs, values).run();
}

std::string to_gal(const automaton& a) {
  static const char* const kinds[] = {
      "basic_model:", "par_automata_model:", "light_esterel_model:", "synccharts_model:"};
  if (a.kind < 0 || a.kind > 3) ADD_FAILURE() << "no GAL keyword for the model kind " << a.kind;
  if (!a.moore_actions.empty()) ADD_FAILURE() << "a GAL text has no conditional Moore action";
  std::ostringstream out;
  auto declarations = [&](const char* keyword, const std::vector<std::string>& names,
                          const char* type) {
    out << keyword;
    for (std::size_t i = 0; i < names.size(); ++i) {
      out << (i == 0 ? " " : " , ") << names[i] << " : " << type;
    }
    out << " ;\n";
  };
  // A section of items separated by commas and closed by a semicolon.
  auto section = [&](const char* keyword, const std::vector<std::string>& items) {
    out << keyword;
    for (std::size_t i = 0; i < items.size(); ++i) out << (i == 0 ? "\n  " : " ,\n  ") << items[i];
    out << " ;\n";
  };
  out << "Name: " << a.name << " : " << kinds[a.kind >= 0 && a.kind <= 3 ? a.kind : 0]
      << " ;\nType: bool ;\n";
  declarations("Input:", a.inputs, "bool");
  out << "Sensor: ;\n";
  declarations("Output:", a.outputs, "");
  out << "Local: ;\nVariable: ;\nRun: ;\nFunction: ;\nConstant: ;\nAction:";
  const std::vector<std::string>& actions = action_table(a);
  for (std::size_t k = 0; k < actions.size(); ++k) {
    out << (k == 0 ? " \"" : " , \"") << actions[k] << "\"";
  }
  out << " ;\n";
  std::vector<std::string> items;
  for (std::size_t s = 0; s < a.state_outputs.size(); ++s) {
    std::ostringstream item;
    item << "NS: \"s" << s << "\" " << 100 * s << " 100 : -1 :";
    for (int k : a.state_outputs[s]) item << " " << k;
    items.push_back(item.str());
  }
  section("Star:", items);
  items.clear();
  for (const transition& t : table(a)) {
    std::ostringstream item;
    const int label = t.source == -1 ? 0 : 10;
    item << "From: " << t.source << " To: " << t.target << " Type: 1 By: : " << label << " "
         << label << " " << t.priority << " \"" << t.guard << "\" /";
    for (int k : t.outputs) item << " " << k;
    items.push_back(item.str());
  }
  section("Transition:", items);
  return out.str();
}

std::unique_ptr<gal_tpen_fichier> to_file(const automaton& a) {
  std::string name = a.name;
  std::list<std::string> types{"bool"};
  const std::vector<std::string>& action_names = action_table(a);
  std::list<std::string> actions(action_names.begin(), action_names.end());
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
  for (const transition& t : table(a)) {
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

automaton random_automaton(std::uint32_t seed, int states, int inputs, int outputs) {
  std::mt19937 rng(seed);
  automaton a;
  a.name = "random" + std::to_string(seed);
  for (int i = 0; i < inputs; ++i) a.inputs.push_back("in" + std::to_string(i));
  for (int k = 0; k < outputs; ++k) a.outputs.push_back("out" + std::to_string(k));
  std::uniform_int_distribution<int> pick_state(0, states - 1);
  std::uniform_int_distribution<int> pick_input(0, inputs - 1);
  std::uniform_int_distribution<int> percent(0, 99);
  a.initial = pick_state(rng);
  a.state_outputs.resize(states);
  for (int s = 0; s < states; ++s) {
    if (s != a.initial) a.state_outputs[s] = random_subset(rng, outputs, 5);
    const int mode = percent(rng);
    if (mode < 5) continue;  // a sink state
    if (mode < 55) {
      // Guards tried by priority, closed by an "otherwise" transition.
      const int guarded = 1 + percent(rng) % 3;
      for (int p = 0; p < guarded; ++p) {
        a.transitions.push_back({s, pick_state(rng), p, random_guard(rng, a.inputs, 2),
                                 random_subset(rng, outputs, 4)});
      }
      a.transitions.push_back({s, pick_state(rng), -1, "1", random_subset(rng, outputs, 4)});
    } else {
      // Exclusive cubes over one or two inputs, all of priority 0.
      const std::string x = a.inputs[pick_input(rng)];
      std::string y = a.inputs[pick_input(rng)];
      const std::vector<std::string> cubes =
          (y == x)
              ? std::vector<std::string>{x, "not " + x}
              : std::vector<std::string>{x + " and " + y, x + " and not " + y,
                                         "not " + x + " and " + y, "not (" + x + " or " + y + ")"};
      for (const std::string& cube : cubes) {
        a.transitions.push_back({s, pick_state(rng), 0, cube, random_subset(rng, outputs, 4)});
      }
    }
  }
  return a;
}

reaction react(const automaton& a, int state, std::uint32_t values) {
  reaction r{state, std::vector<int>(a.outputs.size(), 0)};
  const int t = fired(a, state, values);
  bool has_transition = false;
  for (const transition& candidate : a.transitions) {
    has_transition = has_transition || candidate.source == state;
  }
  if (t >= 0) {
    r.next = a.transitions[t].target;
    for (int k : a.transitions[t].outputs) r.outputs[k] = 1;
  } else if (has_transition) {
    throw std::runtime_error("no transition fires: the automaton is incomplete");
  }
  for (int k : a.state_outputs[r.next]) r.outputs[k] = 1;
  conditional_moore(a, r.next, values, r.outputs);
  return r;
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

int automaton::state_bits() const {
  if (bits >= 0) return bits;
  int k = 0;
  while ((1 << k) < states()) ++k;
  return k;
}

bool evaluate(const std::string& text, const std::vector<std::string>& inputs,
              const std::vector<int>& values) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i] != 0) bits |= 1u << i;
  }
  return evaluate(text, inputs, bits);
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

std::vector<std::vector<int>> random_inputs(const automaton& a, int steps, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<std::vector<int>> seq(steps);
  for (auto& v : seq) {
    v.resize(a.inputs.size());
    for (auto& x : v) x = static_cast<int>(rng() & 1u);
  }
  return seq;
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
  int state = a.initial;
  std::vector<std::string> trace;
  trace.push_back("s=" + code(state) + " o=" + std::string(a.outputs.size(), '0'));
  for (std::size_t step = 0; step < inputs.size(); ++step) {
    std::string out(a.outputs.size(), '0');
    int next = state;
    std::uint32_t values = 0;
    for (std::size_t i = 0; i < inputs[step].size(); ++i) {
      if (inputs[step][i] != 0) values |= 1u << i;
    }
    if (!tried_order(a, state).empty()) {
      const int t = fired(a, state, values);
      if (t < 0) {
        ADD_FAILURE() << "no transition of state " << state << " holds at step " << step;
        return trace;
      }
      next = a.transitions[t].target;
      for (int k : a.transitions[t].outputs) out[k] = '1';
    }
    for (int k : a.state_outputs[next]) out[k] = '1';
    std::vector<int> conditional(a.outputs.size(), 0);
    conditional_moore(a, next, values, conditional);
    for (std::size_t k = 0; k < conditional.size(); ++k) {
      if (conditional[k] != 0) out[k] = '1';
    }
    state = next;
    trace.push_back("s=" + code(state) + " o=" + out);
  }
  return trace;
}

namespace {

std::vector<automaton> make_samples() {
  std::vector<automaton> all;

  // Outputs: on 0, edge 1.
  all.push_back({"follower",
                 {"go"},
                 {"on", "edge"},
                 {{}, {0}},
                 0,
                 {{0, 1, 0, "go", {1}},
                  {0, 0, 0, "not go", {}},
                  {1, 1, 0, "go", {}},
                  {1, 0, 0, "not go", {}}}});

  // Outputs: never 0, always 1, done 2.
  all.push_back({"pulse",
                 {},
                 {"never", "always", "done"},
                 {{}, {2}},
                 0,
                 {{0, 1, 0, "1", {1}}, {1, 1, 0, "1", {1}}}});

  all.push_back({"relay_box",
                 {"en_a", "b"},
                 {"y"},
                 {{}},
                 0,
                 {{0, 0, 0, "en_a and not b", {0}}, {0, 0, -1, "1", {}}}});

  all.push_back({"idle", {}, {}, {{}}, 0, {}});

  {
    automaton latch{"latch2", {"a", "b"}, {}, {{}, {}, {}, {}}, 2, {}};
    const char* const guards[4] = {"not a and not b", "a and not b", "not a and b", "a and b"};
    for (int s = 0; s < 4; ++s)
      for (int c = 0; c < 4; ++c) latch.transitions.push_back({s, c, 0, guards[c], {}});
    all.push_back(latch);
  }

  // Outputs: grant1 0, grant2 1.
  all.push_back({"arbiter",
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
  all.push_back({"controller",
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
  all.push_back({"detector",
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

  // Output y on "a or b": two products in every cover.
  all.push_back(
      {"either", {"a", "b"}, {"y"}, {{}}, 0, {{0, 0, 0, "a or b", {0}}, {0, 0, -1, "1", {}}}});

  // State 2 only leaves, so no transition ever sets bit 1.
  all.push_back(
      {"stuck",
       {"t"},
       {},
       {{}, {}, {}},
       0,
       {{0, 1, 0, "t", {}}, {0, 0, 0, "not t", {}}, {1, 0, 0, "1", {}}, {2, 0, 0, "1", {}}}});
  return all;
}

}  // namespace

const automaton& sample_automaton(const std::string& name) {
  static const std::vector<automaton> samples = make_samples();
  for (const auto& a : samples)
    if (a.name == name) return a;
  ADD_FAILURE() << "no sample automaton named " << name;
  return samples.front();
}

}  // namespace ktest
