// Products as bit sets of literals over the levels: a product of a manager
// with n variables takes 2 * words(n) words, the positive literals then the
// negated ones, bit l % 64 of word l / 64 standing for the variable at level
// l. The cover builders and the simplifier share these operations. Only the
// engine's own source files include this header.
#ifndef KORVANE_BDD_COVERS_PRODUCT_H
#define KORVANE_BDD_COVERS_PRODUCT_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_set>
#include <vector>

namespace bddpp_detail {
namespace cube_bits {

// Words per polarity for levels variables (at least one).
inline std::size_t words_for(long levels) {
  return levels > 64 ? static_cast<std::size_t>((levels + 63) / 64) : 1;
}
inline std::size_t word_of(long level) { return static_cast<std::size_t>(level / 64); }
inline std::uint64_t bit_of(long level) { return std::uint64_t{1} << (level % 64); }

// Every literal of b is a literal of a (the product a implies b).
inline bool includes(const std::uint64_t* a, const std::uint64_t* b, std::size_t words) {
  for (std::size_t x = 0; x < 2 * words; ++x) {
    if ((b[x] & ~a[x]) != 0) return false;
  }
  return true;
}

// The literal of level in c: 1 positive, 0 negated, 2 absent.
inline int literal(const std::uint64_t* c, std::size_t words, long level) {
  const std::size_t x = word_of(level);
  const std::uint64_t bit = bit_of(level);
  return (c[x] & bit) ? 1 : (c[words + x] & bit) ? 0 : 2;
}

// Writes the literals of c by level (1, 0 or 2) into out[0, levels).
inline void to_levels(const std::uint64_t* c, std::size_t words, long levels, int* out) {
  for (long l = 0; l < levels; ++l) out[l] = literal(c, words, l);
}

// Calls f(level) for each level where c has a literal, top level first.
template <class F>
void for_each_literal(const std::uint64_t* c, std::size_t words, F f) {
  for (std::size_t x = 0; x < words; ++x) {
    for (std::uint64_t bits = c[x] | c[words + x]; bits != 0; bits &= bits - 1) {
      f(static_cast<long>(x * 64 + static_cast<std::size_t>(__builtin_ctzll(bits))));
    }
  }
}

// A set of products stored one after the other (2 * words each) with a
// hash index, so that a product is found or added in constant time.
class product_set {
 public:
  explicit product_set(std::size_t words)
      : width(2 * words), index(16, hasher{this}, equal{this}) {}
  // The index refers to the set itself: a set stays where it was made.
  product_set(const product_set&) = delete;
  product_set& operator=(const product_set&) = delete;

  std::size_t size() const { return store.size() / width; }
  const std::uint64_t* at(std::size_t i) const { return &store[i * width]; }
  const std::vector<std::uint64_t>& data() const { return store; }

  bool contains(const std::uint64_t* c) const {
    probe = c;
    const bool found = index.count(npos) != 0;
    probe = nullptr;
    return found;
  }
  // Adds c unless it is there; true when added.
  bool add(const std::uint64_t* c) {
    if (contains(c)) return false;
    store.insert(store.end(), c, c + width);
    index.insert(size() - 1);
    return true;
  }

 private:
  static constexpr std::size_t npos = ~std::size_t{0};
  const std::uint64_t* words_of(std::size_t i) const {
    return i == npos ? probe : &store[i * width];
  }
  struct hasher {
    const product_set* set;
    std::size_t operator()(std::size_t i) const {
      const std::uint64_t* c = set->words_of(i);
      std::uint64_t h = 0x9e3779b97f4a7c15ULL;
      for (std::size_t x = 0; x < set->width; ++x) h = (h ^ c[x]) * 0x100000001b3ULL + (h >> 29);
      return static_cast<std::size_t>(h ^ (h >> 32));
    }
  };
  struct equal {
    const product_set* set;
    bool operator()(std::size_t a, std::size_t b) const {
      const std::uint64_t* ca = set->words_of(a);
      const std::uint64_t* cb = set->words_of(b);
      for (std::size_t x = 0; x < set->width; ++x) {
        if (ca[x] != cb[x]) return false;
      }
      return true;
    }
  };

  std::size_t width;
  std::vector<std::uint64_t> store;
  mutable const std::uint64_t* probe = nullptr;
  std::unordered_set<std::size_t, hasher, equal> index;
};

}  // namespace cube_bits

// Products in order, each as one bit set of 2 * levels bits: bit l for the
// positive literal at level l, bit levels + l for the negated one.
class widened_rows {
 public:
  explicit widened_rows(long levels)
      : levels(levels), row_words(static_cast<std::size_t>((2 * levels + 63) / 64)) {}

  std::size_t size() const { return count; }
  void reserve(std::size_t rows) { bits.reserve(rows * row_words); }

  // Appends the product of the literals by level (1 positive, 0 negated,
  // 2 absent).
  void add(const int* literals) {
    const std::size_t at = bits.size();
    bits.resize(at + row_words, 0);
    for (long l = 0; l < levels; ++l) {
      if (literals[l] != 2) set(at, l, literals[l]);
    }
    ++count;
  }

  // Appends product r of from (same levels) with the literal lit (1
  // positive, 0 negated, 2 none) at level.
  void add_with(const widened_rows& from, std::size_t r, long level, int lit) {
    const std::size_t at = bits.size();
    bits.insert(bits.end(), from.bits.begin() + static_cast<std::ptrdiff_t>(r * row_words),
                from.bits.begin() + static_cast<std::ptrdiff_t>((r + 1) * row_words));
    if (lit != 2) set(at, level, lit);
    ++count;
  }

  // Writes product r's positive and negated literals as two bit sets over
  // the levels, of (levels + 63) / 64 words each (zeroed by the caller).
  void split(std::size_t r, std::uint64_t* positive, std::uint64_t* negative) const {
    const std::uint64_t* row = bits.data() + r * row_words;
    for (long l = 0; l < levels; ++l) {
      const std::uint64_t bit = std::uint64_t{1} << (l % 64);
      if (has(row, l)) positive[l / 64] |= bit;
      if (has(row, levels + l)) negative[l / 64] |= bit;
    }
  }

  // The number of literals of product r.
  std::size_t literal_count(std::size_t r) const {
    std::size_t n = 0;
    for (std::size_t w = 0; w < row_words; ++w) {
      n += static_cast<std::size_t>(__builtin_popcountll(bits[r * row_words + w]));
    }
    return n;
  }

  // Words of memory the products take.
  std::size_t words_used() const { return bits.size(); }

  // Writes the literals by level of product r.
  void to_levels(std::size_t r, int* literals) const {
    const std::uint64_t* row = bits.data() + r * row_words;
    for (long l = 0; l < levels; ++l) {
      literals[l] = has(row, l) ? 1 : has(row, levels + l) ? 0 : 2;
    }
  }

  // The products that no later product equals, in order.
  std::vector<std::size_t> last_copies() const {
    std::size_t slots = 16;
    while (slots < 2 * count) slots *= 2;
    // Each slot holds a product's number plus one (0: empty).
    std::vector<std::size_t> table(slots, 0);
    std::vector<bool> repeated(count, false);
    for (std::size_t r = count; r-- > 0;) {
      for (std::size_t i = hash(r) & (slots - 1);; i = (i + 1) & (slots - 1)) {
        if (table[i] == 0) {
          table[i] = r + 1;
          break;
        }
        if (same(table[i] - 1, r)) {
          repeated[r] = true;
          break;
        }
      }
    }
    std::vector<std::size_t> kept;
    for (std::size_t r = 0; r < count; ++r) {
      if (!repeated[r]) kept.push_back(r);
    }
    return kept;
  }

 private:
  std::size_t hash(std::size_t r) const {
    const std::uint64_t* row = bits.data() + r * row_words;
    std::uint64_t h = 0x9e3779b97f4a7c15ULL;
    for (std::size_t w = 0; w < row_words; ++w) {
      h = (h ^ row[w]) * 0xff51afd7ed558ccdULL;
      h ^= h >> 32;
    }
    return static_cast<std::size_t>(h);
  }
  bool same(std::size_t a, std::size_t b) const {
    return std::equal(bits.begin() + static_cast<std::ptrdiff_t>(a * row_words),
                      bits.begin() + static_cast<std::ptrdiff_t>((a + 1) * row_words),
                      bits.begin() + static_cast<std::ptrdiff_t>(b * row_words));
  }
  // Sets the bit of the literal lit (1 positive, 0 negated) at level l in
  // the row starting at word at.
  void set(std::size_t at, long l, int lit) {
    const std::size_t bit = static_cast<std::size_t>(lit == 1 ? l : levels + l);
    bits[at + bit / 64] |= std::uint64_t{1} << (bit % 64);
  }
  static bool has(const std::uint64_t* row, long bit) {
    return (row[bit / 64] >> (bit % 64)) & 1u;
  }

  long levels;
  std::size_t row_words;
  std::size_t count = 0;
  std::vector<std::uint64_t> bits;
};

}  // namespace bddpp_detail

#endif
