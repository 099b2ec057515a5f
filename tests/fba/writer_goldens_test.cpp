// The golden table of the machine's writers: every expected whole text of a
// writer on a small sample machine, one row (machine, target, level) per
// file golden/<machine>.<level>.<extension of the target>. The machines hit
// the edge cases: no inputs, no outputs, no state bits, constant
// equations, and covers that change with the level.
#include <string>

#include <gtest/gtest.h>

#include "support/golden.h"
#include "writer_text.h"

namespace {

struct golden_row {
  const char* machine;  // a name of ktest::sample_automaton
  target what;
  int level;
};

const golden_row goldens[] = {
    // ---- follower: one state bit, an input, a Moore and a Mealy output.
    {"follower", target::c, 0},
    {"follower", target::h, 0},
    {"follower", target::csharp, 0},
    {"follower", target::doc, 0},
    {"follower", target::latex, 0},
    {"follower", target::vhdl, 0},
    // Level 3, the exchange builder, gives the same text.
    {"follower", target::vhdl, 3},
    // ---- pulse: no input, constant equations.
    {"pulse", target::c, 2},
    {"pulse", target::h, 2},
    {"pulse", target::csharp, 0},
    {"pulse", target::doc, 1},
    {"pulse", target::latex, 0},
    {"pulse", target::vhdl_altera, 0},
    // ---- relay_box: no state bit, "_" in the module and input names.
    {"relay_box", target::c, 1},
    {"relay_box", target::h, 1},
    {"relay_box", target::csharp, 2},
    {"relay_box", target::doc, 0},
    {"relay_box", target::latex, 1},
    {"relay_box", target::vhdl, 2},
    // ---- idle: no input, no output, no state bit (an empty parameter
    // list, a last list that would be empty).
    {"idle", target::c, 0},
    {"idle", target::h, 0},
    {"idle", target::csharp, 0},
    {"idle", target::doc, 0},
    {"idle", target::latex, 0},
    {"idle", target::vhdl, 0},
    // ---- latch2: two bits, no output, a register reset to 1.
    {"latch2", target::c, 0},
    {"latch2", target::h, 0},
    {"latch2", target::csharp, 1},
    {"latch2", target::doc, 2},
    {"latch2", target::latex, 2},
    {"latch2", target::vhdl_altera, 1},
    // ---- example: input a, output o = X0, X0next = a, X0 initially 0.
    {"example", target::blif, 0},
    {"example", target::bac, 0},
    {"example", target::le, 0},
    {"example", target::lustre, 0},
    {"example", target::esterel, 0},
    // The output equal to the register is attached to the register's net.
    {"example", target::sc, 0},
    {"example", target::extended_blif, 0},
    {"example", target::grafcet, 0},
    {"example", target::sketch, 0},
    {"example", target::dump, 0},
    // ---- constants: no input, bit 1 initially 1, X0next = 0,
    // X1next = 1, z never emitted, w a Moore output of state 2.
    {"constants", target::blif, 0},
    {"constants", target::bac, 0},
    {"constants", target::le, 0},
    // Constant equations are Lustre's false and true; no input: "()".
    {"constants", target::lustre, 0},
    {"constants", target::esterel, 0},
    // Constant next-state functions and the never-emitted output z get the
    // constant nets 7 ($0) and 8 ($1).
    {"constants", target::sc, 0},
    {"constants", target::extended_blif, 2},
    {"constants", target::grafcet_std_logic, 0},
    {"constants", target::sketch_single, 1},
    // ---- one_state: no state bit, o = a and not b, p = 1, q = 0.
    {"one_state", target::blif, 0},
    {"one_state", target::bac, 0},
    {"one_state", target::le, 0},
    {"one_state", target::lustre, 0},
    // No state bit: no signal declaration, and the first output block
    // opens the loop's parallel without "||"; q (never emitted) gets no
    // block.
    {"one_state", target::esterel, 0},
    {"one_state", target::sc, 0},
    {"one_state", target::extended_blif, 1},
    {"one_state", target::grafcet, 1},
    // ---- empty: no input, no output, no state bit.
    {"empty", target::blif, 0},
    {"empty", target::bac, 0},
    {"empty", target::le, 0},
    {"empty", target::lustre, 0},
    {"empty", target::esterel, 0},
    {"empty", target::sc, 0},
    {"empty", target::extended_blif, 0},
    {"empty", target::grafcet, 0},
    {"empty", target::sketch, 0},
    {"empty", target::dump, 0},
    // ---- SC6 nets: a decision node with a variable child, two outputs on
    // one net, a function and its complement as two wires.
    {"shared_nets", target::sc, 0},
    // Outputs equal to inputs are attached to the inputs' own nets.
    {"input_outputs", target::sc, 0},
    // ---- toggle: state bits without inputs or outputs.
    {"toggle", target::sketch, 0},
    // ---- either: o = a or b; the level selects the cover.
    {"either", target::blif, 0},
    {"either", target::blif, 1},
    {"either", target::blif, 3},
    {"either", target::bac, 0},
    {"either", target::bac, 2},
    {"either", target::le, 1},
    {"either", target::lustre, 3},
    {"either", target::esterel, 2},
    // ---- scenario: the awaited and trigger tables of two states, a
    // conditional Moore output.
    {"scenario", target::scenario, 0},
};

// The golden file of a row, under golden/.
std::string golden_name(const golden_row& row) {
  return std::string(row.machine) + "." + std::to_string(row.level) + "." +
         golden_extension(row.what);
}

TEST(WriterGoldens, WholeTexts) {
  for (const golden_row& row : goldens) {
    const std::string name = golden_name(row);
    SCOPED_TRACE(name + " (" + writer_name(row.what) + ")");
    ktest::expect_golden(name, sample_text(row.machine, row.what, row.level));
  }
}

}  // namespace
