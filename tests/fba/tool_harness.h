// Runs the generated C, C# and VHDL texts of a machine through the real
// tools (gcc, mcs and mono, ghdl, pdflatex) in a temporary directory, with
// small generated harnesses that drive the machine step by step.
#ifndef KORVANE_TESTS_FBA_TOOL_HARNESS_H
#define KORVANE_TESTS_FBA_TOOL_HARNESS_H

#include <map>
#include <string>
#include <vector>

#include "explicit_automaton.h"

// A fresh directory under $TMPDIR (or /tmp), removed with its content.
class temp_dir {
public:
  temp_dir();
  ~temp_dir();
  temp_dir(const temp_dir&) = delete;
  temp_dir& operator=(const temp_dir&) = delete;
  const std::string& path() const { return dir; }
  // Writes `text` into the file `name` of the directory.
  void write(const std::string& name, const std::string& text) const;
  // True when the file `name` exists in the directory.
  bool has(const std::string& name) const;

private:
  std::string dir;
};

// Runs `command` through the shell inside `dir`, standard error joined to
// standard output; stores that output and returns the exit status (-1 when
// the command could not be started or did not exit normally).
int run_in(const std::string& dir, const std::string& command,
           std::string* output);

// The trace of a run in the reference format ("s=<code> o=<outputs>", the
// state after reset first), or an empty vector after a test failure that
// says which tool refused what.
std::vector<std::string> run_c(const explicit_automaton& a, const FBA& m,
                               int level,
                               const std::vector<std::vector<int>>& inputs);
std::vector<std::string> run_csharp(const explicit_automaton& a, const FBA& m,
                                    int level,
                                    const std::vector<std::vector<int>>& inputs);
std::vector<std::string> run_vhdl(const explicit_automaton& a, const FBA& m,
                                  int altera, int level,
                                  const std::vector<std::vector<int>>& inputs);

// Values of the signals of the scope `scope` in a VCD text, sampled at the
// given times (in femtoseconds, ascending): one map from lower-case signal
// name to value character per time. A value stands at time t when its
// change is stamped t or earlier.
std::vector<std::map<std::string, char>> sample_vcd(
    const std::string& vcd, const std::string& scope,
    const std::vector<long long>& times_fs);

#endif
