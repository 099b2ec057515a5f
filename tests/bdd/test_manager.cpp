// The manager and its variable table.
#include <gtest/gtest.h>
#include <iostream>
#include <memory>

#include "engine_access.h"
#include "support/truth_table.h"
#include "support/capture.h"

using bdd_core_test::declare;
using ktest::truth_table;

namespace {

TEST(Manager, FreshManager) {
  bddpp_manager m;
  EXPECT_EQ(m.Nb_bdd_vars(), 0);
  EXPECT_EQ(m.Bdd_total_size(), 2);
  EXPECT_EQ(bddpp_test_access::capacity(m), 16);
  EXPECT_EQ(m.Bdd_version(), "4.0b");
  EXPECT_EQ(Bdd_version(), "4.0b");
}

TEST(Manager, VariablesAreNumberedInOrder) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "abc");
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(v[i].node()->global_id, i + 2);
    EXPECT_EQ(v[i].link_type(), 1);
    EXPECT_EQ(m.Index_var_by_bdd(v[i]), i);
    EXPECT_EQ(m.Id_var_by_bdd(v[i]), i);
    EXPECT_EQ(v[i].node()->refs >= 1, true);
  }
}

TEST(Manager, SameNameTwice) {
  bddpp_manager m;
  bdd a = m.New_var_last("a");
  const int next = m.Bdd_total_size();
  EXPECT_EQ(m.New_var_last("a"), a);
  EXPECT_EQ(m.Nb_bdd_vars(), 1);
  EXPECT_EQ(m.Bdd_total_size(), next);
  // The empty string is a name like any other.
  bdd e = m.New_var_last("");
  EXPECT_EQ(m.New_var_last(""), e);
  EXPECT_EQ(m.Nb_bdd_vars(), 2);
}

TEST(Manager, TableGrowsByDoubling) {
  bddpp_manager m;
  std::vector<bdd> v;
  for (int i = 0; i < 16; ++i) v.push_back(m.New_var_last("v" + std::to_string(i)));
  EXPECT_EQ(bddpp_test_access::capacity(m), 16);
  v.push_back(m.New_var_last("v16"));
  EXPECT_EQ(bddpp_test_access::capacity(m), 32);
  for (int i = 0; i < 17; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(m.Name_var_by_index(i), "v" + std::to_string(i));
    EXPECT_EQ(m.Bdd_var_by_index(i), v[i]);
  }
}

TEST(Manager, DeclareBefore) {
  bddpp_manager m;
  std::vector<bdd> v = declare(m, "ab");
  bdd ab = m.Bdd_and(v[0], v[1]);
  bdd_node* z = m.New_node_var_before(0, "z");
  ASSERT_NE(z, nullptr);
  EXPECT_EQ(m.Id_var_by_name("a"), 0);
  EXPECT_EQ(m.Id_var_by_name("b"), 1);
  EXPECT_EQ(m.Id_var_by_name("z"), 2);
  EXPECT_EQ(m.Index_var_by_name("z"), 0);
  EXPECT_EQ(m.Index_var_by_name("a"), 1);
  EXPECT_EQ(m.Index_var_by_name("b"), 2);
  // a AND b keeps its meaning: it does not depend on z (level 0).
  EXPECT_EQ(truth_table(ab, 3), "00000011");
  EXPECT_EQ(m.Bdd_and(v[0], v[1]), ab);
  ASSERT_NE(m.New_node_var_before(2, "w"), nullptr);
  std::string order;
  for (long l = 0; l < m.Nb_bdd_vars(); ++l) order += m.Name_var_by_index(l);
  EXPECT_EQ(order, "zawb");
  // A known name returns its variable and moves nothing.
  EXPECT_EQ(m.New_node_var_before(0, "b"), v[1].node());
  EXPECT_EQ(m.Index_var_by_name("b"), 3);
}

TEST(Manager, DeclareBeforeAndAfterBadLevels) {
  struct row {
    const char* what;
    long level;
    bool after;
    const char* message;
  };
  const row rows[] = {
      {"before -1", -1, false, "Error in new_node_var_before(): abnormal index ...\n"},
      {"before 2", 2, false, "Error in new_node_var_before(): abnormal index ...\n"},
      {"after 5", 5, true, "Error in new_node_var_after(): abnormal id ...\n"},
      {"after 2", 2, true, "Error in new_node_var_after(): abnormal id ...\n"},
      {"after -2", -2, true, "Error in new_node_var_before(): abnormal index ...\n"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    bddpp_manager m;
    declare(m, "ab");
    ktest::stream_capture cerr_capture(std::cerr);
    bdd_node* n =
        r.after ? m.New_node_var_after(r.level, "c") : m.New_node_var_before(r.level, "c");
    EXPECT_EQ(cerr_capture.stop(), r.message);
    EXPECT_EQ(n, nullptr);
    EXPECT_EQ(m.Nb_bdd_vars(), 2);
  }
}

TEST(Manager, DeclareAfter) {
  bddpp_manager m;
  declare(m, "ab");
  ASSERT_NE(m.New_node_var_after(1, "c"), nullptr);
  ASSERT_NE(m.New_node_var_after(-1, "t"), nullptr);
  ASSERT_NE(m.New_node_var_after(1, "u"), nullptr);
  std::string order;
  for (long l = 0; l < m.Nb_bdd_vars(); ++l) order += m.Name_var_by_index(l);
  EXPECT_EQ(order, "taubc");
  // The handle forms take the level of the literal's variable.
  bdd b = m.Bdd_var_by_name("b");
  m.New_var_before(b, "p");
  m.New_var_after(b, "q");
  order.clear();
  for (long l = 0; l < m.Nb_bdd_vars(); ++l) order += m.Name_var_by_index(l);
  EXPECT_EQ(order, "taupbqc");
}

TEST(Manager, Renaming) {
  bddpp_manager m;
  declare(m, "ab");
  m.Rename_var("c", "a");
  EXPECT_EQ(m.Name_var_by_id(0), "c");
  EXPECT_EQ(m.New_var_last("a"), m.Bdd_var_by_id(0));
  EXPECT_EQ(m.Nb_bdd_vars(), 2);
  bdd c = m.New_var_last("c");
  EXPECT_EQ(m.Nb_bdd_vars(), 3);
  EXPECT_EQ(m.Id_var_by_bdd(c), 2);

  struct row {
    const char* new_name;
    const char* old_name;
    const char* message;
  };
  const row rows[] = {
      {"b", "c",
       "in bdd_manager::Rename_var(): WARNING b ALREADY DEFINED !\n"
       "renaming process aborted ...\n"},
      {"k", "zz",
       "in bdd_manager::Rename_var(): WARNING zz NOT FOUND !\n"
       "renaming process aborted ...\n"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.new_name);
    ktest::stream_capture cerr_capture(std::cerr);
    m.Rename_var(r.new_name, r.old_name);
    EXPECT_EQ(cerr_capture.stop(), r.message);
    EXPECT_EQ(m.Name_var_by_id(0), "c");
    EXPECT_EQ(m.Name_var_by_id(1), "b");
  }
}

TEST(Manager, NameFilters) {
  bddpp_manager m;
  for (const char* n : {"_x", "__y", "", "x_", "a.b.c"}) m.New_var_last(n);
  m.No_begin_underscore_name();
  m.Replace_char_in_all_names('.', '_');
  const char* expected[] = {"v_x", "v__y", "", "x_", "a_b_c"};
  for (long id = 0; id < 5; ++id) {
    SCOPED_TRACE(id);
    EXPECT_EQ(m.Name_var_by_id(id), expected[id]);
  }
  m.Change_name_by_index(0, "first");
  m.Change_name_by_id(4, "last");
  EXPECT_EQ(m.Name_var_by_index(0), "first");
  EXPECT_EQ(m.Name_var_by_id(4), "last");
  ktest::stream_capture cerr_capture(std::cerr);
  m.Change_name_by_index(5, "none");
  m.Change_name_by_id(-1, "none");
  EXPECT_EQ(cerr_capture.stop(),
            "calling bddpp_manager::Change_name_by_index() with index= 5 :out of range!\n"
            "calling bddpp_manager::Change_name_by_id() with id= -1 :out of range!\n");
}

TEST(Manager, CopyOfAnotherManager) {
  bddpp_manager other;
  std::vector<bdd> v = declare(other, "abc");
  bdd f = other.Bdd_and(v[0], other.Bdd_or(v[1], v[2]));
  ASSERT_GT(other.Bdd_total_size(), 5);
  bddpp_manager copy(&other);
  EXPECT_EQ(copy.Bdd_total_size(), 5);
  EXPECT_EQ(copy.Nb_bdd_vars(), 3);
  for (long id = 0; id < 3; ++id) {
    SCOPED_TRACE(id);
    EXPECT_EQ(copy.Name_var_by_id(id), other.Name_var_by_id(id));
    EXPECT_EQ(copy.Bdd_var_by_id(id).node()->global_id, id + 2);
  }
  EXPECT_EQ(copy.New_var_last("b"), copy.Bdd_var_by_id(1));
}

TEST(Manager, StringTableMemorySize) {
  bddpp_manager m;
  std::string t[2] = {"abc", std::string(100, 'x')};
  EXPECT_EQ(m.String_table_memory_size(t, 0), 0);
  EXPECT_GE(m.String_table_memory_size(t, 2), 103);
  EXPECT_EQ(m.String_table_memory_size(t, 1), static_cast<long>(t[0].capacity()));
}

// The covers of levels 1 and 2 keep handles on the functions covered; a
// manager drops them before it frees the nodes that a caller made with new,
// so that no handle reads such a node after it is freed (the address
// sanitizer checks it).
TEST(Manager, CoversKeptOnACallersNodeGoBeforeIt) {
  for (const int level : {1, 2}) {
    SCOPED_TRACE(level);
    auto m = std::make_unique<bddpp_manager>();
    bdd a = m->New_var_last("a");
    bdd bc = m->Bdd_and(m->New_var_last("b"), m->New_var_last("c"));
    // a AND b AND c: a at the top, then b AND c, else the constant 0.
    bdd_node* n = new bdd_node(m.get(), 1000, 0, 0, -1, bc.node(), m->Bdd_node_one());
    std::vector<bdd> products;
    ASSERT_EQ(m->Bdd_sop(bdd(m.get(), 1, n), products, level), 1);
    EXPECT_EQ(products[0], bdd(m.get(), 1, n));
    products.clear();
    a = bdd();
    bc = bdd();
    m.reset();
  }
}

}  // namespace
