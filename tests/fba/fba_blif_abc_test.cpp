// The BLIF writer checked by berkeley-abc: read_blif accepts the text of
// every test machine at levels 0 to 3, and dsec proves the netlist of
// level 0 equivalent to those of levels 1, 2 and 3 (cec for a machine
// without state bits, which has no latch).
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "support/machine.h"
#include "support/process.h"
#include "support/capture.h"

namespace {

// Runs berkeley-abc on one command line inside `dir`; returns everything
// it printed.
std::string abc(const ktest::scratch_directory& dir, const std::string& commands) {
  std::string text;
  const int status = ktest::run_shell(dir.path(), "berkeley-abc -c \"" + commands + "\"", &text);
  EXPECT_NE(status, -1) << commands;
  return text;
}

// Writes the BLIF of the machine at the level into `dir`; returns the
// file's name.
std::string write_blif(const ktest::scratch_directory& dir, const FBA& machine, int level) {
  const std::string name = machine.module_name() + "_O" + std::to_string(level) + ".blif";
  std::ofstream file(dir.file(name));
  // The progress line and the level-3 search's notices are not checked
  // here.
  ktest::stream_capture cout_capture(std::cout);
  ktest::stream_capture cerr_capture(std::cerr);
  machine.BLIF_put(file, level);
  cerr_capture.stop();
  cout_capture.stop();
  return name;
}

// Every sample machine but those without state bit and output: abc
// crashes on a network with neither outputs nor latches (their BLIF text
// the golden tests fix).
std::vector<const ktest::automaton*> checked_machines() {
  std::vector<const ktest::automaton*> machines;
  for (const std::string& name : ktest::sample_names()) {
    const ktest::automaton& automaton = ktest::sample_automaton(name);
    if (automaton.state_bits() != 0 || !automaton.outputs.empty()) machines.push_back(&automaton);
  }
  return machines;
}

TEST(FbaBlifAbc, ReadBlifAcceptsEveryLevel) {
  for (const ktest::automaton* automaton : checked_machines()) {
    auto machine = ktest::to_machine(*automaton);
    const ktest::scratch_directory dir;
    for (int level = 0; level <= 3; ++level) {
      SCOPED_TRACE(automaton->name + " level " + std::to_string(level));
      const std::string file = write_blif(dir, *machine, level);
      const std::string out = abc(dir, "read_blif " + file + "; print_stats");
      EXPECT_EQ(out.find("failed"), std::string::npos) << out;
      EXPECT_NE(out.find("lat ="), std::string::npos) << out;
    }
  }
}

TEST(FbaBlifAbc, LevelsProvedEquivalent) {
  for (const ktest::automaton* automaton : checked_machines()) {
    auto machine = ktest::to_machine(*automaton);
    const ktest::scratch_directory dir;
    const std::string level0 = write_blif(dir, *machine, 0);
    for (int level = 1; level <= 3; ++level) {
      SCOPED_TRACE(automaton->name + " level " + std::to_string(level));
      const std::string other = write_blif(dir, *machine, level);
      const std::string command = automaton->state_bits() == 0 ? "cec " : "dsec ";
      const std::string out = abc(dir, command + level0 + " " + other);
      EXPECT_NE(out.find("Networks are equivalent"), std::string::npos) << out;
      EXPECT_EQ(out.find("NOT EQUIVALENT"), std::string::npos) << out;
    }
  }
}

}  // namespace
