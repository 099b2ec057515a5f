// The xfig exporter's objects: circles, names, run and action texts of the
// states; polylines cut back to the circles and labels of the transitions;
// the one-point lines, small diameters and backslashes it must keep sound.
#include <gtest/gtest.h>

#include "exporter_test_util.h"
#include "exporters/exporters.h"
#include "support/capture.h"

namespace {

const std::string kCircle = " 1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 ";
const std::string kCentred = "4 1 0 50 -1 0 24 0.0000 4 135 780 ";
const std::string kLeft = "4 0 0 50 -1 0 24 0.0000 4 135 780 ";
const std::string kArrowLine = "        1 1 1.00 120.00 240.00\n";

std::string polyline(int arrow, int points) {
  return "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 " + std::to_string(arrow) + " 0 " +
         std::to_string(points) + "\n";
}

gal_tpen_etat make_state(int type, const std::string& name, double x, double y, int run = -1,
                         std::list<int> actions = {}) {
  std::string n = name;
  return gal_tpen_etat(type, &n, x, y, gal_run_instance(run, ""), &actions);
}

std::string state_objects(const gal_tpen_fichier& model, const gal_tpen_etat& state) {
  std::ostringstream os;
  state.put_xfig(os, model);
  return os.str();
}

std::string transition_objects(const gal_tpen_fichier& model, const gal_tpen_transition& t,
                               std::string* err = nullptr) {
  std::ostringstream os;
  ktest::stream_capture capture(std::cerr);
  t.put_xfig(os, model);
  if (err != nullptr) *err = capture.text();
  return os.str();
}

TEST(XfigStates, CircleNameRunAndActions) {
  gal_tpen_fichier model;
  model.add_fin_action("o1");
  model.add_fin_action("o\\2");
  model.add_fin_progs_externes(gal_declaration_progs("p", "f", "Sub", {}, {}, {}));
  EXPECT_EQ(kCircle + "2000 3000 500 500 2000 3000 2500 3000\n" + kCentred + "2000 2420 s\\001\n",
            state_objects(model, make_state(1, "s", 2, 3)));
  EXPECT_EQ(kCircle + "2000 3000 500 500 2000 3000 2500 3000\n" + kCircle +
                "2000 3000 400 400 2000 3000 2500 3000\n" + kCentred + "2000 2420 f\\001\n" +
                kCentred + "2000 3100 Sub\\001\n" + kLeft + "2900 3100 o1\\001\n" + kLeft +
                "2900 3400 o\\\\2\\001\n",
            state_objects(model, make_state(2, "f", 2, 3, 0, {0, 1})));
}

// A diameter below 0.2 would give the inner circle of a final state a
// negative radius: it is held at 0.
TEST(XfigStates, SmallDiameters) {
  gal_tpen_fichier model;
  gal_tpen_etat state = make_state(2, "", 1, 1);
  state.change_mon_diametre(0.1);
  EXPECT_EQ(kCircle + "1000 1000 50 50 1000 1000 1050 1000\n" + kCircle +
                "1000 1000 0 0 1000 1000 1050 1000\n" + kCentred + "1000 870 \\001\n",
            state_objects(model, state));
}

class XfigTransitions : public ::testing::Test {
 protected:
  void SetUp() override {
    for (auto [name, x] : {std::pair<const char*, double>{"a", 1}, {"b", 3}}) {
      std::string n = name;
      model_.add_fin_etat(gal_tpen_etat(1, &n, x, 1, gal_run_instance(), nullptr));
    }
    model_.add_fin_action("o1");
    model_.add_fin_action("o2");
  }
  gal_tpen_fichier model_;
};

TEST_F(XfigTransitions, StraightLineBetweenTwoCircles) {
  gal_tpen_transition t(0, 1, 1, 2, 0.5, 2, "a", {0, 1});
  EXPECT_EQ(polyline(1, 2) + kArrowLine + "         1500 1000 2500 1000 \n" + kLeft +
                "2000 1000 <2> a/o1,o2\\001",
            transition_objects(model_, t));
}

TEST_F(XfigTransitions, Labels) {
  struct Case {
    int priority;
    const char* receptivity;
    std::list<int> actions;
    const char* label;
  };
  const Case cases[] = {
      {0, "a", {}, "a\\001"},
      {-1, "b", {1}, "<other> b/o2\\001"},
      {3, "x\\y", {}, "<3> x\\\\y\\001"},
      {0, "two\nlines", {}, "two lines\\001"},
  };
  for (const Case& c : cases) {
    gal_tpen_transition t(0, 1, 1, 2, 0.5, c.priority, c.receptivity, c.actions);
    const std::string text = transition_objects(model_, t);
    EXPECT_EQ(kLeft + "2000 1000 " + c.label, text.substr(text.rfind('\n') + 1));
  }
}

// A self-loop without bend points: both ends at (x, y + d/2); two equal
// points give the arrow no direction, so the line has none.
TEST_F(XfigTransitions, SelfLoopWithoutBendPoints) {
  gal_tpen_transition t(1, 1, 1, 3, 2, 0, "s", {});
  EXPECT_EQ(polyline(0, 2) + "         3000 1500 3000 1500 \n" + kLeft + "3000 2500 s\\001",
            transition_objects(model_, t));
}

// Bend points stay where they are; only the ends on circles move.
TEST_F(XfigTransitions, BendPoints) {
  gal_tpen_transition t(0, 1, 1, {1, 3, 3, 3}, 2, 3);
  t.receptivite = "r";
  EXPECT_EQ(polyline(1, 4) + kArrowLine + "         1000 1500 1000 3000 3000 3000 3000 1500 \n" +
                kLeft + "2000 3500 r\\001",
            transition_objects(model_, t));
}

// Lines without a circle at one end, or with a single point; an odd bend
// value is dropped; a state index the model does not hold is reported and
// drawn as no state.
TEST_F(XfigTransitions, OpenEndsAndSinglePoints) {
  struct Case {
    int source;
    int target;
    std::list<double> points;
    std::string objects;
    const char* err;
  };
  const Case cases[] = {
      {-1, 0, {}, polyline(0, 1) + "         1000 1000 \n", ""},
      {0, -1, {}, polyline(0, 1) + "         1000 1000 \n", ""},
      {-1, 0, {0, 1}, polyline(1, 2) + kArrowLine + "         0 1000 500 1000 \n", ""},
      {1, -1, {5, 1, 6}, polyline(1, 2) + kArrowLine + "         3500 1000 5000 1000 \n", ""},
      {-1, -1, {2, 2, 4}, polyline(0, 1) + "         2000 2000 \n", ""},
      {0,
       7,
       {},
       polyline(0, 1) + "         1000 1000 \n",
       "PROBLEME DANS L'UTILISATION DE 'etat()':\nIDENT 7 HORS LIMITE\n"},
  };
  for (const Case& c : cases) {
    gal_tpen_transition t(c.source, c.target, 1, c.points, 0, 0);
    t.receptivite = "r";
    std::string err;
    EXPECT_EQ(c.objects + kLeft + "0 500 r\\001", transition_objects(model_, t, &err))
        << c.source << " -> " << c.target;
    EXPECT_EQ(c.err, err);
  }
  gal_tpen_transition nothing(-1, -1, 1, {}, 0, 0);
  EXPECT_EQ("", transition_objects(model_, nothing));
}

TEST(XfigFile, EmptyModelHasTheHeaderOnly) {
  gal_tpen_fichier model;
  Exported e = run_exporter("empty.fig", [&](const std::string& p) { model.put_xfig(p, "m"); });
  EXPECT_EQ("#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n", e.text);
}

}  // namespace
