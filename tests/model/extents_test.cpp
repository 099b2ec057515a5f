// Drawing extents of the whole drawing and of each component.
#include <gtest/gtest.h>

#include "model_fixtures.h"

using model_test::make_file;
using model_test::text;

namespace {

TEST(Extents, EmptyFile) {
  gal_tpen_fichier f;
  EXPECT_DOUBLE_EQ(f.largueur_max(), 10.0);
  EXPECT_DOUBLE_EQ(f.hauteur_max(), 0);
  EXPECT_EQ(f.nombre_SC(), 0);
  EXPECT_TRUE(f.SC_xmax().empty());
  EXPECT_TRUE(f.SC_ymax().empty());
  EXPECT_TRUE(f.SC_xmin().empty());
  EXPECT_TRUE(f.SC_ymin().empty());
  EXPECT_TRUE(f.SC_liste_etats(0).empty());
}

// Places state i at (x[i], y[i]) with diameter d[i].
void place(gal_tpen_fichier& f, const std::vector<double>& x, const std::vector<double>& y,
           const std::vector<double>& d) {
  for (std::size_t i = 0; i < x.size(); ++i) {
    f.ma_table_etats()[i].change_ma_posx(x[i]);
    f.ma_table_etats()[i].change_ma_posy(y[i]);
    f.ma_table_etats()[i].change_mon_diametre(d[i]);
  }
}

TEST(Extents, SingleState) {
  auto f = make_file(ktest::automaton{}, 1, {});
  place(*f, {5}, {7}, {2});
  EXPECT_EQ(text(f->SC_xmax()), "(6.5)");
  EXPECT_EQ(text(f->SC_xmin()), "(3.5)");
  EXPECT_EQ(text(f->SC_ymax()), "(8.5)");
  EXPECT_EQ(text(f->SC_ymin()), "(5.5)");
  EXPECT_DOUBLE_EQ(f->largueur_max(), 15.0);
  EXPECT_DOUBLE_EQ(f->hauteur_max(), 7.0);
}

TEST(Extents, StartValuesTakePart) {
  auto left = make_file(ktest::automaton{}, 2, {});
  place(*left, {-20, -30}, {-1, -2}, {1, 1});
  EXPECT_DOUBLE_EQ(left->largueur_max(), 10.0);
  EXPECT_DOUBLE_EQ(left->hauteur_max(), 0);
  EXPECT_EQ(text(left->SC_xmax()), "(0, 0)");
  EXPECT_EQ(text(left->SC_ymax()), "(0, 0)");
  auto far = make_file(ktest::automaton{}, 1, {});
  place(*far, {3e12}, {0}, {1});
  EXPECT_EQ(text(far->SC_xmin()), "(1e+12)");
}

TEST(Extents, ComponentsWithTransitions) {
  // Components (0, 1) and (2); transition 0 -> 1 has a bend point at
  // (40, -9) and its label at (10, 3) with a receptivity of 17 characters.
  auto f = make_file(ktest::automaton{}, 3, {{0, 1, 0, "a and not b and c"}, {-1, 2}});
  place(*f, {0, 20, 100}, {0, 0, 50}, {1, 1, 4});
  gal_tpen_transition& t = f->ma_table_transitions()[0];
  t.add_point(40, -9);
  t.modif_coords_condition(10, 3);
  EXPECT_EQ(text(f->composantes), "((0, 1), (2))");
  EXPECT_EQ(text(f->SC_liste_etats(1)), "(2)");
  EXPECT_TRUE(f->SC_liste_etats(-1).empty());
  EXPECT_TRUE(f->SC_liste_etats(f->nombre_SC()).empty());
  EXPECT_EQ(text(f->SC_xmax()), "(40.5, 102.5)");
  EXPECT_EQ(text(f->SC_xmin()), "(-1, -0.5)");  // initial label at x 0 counts for state 2
  EXPECT_EQ(text(f->SC_ymax()), "(4, 52.5)");
  EXPECT_EQ(text(f->SC_ymin()), "(-9.5, -0.5)");
}

}  // namespace
