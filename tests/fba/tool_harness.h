// Runs the generated C, C# and VHDL texts of a machine through the real
// tools (gcc, mcs and mono, ghdl, pdflatex) in a scratch directory, with
// small generated harnesses that drive the machine step by step.
#ifndef KORVANE_TESTS_FBA_TOOL_HARNESS_H
#define KORVANE_TESTS_FBA_TOOL_HARNESS_H

#include <map>
#include <string>
#include <vector>

#include "fba/FBA.h"
#include "support/automaton.h"

// The trace of a run in the reference format ("s=<code> o=<outputs>", the
// state after reset first), or an empty vector after a test failure that
// says which tool refused what.
std::vector<std::string> run_c(const ktest::automaton& a, const FBA& m, int level,
                               const std::vector<std::vector<int>>& inputs);
std::vector<std::string> run_csharp(const ktest::automaton& a, const FBA& m, int level,
                                    const std::vector<std::vector<int>>& inputs);
std::vector<std::string> run_vhdl(const ktest::automaton& a, const FBA& m, int altera, int level,
                                  const std::vector<std::vector<int>>& inputs);

// Values of the signals of the scope `scope` in a VCD text, sampled at the
// given times (in femtoseconds, ascending): one map from lower-case signal
// name to value character per time. A value stands at time t when its
// change is stamped t or earlier.
std::vector<std::map<std::string, char>> sample_vcd(const std::string& vcd,
                                                    const std::string& scope,
                                                    const std::vector<long long>& times_fs);

#endif
