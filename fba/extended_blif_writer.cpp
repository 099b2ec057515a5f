// Extended BLIF writer: the BLIF netlist of the machine (model, ports,
// latches, single-output covers) in which the next state of a register is
// not one simplified function but its two raw forcing conditions, the
// forcing-to-0 conditions in a ".begin_falling" section and the forcing-to-1
// conditions in a ".begin_rising" section, both under the next-state name.
// A reader combines them (for instance next = rising OR (register AND NOT
// falling)). No function is simplified and no progress line is printed.
#include <ostream>
#include <string>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"

// The nets of the plain BLIF writer, under its rules (blif_writer.cpp).
std::string FBA::FBA_name_refusal() const {
  name_check check(blif_identifier_rules(), "extended BLIF");
  check_bare_names(check, *this, "the model ");
  return check.refusal();
}

void FBA::FBA_put(std::ostream& os, int level) const {
  const int n = nb_state_bits;
  const char* const writer = "FBA::FBA_put";
  put_blif_opening(os, *this);

  cover_scratch scratch(manager);
  put_line(os, ".begin_falling");
  for (int i = 0; i < n; ++i)
    put_blif_cover(os, scratch, force_to_0[i], next_state_name(i), level, writer);
  put_line(os, ".end_falling");
  put_line(os, "");
  put_line(os, ".begin_rising");
  for (int i = 0; i < n; ++i)
    put_blif_cover(os, scratch, force_to_1[i], next_state_name(i), level, writer);
  put_line(os, ".end_rising");
  put_line(os, "");
  for (int k = 0; k < nb_outputs; ++k)
    put_blif_cover(os, scratch, emissions[k], output_names[k], level, writer);
  put_line(os, "");
  put_line(os, ".end");
  put_line(os, "");
}
