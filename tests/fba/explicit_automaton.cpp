// Explicit automata for the writer tests: the machine builder and the
// reference simulation.
#include "explicit_automaton.h"

#include <algorithm>
#include <cctype>
#include <list>
#include <random>
#include <set>

#include <gtest/gtest.h>

namespace {

// Splits a guard into words (letters, digits, "_", "@") and one-character
// tokens; blanks separate tokens.
std::vector<std::string> tokenize(const std::string& text) {
  std::vector<std::string> tokens;
  std::size_t i = 0;
  auto word_char = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '@';
  };
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
    } else if (word_char(text[i])) {
      std::size_t j = i;
      while (j < text.size() && word_char(text[j])) ++j;
      tokens.push_back(text.substr(i, j - i));
      i = j;
    } else {
      tokens.push_back(text.substr(i, 1));
      ++i;
    }
  }
  return tokens;
}

// Recursive-descent evaluation: or of ands of (not)* atoms.
class guard_evaluator {
public:
  guard_evaluator(const explicit_automaton& a, const std::string& guard,
                  const std::vector<int>& values)
      : automaton(a), tokens(tokenize(guard)), values(values) {}

  bool run() {
    const bool v = disjunction();
    EXPECT_EQ(pos, tokens.size()) << "trailing tokens in a test guard";
    return v;
  }

private:
  const explicit_automaton& automaton;
  std::vector<std::string> tokens;
  const std::vector<int>& values;
  std::size_t pos = 0;

  bool at(const std::string& t) const {
    return pos < tokens.size() && tokens[pos] == t;
  }

  bool disjunction() {
    bool v = conjunction();
    while (at("or")) {
      ++pos;
      const bool w = conjunction();
      v = v || w;
    }
    return v;
  }

  bool conjunction() {
    bool v = unary();
    while (at("and")) {
      ++pos;
      const bool w = unary();
      v = v && w;
    }
    return v;
  }

  bool unary() {
    if (at("not")) {
      ++pos;
      return !unary();
    }
    if (at("(")) {
      ++pos;
      const bool v = disjunction();
      EXPECT_TRUE(at(")")) << "unbalanced test guard";
      ++pos;
      return v;
    }
    if (pos >= tokens.size()) {
      ADD_FAILURE() << "test guard ends early";
      return false;
    }
    const std::string t = tokens[pos++];
    if (t == "0") return false;
    if (t == "1") return true;
    const auto& names = automaton.inputs;
    const auto it = std::find(names.begin(), names.end(), t);
    if (it == names.end()) {
      ADD_FAILURE() << "unknown input in a test guard: " << t;
      return false;
    }
    return values[it - names.begin()] != 0;
  }
};

// Transitions leaving state s, in priority order (-1 last, ties in index
// order), as indices into a.transitions.
std::vector<int> ordered_transitions(const explicit_automaton& a, int s) {
  std::vector<int> out;
  for (std::size_t t = 0; t < a.transitions.size(); ++t)
    if (a.transitions[t].source == s) out.push_back(static_cast<int>(t));
  std::stable_sort(out.begin(), out.end(), [&](int x, int y) {
    const int px = a.transitions[x].priority;
    const int py = a.transitions[y].priority;
    return px != -1 && (py == -1 || px < py);
  });
  return out;
}

// Position of output `name`, -1 when the automaton has none of that name.
int output_index(const explicit_automaton& a, const std::string& name) {
  const auto it = std::find(a.outputs.begin(), a.outputs.end(), name);
  return it == a.outputs.end() ? -1 : static_cast<int>(it - a.outputs.begin());
}

std::string state_code(int s, int bits) {
  std::string code;
  for (int i = 0; i < bits; ++i) code += ((s >> i) & 1) ? '1' : '0';
  return code;
}

}  // namespace

int explicit_automaton::initial_state() const {
  for (const auto& t : transitions)
    if (t.source == -1) return t.target;
  return 0;
}

int explicit_automaton::state_bits() const {
  int k = 0;
  while ((1 << k) < states) ++k;
  return k;
}

bool evaluate_guard(const explicit_automaton& a, const std::string& guard,
                    const std::vector<int>& values) {
  return guard_evaluator(a, guard, values).run();
}

std::unique_ptr<FBA> build_explicit_machine(const explicit_automaton& a) {
  const int bits = a.state_bits();
  const int initial = a.initial_state();
  std::set<int> initially_true;
  std::list<std::string> bit_names;
  for (int i = 0; i < bits; ++i) {
    if ((initial >> i) & 1) initially_true.insert(i);
    bit_names.push_back(std::to_string(i));
  }
  std::list<FSM_input> inputs;
  for (const auto& name : a.inputs)
    inputs.emplace_back(static_cast<FSM_type_input>(2), name);
  const std::list<std::string> outputs(a.outputs.begin(), a.outputs.end());
  auto machine = std::make_unique<FBA>(a.name, initially_true, inputs,
                                       outputs, bit_names);
  bddpp_manager* m = machine->get_manager();

  // Guards, made exclusive in priority order state by state.
  std::vector<bdd> guards(a.transitions.size());
  for (std::size_t t = 0; t < a.transitions.size(); ++t) {
    if (a.transitions[t].source < 0) continue;
    int error = 0;
    guards[t] = m->Parse_expression(a.transitions[t].guard, &error);
    if (error != 0) {
      ADD_FAILURE() << "guard does not parse: " << a.transitions[t].guard;
      return nullptr;
    }
  }
  for (int s = 0; s < a.states; ++s) {
    bdd cover = m->Bdd_zero();
    for (int t : ordered_transitions(a, s)) {
      guards[t] = m->Bdd_and(guards[t], m->Bdd_not(cover));
      cover = m->Bdd_or(cover, guards[t]);
    }
  }

  const std::size_t n_out = a.outputs.size();
  std::vector<bdd> actions(n_out == 0 ? 1 : n_out);
  auto clear_actions = [&] {
    for (auto& b : actions) b = m->Bdd_zero();
  };
  for (std::size_t t = 0; t < a.transitions.size(); ++t) {
    const explicit_transition& tr = a.transitions[t];
    if (tr.source < 0 || tr.target < 0) continue;
    clear_actions();
    for (const auto& name : tr.actions) {
      const int k = output_index(a, name);
      if (k < 0) {
        ADD_FAILURE() << "unknown output in a test transition: " << name;
        return nullptr;
      }
      actions[k] = m->Bdd_one();
    }
    machine->add_evolution(FBA_real_transition(machine.get(), tr.source,
                                               tr.target, actions.data(),
                                               guards[t]));
  }
  clear_actions();
  for (int s = 0; s < a.states; ++s) {
    if (!ordered_transitions(a, s).empty()) continue;
    machine->add_evolution(FBA_real_transition(machine.get(), s, s,
                                               actions.data(), m->Bdd_one()));
  }
  for (int s = 0; s < a.states && s < static_cast<int>(a.moore.size()); ++s) {
    for (const auto& name : a.moore[s]) {
      const int k = output_index(a, name);
      if (k < 0) {
        ADD_FAILURE() << "unknown output in a test state: " << name;
        return nullptr;
      }
      machine->add_Moore_action(s, k, m->Bdd_one());
    }
  }
  return machine;
}

std::vector<std::vector<int>> random_inputs(const explicit_automaton& a,
                                            int steps, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<std::vector<int>> seq(steps);
  for (auto& v : seq) {
    v.resize(a.inputs.size());
    for (auto& x : v) x = static_cast<int>(rng() & 1u);
  }
  return seq;
}

std::vector<std::string> reference_run(
    const explicit_automaton& a, const std::vector<std::vector<int>>& inputs) {
  const int bits = a.state_bits();
  int state = a.initial_state();
  std::vector<std::string> trace;
  trace.push_back("s=" + state_code(state, bits) + " o=" +
                  std::string(a.outputs.size(), '0'));
  for (std::size_t step = 0; step < inputs.size(); ++step) {
    std::string out(a.outputs.size(), '0');
    const std::vector<int> order = ordered_transitions(a, state);
    int next = state;
    if (!order.empty()) {
      int fired = -1;
      for (int t : order) {
        if (evaluate_guard(a, a.transitions[t].guard, inputs[step])) {
          fired = t;
          break;
        }
      }
      if (fired < 0) {
        ADD_FAILURE() << "no transition of state " << state << " holds at step "
                      << step;
        return trace;
      }
      next = a.transitions[fired].target;
      for (const auto& name : a.transitions[fired].actions)
        out[output_index(a, name)] = '1';
    }
    if (next >= 0 && next < static_cast<int>(a.moore.size()))
      for (const auto& name : a.moore[next]) out[output_index(a, name)] = '1';
    state = next;
    trace.push_back("s=" + state_code(state, bits) + " o=" + out);
  }
  return trace;
}
