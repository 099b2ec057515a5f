// The writers that no option reaches (extended BLIF, grafcet VHDL,
// microcontroller sketch, scenario file) beside their golden texts: the
// order of the sketch's products, the scenario file's parts and tables,
// and the process stops of the extended BLIF and scenario writers.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <unistd.h>

#include "fba/FBA.h"
#include "support/machine.h"
#include "writer_text.h"

namespace {

// The machine of a sample automaton, its transitions handed over as
// listed.
std::unique_ptr<FBA> sample_machine(const std::string& name) {
  return ktest::to_machine(ktest::sample_automaton(name), ktest::build::as_listed);
}

// Within a product the literals follow the level order, registers before
// inputs; products are joined by " || " in the order of the level's cover
// (levels 1 and 2 cover with the two prime implicants, in opposite
// orders).
TEST(ExtraWriters, SketchTwoProducts) {
  auto machine = sample_machine("two_products");
  const struct {
    int level;
    const char* line;
  } rows[] = {{1, "  m2_X0next= ! m2_X0 && m2_a || m2_b;\n"},
              {2, "  m2_X0next= m2_b || ! m2_X0 && m2_a;\n"}};
  for (const auto& r : rows) {
    const std::string text = writer_text(*machine, target::sketch, r.level);
    EXPECT_NE(text.find(r.line), std::string::npos) << text;
  }
}

// Whether `text` ends with `tail`; on failure, says what it ends with.
testing::AssertionResult ends_with(const std::string& text, const std::string& tail) {
  if (text.size() >= tail.size() &&
      text.compare(text.size() - tail.size(), tail.size(), tail) == 0) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "text does not end with \"" << tail << "\":\n" << text;
}

// ---- Scenario file

std::string write_scenario(const FBA& machine, int states, int level) {
  scenario_tables t;
  std::ostringstream os;
  machine.SCENARIO_put(os, states, nullptr, nullptr, t.awaited, t.trigger, t.shifted, nullptr,
                       level);
  return os.str();
}

TEST(ScenarioWriter, NoStateNoInput) {
  // One state bit would allow two states; with none, 0 or 1 state.
  const ktest::automaton automaton =
      ktest::coded_automaton("z", {}, {"x", "y", "w"}, 0, 0, {}, {{0, 2, "1"}});
  auto machine = ktest::to_machine(automaton, ktest::build::as_listed);
  const std::string text = write_scenario(*machine, 0, 0);
  EXPECT_NE(text.find("nstates: 0\ncontextsize: 3\nninputs: 0\n"), std::string::npos);
  EXPECT_NE(text.find("Transition @\n  // inputs to context conversion\n\n"
                      "  // state to context conversion\n\n"
                      "  // context interpretation\n\n"
                      "  // outputs context interpretation\n"
                      " _c[0]= 0;\n _c[1]= 0;\n _c[2]= 1;\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("  result =0;\n\n  return result;\n@\n"), std::string::npos);
  EXPECT_NE(text.find("Awaited @\n@\n\nTrigger @\n@\n"), std::string::npos);
  EXPECT_TRUE(ends_with(text, "Inputs @\n@\n"));
}

// An input whose name repeats an earlier one shares its variable: the
// later inputs move one level down, and each input is written into the
// slot of its own variable.
TEST(ScenarioWriter, RepeatedInputNameUsesItsVariable) {
  const ktest::automaton automaton =
      ktest::coded_automaton("r", {"a", "a", "b"}, {"x", "y", "w"}, 1, 0,
                             {{0, 0, 0, "b", {0}}, {0, 1, 0, "not b", {}}, {1, 1, 0, "1", {}}});
  auto machine = ktest::to_machine(automaton, ktest::build::as_listed);
  const std::string text = write_scenario(*machine, 2, 0);
  EXPECT_NE(text.find("  _c[2]= (inputset.find (0) != inputset.end()); \n"
                      "  _c[2]= (inputset.find (1) != inputset.end()); \n"
                      "  _c[3]= (inputset.find (2) != inputset.end()); \n"),
            std::string::npos)
      << text;
  // x is emitted on b from state 0: b is the variable at level 3.
  EXPECT_NE(text.find(" _c[5]= ! _c[0] && _c[3];\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Inputs @\na 0\na 1\nb 2\n@\n"), std::string::npos);
}

TEST(ScenarioWriter, TablePrinters) {
  struct row {
    long a;
    std::set<std::set<int>> t;
    const char* expected;
  } rows[] = {{1, {{}, {0, 2}}, "1: {} {0 2 } "},
              {3, {}, "3: "},
              {-4, {{5}, {1, 2, 3}}, "-4: {1 2 3 } {5 } "}};
  for (auto& r : rows) {
    std::ostringstream os;
    fbamrsetsetput(os, r.a, r.t);
    EXPECT_EQ(r.expected, os.str());
  }
  struct trigger_row {
    long a, d;
    std::set<int> u, w;
    const char* expected;
  } triggers[] = {{0, 2, {1}, {0, 4}, "0: {1} {2} {6} "},
                  {7, 5, {}, {}, "7: "},
                  {2, 10, {3, 1}, {}, "2: {1} {3} "},
                  {2, 10, {}, {-1}, "2: {9} "}};
  for (auto& r : triggers) {
    std::ostringstream os;
    fbamrsetput(os, r.a, r.d, r.u, r.w);
    EXPECT_EQ(r.expected, os.str());
  }
}

// A file of the temporary directory that the death tests write in the
// child process and read back here; the process id keeps concurrent runs
// of this test program apart.
std::string scratch_file(const std::string& name) {
  return testing::TempDir() + "korvane_" + std::to_string(getpid()) + "_" + name;
}

// The content of the file, which is removed; empty when there is none.
std::string file_text(const std::string& name) {
  std::stringstream text;
  {
    std::ifstream in(name);
    if (in) text << in.rdbuf();
  }
  std::remove(name.c_str());
  return text.str();
}

// Writes the scenario of `machine` for `states` states, with the tables of
// scenario_tables, into the file `name` (in the child of a death test).
void put_scenario_file(const FBA& machine, const std::string& name, int states) {
  std::ofstream file(name);
  scenario_tables t;
  machine.SCENARIO_put(file, states, nullptr, nullptr, t.awaited, t.trigger, t.shifted, nullptr, 0);
}

TEST(ScenarioWriterDeathTest, StopsOnBadEncodingBeforeWriting) {
  auto machine = sample_machine("scenario");
  const std::string name = scratch_file("scenario_bad_encoding.sce");
  std::remove(name.c_str());
  EXPECT_EXIT(put_scenario_file(*machine, name, 3), testing::ExitedWithCode(1),
              "^internal error due to a bad state encoding! stop process \\.\\.\\.\n$");
  EXPECT_EQ("", file_text(name));
}

TEST(ScenarioWriterDeathTest, StopsOnMissingTableBeforeWriting) {
  auto machine = sample_machine("scenario");
  scenario_tables t;
  struct row {
    std::set<std::set<int>>* awaited;
    std::set<int>* trigger;
    std::set<int>* shifted;
  } rows[] = {{nullptr, t.trigger, t.shifted},
              {t.awaited, nullptr, t.shifted},
              {t.awaited, t.trigger, nullptr}};
  const std::string name = scratch_file("scenario_missing_table.sce");
  for (const row& r : rows) {
    std::remove(name.c_str());
    EXPECT_EXIT(
        {
          std::ofstream file(name);
          machine->SCENARIO_put(file, 2, nullptr, nullptr, r.awaited, r.trigger, r.shifted, nullptr,
                                0);
        },
        testing::ExitedWithCode(1),
        "^FBA::SCENARIO_put\\(\\): awaited or trigger table missing for 2 states\n$");
    EXPECT_EQ("", file_text(name));
  }
  // Without states no table is read.
  std::ostringstream os;
  machine->SCENARIO_put(os, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0);
  EXPECT_NE(os.str().find("Awaited @\n@\n"), std::string::npos);
}

// Two state bits code four states: the check accepts exactly 2^n, and a
// machine of many state bits never overflows the power of two.
TEST(ScenarioWriter, EncodingAcceptsPowerOfTwoAndWideMachines) {
  auto machine = sample_machine("scenario");
  EXPECT_NE(write_scenario(*machine, 2, 0).find("nstates: 2\n"), std::string::npos);
  const ktest::automaton wide = ktest::coded_automaton("w", {}, {"x", "y", "z"}, 33);
  auto wide_machine = ktest::to_machine(wide, ktest::build::as_listed);
  std::set<std::set<int>> awaited[3];
  std::set<int> trigger[3], shifted[3];
  std::ostringstream os;
  wide_machine->SCENARIO_put(os, 3, nullptr, nullptr, awaited, trigger, shifted, nullptr, 0);
  EXPECT_NE(os.str().find("nstates: 3\ncontextsize: 69\n"), std::string::npos);
}

TEST(ScenarioWriterDeathTest, StopsOnOutputCountOtherThanThree) {
  for (int outputs : {2, 4}) {
    SCOPED_TRACE(outputs);
    ktest::automaton automaton = ktest::sample_automaton("scenario");
    automaton.outputs.resize(outputs, "extra");
    if (outputs == 2) {
      // Output 2 is gone: its transition emits nothing any more.
      automaton.transitions.back().outputs.clear();
    }
    auto machine = ktest::to_machine(automaton, ktest::build::as_listed);
    const std::string name = scratch_file("scenario_bad_outputs.sce");
    std::remove(name.c_str());
    EXPECT_EXIT(put_scenario_file(*machine, name, 2), testing::ExitedWithCode(1),
                "^Bad Number of outputs! Aborted \\.\\.\\.\n$");
    const std::string text = file_text(name);
    EXPECT_TRUE(ends_with(text, "  // context to outputs conversion\n  out=CONTINUE;\n"));
    EXPECT_EQ(0u, text.find("# Automaton:sce.sce file\n"));
  }
}

// A cover of more than 9,999 products stops the extended BLIF writer
// before any line of its block: the parity of 15 inputs has 16,384.
TEST(ExtendedBlifDeathTest, StopsBeyond9999Products) {
  ktest::automaton automaton = ktest::coded_automaton("big", {}, {"o"}, 0);
  std::string parity;
  for (int j = 0; j < 15; ++j) {
    automaton.inputs.push_back("i" + std::to_string(j));
    parity += (j ? " xor i" : "i") + std::to_string(j);
  }
  automaton.moore_actions.push_back({0, 0, parity});
  auto machine = ktest::to_machine(automaton, ktest::build::as_listed);
  const std::string name = scratch_file("extended_big.blif");
  std::remove(name.c_str());
  EXPECT_EXIT(
      {
        std::ofstream file(name);
        machine->FBA_put(file, 0);
      },
      testing::ExitedWithCode(1),
      "^internal error in void FBA::FBA_put\\(\\)\n product term number exceded limit\n$");
  const std::string text = file_text(name);
  EXPECT_TRUE(ends_with(text, ".end_rising\n\n"));
}

}  // namespace
