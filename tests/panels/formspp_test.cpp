// The point-on-segment test and the number texts of the dialogs.
#include "panels/formspp.h"

#include <cfloat>
#include <string>

#include <gtest/gtest.h>

namespace {

struct segment_case {
  const char* what;
  double px, py, x1, y1, x2, y2, tolerance;
  bool expected;
};

const segment_case segment_cases[] = {
    {"horizontal, within tolerance", 5, 0.5, 0, 0, 10, 0, 1, true},
    {"horizontal, distance equal to tolerance", 5, 0.5, 0, 0, 10, 0, 0.5, false},
    {"horizontal, beyond the end", 11, 0, 0, 0, 10, 0, 5, false},
    {"horizontal, reversed ends", 5, -0.2, 10, 0, 0, 0, 1, true},
    {"horizontal, at an end", 10, 0, 0, 0, 10, 0, 0.1, true},
    {"vertical, within tolerance", 0.3, 4, 0, 0, 0, 8, 0.5, true},
    {"vertical, too far", 0.6, 4, 0, 0, 0, 8, 0.5, false},
    {"vertical, beyond the end", 0, 9, 0, 8, 0, 0, 5, false},
    {"two equal points, same y", 0.5, 3, 1, 3, 1, 3, 1, true},
    {"two equal points, other y", 1, 3.5, 1, 3, 1, 3, 1, false},
    {"diagonal, on the line", 5, 5, 0, 0, 10, 10, 0.01, true},
    {"diagonal, near the line", 5, 6, 0, 0, 10, 10, 0.8, true},
    {"diagonal, farther than tolerance", 5, 6, 0, 0, 10, 10, 0.7, false},
    {"diagonal, outside the box near an end", 10.1, 10.1, 0, 0, 10, 10, 50, false},
    {"diagonal, reversed ends", 4, 6, 10, 0, 0, 10, 0.01, true},
};

TEST(PointDansSegment, Cases) {
  for (const segment_case& c : segment_cases) {
    EXPECT_EQ(c.expected, point_dans_segment(c.px, c.py, c.x1, c.y1, c.x2, c.y2, c.tolerance))
        << c.what;
  }
}

TEST(DialogNumberText, IntegersAndSmallDoubles) {
  EXPECT_EQ("7", korvane_int_answer_text(7));
  EXPECT_EQ("-2147483648", korvane_int_answer_text(-2147483647 - 1));
  EXPECT_EQ("2.500000", korvane_double_answer_text(2.5));
  EXPECT_EQ("-0.125000", korvane_double_answer_text(-0.125));
}

// The largest doubles print 309 integer digits: the text must come back
// whole instead of overrunning a fixed buffer.
TEST(DialogNumberText, LargestDoubleIsWrittenWhole) {
  const std::string text = korvane_double_answer_text(-DBL_MAX);
  ASSERT_EQ(1u + 309u + 7u, text.size());
  EXPECT_EQ("-17976931348623157081", text.substr(0, 21));
  EXPECT_EQ(".000000", text.substr(text.size() - 7));
  // 1e92 is the first power of ten whose text (100 characters) no longer
  // fits a 100-byte buffer with its terminating NUL.
  const std::string large = korvane_double_answer_text(1e92);
  ASSERT_EQ(100u, large.size());
  EXPECT_EQ("1000000000", large.substr(0, 10));
}

struct double_answer_case {
  const char* answer;
  double fallback;
  double expected;
};

TEST(DialogNumberAnswer, Doubles) {
  const double_answer_case cases[] = {
      {"3.5", 1.0, 3.5},   {"  -2e3", 1.0, -2000.0}, {"12abc", 0.0, 12.0},
      {"abc", 2.25, 2.25}, {"", 4.0, 4.0},           {nullptr, 6.5, 6.5},
  };
  for (const double_answer_case& c : cases) {
    EXPECT_EQ(c.expected, korvane_read_double_answer(c.answer, c.fallback))
        << (c.answer != nullptr ? c.answer : "(cancelled)");
  }
}

TEST(DialogNumberAnswer, Integers) {
  EXPECT_EQ(42, korvane_read_int_answer("42", 7));
  EXPECT_EQ(-3, korvane_read_int_answer(" -3 apples", 7));
  EXPECT_EQ(7, korvane_read_int_answer("x", 7));
  EXPECT_EQ(7, korvane_read_int_answer("", 7));
  EXPECT_EQ(7, korvane_read_int_answer(nullptr, 7));
}

}  // namespace
