// Edits of an automaton file: appends, removals with renumbering,
// replacements, dropping unused actions and emptying.
#include <gtest/gtest.h>
#include <iostream>

#include "model_fixtures.h"
#include "support/capture.h"

using model_test::arcs_text;
using model_test::lists_text;
using model_test::make_file;
using model_test::text;

namespace {

// The action texts of the file, joined by blanks.
std::string actions_text(const gal_tpen_fichier& f) {
  std::string out;
  for (int i = 0; i < f.nbr_actions(); ++i) out += f.action(i) + " ";
  return out;
}

TEST(Edits, Appends) {
  gal_tpen_fichier f;
  f.add_type("bool");
  f.add_type(std::string("bool"));
  f.add_type("int");
  ASSERT_EQ(f.nbr_types(), 2);
  EXPECT_EQ(f.ma_table_types()[1], "int");
  gal_declaration_variables v("bool", "a");
  f.add_fin_input(v);
  f.add_fin_input(v);
  EXPECT_EQ(f.nbr_inputs(), 2);
  f.add_fin_output(gal_declaration_variables("", "o"));
  f.add_fin_local(gal_declaration_variables("int", "l"));
  f.add_fin_action("go");
  EXPECT_EQ(f.nom_output(0), "o");
  EXPECT_EQ(f.nom_local(0), "l");
  EXPECT_EQ(f.action(0), "go");
  f.efface_table_inputs();
  f.efface_table_locals();
  EXPECT_EQ(f.nbr_inputs(), 0);
  EXPECT_EQ(f.ma_table_inputs(), nullptr);
  EXPECT_EQ(f.nbr_locals(), 0);
  EXPECT_EQ(f.ma_table_locals(), nullptr);
}

TEST(Edits, RunLookupOrAppend) {
  gal_tpen_fichier f;
  std::list<gal_declaration_variables> none;
  f.add_fin_progs_externes(gal_declaration_progs("p", "f1", "m1", none, none, none));
  f.add_fin_progs_externes(gal_declaration_progs("p", "f2", "m2", none, none, none));
  EXPECT_EQ(f.ident_et_add_prog_externe("m2"), 1);
  EXPECT_EQ(f.nbr_progs_externes(), 2);
  EXPECT_EQ(f.ident_et_add_prog_externe("m3"), 2);
  EXPECT_EQ(f.nbr_progs_externes(), 3);
  EXPECT_EQ(text(f.ma_table_progs_externes()[2]), ".: m3: m3");
  EXPECT_TRUE(f.ma_table_progs_externes()[2].my_inputs_list().empty());
}

TEST(Edits, RemoveState) {
  struct Row {
    const char* label;
    int states;
    std::vector<ktest::transition> arcs;
    int removed;
    const char* arcs_after;
    const char* components;
    const char* lists;
  };
  const Row rows[] = {
      {"middle of a chain",
       3,
       {{-1, 0}, {0, 1}, {1, 2}},
       1,
       "-1>0 ",
       "((0), (1))",
       "(0)/() ()/() "},
      {"entered by the initial transition",
       2,
       {{-1, 0}, {0, 1}, {1, 1}},
       0,
       "0>0 ",
       "((0))",
       "(0)/(0) "},
      {"with final transition and self-loop",
       3,
       {{0, 1}, {1, -1}, {1, 1}, {2, 0}},
       1,
       "1>0 ",
       "((0, 1))",
       "(0)/() ()/(0) "},
      {"last state", 2, {{0, 1}, {1, 0}, {0, 0}}, 1, "0>0 ", "((0))", "(0)/(0) "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    auto f = make_file(ktest::automaton{}, row.states, row.arcs);
    f->sup_etat(row.removed);
    EXPECT_EQ(f->nbr_etats(), row.states - 1);
    EXPECT_EQ(arcs_text(*f), row.arcs_after);
    EXPECT_EQ(text(f->composantes), row.components);
    EXPECT_EQ(lists_text(*f), row.lists);
  }
  auto chain = make_file(ktest::automaton{}, 3, {{-1, 0}, {0, 1}, {1, 2}});
  chain->sup_etat(1);
  EXPECT_EQ(chain->nom_etat(1), "s2");
}

TEST(Edits, RemoveStateIgnoresStaleLists) {
  // The appended state carried lists naming transitions it has nothing to
  // do with; removing it must not take them away.
  auto f = make_file(ktest::automaton{}, 2, {{-1, 0}, {0, 1}});
  gal_tpen_etat stale = f->ma_table_etats()[0];
  f->add_fin_etat(stale);
  f->sup_etat(2);
  EXPECT_EQ(arcs_text(*f), "-1>0 0>1 ");
}

TEST(Edits, RemoveOutOfRange) {
  auto f = make_file(ktest::automaton{}, 2, {{0, 1}});
  ktest::stream_capture cerr_capture(std::cerr);
  f->sup_etat(2);
  f->sup_etat(-1);
  f->sup_transition(1);
  f->sup_output(0);
  f->sup_action(0);
  f->replace_transition(4, gal_tpen_transition(0, 1, 0.0, 0.0));
  EXPECT_EQ(cerr_capture.stop(),
            "ERROR in gal_tpen_fichier::sup_etat: out of range\n"
            "ERROR in gal_tpen_fichier::sup_etat: out of range\n"
            "ERROR in gal_tpen_fichier::sup_transition: out of range\n");
  EXPECT_EQ(arcs_text(*f), "0>1 ");
  EXPECT_EQ(f->nbr_etats(), 2);
}

TEST(Edits, RemoveTransition) {
  auto f = make_file(ktest::automaton{}, 2, {{0, 1}, {1, 0}, {0, 0}});
  f->sup_transition(0);
  EXPECT_EQ(arcs_text(*f), "1>0 0>0 ");
  EXPECT_EQ(lists_text(*f), "(0, 1)/(1) ()/(0) ");
  f->sup_transition(0);
  EXPECT_EQ(text(f->composantes), "((0), (1))");
}

TEST(Edits, RemoveOutput) {
  ktest::automaton h;
  h.outputs = {"a", "b", "c"};
  auto f = make_file(h, 0, {});
  f->sup_output(1);
  EXPECT_EQ(f->nbr_outputs(), 2);
  EXPECT_EQ(f->nom_output(1), "c");
}

TEST(Edits, RemoveAction) {
  ktest::automaton h;
  h.actions = {"x", "y", "z"};
  auto f = make_file(h, 1, {{0, 0, 0, "1", {1, 2}}});
  f->ma_table_etats()[0].add_action(2);
  f->sup_action(0);
  EXPECT_EQ(actions_text(*f), "y z ");
  EXPECT_EQ(text(f->ma_table_etats()[0].mes_actions()), "(1)");
  EXPECT_EQ(text(f->ma_table_transitions()[0].mes_actions()), "(0, 1)");

  // A removed action's references go with it, never designating the next text.
  auto g = make_file(h, 1, {{0, 0, 0, "1", {0, 1}}});
  g->ma_table_etats()[0].add_action(1);
  g->sup_action(1);
  EXPECT_EQ(actions_text(*g), "x z ");
  EXPECT_TRUE(g->ma_table_etats()[0].mes_actions().empty());
  EXPECT_EQ(text(g->ma_table_transitions()[0].mes_actions()), "(0)");
}

TEST(Edits, ReplaceAction) {
  ktest::automaton h;
  h.actions = {"x", "y"};
  auto f = make_file(h, 1, {{0, 0, 0, "1", {0, 1, 0}}});
  f->ma_table_etats()[0].add_action(0);
  f->replace_action(0, 1);
  EXPECT_EQ(text(f->ma_table_transitions()[0].mes_actions()), "(1, 1, 1)");
  EXPECT_EQ(text(f->ma_table_etats()[0].mes_actions()), "(1)");
  f->replace_action(5, 0);
  EXPECT_EQ(text(f->ma_table_etats()[0].mes_actions()), "(1)");
  EXPECT_EQ(actions_text(*f), "x y ");
}

TEST(Edits, DropUnusedActions) {
  ktest::automaton h;
  h.actions = {"x", "y", "z"};
  auto f = make_file(h, 1, {{0, 0, 0, "1", {2}}});
  f->internal_raj_actions();
  EXPECT_EQ(actions_text(*f), "z ");
  EXPECT_EQ(text(f->ma_table_transitions()[0].mes_actions()), "(0)");

  auto g = make_file(h, 1, {});
  g->ma_table_etats()[0].add_action(1);
  g->internal_raj_actions();
  EXPECT_EQ(actions_text(*g), "y ");
  EXPECT_EQ(text(g->ma_table_etats()[0].mes_actions()), "(0)");

  // References keep their texts when several actions stay.
  ktest::automaton w;
  w.actions = {"a", "b", "c", "d", "e"};
  auto k = make_file(w, 1, {{0, 0, 0, "1", {4, 1}}});
  k->ma_table_etats()[0].add_action(3);
  k->ma_table_etats()[0].add_action(9);  // outside the table: ignored
  k->internal_raj_actions();
  EXPECT_EQ(actions_text(*k), "b d e ");
  std::string texts;
  for (int a : k->ma_table_transitions()[0].mes_actions()) texts += k->action(a);
  EXPECT_EQ(texts.size(), 2u);
  EXPECT_NE(texts.find('e'), std::string::npos);
  EXPECT_NE(texts.find('b'), std::string::npos);
  std::list<int> state_refs = k->ma_table_etats()[0].mes_actions();
  state_refs.sort();
  EXPECT_EQ(text(state_refs), "(1, 9)");  // d, and the reference outside the table unchanged

  gal_tpen_fichier empty;
  empty.internal_raj_actions();
  EXPECT_EQ(empty.nbr_actions(), 0);
}

TEST(Edits, ReplaceTransition) {
  auto f = make_file(ktest::automaton{}, 2, {{0, 1, 0, "a"}});
  f->replace_transition(0, gal_tpen_transition(0, 1, 1, 0.0, 0.0, 3, "b", {}));
  EXPECT_EQ(f->receptivite_transition(0), "b");
  EXPECT_EQ(f->ma_table_transitions()[0].ma_priorite(), 3);
  const std::pair<gal_tpen_transition, const char*> refused[] = {
      {gal_tpen_transition(1, 1, 0.0, 0.0),
       "probleme interne dans gal_tpen_fichier::replace_transition() sur l'etat amont\n"},
      {gal_tpen_transition(0, 0, 0.0, 0.0),
       "probleme interne dans gal_tpen_fichier::replace_transition() sur l'etat aval\n"},
  };
  for (const auto& row : refused) {
    SCOPED_TRACE(row.second);
    ktest::stream_capture cerr_capture(std::cerr);
    f->replace_transition(0, row.first);
    EXPECT_EQ(cerr_capture.stop(), row.second);
    EXPECT_EQ(f->receptivite_transition(0), "b");
  }
}

TEST(Edits, Clear) {
  ktest::automaton h;
  h.name = "m";
  h.inputs = {"a"};
  h.outputs = {"o"};
  h.actions = {"o"};
  std::vector<ktest::transition> arcs{{-1, 0}, {0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}, {2, 2}};
  auto f = make_file(h, 5, arcs);
  f->add_type("bool");
  f->clear();
  EXPECT_EQ(f->nbr_etats(), 0);
  EXPECT_EQ(f->nbr_transitions(), 0);
  EXPECT_EQ(f->nombre_SC(), 0);
  EXPECT_EQ(f->nbr_inputs() + f->nbr_outputs() + f->nbr_actions() + f->nbr_types() +
                f->nbr_locals() + f->nbr_progs_externes(),
            0);
  EXPECT_EQ(f->mon_nom_module(), "m");
  EXPECT_EQ(f->mon_modele(), 0);
}

}  // namespace
