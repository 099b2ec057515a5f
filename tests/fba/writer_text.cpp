// The texts of the machine's writers, one target at a time.
#include "writer_text.h"

#include <iostream>
#include <list>
#include <sstream>

#include <gtest/gtest.h>

#include "support/capture.h"
#include "support/machine.h"

namespace {

struct target_names {
  target t;
  const char* writer;
  const char* extension;
};

const target_names names[] = {
    {target::sc, "SC_put", "sc"},
    {target::bac, "BAC_put", "bac"},
    {target::esterel, "ESTEREL_put", "strl"},
    {target::lustre, "LUSTRE_put", "lus"},
    {target::blif, "BLIF_put", "blif"},
    {target::le, "LE_put", "le"},
    {target::c, "c_put (code)", "c"},
    {target::h, "c_put (header)", "h"},
    {target::vhdl, "VHDL_put", "vhd"},
    {target::vhdl_altera, "VHDL_put (Altera)", "altera.vhd"},
    {target::doc, "DOC_put", "doc"},
    {target::latex, "LATEX_put", "tex"},
    {target::csharp, "CSHARP_put", "cs"},
    {target::extended_blif, "FBA_put", "ext.blif"},
    {target::grafcet, "VHDL_grafcet_put", "grafcet.vhd"},
    {target::grafcet_std_logic, "VHDL_grafcet_put (std_logic)", "grafcet.std_logic.vhd"},
    {target::sketch, "ino_put_grafcet", "ino"},
    {target::sketch_single, "ino_put_grafcet (single handler)", "single.ino"},
    {target::scenario, "SCENARIO_put", "sce"},
    {target::dump, "operator<<", "dump"},
};

const target_names& names_of(target t) {
  for (const target_names& n : names) {
    if (n.t == t) return n;
  }
  ADD_FAILURE() << "no names for target " << static_cast<int>(t);
  return names[0];
}

}  // namespace

const char* writer_name(target t) { return names_of(t).writer; }

const char* golden_extension(target t) { return names_of(t).extension; }

std::string writer_text(const FBA& machine, target t, int level) {
  std::ostringstream os;
  ktest::stream_capture cout_capture(std::cout);
  ktest::stream_capture cerr_capture(std::cerr);
  std::ostringstream other;  // the C writer's stream that is not asked for
  std::list<std::string> single;
  scenario_tables tables;
  switch (t) {
    case target::sc:
      machine.SC_put(os, level);
      break;
    case target::bac:
      machine.BAC_put(os, level);
      break;
    case target::esterel:
      machine.ESTEREL_put(os, level);
      break;
    case target::lustre:
      machine.LUSTRE_put(os, level);
      break;
    case target::blif:
      machine.BLIF_put(os, level);
      break;
    case target::le:
      machine.LE_put(os, level);
      break;
    case target::c:
      machine.c_put(os, other, level);
      break;
    case target::h:
      machine.c_put(other, os, level);
      break;
    case target::vhdl:
      machine.VHDL_put(os, 0, level);
      break;
    case target::vhdl_altera:
      machine.VHDL_put(os, 1, level);
      break;
    case target::doc:
      machine.DOC_put(os, level);
      break;
    case target::latex:
      machine.LATEX_put(os, level);
      break;
    case target::csharp:
      machine.CSHARP_put(os, level);
      break;
    case target::extended_blif:
      machine.FBA_put(os, level);
      break;
    case target::grafcet:
      machine.VHDL_grafcet_put(os, 0, level);
      break;
    case target::grafcet_std_logic:
      machine.VHDL_grafcet_put(os, 7, level);
      break;
    case target::sketch:
      machine.ino_put_grafcet(os, level, single);
      break;
    case target::sketch_single:
      single.push_back("no_such_output");
      if (machine.get_actions_number() > 0) single.push_back(machine.get_action(0));
      machine.ino_put_grafcet(os, level, single);
      break;
    case target::scenario:
      machine.SCENARIO_put(os, 2, nullptr, nullptr, tables.awaited, tables.trigger, tables.shifted,
                           nullptr, level);
      break;
    case target::dump:
      os << machine;
      break;
  }
  cerr_capture.stop();
  cout_capture.stop();
  return os.str();
}

std::string sample_text(const std::string& sample, target t, int level) {
  const auto machine = ktest::to_machine(ktest::sample_automaton(sample));
  if (!machine) return std::string();
  return writer_text(*machine, t, level);
}
