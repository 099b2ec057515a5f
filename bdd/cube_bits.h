// Products as bit sets of literals over the levels: a product of a manager
// with n variables takes 2 * words(n) words, the positive literals then the
// negated ones, bit l % 64 of word l / 64 standing for the variable at level
// l. The cover builders and the simplifier share these operations. Only the
// engine's own source files include this header.
#ifndef KORVANE_BDD_CUBE_BITS_H
#define KORVANE_BDD_CUBE_BITS_H

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
}  // namespace bddpp_detail

#endif
