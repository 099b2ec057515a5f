// The shared test support itself: stream capture, scratch directories,
// child processes, golden files, the test automaton's text, guards, runs
// and random generation, and the sample machines.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/parse_gal.h"
#include "support/machine.h"
#include "support/capture.h"
#include "support/golden.h"
#include "support/process.h"
#include "support/receptivity.h"

namespace {

TEST(SupportCapture, CollectsAndRestores) {
  std::streambuf* before = std::cerr.rdbuf();
  {
    ktest::stream_capture err(std::cerr);
    std::cerr << "one " << 2;
    EXPECT_EQ("one 2", err.text());
  }
  EXPECT_EQ(before, std::cerr.rdbuf());
}

TEST(SupportCapture, StopGivesTheBufferBackOnce) {
  std::streambuf* before = std::cout.rdbuf();
  ktest::stream_capture out(std::cout);
  std::cout << "kept";
  EXPECT_EQ("kept", out.stop());
  EXPECT_EQ(before, std::cout.rdbuf());
  std::cout << "";
  EXPECT_EQ("kept", out.stop());
  EXPECT_EQ(before, std::cout.rdbuf());
}

// The descriptor sees C stdio, the C++ streams, a stream holding the
// standard output's buffer and a child process, in the order written; once
// stopped, nothing more is collected.
TEST(SupportCapture, DescriptorCollectsEveryWriter) {
  std::ostream held(std::cout.rdbuf());
  {
    ktest::fd_capture out(1);
    std::printf("c ");
    std::cout << "cpp ";
    held << "held ";
    std::fflush(stdout);  // the child writes past this process's buffer
    ASSERT_EQ(0, std::system("echo child"));
    EXPECT_EQ("c cpp held child\n", out.text());
    std::fputs("last", stdout);
    EXPECT_EQ("c cpp held child\nlast", out.stop());
    std::fputs("", stdout);
    EXPECT_EQ("c cpp held child\nlast", out.text());
  }
  ktest::fd_capture err(2);
  std::fprintf(stderr, "e1 ");
  std::cerr << "e2";
  EXPECT_EQ("e1 e2", err.stop());
}

TEST(SupportScratch, WritesListsAndRemoves) {
  std::string path;
  {
    ktest::scratch_directory dir;
    path = dir.path();
    EXPECT_EQ(dir.file("b.txt"), dir.write("b.txt", "bee"));
    dir.write("a.txt", "");
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt"}), dir.files());
    EXPECT_TRUE(dir.has("a.txt"));
    EXPECT_FALSE(dir.has("c.txt"));
    EXPECT_EQ("bee", ktest::read_file(dir.file("b.txt")));
    EXPECT_TRUE(ktest::file_exists(dir.file("a.txt")));
  }
  EXPECT_FALSE(ktest::file_exists(path + "/b.txt"));
  EXPECT_EQ("", ktest::read_file(path + "/b.txt"));
}

TEST(SupportProcess, RunsWithStreamsAndStatus) {
  ktest::scratch_directory dir;
  const ktest::result r = ktest::run({"/bin/sh", "-c", "pwd; echo err >&2; exit 3"}, dir.path());
  EXPECT_EQ(3, r.status);
  EXPECT_EQ("err\n", r.err);
  EXPECT_NE(std::string::npos, r.out.find(dir.path()));
  std::string out;
  EXPECT_EQ(5, ktest::run_shell(dir.path(), "echo x; echo y >&2; exit 5", &out));
  EXPECT_EQ("x\ny\n", out);
}

// With KORVANE_UPDATE_GOLDENS=1 the golden file takes the text given; without
// it the text is compared.
TEST(SupportGolden, ComparesOrRewrites) {
  ktest::scratch_directory dir;
  const std::string golden = dir.write("g.txt", "old\n");
  ktest::expect_golden_file(golden, "old\n");
  ASSERT_EQ(0, setenv("KORVANE_UPDATE_GOLDENS", "1", 1));
  EXPECT_TRUE(ktest::updating_goldens());
  ktest::expect_golden_file(golden, "new\n");
  ASSERT_EQ(0, unsetenv("KORVANE_UPDATE_GOLDENS"));
  EXPECT_FALSE(ktest::updating_goldens());
  EXPECT_EQ("new\n", ktest::read_file(golden));
  EXPECT_EQ((std::vector<std::string>{"a", "", "b"}), ktest::text_lines("a\n\nb\n"));
}

TEST(SupportAutomaton, GalTextOfASmallAutomaton) {
  const ktest::automaton a{"t", {"x"}, {"y"}, {{}, {0}}, 1, {{0, 1, 0, "x", {0}}, {1, 0, -1}}};
  EXPECT_EQ(
      "Name: t : basic_model: ;\nType: bool ;\nInput: x : bool ;\nSensor: ;\n"
      "Output: y :  ;\nLocal: ;\nVariable: ;\nRun: ;\nFunction: ;\nConstant: ;\n"
      "Action: \"y\" ;\nStar:\n  NS: \"s0\" 0 100 : -1 : ,\n"
      "  NS: \"s1\" 100 100 : -1 : 0 ;\nTransition:\n"
      "  From: -1 To: 1 Type: 1 By: : 0 0 0 \"1\" / ,\n"
      "  From: 0 To: 1 Type: 1 By: : 10 10 0 \"x\" / 0 ,\n"
      "  From: 1 To: 0 Type: 1 By: : 10 10 -1 \"1\" / ;\n",
      ktest::to_gal(a));
  EXPECT_EQ((std::vector<std::string>{"s=1 o=0", "s=0 o=0", "s=1 o=1"}),
            ktest::reference_run(a, {{1}, {1}}));
}

TEST(SupportAutomaton, GuardSpellings) {
  const std::vector<std::string> in{"a", "b"};
  const struct {
    const char* guard;
    std::uint32_t values;
    bool expected;
  } rows[] = {
      {"a xor b", 3, false}, {"a XNOR b", 0, true}, {"!a & ~b", 0, true},
      {"[a + b]", 2, true},  {"a . b", 1, false},   {"NOT a", 1, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.guard);
    EXPECT_EQ(row.expected, ktest::evaluate(row.guard, in, row.values));
  }
  EXPECT_THROW(ktest::evaluate("a and", in, 0u), std::runtime_error);
  EXPECT_THROW(ktest::evaluate("c", in, 0u), std::runtime_error);
}

TEST(SupportAutomaton, GalTextRefusesWhatItCannotWrite) {
  ktest::automaton kind{"k", {}, {}, {{}}, 0, {}};
  kind.kind = 4;
  EXPECT_THROW(ktest::to_gal(kind), std::invalid_argument);
  kind.kind = -1;
  EXPECT_THROW(ktest::to_gal(kind), std::invalid_argument);
  ktest::automaton conditional{"c", {"a"}, {"o"}, {{}}, 0, {}};
  conditional.moore_actions = {{0, 0, "a"}};
  EXPECT_THROW(ktest::to_gal(conditional), std::invalid_argument);
}

// The receptivity reader gives each construct to its meaning: here the
// text of the tree it reads, so that the precedence, the order and the
// spellings show.
class tree_text : public ktest::receptivity_meaning<std::string> {
 public:
  std::string constant(bool value) override { return value ? "1" : "0"; }
  std::string input(int index) override { return "#" + std::to_string(index); }
  std::string negation(const std::string& x) override { return "not(" + x + ")"; }
  std::string conjunction(const std::string& l, const std::string& r) override {
    return "and(" + l + "," + r + ")";
  }
  std::string disjunction(const std::string& l, const std::string& r) override {
    return "or(" + l + "," + r + ")";
  }
  std::string exclusive_or(const std::string& l, const std::string& r) override {
    return "xor(" + l + "," + r + ")";
  }
  std::string equivalence(const std::string& l, const std::string& r) override {
    return "xnor(" + l + "," + r + ")";
  }
};

TEST(SupportAutomaton, ReceptivityReaderGivesEachConstructItsMeaning) {
  const std::vector<std::string> in{"a", "b_2", "a", "c@"};
  const struct {
    const char* text;
    const char* tree;
  } rows[] = {
      {"a xor b_2 or c@", "or(xor(#0,#1),#3)"},
      {"a or b_2 and c@", "or(#0,and(#1,#3))"},
      {"not a AND [b_2 + 0]", "and(not(#0),or(#1,0))"},
      {"!~a . b_2 & 1", "and(and(not(not(#0)),#1),1)"},
      {"a XNOR (b_2 | c@) XOR a", "xor(xnor(#0,or(#1,#3)),#0)"},
      {"NOT(a)", "not(#0)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    tree_text meaning;
    EXPECT_EQ(row.tree, ktest::read_receptivity(row.text, in, meaning));
  }
  for (const char* bad : {"", "a or", "(a", "a b_2", "d", "a ) b_2"}) {
    SCOPED_TRACE(bad);
    tree_text meaning;
    EXPECT_THROW(ktest::read_receptivity(bad, in, meaning), std::runtime_error);
  }
}

// The random automata: the same seed gives the same automaton; every state
// has guards that always let one transition fire (exclusive ones where
// there is no "otherwise" transition), or no transition; the initial state
// has no state action; the three kinds of states all occur.
TEST(SupportAutomaton, RandomAutomataAreSeededCompleteAndDeterministic) {
  int sinks = 0, by_priority = 0, by_cubes = 0;
  for (std::uint32_t seed = 1; seed <= 30; ++seed) {
    SCOPED_TRACE(seed);
    const ktest::automaton a = ktest::random_automaton(seed, 7, 3, 2);
    EXPECT_EQ(ktest::to_gal(a), ktest::to_gal(ktest::random_automaton(seed, 7, 3, 2)));
    EXPECT_NE(ktest::to_gal(a), ktest::to_gal(ktest::random_automaton(seed + 100, 7, 3, 2)));
    EXPECT_EQ("random" + std::to_string(seed), a.name);
    EXPECT_EQ((std::vector<std::string>{"in0", "in1", "in2"}), a.inputs);
    EXPECT_EQ((std::vector<std::string>{"out0", "out1"}), a.outputs);
    ASSERT_EQ(7, a.states());
    ASSERT_TRUE(a.initial >= 0 && a.initial < 7);
    EXPECT_TRUE(a.state_outputs[a.initial].empty());
    for (const ktest::transition& t : a.transitions) {
      EXPECT_TRUE(t.target >= 0 && t.target < 7);
      for (int k : t.outputs) EXPECT_TRUE(k == 0 || k == 1);
    }
    for (int s = 0; s < 7; ++s) {
      const std::vector<int> order = ktest::tried_order(a, s);
      if (order.empty()) {
        ++sinks;
        continue;
      }
      const bool otherwise = a.transitions[order.back()].priority == -1;
      if (otherwise) {
        ++by_priority;
        EXPECT_EQ("1", a.transitions[order.back()].guard);
      } else {
        ++by_cubes;
      }
      for (std::uint32_t v = 0; v < 8; ++v) {
        EXPECT_NE(-1, ktest::fired(a, s, v)) << "state " << s << " inputs " << v;
        if (otherwise) continue;
        int holding = 0;
        for (int t : order) holding += ktest::evaluate(a.transitions[t].guard, a.inputs, v);
        EXPECT_EQ(1, holding) << "state " << s << " inputs " << v;
      }
    }
  }
  EXPECT_GT(sinks, 0);
  EXPECT_GT(by_priority, 0);
  EXPECT_GT(by_cubes, 0);
}

// The generator of scripts/compare-outputs.sh writes the GAL text of the
// random automaton, and refuses other arguments.
TEST(SupportAutomaton, RandomGalProgram) {
  ktest::scratch_directory dir;
  const ktest::result written = ktest::run({KORVANE_RANDOM_GAL, "16", "16", "8", "4"}, dir.path());
  EXPECT_EQ(0, written.status);
  EXPECT_EQ(ktest::to_gal(ktest::random_automaton(16, 16, 8, 4)), written.out);
  EXPECT_EQ("", written.err);
  const std::vector<std::vector<std::string>> refused = {{},
                                                         {"1", "2", "3"},
                                                         {"1", "0", "3", "4"},
                                                         {"1", "2", "0", "4"},
                                                         {"1", "2", "3", "x"},
                                                         {"-1", "2", "3", "4"},
                                                         {"1", "2", "3", "4", "5"}};
  for (const auto& args : refused) {
    std::vector<std::string> argv{KORVANE_RANDOM_GAL};
    argv.insert(argv.end(), args.begin(), args.end());
    const ktest::result r = ktest::run(argv, dir.path());
    EXPECT_EQ(2, r.status) << r.err;
    EXPECT_EQ("", r.out);
    EXPECT_NE(std::string::npos, r.err.find("usage: ")) << r.err;
  }
}

// Everything the model tests read of a model, one line per element.
std::string model_text(gal_tpen_fichier& f) {
  std::ostringstream os;
  os << "module " << f.mon_nom_module() << " kind " << f.mon_modele() << "\n";
  for (int i = 0; i < f.nbr_types(); ++i) os << "type " << f.ma_table_types()[i] << "\n";
  for (int i = 0; i < f.nbr_inputs(); ++i) os << "input " << f.ma_table_inputs()[i] << "\n";
  for (int i = 0; i < f.nbr_outputs(); ++i) os << "output " << f.ma_table_outputs()[i] << "\n";
  for (int i = 0; i < f.nbr_actions(); ++i) os << "action " << f.action(i) << "\n";
  for (int i = 0; i < f.nbr_etats(); ++i) {
    const gal_tpen_etat& e = f.ma_table_etats()[i];
    os << "state " << e << " diameter " << e.mon_diametre() << " pre";
    for (int t : e.mes_transitions_pre()) os << " " << t;
    os << " post";
    for (int t : e.mes_transitions_post()) os << " " << t;
    os << "\n";
  }
  for (int j = 0; j < f.nbr_transitions(); ++j) {
    const gal_tpen_transition& t = f.ma_table_transitions()[j];
    os << "transition " << t.mon_ident_etat_amont() << ">" << t.mon_ident_etat_aval() << " type "
       << t.mon_type_trans() << " at " << t.posx_receptivite() << "," << t.posy_receptivite()
       << " priority " << t.ma_priorite() << " \"" << t.ma_receptivite() << "\" actions";
    for (int k : t.mes_actions()) os << " " << k;
    os << " points " << t.liste_positions().size() << "\n";
  }
  os << "components " << f.nombre_SC() << "\n";
  return os.str();
}

// The model built in memory is the one the reader builds from the GAL text.
TEST(SupportAutomaton, ModelInMemoryIsTheReadersOne) {
  ktest::automaton drawn{"drawn", {"a", "b"},
                         {"o"},   {{}, {0}, {}},
                         -1,      {{0, 1, 2, "a", {1}}, {-1, 2, 0, "b"}, {1, 0, -1, "1", {0}}}};
  drawn.kind = 2;
  drawn.actions = {"o", "p"};
  const ktest::automaton rows[] = {
      ktest::sample_automaton("follower"), ktest::sample_automaton("latch2"),
      ktest::sample_automaton("detector"), ktest::sample_automaton("idle"),
      ktest::random_automaton(5, 9, 3, 2), drawn};
  ktest::scratch_directory dir;
  for (const ktest::automaton& a : rows) {
    SCOPED_TRACE(a.name);
    const std::string path = dir.write(a.name + ".gal", ktest::to_gal(a));
    gal_tpen_fichier* read = nullptr;
    {
      ktest::stream_capture out(std::cout);
      read = parse(path);
      EXPECT_EQ("reading " + path + "\n", out.text());
    }
    ASSERT_NE(nullptr, read);
    const std::string expected = model_text(*read);
    delete read;
    EXPECT_NE(std::string::npos, expected.find("transition "));
    EXPECT_EQ(expected, model_text(*ktest::to_file(a)));
  }
}

// Compiled, a state without transition keeps its code and the guards are
// made exclusive; as listed, the table is the machine's whole behaviour.
TEST(SupportAutomaton, MachineCompiledOrAsListed) {
  ktest::automaton a{"m",          {"a"}, {"o", "p"},
                     {{}, {}, {}}, 2,     {{0, 1, 0, "a", {0}}, {0, 0, 1, "1"}}};
  a.moore_actions = {{1, 1, "not a"}};
  auto compiled = ktest::to_machine(a);
  ASSERT_NE(nullptr, compiled);
  EXPECT_EQ(compiled->initial_state_condition(), ktest::parse_in(*compiled, "not X0 and X1"));
  EXPECT_EQ(compiled->forcing_to_1(0),
            ktest::parse_in(*compiled, "not X0 and not X1 and a or X0 and not X1"));
  EXPECT_EQ(compiled->forcing_to_0(0),
            ktest::parse_in(*compiled, "not X0 and not X1 and not a or X1 and not X0"));
  EXPECT_EQ(compiled->forcing_to_1(1), ktest::parse_in(*compiled, "X1 and not X0"));
  EXPECT_EQ(compiled->emission(1), ktest::parse_in(*compiled, "X0next and not X1next and not a"));

  auto listed = ktest::to_machine(a, ktest::build::as_listed);
  ASSERT_NE(nullptr, listed);
  EXPECT_EQ(listed->forcing_to_0(0), ktest::parse_in(*listed, "not X0 and not X1"));
  EXPECT_EQ(listed->forcing_to_1(0), ktest::parse_in(*listed, "not X0 and not X1 and a"));
  EXPECT_EQ(listed->forcing_to_1(1), listed->get_manager()->Bdd_zero());

  // The runs emit the conditional Moore action in the state reached.
  EXPECT_EQ(0, ktest::react(a, 0, 1u).outputs[1]);
  EXPECT_EQ(1, ktest::react(a, 1, 0u).outputs[1]);
  a.initial = 0;
  EXPECT_EQ((std::vector<std::string>{"s=00 o=00", "s=10 o=10", "s=10 o=01"}),
            ktest::reference_run(a, {{1}, {0}}));
}

// The machines given by their state codes have no state table: built as
// the compiler builds them or as listed, they are the same machine, which
// the golden table of the writers relies on. "either" has a state table
// and exclusive guards, and is the same machine both ways too.
TEST(SupportSamples, CodedMachinesAreTheSameCompiledOrAsListed) {
  for (const std::string& name : ktest::sample_names()) {
    const ktest::automaton& a = ktest::sample_automaton(name);
    if (a.states() != 0 && name != "either") continue;
    SCOPED_TRACE(name);
    const auto compiled = ktest::to_machine(a);
    const auto listed = ktest::to_machine(a, ktest::build::as_listed);
    ASSERT_TRUE(compiled && listed);
    std::ostringstream compiled_dump, listed_dump;
    compiled_dump << *compiled;
    listed_dump << *listed;
    // The dump shows the initial state, every forcing condition and every
    // emission condition.
    EXPECT_EQ(listed_dump.str(), compiled_dump.str());
  }
}

// No two samples share a name (the first would hide the other), and the
// name of the catalogue may differ from the module name.
TEST(SupportSamples, NamesAreDistinct) {
  const std::vector<std::string> names = ktest::sample_names();
  EXPECT_EQ(names.size(), std::set<std::string>(names.begin(), names.end()).size());
  EXPECT_EQ("m", ktest::sample_automaton("example").name);
}

}  // namespace
