// The Light Esterel and Esterel v5 exporters and the French listing: golden
// texts of two small automata, the edge cases of each item, the warnings,
// and the lookups of states and actions that the model does not hold.
#include <gtest/gtest.h>

#include "exporter_test_util.h"
#include "exporters/exporters.h"
#include "support/capture.h"
#include "support/golden.h"

namespace {

const char kSuspendWarning[] =
    "Warning in  gal_tpen_transition::put_le(): a suspend transition is not exportable in le "
    "format ...\n";
const char kAbnormalWarning[] =
    "Warning in  gal_tpen_transition::put_le(): found abnormal transition ...\n";

Exported put_le(gal_tpen_fichier& model, const std::string& module) {
  return run_exporter("out.le", [&](const std::string& path) { model.put_le(path, module); });
}

Exported put_strl5(gal_tpen_fichier& model, const std::string& module) {
  return run_exporter("out.strl", [&](const std::string& path) { model.put_strl5(path, module); });
}

std::string dump(gal_tpen_fichier& model) {
  std::ostringstream os;
  model.put(os);
  return os.str();
}

// ----- Light Esterel ---------------------------------------------------------

TEST(LightEsterelExporter, OneComponent) {
  auto model = read_gal("features.gal", kFeaturesGal);
  ASSERT_NE(model, nullptr);
  Exported e = put_le(*model, "feat");
  ktest::expect_golden("features.le", e.text);
  EXPECT_EQ(kSuspendWarning, e.err);
  EXPECT_EQ("", e.out);
}

// The second component has no initial transition: the warning of the
// several-automata form, and the file still written whole.
TEST(LightEsterelExporter, TwoComponents) {
  auto model = read_gal("pair.gal", kPairGal);
  ASSERT_NE(model, nullptr);
  Exported e = put_le(*model, "pair");
  ktest::expect_golden("pair.le", e.text);
  EXPECT_EQ(
      "WARNING: No initial transition found about one of automata at least!\n\n"
      "le code generation will be incomplete ...\n",
      e.err);
}

TEST(LightEsterelExporter, ModelWithoutStates) {
  gal_tpen_fichier model;
  model.def_modele(0);
  Exported e = put_le(model, "none");
  EXPECT_EQ("module none : \nautomaton\n\ntransition:\nend\n\n", e.text);
  EXPECT_EQ("WARNING: No initial transition found!\n\nle code generation will be incomplete ...\n",
            e.err);
}

// A state without display name is written under its generated name.
TEST(LightEsterelExporter, StateWithoutDisplayName) {
  gal_tpen_fichier model;
  std::string empty;
  gal_tpen_etat state(2, &empty, 4, 2.5, gal_run_instance(), nullptr);
  ASSERT_EQ(16u, state.nom_genere.size());
  std::ostringstream os;
  state.put_le(os, model);
  EXPECT_EQ("state: " + state.nom_genere + " final geometry: <4.0,2.5> 1.0;", os.str());
}

struct TransitionCase {
  int source;
  int target;
  int type;
  int priority;
  const char* receptivity;
  std::list<int> actions;
  const char* text;
  const char* err;
};

// States a (0) and b (1); actions o1 (0) and o2 (1).
const TransitionCase kLeTransitions[] = {
    {-1, 1, 1, 0, "r", {}, "initial->  [r]  strong-> b geometry: <1.5,2>;", ""},
    {-1, -1, 1, 0, "r", {}, "initial-> final->  [r]  geometry: <1.5,2>;", ""},
    {0, -1, 0, 3, "r", {0}, "final-> a 3  [r] / o1 geometry: <1.5,2>;", ""},
    {0,
     1,
     0,
     -1,
     "x >= 2",
     {0, 1},
     "a other  [value:x >= 2] / o1,o2 weak-> b geometry: <1.5,2>;",
     ""},
    {0, 0, 3, 0, "#x", {}, "a  [value:#x]  normalterm-> a geometry: <1.5,2>;", ""},
    {1, 0, 2, 0, "s", {}, "b  [s]  -> a geometry: <1.5,2>;", kSuspendWarning},
    {1, 0, 7, 0, "s", {}, "b  [s]  ->a geometry: <1.5,2>;", kAbnormalWarning},
    {0,
     5,
     1,
     0,
     "s",
     {4},
     "a  [s] / ? strong-> ? geometry: <1.5,2>;",
     "PROBLEME DANS L'UTILISATION DE 'action()':\nIDENT 4 HORS LIMITE\n"
     "PROBLEME DANS L'UTILISATION DE 'etat()':\nIDENT 5 HORS LIMITE\n"},
};

gal_tpen_fichier* two_state_model() {
  gal_tpen_fichier* model = new gal_tpen_fichier();
  model->def_modele(0);
  std::string a = "a", b = "b";
  model->add_fin_etat(gal_tpen_etat(1, &a, 1, 1, gal_run_instance(), nullptr));
  model->add_fin_etat(gal_tpen_etat(1, &b, 2, 1, gal_run_instance(), nullptr));
  model->add_fin_action("o1");
  model->add_fin_action("o2");
  return model;
}

TEST(LightEsterelExporter, TransitionTexts) {
  std::unique_ptr<gal_tpen_fichier> model(two_state_model());
  for (const TransitionCase& c : kLeTransitions) {
    gal_tpen_transition t(c.source, c.target, c.type, 1.5, 2, c.priority, c.receptivity, c.actions);
    std::ostringstream os;
    std::string err;
    {
      ktest::stream_capture capture(std::cerr);
      t.put_le(os, *model);
      err = capture.text();
    }
    EXPECT_EQ(c.text, os.str());
    EXPECT_EQ(c.err, err) << c.text;
  }
}

// A component whose state runs a module declares the run's inputs and
// outputs, beside what its actions name; every run of the model is listed.
TEST(LightEsterelExporter, SubModuleOfAMacroState) {
  auto model = read_gal("features.gal", kFeaturesGal);
  ASSERT_NE(model, nullptr);
  std::string name = "solo";
  std::list<int> actions = {2};
  model->add_fin_etat(gal_tpen_etat(1, &name, 9, 9, gal_run_instance(0, ""), &actions));
  ASSERT_EQ(2u, model->composantes.size());
  Exported e = put_le(*model, "f");
  const std::size_t start = e.text.find("module f_run1 : ");
  ASSERT_NE(std::string::npos, start) << e.text;
  EXPECT_EQ(
      "module f_run1 : \nInput:\na: bool;\n\nOutput:\nb: ,\ntmp: bool;\n\nRun:\n"
      "\"lib\": sub: Sub\n;\nautomaton\nstate: solo run Sub / tmp geometry: <9.0,9.0> 1.0; \n\n"
      "transition:\nend\n\n",
      e.text.substr(start));
  EXPECT_EQ(std::string(kSuspendWarning) +
                "WARNING: No initial transition found about one of automata at least!\n\n"
                "le code generation will be incomplete ...\n",
            e.err);
}

// A run index that names no run: the checked lookup reports it and the
// writers show "?" for the run's module name.
TEST(Exporters, RunIndexOutOfRange) {
  gal_tpen_fichier model;
  model.def_modele(0);
  std::string name = "m";
  model.add_fin_etat(gal_tpen_etat(1, &name, 1, 2, gal_run_instance(3, "r"), nullptr));
  const std::string report =
      "PROBLEME DANS L'UTILISATION DE 'nom_module_prog_externe()':\n"
      "IDENT 3 HORS LIMITE\n";
  std::ostringstream le;
  std::string err;
  {
    ktest::stream_capture capture(std::cerr);
    model.table_etats[0].put_le(le, model);
    err = capture.text();
  }
  EXPECT_EQ("state: m run ?[r] geometry: <1.0,2.0> 1.0;", le.str());
  EXPECT_EQ(report, err);

  Exported strl = put_strl5(model, "k");
  EXPECT_NE(std::string::npos, strl.text.find("\n            run ?[signal r]\n")) << strl.text;
  EXPECT_NE(std::string::npos, strl.err.find(report)) << strl.err;

  Exported fig =
      run_exporter("run.fig", [&](const std::string& path) { model.put_xfig(path, "k"); });
  EXPECT_NE(std::string::npos,
            fig.text.find("4 1 0 50 -1 0 24 0.0000 4 135 780 1000 2100 ?\\001\n"))
      << fig.text;
  EXPECT_EQ(report, fig.err);
}

// ----- Esterel v5 ------------------------------------------------------------

TEST(Strl5Recept, Translations) {
  const std::pair<const char*, const char*> cases[] = {
      {"1", "tick"},
      {"  a  ", "a"},
      {"a and b", "[a and b]"},
      {"#a", "immediate a"},
      {"<3> a or b", "[a or b]"},
      {"0", "0"},
      {"a&b", "a&b"},
      {"a.b", "a.b"},
      {"not a", "[not a]"},
      {"a OR b", "[a OR b]"},
      {"> a <", "> a <"},
      {"<1> 1", "tick"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.second, strl5_recept(c.first)) << c.first;
}

// One component reaching every line of the state block, with a final
// transition among the strong list: its actions, then the component's
// termination signal.
TEST(Strl5Exporter, OneComponent) {
  auto model = read_gal("features.gal", kFeaturesGal);
  ASSERT_NE(model, nullptr);
  Exported e = put_strl5(*model, "feat");
  ktest::expect_golden("features.strl", e.text);
  EXPECT_EQ("", e.err);
  EXPECT_EQ(std::string::npos, e.text.find("start_?"));
  EXPECT_NE(std::string::npos, e.text.find("             case go do\n             emit done;\n"
                                           "             emit feat_ctl0_terminate\n"));
}

TEST(Strl5Exporter, TwoComponents) {
  auto model = read_gal("pair.gal", kPairGal);
  ASSERT_NE(model, nullptr);
  Exported e = put_strl5(*model, "pair");
  ktest::expect_golden("pair.strl", e.text);
  EXPECT_EQ(
      "WARNING: No initial transition found about one of synccharts at least!\n\n"
      "Esterel code generation will be incomplete ...\n",
      e.err);
}

TEST(Strl5Exporter, ModelWithoutStates) {
  gal_tpen_fichier model;
  model.def_modele(0);
  EXPECT_EQ("module m : \nend module\n\n", put_strl5(model, "m").text);
  model.add_fin_local(gal_declaration_variables("bool", "l"));
  EXPECT_EQ("module m : \nsignal \nl: bool\nin \nend signal\nend module\n\n",
            put_strl5(model, "m").text);
}

// The types each model kind predefines, and the "bool" signals written
// bare in models 0 and 1 (locals always carry their type).
TEST(Strl5Exporter, DeclarationsByModelKind) {
  const char* const expected[] = {
      "type integer;\n\ninput\ni\n;\noutput\no\n;\n",
      "type integer;\n\ninput\ni\n;\noutput\no\n;\n",
      "type integer, bool;\n\ninput\ni: bool\n;\noutput\no: bool\n;\n",
      "type bool;\n\ninput\ni: bool\n;\noutput\no: bool\n;\n",
  };
  for (int kind = 0; kind < 4; ++kind) {
    gal_tpen_fichier model;
    model.def_modele(kind);
    model.add_type("integer");
    model.add_type("bool");
    model.add_fin_input(gal_declaration_variables("bool", "i"));
    model.add_fin_output(gal_declaration_variables("bool", "o"));
    model.add_fin_local(gal_declaration_variables("bool", "l"));
    EXPECT_EQ(std::string("module m : \n") + expected[kind] +
                  "signal \nl: bool\nin \nend signal\nend module\n\n",
              put_strl5(model, "m").text)
        << "kind " << kind;
  }
}

// A single termination transition to no state, and one whose action and
// target the model does not hold.
TEST(Strl5Exporter, TerminationTransitions) {
  std::unique_ptr<gal_tpen_fichier> model(two_state_model());
  model->add_fin_transition(gal_tpen_transition(-1, 0, 1, 0, 0, 0, "1", {}));
  model->add_fin_transition(gal_tpen_transition(0, 1, 1, 0, 0, 0, "c", {}));
  model->add_fin_transition(gal_tpen_transition(0, -1, 3, 0, 0, 0, "a", {1}));
  model->add_fin_transition(gal_tpen_transition(1, 9, 3, 0, 0, 0, "b", {6}));
  model->update_simple_connexite();
  Exported e = put_strl5(*model, "m");
  EXPECT_NE(std::string::npos, e.text.find("          halt\n          ;\n             emit o2;\n"
                                           "             emit m_ctl0_terminate\n"))
      << e.text;
  EXPECT_NE(std::string::npos,
            e.text.find("          ;\n             emit ?;\n             emit start_?\n"))
      << e.text;
  EXPECT_EQ(
      "PROBLEME DANS L'UTILISATION DE 'action()':\nIDENT 6 HORS LIMITE\n"
      "PROBLEME DANS L'UTILISATION DE 'etat()':\nIDENT 9 HORS LIMITE\n",
      e.err);
}

// ----- Listing ---------------------------------------------------------------

TEST(TextDump, Features) {
  auto model = read_gal("features.gal", kFeaturesGal);
  ASSERT_NE(model, nullptr);
  ktest::expect_golden("features.dump", dump(*model));
}

TEST(TextDump, EmptyModel) {
  gal_tpen_fichier model;
  model.def_nom_module("vide");
  std::string expected = "  NOM MODULE : vide\n\n";
  const char* const tables[][3] = {
      {"TYPES", "TYPES", "  n  type"},
      {"FONCTIONS", "FONCTIONS", "  n  resultat nom parametre(s)"},
      {"CONSTANTES", "CONSTANTES", "  n  nom valeur"},
      {"ENTREES", "ENTREES", "  n  variables : type"},
      {"CAPTEURS", "CAPTEURS", "  n  variables : type"},
      {"SORTIES", "SORTIES", "  n  variables : type"},
      {"LOCAUX", "LOCAUX", "  n  variables : type"},
      {"VARIABLES", "VARIABLES", "  n  variables : type"},
      {"PROGS EXTERNES", "PROGS EXTERNES", "  n  nom : chemin reel"},
      {"ACTIONS", "ACTIONS", "  n  actions "},
  };
  for (const auto& t : tables) {
    expected += std::string("  NB ") + t[0] + " : 0\n\n  TABLE DES " + t[1] + "\n" + t[2] + "\n\n";
  }
  expected += "  NB COMPOSANTES : 0\n\n";
  expected +=
      "  NB ETATS : 0\n\n  TABLE DES ETATS \n  n   type        nom    actions associees \n\n";
  expected +=
      "  NB TRANSITIONS : 0\n\n  TABLE DES TRANSITIONS\n"
      "  n nom receptivite   actions associees etats associees\n\n";
  EXPECT_EQ(expected, dump(model));
}

}  // namespace
