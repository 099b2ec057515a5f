// Structure operations: components, incoming and outgoing lists, appends,
// boot state, neutral element, priority order, sink states, diameters and
// self-loop layout; and a file whose state indices lie outside its table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <list>
#include <random>
#include <string>
#include <vector>

#include "model_fixtures.h"
#include "support/capture.h"

using model_test::arcs_text;
using model_test::lists_text;
using model_test::make_file;
using model_test::text;

namespace {

TEST(Structure, Components) {
  struct Row {
    const char* label;
    int states;
    std::vector<ktest::transition> arcs;
    const char* components;
  };
  const Row rows[] = {
      {"predecessor before successor", 4, {{-1, 0}, {0, 1}, {2, 1}}, "((0, 1, 2), (3))"},
      {"found through the predecessor scan", 2, {{1, 0}}, "((0, 1))"},
      {"final and initial transitions connect nothing",
       3,
       {{-1, 1}, {1, -1}, {0, 0}},
       "((0), (1), (2))"},
      {"predecessors queued first", 4, {{0, 3}, {2, 0}, {1, 0}}, "((0, 2, 1, 3))"},
      {"no state", 0, {{-1, -1}}, "()"},
      // Predecessors in the index order of their transitions (5 before 3),
      // a state met again (5, 6) or through a self-loop (6) queued once,
      // a second component whose predecessor 7 comes before successor 4.
      {"visiting order",
       9,
       {{-1, 0},
        {5, 0},
        {0, 6},
        {2, 6},
        {3, 0},
        {6, 6},
        {6, 2},
        {1, 4},
        {4, 7},
        {7, 1},
        {0, 5},
        {6, -1}},
       "((0, 5, 3, 6, 2), (1, 7, 4), (8))"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    auto f = make_file(ktest::automaton{}, row.states, row.arcs);
    EXPECT_EQ(text(f->composantes), row.components);
  }
}

// The components as the plain search finds them: for each state taken
// from the queue, the whole transition table scanned for its predecessors,
// then again for its successors, with linear searches of the visited
// states and of the queue. The model's search must give the same lists in
// the same order.
std::string reference_components(const gal_tpen_fichier& f) {
  auto in_table = [&](int i) { return i >= 0 && i < f.nb_etats; };
  auto contains = [](const std::list<int>& l, int x) {
    return std::find(l.begin(), l.end(), x) != l.end();
  };
  std::list<std::list<int>> result;
  std::list<int> visited;
  for (int i = 0; i < f.nb_etats; ++i) {
    if (contains(visited, i)) continue;
    std::list<int> queue{i};
    std::list<int> component;
    while (!queue.empty()) {
      const int s = queue.front();
      queue.pop_front();
      component.push_back(s);
      visited.push_back(s);
      for (int pass = 0; pass < 2; ++pass) {
        for (int j = 0; j < f.nb_transitions; ++j) {
          const gal_tpen_transition& t = f.table_transitions[j];
          const int here = pass == 0 ? t.aval : t.amont;
          const int there = pass == 0 ? t.amont : t.aval;
          if (here == s && in_table(there) && !contains(visited, there) && !contains(queue, there))
            queue.push_back(there);
        }
      }
    }
    result.push_back(component);
  }
  return text(result);
}

// Random small graphs, with multiple transitions, self-loops and indices
// outside the table: the same components, in the same order, as the plain
// search.
TEST(Structure, ComponentsInThePlainSearchOrder) {
  std::mt19937 rng(26);
  for (int round = 0; round < 300; ++round) {
    const int states = static_cast<int>(rng() % 14);
    const int count = static_cast<int>(rng() % 24);
    std::vector<ktest::transition> arcs;
    for (int j = 0; j < count; ++j) {
      const int from = static_cast<int>(rng() % (states + 3)) - 1;
      const int to = static_cast<int>(rng() % (states + 3)) - 1;
      arcs.push_back({from, to});
    }
    auto f = make_file(ktest::automaton{}, states, arcs);
    SCOPED_TRACE(arcs_text(*f));
    EXPECT_EQ(text(f->composantes), reference_components(*f));
  }
}

TEST(Structure, IncomingAndOutgoingLists) {
  auto f = make_file(ktest::automaton{}, 3, {{-1, 0}, {0, 1}, {1, 1}, {1, -1}, {2, 0}, {0, 2}});
  EXPECT_EQ(lists_text(*f), "(0, 4)/(1, 5) (1, 2)/(2, 3) (5)/(4) ");
}

TEST(Structure, AppendState) {
  auto f = make_file(ktest::automaton{}, 2, {{0, 1}});
  gal_tpen_etat extra;
  extra.add_post_transition(0);  // stale lists of another file are not kept
  extra.add_pre_transition(0);
  f->add_fin_etat(extra);
  EXPECT_EQ(f->nbr_etats(), 3);
  EXPECT_EQ(text(f->composantes), "((0, 1), (2))");
  EXPECT_EQ(f->ma_table_etats()[2].un_nom(), extra.un_nom());
  EXPECT_EQ(lists_text(*f), "()/(0) (0)/() ()/() ");
}

TEST(Structure, AppendTransition) {
  auto f = make_file(ktest::automaton{}, 3, {{0, 1}});
  f->add_fin_transition(gal_tpen_transition(1, 2, 0.0, 0.0));
  EXPECT_EQ(f->nbr_transitions(), 2);
  EXPECT_EQ(text(f->composantes), "((0, 1, 2))");
  EXPECT_EQ(lists_text(*f), "()/(0) (0)/(1) (1)/() ");
  f->add_fin_transition(gal_tpen_transition(-1, 0, 0.0, 0.0));
  EXPECT_EQ(lists_text(*f), "(2)/(0) (0)/(1) (1)/() ");
}

TEST(Structure, BootState) {
  auto f = make_file(ktest::automaton{}, 5, {{0, 1}, {-1, 4}, {4, 0}});
  f->add_bootstate();
  ASSERT_EQ(f->nbr_etats(), 6);
  EXPECT_EQ(f->nom_etat(5), "bootstate");
  EXPECT_EQ(arcs_text(*f), "0>1 -1>5 4>0 5>4 ");
  const gal_tpen_transition& boot = f->ma_table_transitions()[3];
  EXPECT_EQ(boot.ma_receptivite(), "1");
  EXPECT_EQ(boot.ma_priorite(), 0);
  EXPECT_EQ(boot.mon_type_trans(), 1);
  EXPECT_TRUE(boot.mes_actions().empty());
  // The redirected initial transition enters the boot state and has left
  // state 4's incoming list.
  EXPECT_EQ(lists_text(*f), "(2)/(0) (0)/() ()/() ()/() (3)/(2) (1)/(3) ");
  EXPECT_EQ(text(f->composantes), "((0, 4, 1, 5), (2), (3))");
}

TEST(Structure, BootStateWithSeveralInitialTransitions) {
  auto f = make_file(ktest::automaton{}, 8, {{-1, 2}, {0, 1}, {-1, 7}});
  f->add_bootstate();
  EXPECT_EQ(arcs_text(*f), "-1>8 0>1 -1>8 8>7 ");
  EXPECT_EQ(text(f->ma_table_etats()[8].mes_transitions_pre()), "(0, 2)");
}

TEST(StructureDeath, BootStateRefusals) {
  auto kind = [](int k) {
    ktest::automaton h;
    h.kind = k;
    return make_file(h, 2, {{-1, 0}});
  };
  EXPECT_EXIT(kind(3)->add_bootstate(), testing::ExitedWithCode(1),
              "^ERROR: adding a boot state is not implemented about this model \\.\\.\\.\n$");
  EXPECT_EXIT(kind(-1)->add_bootstate(), testing::ExitedWithCode(1),
              "not implemented about this model");
  auto no_initial = make_file(ktest::automaton{}, 2, {{0, 1}});
  EXPECT_EXIT(no_initial->add_bootstate(), testing::ExitedWithCode(1),
              "^ERROR: no initial state found !\n$");
}

TEST(Structure, NeutralElement) {
  const std::pair<const char*, const char*> rows[] = {
      {"a and tick", "a and 1"}, {"ticks or tick2", "ticks or tick2"}, {"tick", "1"},
      {"not(tick)", "not(1)"},   {"@tick + tick_", "@tick + tick_"},   {"", ""},
  };
  std::vector<ktest::transition> arcs;
  for (const auto& row : rows) arcs.push_back({-1, 0, 0, row.first});
  auto f = make_file(ktest::automaton{}, 1, arcs);
  f->element_neutre_transitions("tick");
  int j = 0;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.first);
    EXPECT_EQ(f->receptivite_transition(j++), row.second);
  }
}

TEST(Structure, PriorityOrder) {
  const int prios[] = {2, -1, 0, 2, -1, -3};
  std::vector<ktest::transition> arcs;
  for (int p : prios) arcs.push_back({0, 0, p, "1"});
  auto f = make_file(ktest::automaton{}, 1, arcs);
  table_transitions_prio = nullptr;
  EXPECT_EQ(text(f->sort_transitions_list({0, 1, 2, 3, 4, 5})), "(5, 2, 0, 3, 1, 4)");
  EXPECT_EQ(table_transitions_prio, f->ma_table_transitions());
  EXPECT_EQ(text(f->sort_transitions_list({4, 1, 3, 0})), "(3, 0, 4, 1)");

  table_transitions_prio = nullptr;
  EXPECT_EQ(text(f->sort_transitions_list({3})), "(3)");
  EXPECT_EQ(text(f->sort_transitions_list({})), "()");
  EXPECT_EQ(table_transitions_prio, nullptr);

  table_transitions_prio = f->ma_table_transitions();
  EXPECT_FALSE(compare_prio(1, 0));
  EXPECT_TRUE(compare_prio(0, 1));
  EXPECT_FALSE(compare_prio(1, 4));
  EXPECT_TRUE(compare_prio(5, 2));
  EXPECT_FALSE(compare_prio(0, 3));
}

TEST(Structure, PriorityOrderWithIndicesOutsideTheTable) {
  auto f = make_file(ktest::automaton{}, 1, {{0, 0, 3, "1"}, {0, 0, -1, "1"}, {0, 0, 1, "1"}});
  EXPECT_EQ(text(f->sort_transitions_list({9, 0, -4, 1, 2})), "(2, 0, 9, -4, 1)");
}

TEST(Structure, SinkStates) {
  auto f = make_file(ktest::automaton{}, 5, {{-1, 0}, {0, 1}, {2, 2}, {3, -1}});
  EXPECT_EQ(text(f->liste_etats_puits()), "(1, 4)");
  auto none = make_file(ktest::automaton{}, 0, {});
  EXPECT_TRUE(none->liste_etats_puits().empty());
}

TEST(Structure, Diameters) {
  std::string name = "m";
  std::list<std::string> types, actions;
  std::list<gal_declaration_variables> vars, none;
  std::list<gal_declaration_progs> runs{
      gal_declaration_progs("p", "f", "fifteen_letters", none, none, none),
      gal_declaration_progs("p", "f", "ab", none, none, none)};
  std::list<gal_declaration_functions> functions;
  std::list<gal_declaration_constants> constants;
  for (int kind : {0, 1, 2, 3}) {
    SCOPED_TRACE(kind);
    gal_tpen_fichier f(&name, kind, &types, &vars, &vars, &vars, &vars, &vars, &runs, &functions,
                       &constants, &actions);
    std::string s = "s";
    std::list<gal_tpen_etat> states{
        gal_tpen_etat(1, &s, 0.0, 0.0, gal_run_instance(0, ""), nullptr),
        gal_tpen_etat(1, &s, 0.0, 0.0, gal_run_instance(1, ""), nullptr),
        gal_tpen_etat(1, &s, 0.0, 0.0, gal_run_instance(), nullptr),
        gal_tpen_etat(1, &s, 0.0, 0.0, gal_run_instance(7, ""), nullptr)};
    f.parse_etats(&states);
    for (int i = 0; i < 4; ++i) f.ma_table_etats()[i].change_mon_diametre(3.0);
    ktest::stream_capture cerr_capture(std::cerr);
    f.normalise_diametre_etats();
    std::string err = cerr_capture.stop();
    const gal_tpen_etat* e = f.ma_table_etats();
    if (kind == 2 || kind == 3) {
      EXPECT_DOUBLE_EQ(e[0].mon_diametre(), 15 / 3.4);
      EXPECT_DOUBLE_EQ(e[1].mon_diametre(), 1.0);
      EXPECT_DOUBLE_EQ(e[2].mon_diametre(), 3.0);  // no run: kept
      EXPECT_DOUBLE_EQ(e[3].mon_diametre(), 3.0);  // bad run: reported, kept
      EXPECT_EQ(err,
                "PROBLEME DANS L'UTILISATION DE 'nom_module_prog_externe()':\n"
                "IDENT 7 HORS LIMITE\n");
    } else {
      for (int i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(e[i].mon_diametre(), 1.0);
      EXPECT_EQ(err, "");
    }
  }
}

TEST(Structure, SelfLoopLayout) {
  auto f = make_file(ktest::automaton{}, 2, {{0, 0}, {1, 1}, {0, 1}, {1, 1}});
  gal_tpen_etat& s0 = f->ma_table_etats()[0];
  s0.change_ma_posx(10);
  s0.change_ma_posy(20);
  s0.change_mon_diametre(2);
  gal_tpen_etat& s1 = f->ma_table_etats()[1];
  s1.change_ma_posx(0);
  s1.change_ma_posy(0);
  for (int j = 0; j < 4; ++j) {
    f->ma_table_transitions()[j].add_point(0, 0);
    f->ma_table_transitions()[j].add_point(0, 0);
  }
  f->homogenise_boucles_etat(0);
  const gal_tpen_transition& one = f->ma_table_transitions()[0];
  EXPECT_DOUBLE_EQ(one.posx_receptivite(), 12.4);
  EXPECT_DOUBLE_EQ(one.posy_receptivite(), 20);
  std::list<double> p = one.liste_positions();
  std::vector<double> v(p.begin(), p.end());
  const double c = 6.283;
  EXPECT_DOUBLE_EQ(v[0], 10 + 2 * std::cos(c / 8));
  EXPECT_DOUBLE_EQ(v[1], 20 + 2 * std::sin(c / 8));
  EXPECT_DOUBLE_EQ(v[2], 10 + 2 * std::cos(-c / 8));
  EXPECT_DOUBLE_EQ(v[3], 20 + 2 * std::sin(-c / 8));

  f->homogenise_boucles_etat(1);  // two loops: 1 and 3
  const gal_tpen_transition& second = f->ma_table_transitions()[3];
  EXPECT_DOUBLE_EQ(f->ma_table_transitions()[1].posx_receptivite(), 1.2);
  EXPECT_NEAR(second.posx_receptivite(), 1.2 * std::cos(c / 2), 1e-12);
  std::list<double> q = second.liste_positions();
  EXPECT_NEAR(q.front(), std::cos(c / 2 * 0.8), 1e-12);
  EXPECT_EQ(text(f->ma_table_transitions()[2].liste_positions()), "(0, 0, 0, 0)");

  f->homogenise_boucles_etat(5);  // not a state: nothing
  f->homogenise_boucles_etat(-1);
  EXPECT_DOUBLE_EQ(one.posx_receptivite(), 12.4);
}

// Sources and targets outside the state table count as none in every
// structure operation; the sanitizers see no bad access.
TEST(Structure, OutOfRangeStateIndices) {
  ktest::automaton h;
  h.kind = 0;
  auto f = make_file(h, 2, {{-1, 0}, {0, 7}, {9, 1}, {-5, 0}, {1, -3}, {0, 1}, {2, 2}});
  EXPECT_EQ(text(f->composantes), "((0, 1))");
  EXPECT_EQ(lists_text(*f), "(0, 3)/(1, 5) (2, 5)/(4) ");
  EXPECT_EQ(text(f->liste_etats_puits()), "()");
  f->add_fin_transition(gal_tpen_transition(12, -8, 0.0, 0.0));
  f->homogenise_boucles_etat(0);
  f->normalise_diametre_etats();
  EXPECT_EQ(f->SC_xmax().size(), 1u);
  EXPECT_EQ(f->SC_ymin().size(), 1u);
  EXPECT_EQ(text(f->sort_transitions_list({0, 1, 2, 3, 4, 5, 6, 7})), "(0, 1, 2, 3, 4, 5, 6, 7)");
  f->element_neutre_transitions("x");
  f->add_bootstate();
  EXPECT_EQ(f->nbr_etats(), 3);
  EXPECT_EQ(arcs_text(*f), "-1>2 0>7 9>1 -5>0 1>-3 0>1 2>2 12>-8 2>0 ");
  EXPECT_EQ(text(f->composantes), "((0, 2, 1))");
  EXPECT_EQ(text(f->liste_etats_puits()), "()");
  f->sup_etat(1);
  EXPECT_EQ(arcs_text(*f), "-1>1 0>6 -5>0 1>1 11>-8 1>0 ");
  f->sup_transition(0);
  EXPECT_EQ(text(f->composantes), "((0, 1))");
}

}  // namespace
