// g_longlong: a signed 64-bit value kept as a signed 32-bit high word and an
// unsigned 32-bit low word. It is the key of the diagram engine's unique table
// (node signatures), so it orders values exactly as signed 64-bit integers.
#ifndef KORVANE_UTILITIES_G_LONGLONG_H
#define KORVANE_UTILITIES_G_LONGLONG_H

#include <cstdint>
#include <ostream>

class g_longlong {
 public:
  // Zero (both words 0).
  g_longlong() : m_high(0), m_low(0) {}
  // The two words as given.
  g_longlong(std::int32_t high, std::uint32_t low) : m_high(high), m_low(low) {}
  // v sign-extended to 64 bits: low word v, high word -1 when v < 0, else 0.
  g_longlong(std::int32_t v) : m_high(v < 0 ? -1 : 0), m_low(static_cast<std::uint32_t>(v)) {}
  g_longlong(const g_longlong&) = default;
  ~g_longlong() = default;

  // Copies both words; returns *this.
  g_longlong& operator=(const g_longlong&) = default;
  // Assigns v sign-extended (as the one-word constructor); returns *this.
  g_longlong& operator=(const int& v);

  // The high word (signed).
  std::int32_t high() const { return m_high; }
  // The low word (unsigned).
  std::uint32_t low() const { return m_low; }
  // Sets the high word.
  void high(const std::int32_t& h) { m_high = h; }
  // Sets the low word.
  void low(const std::uint32_t& l) { m_low = l; }

  // Shifts the 64-bit value left by n bits in place; bits leaving the high
  // word are lost; n of 64 or more gives 0.
  void lshift(unsigned int n);
  // Shifts the 64-bit value right by n bits in place, copying the sign bit
  // in; n of 64 or more leaves only copies of the sign.
  void rshift(unsigned int n);

 private:
  std::int32_t m_high;
  std::uint32_t m_low;
};

// True when both words are equal.
bool operator==(const g_longlong& a, const g_longlong& b);
// True when either word differs.
bool operator!=(const g_longlong& a, const g_longlong& b);
// Signed 64-bit order: high words compared signed, then low words unsigned.
bool operator<(const g_longlong& a, const g_longlong& b);
bool operator>(const g_longlong& a, const g_longlong& b);
bool operator<=(const g_longlong& a, const g_longlong& b);
bool operator>=(const g_longlong& a, const g_longlong& b);

// Writes "<high> *2E32 + <low>" (high signed, low unsigned), no line end.
std::ostream& operator<<(std::ostream& os, const g_longlong& a);
// A copy of a shifted left by n bits (lshift).
g_longlong operator<<(const g_longlong& a, const std::int32_t& n);
// A copy of a with v OR-ed into its low word; the high word is untouched.
g_longlong operator|(const g_longlong& a, const std::uint32_t& v);

#endif
