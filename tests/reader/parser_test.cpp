// Accepted GAL texts: the exact .log trace of every rule, the standard
// streams, and the whole model each text builds.
#include <gtest/gtest.h>

#include <climits>
#include <list>
#include <memory>
#include <sstream>
#include <string>

#include "model/parse_gal_internal.h"
#include "reader_test_util.h"

namespace {

struct AcceptedRow {
  const char* name;
  const char* text;
  const char* err;    // standard error
  const char* trace;  // the .log file
  const char* model;  // dump_model of the result
};

// Together the rows reduce every rule of the grammar but rule 11, which the
// model-kind table below covers.
const AcceptedRow kAccepted[] = {
    {"oldest header with an encapsulated body, stray byte in the trace",
     "Name: e # : 0 ; Input: a : ; Output: ; Local: ; Run: ; Encapsulation: ;", "",
     R"(7 --> e
#3 --> 0
7 --> a
6 --> input/output bool
5,2 --> liste inoutput a un element
4 --> definition de la liste des inputs
5 --> liste inoutput vide
8 --> definition de la liste des outputs
5 --> liste inoutput vide
8 --> definition de la liste des locals
5 --> liste run vide
9 --> definition de la liste des runs
2,3 --> entete et table bdd cree syntaxe V0
32 --> mode encapsulation
11,2 --> mode encapsulation
1 --> synccharts cree
)",
     R"(module e kind 0 encapsulated 1
types:
inputs: [a:]
sensors:
outputs:
locals:
variables:
runs:
functions:
constants:
actions:
components:
)"},
    {"header without Action: and empty states and transitions",
     "Name: m : basic_model: ; Type: bool ; Input: ; Sensor: ; Output: a : , b : bool ;\n"
     "Local: ; Variable: ; Run: ; Function: ; Constant: ; Star: ; Transition: ;\n",
     "Construction de la table des actions a partir de celle des outputs...\n",
     R"(7 --> m
3,2 --> basic_model:
7 --> bool
5,2 --> liste types a un element
4 --> definition de la liste des types
5 --> liste inoutput vide
4 --> definition de la liste des inputs
5 --> liste inoutput vide
8 --> definition de la liste des sensors
7 --> a
6 --> input/output bool
5,2 --> liste inoutput a un element
7 --> b
7 --> bool
6 --> input/output bool
5,3 --> ajoute inoutput liste
8 --> definition de la liste des outputs
5 --> liste inoutput vide
8 --> definition de la liste des locals
5 --> liste inoutput vide
8 --> definition de la liste des variables
5 --> liste run vide
9 --> definition de la liste des runs
5 --> liste fonction vide
9 --> definition de la liste des fonctions
5 --> liste constante vide
9 --> definition de la liste des constantes
2,2 --> entete et table bdd cree syntaxe anterieure a 1.3.0
13 --> generation liste vide
12 --> definition table etat
25 --> generation liste de transition vide
24 --> definition table transition
11 --> corps cree
1 --> synccharts cree
)",
     R"(module m kind 0 encapsulated 0
types: [bool]
inputs:
sensors:
outputs: [a:] [b:bool]
locals:
variables:
runs:
functions:
constants:
actions: [a] [b]
components:
)"},
    {"full header with every kind of declaration",
     "Name: full : par_automata_model: ;\n"
     "Type: bool , int ;\n"
     "Input: a : bool ;\n"
     "Sensor: s : ;\n"
     "Output: o : ;\n"
     "Local: l : int ;\n"
     "Variable: v : ;\n"
     "Run: \"dir/sub/m.strl\" : M , \"p\" : f : g ,\n"
     "     \"q\" : f2 : g2 : Input: x : bool ; Sensor: ; Output: y : ; ;\n"
     "Function: int f ( ) , bool g ( int ) , bool h ( int , bool ) ;\n"
     "Constant: int N \"3\" , int \"4\" ;\n"
     "Action: \"o\" , \"p\" ;\n"
     "Encapsulation: ;",
     "",
     R"(7 --> full
3,3 --> par_automata_model:
7 --> bool
5,2 --> liste types a un element
7 --> int
5,3 --> ajoute type liste
4 --> definition de la liste des types
7 --> a
7 --> bool
6 --> input/output bool
5,2 --> liste inoutput a un element
4 --> definition de la liste des inputs
7 --> s
6 --> input/output bool
5,2 --> liste inoutput a un element
8 --> definition de la liste des sensors
7 --> o
6 --> input/output bool
5,2 --> liste inoutput a un element
8 --> definition de la liste des outputs
7 --> l
7 --> int
6 --> input/output bool
5,2 --> liste inoutput a un element
8 --> definition de la liste des locals
7 --> v
6 --> input/output bool
5,2 --> liste inoutput a un element
8 --> definition de la liste des variables
10 --> "dir/sub/m.strl"
7 --> M
6 --> creation d'un run (syntaxe desuette)
5,2 --> liste run a un element
10 --> "p"
7 --> f
7 --> g
6,2 --> creation d'un run (syntaxe desuette)
5,3 --> ajoute run liste
10 --> "q"
7 --> f2
7 --> g2
7 --> x
7 --> bool
6 --> input/output bool
5,2 --> liste inoutput a un element
4 --> definition de la liste des inputs
5 --> liste inoutput vide
8 --> definition de la liste des sensors
7 --> y
6 --> input/output bool
5,2 --> liste inoutput a un element
8 --> definition de la liste des outputs
6,2 --> creation d'un run
5,3 --> ajoute run liste
9 --> definition de la liste des runs
7 --> int
7 --> f
9 --> liste mots vide
6 --> creation d'une fonction
5,2 --> liste fonction a un element
7 --> bool
7 --> g
7 --> int
9,2 --> liste mots a un element
6 --> creation d'une fonction
5,3 --> ajoute fonction liste
7 --> bool
7 --> h
7 --> int
9,2 --> liste mots a un element
7 --> bool
9,3 --> ajoute mot liste
6 --> creation d'une fonction
5,3 --> ajoute fonction liste
9 --> definition de la liste des fonctions
7 --> int
7 --> N
10 --> "3"
6 --> creation d'une constante nommee
5,2 --> liste constante a un element
7 --> int
10 --> "4"
6,2 --> creation d'une constante
5,3 --> ajoute constante liste
9 --> definition de la liste des constantes
10 --> "o"
8,2 --> liste action a un element
10 --> "p"
8,3 --> ajoute action liste
7 --> definition de la liste des actions
2 --> entete et table bdd cree
32 --> mode encapsulation
11,2 --> mode encapsulation
1 --> synccharts cree
)",
     R"(module full kind 1 encapsulated 1
types: [bool] [int]
inputs: [a:bool]
sensors: [s:]
outputs: [o:]
locals: [l:int]
variables: [v:]
runs: [dir/sub|m.strl|M in() out()] [p|f|g in() out()] [q|f2|g2 in(x:bool) out(y:)]
functions: [int f()] [bool g(int)] [bool h(int,bool)]
constants: [int|N|3] [int||4]
actions: [o] [p]
components:
)"},
    {"states and transitions of every form",
     "Name: d : light_esterel_model: ; Type: ; Input: a : , b : ; Sensor: ; Output: ;\n"
     "Local: ; Variable: ; Run: \"r\" : mod : ABCDEFGHIJKLMNO ; Function: ; Constant: ;\n"
     "Action: ;\n"
     "Star: NS: \"a\" 1 2 , FS: \"b\" 3.5 -4 : 0 \"x:=y\" : 1 0 , NS: \"\" 0. 7 : -1 : ;\n"
     "Transition: From: -1 To: 0 By: : 1 1 \"1\" / ,\n"
     " From: 0 To: 1 Type: 2 By: 1 , 2 3.5 , 4 : 5 6 -1 \"a and b\" / 1 ,\n"
     " From: 1 To: -1 Type: 3 By: : 7 8 \"c\" / 0 0 ,\n"
     " From: 1 To: 0 By: : 9 10 3 \"d\ne\" / ;",
     "",
     R"(7 --> d
3,4 --> light_esterel_model:
5 --> liste types vide
4 --> definition de la liste des types
7 --> a
6 --> input/output bool
5,2 --> liste inoutput a un element
7 --> b
6 --> input/output bool
5,3 --> ajoute inoutput liste
4 --> definition de la liste des inputs
5 --> liste inoutput vide
8 --> definition de la liste des sensors
5 --> liste inoutput vide
8 --> definition de la liste des outputs
5 --> liste inoutput vide
8 --> definition de la liste des locals
5 --> liste inoutput vide
8 --> definition de la liste des variables
10 --> "r"
7 --> mod
7 --> ABCDEFGHIJKLMNO
6,2 --> creation d'un run (syntaxe desuette)
5,2 --> liste run a un element
9 --> definition de la liste des runs
5 --> liste fonction vide
9 --> definition de la liste des fonctions
5 --> liste constante vide
9 --> definition de la liste des constantes
8 --> liste action vide
7 --> definition de la liste des actions
2 --> entete et table bdd cree
17,2 --> etat de type Normal Star
10 --> "a"
18 --> nom etat detecte
31 --> 1
15 --> 1
31 --> 2
16 --> 2
14,2 --> genere etat
13,2 --> generation liste a un etat
17,3 --> etat de type Final Star
10 --> "b"
18 --> nom etat detecte
31,2 --> 3.5
15 --> 3.5
31 --> -4
16 --> -4
28 --> 0
10 --> "x:=y"
19,2 --> ident run avec renommage
21 --> generation liste vide d'actions associee
28 --> 1
22 --> reconnaissance action associee
21,2 --> ajoute action liste (actions associees)
28 --> 0
22 --> reconnaissance action associee
21,2 --> ajoute action liste (actions associees)
14 --> genere etat
13,3 --> ajoute etat liste
17,2 --> etat de type Normal Star
10 --> ""
18 --> nom etat detecte
31,2 --> 0.
15 --> 0.
31 --> 7
16 --> 7
28 --> -1
19 --> ident run
21 --> generation liste vide d'actions associee
14 --> genere etat
13,3 --> ajoute etat liste
12 --> definition table etat
28 --> -1
28 --> 0
30 --> liste vide
31 --> 1
31 --> 1
29 --> "1"
21 --> generation liste vide d'actions associee
26,4 --> genere transition avec receptivite (compatibilite)
25,2 --> ajoute transition liste
28 --> 0
28 --> 1
28 --> 2
30 --> liste vide
31 --> 1
31 --> 2
30,2 --> ajout point liste points
31,2 --> 3.5
31 --> 4
30,2 --> ajout point liste points
31 --> 5
31 --> 6
28 --> -1
29 --> "a and b"
21 --> generation liste vide d'actions associee
28 --> 1
22 --> reconnaissance action associee
21,2 --> ajoute action liste (actions associees)
26 --> genere transition avec receptivite
25,3 --> ajoute transition liste
28 --> 1
28 --> -1
28 --> 3
30 --> liste vide
31 --> 7
31 --> 8
29 --> "c"
21 --> generation liste vide d'actions associee
28 --> 0
22 --> reconnaissance action associee
21,2 --> ajoute action liste (actions associees)
28 --> 0
22 --> reconnaissance action associee
21,2 --> ajoute action liste (actions associees)
26,3 --> genere transition avec receptivite (compatibilite)
25,3 --> ajoute transition liste
28 --> 1
28 --> 0
30 --> liste vide
31 --> 9
31 --> 10
28 --> 3
29 --> "d
e"
21 --> generation liste vide d'actions associee
26,2 --> genere transition avec receptivite
25,3 --> ajoute transition liste
24 --> definition table transition
11 --> corps cree
1 --> synccharts cree
)",
     R"(module d kind 2 encapsulated 0
types:
inputs: [a:] [b:]
sensors:
outputs:
locals:
variables:
runs: [r|mod|ABCDEFGHIJKLMNO in() out()]
functions:
constants:
actions:
state 0: type 1 [a] at 1,2 d 1 run -1 [] actions() pre(0,3) post(1)
state 1: type 2 [b] at 3.5,-4 d 4.41176 run 0 [x:=y] actions(1,0) pre(1) post(2,3)
state 2: type 1 [] at 0,7 d 1 run -1 [] actions() pre() post()
transition 0: -1->0 type 0 prio 0 [1] label 1,1 points() actions()
transition 1: 0->1 type 2 prio -1 [a and b] label 5,6 points(1,2,3.5,4) actions(1)
transition 2: 1->-1 type 3 prio 0 [c] label 7,8 points() actions(0,0)
transition 3: 1->0 type 0 prio 3 [d
e] label 9,10 points() actions()
components: (0,1) (2)
)"},
};

TEST(GalReader, AcceptedTexts) {
  int n = 0;
  for (const AcceptedRow& row : kAccepted) {
    SCOPED_TRACE(row.name);
    const std::string path =
        ktest::process_scratch().file("accepted" + std::to_string(n++) + ".gal");
    ReadResult r = run_parse(ktest::write_file(path, row.text));
    std::unique_ptr<gal_tpen_fichier> model(r.model);
    ASSERT_NE(nullptr, model);
    EXPECT_EQ("reading " + path + "\n", r.out);
    EXPECT_EQ(row.err, r.err);
    EXPECT_EQ(row.trace, r.trace);
    EXPECT_EQ(row.model, dump_model(*model));
  }
}

// The model field of the header: by keyword, or a number n giving n + 1 when
// positive; numbers beyond the int range saturate.
TEST(GalReader, ModelKinds) {
  const struct {
    const char* model;
    int kind;
    const char* trace_line;
  } rows[] = {
      {"basic_model:", 0, "3,2 --> basic_model:"},
      {"par_automata_model:", 1, "3,3 --> par_automata_model:"},
      {"light_esterel_model:", 2, "3,4 --> light_esterel_model:"},
      {"synccharts_model:", 3, "3,5 --> synccharts_model:"},
      {"0", 0, "3 --> 0"},
      {"1", 2, "3 --> 1"},
      {"2", 3, "3 --> 2"},
      {"3", 4, "3 --> 3"},
      {"-1", -1, "3 --> -1"},
      {"-7", -7, "3 --> -7"},
      {"99999999999", INT_MAX, "3 --> 99999999999"},
      {"-99999999999", INT_MIN, "3 --> -99999999999"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.model);
    ReadResult r = parse_text("kind.gal", std::string("Name: k : ") + row.model +
                                              " ; Input: ; Output: ; Local: ; Run: ;"
                                              " Encapsulation: ;");
    std::unique_ptr<gal_tpen_fichier> model(r.model);
    ASSERT_NE(nullptr, model);
    EXPECT_EQ(row.kind, model->mon_modele());
    EXPECT_EQ(std::string("7 --> k\n") + row.trace_line + "\n",
              r.trace.substr(0, r.trace.find('\n', r.trace.find('\n') + 1) + 1));
  }
}

// Numbers too large for an int saturate wherever they appear.
TEST(GalReader, HugeNumbersSaturate) {
  ReadResult r = parse_text(
      "huge.gal",
      "Name: h : 0 ; Input: ; Output: ; Local: ; Run: ;\n"
      "Star: NS: \"s\" 12345678901234567890 -12345678901234567890 : 99999999999 : 4294967297 ;\n"
      "Transition: From: -4294967296 To: 0 Type: 1 By: : 0 0 99999999999 \"1\" / ;");
  std::unique_ptr<gal_tpen_fichier> model(r.model);
  ASSERT_NE(nullptr, model);
  ASSERT_EQ(1, model->nbr_etats());
  const gal_tpen_etat& s = model->table_etats[0];
  EXPECT_EQ(static_cast<double>(INT_MAX), s.ma_posx());
  EXPECT_EQ(static_cast<double>(INT_MIN), s.ma_posy());
  EXPECT_EQ(INT_MAX, s.mon_ident_run());
  EXPECT_EQ(std::list<int>{INT_MAX}, s.mes_actions());
  const gal_tpen_transition& t = model->table_transitions[0];
  EXPECT_EQ(INT_MIN, t.mon_ident_etat_amont());
  EXPECT_EQ(INT_MAX, t.ma_priorite());
}

// A file with CR LF line ends builds the same model as with LF ends; its
// trace holds the same lines, with the carriage returns echoed among them.
TEST(GalReader, CarriageReturnsOnlyReachTheTrace) {
  const std::string lf =
      "Name: m : 0 ;\nInput: a : bool ;\nOutput: ;\nLocal: ;\nRun: ;\n"
      "Star: NS: \"s\" 1 2 ;\nTransition: From: -1 To: 0 By: : 0 0 \"a\" / ;\n";
  std::string crlf;
  for (char c : lf) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  ReadResult plain = parse_text("lf.gal", lf);
  ReadResult dos = parse_text("crlf.gal", crlf);
  std::unique_ptr<gal_tpen_fichier> plain_model(plain.model);
  std::unique_ptr<gal_tpen_fichier> dos_model(dos.model);
  ASSERT_NE(nullptr, plain_model);
  ASSERT_NE(nullptr, dos_model);
  std::string dump_plain = dump_model(*plain_model);
  std::string dump_dos = dump_model(*dos_model);
  EXPECT_EQ(dump_plain, dump_dos);
  std::string dos_trace_without_cr;
  size_t crs = 0;
  for (char c : dos.trace) {
    if (c == '\r') {
      ++crs;
    } else {
      dos_trace_without_cr += c;
    }
  }
  EXPECT_EQ(plain.trace, dos_trace_without_cr);
  EXPECT_EQ(7u, crs);
}

// Each call builds a new scanner and a new model, and replaces the trace of
// the same name.
TEST(GalReader, SuccessiveParsesReplaceTheTrace) {
  const std::string path = ktest::process_scratch().file("twice.gal");
  ReadResult first = run_parse(ktest::write_file(
      path, "Name: one : 0 ; Input: a : ; Output: ; Local: ; Run: ; Encapsulation: ;"));
  std::unique_ptr<gal_tpen_fichier> first_model(first.model);
  ReadResult second = run_parse(ktest::write_file(
      path, "Name: two : 0 ; Input: ; Output: ; Local: ; Run: ; Encapsulation: ;"));
  std::unique_ptr<gal_tpen_fichier> second_model(second.model);
  ASSERT_NE(nullptr, first_model);
  ASSERT_NE(nullptr, second_model);
  EXPECT_NE(first_model.get(), second_model.get());
  EXPECT_EQ("one", first_model->mon_nom_module());
  EXPECT_EQ("two", second_model->mon_nom_module());
  EXPECT_EQ(
      "7 --> two\n3 --> 0\n5 --> liste inoutput vide\n4 --> definition de la liste des inputs\n"
      "5 --> liste inoutput vide\n8 --> definition de la liste des outputs\n"
      "5 --> liste inoutput vide\n8 --> definition de la liste des locals\n"
      "5 --> liste run vide\n9 --> definition de la liste des runs\n"
      "2,3 --> entete et table bdd cree syntaxe V0\n32 --> mode encapsulation\n"
      "11,2 --> mode encapsulation\n1 --> synccharts cree\n",
      second.trace);
}

// The check that the driver runs after parse: every "From:"/"To:" index is
// -1 or a state of the table.
TEST(GalReader, StateIndexCheck) {
  const struct {
    const char* name;
    const char* transitions;
    bool sound;
    const char* report;
  } rows[] = {
      {"initial, final and inner transitions",
       "From: -1 To: 0 By: : 0 0 \"1\" / , From: 0 To: 1 By: : 0 0 \"1\" / ,"
       " From: 1 To: -1 By: : 0 0 \"1\" /",
       true, ""},
      {"no transition", "", true, ""},
      {"target past the table", "From: 0 To: 1 By: : 0 0 \"1\" / , From: 1 To: 2 By: : 0 0 \"1\" /",
       false, "ERROR: transition 1 : To: 2 is not a state of the automaton (2 states)\n"},
      {"negative source and huge target", "From: -2 To: 99999999999 By: : 0 0 \"1\" /", false,
       "ERROR: transition 0 : From: -2 is not a state of the automaton (2 states)\n"
       "ERROR: transition 0 : To: 99999999999 is not a state of the automaton (2 states)\n"},
      {"numbers quoted as written",
       "From: 0 To: 0 By: : 0 0 \"1\" / ,"
       " From: -1099511627776 To: 1099511627776 Type: 4294967297 By: : 0 0 \"1\" / 7 ,"
       " From: 0007 To: 1 By: : 0 0 \"1\" /",
       false,
       "ERROR: transition 1 : From: -1099511627776 is not a state of the automaton (2 states)\n"
       "ERROR: transition 1 : To: 1099511627776 is not a state of the automaton (2 states)\n"
       "ERROR: transition 2 : From: 0007 is not a state of the automaton (2 states)\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ReadResult r = parse_text("idents.gal",
                              std::string("Name: m : 0 ; Input: ; Output: ; Local: ; Run: ;"
                                          " Star: NS: \"a\" 0 0 , NS: \"b\" 0 0 ; Transition: ") +
                                  row.transitions + " ;");
    std::unique_ptr<gal_tpen_fichier> model(r.model);
    ASSERT_NE(nullptr, model);
    std::string report = "left over";
    EXPECT_EQ(row.sound, verifie_idents_etats(*model, report));
    EXPECT_EQ(row.report, report);
  }
}

// The numbers of the first transition are quoted from that transition, not
// from the numbers of the states section before it (run references and
// action indices), in each of the four forms of a transition.
TEST(GalReader, FirstTransitionNumbersQuotedAsWritten) {
  const struct {
    const char* transition;
    const char* report;
  } rows[] = {
      {"From: 0 To: 7 Type: 1 By: : 0 0 0 \"1\" / 0",
       "ERROR: transition 0 : To: 7 is not a state of the automaton (2 states)\n"},
      {"From: 0009 To: 1 By: : 0 0 2 \"1\" / 0 0",
       "ERROR: transition 0 : From: 0009 is not a state of the automaton (2 states)\n"},
      {"From: 0 To: -012 Type: 1 By: 1 , 2 : 0 0 \"1\" /",
       "ERROR: transition 0 : To: -012 is not a state of the automaton (2 states)\n"},
      {"From: 03 To: 4 By: 1.5 , 2 : 0 0 \"1\" / 0",
       "ERROR: transition 0 : From: 03 is not a state of the automaton (2 states)\n"
       "ERROR: transition 0 : To: 4 is not a state of the automaton (2 states)\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.transition);
    ReadResult r = parse_text(
        "first.gal", std::string("Name: m : basic_model: ; Type: ; Input: ; Sensor: ;"
                                 " Output: o : , p : ; Local: ; Variable: ; Run: ; Function: ;"
                                 " Constant: ; Action: \"o\" , \"p\" ;"
                                 " Star: NS: \"a\" 0 0 : 5 \"r\" : 1 0 , NS: \"b\" 0 0 : -1 : 1 ;"
                                 " Transition: ") +
                         row.transition + " , From: -1 To: 0 By: : 0 0 \"1\" / ;");
    std::unique_ptr<gal_tpen_fichier> model(r.model);
    ASSERT_NE(nullptr, model) << r.err;
    std::string report;
    EXPECT_FALSE(verifie_idents_etats(*model, report));
    EXPECT_EQ(row.report, report);
  }
}

TEST(GalReader, TokenDisplayNames) {
  const struct {
    int code;
    const char* name;
  } rows[] = {
      {258, "OTHER"},
      {261, "OTHER"},
      {262, "Normal Star"},
      {263, "Final Star"},
      {264, "DEUX_POINTS"},
      {265, "VIRGULE"},
      {266, "POINT_VIRGULE"},
      {267, "NAME"},
      {268, "TYPE"},
      {269, "INPUT"},
      {270, "SENSOR"},
      {271, "OUTPUT"},
      {272, "LOCAL"},
      {273, "VARIABLE"},
      {274, "RUN"},
      {275, "FUNCTION"},
      {276, "CONSTANT"},
      {277, "OTHER"},
      {278, "STAR"},
      {279, "TRANSITION"},
      {280, "ENCAPSULATION"},
      {281, "TO"},
      {282, "FROM"},
      {283, "BY"},
      {284, "OTHER"},
      {285, "("},
      {286, ")"},
      {287, "NUMBER"},
      {288, "OTHER"},
      {289, "WORD"},
      {290, "STRING"},
      {0, "OTHER"},
      {291, "OTHER"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.code);
    EXPECT_EQ(row.name, type_lexeme(row.code));
  }
}

TEST(GalReader, TraceLineFormat) {
  const struct {
    int a, b, flag;
    const char* expected;
  } rows[] = {
      {7, 1, 1, "7 --> x\n"},
      {3, 2, 1, "3,2 --> x\n"},
      {5, 0, 1, "5,0 --> x\n"},
      {5, 3, 0, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected);
    std::ostringstream out;
    gal_debuger_law(row.a, row.b, "x", row.flag, out);
    EXPECT_EQ(row.expected, out.str());
  }
}

}  // namespace
