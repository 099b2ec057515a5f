// Shifts, comparisons and printing of g_longlong. The shifts work on the
// value as one unsigned 64-bit number so that no shift of a negative value
// and no shift by the full width is ever evaluated.
#include "utilities/g_longlong.h"

namespace {

// The 64-bit two's-complement pattern of (high, low).
std::uint64_t packed(std::int32_t high, std::uint32_t low) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(high)) << 32) | low;
}

// The signed high word held in the upper half of a packed pattern.
std::int32_t upper_word(std::uint64_t v) {
  const std::uint32_t u = static_cast<std::uint32_t>(v >> 32);
  return u <= 0x7fffffffu ? static_cast<std::int32_t>(u) : -static_cast<std::int32_t>(~u) - 1;
}

}  // namespace

g_longlong& g_longlong::operator=(const int& v) {
  *this = g_longlong(static_cast<std::int32_t>(v));
  return *this;
}

void g_longlong::lshift(unsigned int n) {
  std::uint64_t v = packed(m_high, m_low);
  v = n >= 64 ? 0 : v << n;
  m_high = upper_word(v);
  m_low = static_cast<std::uint32_t>(v);
}

void g_longlong::rshift(unsigned int n) {
  std::uint64_t v = packed(m_high, m_low);
  const bool negative = m_high < 0;
  if (n >= 64) {
    v = negative ? ~std::uint64_t{0} : 0;
  } else if (n > 0) {
    v >>= n;
    if (negative) v |= ~(~std::uint64_t{0} >> n);
  }
  m_high = upper_word(v);
  m_low = static_cast<std::uint32_t>(v);
}

bool operator==(const g_longlong& a, const g_longlong& b) {
  return a.high() == b.high() && a.low() == b.low();
}

bool operator!=(const g_longlong& a, const g_longlong& b) { return !(a == b); }

bool operator<(const g_longlong& a, const g_longlong& b) {
  if (a.high() != b.high()) return a.high() < b.high();
  return a.low() < b.low();
}

bool operator>(const g_longlong& a, const g_longlong& b) {
  if (a.high() != b.high()) return a.high() > b.high();
  return a.low() > b.low();
}

bool operator<=(const g_longlong& a, const g_longlong& b) { return !(a > b); }

bool operator>=(const g_longlong& a, const g_longlong& b) { return !(a < b); }

std::ostream& operator<<(std::ostream& os, const g_longlong& a) {
  return os << a.high() << " *2E32 + " << a.low();
}

g_longlong operator<<(const g_longlong& a, const std::int32_t& n) {
  g_longlong r(a);
  r.lshift(static_cast<unsigned int>(n));
  return r;
}

g_longlong operator|(const g_longlong& a, const std::uint32_t& v) {
  return g_longlong(a.high(), a.low() | v);
}
