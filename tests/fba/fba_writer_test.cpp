// Golden texts of the SC6, BLIF, BAC, Light Esterel, Lustre and Esterel
// writers on small machines: no inputs, no outputs, no state bits,
// constant equations, and covers that change with the optimisation level.
#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <sstream>
#include <string>

#include "fba/FBA.h"
#include "fba_machines.h"
#include "support/golden.h"
#include "support/capture.h"

namespace {

enum class writer { sc, blif, bac, le, lustre, esterel };

const char* writer_name(writer w) {
  switch (w) {
    case writer::sc:
      return "SC_put";
    case writer::blif:
      return "BLIF_put";
    case writer::bac:
      return "BAC_put";
    case writer::le:
      return "LE_put";
    case writer::lustre:
      return "LUSTRE_put";
    case writer::esterel:
      return "ESTEREL_put";
  }
  return "?";
}

// The text one writer gives for the machine at the level (the BLIF
// writer's progress line and the level-3 search's notices are swallowed).
std::string write(const FBA& machine, writer w, int level) {
  std::ostringstream os;
  ktest::stream_capture cerr_capture(std::cerr);
  switch (w) {
    case writer::sc:
      machine.SC_put(os, level);
      break;
    case writer::blif: {
      ktest::stream_capture cout_capture(std::cout);
      machine.BLIF_put(os, level);
      cout_capture.stop();
      break;
    }
    case writer::bac:
      machine.BAC_put(os, level);
      break;
    case writer::le:
      machine.LE_put(os, level);
      break;
    case writer::lustre:
      machine.LUSTRE_put(os, level);
      break;
    case writer::esterel:
      machine.ESTEREL_put(os, level);
      break;
  }
  cerr_capture.stop();
  return os.str();
}

// One expected text: the file golden/machines/<file>.
struct golden_row {
  const ktest::automaton& (*machine)();
  writer target;
  int level;
  const char* file;
};

const golden_row golden[] = {
    // ---- example: input a, output o = X0, X0next = a.
    {example_machine, writer::blif, 0, "example.0.blif"},
    {example_machine, writer::bac, 0, "example.0.bac"},
    {example_machine, writer::le, 0, "example.0.le"},
    {example_machine, writer::lustre, 0, "example.0.lus"},
    {example_machine, writer::esterel, 0, "example.0.strl"},
    // The output equal to the register is attached to the register's net.
    {example_machine, writer::sc, 0, "example.0.sc"},
    // ---- constants: no input, bit 1 initially 1, X0next = 0,
    // X1next = 1, z never emitted, w a Moore output of state 2.
    {constants_machine, writer::blif, 0, "constants.0.blif"},
    {constants_machine, writer::bac, 0, "constants.0.bac"},
    {constants_machine, writer::le, 0, "constants.0.le"},
    // Constant equations are Lustre's false and true; no input: "()".
    {constants_machine, writer::lustre, 0, "constants.0.lus"},
    {constants_machine, writer::esterel, 0, "constants.0.strl"},
    // Constant next-state functions and the never-emitted output z get the
    // constant nets 7 ($0) and 8 ($1).
    {constants_machine, writer::sc, 0, "constants.0.sc"},
    // ---- one_state: no state bit, o = a and not b, p = 1, q = 0.
    {one_state_machine, writer::blif, 0, "one_state.0.blif"},
    {one_state_machine, writer::bac, 0, "one_state.0.bac"},
    {one_state_machine, writer::le, 0, "one_state.0.le"},
    {one_state_machine, writer::lustre, 0, "one_state.0.lus"},
    // No state bit: no signal declaration, and the first output block
    // opens the loop's parallel without "||"; q (never emitted) gets no
    // block.
    {one_state_machine, writer::esterel, 0, "one_state.0.strl"},
    {one_state_machine, writer::sc, 0, "one_state.0.sc"},
    // ---- empty: no input, no output, no state bit.
    {empty_machine, writer::blif, 0, "empty.0.blif"},
    {empty_machine, writer::bac, 0, "empty.0.bac"},
    {empty_machine, writer::le, 0, "empty.0.le"},
    {empty_machine, writer::lustre, 0, "empty.0.lus"},
    {empty_machine, writer::esterel, 0, "empty.0.strl"},
    {empty_machine, writer::sc, 0, "empty.0.sc"},
    // ---- SC6 nets: a decision node with a variable child, two outputs on
    // one net, a function and its complement as two wires.
    {shared_nets_machine, writer::sc, 0, "shared_nets.0.sc"},
    // Outputs equal to inputs are attached to the inputs' own nets.
    {input_outputs_machine, writer::sc, 0, "input_outputs.0.sc"},
    // ---- either: o = a or b; the level selects the cover.
    {either_machine, writer::blif, 0, "either.0.blif"},
    {either_machine, writer::blif, 1, "either.1.blif"},
    {either_machine, writer::blif, 3, "either.3.blif"},
    {either_machine, writer::bac, 0, "either.0.bac"},
    {either_machine, writer::bac, 2, "either.2.bac"},
    {either_machine, writer::le, 1, "either.1.le"},
    {either_machine, writer::lustre, 3, "either.3.lus"},
    {either_machine, writer::esterel, 2, "either.2.strl"},
};

TEST(FbaWriters, GoldenTexts) {
  for (const golden_row& row : golden) {
    const ktest::automaton& spec = row.machine();
    SCOPED_TRACE(spec.name + " " + writer_name(row.target) + " level " + std::to_string(row.level));
    auto machine = build_machine(spec);
    ktest::expect_golden(std::string("machines/") + row.file,
                         write(*machine, row.target, row.level));
  }
}

// Declarations and initial values do not depend on the level: the texts of
// levels 0 and 2 differ only on the right of the equations of next-state
// variables and outputs (and on BAC's initial condition).
TEST(FbaWriters, LevelsChangeOnlyEquations) {
  const writer targets[] = {writer::bac, writer::le, writer::lustre};
  for (const ktest::automaton* spec : all_machines()) {
    auto machine = build_machine(*spec);
    std::set<std::string> equations(spec->outputs.begin(), spec->outputs.end());
    equations.insert("initial");
    for (int b = 0; b < spec->state_bits(); ++b) equations.insert("X" + std::to_string(b) + "next");
    for (writer w : targets) {
      SCOPED_TRACE(spec->name + " " + writer_name(w));
      std::istringstream a(write(*machine, w, 0));
      std::istringstream b(write(*machine, w, 2));
      std::string la, lb;
      int line = 0;
      while (std::getline(a, la)) {
        ++line;
        ASSERT_TRUE(static_cast<bool>(std::getline(b, lb))) << "line " << line;
        const std::size_t cut = la.find_first_of("= ", la.find_first_not_of(' '));
        const std::string left =
            cut == std::string::npos
                ? la
                : la.substr(la.find_first_not_of(' '), cut - la.find_first_not_of(' '));
        if (equations.count(left) != 0)
          EXPECT_EQ(la.substr(0, cut + 1), lb.substr(0, cut + 1)) << "line " << line;
        else
          EXPECT_EQ(la, lb) << "line " << line;
      }
      EXPECT_FALSE(static_cast<bool>(std::getline(b, lb)));
    }
  }
}

TEST(FbaWriters, BlifReportsOnStandardOutput) {
  auto machine = build_machine(example_machine());
  std::ostringstream os;
  ktest::stream_capture cout_capture(std::cout);
  machine->BLIF_put(os, 0);
  EXPECT_EQ(cout_capture.stop(), "BLIF_PUT terminated ...\n");
  EXPECT_EQ(os.str().find("BLIF_PUT"), std::string::npos);
}

// A machine without state bit whose output o has a level-0 cover of exactly
// `products` disjoint products (below 16,384): per set bit b of the count, a
// selector chain picks the parity of the last b + 1 of fourteen inputs,
// whose 2^b one-paths are full minterms.
std::unique_ptr<FBA> many_products_machine(int products) {
  ktest::automaton spec = machine_of("many", {}, {}, 0);
  for (int i = 0; i < 8; ++i) spec.inputs.push_back("s" + std::to_string(i));
  for (int i = 0; i < 14; ++i) spec.inputs.push_back("p" + std::to_string(i));
  spec.outputs = {"o"};
  auto machine = build_machine(spec);
  bddpp_manager* m = machine->get_manager();
  bdd cover = m->Bdd_zero();
  bdd others_off = m->Bdd_one();
  int selector = 0;
  for (int b = 13; b >= 0; --b) {
    if (((products >> b) & 1) == 0) continue;
    bdd parity = m->Bdd_zero();
    for (int k = 13 - b; k < 14; ++k)
      parity = m->Bdd_xor(parity, m->Bdd_var_by_name("p" + std::to_string(k)));
    bdd s = m->Bdd_var_by_name("s" + std::to_string(selector++));
    cover = m->Bdd_or(cover, m->Bdd_and(m->Bdd_and(others_off, s), parity));
    others_off = m->Bdd_and(others_off, m->Bdd_not(s));
  }
  bdd emitted = m->Bdd_one();
  machine->add_evolution(FBA_real_transition(machine.get(), 0, 0, &emitted, cover));
  return machine;
}

// The BLIF writer takes covers of up to 9,999 products: the block of o
// has one row per product, over the 22 inputs o depends on.
TEST(FbaWriters, BlifCoverOfMostProducts) {
  auto machine = many_products_machine(9999);
  std::istringstream lines(write(*machine, writer::blif, 0));
  std::string line;
  while (std::getline(lines, line) && line.rfind(".names ", 0) != 0) {
  }
  EXPECT_EQ(line,
            ".names  s0 s1 s2 s3 s4 s5 s6 s7 p0 p1 p2 p3 p4 p5 p6 p7 p8 p9 "
            "p10 p11 p12 p13 o");
  int rows = 0;
  while (std::getline(lines, line) && !line.empty()) {
    ++rows;
    ASSERT_EQ(line.size(), 24u) << "row " << rows;
    EXPECT_EQ(line.find_first_not_of("01-"), 22u) << "row " << rows;
    EXPECT_EQ(line.substr(22), " 1") << "row " << rows;
  }
  EXPECT_EQ(rows, 9999);
}

// A cover of 10,000 products stops the process before its block.
TEST(FbaWritersDeathTest, BlifCoverOverTheLimit) {
  EXPECT_EXIT(
      {
        auto machine = many_products_machine(10000);
        std::ostringstream os;
        machine->BLIF_put(os, 0);
      },
      testing::ExitedWithCode(1),
      "^internal error in void FBA::BLIF_put\\(\\)\n"
      " product term number exceded limit\n$");
}

// The Esterel condition text of the constants and of a sum of products.
TEST(FbaWriters, EsterelConditionText) {
  auto machine = build_machine(either_machine());
  bddpp_manager* m = machine->get_manager();
  const struct {
    const char* expression;
    int level;
    const char* expected;
  } rows[] = {
      {"0", 0, "not tick"},    {"1", 0, "tick"},
      {"not b", 0, "not b"},   {"a or b", 0, "a or not a and b"},
      {"b or a", 1, "a or b"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expression);
    EXPECT_EQ(local_FSM_bddtoexpesterel(m, ktest::parse_in(*machine, row.expression), row.level),
              row.expected);
  }
}

}  // namespace
