// Structure and node printers.
#include <gtest/gtest.h>

#include <iostream>
#include <list>
#include <sstream>

#include "engine_access.h"
#include "support/capture.h"

using bdd_core_test::declare;

namespace {

std::string tree(bddpp_manager& m, const bdd& f) {
  std::ostringstream os;
  m.Print_bdd_structure(os, f);
  return os.str();
}

std::string node_list(bddpp_manager& m, const bdd& f) {
  std::ostringstream os;
  m.Print_bdd_by_nodes_list(os, f);
  return os.str();
}

TEST(StructurePrinters, Trees) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "ab");
  bdd a = v[0], b = v[1];
  bdd f = m.Bdd_and(a, b);
  struct row {
    const char* what;
    bdd f;
    const char* text;
  };
  const row rows[] = {
      {"1", m.Bdd_one(), "1 (node: 0,index: -1)\n"},
      {"0", m.Bdd_zero(), "not(\n     1 (node: 0,index: -1)\n   )\n"},
      {"b", b, "b (node: 0,index: 1)\n"},
      {"!b", m.Bdd_not(b), "not(\n     b (node: 0,index: 1)\n   )\n"},
      {"a.b", f,
       "if a (node: 0,index: 0)\n"
       "  b (node: 1,index: 1)\n"
       "else (not a)\n"
       "  not(\n"
       "      1 (node: 2,index: -1)\n"
       "     )\n"},
      {"!(a.b)", m.Bdd_not(f),
       "not(\n"
       "     if a (node: 0,index: 0)\n"
       "       b (node: 1,index: 1)\n"
       "     else (not a)\n"
       "       not(\n"
       "           1 (node: 2,index: -1)\n"
       "          )\n"
       "   )\n"},
      {"empty", bdd(), ""},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(tree(m, r.f), r.text);
  }
}

TEST(StructurePrinters, SharedDecisionNodePrintsOnce) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "abc");
  // Both branches of a lead to the node of b.c (once complemented).
  bdd bc = m.Bdd_and(v[1], v[2]);
  bdd f = m.Bdd_xnor(v[0], bc);
  EXPECT_EQ(tree(m, f),
            "if a (node: 0,index: 0)\n"
            "  if b (node: 1,index: 1)\n"
            "    c (node: 2,index: 2)\n"
            "  else (not b)\n"
            "    not(\n"
            "        1 (node: 3,index: -1)\n"
            "       )\n"
            "else (not a)\n"
            "  not(\n"
            "      already found node: 1\n"
            "     )\n");
}

TEST(StructurePrinters, NodeLists) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "ab");
  bdd f = m.Bdd_and(v[0], v[1]);
  EXPECT_EQ(node_list(m, f),
            "nombre de noeud trouves: 3\n0: 0:1:2,-1\n1: 1:2:2,-1\n2: -1:-3:-3,1\n");
  EXPECT_EQ(node_list(m, v[1]), "nombre de noeud trouves: 2\n0: 1:1:1,-1\n1: -1:-3:-3,1\n");
  EXPECT_EQ(node_list(m, m.Bdd_not(v[1])), node_list(m, v[1]));
  long map[] = {7, 9};
  std::ostringstream mapped;
  m.Print_bdd_by_nodes_list(mapped, f, map);
  EXPECT_EQ(mapped.str(), "0: 7:1:2,-1\n1: 9:2:2,-1\n2: -1:-3:-3,1\n");
  ktest::stream_capture cerr_capture(std::cerr);
  EXPECT_EQ(node_list(m, bdd()), "nombre de noeud trouves: 0\n");
  EXPECT_EQ(cerr_capture.stop(),
            "Warning: call bddpp_manager::Bdd_incremental_id() with null reference!\n");
}

TEST(StructurePrinters, ListOfDiagrams) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "ab");
  std::list<bdd> diagrams{m.Bdd_and(v[0], v[1]), v[1]};
  std::ostringstream os;
  m.Print_bdds_list_by_nodes_list(os, diagrams);
  EXPECT_EQ(os.str(), "bdd_vars: \na,b;\nbdd_nodes: \n0: 0:1:2,-1\n1: 1:2:2,-1\n2: -1:-3:-3,1\n");
  long map[] = {4, 5};
  std::ostringstream mapped;
  m.Print_bdds_list_by_nodes_list(mapped, diagrams, map);
  EXPECT_EQ(mapped.str(), "3\n0: 4:1:2,-1\n1: 5:2:2,-1\n2: -1:-3:-3,1\n");
  bddpp_manager none;
  std::list<bdd> empty;
  std::ostringstream header;
  none.Print_bdds_list_by_nodes_list(header, empty);
  EXPECT_EQ(header.str(), "bdd_vars: \n;\nbdd_nodes: \n");
}

TEST(StructurePrinters, SingleNodeLines) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "ab");
  bdd f = m.Bdd_and(v[0], v[1]);
  m.Bdd_size(f);  // numbers the nodes 0, 1, 2
  std::ostringstream os;
  m.Print_bdd_node(os, f.node());
  os << "|";
  Print_bdd_node(os, f.node());
  os << "|";
  m.Print_bdd_node(os, nullptr);
  long map[] = {3, 4};
  m.Print_bdd_node(os, v[1].node(), map);
  os << "|";
  m.Chars('*', 3, os);
  m.Chars('*', -1, os);
  EXPECT_EQ(os.str(), "0: 0:1:2,-1|0: 0:1:2,-1|1: 4:2:2,-1|***");
  std::ostringstream addr;
  m.Print_bdd_node_with_adress(addr, v[1].node());
  std::ostringstream expected;
  expected << static_cast<const void*>(v[1].node())
           << ": 1:" << static_cast<const void*>(m.Bdd_node_one()) << ":"
           << static_cast<const void*>(m.Bdd_node_one()) << ",-1";
  EXPECT_EQ(addr.str(), expected.str());
  ktest::stream_capture cerr_capture(std::cerr);
  m.Print_bdd_structure(stdout, f);
  EXPECT_EQ(cerr_capture.stop(), "bddpp_manager::Print_bdd_structure(FILE * file,bdd f) A FAIRE\n");
}

}  // namespace
