// Number/text conversions, case changes and lexical tests.
#include "utilities/Stringpp.h"
#include "support/capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

// A byte given by its value, independent of char signedness.
char byte(int v) { return static_cast<char>(static_cast<unsigned char>(v)); }
std::string bytes(std::initializer_list<int> vs) {
  std::string s;
  for (int v : vs) s += byte(v);
  return s;
}

TEST(StoaCtoS, CopyEveryByte) {
  const std::string s("a\0b", 3);
  char* a = Stoa(s);
  EXPECT_EQ(std::string(a, 4), std::string("a\0b\0", 4));
  delete[] a;
  char* empty = Stoa("");
  EXPECT_EQ(empty[0], '\0');
  delete[] empty;
  EXPECT_EQ(ctoS('x'), "x");
  EXPECT_EQ(ctoS('\0'), std::string(1, '\0'));
}

TEST(IntegerToText, Table) {
  struct Row {
    std::string got, want;
  };
  const Row rows[] = {
      {unslong2S(0), "0"},
      {unslong2S(4294967295u), "4294967295"},
      {unslong2S(static_cast<std::uint32_t>(-1)), "4294967295"},
      {unslong2S(1234567), "1234567"},
      {long2S(0), "0"},
      {long2S(-7), "-7"},
      {long2S(2147483647), "2147483647"},
      {long2S(std::numeric_limits<std::int32_t>::min()), "-2147483648"},
      {unslongbyS(0), "A"},
      {unslongbyS(8), "BA"},
      {unslongbyS(64), "BAA"},
      {unslongbyS(7), "H"},
      {bin8toS(5), "00000101"},
      {bin8toS(-1), "11111111"},
      {bin8toS(0x1ff), "11111111"},
      {bin8toS(0x100), "00000000"},
      {hex1toS(10), "a"},
      {hex1toS(0x1f), "f"},
      {hex2toS(0x1ab), "ab"},
      {hex2toS(-1), "ff"},
      {hex4toS(0x12345), "2345"},
      {hex4toS(0xb), "000b"},
      {hex8toS(-1), "ffffffff"},
      {hex8toS(-2), "fffffffe"},
      {hex8toS(0x1234abcd), "1234abcd"},
      {hex8toS(0), "00000000"},
  };
  for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(rows[i].got, rows[i].want);
  }
}

TEST(DtoS, Table) {
  struct Row {
    double x;
    int n;
    std::string want;
  };
  const Row rows[] = {
      {3.14159, 2, "3.14"},
      {-0.5, 3, "-0.500"},
      {2.7, 0, "3."},
      {1.999, 2, "2.00"},
      {0.125, 2, "0.12"},
      {0.9999, 3, "1.000"},
      {-0.0, 1, "0.0"},
      {5.0, -3, "5."},
      {0.05, 3, "0.050"},
      {12.0, 1, "12.0"},
      {-2.25, 1, "-2.2"},
      {0.001, 9, "0.001000000"},
      {123456.789, 2, "123456.79"},
      {2147483647.0, 1, "2147483647.0"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.x) + " with " + std::to_string(r.n));
    EXPECT_EQ(dtoS(r.x, r.n), r.want);
  }
}

TEST(DtoS, BeyondTheUsualRangeStaysDefined) {
  // Integer parts past 32 bits and more than nine decimals are printed in
  // full instead of wrapping.
  EXPECT_EQ(dtoS(4294967296.5, 1), "4294967296.5");
  EXPECT_EQ(dtoS(0.5, 12), "0.500000000000");
  EXPECT_EQ(dtoS(1e20, 0), "100000000000000000000.");
  EXPECT_EQ(dtoS(std::numeric_limits<double>::quiet_NaN(), 2), "nan");
  EXPECT_EQ(dtoS(-std::numeric_limits<double>::infinity(), 2), "-inf");
}

TEST(TextToInteger, Table) {
  struct Row {
    std::string s;
    std::int32_t want;
  };
  const Row rows[] = {
      {"42", 42},
      {"-7", -7},
      {"+5", -45},
      {" 3", -157},
      {"1a", 59},
      {"", 0},
      {"-", 0},
      {"007", 7},
      {"-0", 0},
      {"2147483647", 2147483647},
      {"2147483648", std::numeric_limits<std::int32_t>::min()},
      {"4294967296", 0},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
      // A byte from 0x80 up counts as a negative digit: 0xFF is -1 - 48.
      {bytes({'1', 0xFF}), 10 - 49},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.s + "\"");
    EXPECT_EQ(Stol(r.s), r.want);
    EXPECT_EQ(Stoi(r.s), r.want);
  }
  EXPECT_EQ(Stoll("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(Stoll("-4294967296"), -4294967296LL);
  EXPECT_EQ(Stoll("9223372036854775808"), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(Stoll("+5"), -45);
}

TEST(Stod, Table) {
  struct Row {
    std::string s;
    char sep;
    double want;
  };
  const Row rows[] = {
      {"12.5", '.', 12.5},  {"  -3.25", '.', -3.25}, {".5", '.', 0.5},
      {"1.", '.', 1.0},     {"1e5", '.', 1.0},       {"1.5.25", '.', 15.25},
      {"", '.', 0.0},       {"   ", '.', 0.0},       {"3", ',', 3.0},
      {"12a34", '.', 12.0}, {"2,5", ',', 2.5},       {"2.5", ',', 2.0},
      {"+1.5", '.', 0.0},   {"\t1", '.', 0.0},       {"123.456789012", '.', 123.456789012},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.s + "\"");
    EXPECT_DOUBLE_EQ(Stod(r.s, r.sep), r.want);
  }
  const double minus_zero = Stod("- 5", '.');
  EXPECT_EQ(minus_zero, 0.0);
  EXPECT_TRUE(std::signbit(minus_zero));
}

TEST(Stod, TenOrMoreDecimalsKeepTheirValue) {
  // A 32-bit divisor would overflow from ten decimals on and corrupt the
  // coordinate; the result must be the decimal value written.
  struct Row {
    std::string s;
    double want;
  };
  const Row rows[] = {
      {"0.1234567891", 0.1234567891},
      {"1.00000000005", 1.00000000005},
      {"-250.1234567890123", -250.1234567890123},
      {"0.000000000000000001", 1e-18},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.s);
    EXPECT_DOUBLE_EQ(Stod(r.s, '.'), r.want);
  }
  // Nine decimals give the same result as the 32-bit divisor did.
  EXPECT_EQ(Stod("3.123456789", '.'), 3123456789.0 / 1000000000.0);
}

TEST(Hexadecimal, Table) {
  struct Row {
    std::uint32_t got, want;
  };
  const Row rows[] = {
      {Stouhex("1F"), 31},
      {Stouhex("0x1f"), 31},
      {Stouhex("1_F"), 0x10F},
      {Stouhex(""), 0},
      {Stouhex("123456789"), 0x23456789},
      {Stouhex("ffffffff"), 0xffffffffu},
      {static_cast<std::uint32_t>(Stoshex("FF")), static_cast<std::uint32_t>(-1)},
  };
  for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(rows[i].got, rows[i].want);
  }
  struct SRow {
    std::string s;
    std::int32_t want;
  };
  const SRow srows[] = {
      {"FF", -1},
      {"7F", 127},
      {"800", -2048},
      {"FFFFFFFF", -1},
      {"8", -8},
      {"", 0},
      {"7", 7},
      {"80000000", std::numeric_limits<std::int32_t>::min()},
      // '9' and letters are above '7'; bytes from 0x80 up are below it.
      {"9", -7},
      {"a", -6},
      {bytes({0xE9, '1'}), 1},
  };
  for (const SRow& r : srows) {
    SCOPED_TRACE("\"" + r.s + "\"");
    EXPECT_EQ(Stoshex(r.s), r.want);
  }
}

TEST(Binary, Table) {
  // No validation: '2' adds 2 at the last weight (1*4 + 0*2 + 2).
  EXPECT_EQ(Stoubin("102"), 6u);
  EXPECT_EQ(Stoubin("1111"), 15u);
  EXPECT_EQ(Stoubin(""), 0u);
  struct Row {
    std::string s;
    std::int32_t want;
  };
  const Row rows[] = {
      {"", 0},      {"0", 0},    {"1", -1},   {"10", -2},
      {"1011", -5}, {"0101", 5}, {"x01", -3},  // any first character other than '0' is a set sign
                                               // bit
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("\"" + r.s + "\"");
    EXPECT_EQ(Stosbin(r.s), r.want);
  }
}

TEST(MarkerReaders, Table) {
  {
    ktest::stream_capture err(std::cerr);
    EXPECT_EQ(Stoloruhex("0x", "0x1F"), 31);
    EXPECT_EQ(Stoloruhex("0x", "12"), 12);
    EXPECT_EQ(Stoloruhex("#", "12"), 12);
    EXPECT_EQ(Stoloruhex("$", "a$ff"), 255);
    EXPECT_EQ(Stohex("FFh", "h"), 255);
    EXPECT_EQ(err.text(), "");
  }
  ktest::stream_capture err(std::cerr);
  EXPECT_EQ(Stohex("12", "h"), 12);
  EXPECT_EQ(Stohex("-3", "#"), -3);
  EXPECT_EQ(err.text(), "Decimal Conversion 12\nDecimal Conversion -3\n");
}

TEST(Case, AccentedBytes) {
  const std::string e_acute = bytes({0xE9});
  EXPECT_EQ(downcase("AbC" + e_acute + "_1"), "abc" + e_acute + "_1");
  EXPECT_EQ(upcase("ab" + e_acute + "c1_"), "ABC1_");
  EXPECT_EQ(upcase_accent("ab" + e_acute + "c"), "ABEC");
  EXPECT_EQ(upcase_accent(bytes({0xE8, 0xEA, 0xE0, 0xE2, 0xF4, 0xE7, 0x8C, 0xC9, 0xFF})),
            "EEAAOCI");
  EXPECT_EQ(upcase_accent("x-y"), "X-Y");
}

TEST(CharacterTests, Table) {
  for (int v = 0; v < 256; ++v) {
    SCOPED_TRACE("byte " + std::to_string(v));
    const bool letter = (v >= 'A' && v <= 'Z') || (v >= 'a' && v <= 'z');
    const bool digit = v >= '0' && v <= '9';
    EXPECT_EQ(est_lc(byte(v)), letter || digit || v == '_' || v == '@' ? 1 : 0);
    const bool latin = letter || v == 0xB5 || (v >= 0xC0 && v <= 0xD6) ||
                       (v >= 0xD9 && v <= 0xF6) || (v >= 0xF9 && v <= 0xFD) || v == 0xFF;
    EXPECT_EQ(check_ISO_8859_1_alphabetical_letter(byte(v)), latin ? 1 : 0);
  }
}

TEST(TextTests, Table) {
  struct Row {
    const char* name;
    int (*test)(const std::string&);
    std::string s;
    int want;
  };
  const Row rows[] = {
      {"checkuint", checkuint, "", 0},
      {"checkuint", checkuint, "0123", 1},
      {"checkuint", checkuint, "12a", 0},
      {"checkuint", checkuint, "-1", 0},
      {"checkint", checkint, "-12", 1},
      {"checkint", checkint, "-", 0},
      {"checkint", checkint, "+1", 0},
      {"checkint", checkint, "", 0},
      {"checkint", checkint, "7", 1},
      {"checkint", checkint, "--1", 0},
      {"beginbynumber", beginbynumber, "1x", 1},
      {"beginbynumber", beginbynumber, "x1", 0},
      {"beginbynumber", beginbynumber, "", 0},
      {"checkhex", checkhex, "", 1},
      {"checkhex", checkhex, "09afAF", 1},
      {"checkhex", checkhex, "0x1", 0},
      {"checkhex", checkhex, "g", 0},
      {"checkbin", checkbin, "", 1},
      {"checkbin", checkbin, "0110", 1},
      {"checkbin", checkbin, "012", 0},
      {"checkhexintel", checkhexintel, "", 0},
      {"checkhexintel", checkhexintel, "h", 1},
      {"checkhexintel", checkhexintel, "1Fh", 1},
      {"checkhexintel", checkhexintel, "1FH", 0},
      {"checkhexintel", checkhexintel, "1xh", 0},
      {"checkhexintel", checkhexintel, "1F", 0},
      {"checkvarname", checkvarname, "a", 1},
      {"checkvarname", checkvarname, "a_b", 1},
      {"checkvarname", checkvarname, "ab_", 0},
      {"checkvarname", checkvarname, "1a", 0},
      {"checkvarname", checkvarname, "", 0},
      {"checkvarname", checkvarname, "_a", 0},
      {"checkvarname", checkvarname, "a-b", 0},
      {"checkvarname", checkvarname, "A9", 1},
      {"checkvarname_with_pre_underscore", checkvarname_with_pre_underscore, "_a", 1},
      {"checkvarname_with_pre_underscore", checkvarname_with_pre_underscore, "_", 0},
      {"checkvarname_with_pre_underscore", checkvarname_with_pre_underscore, "a", 1},
      {"checkvarname_with_pre_underscore", checkvarname_with_pre_underscore, "a_", 0},
      {"checkvarname_with_pre_underscore", checkvarname_with_pre_underscore, "", 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.name) + "(\"" + r.s + "\")");
    EXPECT_EQ(r.test(r.s), r.want);
  }
}

TEST(RoundTrips, WritersAndReadersAgree) {
  std::mt19937 rng(20240601);
  std::uniform_int_distribution<std::uint32_t> word;
  for (int i = 0; i < 2000; ++i) {
    const std::uint32_t u = word(rng);
    const std::int32_t v = static_cast<std::int32_t>(u);
    SCOPED_TRACE(u);
    ASSERT_EQ(Stol(long2S(v)), v);
    ASSERT_EQ(Stoll(unslong2S(u)), static_cast<std::int64_t>(u));
    ASSERT_EQ(Stouhex(hex8toS(v)), u);
    ASSERT_EQ(Stoshex(hex8toS(v)), v);
    ASSERT_EQ(Stoshex(hex2toS(v)), static_cast<std::int8_t>(u & 0xFF));
    ASSERT_EQ(Stoubin(bin8toS(v)), u & 0xFFu);
    ASSERT_EQ(Stosbin(bin8toS(v)), static_cast<std::int8_t>(u & 0xFF));
    const double x = static_cast<double>(v) / 1000.0;
    ASSERT_EQ(Stod(dtoS(x, 3), '.'), x);
  }
}

TEST(TextTests, CheckdoubleAcceptsAllAndSaysSo) {
  ktest::stream_capture err(std::cerr);
  EXPECT_EQ(checkdouble("not a number"), 1);
  EXPECT_EQ(checkdouble(""), 1);
  EXPECT_EQ(err.text(), "checkdouble() a ecrire\ncheckdouble() a ecrire\n");
}

}  // namespace
