// The automaton file: construction from the reader's lists, model kind and
// module name, accessors and their exact two-line reports on a bad index.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>

#include "model_fixtures.h"
#include "support/capture.h"

using model_test::make_file;
using model_test::text;

namespace {

// Runs a call, captures what it writes on stderr and what it returns.
std::pair<std::string, std::string> run(const std::function<std::string()>& call) {
  ktest::stream_capture cerr_capture(std::cerr);
  std::string result = call();
  return {result, cerr_capture.stop()};
}

TEST(Fichier, DefaultFile) {
  gal_tpen_fichier f;
  EXPECT_EQ(f.mon_modele(), -1);
  EXPECT_EQ(f.mon_nom_module(), "");
  EXPECT_EQ(f.encapsulated(), 0);
  const int counts[] = {f.nbr_types(),
                        f.nbr_inputs(),
                        f.nbr_outputs(),
                        f.nbr_locals(),
                        f.nbr_progs_externes(),
                        f.nbr_actions(),
                        f.nbr_etats(),
                        f.nbr_transitions(),
                        f.nbr_inputs_bool(),
                        f.nombre_SC(),
                        f.nb_variables + f.nb_sensors + f.nb_functions + f.nb_constants};
  for (int c : counts) EXPECT_EQ(c, 0);
  EXPECT_EQ(f.ma_table_types(), nullptr);
  EXPECT_EQ(f.ma_table_inputs(), nullptr);
  EXPECT_EQ(f.ma_table_outputs(), nullptr);
  EXPECT_EQ(f.ma_table_locals(), nullptr);
  EXPECT_EQ(f.ma_table_progs_externes(), nullptr);
  EXPECT_EQ(f.ma_table_actions(), nullptr);
  EXPECT_EQ(f.ma_table_etats(), nullptr);
  EXPECT_EQ(f.ma_table_transitions(), nullptr);
  auto r = run([&] { return f.nom_input(0); });
  EXPECT_EQ(r.first, "?");
  EXPECT_EQ(r.second,
            "PROBLEME DANS L'UTILISATION DE 'nom_input()':\nAUCUNE VARIABLE DE CE TYPE\n");
}

TEST(Fichier, ModelKindAndName) {
  gal_tpen_fichier f;
  f.select_modele(2);
  EXPECT_EQ(f.mon_modele(), 2);
  f.def_modele(3);
  EXPECT_EQ(f.mon_modele(), 3);
  f.def_nom_module("counter");
  EXPECT_EQ(f.mon_nom_module(), "counter");
  f.set_encapsulation();
  EXPECT_EQ(f.encapsulated(), 1);
}

// A file with every declaration table filled, as the reader would build it.
std::unique_ptr<gal_tpen_fichier> full_file() {
  std::string name = "counter";
  std::list<std::string> types{"bool"}, actions{"done", "go", "done"};
  std::list<gal_declaration_variables> inputs{
      {"bool", "go"}, {"", "reset"}, {"Bool", "b"}, {"bool", "c"}},
      sensors{{"int", "t"}}, outputs{{"", "done"}, {"pure", "Done"}, {"", "done"}},
      locals{{"int", "l"}}, variables;
  std::list<std::string> noargs;
  std::list<gal_declaration_variables> none;
  std::list<gal_declaration_progs> runs{
      gal_declaration_progs("dir", "m.strl", "M", none, none, none)};
  std::list<gal_declaration_functions> functions{gal_declaration_functions("int", "f", noargs)};
  std::list<gal_declaration_constants> constants{gal_declaration_constants("int", "N", "3")};
  auto f =
      std::make_unique<gal_tpen_fichier>(&name, 0, &types, &inputs, &sensors, &outputs, &locals,
                                         &variables, &runs, &functions, &constants, &actions);
  std::string idle = "idle", unnamed = "";
  std::list<int> acts{1, 0};
  std::list<gal_tpen_etat> states{
      gal_tpen_etat(1, &idle, 0.0, 0.0, gal_run_instance(), &acts),
      gal_tpen_etat(2, &unnamed, 0.0, 0.0, gal_run_instance(), nullptr)};
  std::list<gal_tpen_transition> transitions{gal_tpen_transition(0, 1, 1, 0.0, 0.0, 0, "go", {})};
  gal_tpen_etat* etats = f->parse_etats(&states);
  EXPECT_EQ(etats, f->ma_table_etats());
  gal_tpen_transition* table = f->parse_transitions(&transitions);
  EXPECT_EQ(table, f->ma_table_transitions());
  return f;
}

TEST(Fichier, TablesFromReaderLists) {
  auto f = full_file();
  EXPECT_EQ(f->mon_nom_module(), "counter");
  EXPECT_EQ(f->mon_modele(), 0);
  EXPECT_EQ(f->nbr_types(), 1);
  EXPECT_EQ(f->nbr_inputs(), 4);
  EXPECT_EQ(f->nb_sensors, 1);  // sensors are the constructor's second list
  EXPECT_EQ(f->table_sensors[0].nom(), "t");
  EXPECT_EQ(f->nbr_outputs(), 3);
  EXPECT_EQ(f->nbr_locals(), 1);
  EXPECT_EQ(f->nb_variables, 0);
  EXPECT_EQ(f->table_variables, nullptr);
  EXPECT_EQ(f->nb_functions, 1);
  EXPECT_EQ(f->nb_constants, 1);
  EXPECT_EQ(f->nbr_progs_externes(), 1);
  EXPECT_EQ(f->nbr_actions(), 3);
  EXPECT_EQ(f->nbr_etats(), 2);
  EXPECT_EQ(f->nbr_transitions(), 1);
}

TEST(Fichier, AccessorsInRange) {
  auto f = full_file();
  struct Row {
    const char* label;
    std::function<std::string()> call;
    const char* expected;
  };
  const Row rows[] = {
      {"nom_input", [&] { return f->nom_input(1); }, "reset"},
      {"type_input", [&] { return f->type_input(0); }, "bool"},
      {"nom_output", [&] { return f->nom_output(1); }, "Done"},
      {"type_output", [&] { return f->type_output(1); }, "pure"},
      {"nom_local", [&] { return f->nom_local(0); }, "l"},
      {"type_local", [&] { return f->type_local(0); }, "int"},
      {"module", [&] { return f->nom_module_prog_externe(0); }, "M"},
      {"file", [&] { return f->nom_fichier_prog_externe(0); }, "m.strl"},
      {"path", [&] { return f->chemin_prog_externe(0); }, "dir"},
      {"action", [&] { return f->action(1); }, "go"},
      {"nom_etat", [&] { return f->nom_etat(0); }, "idle"},
      {"nom_etat unnamed", [&] { return f->nom_etat(1); }, ""},
      {"receptivite", [&] { return f->receptivite_transition(0); }, "go"},
      {"nbr_actions", [&] { return std::to_string(f->nbr_actions(0)); }, "2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    auto r = run(row.call);
    EXPECT_EQ(r.first, row.expected);
    EXPECT_EQ(r.second, "");
  }
}

TEST(Fichier, AccessorsOutOfRange) {
  auto f = full_file();
  struct Row {
    const char* label;
    std::function<std::string()> call;
    const char* result;
    const char* report;
  };
  const Row rows[] = {
      {"nom_input", [&] { return f->nom_input(4); }, "?",
       "PROBLEME DANS L'UTILISATION DE 'nom_input()':\nAUCUNE VARIABLE DE CE TYPE\n"},
      {"type_input", [&] { return f->type_input(-1); }, "?",
       "PROBLEME DANS L'UTILISATION DE 'type_input()':\nIDENT -1 HORS LIMITE\n"},
      {"nom_output", [&] { return f->nom_output(3); }, "?",
       "PROBLEME DANS L'UTILISATION DE 'nom_output()':\nIDENT 3 HORS LIMITE\n"},
      {"type_output", [&] { return f->type_output(3); }, "?",
       "PROBLEME DANS L'UTILISATION DE 'type_output()':\nIDENT HORS LIMITE\n"},
      {"nom_local", [&] { return f->nom_local(1); }, "?",
       "PROBLEME DANS L'UTILISATION DE 'nom_local()':\nIDENT 1 HORS LIMITE\n"},
      {"type_local", [&] { return f->type_local(-5); }, "?",
       "PROBLEME DANS L'UTILISATION DE 'type_local()':\nIDENT HORS LIMITE\n"},
      {"module", [&] { return f->nom_module_prog_externe(1); }, "?",
       "PROBLEME DANS L'UTILISATION DE 'nom_module_prog_externe()':\nIDENT 1 HORS LIMITE\n"},
      {"file", [&] { return f->nom_fichier_prog_externe(2); }, "?",
       "PROBLEME DANS L'UTILISATION DE 'nom_fichier_prog_externe()':\nIDENT 2 HORS LIMITE\n"},
      {"path", [&] { return f->chemin_prog_externe(-1); }, "?",
       "PROBLEME DANS L'UTILISATION DE 'chemin_prog_externe()':\nIDENT -1 HORS LIMITE\n"},
      {"action", [&] { return f->action(3); }, "?",
       "PROBLEME DANS L'UTILISATION DE 'action()':\nIDENT 3 HORS LIMITE\n"},
      {"nom_etat", [&] { return f->nom_etat(f->nbr_etats()); }, "",
       "PROBLEME DANS L'UTILISATION DE 'nom_etat()':\nIDENT 2 DEMANDE\n"},
      {"receptivite", [&] { return f->receptivite_transition(1); }, "",
       "PROBLEME DANS L'UTILISATION DE 'receptivite_transition()':\nIDENT 1 DEMANDE\n"},
      {"nbr_actions", [&] { return std::to_string(f->nbr_actions(-1)); }, "0",
       "PROBLEME DANS L'UTILISATION DE `nbr_actions()':\nIDENT ETAT -1 DEMANDE\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    auto r = run(row.call);
    EXPECT_EQ(r.first, row.result);
    EXPECT_EQ(r.second, row.report);
  }
}

TEST(Fichier, LookupsByName) {
  auto f = full_file();
  char done[] = "done", missing[] = "x", local[] = "l";
  struct Row {
    const char* label;
    int got;
    int expected;
  };
  const Row rows[] = {
      {"first of two outputs", f->ident_output("done"), 0},
      {"char* form", f->ident_output(done), 0},
      {"case differs", f->ident_output("DONE"), -1},
      {"other case exists", f->ident_output("Done"), 1},
      {"absent output", f->ident_output(missing), -1},
      {"null output", f->ident_output(static_cast<const char*>(nullptr)), -1},
      {"local", f->ident_local("l"), 0},
      {"local char*", f->ident_local(local), 0},
      {"absent local", f->ident_local("go"), -1},
      {"first of two actions", f->ident_action("done"), 0},
      {"absent action", f->ident_action("Done"), -1},
      {"state", f->ident_etat("idle"), 0},
      {"unnamed state", f->ident_etat(""), 1},
      {"absent state", f->ident_etat("busy"), -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(row.got, row.expected);
  }
  gal_tpen_fichier empty;
  EXPECT_EQ(empty.ident_output("done"), -1);
  EXPECT_EQ(empty.ident_local("l"), -1);
  EXPECT_EQ(empty.ident_action("done"), -1);
  EXPECT_EQ(empty.ident_etat(""), -1);
}

TEST(Fichier, InputSets) {
  auto f = full_file();
  EXPECT_EQ(f->nbr_inputs_bool(), 2);
  const std::pair<const char*, const char*> rows[] = {
      {"bool", "c go"}, {"", "reset"}, {"Bool", "b"}, {"int", ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.first);
    std::string joined;
    for (const std::string& n : f->ens_entrees(row.first))
      joined += (joined.empty() ? "" : " ") + n;
    EXPECT_EQ(joined, row.second);
  }
}

TEST(Fichier, EmptyHeaderSection) {
  auto f = make_file(ktest::automaton{}, 1, {});
  EXPECT_EQ(f->nbr_inputs(), 0);
  EXPECT_EQ(f->ma_table_inputs(), nullptr);
  ktest::stream_capture cerr_capture(std::cerr);
  EXPECT_EQ(f->type_input(0), "?");
  EXPECT_EQ(cerr_capture.stop(),
            "PROBLEME DANS L'UTILISATION DE 'type_input()':\nIDENT 0 HORS LIMITE\n");
}

}  // namespace
