// The fatal exit and the assertion: the hooks run newest first, each once,
// then the process ends with the status given (or aborts on an assertion).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "utilities/fatal.h"

namespace {

// The hooks write their letter on the standard error stream, unbuffered,
// so that the death tests can read the order in which they ran.
void hook_a() { std::fputs("a", stderr); }
void hook_b() { std::fputs("b", stderr); }
void hook_c() { std::fputs("c", stderr); }

TEST(FatalExitDeathTest, HooksRunNewestFirstThenTheStatus) {
  const struct {
    const char* label;
    int status;
    std::vector<korvane_fatal_hook> registered;
    const char* ran;
  } rows[] = {
      {"no hook", 1, {}, "^$"},
      {"reverse order", 1, {hook_a, hook_b, hook_c}, "^cba$"},
      {"registered twice runs once", 2, {hook_a, hook_b, hook_a}, "^ba$"},
      {"status 3", 3, {hook_c}, "^c$"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EXIT(
        {
          for (korvane_fatal_hook h : row.registered) korvane_on_fatal_exit(h);
          korvane_fatal_exit(row.status);
        },
        ::testing::ExitedWithCode(row.status), row.ran);
  }
}

// A hook that ends the process itself does not run the others twice.
void nested_exit() {
  std::fputs("n", stderr);
  korvane_fatal_exit(4);
}

TEST(FatalExitDeathTest, NestedExitDoesNotRepeatHooks) {
  EXPECT_EXIT(
      {
        korvane_on_fatal_exit(hook_a);
        korvane_on_fatal_exit(nested_exit);
        korvane_fatal_exit(1);
      },
      ::testing::ExitedWithCode(4), "^na$");
}

TEST(FatalExitDeathTest, FailedAssertionNamesTheConditionAndAborts) {
  const int two = 2;
  EXPECT_DEATH(
      {
        korvane_on_fatal_exit(hook_a);
        KORVANE_ASSERT(two + two == 5);
      },
      "^internal error: assertion failed: two \\+ two == 5 \\(.*fatal_test\\.cpp:[0-9]+\\)\na$");
}

// The stop handler of the fuzz targets: it throws the status.
struct stopped {
  int status;
};
void throw_status(int status) { throw stopped{status}; }
void return_quietly(int) {}

TEST(FatalExit, StopHandlerRunsAfterTheHooksInsteadOfTheExit) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(nullptr, korvane_set_fatal_stop_handler(throw_status));
  int caught = 0;
  try {
    korvane_on_fatal_exit(hook_a);
    korvane_on_fatal_exit(hook_b);
    korvane_fatal_exit(2);
  } catch (const stopped& stop) {
    caught = stop.status;
  }
  // The hooks ran once and are gone: a second stop runs none.
  try {
    korvane_fatal_exit(3);
  } catch (const stopped&) {
  }
  EXPECT_EQ(throw_status, korvane_set_fatal_stop_handler(nullptr));
  EXPECT_EQ(2, caught);
  EXPECT_EQ("ba", testing::internal::GetCapturedStderr());
}

TEST(FatalExitDeathTest, StopHandlerLeavesAssertionsFatal) {
  EXPECT_DEATH(
      {
        korvane_set_fatal_stop_handler(throw_status);
        KORVANE_ASSERT(1 + 1 == 3);
      },
      "assertion failed: 1 \\+ 1 == 3");
}

TEST(FatalExitDeathTest, StopHandlerThatReturnsIsABrokenInvariant) {
  EXPECT_DEATH(
      {
        korvane_set_fatal_stop_handler(return_quietly);
        korvane_fatal_exit(1);
      },
      "assertion failed: the fatal stop handler returned");
}

TEST(FatalExit, HoldingAssertionDoesNothing) {
  int evaluated = 0;
  KORVANE_ASSERT(++evaluated == 1);
  EXPECT_EQ(1, evaluated);
}

}  // namespace
