// Round trip: a parsed file written back as GAL text with the records'
// put_gal writers reads again to the same model, and writing that model
// gives the same text.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "model/parse_gal.h"
#include "reader_test_util.h"
#include "support/golden.h"

namespace {

const char* const kCorpus[] = {"counter.gal", "full.gal", "old.gal", "noaction.gal",
                               "encapsulated.gal"};

const char* model_keyword(int kind) {
  switch (kind) {
    case 0:
      return "basic_model:";
    case 1:
      return "par_automata_model:";
    case 2:
      return "light_esterel_model:";
    case 3:
      return "synccharts_model:";
    default:
      return nullptr;
  }
}

template <class T, class F>
void write_section(std::ostream& os, const char* keyword, const T* table, int count, F item) {
  os << keyword << " ";
  for (int i = 0; i < count; ++i) {
    if (i > 0) os << " , ";
    item(os, table[i]);
  }
  os << " ;\n";
}

void write_indices(std::ostream& os, const std::list<int>& indices) {
  for (int i : indices) os << " " << i;
}

// Writes f as GAL text in the full header form.
std::string write_gal(const gal_tpen_fichier& f) {
  std::ostringstream os;
  os << "Name: " << f.nom_module << " : ";
  if (model_keyword(f.modele) != nullptr) {
    os << model_keyword(f.modele);
  } else {
    os << f.modele;
  }
  os << " ;\n";
  auto variable = [](std::ostream& o, const gal_declaration_variables& v) { v.put_gal(o); };
  write_section(os, "Type:", f.table_types, f.nb_types,
                [](std::ostream& o, const std::string& t) { o << t; });
  write_section(os, "Input:", f.table_inputs, f.nb_inputs, variable);
  write_section(os, "Sensor:", f.table_sensors, f.nb_sensors, variable);
  write_section(os, "Output:", f.table_outputs, f.nb_outputs, variable);
  write_section(os, "Local:", f.table_locals, f.nb_locals, variable);
  write_section(os, "Variable:", f.table_variables, f.nb_variables, variable);
  write_section(os, "Run:", f.table_progs, f.nb_progs,
                [](std::ostream& o, const gal_declaration_progs& p) { p.put_gal(o); });
  write_section(os, "Function:", f.table_functions, f.nb_functions,
                [](std::ostream& o, const gal_declaration_functions& fn) { fn.put_gal(o); });
  write_section(os, "Constant:", f.table_constants, f.nb_constants,
                [](std::ostream& o, const gal_declaration_constants& c) { c.put_gal(o); });
  write_section(os, "Action:", f.table_actions, f.nb_actions,
                [](std::ostream& o, const std::string& a) { o << "\"" << a << "\""; });
  if (f.encapsule) {
    os << "Encapsulation: ;\n";
    return os.str();
  }
  write_section(os, "Star:", f.table_etats, f.nb_etats,
                [](std::ostream& o, const gal_tpen_etat& e) {
                  o << e.convert_type() << ": \"" << e.mon_nom() << "\" " << e.ma_posx() << " "
                    << e.ma_posy() << " : " << e.mon_ident_run();
                  if (!e.mes_renomages_param_run().empty())
                    o << " \"" << e.mes_renomages_param_run() << "\"";
                  o << " :";
                  write_indices(o, e.mes_actions());
                });
  write_section(os, "Transition:", f.table_transitions, f.nb_transitions,
                [](std::ostream& o, const gal_tpen_transition& t) {
                  o << "From: " << t.mon_ident_etat_amont() << " To: " << t.mon_ident_etat_aval()
                    << " Type: " << t.mon_type_trans() << " By:";
                  std::list<double> points = t.liste_positions();
                  bool x = true;
                  for (double p : points) {
                    o << " " << p << (x ? " ," : "");
                    x = !x;
                  }
                  o << " : " << t.posx_receptivite() << " " << t.posy_receptivite() << " "
                    << t.ma_priorite() << " \"" << t.ma_receptivite() << "\" /";
                  write_indices(o, t.mes_actions());
                });
  return os.str();
}

TEST(GalReader, RoundTrip) {
  for (const char* name : kCorpus) {
    SCOPED_TRACE(name);
    ReadResult first = parse_corpus(name);
    std::unique_ptr<gal_tpen_fichier> model(first.model);
    ASSERT_NE(nullptr, model) << first.err;
    ktest::expect_golden_file(corpus_path(name) + ".log", first.trace);
    const std::string text = write_gal(*model);
    ReadResult again = parse_text(std::string("roundtrip_") + name, text);
    std::unique_ptr<gal_tpen_fichier> reread(again.model);
    ASSERT_NE(nullptr, reread) << again.err << "\n" << text;
    EXPECT_EQ(dump_model(*model), dump_model(*reread));
    EXPECT_EQ(text, write_gal(*reread));
  }
}

// The worked example: a counter with two inputs, one output, one action, two
// states and two transitions.
TEST(GalReader, CounterExample) {
  ReadResult r = parse_corpus("counter.gal");
  std::unique_ptr<gal_tpen_fichier> model(r.model);
  ASSERT_NE(nullptr, model);
  EXPECT_EQ(
      "module counter kind 0 encapsulated 0\n"
      "types:\n"
      "inputs: [go:bool] [reset:]\n"
      "sensors:\n"
      "outputs: [done:]\n"
      "locals:\n"
      "variables:\n"
      "runs:\n"
      "functions:\n"
      "constants:\n"
      "actions: [done]\n"
      "state 0: type 1 [idle] at 100,100 d 1 run -1 [] actions() pre(1) post(0)\n"
      "state 1: type 2 [busy] at 200.5,100 d 1 run -1 [] actions(0) pre(0) post(1)\n"
      "transition 0: 0->1 type 1 prio 0 [go] label 150,90 points() actions(0)\n"
      "transition 1: 1->0 type 1 prio 1 [reset] label 150,30 points(180,40,120,40) actions()\n"
      "components: (0,1)\n",
      dump_model(*model));
}

}  // namespace
