// The writers that no option reaches, checked by real tools:
//   - grafcet VHDL (bit and std_logic): ghdl analyses, elaborates and runs
//     a generated testbench; registers and outputs follow the explicit
//     automaton's reference simulation one step ahead (the reset already
//     loads the initial state's successor, and the outputs change on the
//     rising edge);
//   - sketch: g++ builds it with stub hooks, readers and handlers; the
//     handlers' calls give the outputs of the C writer's machine;
//   - scenario: the transition body runs inside a test function and
//     returns the reference's state codes and verdicts;
//   - extended BLIF: its two sections, combined into next = rising OR
//     (register AND NOT falling), give a netlist that berkeley-abc proves
//     equivalent to the plain BLIF writer's.
// Each check is also run on a deliberately broken text, which it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <iostream>
#include <list>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/machine.h"
#include "support/process.h"
#include "tool_harness.h"
#include "support/capture.h"

namespace {

using text_edit = std::function<std::string(const std::string&)>;

std::string unchanged(const std::string& text) { return text; }

// The text with every occurrence of `from` replaced by `to`; fails the
// test when `from` does not occur (a broken variant must really differ).
text_edit replacing(const std::string& from, const std::string& to) {
  return [from, to](const std::string& text) {
    std::string out = text;
    std::size_t at = out.find(from);
    EXPECT_NE(at, std::string::npos) << "no \"" << from << "\" in:\n" << text;
    for (; at != std::string::npos; at = out.find(from, at + to.size()))
      out.replace(at, from.size(), to);
    return out;
  };
}

std::vector<std::vector<int>> inputs_for(const ktest::automaton& a, int steps) {
  unsigned seed = 29;
  for (char c : a.name) seed = seed * 31u + static_cast<unsigned char>(c);
  return random_inputs(a, steps, seed);
}

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

bool run_ok(const ktest::scratch_directory& dir, const std::string& command, std::string* output) {
  const int status = ktest::run_shell(dir.path(), command, output);
  if (status != 0) {
    ADD_FAILURE() << "`" << command << "` exited with " << status << ":\n" << *output;
    return false;
  }
  return true;
}

// ---- Grafcet VHDL

// The trace of the grafcet design: the registers and outputs after the
// reset, then after each rising edge. The reset is held low with the
// first input vector applied, so it loads the successor of the initial
// state under that vector; each later vector is applied before one edge.
std::vector<std::string> run_grafcet(const ktest::automaton& a, const FBA& m, int std_logic,
                                     int level, const std::vector<std::vector<int>>& inputs,
                                     const text_edit& edit) {
  const std::string& name = a.name;
  const std::string type = std_logic ? "std_logic" : "bit";
  std::ostringstream unit;
  m.VHDL_grafcet_put(unit, std_logic, level);
  ktest::scratch_directory dir;
  dir.write(name + ".vhd", edit(unit.str()));

  std::ostringstream tb;
  if (std_logic) tb << "library ieee;\nuse ieee.std_logic_1164.all;\n";
  tb << "entity korvane_tb is\nend korvane_tb;\n"
     << "architecture sim of korvane_tb is\n"
     << "  signal tb_reset : " << type << " := '1';\n"
     << "  signal tb_clk : " << type << " := '0';\n";
  for (std::size_t j = 0; j < a.inputs.size(); ++j)
    tb << "  signal tb_in" << j << " : " << type << " := '0';\n";
  for (std::size_t k = 0; k < a.outputs.size(); ++k)
    tb << "  signal tb_out" << k << " : " << type << ";\n";
  tb << "begin\n  uut: entity work." << name << " port map (";
  for (std::size_t j = 0; j < a.inputs.size(); ++j) tb << a.inputs[j] << " => tb_in" << j << ", ";
  tb << "reset => tb_reset, clk => tb_clk";
  for (std::size_t k = 0; k < a.outputs.size(); ++k)
    tb << ", " << a.outputs[k] << " => tb_out" << k;
  tb << ");\n  process\n  begin\n";
  auto apply = [&](const std::vector<int>& v) {
    for (std::size_t j = 0; j < v.size(); ++j) tb << " tb_in" << j << " <= '" << v[j] << "';";
  };
  // Reset from 0 to 1 ns; step k (k >= 1) has its edge at 4k - 1 ns.
  tb << "   ";
  apply(inputs[0]);
  tb << " tb_reset <= '0'; wait for 1 ns; tb_reset <= '1'; wait for 1 ns;\n";
  for (std::size_t k = 1; k < inputs.size(); ++k) {
    tb << "   ";
    apply(inputs[k]);
    tb << " wait for 1 ns; tb_clk <= '1'; wait for 1 ns; tb_clk <= '0';"
       << " wait for 2 ns;\n";
  }
  tb << "    wait;\n  end process;\nend sim;\n";
  dir.write("korvane_tb.vhd", tb.str());

  const std::string options = std_logic ? " -fsynopsys" : "";
  std::string out;
  if (!run_ok(dir, "ghdl -a" + options + " " + name + ".vhd korvane_tb.vhd", &out)) return {};
  if (!run_ok(dir, "ghdl -e" + options + " korvane_tb", &out)) return {};
  if (!run_ok(dir, "ghdl -r" + options + " korvane_tb --vcd=run.vcd", &out)) return {};
  std::ifstream vcd_file(dir.path() + "/run.vcd");
  std::stringstream vcd;
  vcd << vcd_file.rdbuf();

  const long long ns = 1000000;
  std::vector<long long> times{1 * ns};
  for (std::size_t k = 1; k < inputs.size(); ++k)
    times.push_back(static_cast<long long>(4 * k) * ns);
  std::vector<std::string> trace;
  for (const auto& values : sample_vcd(vcd.str(), "uut", times)) {
    auto value = [&](std::string signal) {
      for (char& c : signal) c = static_cast<char>(std::tolower(c));
      const auto it = values.find(signal);
      if (it == values.end()) return '?';
      return it->second == '0' || it->second == '1' ? it->second : '?';
    };
    std::string bits, outs;
    for (int i = 0; i < a.state_bits(); ++i) bits += value("X" + std::to_string(i));
    for (const auto& o : a.outputs) outs += value(o);
    trace.push_back("s=" + bits + " o=" + outs);
  }
  return trace;
}

// The reference trace as the grafcet design shows it: after the reset the
// state after the first step with every output 0, then the reference from
// its second step on.
std::vector<std::string> grafcet_expected(const ktest::automaton& a,
                                          const std::vector<std::vector<int>>& inputs) {
  std::vector<std::string> reference = reference_run(a, inputs);
  if (reference.size() < 2) return reference;
  std::string first = reference[1];
  first = first.substr(0, first.find(" o=")) + " o=" + std::string(a.outputs.size(), '0');
  std::vector<std::string> expected{first};
  expected.insert(expected.end(), reference.begin() + 2, reference.end());
  return expected;
}

struct run_case {
  const char* machine;
  int level;
};

void PrintTo(const run_case& c, std::ostream* os) { *os << c.machine << " at level " << c.level; }

std::string case_name(const ::testing::TestParamInfo<run_case>& info) {
  return std::string(info.param.machine) + "_O" + std::to_string(info.param.level);
}

std::vector<run_case> cases(std::initializer_list<const char*> machines,
                            std::initializer_list<int> levels) {
  std::vector<run_case> all;
  for (const char* m : machines)
    for (int level : levels) all.push_back({m, level});
  return all;
}

class ExtraToolRun : public ::testing::TestWithParam<run_case> {
 protected:
  const ktest::automaton& sample() const { return ktest::sample_automaton(GetParam().machine); }
};

using GrafcetBit = ExtraToolRun;
using GrafcetStdLogic = ExtraToolRun;
using SketchHandlers = ExtraToolRun;
using ScenarioBody = ExtraToolRun;
using ExtendedBlifAbc = ExtraToolRun;

constexpr int steps = 30;

TEST_P(GrafcetBit, FollowsReferenceOneStepAhead) {
  const auto& automaton = sample();
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const auto inputs = inputs_for(automaton, steps);
  EXPECT_EQ(grafcet_expected(automaton, inputs),
            run_grafcet(automaton, *machine, 0, GetParam().level, inputs, unchanged));
}

TEST_P(GrafcetStdLogic, FollowsReferenceOneStepAhead) {
  const auto& automaton = sample();
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const auto inputs = inputs_for(automaton, steps);
  EXPECT_EQ(grafcet_expected(automaton, inputs),
            run_grafcet(automaton, *machine, 1, GetParam().level, inputs, unchanged));
}

// Machines without input, output or state bit, without output (no ";"
// before the closing of the port list), with constant outputs, with Mealy
// and Moore outputs and with unused state codes; levels 0 and 2 for the
// bit form, level 1 for the std_logic form. "follower" is left out: its
// output "on" is a VHDL reserved word, and the grafcet ports carry bare
// names.
const auto grafcet_machines = {"idle",    "latch2",     "pulse",    "relay_box", "either",
                               "arbiter", "controller", "detector", "stuck"};

INSTANTIATE_TEST_SUITE_P(Machines, GrafcetBit, ::testing::ValuesIn(cases(grafcet_machines, {0, 2})),
                         case_name);
INSTANTIATE_TEST_SUITE_P(Machines, GrafcetStdLogic,
                         ::testing::ValuesIn(cases(grafcet_machines, {1})), case_name);

TEST(GrafcetBroken, RegisterUpdateInvertedIsCaught) {
  const auto& automaton = ktest::sample_automaton("controller");
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const auto inputs = inputs_for(automaton, steps);
  const auto trace = run_grafcet(automaton, *machine, 0, 0, inputs,
                                 replacing("X0 <= X0next;", "X0 <= not X0next;"));
  ASSERT_EQ(static_cast<std::size_t>(steps), trace.size());
  EXPECT_NE(grafcet_expected(automaton, inputs), trace);
}

TEST(GrafcetBroken, StrayPortSemicolonIsRefused) {
  // Without outputs the clock port must not end in ";": ghdl refuses it.
  const auto& automaton = ktest::sample_automaton("latch2");
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  std::ostringstream unit;
  machine->VHDL_grafcet_put(unit, 0, 0);
  ktest::scratch_directory dir;
  dir.write("good.vhd", unit.str());
  dir.write("bad.vhd", replacing("clk: in bit\n", "clk: in bit;\n")(unit.str()));
  std::string out;
  EXPECT_EQ(0, ktest::run_shell(dir.path(), "ghdl -a good.vhd", &out)) << out;
  EXPECT_NE(0, ktest::run_shell(dir.path(), "ghdl -a bad.vhd", &out)) << out;
}

// ---- Sketch

// The trace of the sketch: registers and outputs after setup(), then after
// each loop() pass; an output is 1 when its handler, or its "_true"
// handler, ran in the pass. A pass in which a two-handler output ran no
// handler or both makes the program stop with status 3.
std::vector<std::string> run_sketch(const ktest::automaton& a, const FBA& m, int level,
                                    const std::vector<std::vector<int>>& inputs,
                                    std::list<std::string> single, const text_edit& edit) {
  const std::string& name = a.name;
  std::ostringstream sketch;
  m.ino_put_grafcet(sketch, level, single);
  ktest::scratch_directory dir;
  dir.write("machine.cpp", edit(sketch.str()));

  const std::size_t p = a.inputs.size(), q = a.outputs.size();
  std::ostringstream h;
  h << "#include <cstdio>\n#include <cstdlib>\n";
  for (int i = 0; i < a.state_bits(); ++i) h << "extern int " << name << "_X" << i << ";\n";
  h << "void setup();\nvoid loop();\n"
    << "static int values[" << inputs.size() << "][" << p + 1 << "] = {";
  for (const auto& v : inputs) {
    h << "{";
    for (int x : v) h << x << ",";
    h << "0},";
  }
  h << "};\nstatic int step;\n"
    << "static char outs[" << q + 1 << "];\nstatic int calls[" << q + 1 << "];\n"
    << "void my_setup(void) {}\n"
    << "void my_before(void) {\n  for (int k = 0; k < " << q
    << "; ++k) { outs[k] = '0'; calls[k] = 0; }\n}\n"
    << "void my_after(void) {}\n";
  for (std::size_t j = 0; j < p; ++j)
    h << "int " << a.inputs[j] << "(void) { return values[step][" << j << "]; }\n";
  for (std::size_t k = 0; k < q; ++k) {
    const std::string& o = a.outputs[k];
    const bool one = std::find(single.begin(), single.end(), o) != single.end();
    if (one) {
      h << "void " << o << "(void) { outs[" << k << "] = '1'; }\n";
    } else {
      h << "void " << o << "_true(void) { outs[" << k << "] = '1'; ++calls[" << k << "]; }\n"
        << "void " << o << "_false(void) { outs[" << k << "] = '0'; ++calls[" << k << "]; }\n";
    }
  }
  h << "static void show(void) {\n  std::printf(\"s=\");\n";
  for (int i = 0; i < a.state_bits(); ++i)
    h << "  std::printf(\"%d\", " << name << "_X" << i << " != 0);\n";
  h << "  std::printf(\" o=%s\\n\", outs);\n}\n"
    << "int main(void) {\n"
    << "  for (int k = 0; k < " << q << "; ++k) outs[k] = '0';\n"
    << "  setup();\n  show();\n"
    << "  for (step = 0; step < " << inputs.size() << "; ++step) {\n"
    << "    loop();\n";
  for (std::size_t k = 0; k < q; ++k) {
    const bool one = std::find(single.begin(), single.end(), a.outputs[k]) != single.end();
    if (!one) h << "    if (calls[" << k << "] != 1) return 3;\n";
  }
  h << "    show();\n  }\n  return 0;\n}\n";
  dir.write("stubs.cpp", h.str());

  std::string out;
  if (!run_ok(dir, "g++ -Wall -o sketch machine.cpp stubs.cpp", &out)) return {};
  if (!run_ok(dir, "./sketch", &out)) return {};
  return split_lines(out);
}

const auto sketch_machines = {"follower", "pulse",      "relay_box", "idle",   "latch2",
                              "arbiter",  "controller", "detector",  "either", "stuck"};

TEST_P(SketchHandlers, MatchTheCWriterWithAndWithoutSingleHandlers) {
  const auto& automaton = sample();
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const auto inputs = inputs_for(automaton, steps);
  const auto c_trace = run_c(automaton, *machine, GetParam().level, inputs);
  ASSERT_EQ(static_cast<std::size_t>(steps + 1), c_trace.size());
  EXPECT_EQ(reference_run(automaton, inputs), c_trace);
  EXPECT_EQ(c_trace, run_sketch(automaton, *machine, GetParam().level, inputs, {}, unchanged));
  // Every other output with a single handler.
  std::list<std::string> single;
  for (std::size_t k = 0; k < automaton.outputs.size(); k += 2)
    single.push_back(automaton.outputs[k]);
  EXPECT_EQ(c_trace, run_sketch(automaton, *machine, GetParam().level, inputs, single, unchanged));
}

INSTANTIATE_TEST_SUITE_P(Machines, SketchHandlers,
                         ::testing::ValuesIn(cases(sketch_machines, {0, 1, 2})), case_name);

TEST(SketchBroken, SwappedHandlersAreCaught) {
  const auto& automaton = ktest::sample_automaton("controller");
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const auto inputs = inputs_for(automaton, steps);
  const auto broken = run_sketch(automaton, *machine, 0, inputs, {},
                                 replacing("    motor_true();", "    motor_false();"));
  // motor_false runs in every pass: the motor output never shows 1.
  EXPECT_NE(reference_run(automaton, inputs), broken);
}

// ---- Scenario

// The verdict of one reference trace line: the first output wins over the
// second, the second over the third.
std::string verdict(const std::string& line) {
  const std::string outs = line.substr(line.find(" o=") + 3);
  if (outs[0] == '1') return "START";
  if (outs[1] == '1') return "SUCCESS";
  if (outs[2] == '1') return "FAILURE";
  return "CONTINUE";
}

// Runs the scenario's transition body from the initial state over the
// inputs; one line per step: the state code's bits (bit 0 first) and the
// verdict.
std::vector<std::string> run_scenario(const ktest::automaton& a, const FBA& m, int level,
                                      const std::vector<std::vector<int>>& inputs,
                                      const text_edit& edit) {
  const int states = a.states();
  std::vector<std::set<std::set<int>>> awaited(states);
  std::vector<std::set<int>> trigger(states), shifted(states);
  std::ostringstream sce;
  m.SCENARIO_put(sce, states, nullptr, nullptr, awaited.data(), trigger.data(), shifted.data(),
                 nullptr, level);
  const std::string text = edit(sce.str());
  const std::size_t begin = text.find("Transition @\n");
  const std::size_t end = text.find("\n@\n", begin);
  if (begin == std::string::npos || end == std::string::npos) {
    ADD_FAILURE() << "no transition body in:\n" << text;
    return {};
  }
  const std::string body = text.substr(begin + 13, end + 1 - (begin + 13));
  const int context = 2 * a.state_bits() + static_cast<int>(a.inputs.size() + a.outputs.size());

  std::ostringstream h;
  h << "#include <cstdio>\n#include <set>\n"
    << "enum verdict_t { CONTINUE, START, SUCCESS, FAILURE };\n"
    << "static const char* const names[] = {\"CONTINUE\", \"START\", \"SUCCESS\", \"FAILURE\"};\n"
    << "static unsigned transition(unsigned state, const std::set<int>& inputset,\n"
    << "                           verdict_t& out) {\n"
    << "  int _c[" << context << "];\n"
    << body << "}\n"
    << "int main(void) {\n"
    << "  static const int values[" << inputs.size() << "][" << a.inputs.size() + 1 << "] = {";
  for (const auto& v : inputs) {
    h << "{";
    for (int x : v) h << x << ",";
    h << "0},";
  }
  h << "};\n  unsigned state = " << a.initial << ";\n"
    << "  for (int step = 0; step < " << inputs.size() << "; ++step) {\n"
    << "    std::set<int> present;\n"
    << "    for (int j = 0; j < " << a.inputs.size() << "; ++j)\n"
    << "      if (values[step][j]) present.insert(j);\n"
    << "    verdict_t out = FAILURE;\n"
    << "    state = transition(state, present, out);\n"
    << "    std::printf(\"s=\");\n"
    << "    for (int i = 0; i < " << a.state_bits()
    << "; ++i) std::printf(\"%u\", (state >> i) & 1u);\n"
    << "    std::printf(\" v=%s\\n\", names[out]);\n"
    << "  }\n  return 0;\n}\n";
  ktest::scratch_directory dir;
  dir.write("scenario.cpp", h.str());
  std::string out;
  if (!run_ok(dir, "g++ -Wall -Wno-unused-variable -o scenario scenario.cpp", &out)) return {};
  if (!run_ok(dir, "./scenario", &out)) return {};
  return split_lines(out);
}

std::vector<std::string> scenario_expected(const ktest::automaton& a,
                                           const std::vector<std::vector<int>>& inputs) {
  const std::vector<std::string> reference = reference_run(a, inputs);
  std::vector<std::string> expected;
  for (std::size_t i = 1; i < reference.size(); ++i)
    expected.push_back(reference[i].substr(0, reference[i].find(" o=")) +
                       " v=" + verdict(reference[i]));
  return expected;
}

TEST_P(ScenarioBody, ReturnsReferenceStatesAndVerdicts) {
  const auto& automaton = sample();
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const auto inputs = inputs_for(automaton, steps);
  const auto expected = scenario_expected(automaton, inputs);
  ASSERT_EQ(static_cast<std::size_t>(steps), expected.size());
  EXPECT_EQ(expected, run_scenario(automaton, *machine, GetParam().level, inputs, unchanged));
}

// The sample automata with exactly three outputs.
INSTANTIATE_TEST_SUITE_P(Machines, ScenarioBody,
                         ::testing::ValuesIn(cases({"pulse", "controller"}, {0, 1, 2})), case_name);

TEST(ScenarioBroken, WrongStateBitIsCaught) {
  const auto& automaton = ktest::sample_automaton("controller");
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const auto inputs = inputs_for(automaton, steps);
  const auto broken = run_scenario(automaton, *machine, 0, inputs,
                                   replacing("if(_c[2]) {result+=1;}", "if(!_c[2]) {result+=1;}"));
  ASSERT_EQ(static_cast<std::size_t>(steps), broken.size());
  EXPECT_NE(scenario_expected(automaton, inputs), broken);
}

// ---- Extended BLIF

// Turns the extended BLIF into standard BLIF: the covers of the falling
// and rising sections drive "<next>_fall" and "<next>_rise", and each
// latch's next-state net becomes rise OR (register AND NOT fall).
std::string combine_sections(const std::string& extended) {
  std::ostringstream out;
  std::vector<std::pair<std::string, std::string>> latches;  // next, register
  std::string section;
  for (const std::string& line : split_lines(extended)) {
    if (line == ".begin_falling") {
      section = "_fall";
      continue;
    }
    if (line == ".begin_rising") {
      section = "_rise";
      continue;
    }
    if (line == ".end_falling" || line == ".end_rising") {
      section.clear();
      continue;
    }
    if (line.rfind(".latch ", 0) == 0) {
      std::istringstream words(line.substr(7));
      std::string next, reg;
      words >> next >> reg;
      latches.emplace_back(next, reg);
    }
    if (line == ".end") {
      for (const auto& l : latches)
        out << ".names " << l.first << "_rise " << l.first << "_fall " << l.second << " " << l.first
            << "\n1-- 1\n-01 1\n";
    }
    if (!section.empty() && line.rfind(".names", 0) == 0)
      out << line << section << "\n";
    else
      out << line << "\n";
  }
  return out.str();
}

std::string abc_prove(const ktest::scratch_directory& dir, bool sequential, const std::string& a,
                      const std::string& b) {
  std::string out;
  ktest::run_shell(
      dir.path(),
      "berkeley-abc -c \"" + std::string(sequential ? "dsec " : "cec ") + a + " " + b + "\"", &out);
  return out;
}

std::string check_extended_blif(const FBA& m, bool has_bits, int level, const text_edit& edit) {
  std::ostringstream plain, extended;
  ktest::stream_capture cout_capture(std::cout);
  m.BLIF_put(plain, level);
  cout_capture.stop();
  m.FBA_put(extended, level);
  ktest::scratch_directory dir;
  dir.write("plain.blif", plain.str());
  dir.write("combined.blif", combine_sections(edit(extended.str())));
  return abc_prove(dir, has_bits, "plain.blif", "combined.blif");
}

TEST(ExtendedBlifConverter, CombinesSections) {
  EXPECT_EQ(
      ".model m\n.latch X0next X0 0\n.names  a X0next_fall\n0 1\n"
      ".names  a X0next_rise\n1 1\n.names X0next_rise X0next_fall X0 X0next\n"
      "1-- 1\n-01 1\n.end\n",
      combine_sections(".model m\n.latch X0next X0 0\n.begin_falling\n"
                       ".names  a X0next\n0 1\n.end_falling\n.begin_rising\n"
                       ".names  a X0next\n1 1\n.end_rising\n.end\n"));
}

TEST_P(ExtendedBlifAbc, ProvedEqualToPlainBlif) {
  const auto& automaton = sample();
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const std::string out =
      check_extended_blif(*machine, automaton.state_bits() > 0, GetParam().level, unchanged);
  EXPECT_NE(out.find("Networks are equivalent"), std::string::npos) << out;
  EXPECT_EQ(out.find("NOT EQUIVALENT"), std::string::npos) << out;
}

// abc cannot read a network with neither outputs nor latches ("idle").
INSTANTIATE_TEST_SUITE_P(Machines, ExtendedBlifAbc,
                         ::testing::ValuesIn(cases({"follower", "pulse", "relay_box", "latch2",
                                                    "arbiter", "controller", "detector", "either",
                                                    "stuck"},
                                                   {0, 1})),
                         case_name);

TEST(ExtendedBlifBroken, SwappedSectionsAreCaught) {
  const auto& automaton = ktest::sample_automaton("controller");
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const text_edit swap = [](const std::string& text) {
    std::string out = replacing(".begin_falling", ".begin_SWAP")(text);
    out = replacing(".begin_rising", ".begin_falling")(out);
    return replacing(".begin_SWAP", ".begin_rising")(out);
  };
  const std::string out = check_extended_blif(*machine, true, 0, swap);
  EXPECT_EQ(out.find("Networks are equivalent"), std::string::npos) << out;
}

}  // namespace
