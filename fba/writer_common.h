// Pieces of text that several writers of the boolean machine emit in the
// same shape. The per-machine helpers (register and next-state names,
// initial value, next-state function) are members of FBA, defined in
// writer_common.cpp; the free helpers here need no machine.
#ifndef KORVANE_FBA_WRITER_COMMON_H
#define KORVANE_FBA_WRITER_COMMON_H

#include <iosfwd>
#include <string>
#include <vector>

#include "bdd/bddpp.h"

// The items in order, every item after the first preceded by `separator`;
// the empty string for no item.
std::string join_with(const std::vector<std::string>& items, const std::string& separator);

// Writes `text` and an end of line, then flushes: every writer line, so
// that a writer stopped by a fatal condition leaves the lines before it.
void put_line(std::ostream& os, const std::string& text);

// Scratch of the BLIF cover blocks, allocated once per write and reused
// for every block: the presence mask and literal codes (one int per
// variable level) and a product store that takes every product a cover
// builder can return.
class cover_scratch {
 public:
  explicit cover_scratch(bddpp_manager* manager);
  ~cover_scratch();
  cover_scratch(const cover_scratch&) = delete;
  cover_scratch& operator=(const cover_scratch&) = delete;

  bddpp_manager* manager;
  long variables;
  int* mask;
  int* codes;
  std::vector<bdd> products;
};

// Largest number of products a BLIF cover block may hold.
constexpr int blif_max_products = 9999;

// Writes the BLIF single-output cover of f under the net name `target`:
// ".names  " with the names of the variables f depends on (level order,
// each followed by a blank) and the target, then one row per product of
// the level's cover ('1', '0', '-' per present variable, then " 1"), or,
// for a constant, the row "0" or "1". A cover of more than 9,999 products
// writes two lines on the standard error stream and ends the process with
// status 1 before any line of the block is written.
void put_blif_cover(std::ostream& os, cover_scratch& scratch, bdd f, const std::string& target,
                    int level);
// The same block for the writer `writer`, whose name the first error line
// gives ("internal error in void " writer "()").
void put_blif_cover(std::ostream& os, cover_scratch& scratch, bdd f, const std::string& target,
                    int level, const char* writer);

class FBA;

// Writes the opening of the machine's BLIF model (blif_writer.cpp), shared
// by the extended BLIF writer: ".model" and the machine name, ".inputs" and
// the inputs (an empty line without inputs), ".outputs" and the outputs
// (no line without outputs), one ".latch" line per state bit (next-state
// name, register name, initial value), then an empty line.
void put_blif_opening(std::ostream& os, const FBA& machine);

// The action arrays of the machine's transitions (one entry per output).
// The outputs count of a transition's machine; 0 without a machine.
int transition_outputs(const FBA* automaton);
// A new array of `count` entries copied from `from` (null: the constant 0
// of `automaton`'s manager); null when count is 0.
bdd* copy_transition_actions(const FBA* automaton, const bdd* from, int count);
// Makes `actions` (holding `current` entries) a copy of the `count` entries
// of `from`, reusing the array when the counts agree.
void assign_transition_actions(bdd*& actions, int current, const bdd* from, int count);

#endif
