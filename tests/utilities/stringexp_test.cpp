// The expression checker: valid and invalid texts with their position
// counters, the token trace, and the accept-numbers flag.
#include "utilities/Stringexp.h"
#include "support/capture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The vocabulary a, b; infix "+"; prefix "!"; brackets ( ) and [ ].
expressions_checker make_checker() {
  expressions_checker c;
  c.add_variable("a");
  c.add_variable("b");
  c.add_operator("+", 2);
  c.add_operator("!", 1);
  c.add_factor("(", ")");
  c.add_factor("[", "]");
  return c;
}

TEST(ExpressionsChecker, Table) {
  const expressions_checker c = make_checker();
  struct Row {
    std::string text;
    int want;
  };
  const Row rows[] = {
      {"a + b", 0},   {"! a", 0},     {"( a + b )", 0}, {"a", 0},
      {"  a  ", 0},   {"a+b", 0},     {"( a ]", 0},     {"! ( a ) + [ b ]", 0},
      {"((a))", 0},   {"a b", 5},     {"a +", 6},       {"a ! b", 5},
      {"", 2},        {"   ", 3},     {"( a", 5},       {"a )", 3},
      {"( a + c", 9}, {"+ a", 3},     {"c", 3},         {"a + + b", 7},
      {"( )", 5},     {"a ) + b", 3},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.text + "\"");
    ktest::stream_capture err(std::cerr);
    EXPECT_EQ(c.check(r.text), r.want);
  }
}

TEST(ExpressionsChecker, TraceOfOneCheck) {
  const expressions_checker c = make_checker();
  ktest::stream_capture err(std::cerr);
  EXPECT_EQ(c.check("a + b"), 0);
  EXPECT_EQ(err.text(), "tok=a state=2\ntok=+ state=1\ntok=b state=2\ntok= state=3\n");
}

TEST(ExpressionsChecker, GroupTraceNestsInsideTheBracketLine) {
  const expressions_checker c = make_checker();
  ktest::stream_capture err(std::cerr);
  EXPECT_EQ(c.check("( a )"), 0);
  EXPECT_EQ(err.text(), "tok=(tok=a state=2\ntok=) state=3\n state=2\ntok= state=3\n");
}

TEST(ExpressionsChecker, FirstDeclarationWins) {
  // A text declared as operand and operator is an operand where one is
  // expected and an operator elsewhere; an operator's arity is the first.
  expressions_checker c = make_checker();
  c.add_variable("x");
  c.add_operator("x", 2);
  c.add_operator("!", 2);
  ktest::stream_capture err(std::cerr);
  EXPECT_EQ(c.check("x x a"), 0);
  EXPECT_EQ(c.check("! a"), 0);
  EXPECT_EQ(c.check("a ! b"), 5);
}

TEST(ExpressionsChecker, AcceptNumbersTakesEveryTokenAsOperand) {
  expressions_checker c = make_checker();
  c.accept_numbers();
  struct Row {
    std::string text;
    int want;
  };
  const Row rows[] = {
      {"3 + x", 0},  // undeclared names are operands
      {"+ + a", 0},  // an operator where an operand is expected too
      {"( a )", 5},  // so "(" opens no group and the next operand fails
      {"a b", 5},   {"", 2},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.text + "\"");
    ktest::stream_capture err(std::cerr);
    EXPECT_EQ(c.check(r.text), r.want);
  }
}

TEST(ExpressionsChecker, RecCheckReturnsTheRestOfTheLevel) {
  const expressions_checker c = make_checker();
  int depth = 1, error = 0, position = 1;
  ktest::stream_capture err(std::cerr);
  EXPECT_EQ(c.rec_check(" a ) + b", &depth, &error, &position), " + b");
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(position, 3);
  EXPECT_EQ(Stringtype("anything"), 2);
}

}  // namespace
