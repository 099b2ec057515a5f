// Nodes, handles, the unique table, node numbering and signatures.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iostream>
#include <memory>
#include <random>
#include <set>
#include <sstream>

#include "engine_access.h"
#include "support/truth_table.h"
#include "support/capture.h"

using bdd_core_test::declare;
using ktest::from_truth_table;
using ktest::minterm_order;
using ktest::random_table;
using ktest::truth_table;

namespace {

TEST(BddNodeSignature, Table) {
  struct row {
    long var;
    int else_link;
    long then_id;
    long else_id;
    std::int32_t high;
    std::uint32_t low;
  };
  const row rows[] = {
      {3, 1, 5, 9, 1536, 10485779u},  // 3*2^41 + 5*2^21 + 19
      {0, -1, 1, 1, 0, 2097154u},     // a variable node
      {2047, 1, 1048575, 1048575, 1048575, 4294967295u},
      {2048, -1, 1, 1, -1048576, 2097154u},  // bit 11 of var becomes the sign
      {4099, 1, 2, 3, 1536, 4194311u},       // only the low 12 bits of var count
      {5, 1, 1048576, 0, 2560, 1u},          // a then number of 2^20 spills over
      {-1, 1, 0, 0, -1, 4294967295u},
      {-3, 1, 0, 0, -1, 4294967293u},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.var);
    bdd_node t(nullptr, r.then_id, -1, 0, 1, nullptr, nullptr);
    bdd_node e(nullptr, r.else_id, -1, 0, 1, nullptr, nullptr);
    const g_longlong s = bdd_node_signature(r.var, r.else_link, &t, &e);
    EXPECT_EQ(s.high(), r.high);
    EXPECT_EQ(s.low(), r.low);
  }
}

TEST(BddNode, DefaultAndConstantNodes) {
  bdd_node d;
  EXPECT_EQ(d.var_index(), -3);
  EXPECT_EQ(d.signature(), g_longlong(-3));
  EXPECT_EQ(d.refs, 0);
  EXPECT_EQ(d.else_link_type, 1);
  bddpp_manager m;
  bdd_node* one = m.Bdd_node_one();
  EXPECT_EQ(one->var_index(), -1);
  EXPECT_EQ(one->global_id, 1);
  EXPECT_EQ(one->signature(), g_longlong(-1));
  EXPECT_TRUE(one->support().empty());
}

TEST(BddHandle, ConstantsShareTheConstantNode) {
  bddpp_manager m;
  EXPECT_EQ(m.Bdd_one().node(), m.Bdd_zero().node());
  EXPECT_NE(m.Bdd_one(), m.Bdd_zero());
  EXPECT_EQ(m.Bdd_not(m.Bdd_one()), m.Bdd_zero());
  EXPECT_NE(bdd(), m.Bdd_zero());
}

TEST(BddHandle, ReferenceCounts) {
  bddpp_manager m;
  bdd x = m.New_var_last("x");
  bdd y = m.New_var_last("y");
  bdd_node* n = x.node();
  const int base = n->refs;
  {
    bdd copy(x);
    EXPECT_EQ(n->refs, base + 1);
    copy = copy;  // self-assignment
    EXPECT_EQ(n->refs, base + 1);
    copy = x;  // another handle of the same node
    EXPECT_EQ(n->refs, base + 1);
    copy = y;
    EXPECT_EQ(n->refs, base);
  }
  EXPECT_EQ(n->refs, base);
}

// A count that reached the largest int stays there instead of overflowing.
TEST(BddHandle, CountsSaturate) {
  bddpp_manager m;
  bdd x = m.New_var_last("x");
  bdd_node* n = x.node();
  const int saved = n->refs;
  n->refs = INT_MAX;
  {
    bdd copy(x);
    EXPECT_EQ(n->refs, INT_MAX);
  }
  EXPECT_EQ(n->refs, INT_MAX);
  {
    bdd copy(x);
    n->refs = INT_MIN;
  }
  EXPECT_EQ(n->refs, INT_MIN);
  n->refs = saved;
}

TEST(BddHandle, PrintedForm) {
  bddpp_manager m;
  bdd x = m.New_var_last("x");
  std::ostringstream os;
  os << m.Bdd_not(x);
  EXPECT_NE(os.str().find(", link type =-1, adr node= "), std::string::npos) << os.str();
  EXPECT_NE(os.str().find(", node signature: 0 *2E32 + 2097154"), std::string::npos) << os.str();
  std::ostringstream empty;
  empty << bdd();
  EXPECT_EQ(empty.str().find("node signature"), std::string::npos) << empty.str();
  EXPECT_NE(empty.str().find(", link type =0, "), std::string::npos) << empty.str();
}

TEST(BddHandle, VhdlNodeName) {
  bddpp_manager m;
  bdd v[6];
  for (int i = 0; i < 6; ++i) v[i] = m.New_var_last(std::string(1, char('a' + i)));
  // Variable nodes are numbered 2 to 7.
  ASSERT_EQ(v[5].node()->global_id, 7);
  EXPECT_EQ(m.Bdd_not(v[5]).vhdl_node_name("n"), "not n(7)");
  EXPECT_EQ(v[5].vhdl_node_name("n"), "n(7)");
}

TEST(FindOrCreate, ConstantChildrenGiveConstantOrVariable) {
  bddpp_manager m;
  declare(m, "abc");
  bdd_node* one = m.Bdd_node_one();
  int link = 1;
  bdd_node* n = m.Find_or_create_bdd_node(2, -1, 1, one, one, link);
  EXPECT_EQ(n, m.Bdd_var_by_index(2).node());
  EXPECT_EQ(link, -1);
  link = 1;
  EXPECT_EQ(m.Find_or_create_bdd_node(1, 1, 1, one, one, link), one);
  EXPECT_EQ(link, 1);
  link = 1;
  EXPECT_EQ(m.Find_or_create_bdd_node(-1, 1, 1, one, one, link), one);
  EXPECT_EQ(m.Find_or_create_bdd_node(-2, 1, 1, one, one, link), nullptr);
}

TEST(FindOrCreate, SecondRequestFindsTheNode) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "ab");
  int link = 1;
  bdd_node* first = m.Find_or_create_bdd_node(0, 1, -1, v[1].node(), m.Bdd_node_one(), link);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->global_id, 4);
  EXPECT_EQ(m.Bdd_total_size(), 5);
  const int refs = first->refs;
  link = 1;
  bdd_node* again = m.Find_or_create_bdd_node(0, 1, -1, v[1].node(), m.Bdd_node_one(), link);
  EXPECT_EQ(again, first);
  EXPECT_EQ(first->refs, refs + 1);
  EXPECT_EQ(m.Bdd_total_size(), 5);
  EXPECT_EQ(bdd(&m, link, again), m.Bdd_and(v[0], v[1]));
}

TEST(FindOrCreate, ComplementedThenEdgeMovesToTheResult) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "ab");
  int link = 1;
  // (NOT b) if a, else b: the node is built on b with the complement moved out.
  bdd_node* n = m.Find_or_create_bdd_node(0, -1, 1, v[1].node(), v[1].node(), link);
  bdd f(&m, link, n);
  EXPECT_EQ(link, -1);
  EXPECT_EQ(f, m.Bdd_xor(v[0], v[1]));
}

TEST(FindOrCreate, OrderViolationIsReported) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "abcd");
  const int before = m.Bdd_total_size();
  ktest::stream_capture cerr_capture(std::cerr);
  int link = 1;
  bdd_node* n = m.Find_or_create_bdd_node(3, 1, 1, v[3].node(), m.Bdd_node_one(), link);
  EXPECT_EQ(cerr_capture.stop(),
            "FATAL ERROR: Bad call of bddpp_manager::Find_or_create_bdd_node():\n"
            "  index 3 is not less than  its then node index (3)\n");
  EXPECT_EQ(n, nullptr);
  EXPECT_EQ(m.Bdd_total_size(), before);
  ktest::stream_capture cerr_capture2(std::cerr);
  n = m.Find_or_create_bdd_node(2, 1, 1, m.Bdd_node_one(), v[1].node(), link);
  EXPECT_EQ(cerr_capture2.stop(),
            "FATAL ERROR: Bad call of bddpp_manager::Find_or_create_bdd_node():\n"
            "  index 2 is not less than  its else node index (1)\n");
  EXPECT_EQ(n, nullptr);
}

TEST(FindOrCreate, LevelBeyondTheVariablesIsRefused) {
  bddpp_manager m;
  declare(m, "a");
  int link = 1;
  ktest::stream_capture cerr_capture(std::cerr);
  EXPECT_EQ(m.Find_or_create_bdd_node(1, 1, -1, m.Bdd_node_one(), m.Bdd_node_one(), link), nullptr);
  EXPECT_EQ(cerr_capture.stop(),
            "Error in bddpp_manager::Find_or_create_bdd_node(): abnormal index 1\n");
}

// Identifiers 0 and 4,096 have the same low 12 bits, so their variable
// nodes share a signature; the table still tells them apart.
TEST(UniqueTable, NodesWithEqualSignaturesStayDistinct) {
  bddpp_manager m;
  std::vector<bdd> v;
  for (int i = 0; i <= 4096; ++i) v.push_back(m.New_var_last("v" + std::to_string(i)));
  EXPECT_EQ(v[0].node()->signature(), v[4096].node()->signature());
  EXPECT_NE(v[0], v[4096]);
  bdd f = m.Bdd_and(v[0], m.Bdd_not(v[4096]));
  bdd g = m.Bdd_and(v[4096], m.Bdd_not(v[0]));
  EXPECT_NE(f, g);
  EXPECT_EQ(m.Bdd_or(f, g), m.Bdd_xor(v[0], v[4096]));
  EXPECT_EQ(m.Bdd_exist(f, v[4096]), v[0]);
}

// The table on its own, through growth and removals: after erasing a random
// half of its nodes (in a random order), every remaining node is still found
// and no erased one is, whatever runs of neighbouring slots the removals
// broke.
TEST(UniqueTable, RemovalsKeepTheOtherNodesReachable) {
  std::vector<bdd_node> anchors(64);
  std::vector<std::unique_ptr<bdd_node>> nodes;
  for (int i = 0; i < 20000; ++i) {
    nodes.push_back(std::make_unique<bdd_node>(nullptr, i + 2, i % 11, 1, i % 2 ? 1 : -1,
                                               &anchors[(i / 22) % 64], &anchors[i / 1408]));
  }
  bddpp_detail::unique_table table;
  for (auto& n : nodes) {
    ASSERT_EQ(table.insert(n.get()), nullptr);
  }
  // Entering a node again changes nothing.
  EXPECT_EQ(table.insert(nodes[5].get()), nullptr);
  ASSERT_EQ(table.size(), nodes.size());
  std::mt19937 rng(5);
  std::vector<std::size_t> order(nodes.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), rng);
  std::vector<bool> erased(nodes.size(), false);
  for (std::size_t k = 0; k < order.size() / 2; ++k) {
    table.erase(nodes[order[k]].get());
    erased[order[k]] = true;
  }
  EXPECT_EQ(table.size(), nodes.size() - nodes.size() / 2);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const bdd_node& n = *nodes[i];
    EXPECT_EQ(table.find(n.var_id, n.then_node, n.else_node, n.else_link_type),
              erased[i] ? nullptr : &n)
        << "node " << i;
  }
  // Erasing an absent quadruple leaves the table as it is.
  table.erase(nodes[order[0]].get());
  EXPECT_EQ(table.size(), nodes.size() - nodes.size() / 2);
  std::size_t listed = 0;
  table.for_each([&](bdd_node* n) {
    EXPECT_FALSE(erased[static_cast<std::size_t>(n->global_id - 2)]);
    ++listed;
  });
  EXPECT_EQ(listed, table.size());
}

// A node with the quadruple of a node in the table takes its place.
TEST(UniqueTable, InsertReplacesTheNodeOfTheSameQuadruple) {
  bdd_node child;
  bdd_node first(nullptr, 2, 3, 1, -1, &child, &child);
  bdd_node second(nullptr, 3, 3, 1, -1, &child, &child);
  bddpp_detail::unique_table table;
  EXPECT_EQ(table.insert(&first), nullptr);
  EXPECT_EQ(table.insert(&second), &first);
  EXPECT_EQ(table.size(), 1u);
  EXPECT_EQ(table.find(3, &child, &child, -1), &second);
  EXPECT_EQ(table.find(3, &child, &child, 1), nullptr);
}

// Enough nodes for the unique table to grow several times (its outgrown
// slot arrays become node memory): every function keeps its truth table and
// every live node its own address.
TEST(UniqueTable, FunctionsSurviveTheTableGrowing) {
  bddpp_manager m;
  const int nvars = 12;
  declare(m, "abcdefghijkl");
  std::mt19937 rng(11);
  std::vector<std::string> tables;
  std::vector<bdd> functions;
  for (int i = 0; i < 24; ++i) {
    tables.push_back(random_table(rng, nvars));
    functions.push_back(from_truth_table(m, tables.back(), nvars, minterm_order::descending));
  }
  ASSERT_GT(bddpp_test_access::table_size(m), std::size_t(1) << 15);
  std::set<const bdd_node*> seen;
  std::size_t count = 0;
  for (std::size_t i = 0; i < functions.size(); ++i) {
    EXPECT_EQ(truth_table(functions[i], nvars), tables[i]) << "function " << i;
    bddpp_detail::walk_each_node_once(functions[i].node(), [&](bdd_node* n) {
      seen.insert(n);
      return bddpp_detail::walk_step::descend;
    });
  }
  m.Bdd_global_clear_marks();
  m.Bdd_gc();
  for (std::size_t i = 0; i < functions.size(); ++i) {
    EXPECT_EQ(truth_table(functions[i], nvars), tables[i])
        << "function " << i << " after collection";
  }
  for (const bdd_node* n : seen) {
    count += n->var_id >= 0 ? 1 : 0;
  }
  EXPECT_LE(count, bddpp_test_access::table_size(m));
}

TEST(Numbering, DepthFirstThenBeforeElse) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "xy");
  bdd f = m.Bdd_and(v[0], v[1]);
  m.Bdd_clear_marks(f);
  EXPECT_EQ(m.Bdd_incremental_id(f.node(), 0), 3);
  EXPECT_EQ(f.node()->dfs_number, 0);
  EXPECT_EQ(v[1].node()->dfs_number, 1);
  EXPECT_EQ(m.Bdd_node_one()->dfs_number, 2);
  // Marked nodes are not numbered again.
  EXPECT_EQ(m.Bdd_incremental_id(f.node(), 10), 10);
  m.Bdd_global_clear_marks();
  EXPECT_EQ(f.node()->mark, 0u);
  ktest::stream_capture cerr_capture(std::cerr);
  EXPECT_EQ(m.Bdd_incremental_id(nullptr, 4), 4);
  EXPECT_EQ(cerr_capture.stop(),
            "Warning: call bddpp_manager::Bdd_incremental_id() with null reference!\n");
}

TEST(Numbering, ClearMarksReachesEveryNode) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "abcd");
  bdd f = m.Bdd_or(m.Bdd_and(v[0], v[2]), m.Bdd_and(v[1], m.Bdd_xor(v[2], v[3])));
  m.Bdd_clear_marks(f);
  const long size = m.Bdd_incremental_id(f.node(), 0);
  EXPECT_EQ(size, m.Bdd_size(f));
  // Every node is marked now; clearing unmarks them all, so numbering again
  // reaches them all.
  m.Bdd_clear_marks(f);
  EXPECT_EQ(m.Bdd_incremental_id(f.node(), 0), size);
}

TEST(NodeEquality, ComparesVariableLinkAndChildren) {
  bdd_node a(nullptr, 5, 2, 0, -1, nullptr, nullptr);
  bdd_node b(nullptr, 9, 2, 3, -1, nullptr, nullptr);
  bdd_node c(nullptr, 5, 2, 0, 1, nullptr, nullptr);
  EXPECT_TRUE(a == b);
  EXPECT_FALSE(a == c);
}

}  // namespace
