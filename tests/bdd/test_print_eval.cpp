// Node-by-node evaluation printers: the exact lines of each syntax on small
// diagrams, the marks that make shared nodes print once, and the single
// variable VHDL assignments.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "bdd/bddpp.h"

namespace {

// A fresh manager with a and b: the variable nodes are numbered 2 and 3, and
// a AND b makes the node numbered 4.
struct ab {
  bddpp_manager m;
  bdd a, b, f;
  ab() : a(m.New_var_last("a")), b(m.New_var_last("b")), f(m.Bdd_and(a, b)) {}
  ~ab() {
    a = bdd();
    b = bdd();
    f = bdd();
  }
};

using printer = std::function<void(bddpp_manager&, std::ostream&, bdd_node*)>;

struct eval_row {
  const char* name;
  printer print;
  const char* expected;  // for a AND b
};

TEST(PrintNodeForEval, EachSyntaxOnAandB) {
  const eval_row rows[] = {
      {"nine strings",
       [](bddpp_manager& m, std::ostream& os, bdd_node* n) {
         m.Print_node_for_eval(" || ", " && ", "!(", ")", "", "", "0", ";", "n", os, n);
       },
       "  n[3]= b;\n"
       "   n[1]= !(0);\n"
       "  n[4]= a && n[3] || !(a) && !(n[1]);\n"},
      {"ten strings",
       [](bddpp_manager& m, std::ostream& os, bdd_node* n) {
         m.Print_node_for_eval(" | ", " & ", "~", "", "<", ">", "F", ".", "\t", "R", os, n);
       },
       "\tR[3]= <b>.\n"
       "\tR[1]= ~F.\n"
       "\tR[4]= <a> & R[3] | ~<a> & ~R[1].\n"},
      {"arrayless, nine strings",
       [](bddpp_manager& m, std::ostream& os, bdd_node* n) {
         m.Print_node_for_eval_arrayless(" || ", " && ", "!(", ")", "", "", "0", ";", "n", os, n);
       },
       "  n_3= b;\n"
       "   n_1= !(0);\n"
       "  n_4= a && n_3 || !(a) && !(n_1);\n"},
      {"arrayless, ten strings",
       [](bddpp_manager& m, std::ostream& os, bdd_node* n) {
         m.Print_node_for_eval_arrayless(" or ", " and ", "not ", "", "", "", "false", ";", "> ",
                                         "t", os, n);
       },
       "> t_3= b;\n"
       "> t_1= not false;\n"
       "> t_4= a and t_3 or not a and not t_1;\n"},
      {"NuSMV",
       [](bddpp_manager& m, std::ostream& os, bdd_node* n) {
         m.Print_node_for_eval_NUSMV("", "", "", "n", os, n);
       },
       "n_3:= b;\n"
       "n_1:= TRUE;\n"
       "n_4:= a & n_3 | !a & !n_1;\n"},
      {"NuSMV with affixes and line prefix",
       [](bddpp_manager& m, std::ostream& os, bdd_node* n) {
         m.Print_node_for_eval_NUSMV("i.", "_x", "  ", "v", os, n);
       },
       "  v_3:= i.b_x;\n"
       "  v_1:= TRUE;\n"
       "  v_4:= i.a_x & v_3 | !i.a_x & !v_1;\n"},
      {"VHDL",
       [](bddpp_manager& m, std::ostream& os, bdd_node* n) {
         m.Print_node_for_eval_VHDL("", "", "n", os, n);
       },
       "      n(3) <= b;\n"
       "      n(1) <= '1';\n"
       "      n(4) <= (a and n(3)) or (not a and not n(1));\n"},
      {"BLIF",
       [](bddpp_manager& m, std::ostream& os, bdd_node* n) {
         m.Print_node_for_eval_BLIF("", "", "n", os, n);
       },
       ".names b n_3\n1 1\n\n"
       ".names n_1\n1\n\n"
       ".names a n_3 n_1 n_4\n11- 1\n0-0 1\n\n"},
  };
  for (const eval_row& row : rows) {
    SCOPED_TRACE(row.name);
    ab x;
    ASSERT_EQ(x.f.node()->global_id, 4);
    x.m.Bdd_clear_marks(x.f);
    std::ostringstream os;
    row.print(x.m, os, x.f.node());
    EXPECT_EQ(os.str(), row.expected);
    // Every node written is marked: a second call writes nothing.
    std::ostringstream again;
    row.print(x.m, again, x.f.node());
    EXPECT_EQ(again.str(), "");
  }
}

TEST(PrintNodeForEval, ConstantsAndVariablesWriteOneLine) {
  ab x;
  struct row {
    bdd f;
    const char* expected;
  } rows[] = {
      {x.m.Bdd_one(), "      n(1) <= '1';\n"},
      {x.m.Bdd_zero(), "      n(1) <= '1';\n"},
      {x.a, "      n(2) <= a;\n"},
      {x.m.Bdd_not(x.b), "      n(3) <= b;\n"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.expected);
    x.m.Bdd_clear_marks(r.f);
    std::ostringstream os;
    x.m.Print_node_for_eval_VHDL("", "", "n", os, r.f.node());
    EXPECT_EQ(os.str(), r.expected);
  }
  std::ostringstream none;
  x.m.Print_node_for_eval_VHDL("", "", "n", none, nullptr);
  EXPECT_EQ(none.str(), "");
}

TEST(PrintNodeForEval, SharedNodesAreWrittenOnceAcrossDiagrams) {
  bddpp_manager m;
  bdd a = m.New_var_last("a");
  bdd b = m.New_var_last("b");
  bdd c = m.New_var_last("c");
  bdd bc = m.Bdd_or(b, c);   // node 5: b ? 1 : c
  bdd f = m.Bdd_xor(a, bc);  // a ? !bc : bc, both edges on node 5
  bdd g = m.Bdd_and(a, bc);  // a ? bc : 0
  ASSERT_EQ(bc.node()->global_id, 5);
  m.Bdd_clear_marks(f);
  m.Bdd_clear_marks(g);
  std::ostringstream first;
  m.Print_node_for_eval_NUSMV("", "", "", "n", first, f.node());
  const std::string f_id = std::to_string(f.node()->global_id);
  EXPECT_EQ(first.str(),
            "n_1:= TRUE;\n"
            "n_4:= c;\n"
            "n_5:= b & n_1 | !b & n_4;\n"
            "n_" +
                f_id + ":= a & n_5 | !a & !n_5;\n");
  std::ostringstream second;
  m.Print_node_for_eval_NUSMV("", "", "", "n", second, g.node());
  const std::string g_id = std::to_string(g.node()->global_id);
  EXPECT_EQ(second.str(), "n_" + g_id + ":= a & n_5 | !a & !n_1;\n");
}

TEST(PrintNodeForEval, VhdlInputAssignmentsFindTheVariableNode) {
  ab x;
  std::ostringstream os;
  x.m.Print_node_for_eval_VHDL_input("in_", "_s", "n", os, "b");
  x.m.Print_node_for_eval_VHDL_reset_input("r", os, "a");
  x.m.Print_node_for_eval_VHDL_input("", "", "n", os, "zz");
  EXPECT_EQ(os.str(),
            "      n(3) <= in_b_s;\n"
            "      r(2) <= '0';\n");
}

}  // namespace
