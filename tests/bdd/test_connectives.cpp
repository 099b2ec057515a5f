// Boolean connectives: truth tables, canonicity, shortcuts, node creation
// order against a plain (memo-free) model of the kernels, fatal messages.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <tuple>

#include "engine_access.h"
#include "support/truth_table.h"
#include "support/capture.h"

using bdd_core_test::declare;
using ktest::from_truth_table;
using ktest::from_truth_table_shannon;
using ktest::minterm_order;
using ktest::random_table;
using ktest::truth_table;

namespace {

constexpr int kVars = 4;

// Expected truth table of a binary connective, character by character.
std::string combine(const std::string& f, const std::string& g,
                    const std::function<bool(bool, bool)>& op) {
  std::string r;
  for (std::size_t i = 0; i < f.size(); ++i) r += op(f[i] == '1', g[i] == '1') ? '1' : '0';
  return r;
}

TEST(Connectives, TruthTablesOnRandomFunctions) {
  std::mt19937 rng(7);
  bddpp_manager m;
  declare(m, "abcd");
  using binary = bdd (bddpp_manager::*)(bdd, bdd);
  struct row {
    const char* name;
    binary op;
    std::function<bool(bool, bool)> expected;
  };
  const row rows[] = {
      {"and", &bddpp_manager::Bdd_and, [](bool x, bool y) { return x && y; }},
      {"or", &bddpp_manager::Bdd_or, [](bool x, bool y) { return x || y; }},
      {"nand", &bddpp_manager::Bdd_nand, [](bool x, bool y) { return !(x && y); }},
      {"nor", &bddpp_manager::Bdd_nor, [](bool x, bool y) { return !(x || y); }},
      {"xor", &bddpp_manager::Bdd_xor, [](bool x, bool y) { return x != y; }},
      {"xnor", &bddpp_manager::Bdd_xnor, [](bool x, bool y) { return x == y; }},
      {"eq", &bddpp_manager::Bdd_eq, [](bool x, bool y) { return x == y; }},
      {"implication", &bddpp_manager::Bdd_implication, [](bool x, bool y) { return !x || y; }},
  };
  for (int trial = 0; trial < 20; ++trial) {
    const std::string tf = random_table(rng, kVars);
    const std::string tg = random_table(rng, kVars);
    bdd f = from_truth_table(m, tf, kVars, minterm_order::descending);
    bdd g = from_truth_table(m, tg, kVars, minterm_order::descending);
    for (const row& r : rows) {
      SCOPED_TRACE(std::string(r.name) + " " + tf + " " + tg);
      bdd h = (m.*r.op)(f, g);
      EXPECT_EQ(truth_table(h, kVars), combine(tf, tg, r.expected));
      EXPECT_EQ(h, from_truth_table(m, truth_table(h, kVars), kVars, minterm_order::descending));
      EXPECT_EQ(m.Bdd_is_correct(h), 1);
    }
    const std::string th = random_table(rng, kVars);
    bdd h = from_truth_table(m, th, kVars, minterm_order::descending);
    std::string ite;
    for (std::size_t i = 0; i < tf.size(); ++i) ite += tf[i] == '1' ? tg[i] : th[i];
    EXPECT_EQ(truth_table(m.Bdd_ite(f, g, h), kVars), ite);
    EXPECT_EQ(truth_table(m.Bdd_not(f), kVars), combine(tf, tf, [](bool x, bool) { return !x; }));
  }
}

// Equal functions give equal handles, whatever the way they were built.
TEST(Connectives, Canonicity) {
  std::mt19937 rng(11);
  bddpp_manager m;
  declare(m, "abcde");
  for (int trial = 0; trial < 40; ++trial) {
    const std::string t = random_table(rng, 5);
    SCOPED_TRACE(t);
    bdd sum = from_truth_table(m, t, 5, minterm_order::descending);
    bdd shannon = from_truth_table_shannon(m, t, 0, 5, 0);
    EXPECT_EQ(sum, shannon);
    EXPECT_EQ(truth_table(sum, 5), t);
    EXPECT_EQ(m.Bdd_not(m.Bdd_not(sum)), sum);
  }
}

TEST(Connectives, SymmetricOrdersAndIdentities) {
  std::mt19937 rng(3);
  bddpp_manager m;
  declare(m, "abcd");
  for (int trial = 0; trial < 20; ++trial) {
    bdd f = from_truth_table(m, random_table(rng, kVars), kVars, minterm_order::descending);
    bdd g = from_truth_table(m, random_table(rng, kVars), kVars, minterm_order::descending);
    EXPECT_EQ(m.Bdd_and(f, g), m.Bdd_and(g, f));
    EXPECT_EQ(m.Bdd_or(f, g), m.Bdd_or(g, f));
    EXPECT_EQ(m.Bdd_xor(f, g), m.Bdd_xor(g, f));
    EXPECT_EQ(m.Bdd_xnor(f, g), m.Bdd_xnor(g, f));
    // De Morgan and the definition of exclusive or.
    EXPECT_EQ(m.Bdd_not(m.Bdd_and(f, g)), m.Bdd_or(m.Bdd_not(f), m.Bdd_not(g)));
    EXPECT_EQ(m.Bdd_xor(f, g), m.Bdd_or(m.Bdd_and(f, m.Bdd_not(g)), m.Bdd_and(m.Bdd_not(f), g)));
  }
}

TEST(Connectives, Shortcuts) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "xyz");
  bdd f = m.Bdd_or(m.Bdd_and(v[0], v[1]), v[2]);
  bdd one = m.Bdd_one();
  bdd zero = m.Bdd_zero();
  struct row {
    const char* what;
    bdd got;
    bdd expected;
  };
  const row rows[] = {
      {"x and not x", m.Bdd_and(v[0], m.Bdd_not(v[0])), zero},
      {"x or not x", m.Bdd_or(v[0], m.Bdd_not(v[0])), one},
      {"1 and f", m.Bdd_and(one, f), f},
      {"0 or f", m.Bdd_or(zero, f), f},
      {"0 and f", m.Bdd_and(zero, f), zero},
      {"1 or f", m.Bdd_or(one, f), one},
      {"f and f", m.Bdd_and(f, f), f},
      {"ite(f, 1, 0)", m.Bdd_ite(f, one, zero), f},
      {"ite(f, 0, 1)", m.Bdd_ite(f, zero, one), m.Bdd_not(f)},
      {"xor(f, f)", m.Bdd_xor(f, f), zero},
      {"xnor(f, f)", m.Bdd_xnor(f, f), one},
      {"eq(f, f)", m.Bdd_eq(f, f), one},
      {"0 implies f", m.Bdd_implication(zero, f), one},
      {"ite(+1, -1, g, h)", m.Bdd_ite(1, -1, v[1], v[2]), v[1]},
      {"ite(-1, -1, g, h)", m.Bdd_ite(-1, -1, v[1], v[2]), v[2]},
      {"ite(+1, level 0, g, h)", m.Bdd_ite(1, 0, v[1], v[2]),
       m.Bdd_or(m.Bdd_and(v[0], v[1]), m.Bdd_and(m.Bdd_not(v[0]), v[2]))},
      {"not of empty", m.Bdd_not(bdd()), bdd(&m, 0, nullptr)},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(r.got, r.expected);
  }
  ktest::stream_capture cerr_capture(std::cerr);
  bdd d = m.Bdd_dup(f);
  EXPECT_EQ(cerr_capture.stop(), "Warning: bddpp_manager::Bdd_dup() is became useless ...\n");
  EXPECT_EQ(d, f);
}

TEST(Connectives, AndOfTwoVariablesMakesOneNode) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "ab");
  bdd f = m.Bdd_and(v[0], v[1]);
  EXPECT_EQ(m.Bdd_total_size(), 5);
  ASSERT_EQ(f.link_type(), 1);
  EXPECT_EQ(f.node()->global_id, 4);
  EXPECT_EQ(f.node()->var_id, 0);
  EXPECT_EQ(f.node()->then_node, v[1].node());
  EXPECT_EQ(f.node()->else_node, m.Bdd_node_one());
  EXPECT_EQ(f.node()->else_link_type, -1);
}

// ---- A plain model of the kernels: no memo, every sub-call walked again, a
// node table keyed on the quadruple, numbers in creation order. The engine
// must make the same nodes with the same numbers.
class kernel_model {
 public:
  struct edge {
    int id;
    int link;
    bool operator==(const edge& o) const { return id == o.id && link == o.link; }
  };
  struct node {
    int var;  // -1 for the constant node
    int then_id;
    int else_id;
    int else_link;
  };
  explicit kernel_model(int vars) : nodes(2) {
    nodes[1] = {-1, 0, 0, 1};
    for (int v = 0; v < vars; ++v) make(v, {1, 1}, {1, -1});
  }
  edge var(int v) const { return {v + 2, 1}; }
  edge and_(edge a, edge b) { return kernel(a, b, true); }
  edge or_(edge a, edge b) { return kernel(a, b, false); }
  edge not_(edge a) const { return {a.id, -a.link}; }
  edge xor_(edge f, edge g) {
    edge nf = not_(f), ng = not_(g);
    edge p = and_(f, ng);
    edge q = and_(nf, g);
    return or_(p, q);
  }
  edge ite(edge f, edge g, edge h) {
    edge nf = not_(f);
    edge p = and_(f, g);
    edge q = and_(nf, h);
    return or_(p, q);
  }
  int next_id() const { return static_cast<int>(nodes.size()); }

 private:
  edge kernel(edge a, edge b, bool conj) {
    const int absorbing = conj ? -1 : 1;  // the constant that decides
    if (a.id == 1) return a.link == absorbing ? edge{1, absorbing} : b;
    if (b.id == 1) return b.link == absorbing ? edge{1, absorbing} : a;
    if (a.id == b.id) return a.link == b.link ? b : edge{1, absorbing};
    const node na = nodes[a.id];  // copies: the recursion grows the table
    const node nb = nodes[b.id];
    edge t, e;
    int v;
    if (na.var < nb.var) {
      v = na.var;
      t = kernel({na.then_id, a.link}, b, conj);
      e = kernel({na.else_id, a.link * na.else_link}, b, conj);
    } else if (nb.var < na.var) {
      v = nb.var;
      t = kernel({nb.then_id, b.link}, a, conj);
      e = kernel({nb.else_id, b.link * nb.else_link}, a, conj);
    } else {
      v = na.var;
      t = kernel({na.then_id, a.link}, {nb.then_id, b.link}, conj);
      e = kernel({na.else_id, a.link * na.else_link}, {nb.else_id, b.link * nb.else_link}, conj);
    }
    if (t == e) return t;
    return make(v, t, e);
  }
  edge make(int v, edge t, edge e) {
    const int link = t.link;
    const auto key = std::make_tuple(v, t.id, e.id, e.link * link);
    auto it = table.find(key);
    if (it != table.end()) return {it->second, link};
    nodes.push_back({v, t.id, e.id, e.link * link});
    const int id = static_cast<int>(nodes.size()) - 1;
    table.emplace(key, id);
    return {id, link};
  }
  std::vector<node> nodes;
  std::map<std::tuple<int, int, int, int>, int> table;
};

TEST(Connectives, NodeNumbersFollowThePlainRecursion) {
  constexpr int vars = 6;
  std::mt19937 rng(2024);
  bddpp_manager m;
  std::vector<bdd> pool = declare(m, "abcdef");
  kernel_model model(vars);
  std::vector<kernel_model::edge> mpool;
  for (int v = 0; v < vars; ++v) mpool.push_back(model.var(v));
  for (int step = 0; step < 300; ++step) {
    SCOPED_TRACE(step);
    const std::size_t i = rng() % pool.size();
    const std::size_t j = rng() % pool.size();
    const std::size_t k = rng() % pool.size();
    const bool ni = rng() & 1u;
    bdd f = ni ? m.Bdd_not(pool[i]) : pool[i];
    kernel_model::edge mf = ni ? model.not_(mpool[i]) : mpool[i];
    bdd r;
    kernel_model::edge mr{};
    switch (rng() % 4) {
      case 0:
        r = m.Bdd_and(f, pool[j]);
        mr = model.and_(mf, mpool[j]);
        break;
      case 1:
        r = m.Bdd_or(f, pool[j]);
        mr = model.or_(mf, mpool[j]);
        break;
      case 2:
        r = m.Bdd_xor(f, pool[j]);
        mr = model.xor_(mf, mpool[j]);
        break;
      default:
        r = m.Bdd_ite(f, pool[j], pool[k]);
        mr = model.ite(mf, mpool[j], mpool[k]);
        break;
    }
    ASSERT_EQ(m.Bdd_total_size(), model.next_id());
    ASSERT_EQ(r.node()->global_id, mr.id);
    ASSERT_EQ(r.link_type(), mr.link);
    if (pool.size() < 40) {
      pool.push_back(r);
      mpool.push_back(mr);
    } else {
      const std::size_t slot = rng() % pool.size();
      pool[slot] = r;
      mpool[slot] = mr;
    }
  }
}

TEST(ConnectivesDeathTest, AndWithEmptyHandle) {
  bddpp_manager m;
  bdd x = m.New_var_last("x");
  EXPECT_EXIT(m.Bdd_and(x, bdd()), testing::ExitedWithCode(1),
              "ERROR: call bddpp_manager::Bdd_and\\(\\) with null reference\n"
              "Bdd_and\\(0x[0-9a-f]+,(0|\\(nil\\)|0x0)\\)\n");
}

TEST(ConnectivesDeathTest, OrWithEmptyHandle) {
  bddpp_manager m;
  bdd x = m.New_var_last("x");
  EXPECT_EXIT(m.Bdd_or(bdd(), x), testing::ExitedWithCode(1),
              "^ERROR: call bddpp_manager::Bdd_or\\(\\) with null reference\n$");
}

TEST(ConnectivesDeathTest, IteWithBadLevel) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "xy");
  EXPECT_EXIT(m.Bdd_ite(1, 2, v[0], v[1]), testing::ExitedWithCode(1),
              "ERROR: abnormal index in bddpp_manager::Bdd_ite\\(\\)\n"
              "ERROR: call bddpp_manager::Bdd_and\\(\\) with null reference\n");
}

}  // namespace
