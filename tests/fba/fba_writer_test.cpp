// The SC6, BLIF, BAC, Light Esterel, Lustre and Esterel writers beside
// their golden texts: what the level changes, the BLIF writer's progress
// line and its limit on products, the Esterel condition text.
#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <sstream>
#include <string>

#include "fba/FBA.h"
#include "support/capture.h"
#include "support/machine.h"
#include "writer_text.h"

namespace {

// Declarations and initial values do not depend on the level: the texts of
// levels 0 and 2 differ only on the right of the equations of next-state
// variables and outputs (and on BAC's initial condition). On every sample
// machine.
TEST(FbaWriters, LevelsChangeOnlyEquations) {
  const target targets[] = {target::bac, target::le, target::lustre};
  for (const std::string& name : ktest::sample_names()) {
    const ktest::automaton& automaton = ktest::sample_automaton(name);
    auto machine = ktest::to_machine(automaton);
    ASSERT_TRUE(machine) << name;
    std::set<std::string> equations(automaton.outputs.begin(), automaton.outputs.end());
    equations.insert("initial");
    for (int b = 0; b < automaton.state_bits(); ++b) {
      equations.insert("X" + std::to_string(b) + "next");
    }
    for (target w : targets) {
      SCOPED_TRACE(name + " " + writer_name(w));
      std::istringstream a(writer_text(*machine, w, 0));
      std::istringstream b(writer_text(*machine, w, 2));
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
  auto machine = ktest::to_machine(ktest::sample_automaton("example"), ktest::build::as_listed);
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
  ktest::automaton automaton = ktest::coded_automaton("many", {}, {}, 0);
  for (int i = 0; i < 8; ++i) automaton.inputs.push_back("s" + std::to_string(i));
  for (int i = 0; i < 14; ++i) automaton.inputs.push_back("p" + std::to_string(i));
  automaton.outputs = {"o"};
  auto machine = ktest::to_machine(automaton, ktest::build::as_listed);
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
  std::istringstream lines(writer_text(*machine, target::blif, 0));
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
  auto machine = ktest::to_machine(ktest::sample_automaton("either"), ktest::build::as_listed);
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
