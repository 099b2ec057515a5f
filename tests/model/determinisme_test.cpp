// Determinism and completeness checks: the report texts on deterministic,
// overlapping and incomplete models; the completing variant; the syntax test
// through the expression checker; the awaited and trigger sets.
#include <gtest/gtest.h>
#include <iostream>

#include "bdd/bddpp.h"
#include "model_fixtures.h"
#include "support/capture.h"

using model_test::arcs_text;
using model_test::make_file;
using model_test::text;

namespace {

ktest::automaton inputs_ab(int kind = 0) {
  ktest::automaton h;
  h.kind = kind;
  h.inputs = {"a", "b"};
  return h;
}

struct CheckRow {
  const char* label;
  ktest::automaton header;
  int states;
  std::vector<ktest::transition> arcs;
  int expected;
  const char* report;
};

TEST(Determinisme, Reports) {
  const CheckRow rows[] = {
      {"model undefined", inputs_ab(-1), 1, {{0, 0, 0, "a"}}, 0, "Automaton Model undefined ..."},
      {"complementary guards", inputs_ab(), 1, {{0, 0, 0, "a"}, {0, 0, 0, "not a"}}, 1, ""},
      {"higher priority reduced", inputs_ab(), 1, {{0, 0, 1, "a"}, {0, 0, 2, "1"}}, 1, ""},
      {"overlap and gap",
       inputs_ab(),
       1,
       {{0, 0, 0, "a"}, {0, 0, 0, "b"}},
       0,
       "ERROR: in state s0 :\n  behavior not defined when not a and not b\n"
       "ERROR: in state s0 :\n  several behaviors possible when a and b\n\n"},
      {"otherwise ranks last",
       inputs_ab(),
       1,
       {{0, 0, -1, "a"}, {0, 0, 0, "b"}, {0, 0, 0, "not a and not b"}},
       1,
       ""},
      {"other negative priorities neither exclude nor are excluded",
       inputs_ab(),
       1,
       {{0, 0, -2, "a"}, {0, 0, 0, "a"}},
       0,
       "ERROR: in state s0 :\n  behavior not defined when not a\n"
       "ERROR: in state s0 :\n  several behaviors possible when a\n\n"},
      {"each failing pair repeats the state line",
       inputs_ab(),
       2,
       {{0, 1, 0, "a"},
        {0, 1, 0, "a"},
        {0, 1, 0, "a"},
        {0, 1, 0, "not a"},
        {1, 1, 0, "b"},
        {1, -1, 0, "not b"}},
       0,
       "ERROR: in state s0 :\n  several behaviors possible when a\n\n"
       "ERROR: in state s0 :\n  several behaviors possible when a\n\n"
       "ERROR: in state s0 :\n  several behaviors possible when a\n\n"},
      {"sink and final-only states pass", inputs_ab(), 3, {{-1, 0}, {0, -1, 0, "1"}}, 1, ""},
      {"light esterel: gaps allowed",
       inputs_ab(2),
       1,
       {{0, 0, 0, "a"}, {0, 0, 0, "a and b"}},
       0,
       "ERROR: in state s0 :\n  several behaviors possible when a and b\n\n"},
      {"synccharts: gaps allowed", inputs_ab(3), 1, {{0, 0, 0, "a"}}, 1, ""},
      {"parallel model: gaps reported",
       inputs_ab(1),
       1,
       {{0, 0, 0, "a"}},
       0,
       "ERROR: in state s0 :\n  behavior not defined when not a\n"},
      {"unknown name",
       inputs_ab(),
       1,
       {{0, 0, 0, "zz"}, {0, 0, 0, "a"}, {0, 0, 0, "not a"}},
       0,
       "PARSING ERROR about transition :zz\n"},
      {"refused text after a parsed one",
       inputs_ab(),
       1,
       {{0, 0, 0, "a"}, {0, 0, 0, "a/b"}, {0, 0, 0, "(b"}, {0, 0, 0, "not a"}},
       0,
       "PARSING ERROR about transition :a/b\nPARSING ERROR about transition :(b\n"},
      {"empty receptivity is a false guard",
       inputs_ab(),
       1,
       {{0, 0, 0, ""}, {0, 0, 0, "1"}},
       1,
       ""},
      {"all guards refused",
       inputs_ab(),
       1,
       {{0, 0, 0, "q"}},
       0,
       "PARSING ERROR about transition :q\n"},
      {"otherwise after the largest int priority",
       inputs_ab(),
       1,
       {{0, 0, 2147483647, "a"}, {0, 0, -1, "1"}},
       1,
       ""},
      {"the largest int priority still sorts after smaller ones",
       inputs_ab(),
       1,
       {{0, 0, 2147483647, "1"}, {0, 0, 2147483646, "a"}, {0, 0, -1, "b"}},
       1,
       ""},
      {"indices outside the state table",
       inputs_ab(),
       1,
       {{0, 7, 0, "a"}, {9, 0, 0, "1"}, {-4, 0, 0, "1"}, {0, -1, 0, "not a"}},
       1,
       ""},
  };
  for (const CheckRow& row : rows) {
    SCOPED_TRACE(row.label);
    auto f = make_file(row.header, row.states, row.arcs);
    std::string report = "stale";
    ktest::stream_capture cerr_capture(std::cerr);  // the parser's own messages
    int verdict = f->test_determinisme(report);
    cerr_capture.stop();
    EXPECT_EQ(verdict, row.expected);
    EXPECT_EQ(report, row.report);
  }
}

TEST(Determinisme, UnnamedStateLine) {
  auto f = make_file(inputs_ab(), 1, {{0, 0, 0, "a"}});
  f->ma_table_etats()[0].replace_nom("");
  std::string report;
  EXPECT_EQ(f->test_determinisme(report), 0);
  EXPECT_EQ(report, "ERROR: in state  :\n  behavior not defined when not a\n");
}

TEST(Determinisme, AutoCompletion) {
  auto undefined = make_file(inputs_ab(-1), 1, {{0, 0, 0, "a"}});
  EXPECT_EQ(undefined->test_determinisme_avec_auto_completion(), 1);
  EXPECT_EQ(undefined->nbr_transitions(), 1);

  // State 0 leaves on a only: a loop on not a is added; state 1 is complete
  // through its prefixes (the second guard loses a); state 2 lacks b.
  auto f = make_file(inputs_ab(2), 3,
                     {{0, 1, 0, "a"}, {1, 2, 0, "<1> a"}, {1, 0, 0, "<2> 1"}, {2, 2, 0, "not b"}});
  ktest::stream_capture cerr_capture(std::cerr);
  EXPECT_EQ(f->test_determinisme_avec_auto_completion(), 1);
  EXPECT_EQ(cerr_capture.stop(), "");
  EXPECT_EQ(arcs_text(*f), "0>1 1>2 1>0 2>2 0>0 2>2 ");
  EXPECT_EQ(f->receptivite_transition(4), "not a");
  EXPECT_EQ(f->receptivite_transition(5), "b");
  EXPECT_EQ(f->ma_table_transitions()[4].ma_priorite(), 0);
  EXPECT_EQ(text(f->ma_table_etats()[0].mes_transitions_post()), "(0, 4)");
  std::string report;
  ktest::stream_capture cerr_capture2(std::cerr);  // the parser refuses the prefixes here
  EXPECT_EQ(f->test_determinisme(report), 1);      // the completed file is deterministic
  cerr_capture2.stop();

  auto bad = make_file(inputs_ab(), 1, {{0, 0, 0, "a"}, {0, 0, 0, "a and b"}, {0, 0, 0, "zz"}});
  ktest::stream_capture cerr_capture3(std::cerr);
  EXPECT_EQ(bad->test_determinisme_avec_auto_completion(), 0);
  std::string err = cerr_capture3.stop();
  EXPECT_NE(err.find("PARSING ERROR about transition :zz\n"), std::string::npos) << err;
  EXPECT_NE(err.find("ERROR: in state s0 :\n  several behaviors possible when a and b\n\n"),
            std::string::npos)
      << err;
  EXPECT_EQ(arcs_text(*bad), "0>0 0>0 0>0 0>0 ");  // the gap (not a) is looped
}

TEST(Determinisme, ExpressionChecker) {
  auto f = make_file(inputs_ab(), 1, {});
  // Every token where an operand is expected is taken as one (numbers are
  // accepted, and the checker classes every token as a number), so brackets
  // there fail and undeclared words pass.
  const std::pair<const char*, int> rows[] = {
      {"a and b", 1}, {"a * b", 1}, {"x or tick", 1}, {"a > 3", 1}, {"not a", 0},
      {"a . b", 0},   {"a & b", 0}, {"a and", 0},     {"(a)", 0},   {"a >= 3", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.first);
    ktest::stream_capture cerr_capture(std::cerr);
    int valid = f->expression_valide(row.first);
    cerr_capture.stop();
    EXPECT_EQ(valid, row.second);
  }
}

// Prints a set of ints as {..} and a set of sets as {{..},{..}}.
std::string sets_text(const std::set<std::set<int>>& s) {
  std::string out = "{";
  for (const std::set<int>& inner : s) out += (out.size() > 1 ? "," : "") + text(inner);
  return out + "}";
}

TEST(Determinisme, AwaitsAndTriggers) {
  ktest::automaton h = inputs_ab();
  h.actions = {"go"};
  // 0 -> 1 on a and not b, loop on not a; 1 -> 0 on b (with an action);
  // 2 a sink with an action; 3 loops only, its loop has an action; 4 bare.
  auto f = make_file(
      h, 5,
      {{0, 1, 0, "a and not b"}, {0, 0, 0, "not a"}, {1, 0, 0, "b", {0}}, {3, 3, 0, "1", {0}}});
  f->ma_table_etats()[2].add_action(0);
  f->ma_table_etats()[4].add_post_transition(99);  // outside the table: skipped
  bddpp_manager m;
  long vars[] = {m.Id_var_by_bdd(m.New_var_last("a")), m.Id_var_by_bdd(m.New_var_last("b"))};
  std::vector<bdd> guards;
  for (int t = 0; t < f->nbr_transitions(); ++t) {
    int err = 0;
    guards.push_back(m.Parse_expression(f->receptivite_transition(t), &err));
    ASSERT_EQ(err, 0);
  }
  std::set<int> at[5], af[5], tt[5], ft[5];
  std::set<std::set<int>> impl[5];
  int tick[5] = {9, 9, 9, 9, 9};
  f->construction_awaits_triggers(&m, guards.data(), vars, at, af, impl, tt, ft, tick);
  const char* expected[5] = {
      "at{0} af{1} impl{{0,3}} tt{0} ft{1} tick0", "at{1} af{} impl{{1}} tt{1} ft{} tick0",
      "at{} af{} impl{} tt{} ft{} tick1",          "at{} af{} impl{} tt{} ft{} tick1",
      "at{} af{} impl{} tt{} ft{} tick0",
  };
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ("at" + text(at[i]) + " af" + text(af[i]) + " impl" + sets_text(impl[i]) + " tt" +
                  text(tt[i]) + " ft" + text(ft[i]) + " tick" + std::to_string(tick[i]),
              expected[i]);
  }
}

TEST(Determinisme, AwaitsWithoutInputsOnlyClears) {
  auto f = make_file(ktest::automaton{}, 1, {{0, 0}});
  bddpp_manager m;
  std::set<int> at[1] = {{1}}, af[1] = {{1}}, tt[1] = {{1}}, ft[1] = {{1}};
  std::set<std::set<int>> impl[1] = {{{1}}};
  int tick[1] = {7};
  f->construction_awaits_triggers(&m, nullptr, nullptr, at, af, impl, tt, ft, tick);
  EXPECT_TRUE(at[0].empty() && af[0].empty() && tt[0].empty() && ft[0].empty() && impl[0].empty());
  EXPECT_EQ(tick[0], 0);
}

TEST(Determinisme, ImplicantStoreLimit) {
  // The parity of eleven inputs has 1024 prime implicants: only the first
  // 1000 are kept, after the message.
  ktest::automaton h;
  std::string parity;
  for (int i = 0; i < 11; ++i) {
    h.inputs.push_back("x" + std::to_string(i));
    parity += (i ? " xor x" : "x") + std::to_string(i);
  }
  auto f = make_file(h, 2, {{0, 1, 0, parity}});
  bddpp_manager m;
  std::vector<long> vars;
  for (const std::string& n : h.inputs) vars.push_back(m.Id_var_by_bdd(m.New_var_last(n)));
  int err = 0;
  bdd guard = m.Parse_expression(parity, &err);
  ASSERT_EQ(err, 0);
  std::set<int> at[2], af[2], tt[2], ft[2];
  std::set<std::set<int>> impl[2];
  int tick[2];
  ktest::stream_capture cerr_capture(std::cerr);
  f->construction_awaits_triggers(&m, &guard, vars.data(), at, af, impl, tt, ft, tick);
  EXPECT_EQ(cerr_capture.stop(), "ERREUR trop d'implicants ...\n");
  EXPECT_EQ(impl[0].size(), 1000u);
  EXPECT_EQ(at[0].size(), 11u);
}

}  // namespace
