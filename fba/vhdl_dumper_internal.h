// The VHDL dumper of the boolean machine, shared by the VHDL writer
// (vhdl_writer.cpp, which holds its code) and the grafcet VHDL writer
// (grafcet_vhdl_writer.cpp): a header comment, the library clauses of the
// std_logic form, one entity with its ports and one architecture with a
// single clocked process (asynchronous active-low reset) followed by the
// next-state signals as concurrent assignments. What a writer has of its
// own is its flavour.
#ifndef KORVANE_FBA_VHDL_DUMPER_INTERNAL_H
#define KORVANE_FBA_VHDL_DUMPER_INTERNAL_H

#include <iosfwd>
#include <string>
#include <vector>

#include "bdd/bddpp.h"

class FBA;

// What one VHDL writer's design unit has of its own.
struct vhdl_flavour {
  // The first line, a comment.
  std::string heading;
  // The lines written before the entity in the std_logic form.
  std::vector<std::string> std_logic_clauses;
  // Put before the name of every port: the inputs, "reset", "clk" and the
  // outputs.
  std::string port_prefix;
  // True: the process samples the input ports, on the rising clock edge,
  // into signals named as the inputs, which the equations read, and
  // updates the outputs and the registers on the falling edge. False: the
  // equations read the input ports, and the update is on the rising edge.
  bool sampled_inputs;
  // The function that the reset loads into register i, at the level; null:
  // the register's initial value.
  bdd (*reset_function)(const FBA& machine, int i, int level);
};

// Writes the design unit of `machine` in `flavour`, its ports and signals
// typed "std_logic" when `std_logic`, "bit" otherwise, its covers built at
// `level`.
void put_vhdl(std::ostream& os, const FBA& machine, const vhdl_flavour& flavour, bool std_logic,
              int level);

#endif
