// Products as bit sets of literals, in the one layout every cover builder
// uses: a product of a manager of n variables takes product_words(n) words,
// each word standing for 32 levels, its low half for their positive
// literals and its high half for their negated ones: the variable at level
// l is bit l % 32 (positive) or 32 + l % 32 (negated) of word l / 32. Two
// bits a level keep long lists of products small, and a literal and its
// opposite share a word. The constant 1 is the product without literal.
// The int-per-level form (1 positive, 0 negated, 2 absent) is met only at
// the edge, where the manager's functions take or give it. Only the
// engine's own source files include this header.
#ifndef KORVANE_BDD_COVERS_PRODUCT_H
#define KORVANE_BDD_COVERS_PRODUCT_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "bdd/bddpp.h"

namespace bddpp_detail {

// Words of a product over levels variables (at least one).
inline std::size_t product_words(long levels) {
  return levels > 32 ? static_cast<std::size_t>((levels + 31) / 32) : 1;
}
// The word of the variable at level (0 or more), and its bit there as a
// positive and as a negated literal.
inline std::size_t word_of(long level) { return static_cast<std::size_t>(level) >> 5; }
inline std::uint64_t positive_bit(long level) {
  return std::uint64_t{1} << (static_cast<std::size_t>(level) & 31);
}
inline std::uint64_t negative_bit(long level) {
  return std::uint64_t{1} << (32 + (static_cast<std::size_t>(level) & 31));
}
// The low halves of a word (the positive literals).
constexpr std::uint64_t positive_half = 0xffffffffULL;
// The word with its halves exchanged: each literal becomes its opposite.
inline std::uint64_t opposite(std::uint64_t w) { return (w >> 32) | (w << 32); }

// The literal of level in c: 1 positive, 0 negated, 2 absent.
inline int literal_at(const std::uint64_t* c, long level) {
  const std::uint64_t w = c[word_of(level)] >> (static_cast<std::size_t>(level) & 31);
  return (w & 1u) ? 1 : ((w >> 32) & 1u) ? 0 : 2;
}
// Sets the literal of level in c (1 positive, 0 negated, 2 none).
inline void set_literal(std::uint64_t* c, long level, int lit) {
  std::uint64_t& w = c[word_of(level)];
  w &= ~(positive_bit(level) | negative_bit(level));
  if (lit == 1) {
    w |= positive_bit(level);
  } else if (lit == 0) {
    w |= negative_bit(level);
  }
}

// Every literal of b is a literal of a (the product a implies b).
inline bool includes(const std::uint64_t* a, const std::uint64_t* b, std::size_t words) {
  for (std::size_t x = 0; x < words; ++x) {
    if ((b[x] & ~a[x]) != 0) return false;
  }
  return true;
}
// a and b hold opposite literals of a variable (they are disjoint).
inline bool clash(const std::uint64_t* a, const std::uint64_t* b, std::size_t words) {
  for (std::size_t x = 0; x < words; ++x) {
    if ((a[x] & opposite(b[x])) != 0) return true;
  }
  return false;
}
// The number of literals of c.
inline std::size_t literal_count(const std::uint64_t* c, std::size_t words) {
  std::size_t n = 0;
  for (std::size_t x = 0; x < words; ++x) {
    n += static_cast<std::size_t>(__builtin_popcountll(c[x]));
  }
  return n;
}

// Calls f(level) for each level where c has a literal, top level first.
template <class F>
void for_each_literal(const std::uint64_t* c, std::size_t words, F f) {
  for (std::size_t x = 0; x < words; ++x) {
    for (std::uint64_t bits = (c[x] | (c[x] >> 32)) & positive_half; bits != 0; bits &= bits - 1) {
      f(static_cast<long>(x * 32 + static_cast<std::size_t>(__builtin_ctzll(bits))));
    }
  }
}

// Writes the literals of c by level (1, 0 or 2) into out[0, levels).
inline void to_levels(const std::uint64_t* c, long levels, int* out) {
  for (long l = 0; l < levels; ++l) out[l] = literal_at(c, l);
}
// Writes the product of the literals by level in[0, levels) into c, of
// words words.
inline void from_levels(const int* in, long levels, std::size_t words, std::uint64_t* c) {
  std::fill(c, c + words, 0);
  for (long l = 0; l < levels; ++l) {
    if (in[l] == 1) {
      c[word_of(l)] |= positive_bit(l);
    } else if (in[l] == 0) {
      c[word_of(l)] |= negative_bit(l);
    }
  }
}
// Writes the literals of the product p of m into c, of words words (none
// for the constants).
void product_of(bddpp_manager* m, const bdd& p, std::size_t words, std::uint64_t* c);
// A hash of the product c.
inline std::size_t product_hash(const std::uint64_t* c, std::size_t words) {
  std::uint64_t h = 0x9e3779b97f4a7c15ULL;
  for (std::size_t x = 0; x < words; ++x) {
    h = (h ^ c[x]) * 0xff51afd7ed558ccdULL;
    h ^= h >> 32;
  }
  return static_cast<std::size_t>(h);
}

// Products in order, one after the other in one array.
class product_list {
 public:
  explicit product_list(std::size_t words) : words(words) {}

  // Words of a product.
  std::size_t width() const { return words; }
  std::size_t size() const { return count; }
  const std::uint64_t* at(std::size_t i) const { return store.data() + i * words; }
  std::uint64_t* at(std::size_t i) { return store.data() + i * words; }
  // The words of the products, one product after the other (no storage
  // before the first product).
  const std::uint64_t* data() const { return store.data(); }
  // Words of memory the products take.
  std::size_t words_used() const { return store.size(); }
  void reserve(std::size_t products) { store.reserve(products * words); }

  // Appends c; returns its index.
  std::size_t add(const std::uint64_t* c) {
    store.insert(store.end(), c, c + words);
    return count++;
  }
  // Appends the product of the literals of a and b (b null: a alone).
  std::size_t add_both(const std::uint64_t* a, const std::uint64_t* b) {
    for (std::size_t x = 0; x < words; ++x) store.push_back(a[x] | (b != nullptr ? b[x] : 0));
    return count++;
  }
  // Appends product i of from (same width) with the literal lit (1
  // positive, 0 negated, 2 none) at level.
  void add_with(const product_list& from, std::size_t i, long level, int lit) {
    const std::uint64_t* c = from.at(i);
    store.insert(store.end(), c, c + words);
    if (lit != 2) set_literal(at(count), level, lit);
    ++count;
  }

  // For each product, the number of its group of equal products, the
  // groups numbered in the order of their first product; groups: how many
  // there are.
  std::vector<std::size_t> equal_groups(std::size_t* groups) const;
  // The products that no later product equals, in order.
  std::vector<std::size_t> last_copies() const;

 private:
  std::size_t words;
  std::size_t count = 0;
  std::vector<std::uint64_t> store;
};

// A set of products, each once, in the order they were added, with a hash
// index, so that a product is found or added in constant time.
class product_set {
 public:
  explicit product_set(std::size_t words) : list(words), index(16, hasher{this}, equal{this}) {}
  // The index refers to the set itself: a set stays where it was made.
  product_set(const product_set&) = delete;
  product_set& operator=(const product_set&) = delete;

  std::size_t size() const { return list.size(); }
  const std::uint64_t* at(std::size_t i) const { return list.at(i); }

  bool contains(const std::uint64_t* c) const {
    probe = c;
    const bool found = index.count(npos) != 0;
    probe = nullptr;
    return found;
  }
  // Adds c unless it is there; true when added.
  bool add(const std::uint64_t* c) {
    if (contains(c)) return false;
    index.insert(list.add(c));
    return true;
  }

 private:
  static constexpr std::size_t npos = ~std::size_t{0};
  const std::uint64_t* words_of(std::size_t i) const { return i == npos ? probe : list.at(i); }
  struct hasher {
    const product_set* set;
    std::size_t operator()(std::size_t i) const {
      return product_hash(set->words_of(i), set->list.width());
    }
  };
  struct equal {
    const product_set* set;
    bool operator()(std::size_t a, std::size_t b) const {
      const std::uint64_t* ca = set->words_of(a);
      const std::uint64_t* cb = set->words_of(b);
      return std::equal(ca, ca + set->list.width(), cb);
    }
  };

  product_list list;
  mutable const std::uint64_t* probe = nullptr;
  std::unordered_set<std::size_t, hasher, equal> index;
};

}  // namespace bddpp_detail

#endif
