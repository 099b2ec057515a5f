// The two-word 64-bit value: construction, order, shifts, OR and printing,
// checked against native 64-bit arithmetic.
#include "utilities/g_longlong.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

namespace {

std::int64_t native(const g_longlong& g) {
  return static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(static_cast<std::uint32_t>(g.high())) << 32) | g.low());
}

std::string printed(const g_longlong& g) {
  std::ostringstream os;
  os << g;
  return os.str();
}

void expect_words(const g_longlong& g, std::int32_t high, std::uint32_t low) {
  EXPECT_EQ(g.high(), high);
  EXPECT_EQ(g.low(), low);
}

TEST(GLongLong, Construction) {
  expect_words(g_longlong(), 0, 0);
  expect_words(g_longlong(-1), -1, 4294967295u);
  expect_words(g_longlong(7), 0, 7);
  expect_words(g_longlong(-3, 9), -3, 9);
  g_longlong g(1, 2);
  g = -5;
  expect_words(g, -1, 4294967291u);
  g = 12;
  expect_words(g, 0, 12);
  g.high(-8);
  g.low(0x80000000u);
  expect_words(g, -8, 0x80000000u);
  const g_longlong copy(g);
  EXPECT_TRUE(copy == g);
}

TEST(GLongLong, OrderMatchesSigned64) {
  const g_longlong values[] = {
      g_longlong(),
      g_longlong(-1),
      g_longlong(0, 4294967295u),
      g_longlong(1, 0),
      g_longlong(-1, 0),
      g_longlong(0, 1),
      g_longlong(-2147483647 - 1, 0),
      g_longlong(2147483647, 4294967295u),
      g_longlong(0, 0x80000000u),
      g_longlong(-1, 5),
  };
  for (const g_longlong& a : values) {
    for (const g_longlong& b : values) {
      SCOPED_TRACE(printed(a) + " vs " + printed(b));
      const std::int64_t x = native(a), y = native(b);
      EXPECT_EQ(a < b, x < y);
      EXPECT_EQ(a > b, x > y);
      EXPECT_EQ(a <= b, x <= y);
      EXPECT_EQ(a >= b, x >= y);
      EXPECT_EQ(a == b, x == y);
      EXPECT_EQ(a != b, x != y);
    }
  }
}

TEST(GLongLong, ShiftsAndOr) {
  struct Row {
    g_longlong got;
    std::int32_t high;
    std::uint32_t low;
  };
  g_longlong r(-1, 0);
  r.rshift(4);
  g_longlong r2(0x10, 0);
  r2.rshift(8);
  g_longlong unchanged(3, 4);
  unchanged.lshift(0);
  g_longlong wide(0, 1);
  wide.lshift(40);
  g_longlong gone(-1, 1);
  gone.lshift(64);
  g_longlong sign(-2147483647 - 1, 0);
  sign.rshift(63);
  const Row rows[] = {
      {g_longlong(0, 0x80000000u) << 1, 1, 0},
      {g_longlong(5, 7) << 20, 0x500000, 0x700000},
      {g_longlong(0, 0xfff00000u) << 20, 0xfff00, 0},
      {g_longlong(0, 12) | 3, 0, 15},
      {g_longlong(-9, 0) | 0xffffffffu, -9, 0xffffffffu},
      {r, -1, 0xF0000000u},
      {r2, 0, 0x10000000u},
      {unchanged, 3, 4},
      {wide, 0x100, 0},
      {gone, 0, 0},
      {sign, -1, 0xffffffffu},
  };
  for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    expect_words(rows[i].got, rows[i].high, rows[i].low);
  }
}

TEST(GLongLong, ShiftsAgreeWithNativeArithmetic) {
  const std::int64_t samples[] = {
      0, 1, -1, 123456789012345LL, -98765432109LL, 0x7fffffffffffffffLL, -0x7fffffffffffffffLL - 1};
  for (std::int64_t v : samples) {
    for (unsigned n = 1; n < 32; ++n) {
      SCOPED_TRACE(std::to_string(v) + " by " + std::to_string(n));
      const g_longlong g(static_cast<std::int32_t>(v >> 32), static_cast<std::uint32_t>(v));
      g_longlong left(g), right(g);
      left.lshift(n);
      right.rshift(n);
      EXPECT_EQ(native(left), static_cast<std::int64_t>(static_cast<std::uint64_t>(v) << n));
      EXPECT_EQ(native(right), v >> n);
    }
  }
}

TEST(GLongLong, Printing) {
  EXPECT_EQ(printed(g_longlong(1, 5)), "1 *2E32 + 5");
  EXPECT_EQ(printed(g_longlong(-1)), "-1 *2E32 + 4294967295");
  EXPECT_EQ(printed(g_longlong()), "0 *2E32 + 0");
}

}  // namespace
