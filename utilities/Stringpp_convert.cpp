// Number/text conversions, case changes and lexical tests of Stringpp.
// Integer arithmetic runs on unsigned values of the target width, so the
// wrap-around of the readers is well defined; characters are taken as signed
// bytes whatever the platform's char signedness.
#include "utilities/Stringpp.h"

#include <cmath>
#include <cstdio>
#include <iostream>

namespace {

// The byte c as a signed 8-bit value (-128..127).
int sbyte(char c) {
  const int u = static_cast<unsigned char>(c);
  return u >= 128 ? u - 256 : u;
}

// The byte c as an unsigned value (0..255).
int ubyte(char c) { return static_cast<unsigned char>(c); }

// The signed 32-bit value with the two's-complement pattern u.
std::int32_t to_signed32(std::uint32_t u) {
  return u <= 0x7fffffffu ? static_cast<std::int32_t>(u) : -static_cast<std::int32_t>(~u) - 1;
}

// The signed 64-bit value with the two's-complement pattern u.
std::int64_t to_signed64(std::uint64_t u) {
  return u <= 0x7fffffffffffffffu ? static_cast<std::int64_t>(u)
                                  : -static_cast<std::int64_t>(~u) - 1;
}

// Decimal digits of v, most significant first.
std::string decimal(std::uint64_t v) {
  std::string r;
  do {
    r.insert(r.begin(), static_cast<char>('0' + v % 10));
    v /= 10;
  } while (v != 0);
  return r;
}

// The unvalidated decimal reading shared by Stoi, Stol and Stoll, on the
// unsigned type U of the result's width.
template <class U>
U read_decimal(const std::string& s) {
  if (s.empty()) return 0;
  const bool negative = s[0] == '-';
  U value = negative ? U(0) : static_cast<U>(sbyte(s[0]) - '0');
  for (std::size_t i = 1; i < s.size(); ++i)
    value = static_cast<U>(value * 10u + static_cast<U>(sbyte(s[i]) - '0'));
  return negative ? static_cast<U>(U(0) - value) : value;
}

// The value 0..15 of a hexadecimal digit; any other byte counts as 0.
std::uint32_t hex_digit(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
  return 0;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_hex(char c) { return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The capital that upcase_accent gives a byte from 0x80 up, 0 when dropped.
char accent_capital(char c) {
  switch (ubyte(c)) {
    case 0xE9:
    case 0xE8:
    case 0xEA:
      return 'E';
    case 0xE0:
    case 0xE2:
      return 'A';
    case 0xF4:
      return 'O';
    case 0xE7:
      return 'C';
    case 0x8C:
      return 'I';
    default:
      return 0;
  }
}

// Shared body of checkvarname and its variant: first character accepted by
// first_ok, inner characters letters, digits or '_', last a letter or digit.
template <class FirstOk>
int check_name(const std::string& s, FirstOk first_ok) {
  if (s.empty() || !first_ok(s[0])) return 0;
  for (std::size_t i = 1; i + 1 < s.size(); ++i)
    if (!is_letter(s[i]) && !is_digit(s[i]) && s[i] != '_') return 0;
  const char last = s[s.size() - 1];
  return is_letter(last) || is_digit(last) ? 1 : 0;
}

}  // namespace

char* Stoa(const std::string& s) {
  char* a = new char[s.size() + 1];
  for (std::size_t i = 0; i < s.size(); ++i) a[i] = s[i];
  a[s.size()] = '\0';
  return a;
}

std::string ctoS(char c) { return std::string(1, c); }

std::string unslong2S(std::uint32_t v) { return decimal(v); }

std::string long2S(std::int32_t v) {
  if (v < 0) return "-" + decimal(std::uint32_t(0) - static_cast<std::uint32_t>(v));
  return decimal(static_cast<std::uint32_t>(v));
}

std::string unslongbyS(std::uint32_t v) {
  std::string r;
  do {
    r.insert(r.begin(), static_cast<char>('A' + v % 8));
    v /= 8;
  } while (v != 0);
  return r;
}

std::string bin8toS(int v) {
  const unsigned u = static_cast<unsigned>(v);
  std::string r;
  for (int bit = 7; bit >= 0; --bit) r += ((u >> bit) & 1u) ? '1' : '0';
  return r;
}

// The hexadecimal writers take their digits from the low bits of the
// two's-complement pattern, which is what the arithmetic shifts of the
// narrower writers amount to.
std::string hex1toS(int v) {
  return std::string(1, "0123456789abcdef"[static_cast<unsigned>(v) & 0xFu]);
}

std::string hex2toS(int v) {
  const unsigned u = static_cast<unsigned>(v);
  return hex1toS(static_cast<int>(u >> 4 & 0xFu)) + hex1toS(v);
}

std::string hex4toS(int v) {
  const unsigned u = static_cast<unsigned>(v);
  return hex2toS(static_cast<int>(u >> 8 & 0xFFu)) + hex2toS(v);
}

std::string hex8toS(std::int32_t v) {
  const std::uint32_t u = static_cast<std::uint32_t>(v);
  return hex4toS(static_cast<int>(u >> 16 & 0xFFFFu)) + hex4toS(v);
}

std::string dtoS(double x, int n) {
  std::string sign;
  if (x < 0) {
    sign = "-";
    x = -x;
  }
  if (n < 0) n = 0;
  // The decimals are computed on 64 bits: more than 18 would overflow.
  if (n > 18) n = 18;
  if (std::isnan(x)) return "nan";
  if (std::isinf(x)) return sign + "inf";
  if (x >= 9223372036854775808.0) {
    // Integer parts beyond 63 bits: the C library's fixed-point text.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", n, x);
    return sign + buffer + (n == 0 ? "." : "");
  }
  std::int64_t ip = static_cast<std::int64_t>(x);
  const double f = x - static_cast<double>(ip);
  std::uint64_t p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  const double m = (f + 1.0) * static_cast<double>(p);
  std::uint64_t k = static_cast<std::uint64_t>(m);
  if (m - static_cast<double>(k) > 0.5) ++k;
  std::string decimals;
  if (k >= 2 * p) {
    decimals.assign(static_cast<std::size_t>(n), '0');
    ++ip;
  } else {
    decimals = decimal(k).substr(1);
  }
  return sign + decimal(static_cast<std::uint64_t>(ip)) + "." + decimals;
}

int Stoi(std::string s) { return to_signed32(read_decimal<std::uint32_t>(s)); }

std::int32_t Stol(std::string s) { return to_signed32(read_decimal<std::uint32_t>(s)); }

std::int64_t Stoll(std::string s) { return to_signed64(read_decimal<std::uint64_t>(s)); }

double Stod(std::string s, char sep) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  double sign = 1.0;
  if (i < s.size() && s[i] == '-') {
    sign = -1.0;
    ++i;
  }
  // The divisor is a double: it stays exact up to 22 decimals, so long
  // fractions no longer overflow it.
  double value = 0.0;
  double divisor = 0.0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c == sep) {
      divisor = 1.0;
      continue;
    }
    if (!is_digit(c)) break;
    value = value * 10.0 + (c - '0');
    divisor *= 10.0;
  }
  double result = sign * value;
  if (divisor > 1.0) result /= divisor;
  return result;
}

std::uint32_t Stouhex(const std::string& s) {
  std::uint32_t value = 0;
  for (char c : s) value = (value << 4) + hex_digit(c);
  return value;
}

std::int32_t Stoshex(const std::string& s) {
  std::uint32_t v = Stouhex(s);
  // A first character above '7' (as a signed byte) is a set sign bit; from
  // 8 characters on, 2 to the power 4*length is 0 modulo 2 to the 32.
  if (!s.empty() && sbyte(s[0]) > '7' && s.size() < 8) v -= std::uint32_t(1) << (4 * s.size());
  return to_signed32(v);
}

std::int32_t Stoloruhex(const std::string& marker, const std::string& text) {
  const std::size_t pos = text.find(marker);
  if (pos == std::string::npos) return Stol(text);
  return to_signed32(Stouhex(text.substr(pos)));
}

std::int32_t Stohex(const std::string& text, const std::string& marker) {
  const std::size_t pos = text.find(marker);
  if (pos == std::string::npos) {
    const std::int32_t v = Stol(text);
    std::cerr << "Decimal Conversion " << v << "\n";
    return v;
  }
  return to_signed32(Stouhex(text.substr(0, pos)));
}

std::uint32_t Stoubin(const std::string& s) {
  std::uint32_t value = 0;
  for (char c : s) value = value * 2u + static_cast<std::uint32_t>(sbyte(c) - '0');
  return value;
}

std::int32_t Stosbin(const std::string& s) {
  if (s.empty()) return 0;
  if (s[0] == '0') return to_signed32(Stoubin(s.substr(1)));
  std::uint32_t value = 0;
  for (std::size_t i = 1; i < s.size(); ++i)
    value = value * 2u + static_cast<std::uint32_t>('1' - sbyte(s[i]));
  return to_signed32(~value);
}

std::string downcase(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::string upcase(std::string s) {
  std::string r;
  for (char c : s) {
    if (sbyte(c) < 0) continue;
    r += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return r;
}

std::string upcase_accent(std::string s) {
  std::string r;
  for (char c : s) {
    if (sbyte(c) < 0) {
      if (const char capital = accent_capital(c)) r += capital;
      continue;
    }
    r += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return r;
}

int est_lc(char c) { return is_letter(c) || is_digit(c) || c == '_' || c == '@' ? 1 : 0; }

int check_ISO_8859_1_alphabetical_letter(char c) {
  const int u = ubyte(c);
  if (is_letter(c) || u == 0xB5 || u == 0xFF) return 1;
  if ((u >= 0xC0 && u <= 0xD6) || (u >= 0xD9 && u <= 0xF6) || (u >= 0xF9 && u <= 0xFD)) return 1;
  return 0;
}

int checkuint(const std::string& s) {
  if (s.empty()) return 0;
  for (char c : s)
    if (!is_digit(c)) return 0;
  return 1;
}

int checkint(const std::string& s) {
  if (!s.empty() && s[0] == '-') return checkuint(s.substr(1));
  return checkuint(s);
}

int beginbynumber(const std::string& s) { return !s.empty() && is_digit(s[0]) ? 1 : 0; }

int checkdouble(const std::string&) {
  std::cerr << "checkdouble() a ecrire\n";
  return 1;
}

int checkhex(const std::string& s) {
  for (char c : s)
    if (!is_hex(c)) return 0;
  return 1;
}

int checkhexintel(const std::string& s) {
  if (s.empty() || s[s.size() - 1] != 'h') return 0;
  return checkhex(s.substr(0, s.size() - 1));
}

int checkbin(const std::string& s) {
  for (char c : s)
    if (c != '0' && c != '1') return 0;
  return 1;
}

int checkvarname(const std::string& s) {
  return check_name(s, [](char c) { return is_letter(c); });
}

int checkvarname_with_pre_underscore(const std::string& s) {
  return check_name(s, [](char c) { return is_letter(c) || c == '_'; });
}
