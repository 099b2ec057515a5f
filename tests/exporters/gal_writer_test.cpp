// The GAL writer: its number texts, its layout, the model kinds it cannot
// name, and round trips through our own reader (parse, put_gal, parse,
// put_gal gives the same bytes) on the examples and on random automata.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "exporter_test_util.h"
#include "exporters/exporters.h"
#include "support/golden.h"
#include "support/process.h"

namespace {

struct NumberCase {
  double value;
  const char* gal;
  const char* le;
};

// The default notation where it has no exponent; fixed notation with the
// same six significant digits where it has one.
const NumberCase kNumbers[] = {
    {2.0, "2", "2.0"},
    {2.5, "2.5", "2.5"},
    {-1.0, "-1", "-1.0"},
    {0.0, "0", "0.0"},
    {0.0001, "0.0001", "0.0001"},
    {123456.0, "123456", "123456.0"},
    {1e6, "1000000", "1e+06"},
    {1234567.0, "1234570", "1.23457e+06"},
    {5e-05, "0.00005", "5e-05"},
    {-1.23456e-7, "-0.000000123456", "-1.23456e-07"},
    {9.99999e-05, "0.0000999999", "9.99999e-05"},
    {3e9, "3000000000.0", "3e+09"},
    {-2.5e10, "-25000000000.0", "-2.5e+10"},
    // Rounded into the int range by the six digits: written as an integer,
    // so that reading it back and writing it again gives the same text.
    {-2147483648.0, "-2147480000", "-2.14748e+09"},
    {2147483648.0, "2147480000", "2.14748e+09"},
};

TEST(ExporterNumbers, GalAndLightEsterelTexts) {
  for (const NumberCase& c : kNumbers) {
    EXPECT_EQ(c.gal, gal_coordinate_text(c.value)) << c.value;
    EXPECT_EQ(c.le, le_position_text(c.value)) << c.value;
  }
}

// The text put_gal writes; "<missing>" when it writes no file.
std::string put_gal_text(gal_tpen_fichier& model, const std::string& name,
                         const std::string& module, std::string* err = nullptr) {
  Exported e = run_exporter(name, [&](const std::string& path) { model.put_gal(path, module); });
  if (err != nullptr) *err = e.err;
  return e.written ? e.text : "<missing>";
}

TEST(GalWriter, GoldenTexts) {
  auto features = read_gal("features.gal", kFeaturesGal);
  ASSERT_NE(features, nullptr);
  ktest::expect_golden("features.gal", put_gal_text(*features, "out_features.gal", "renamed"));
  auto pair = read_gal("pair.gal", kPairGal);
  ASSERT_NE(pair, nullptr);
  ktest::expect_golden("pair.gal", put_gal_text(*pair, "out_pair.gal", "pair"));
}

TEST(GalWriter, EmptyModelWritesEveryKeywordWithItsSemicolon) {
  gal_tpen_fichier model;
  model.def_modele(1);
  EXPECT_EQ(
      "Name: empty : par_automata_model:;\n\n"
      "Type:\n;\n\nInput:\n;\n\nSensor:\n;\n\nOutput:\n;\n\nLocal:\n;\n\nVariable:\n;\n\n"
      "Run:\n;\n\nFunction:\n;\n\nConstant:\n;\n\nAction:\n;\n\nStar:\n;\n\nTransition:\n;\n",
      put_gal_text(model, "empty.gal", "empty"));
}

// Model kinds with no keyword: nothing is written; a kind above 3 also
// says so on the standard error stream.
TEST(GalWriter, KindsWithoutKeywordWriteNothing) {
  struct Case {
    int kind;
    bool message;
  };
  for (Case c : {Case{-1, false}, Case{4, true}, Case{17, true}}) {
    gal_tpen_fichier model;
    model.def_modele(c.kind);
    std::string err;
    EXPECT_EQ("<missing>", put_gal_text(model, "kind.gal", "k", &err)) << c.kind;
    if (c.message) {
      EXPECT_EQ("ERROR: no GAL keyword for the model kind " + std::to_string(c.kind) + ", " +
                    ktest::process_scratch().file("kind.gal") + " not written\n",
                err);
    } else {
      EXPECT_EQ("", err);
    }
  }
}

// The transition item: " Type: " only for kinds 2 and 3; an odd trailing
// bend-point value has no partner and is dropped.
TEST(GalWriter, TransitionItems) {
  gal_tpen_transition t(2, -1, 3, 1.5, 2, -1, "a and b", {4, 0});
  t.points = {1, 2.25, 3};
  const char* const expected[] = {
      "From: 2 To: -1 By: 1,2.25 : 1.5 2 -1 \"a and b\" / 4 0",
      "From: 2 To: -1 By: 1,2.25 : 1.5 2 -1 \"a and b\" / 4 0",
      "From: 2 To: -1 Type: 3 By: 1,2.25 : 1.5 2 -1 \"a and b\" / 4 0",
      "From: 2 To: -1 Type: 3 By: 1,2.25 : 1.5 2 -1 \"a and b\" / 4 0",
  };
  for (int kind = 0; kind < 4; ++kind) {
    std::ostringstream os;
    t.put_gal(os, kind);
    EXPECT_EQ(expected[kind], os.str()) << kind;
  }
  gal_tpen_transition bare(-1, 0, 1, 0, 0, 0, "", {});
  std::ostringstream os;
  bare.put_gal(os, 3);
  EXPECT_EQ("From: -1 To: 0 Type: 1 By: : 0 0 0 \"\" / ", os.str());
}

// The state item: the renaming only with a run; two blanks after the
// colon of a state without actions.
TEST(GalWriter, StateItems) {
  gal_tpen_fichier model;
  struct Case {
    int type;
    int run;
    const char* renaming;
    std::list<int> actions;
    const char* expected;
  };
  const Case cases[] = {
      {1, -1, "", {}, "NS: \"s\" 0.5 1000000 : -1 :  "},
      {2, 0, "a/b", {2, 0}, "FS: \"s\" 0.5 1000000 : 0 \"a/b\" : 2 0  "},
      {1, -1, "a/b", {1}, "NS: \"s\" 0.5 1000000 : -1 : 1  "},
      {3, 1, "", {}, ": \"s\" 0.5 1000000 : 1 :  "},
  };
  for (const Case& c : cases) {
    std::string name = "s";
    std::list<int> actions = c.actions;
    gal_tpen_etat e(c.type, &name, 0.5, 1e6, gal_run_instance(c.run, c.renaming), &actions);
    std::ostringstream os;
    e.put_gal(os, model);
    EXPECT_EQ(c.expected, os.str());
  }
}

// Coordinates that the default notation writes with an exponent read back.
TEST(GalWriter, ExponentCoordinatesReadBack) {
  auto model = read_gal("tiny.gal", kPairGal);
  ASSERT_NE(model, nullptr);
  model->table_etats[0].change_ma_posx(2.5e7);
  model->table_etats[0].change_ma_posy(-3.25e-6);
  model->table_transitions[2].points = {1e-5, 7e8};
  const std::string text = put_gal_text(*model, "big.gal", "big");
  std::unique_ptr<gal_tpen_fichier> owned = read_gal("big_again.gal", text);
  ASSERT_NE(owned, nullptr);
  EXPECT_DOUBLE_EQ(2.5e7, owned->table_etats[0].ma_posx());
  EXPECT_NEAR(-3.25e-6, owned->table_etats[0].ma_posy(), 1e-15);
  const std::list<double> points = owned->table_transitions[2].liste_positions();
  ASSERT_EQ(2u, points.size());
  EXPECT_NEAR(1e-5, points.front(), 1e-15);
  EXPECT_DOUBLE_EQ(7e8, points.back());
}

// parse, put_gal, parse, put_gal: the two texts are the same bytes, and the
// second model holds what the first did (up to six significant digits).
void expect_round_trip(const std::string& name, const std::string& source) {
  SCOPED_TRACE(name);
  auto first = read_gal(name, source);
  ASSERT_NE(first, nullptr);
  const std::string text1 = put_gal_text(*first, name + ".1.gal", first->nom_module);
  ParsedGal parsed = parse_gal_text(name + ".2.gal", text1);
  ASSERT_NE(parsed.model, nullptr) << parsed.err << "\n" << text1;
  std::unique_ptr<gal_tpen_fichier> second = std::move(parsed.model);
  const std::string text2 = put_gal_text(*second, name + ".3.gal", second->nom_module);
  EXPECT_EQ(text1, text2);

  EXPECT_EQ(first->mon_modele(), second->mon_modele());
  EXPECT_EQ(first->nom_module, second->nom_module);
  EXPECT_EQ(first->nb_types, second->nb_types);
  EXPECT_EQ(first->nb_inputs, second->nb_inputs);
  EXPECT_EQ(first->nb_sensors, second->nb_sensors);
  EXPECT_EQ(first->nb_outputs, second->nb_outputs);
  EXPECT_EQ(first->nb_locals, second->nb_locals);
  EXPECT_EQ(first->nb_variables, second->nb_variables);
  EXPECT_EQ(first->nb_progs, second->nb_progs);
  EXPECT_EQ(first->nb_functions, second->nb_functions);
  EXPECT_EQ(first->nb_constants, second->nb_constants);
  ASSERT_EQ(first->nb_actions, second->nb_actions);
  ASSERT_EQ(first->nb_etats, second->nb_etats);
  ASSERT_EQ(first->nb_transitions, second->nb_transitions);
  auto close = [](double a, double b) { return std::fabs(a - b) <= 1e-5 * std::fabs(a) + 1e-12; };
  for (int i = 0; i < first->nb_etats; ++i) {
    const gal_tpen_etat& a = first->table_etats[i];
    const gal_tpen_etat& b = second->table_etats[i];
    EXPECT_EQ(a.type, b.type) << "state " << i;
    EXPECT_EQ(a.nom, b.nom) << "state " << i;
    EXPECT_TRUE(close(a.posx, b.posx) && close(a.posy, b.posy)) << "state " << i;
    EXPECT_EQ(a.run.ident(), b.run.ident()) << "state " << i;
    EXPECT_EQ(a.run.ident() == -1 ? "" : a.run.renomage(), b.run.renomage()) << "state " << i;
    EXPECT_EQ(a.actions, b.actions) << "state " << i;
  }
  const bool typed = first->mon_modele() == 2 || first->mon_modele() == 3;
  for (int i = 0; i < first->nb_transitions; ++i) {
    const gal_tpen_transition& a = first->table_transitions[i];
    const gal_tpen_transition& b = second->table_transitions[i];
    EXPECT_EQ(a.amont, b.amont) << "transition " << i;
    EXPECT_EQ(a.aval, b.aval) << "transition " << i;
    EXPECT_EQ(typed ? a.type : 0, b.type) << "transition " << i;
    EXPECT_EQ(a.priorite, b.priorite) << "transition " << i;
    EXPECT_EQ(a.receptivite, b.receptivite) << "transition " << i;
    EXPECT_EQ(a.actions, b.actions) << "transition " << i;
    EXPECT_TRUE(close(a.posx, b.posx) && close(a.posy, b.posy)) << "transition " << i;
    ASSERT_EQ(a.points.size(), b.points.size()) << "transition " << i;
    auto pa = a.points.begin();
    for (double v : b.points) EXPECT_TRUE(close(*pa++, v)) << "transition " << i;
  }
}

// Every example the reader takes; the examples it refuses on purpose are
// named broken*.
TEST(GalRoundTrip, EveryExample) {
  int files = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(KORVANE_SOURCE_DIR) + "/examples")) {
    if (entry.path().extension() != ".gal") continue;
    const std::string name = entry.path().filename().string();
    const std::string text = ktest::read_file(entry.path().string());
    ParsedGal probe = parse_gal_text("probe_" + name, text);
    if (probe.model == nullptr) {
      EXPECT_EQ(0u, name.rfind("broken", 0)) << name << " is refused: " << probe.err;
      continue;
    }
    expect_round_trip(name, text);
    ++files;
  }
  EXPECT_GE(files, 4);
}

TEST(GalRoundTrip, Fixtures) {
  expect_round_trip("features.gal", kFeaturesGal);
  expect_round_trip("pair.gal", kPairGal);
}

TEST(GalRoundTrip, SeededRandomAutomata) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    expect_round_trip("random" + std::to_string(seed) + ".gal", random_gal_text(seed));
  }
}

}  // namespace
