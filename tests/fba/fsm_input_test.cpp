// FSM_input: construction, copies, comparison, and arrays of inputs made
// from constant lists.
#include "fba/FSM_input.h"
#include "utilities/list_templates.h"

#include <gtest/gtest.h>

#include <list>
#include <string>

namespace {

TEST(FSMInput, DefaultIsUndefinedAndUnnamed) {
  const FSM_input in;
  EXPECT_EQ(in.my_type(), 0);
  EXPECT_EQ(in.my_name(), "");
  FSM_input* array = new FSM_input[3];
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE("element " + std::to_string(i));
    EXPECT_EQ(array[i], FSM_input(FSM_type_input(0), ""));
  }
  delete[] array;
}

TEST(FSMInput, ConstructionCopyAndAssignment) {
  const FSM_input a(FSM_type_input(2), "a");
  EXPECT_EQ(a.my_type(), FSM_type_bool);
  EXPECT_EQ(a.my_name(), "a");
  const FSM_input copy(a);
  EXPECT_EQ(copy.my_type(), 2);
  EXPECT_EQ(copy.my_name(), "a");
  FSM_input b(FSM_type_input(3), "b");
  FSM_input& result = (b = a);
  EXPECT_EQ(&result, &b);
  EXPECT_EQ(b.my_type(), 2);
  EXPECT_EQ(b.my_name(), "a");
}

TEST(FSMInput, EqualityComparesTypeAndName) {
  struct Row {
    FSM_input x, y;
    bool equal;
  };
  const Row rows[] = {
      {FSM_input(FSM_type_input(2), "a"), FSM_input(FSM_type_input(2), "a"), true},
      {FSM_input(FSM_type_input(2), "a"), FSM_input(FSM_type_input(1), "a"), false},
      {FSM_input(FSM_type_input(2), "a"), FSM_input(FSM_type_input(2), "b"), false},
      {FSM_input(), FSM_input(FSM_type_input(0), ""), true},
  };
  for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(rows[i].x == rows[i].y, rows[i].equal);
    EXPECT_EQ(rows[i].x != rows[i].y, !rows[i].equal);
  }
}

TEST(FSMInput, ArrayFromConstantList) {
  const std::list<FSM_input> inputs{FSM_input(FSM_type_input(2), "go"),
                                    FSM_input(FSM_type_input(1), "stop")};
  FSM_input* array = array_convert(inputs);
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(array[0], FSM_input(FSM_type_input(2), "go"));
  EXPECT_EQ(array[1], FSM_input(FSM_type_input(1), "stop"));
  delete[] array;
  const std::list<FSM_input> none;
  FSM_input* empty = array_convert(none);
  EXPECT_NE(empty, nullptr);
  delete[] empty;
}

}  // namespace
