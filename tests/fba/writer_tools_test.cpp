// The generated C, C#, VHDL and LaTeX texts go through the real tools:
// they compile, and the C, C# and VHDL machines, run step by step on one
// seeded random input sequence, follow the explicit automaton's reference
// simulation (state code and outputs after every step).
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/machine.h"
#include "support/process.h"
#include "tool_harness.h"

namespace {

const char* const all_machines[] = {"follower", "pulse",      "relay_box", "idle",   "latch2",
                                    "arbiter",  "controller", "detector",  "either", "stuck"};

constexpr int steps = 40;

std::vector<std::vector<int>> inputs_for(const ktest::automaton& a) {
  unsigned seed = 17;
  for (char c : a.name) seed = seed * 31u + static_cast<unsigned char>(c);
  return ktest::random_inputs(a, steps, seed);
}

struct run_case {
  const char* machine;
  int level;
};

// Names a case in failure messages: the machine and the level.
void PrintTo(const run_case& c, std::ostream* os) { *os << c.machine << " at level " << c.level; }

std::vector<run_case> run_cases(std::initializer_list<int> levels) {
  std::vector<run_case> cases;
  for (const char* m : all_machines)
    for (int level : levels) cases.push_back({m, level});
  return cases;
}

std::string case_name(const ::testing::TestParamInfo<run_case>& info) {
  return std::string(info.param.machine) + "_O" + std::to_string(info.param.level);
}

class ToolRun : public ::testing::TestWithParam<run_case> {
 protected:
  const ktest::automaton& sample() const { return ktest::sample_automaton(GetParam().machine); }
};

using CHarness = ToolRun;
using CSharpHarness = ToolRun;
using VhdlTestbench = ToolRun;
using VhdlAlteraTestbench = ToolRun;
using CSharpCompiles = ToolRun;
using VhdlAnalyses = ToolRun;
using Pdflatex = ToolRun;

TEST_P(CHarness, FollowsReference) {
  const auto& automaton = sample();
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const auto inputs = inputs_for(automaton);
  EXPECT_EQ(ktest::reference_run(automaton, inputs),
            run_c(automaton, *machine, GetParam().level, inputs));
}

TEST_P(CSharpHarness, FollowsReference) {
  const auto& automaton = sample();
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const auto inputs = inputs_for(automaton);
  EXPECT_EQ(ktest::reference_run(automaton, inputs),
            run_csharp(automaton, *machine, GetParam().level, inputs));
}

TEST_P(VhdlTestbench, FollowsReference) {
  const auto& automaton = sample();
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const auto inputs = inputs_for(automaton);
  EXPECT_EQ(ktest::reference_run(automaton, inputs),
            run_vhdl(automaton, *machine, 0, GetParam().level, inputs));
}

TEST_P(VhdlAlteraTestbench, FollowsReference) {
  const auto& automaton = sample();
  const auto machine = ktest::to_machine(automaton);
  ASSERT_TRUE(machine);
  const auto inputs = inputs_for(automaton);
  EXPECT_EQ(ktest::reference_run(automaton, inputs),
            run_vhdl(automaton, *machine, 1, GetParam().level, inputs));
}

// Level 3 leaves functions of two or more variables without a cover; the
// texts must still be accepted by the compilers.
TEST_P(CSharpCompiles, AtLevel) {
  const auto machine = ktest::to_machine(sample());
  ASSERT_TRUE(machine);
  std::ostringstream cls;
  machine->CSHARP_put(cls, GetParam().level);
  ktest::scratch_directory dir;
  dir.write("machine.cs", cls.str());
  std::string out;
  EXPECT_EQ(0, ktest::run_shell(dir.path(), "mcs -nologo -target:library machine.cs", &out)) << out;
}

TEST_P(VhdlAnalyses, PlainAndAlteraAtLevel) {
  const auto machine = ktest::to_machine(sample());
  ASSERT_TRUE(machine);
  for (int altera : {0, 1}) {
    SCOPED_TRACE(altera ? "altera" : "plain");
    std::ostringstream unit;
    machine->VHDL_put(unit, altera, GetParam().level);
    ktest::scratch_directory dir;
    dir.write("machine.vhd", unit.str());
    std::string out;
    EXPECT_EQ(0, ktest::run_shell(dir.path(), "ghdl -a machine.vhd", &out)) << out;
  }
}

TEST_P(Pdflatex, Compiles) {
  const auto machine = ktest::to_machine(sample());
  ASSERT_TRUE(machine);
  std::ostringstream tex;
  machine->LATEX_put(tex, GetParam().level);
  ktest::scratch_directory dir;
  dir.write("machine.tex", tex.str());
  std::string out;
  EXPECT_EQ(0, ktest::run_shell(dir.path(),
                                "pdflatex -interaction=nonstopmode -halt-on-error "
                                "machine.tex",
                                &out))
      << out;
  EXPECT_TRUE(dir.has("machine.pdf"));
}

INSTANTIATE_TEST_SUITE_P(Machines, CHarness, ::testing::ValuesIn(run_cases({0, 1, 2})), case_name);
INSTANTIATE_TEST_SUITE_P(Machines, CSharpHarness, ::testing::ValuesIn(run_cases({0, 2})),
                         case_name);
INSTANTIATE_TEST_SUITE_P(Machines, VhdlTestbench, ::testing::ValuesIn(run_cases({0, 2})),
                         case_name);
INSTANTIATE_TEST_SUITE_P(Machines, VhdlAlteraTestbench, ::testing::ValuesIn(run_cases({1})),
                         case_name);
INSTANTIATE_TEST_SUITE_P(Machines, CSharpCompiles, ::testing::ValuesIn(run_cases({3})), case_name);
INSTANTIATE_TEST_SUITE_P(Machines, VhdlAnalyses, ::testing::ValuesIn(run_cases({3})), case_name);
INSTANTIATE_TEST_SUITE_P(Machines, Pdflatex, ::testing::ValuesIn(run_cases({0})), case_name);

// The VCD sampler: a value holds from its time stamp on, names are kept
// only inside the chosen scope and lower-cased.
TEST(VcdSampler, SamplesValuesAtTimes) {
  const std::string vcd =
      "$timescale\n 1 ns\n$end\n"
      "$scope module tb $end\n$var reg 1 ! x0 $end\n"
      "$scope module uut $end\n$var reg 1 \" X0 $end\n$var reg 1 # o $end\n"
      "$upscope $end\n$upscope $end\n$enddefinitions $end\n"
      "#0\n0!\n0\"\nU#\n#2\n1\"\n0#\n#5\n0\"\n1#\n";
  const auto samples = sample_vcd(vcd, "uut", {0, 1000000, 2000000, 4999999, 6000000});
  ASSERT_EQ(5u, samples.size());
  const struct {
    char x0;
    char o;
  } expected[] = {{'0', 'U'}, {'0', 'U'}, {'1', '0'}, {'1', '0'}, {'0', '1'}};
  for (std::size_t i = 0; i < samples.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(2u, samples[i].size());
    EXPECT_EQ(expected[i].x0, samples[i].at("x0"));
    EXPECT_EQ(expected[i].o, samples[i].at("o"));
  }
}

}  // namespace
