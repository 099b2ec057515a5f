// The texts of the machine's writers, one target at a time: the golden
// table of the writers and the tests of each writer read them here.
#ifndef KORVANE_TESTS_FBA_WRITER_TEXT_H
#define KORVANE_TESTS_FBA_WRITER_TEXT_H

#include <set>
#include <string>

#include "fba/FBA.h"

// What a writer is asked to write: the targets of the compiler, the C
// writer's header apart from its code, the Altera form of the VHDL
// writer, and the writers that no option reaches.
enum class target {
  sc,
  bac,
  esterel,
  lustre,
  blif,
  le,
  c,            // the code stream of c_put
  h,            // the header stream of c_put
  vhdl,         // VHDL_put, plain
  vhdl_altera,  // VHDL_put with the Altera flag 1
  doc,
  latex,
  csharp,
  extended_blif,      // FBA_put
  grafcet,            // VHDL_grafcet_put with bit types
  grafcet_std_logic,  // VHDL_grafcet_put with std_logic types (flag 7)
  sketch,             // ino_put_grafcet, no single-handler output
  sketch_single,      // ino_put_grafcet, the first output single-handled
  scenario,           // SCENARIO_put for two states with scenario_tables
  dump,               // the debug dump (operator<<), which has no level
};

// The writer's name, for the traces of the tests.
const char* writer_name(target t);

// The extension of the golden files of the target: the compiler's file
// extension where the target has one ("sc", "bac", "strl", ...), else
// one that names the writer ("altera.vhd", "ext.blif", "grafcet.vhd",
// "ino", "sce", "dump", ...).
const char* golden_extension(target t);

// The awaited, trigger and shifted tables of the scenario tests, for two
// states.
struct scenario_tables {
  std::set<std::set<int>> awaited[2] = {{{}, {0, 2}}, {}};
  std::set<int> trigger[2] = {{1}, {}};
  std::set<int> shifted[2] = {{0, 4}, {}};
};

// The text the target's writer gives for `machine` at `level`; what the
// writers say on the standard streams meanwhile (the BLIF writer's
// progress line, the level-3 search's notices) is swallowed.
std::string writer_text(const FBA& machine, target t, int level);

// The same for the sample automaton `sample`, built as the compiler builds
// it; fails the current test (and gives an empty text) when it does not
// build.
std::string sample_text(const std::string& sample, target t, int level);

#endif
