// Test automata: GAL text, guard values, reference interpretation and
// random generation.
#include "support/automaton.h"

#include <algorithm>
#include <random>
#include <sstream>
#include <stdexcept>

#include "support/receptivity.h"

namespace ktest {

namespace {

// The truth value of a receptivity under an assignment of the inputs.
class truth_value : public receptivity_meaning<bool> {
 public:
  explicit truth_value(std::uint32_t values) : values_(values) {}
  bool constant(bool value) override { return value; }
  bool input(int index) override { return ((values_ >> index) & 1u) != 0; }
  bool negation(const bool& operand) override { return !operand; }
  bool conjunction(const bool& left, const bool& right) override { return left && right; }
  bool disjunction(const bool& left, const bool& right) override { return left || right; }
  bool exclusive_or(const bool& left, const bool& right) override { return left != right; }
  bool equivalence(const bool& left, const bool& right) override { return left == right; }

 private:
  std::uint32_t values_;
};

// One of the spellings of a connective, drawn.
const char* spelling(std::mt19937& rng, const char* const (&forms)[4]) {
  return forms[std::uniform_int_distribution<int>(0, 3)(rng)];
}

const char* const negations[] = {"not ", "NOT ", "!", "~"};
const char* const conjunctions[] = {" and ", " AND ", " . ", " & "};
const char* const disjunctions[] = {" or ", " OR ", " + ", " | "};

// A conjunction of one to three literals over `inputs`, spelt with the
// several forms that the receptivity language accepts.
std::string random_cube(std::mt19937& rng, const std::vector<std::string>& inputs) {
  std::uniform_int_distribution<int> pick_input(0, static_cast<int>(inputs.size()) - 1);
  std::uniform_int_distribution<int> coin(0, 1);
  const int literals = std::uniform_int_distribution<int>(1, 3)(rng);
  std::string text;
  for (int l = 0; l < literals; ++l) {
    if (l > 0) text += spelling(rng, conjunctions);
    if (coin(rng) == 0) text += spelling(rng, negations);
    text += inputs[pick_input(rng)];
  }
  return text;
}

// A guard tried by priority: a cube, or now and then the disjunction of two
// bracketed cubes.
std::string random_guard(std::mt19937& rng, const std::vector<std::string>& inputs) {
  if (std::uniform_int_distribution<int>(0, 3)(rng) != 0) return random_cube(rng, inputs);
  const bool square = std::uniform_int_distribution<int>(0, 1)(rng) == 0;
  const std::string open = square ? "[" : "(", close = square ? "]" : ")";
  const std::string first = random_cube(rng, inputs);
  const std::string second = random_cube(rng, inputs);
  return open + first + close + spelling(rng, disjunctions) + open + second + close;
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

// Sets the outputs of the conditional Moore actions of `state` that hold
// under `values`.
void conditional_moore(const automaton& a, int state, std::uint32_t values,
                       std::vector<int>& outputs) {
  for (const moore_action& m : a.moore_actions) {
    if (m.state == state && evaluate(m.condition, a.inputs, values)) outputs.at(m.output) = 1;
  }
}

}  // namespace

int automaton::state_bits() const {
  if (bits >= 0) return bits;
  int k = 0;
  while ((1 << k) < states()) ++k;
  return k;
}

automaton coded_automaton(std::string name, std::vector<std::string> inputs,
                          std::vector<std::string> outputs, int bits, int initial,
                          std::vector<transition> transitions,
                          std::vector<moore_action> moore_actions) {
  automaton a{std::move(name), std::move(inputs),     std::move(outputs), {},
              initial,         std::move(transitions)};
  a.moore_actions = std::move(moore_actions);
  a.bits = bits;
  return a;
}

const std::vector<std::string>& action_names(const automaton& a) {
  return a.actions.empty() ? a.outputs : a.actions;
}

std::vector<transition> transition_table(const automaton& a) {
  std::vector<transition> all;
  if (a.initial != -1) all.push_back({-1, a.initial, 0, "1", {}});
  all.insert(all.end(), a.transitions.begin(), a.transitions.end());
  return all;
}

std::string to_gal(const automaton& a) {
  static const char* const kinds[] = {
      "basic_model:", "par_automata_model:", "light_esterel_model:", "synccharts_model:"};
  if (a.kind < 0 || a.kind > 3) {
    throw std::invalid_argument("no GAL keyword for the model kind " + std::to_string(a.kind));
  }
  if (!a.moore_actions.empty()) {
    throw std::invalid_argument("a GAL text has no conditional Moore action");
  }
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
  out << "Name: " << a.name << " : " << kinds[a.kind] << " ;\nType: bool ;\n";
  declarations("Input:", a.inputs, "bool");
  out << "Sensor: ;\n";
  declarations("Output:", a.outputs, "");
  out << "Local: ;\nVariable: ;\nRun: ;\nFunction: ;\nConstant: ;\nAction:";
  const std::vector<std::string>& actions = action_names(a);
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
  for (const transition& t : transition_table(a)) {
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

bool evaluate(const std::string& text, const std::vector<std::string>& inputs,
              std::uint32_t values) {
  truth_value meaning(values);
  return read_receptivity(text, inputs, meaning);
}

bool evaluate(const std::string& text, const std::vector<std::string>& inputs,
              const std::vector<int>& values) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i] != 0) bits |= 1u << i;
  }
  return evaluate(text, inputs, bits);
}

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

int fired(const automaton& a, int state, std::uint32_t values) {
  for (int t : tried_order(a, state)) {
    if (evaluate(a.transitions[t].guard, a.inputs, values)) return t;
  }
  return -1;
}

reaction react(const automaton& a, int state, std::uint32_t values) {
  reaction r{state, std::vector<int>(a.outputs.size(), 0)};
  const int t = fired(a, state, values);
  if (t >= 0) {
    r.next = a.transitions[t].target;
    for (int k : a.transitions[t].outputs) r.outputs[k] = 1;
  } else if (!tried_order(a, state).empty()) {
    throw std::runtime_error("no transition fires: the automaton is incomplete");
  }
  for (int k : a.state_outputs[r.next]) r.outputs[k] = 1;
  conditional_moore(a, r.next, values, r.outputs);
  return r;
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
        a.transitions.push_back(
            {s, pick_state(rng), p, random_guard(rng, a.inputs), random_subset(rng, outputs, 4)});
      }
      a.transitions.push_back({s, pick_state(rng), -1, "1", random_subset(rng, outputs, 4)});
    } else {
      // Guards that split the inputs into exclusive parts, all of priority
      // 0: a literal and its negation, the four cubes of two inputs, or
      // their parity and its negation.
      const std::string x = a.inputs[pick_input(rng)];
      const std::string y = a.inputs[pick_input(rng)];
      std::vector<std::string> parts;
      if (y == x) {
        parts = {x, "not " + x};
      } else if (mode < 90) {
        parts = {x + " and " + y, x + " and not " + y, "not " + x + " and " + y,
                 "not (" + x + " or " + y + ")"};
      } else {
        parts = {x + " xor " + y, x + " XNOR " + y};
      }
      for (const std::string& part : parts) {
        a.transitions.push_back({s, pick_state(rng), 0, part, random_subset(rng, outputs, 4)});
      }
    }
  }
  return a;
}

}  // namespace ktest
