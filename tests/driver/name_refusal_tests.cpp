// The korvane command and the names its targets cannot carry: a refused
// name ends the run with status 1 and one line naming the name, the target
// and why, and no target file is written or replaced; near misses compile
// to every chosen target.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/automaton.h"
#include "support/process.h"

namespace {

// Two states over the inputs and outputs: state 0 goes to state 1 under
// the first input (always without one) and emits every output, state 1
// emits every output and goes back.
std::string gal_of(const std::string& module, const std::vector<std::string>& inputs,
                   const std::vector<std::string>& outputs) {
  ktest::automaton a;
  a.name = module;
  a.inputs = inputs;
  a.outputs = outputs;
  std::vector<int> all;
  for (std::size_t k = 0; k < outputs.size(); ++k) all.push_back(static_cast<int>(k));
  a.state_outputs = {{}, all};
  const std::string guard = inputs.empty() ? "1" : inputs[0];
  a.transitions = {{0, 1, 0, guard, all}, {0, 0, -1, "1", {}}, {1, 0, 0, "1", {}}};
  return ktest::to_gal(a);
}

// The last line of a text, with its end of line.
std::string last_line(const std::string& text) {
  const std::size_t end = text.size() > 1 ? text.rfind('\n', text.size() - 2) : std::string::npos;
  return end == std::string::npos ? text : text.substr(end + 1);
}

struct refused_row {
  std::vector<std::string> options;
  std::string module;
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;
  std::string message;
};

TEST(NameRefusal, EndsTheRunBeforeAnyTargetFile) {
  const refused_row rows[] = {
      {{"-c"},
       "m",
       {"a"},
       {"X0"},
       "the output \"X0\" cannot be written in C: it is the name of the register m_X0"},
      {{"-c"},
       "1m",
       {"a"},
       {},
       "the automaton name \"1m\" cannot be written in C: 1m_reset_automaton begins with a "
       "digit"},
      {{"-vhdl"},
       "m",
       {"reset"},
       {"o"},
       "the input \"reset\" cannot be written in VHDL: it is the name of the reset port m_reset"},
      {{"-altera"},
       "bus",
       {"a"},
       {"o"},
       "the automaton name \"bus\" cannot be written in VHDL: it is a reserved word of VHDL"},
      {{"-vhdl"},
       "m",
       {"go", "Go"},
       {},
       "the input \"Go\" cannot be written in VHDL: it is the name of the port m_go of the "
       "input \"go\" (VHDL does not tell case apart)"},
      {{"-altera"},
       "m",
       {"a"},
       {"o_"},
       "the output \"o_\" cannot be written in VHDL: m_o_ ends with an underscore"},
      {{"-cs"},
       "m",
       {"a"},
       {"out"},
       "the output \"out\" cannot be written in C#: it is a reserved word of C#"},
      {{"-cs"},
       "m",
       {"a"},
       {"X0"},
       "the output \"X0\" cannot be written in C#: it is the name of the field X0"},
      {{"-lustre"},
       "m",
       {"pre"},
       {},
       "the input \"pre\" cannot be written in Lustre: it is a reserved word of Lustre"},
      {{"-lustre"},
       "m",
       {"_a"},
       {},
       "the input \"_a\" cannot be written in Lustre: it begins with an underscore"},
      {{"-esterel"},
       "m",
       {"tick"},
       {},
       "the input \"tick\" cannot be written in Esterel: it is the name of the signal tick that "
       "Esterel declares itself"},
      {{"-esterel"},
       "m",
       {"a"},
       {"emit"},
       "the output \"emit\" cannot be written in Esterel: it is a reserved word of Esterel"},
      {{"-blif"},
       "m",
       {"a"},
       {"a"},
       "the output \"a\" cannot be written in BLIF: it is the name of the input \"a\""},
      // The outputs that the options add are names of the machine too.
      {{"-c", "-backtrack"},
       "m",
       {"a"},
       {"X0pre"},
       "the output \"X0pre\" cannot be written in C: it is the name of the parameter m_X0pre of "
       "the output \"X0pre\""},
      {{"-vhdl", "-awaited"},
       "m",
       {"a"},
       {"tick_trigger"},
       "the output \"tick_trigger\" cannot be written in VHDL: it is the name of the port "
       "m_tick_trigger of the output \"tick_trigger\""},
      // Several targets: the first one in the writing order names it.
      {{"-latex", "-doc", "-le", "-bac", "-sc"},
       "m",
       {"X0"},
       {},
       "the input \"X0\" cannot be written in SC6: it is the name of the register X0"},
  };
  for (const refused_row& row : rows) {
    SCOPED_TRACE(row.message);
    ktest::scratch_directory dir;
    dir.write("m.gal", gal_of(row.module, row.inputs, row.outputs));
    std::vector<std::string> args{"m.gal"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    const ktest::result result = ktest::korvane(args, dir.path());
    EXPECT_EQ(1, result.status);
    EXPECT_EQ(row.message + "\n", last_line(result.err));
    EXPECT_EQ((std::vector<std::string>{"m.gal", "m.gal.log"}), dir.files());
  }
}

// A target that an earlier option would have written is not replaced when
// a later target refuses a name.
TEST(NameRefusal, LeavesEarlierTargetsAsTheyWere) {
  ktest::scratch_directory dir;
  dir.write("m.gal", gal_of("m", {"reset"}, {"o"}));
  dir.write("m.c", "old code\n");
  dir.write("m.vhd", "old design\n");
  const ktest::result result = ktest::korvane({"m.gal", "-sc", "-c", "-vhdl"}, dir.path());
  EXPECT_EQ(1, result.status);
  EXPECT_EQ(
      "the input \"reset\" cannot be written in VHDL: it is the name of the reset port m_reset\n",
      last_line(result.err));
  EXPECT_EQ((std::vector<std::string>{"m.c", "m.gal", "m.gal.log", "m.vhd"}), dir.files());
  EXPECT_EQ("old code\n", ktest::read_file(dir.file("m.c")));
  EXPECT_EQ("old design\n", ktest::read_file(dir.file("m.vhd")));
}

struct accepted_row {
  std::vector<std::string> options;
  std::string module;
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;
  std::vector<std::string> files;  // written beside m.gal and m.gal.log
};

// Names close to refused ones compile as before.
TEST(NameRefusal, NearMissesCompile) {
  const accepted_row rows[] = {
      {{"-c"}, "static_m", {"go", "Go", "reset", "X1"}, {"automaton2", "value"}, {"m.c", "m.h"}},
      {{"-vhdl", "-awaited"}, "busy", {"reset_n", "clk2"}, {"bus1", "X0pre"}, {"m.vhd"}},
      {{"-cs", "-backtrack"}, "m", {"go", "Go", "react", "get"}, {"outp", "Value"}, {"m.cs"}},
      {{"-lustre", "-esterel"}, "m", {"go", "Go", "pres"}, {"ticks", "S"}, {"m.lus", "m.strl"}},
      {{"-sc", "-bac", "-blif", "-le", "-doc", "-latex"},
       "m",
       {"wire", "nota"},
       {"x0"},
       {"m.ba", "m.blif", "m.doc", "m.le", "m.sc", "m.tex"}},
  };
  for (const accepted_row& row : rows) {
    SCOPED_TRACE(row.options.front());
    ktest::scratch_directory dir;
    dir.write("m.gal", gal_of(row.module, row.inputs, row.outputs));
    std::vector<std::string> args{"m.gal"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    const ktest::result result = ktest::korvane(args, dir.path());
    EXPECT_EQ(0, result.status) << result.err;
    std::vector<std::string> expected = row.files;
    expected.push_back("m.gal");
    expected.push_back("m.gal.log");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, dir.files());
  }
}

}  // namespace
