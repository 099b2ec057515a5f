// States: defaults, generated names, accessors, list edits, comparison and
// the debug line.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <limits>

#include "model_fixtures.h"
#include "support/capture.h"

using model_test::text;

namespace {

bool capitals_only(const std::string& s) {
  for (char c : s)
    if (c < 'A' || c > 'Z') return false;
  return true;
}

TEST(Etat, Defaults) {
  gal_tpen_etat e;
  EXPECT_EQ(e.convert_type(), "NS");
  EXPECT_EQ(e.ma_posx(), 0);
  EXPECT_EQ(e.ma_posy(), 0);
  EXPECT_EQ(e.mon_diametre(), 1.0);
  EXPECT_EQ(e.mon_nom(), "");
  EXPECT_EQ(e.mon_ident_run(), -1);
  EXPECT_EQ(e.mes_renomages_param_run(), "");
  EXPECT_TRUE(e.mes_actions().empty());
  EXPECT_TRUE(e.mes_transitions_post().empty());
  EXPECT_TRUE(e.mes_transitions_pre().empty());
  EXPECT_EQ(text(e), "NS  0 0 1 pre trans: () post trans: () ident run: -1 renommage: ");
}

TEST(Etat, GeneratedNames) {
  // Every name is 16 capitals; many draws cover the whole alphabet range.
  std::set<char> seen;
  for (int i = 0; i < 200; ++i) {
    std::string n = gal_norm_genere_nom();
    ASSERT_EQ(n.size(), 16u);
    ASSERT_TRUE(capitals_only(n)) << n;
    seen.insert(n.begin(), n.end());
  }
  EXPECT_EQ(seen.size(), 26u);

  gal_tpen_etat a, b;
  EXPECT_NE(a.un_nom(), b.un_nom());  // two constructions, two draws
  gal_tpen_etat copy(a);
  EXPECT_EQ(copy.un_nom(), a.un_nom());
  gal_tpen_etat assigned;
  assigned = a;
  EXPECT_EQ(assigned.un_nom(), a.un_nom());
  EXPECT_TRUE(capitals_only(a.un_nom()));
  a.replace_nom("idle");
  EXPECT_EQ(a.un_nom(), "idle");
  EXPECT_EQ(copy.un_nom(), copy.nom_genere);
}

TEST(Etat, ReaderConstructor) {
  std::string name = "busy";
  double x = 200.5, y = 100;
  gal_run_instance run(2, "r");
  std::list<int> acts{0, 3};
  gal_tpen_etat with(2, &name, &x, &y, &run, &acts);
  EXPECT_EQ(text(with),
            "FS busy 200.5 100 1 pre trans: () post trans: () ident run: 2 renommage: r"
            "table des actions:\n: 0: 3");
  gal_tpen_etat without(1, &name, &x, &y, &run, nullptr);
  EXPECT_TRUE(without.mes_actions().empty());
  EXPECT_EQ(without.mon_diametre(), 1.0);
  EXPECT_EQ(without.mes_renomages_param_run(), "r");
}

TEST(Etat, ConvertType) {
  const std::pair<int, const char*> rows[] = {{0, ""}, {1, "NS"}, {2, "FS"}, {3, ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.first);
    gal_tpen_etat e;
    e.type = row.first;
    EXPECT_EQ(e.convert_type(), row.second);
  }
}

TEST(Etat, ActionListEdits) {
  gal_tpen_etat e;
  for (int a : {1, 4, 3}) e.add_action(a);
  e.replace_action(4, 2);
  EXPECT_EQ(text(e.mes_actions()), "(3, 2, 1)");
  e.translate_ident_actions(0);
  EXPECT_EQ(text(e.mes_actions()), "(1, 2, 3)");
  e.translate_ident_actions(10);
  EXPECT_EQ(text(e.mes_actions()), "(13, 12, 11)");
  EXPECT_TRUE(e.existe_action(12));
  EXPECT_FALSE(e.existe_action(2));
  e.add_action(13);
  EXPECT_EQ(text(e.mes_actions()), "(13, 12, 11, 13)");
  e.efface_actions();
  EXPECT_TRUE(e.mes_actions().empty());
}

TEST(Etat, RunTranslation) {
  gal_tpen_etat none;
  none.translate_ident_run(5);
  EXPECT_EQ(none.mon_ident_run(), -1);
  std::string n = "x";
  gal_tpen_etat two(1, &n, 0.0, 0.0, gal_run_instance(2, ""), nullptr);
  two.translate_ident_run(5);
  EXPECT_EQ(two.mon_ident_run(), 7);
}

TEST(Etat, TransitionLists) {
  gal_tpen_etat e;
  for (int t : {3, 1, 3}) e.add_post_transition(t);
  e.add_pre_transition(4);
  e.add_pre_transition(7);
  e.sup_post_transition(3);
  EXPECT_EQ(text(e.mes_transitions_post()), "(1)");
  e.sup_pre_transition(9);
  EXPECT_EQ(text(e.mes_transitions_pre()), "(4, 7)");
  EXPECT_NE(text(e).find(" pre trans: (,4,7) post trans: (,1)"), std::string::npos) << text(e);
  e.clear_pre_post_transitions();
  EXPECT_TRUE(e.mes_transitions_post().empty());
  EXPECT_TRUE(e.mes_transitions_pre().empty());
}

TEST(Etat, ActionLookupByNameWritesItsTrace) {
  const std::string table[] = {"x", "y", "go"};
  gal_tpen_etat e;
  e.add_action(2);
  e.add_action(0);
  ktest::stream_capture cerr_capture(std::cerr);
  EXPECT_TRUE(e.existe_action(table, 3, "go"));
  EXPECT_EQ(cerr_capture.stop(), "ident= 2\ngo\n");
  ktest::stream_capture cerr_capture2(std::cerr);
  EXPECT_FALSE(e.existe_action(table, 3, "z"));
  EXPECT_EQ(cerr_capture2.stop(), "ident= 2\ngo\nident= 0\nx\n");
  gal_tpen_etat none;
  ktest::stream_capture cerr_capture3(std::cerr);
  EXPECT_FALSE(none.existe_action(table, 3, "x"));
  EXPECT_EQ(cerr_capture3.stop(), "");
  // Indices outside the table are skipped, never read.
  gal_tpen_etat bad;
  bad.add_action(7);
  bad.add_action(-1);
  ktest::stream_capture cerr_capture4(std::cerr);
  EXPECT_FALSE(bad.existe_action(table, 3, "x"));
  EXPECT_EQ(cerr_capture4.stop(), "");
}

TEST(Etat, Difference) {
  std::string n = "a";
  gal_tpen_etat base(1, &n, 1.0, 2.0, gal_run_instance(), nullptr);
  gal_tpen_etat same = base;
  same.change_mon_diametre(5);
  same.add_post_transition(1);
  same.nom_genere = "ZZZZZZZZZZZZZZZZ";
  EXPECT_FALSE(base != same);

  struct Row {
    const char* label;
    void (*edit)(gal_tpen_etat&);
  };
  const Row rows[] = {
      {"type", [](gal_tpen_etat& e) { e.type = 2; }},
      {"x", [](gal_tpen_etat& e) { e.change_ma_posx(9); }},
      {"y", [](gal_tpen_etat& e) { e.change_ma_posy(9); }},
      {"name", [](gal_tpen_etat& e) { e.replace_nom("b"); }},
      {"run", [](gal_tpen_etat& e) { e.run = gal_run_instance(0, ""); }},
      {"actions", [](gal_tpen_etat& e) { e.add_action(1); }},
      {"nan x", [](gal_tpen_etat& e) { e.change_ma_posx(std::nan("")); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    gal_tpen_etat changed = base;
    row.edit(changed);
    EXPECT_TRUE(base != changed);
  }
  gal_tpen_etat nan_state = base;
  nan_state.change_ma_posx(std::numeric_limits<double>::quiet_NaN());
  gal_tpen_etat nan_copy = nan_state;
  EXPECT_TRUE(nan_state != nan_copy);
}

}  // namespace
