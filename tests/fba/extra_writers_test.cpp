// Whole texts of the writers that no option reaches (extended BLIF,
// grafcet VHDL, microcontroller sketch, scenario file) and of the debug
// dump, on small machines: no inputs, no outputs, no state bits, constant
// equations; and the process stops of the extended BLIF and scenario
// writers.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <list>
#include <set>
#include <sstream>
#include <string>

#include <unistd.h>

#include "fba/FBA.h"
#include "fba_machines.h"

namespace {

// One state bit following input a, input b, and three outputs: st on the
// transition that sets the bit, su as a Moore output of state 1 under b,
// fa on the transition that clears it.
const ktest::automaton& scenario_machine() {
  static const ktest::automaton spec = machine_of(
      "sce", {"a", "b"}, {"st", "su", "fa"}, 1, 0,
      {{0, 1, 0, "a", {0}}, {0, 0, 0, "not a", {}}, {1, 1, 0, "a", {}}, {1, 0, 0, "not a", {2}}},
      {{1, 1, "b"}});
  return spec;
}

// Two state bits, neither inputs nor outputs: bit 0 toggles, bit 1 stays 0.
const ktest::automaton& toggle_machine() {
  static const ktest::automaton spec =
      machine_of("r", {}, {}, 2, 0, {{0, 1, 0, "1", {}}, {1, 0, 0, "1", {}}});
  return spec;
}

// One state bit whose next-state function is (a and not X0) or b.
const ktest::automaton& two_products_machine() {
  static const ktest::automaton spec = machine_of("m2", {"a", "b"}, {}, 1, 0,
                                                  {{0, 1, 0, "a or b", {}},
                                                   {0, 0, 0, "not a and not b", {}},
                                                   {1, 1, 0, "b", {}},
                                                   {1, 0, 0, "not b", {}}});
  return spec;
}

enum class writer { extended_blif, grafcet_bit, grafcet_std, sketch, sketch_single, dump };

// The text of one writer at the level; the sketch's single-handler list is
// empty, or holds the first output for sketch_single.
std::string write(const FBA& machine, writer w, int level) {
  std::ostringstream os;
  std::list<std::string> single;
  switch (w) {
    case writer::extended_blif:
      machine.FBA_put(os, level);
      break;
    case writer::grafcet_bit:
      machine.VHDL_grafcet_put(os, 0, level);
      break;
    case writer::grafcet_std:
      machine.VHDL_grafcet_put(os, 7, level);
      break;
    case writer::sketch:
      machine.ino_put_grafcet(os, level, single);
      break;
    case writer::sketch_single:
      single.push_back("no_such_output");
      if (machine.get_actions_number() > 0) single.push_back(machine.get_action(0));
      machine.ino_put_grafcet(os, level, single);
      break;
    case writer::dump:
      os << machine;
      break;
  }
  return os.str();
}

struct golden_row {
  const ktest::automaton& (*machine)();
  writer target;
  int level;
  const char* expected;
};

const golden_row golden[] = {
    // ---- example: input a, output o = X0, X0next = a, X0 initially 0.
    {example_machine, writer::extended_blif, 0,
     ".model m\n.inputs a\n.outputs o\n.latch X0next X0 0\n\n"
     ".begin_falling\n.names  a X0next\n0 1\n.end_falling\n\n"
     ".begin_rising\n.names  a X0next\n1 1\n.end_rising\n\n"
     ".names  X0 o\n1 1\n\n.end\n\n"},
    {example_machine, writer::grafcet_bit, 0,
     "-- VHDL generation by trobix from m grafcet\n"
     "\n"
     "entity m is\n"
     "  port(a,  reset, clk: in bit;\n"
     "     o: out bit);\n"
     "end m;\n"
     "\n"
     "architecture m_a of m is\n"
     "signal X0, X0next :bit;\n"
     "\n"
     "begin\n"
     "-- state and output computation\n"
     "process (clk,reset)\n"
     "begin\n"
     "  if (reset = '0') then \n"
     "    o <= '0';\n"
     "\n"
     "    X0 <= (a);\n"
     "  elsif ( clk'event and clk='1') then \n"
     "    o <= (X0);\n"
     "\n"
     "    X0 <= X0next;\n"
     "  end if;\n"
     "end process;\n"
     "\n"
     "-- future computation\n"
     "  X0next <= (a);\n"
     "\n"
     "end m_a;\n"
     "\n"},
    {example_machine, writer::sketch, 0,
     "extern void my_setup(void);\n"
     "extern void my_before(void);\n"
     "extern void my_after(void);\n"
     "extern int a(void);\n"
     "extern void o_true(void);\n"
     "extern void o_false(void);\n"
     "\n"
     "int m_X0,\n"
     "    m_a,\n"
     "    m_o,\n"
     "    m_X0next;\n"
     "\n"
     "void setup()\n"
     "{\n"
     "  my_setup();\n"
     "  m_X0= 0;\n"
     "}\n"
     "\n"
     "void loop()\n"
     "{\n"
     "  /* user before() function call */\n"
     "  my_before();\n"
     "\n"
     "  /* inputs reading */\n"
     "  m_a= a();\n"
     "\n"
     "  m_X0next= m_a;\n"
     "\n"
     "  m_o= m_X0;\n"
     "  if(m_o)\n"
     "  {\n"
     "    o_true();\n"
     "  }\n"
     "  else\n"
     "  {\n"
     "    o_false();\n"
     "  }\n"
     "\n"
     "  m_X0= m_X0next;\n"
     "  /* user after() function call */\n"
     "  my_after();\n"
     "}\n"
     "\n"},
    {example_machine, writer::dump, 0,
     "NOM: m\n"
     "\n"
     "nombre d'entrees: 1\n"
     "\n"
     "table des entrees\n"
     "n  (type,nom)\n"
     "0 (bool,a)\n"
     "\n"
     "nombre de variables d'etat: 1\n"
     "\n"
     "table des variables d'etat\n"
     "n  nom\n"
     "0: 0\n"
     "\n"
     "table des BDDs de base\n"
     "n  nom\n"
     "0: X0\n"
     "1: X0next\n"
     "2: a\n"
     "\n"
     "nombre d'actions: 1\n"
     "n  nom\n"
     "0: o\n"
     "\n"
     "etat initial: \n"
     "X0= 0 \n"
     "\n"
     "\n"
     "table des BDDs de forcage a 0\n"
     "n  expression\n"
     "0: !a\n"
     "\n"
     "table des BDDs de forcage a 1\n"
     "n  expression\n"
     "0: a\n"
     "\n"
     "table des BDDs des emissions d'actions\n"
     "n  expression\n"
     "0: X0\n"},
    // ---- constants: no input, outputs z (never) and w (Moore, state 2),
    // two state bits, initial state 2, one loop on state 2.
    {constants_machine, writer::extended_blif, 2,
     ".model k\n\n.outputs z w\n.latch X0next X0 0\n.latch X1next X1 1\n\n"
     ".begin_falling\n.names  X0 X1 X0next\n01 1\n.names  X1next\n0\n"
     ".end_falling\n\n"
     ".begin_rising\n.names  X0next\n0\n.names  X0 X1 X1next\n01 1\n"
     ".end_rising\n\n"
     ".names  z\n0\n.names  X0next X1next w\n01 1\n\n.end\n\n"},
    {constants_machine, writer::grafcet_std, 0,
     "-- VHDL generation by trobix from k grafcet\n"
     "\n"
     "LIBRARY ieee;\n"
     "USE ieee.std_logic_1164.all;\n"
     "USE ieee.std_logic_unsigned.all;\n"
     "\n"
     "entity k is\n"
     "  port( reset, clk: in std_logic;\n"
     "     z, w: out std_logic);\n"
     "end k;\n"
     "\n"
     "architecture k_a of k is\n"
     "signal X0, X1, X0next, X1next :std_logic;\n"
     "\n"
     "begin\n"
     "-- state and output computation\n"
     "process (clk,reset)\n"
     "begin\n"
     "  if (reset = '0') then \n"
     "    z <= '0';\n"
     "    w <= '0';\n"
     "\n"
     "    X0 <= '0';\n"
     "    X1 <= '1';\n"
     "  elsif ( clk'event and clk='1') then \n"
     "    z <= '0';\n"
     "    w <= (not X0next and X1next);\n"
     "\n"
     "    X0 <= X0next;\n"
     "    X1 <= X1next;\n"
     "  end if;\n"
     "end process;\n"
     "\n"
     "-- future computation\n"
     "  X0next <= '0';\n"
     "\n"
     "  X1next <= '1';\n"
     "\n"
     "end k_a;\n"
     "\n"},
    {constants_machine, writer::sketch_single, 1,
     "extern void my_setup(void);\n"
     "extern void my_before(void);\n"
     "extern void my_after(void);\n"
     "extern void z(void);\n"
     "extern void w_true(void);\n"
     "extern void w_false(void);\n"
     "\n"
     "int k_X0,\n"
     "    k_X1,\n"
     "    k_z,\n"
     "    k_w,\n"
     "    k_X0next,\n"
     "    k_X1next;\n"
     "\n"
     "void setup()\n"
     "{\n"
     "  my_setup();\n"
     "  k_X0= 0;\n"
     "  k_X1= !0;\n"
     "}\n"
     "\n"
     "void loop()\n"
     "{\n"
     "  /* user before() function call */\n"
     "  my_before();\n"
     "\n"
     "  /* inputs reading */\n"
     "\n"
     "  k_X0next= 0;\n"
     "  k_X1next= 1;\n"
     "\n"
     "  k_z= 0;\n"
     "  if(k_z)\n"
     "  {\n"
     "    z();\n"
     "  }\n"
     "  k_w= ! k_X0next && k_X1next;\n"
     "  if(k_w)\n"
     "  {\n"
     "    w_true();\n"
     "  }\n"
     "  else\n"
     "  {\n"
     "    w_false();\n"
     "  }\n"
     "\n"
     "  k_X0= k_X0next;\n"
     "  k_X1= k_X1next;\n"
     "  /* user after() function call */\n"
     "  my_after();\n"
     "}\n"
     "\n"},
    // ---- state bits without inputs or outputs.
    {toggle_machine, writer::sketch, 0,
     "extern void my_setup(void);\n"
     "extern void my_before(void);\n"
     "extern void my_after(void);\n"
     "\n"
     "int r_X0,\n"
     "    r_X1,\n"
     "    r_X0next,\n"
     "    r_X1next;\n"
     "\n"
     "void setup()\n"
     "{\n"
     "  my_setup();\n"
     "  r_X0= 0;\n"
     "  r_X1= 0;\n"
     "}\n"
     "\n"
     "void loop()\n"
     "{\n"
     "  /* user before() function call */\n"
     "  my_before();\n"
     "\n"
     "  /* inputs reading */\n"
     "\n"
     "  r_X0next= ! r_X0;\n"
     "  r_X1next= 0;\n"
     "\n"
     "\n"
     "  r_X0= r_X0next;\n"
     "  r_X1= r_X1next;\n"
     "  /* user after() function call */\n"
     "  my_after();\n"
     "}\n"
     "\n"},
    // ---- empty: no input, no output, no state bit.
    {empty_machine, writer::extended_blif, 0,
     ".model e\n\n\n.begin_falling\n.end_falling\n\n.begin_rising\n"
     ".end_rising\n\n\n.end\n\n"},
    {empty_machine, writer::grafcet_bit, 0,
     "-- VHDL generation by trobix from e grafcet\n"
     "\n"
     "entity e is\n"
     "  port( reset, clk: in bit\n"
     "     );\n"
     "end e;\n"
     "\n"
     "architecture e_a of e is\n"
     "begin\n"
     "-- state and output computation\n"
     "process (clk,reset)\n"
     "begin\n"
     "  if (reset = '0') then \n"
     "\n"
     "  elsif ( clk'event and clk='1') then \n"
     "\n"
     "  end if;\n"
     "end process;\n"
     "\n"
     "-- future computation\n"
     "end e_a;\n"
     "\n"},
    {empty_machine, writer::sketch, 0,
     "extern void my_setup(void);\n"
     "extern void my_before(void);\n"
     "extern void my_after(void);\n"
     "\n"
     "void setup()\n"
     "{\n"
     "  my_setup();\n"
     "}\n"
     "\n"
     "void loop()\n"
     "{\n"
     "  /* user before() function call */\n"
     "  my_before();\n"
     "\n"
     "  /* inputs reading */\n"
     "\n"
     "\n"
     "\n"
     "  /* user after() function call */\n"
     "  my_after();\n"
     "}\n"
     "\n"},
    {empty_machine, writer::dump, 0,
     "NOM: e\n\nnombre d'entrees: 0\n\ntable des entrees\nn  (type,nom)\n\n"
     "nombre de variables d'etat: 0\n\ntable des variables d'etat\nn  nom\n\n"
     "table des BDDs de base\nn  nom\n\n"
     "nombre d'actions: 0\nn  nom\n\n"
     "etat initial: \n\n\n"
     "table des BDDs de forcage a 0\nn  expression\n\n"
     "table des BDDs de forcage a 1\nn  expression\n\n"
     "table des BDDs des emissions d'actions\nn  expression\n"},
    // ---- one state: inputs a and b, no state bit, o = a and not b, p = 1,
    // q = 0.
    {one_state_machine, writer::extended_blif, 1,
     ".model s\n.inputs a b\n.outputs o p q\n\n"
     ".begin_falling\n.end_falling\n\n.begin_rising\n.end_rising\n\n"
     ".names  a b o\n10 1\n.names  p\n1\n.names  q\n0\n\n.end\n\n"},
    {one_state_machine, writer::grafcet_bit, 1,
     "-- VHDL generation by trobix from s grafcet\n"
     "\n"
     "entity s is\n"
     "  port(a, b,  reset, clk: in bit;\n"
     "     o, p, q: out bit);\n"
     "end s;\n"
     "\n"
     "architecture s_a of s is\n"
     "begin\n"
     "-- state and output computation\n"
     "process (clk,reset)\n"
     "begin\n"
     "  if (reset = '0') then \n"
     "    o <= '0';\n"
     "    p <= '0';\n"
     "    q <= '0';\n"
     "\n"
     "  elsif ( clk'event and clk='1') then \n"
     "    o <= (a and not b);\n"
     "    p <= '1';\n"
     "    q <= '0';\n"
     "\n"
     "  end if;\n"
     "end process;\n"
     "\n"
     "-- future computation\n"
     "end s_a;\n"
     "\n"},
};

TEST(ExtraWritersGolden, WholeTexts) {
  for (std::size_t r = 0; r < sizeof golden / sizeof golden[0]; ++r) {
    const golden_row& row = golden[r];
    SCOPED_TRACE("row " + std::to_string(r) + " (" + row.machine().name + ")");
    auto machine = build_machine(row.machine());
    EXPECT_EQ(row.expected, write(*machine, row.target, row.level));
  }
}

// Within a product the literals follow the level order, registers before
// inputs; products are joined by " || " in the order of the level's cover
// (levels 1 and 2 cover with the two prime implicants, in opposite
// orders).
TEST(ExtraWritersGolden, SketchTwoProducts) {
  auto machine = build_machine(two_products_machine());
  const struct {
    int level;
    const char* line;
  } rows[] = {{1, "  m2_X0next= ! m2_X0 && m2_a || m2_b;\n"},
              {2, "  m2_X0next= m2_b || ! m2_X0 && m2_a;\n"}};
  for (const auto& r : rows) {
    const std::string text = write(*machine, writer::sketch, r.level);
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

struct scenario_tables {
  std::set<std::set<int>> awaited[2] = {{{}, {0, 2}}, {}};
  std::set<int> trigger[2] = {{1}, {}};
  std::set<int> shifted[2] = {{0, 4}, {}};
};

std::string write_scenario(const FBA& machine, int states, int level) {
  scenario_tables t;
  std::ostringstream os;
  machine.SCENARIO_put(os, states, nullptr, nullptr, t.awaited, t.trigger, t.shifted, nullptr,
                       level);
  return os.str();
}

const char* const scenario_text =
    "# Automaton:sce.sce file\n"
    "# generated by lunvik \n"
    "\n"
    "nstates: 2\n"
    "contextsize: 7\n"
    "ninputs: 2\n"
    "\n"
    "# Transition function body: Boolean equations + braces (use _c[])\n"
    "Transition @\n"
    "  // inputs to context conversion\n"
    "  _c[2]= (inputset.find (0) != inputset.end()); \n"
    "  _c[3]= (inputset.find (1) != inputset.end()); \n"
    "\n"
    "  // state to context conversion\n"
    "  _c[0]= state & 1; state= state >> 1;\n"
    "\n"
    "  // context interpretation\n"
    " _c[1]= _c[2];\n"
    "\n"
    "  // outputs context interpretation\n"
    " _c[4]= ! _c[0] && _c[2];\n"
    " _c[5]= _c[1] && _c[3];\n"
    " _c[6]= _c[0] && ! _c[2];\n"
    "\n"
    "  // context to outputs conversion\n"
    "  out=CONTINUE;\n"
    "  if(_c[4])\n"
    "  {\n"
    "    out=START;\n"
    "  }\n"
    "  else\n"
    "  {\n"
    "    if(_c[5])\n"
    "    {\n"
    "      out =SUCCESS;\n"
    "    }\n"
    "    else\n"
    "    {\n"
    "      if(_c[6])\n"
    "      {\n"
    "        out =FAILURE;\n"
    "      }\n"
    "    }\n"
    "  }\n"
    "\n"
    "  //  extract next state from context\n"
    "  unsigned result;\n"
    "  result =0;\n"
    "  result= result << 1; \n"
    "  if(_c[1]) {result+=1;}\n"
    "\n"
    "  return result;\n"
    "@\n"
    "\n"
    "Awaited @\n"
    "0: {} {0 2 } \n"
    "1: \n"
    "@\n"
    "\n"
    "Trigger @\n"
    "0: {1} {2} {6} \n"
    "1: \n"
    "@\n"
    "\n"
    "# Input mapping (indices in input list)\n"
    "Inputs @\n"
    "a 0\n"
    "b 1\n"
    "@\n";

TEST(ScenarioWriter, WholeText) {
  auto machine = build_machine(scenario_machine());
  EXPECT_EQ(scenario_text, write_scenario(*machine, 2, 0));
}

TEST(ScenarioWriter, NoStateNoInput) {
  // One state bit would allow two states; with none, 0 or 1 state.
  const ktest::automaton spec = machine_of("z", {}, {"x", "y", "w"}, 0, 0, {}, {{0, 2, "1"}});
  auto machine = build_machine(spec);
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
  const ktest::automaton spec =
      machine_of("r", {"a", "a", "b"}, {"x", "y", "w"}, 1, 0,
                 {{0, 0, 0, "b", {0}}, {0, 1, 0, "not b", {}}, {1, 1, 0, "1", {}}});
  auto machine = build_machine(spec);
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
  auto machine = build_machine(scenario_machine());
  const std::string name = scratch_file("scenario_bad_encoding.sce");
  std::remove(name.c_str());
  EXPECT_EXIT(put_scenario_file(*machine, name, 3), testing::ExitedWithCode(1),
              "^internal error due to a bad state encoding! stop process \\.\\.\\.\n$");
  EXPECT_EQ("", file_text(name));
}

TEST(ScenarioWriterDeathTest, StopsOnMissingTableBeforeWriting) {
  auto machine = build_machine(scenario_machine());
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
  auto machine = build_machine(scenario_machine());
  EXPECT_NE(write_scenario(*machine, 2, 0).find("nstates: 2\n"), std::string::npos);
  const ktest::automaton wide = machine_of("w", {}, {"x", "y", "z"}, 33);
  auto wide_machine = build_machine(wide);
  std::set<std::set<int>> awaited[3];
  std::set<int> trigger[3], shifted[3];
  std::ostringstream os;
  wide_machine->SCENARIO_put(os, 3, nullptr, nullptr, awaited, trigger, shifted, nullptr, 0);
  EXPECT_NE(os.str().find("nstates: 3\ncontextsize: 69\n"), std::string::npos);
}

TEST(ScenarioWriterDeathTest, StopsOnOutputCountOtherThanThree) {
  for (int outputs : {2, 4}) {
    SCOPED_TRACE(outputs);
    ktest::automaton spec = scenario_machine();
    spec.outputs.resize(outputs, "extra");
    if (outputs == 2) {
      // Output 2 is gone: its transition emits nothing any more.
      spec.transitions.back().outputs.clear();
    }
    auto machine = build_machine(spec);
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
  ktest::automaton spec = machine_of("big", {}, {"o"}, 0);
  std::string parity;
  for (int j = 0; j < 15; ++j) {
    spec.inputs.push_back("i" + std::to_string(j));
    parity += (j ? " xor i" : "i") + std::to_string(j);
  }
  spec.moore_actions.push_back({0, 0, parity});
  auto machine = build_machine(spec);
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
