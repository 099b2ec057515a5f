// Positional access, search, array copies, printing and set operations.
#include "utilities/list_String.h"
#include "utilities/list_int.h"
#include "utilities/list_long.h"
#include "support/capture.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

template <class T>
std::string printed(const T& value) {
  std::ostringstream os;
  os << value;
  return os.str();
}

// An element type that counts its default constructions and assignments.
struct Counted {
  static int constructed;
  static int assigned;
  int value = 0;
  Counted() { ++constructed; }
  Counted(int v) : value(v) {}
  Counted(const Counted& o) : value(o.value) {}
  Counted& operator=(const Counted& o) {
    ++assigned;
    value = o.value;
    return *this;
  }
};
int Counted::constructed = 0;
int Counted::assigned = 0;

TEST(ListSearch, ItemWhereAndItemIn) {
  const std::list<int> l{5, 3, 5};
  struct Row {
    int x;
    int where;
    bool in;
  };
  const Row rows[] = {{5, 1, true}, {3, 2, true}, {4, 0, false}};
  for (const Row& r : rows) {
    SCOPED_TRACE("x = " + std::to_string(r.x));
    EXPECT_EQ(item_where(l, r.x), r.where);
    EXPECT_EQ(item_in(l, r.x), r.in);
  }
  EXPECT_EQ(item_where(std::list<int>{}, 1), 0);
  EXPECT_FALSE(item_in(std::list<int>{}, 1));
  const std::list<long> longs{7, 8};
  EXPECT_EQ(item_where(longs, 8), 2);
  const std::list<std::string> names{"a", "b"};
  EXPECT_EQ(item_where(names, "b"), 2);
  EXPECT_TRUE(item_in(names, "a"));
  EXPECT_FALSE(item_in(names, "ab"));
  const std::list<std::list<int>> nested{{1}, {5, 3}, {5, 3}};
  EXPECT_EQ(item_where(nested, std::list<int>{5, 3}), 2);
  EXPECT_EQ(item_where(nested, std::list<int>{5}), 0);
}

TEST(ListPositions, ReadNumber) {
  const std::list<int> l{5, 3, 9};
  struct Row {
    int n;
    int want;
  };
  const Row rows[] = {{1, 5}, {2, 3}, {3, 9}, {0, 0}, {-1, 0}, {4, 0}};
  for (const Row& r : rows) {
    SCOPED_TRACE("n = " + std::to_string(r.n));
    EXPECT_EQ(read_number(l, r.n), r.want);
  }
  const std::list<std::string> names{"a", "b"};
  EXPECT_EQ(read_number(names, 2), "b");
  EXPECT_EQ(read_number(names, 3), "");
  EXPECT_EQ(read_number(names, 0), "");
  EXPECT_EQ(read_number(std::list<long>{4}, 1), 4);
}

TEST(ListPositions, SupAndReplaceNumber) {
  struct Row {
    int n;
    std::string after_sup, after_replace;
  };
  const Row rows[] = {
      {0, "(5, 3, 9)", "(5, 3, 9)"}, {-2, "(5, 3, 9)", "(5, 3, 9)"}, {4, "(5, 3, 9)", "(5, 3, 9)"},
      {1, "(3, 9)", "(0, 3, 9)"},    {3, "(5, 3)", "(5, 3, 0)"},     {2, "(5, 9)", "(5, 0, 9)"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("n = " + std::to_string(r.n));
    std::list<int> sup{5, 3, 9}, rep{5, 3, 9};
    sup_number(sup, r.n);
    replace_number(rep, r.n, 0);
    EXPECT_EQ(printed(sup), r.after_sup);
    EXPECT_EQ(printed(rep), r.after_replace);
  }
  std::list<std::list<std::string>> nested{{"x"}, {"y", "z"}};
  replace_number(nested, 1, std::list<std::string>{"w"});
  sup_number(nested, 2);
  EXPECT_EQ(printed(nested), "((w))");
}

TEST(ArrayConvert, NonConstListNullWhenEmpty) {
  std::list<int> empty;
  EXPECT_EQ(array_convert(empty), nullptr);
  std::list<int> l{5, 3};
  int* a = array_convert(l);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(std::vector<int>(a, a + 2), (std::vector<int>{5, 3}));
  delete[] a;
  std::list<std::string> names{"p", "q", "r"};
  std::string* s = array_convert(names);
  EXPECT_EQ(std::vector<std::string>(s, s + 3), (std::vector<std::string>{"p", "q", "r"}));
  delete[] s;
}

TEST(ArrayConvert, ConstListNeverNull) {
  const std::list<int> empty;
  int* z = array_convert(empty);
  EXPECT_NE(z, nullptr);
  delete[] z;
  const std::list<int> l{5, 3};
  int* a = array_convert(l);
  EXPECT_EQ(std::vector<int>(a, a + 2), (std::vector<int>{5, 3}));
  delete[] a;
}

TEST(ArrayConvert, DefaultConstructsThenAssignsEachElement) {
  for (bool constant : {false, true}) {
    SCOPED_TRACE(constant ? "constant list" : "list");
    std::list<Counted> l{Counted(4), Counted(6), Counted(8)};
    Counted::constructed = Counted::assigned = 0;
    Counted* a =
        constant ? array_convert(static_cast<const std::list<Counted>&>(l)) : array_convert(l);
    EXPECT_EQ(Counted::constructed, 3);
    EXPECT_EQ(Counted::assigned, 3);
    EXPECT_EQ(a[0].value + 10 * a[1].value + 100 * a[2].value, 864);
    delete[] a;
  }
}

TEST(Car, FirstElementOrWarning) {
  {
    ktest::stream_capture err(std::cerr);
    EXPECT_EQ(car(std::list<int>{7, 8}), 7);
    EXPECT_EQ(err.text(), "");
  }
  ktest::stream_capture err(std::cerr);
  EXPECT_EQ(car(std::list<int>{}), 0);
  EXPECT_EQ(car(std::list<std::string>{}), "");
  EXPECT_EQ(err.text(),
            "Warning: abnormal use of car(list<T> &)\n"
            "Warning: abnormal use of car(list<T> &)\n");
}

TEST(Sets, InterUnionAndMembership) {
  struct Row {
    std::set<long> a, b;
    std::string inter, uni;
  };
  const Row rows[] = {
      {{1, 2, 3}, {2, 3, 4}, "{2,3}", "{1,2,3,4}"},
      {{}, {2, 3}, "{}", "{2,3}"},
      {{1, 2}, {}, "{}", "{1,2}"},
      {{1, 2}, {5, 6}, "{}", "{1,2,5,6}"},
  };
  auto text = [](const std::set<long>& s) { return printed(std::set<int>(s.begin(), s.end())); };
  for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(text(set_inter(rows[i].a, rows[i].b)), rows[i].inter);
    EXPECT_EQ(text(set_union(rows[i].a, rows[i].b)), rows[i].uni);
  }
  const std::set<int> s{1, 2, 3};
  EXPECT_EQ(item_in(s, 2), 1);
  EXPECT_EQ(item_in(s, 4), 0);
  EXPECT_EQ(item_in(std::set<int>{}, 0), 0);
}

TEST(Printing, ListsAndSets) {
  struct Row {
    std::string got, want;
  };
  const Row rows[] = {
      {printed(std::list<int>{}), "()"},
      {printed(std::list<int>{5}), "(5)"},
      {printed(std::list<long>{-1, 2}), "(-1, 2)"},
      {printed(std::list<std::string>{"a", "b"}), "(a, b)"},
      {printed(std::list<std::string>{"a b", ""}), "(a b, )"},
      {printed(std::list<std::list<int>>{{5, 3}, {5, 3}}), "((5, 3), (5, 3))"},
      {printed(std::list<std::list<long>>{{}, {1}}), "((), (1))"},
      {printed(std::set<int>{3, 1, 2}), "{1,2,3}"},
      {printed(std::set<int>{}), "{}"},
      {printed(std::set<int>{-4}), "{-4}"},
  };
  for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(rows[i].got, rows[i].want);
  }
}

TEST(GlobalEmptyLists, StartEmpty) {
  EXPECT_TRUE(empty_list_int.empty());
  EXPECT_TRUE(empty_list_long.empty());
  EXPECT_TRUE(empty_list_String.empty());
}

}  // namespace
