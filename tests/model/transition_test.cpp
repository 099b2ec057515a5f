// Transitions: defaults, constructors, syntax code, action edits, drawing
// bounds and edits, and the exporters' free helpers.
#include <gtest/gtest.h>
#include <iostream>

#include "model_fixtures.h"
#include "support/capture.h"

using model_test::text;

namespace {

TEST(Transition, Defaults) {
  gal_tpen_transition t;
  EXPECT_EQ(t.mon_type_trans(), 1);
  EXPECT_EQ(t.ma_priorite(), 0);
  EXPECT_EQ(t.ma_receptivite(), "");
  EXPECT_EQ(t.posx_receptivite(), 0);
  EXPECT_EQ(t.posy_receptivite(), 0);
  EXPECT_TRUE(t.liste_positions().empty());
  EXPECT_TRUE(t.mes_actions().empty());
  EXPECT_EQ(t.mon_ident_etat_amont(), -1);
  EXPECT_EQ(t.mon_ident_etat_aval(), -1);
  EXPECT_TRUE(t.est_initiale());
}

TEST(Transition, Constructors) {
  gal_tpen_transition boot(5, 4, 1.5, 2.5);
  EXPECT_EQ(boot.mon_type_trans(), 1);
  EXPECT_EQ(boot.mon_ident_etat_amont(), 5);
  EXPECT_EQ(boot.mon_ident_etat_aval(), 4);
  EXPECT_EQ(boot.posy_receptivite(), 2.5);
  EXPECT_FALSE(boot.est_initiale());

  gal_tpen_transition drawn(0, 1, 2, std::list<double>{1, 2, 3, 4}, 7, 8);
  EXPECT_EQ(drawn.mon_type_trans(), 2);
  EXPECT_EQ(text(drawn.liste_positions()), "(1, 2, 3, 4)");
  EXPECT_EQ(drawn.ma_priorite(), 0);

  std::list<double> pts{180, 40, 120, 40};
  double x = 150, y = 30;
  std::string recep = "reset";
  std::list<int> acts{0};
  gal_tpen_transition read(1, 0, 1, &pts, &x, &y, -1, &recep, &acts);
  gal_tpen_transition full(1, 0, 1, 150.0, 30.0, -1, "reset", {0});
  EXPECT_EQ(read.ma_receptivite(), "reset");
  EXPECT_EQ(read.ma_priorite(), -1);
  EXPECT_EQ(text(read.mes_actions()), "(0)");
  EXPECT_EQ(text(read.liste_positions()), "(180, 40, 120, 40)");
  EXPECT_EQ(full.ma_receptivite(), read.ma_receptivite());
  EXPECT_TRUE(full.liste_positions().empty());
  EXPECT_EQ(full.posx_receptivite(), 150);
}

TEST(Transition, SyntaxCode) {
  const std::pair<const char*, int> rows[] = {
      {"a / b", 1}, {"(a/", 1}, {"(a", 2}, {"a)", 2}, {"(a)", 0}, {"", 0}, {"a and b", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.first);
    gal_tpen_transition t;
    t.modif_receptivite(row.first);
    EXPECT_EQ(t.test_syntaxe_receptivite(), row.second);
  }
}

TEST(Transition, IndexEdits) {
  gal_tpen_transition t(-1, 2, 0, 0);
  t.translate_ident_etats(3);
  EXPECT_EQ(t.mon_ident_etat_amont(), -1);
  EXPECT_EQ(t.mon_ident_etat_aval(), 5);
  t.modif_ident_etat_amont(1);
  t.modif_ident_etat_aval(-1);
  t.translate_ident_etats(2);
  EXPECT_EQ(t.mon_ident_etat_amont(), 3);
  EXPECT_EQ(t.mon_ident_etat_aval(), -1);

  t.modif_actions({1, 4, 3});
  t.replace_action(4, 2);
  EXPECT_EQ(text(t.mes_actions()), "(3, 2, 1)");
  t.translate_ident_actions(1);
  EXPECT_EQ(text(t.mes_actions()), "(2, 3, 4)");
  t.add_actions({4, 0});
  EXPECT_EQ(text(t.mes_actions()), "(2, 3, 4, 4, 0)");
  EXPECT_TRUE(t.existe_action(0));
  EXPECT_FALSE(t.existe_action(1));
  t.modif_type_trans(3);
  t.modif_priorite(-2);
  EXPECT_EQ(t.mon_type_trans(), 3);
  EXPECT_EQ(t.ma_priorite(), -2);
}

TEST(Transition, ActionLookupByNameIsSilentAndBounded) {
  const std::string table[] = {"x", "go"};
  gal_tpen_transition t;
  t.modif_actions({5, 1});
  ktest::stream_capture cerr_capture(std::cerr);
  EXPECT_TRUE(t.existe_action(table, 2, "go"));
  EXPECT_FALSE(t.existe_action(table, 2, "x"));
  EXPECT_EQ(cerr_capture.stop(), "");
}

TEST(Transition, DrawingBounds) {
  gal_tpen_transition t(0, 1, 2.0, 1.0);
  t.modif_receptivite("abc");
  EXPECT_DOUBLE_EQ(t.posxmax(), 2 + 3 / 3.4);
  EXPECT_DOUBLE_EQ(t.posymax(), 1.5);
  EXPECT_DOUBLE_EQ(t.posxmin(), 2);
  EXPECT_DOUBLE_EQ(t.posymin(), 1);
  t.modif_coords_condition(2e12, 1);
  EXPECT_DOUBLE_EQ(t.posxmin(), 1e12);
  gal_tpen_transition left(0, 1, -5.0, -5.0);
  left.add_point(-3, -9);
  EXPECT_DOUBLE_EQ(left.posxmax(), 0);
  EXPECT_DOUBLE_EQ(left.posymax(), 0);
  EXPECT_DOUBLE_EQ(left.posxmin(), -5);
  EXPECT_DOUBLE_EQ(left.posymin(), -9);
  gal_tpen_transition pts(0, 1, 0.0, 0.0);
  pts.add_point(7, 9);
  pts.add_point(-2, 3);
  EXPECT_DOUBLE_EQ(pts.posxmax(), 7);
  EXPECT_DOUBLE_EQ(pts.posymax(), 9);
  EXPECT_DOUBLE_EQ(pts.posxmin(), -2);
}

TEST(Transition, PointEdits) {
  gal_tpen_transition t;
  t.add_point(1, 2);
  t.add_point(3, 4);
  t.add_point(5, 6);
  EXPECT_EQ(text(t.liste_positions()), "(1, 2, 3, 4)");
  t.modif_coords_premier_point(10, 20);
  t.modif_coords_dernier_point(100, 200);
  EXPECT_EQ(text(t.liste_positions()), "(11, 22, 103, 204)");
  t.translation_points(1, -1);
  EXPECT_EQ(text(t.liste_positions()), "(12, 21, 104, 203)");
  EXPECT_EQ(t.posx_receptivite(), 1);
  EXPECT_EQ(t.posy_receptivite(), -1);

  gal_tpen_transition one;
  one.add_point(1, 1);
  ktest::stream_capture cerr_capture(std::cerr);
  one.modif_coords_point(1, 9, 9);
  EXPECT_EQ(cerr_capture.stop(),
            "probleme dans gal_tpen_transition:: modif_coords_point();\npoint 1 non trouve ...\n");
  EXPECT_EQ(text(one.liste_positions()), "(1, 1)");
  one.modif_coords_point(0, 9, 8);
  EXPECT_EQ(text(one.liste_positions()), "(9, 8)");

  gal_tpen_transition none;
  none.modif_coords_premier_point(1, 1);
  none.modif_coords_dernier_point(1, 1);
  EXPECT_TRUE(none.liste_positions().empty());
}

TEST(Transition, AlignPoints) {
  std::string a = "a", b = "b";
  gal_tpen_etat states[] = {gal_tpen_etat(1, &a, 0.0, 0.0, gal_run_instance(), nullptr),
                            gal_tpen_etat(1, &b, 3.0, 0.0, gal_run_instance(), nullptr),
                            gal_tpen_etat(1, &b, 0.0, 3.0, gal_run_instance(), nullptr)};
  gal_tpen_transition one(0, 1, 0.0, 0.0);
  one.add_point(9, 9);
  one.aligne_points(states, 3);
  EXPECT_EQ(text(one.liste_positions()), "(1, 0)");
  EXPECT_DOUBLE_EQ(one.posx_receptivite(), 1.5);
  EXPECT_DOUBLE_EQ(one.posy_receptivite(), 0.2);

  gal_tpen_transition two(0, 1, 0.0, 0.0);
  two.add_point(9, 9);
  two.add_point(9, 9);
  two.aligne_points(states, 3);
  EXPECT_EQ(text(two.liste_positions()), "(0.6, 0, 1.2, 0)");

  gal_tpen_transition up(0, 2, 0.0, 0.0);
  up.aligne_points(states, 3);
  EXPECT_DOUBLE_EQ(up.posx_receptivite(), 0.2);
  EXPECT_DOUBLE_EQ(up.posy_receptivite(), 1.5);

  // An initial transition, a null table or a state outside the table: no change.
  for (gal_tpen_transition t :
       {gal_tpen_transition(-1, 1, 5.0, 5.0), gal_tpen_transition(0, 3, 5.0, 5.0),
        gal_tpen_transition(7, 0, 5.0, 5.0)}) {
    t.aligne_points(states, 3);
    EXPECT_EQ(t.posx_receptivite(), 5);
  }
  gal_tpen_transition null_table(0, 1, 5.0, 5.0);
  null_table.aligne_points(nullptr, 0);
  EXPECT_EQ(null_table.posx_receptivite(), 5);
}

TEST(Transition, FrontierCorrections) {
  struct Row {
    double x2, y2, r, x, y, ex, ey;
  };
  const Row rows[] = {
      {10, 0, 0.5, 0, 0, 0.5, 0}, {0, 5, 1, 0, 0, 0, 1},     {0, -5, 1, 0, 0, 0, -1},
      {3, 4, 1, 0, 0, 0.6, 0.8},  {0, 0, 1, 3, 4, 2.4, 3.2}, {-10, 0, 2, 0, 0, -2, 0},
  };
  int i = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(i++);
    double x = row.x, y = row.y;
    frontieres_corrections(row.x2, row.y2, row.r, &x, &y);
    EXPECT_NEAR(x, row.ex, 1e-12);
    EXPECT_NEAR(y, row.ey, 1e-12);
  }
}

TEST(Transition, DataExpressions) {
  const std::pair<const char*, bool> rows[] = {
      {"#x", true},     {"a < 3", true},    {"a > 3", true},  {"a == b", true},
      {"a != b", true}, {"a and b", false}, {"a = b", false}, {"", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.first);
    EXPECT_EQ(data_LE_expression(row.first), row.second);
  }
}

}  // namespace
