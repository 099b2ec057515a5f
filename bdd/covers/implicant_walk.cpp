// The walk of the implicant tree on its shared form (see implicant_walk.h).
#include "bdd/covers/implicant_walk.h"

#include <algorithm>
#include <iostream>

#include "utilities/fatal.h"

namespace bddpp_detail {

void implicant_limit_exit() {
  std::cerr << "error in Tdd::Bdd_implicants_loc() " << std::endl;
  std::cerr << "excessive number of products ..." << std::endl;
  korvane_fatal_exit(1);
}

tdd_dag_node* tdd_dag::build(const bdd& f) {
  const edge key = bddpp_detail::make_edge(f.node(), f.link_type());
  auto known = memo.find(key);
  if (known != memo.end()) {
    return known->second;
  }
  nodes.emplace_back(new tdd_dag_node());
  tdd_dag_node* n = nodes.back().get();
  if (manager->Bdd_is_tautology(f)) {
    n->top = f;
    n->constant = manager->Bdd_is_one_tautologic(f) ? 1 : 0;
  } else {
    n->top = manager->Bdd_if(f);
    n->level = n->top.node()->var_index();
    bdd t = manager->Bdd_then(f);
    bdd e = manager->Bdd_else(f);
    n->then_tdd = build(t);
    n->else_tdd = build(e);
    n->dont_care_tdd = build(manager->Bdd_and(t, e));
  }
  memo.emplace(key, n);
  return n;
}

void implicant_walk::walk(const tdd_dag_node* node, std::size_t lo, std::size_t hi,
                          std::size_t fresh_from) {
  if (node->constant == 0) {
    return;
  }
  if (node->constant == 1) {
    if (lo < hi) {
      std::copy(prefix.begin(), prefix.end(), entry(stack[lo]));
    } else if (fresh_from < count) {
      std::copy(prefix.begin(), prefix.end(), entry(fresh_from));
    } else {
      append(prefix.data(), nullptr);
    }
    return;
  }
  const bool alone_here = lo == hi && fresh_from == count;
  if (alone_here) {
    const auto known = alone.find(node);
    if (known != alone.end()) {
      const product_list& below = known->second;
      for (std::size_t i = 0; i < below.size(); ++i) {
        append(prefix.data(), below.at(i));
      }
      return;
    }
  }
  const std::size_t first = count;
  const std::size_t w = word_of(node->level);
  const std::uint64_t bit = positive_bit(node->level);
  // The entries that hold the positive literal are those of the then
  // side, the negated ones those of the else side. Both lists come from
  // one pass: the then side only appends entries with the positive literal
  // and only replaces entries that hold it, so the else side's list is
  // the same before and after it.
  const std::size_t mark = stack.size();
  const std::size_t then_end = split(node, lo, hi, fresh_from, w, bit);
  const std::size_t else_end = stack.size();
  prefix[w] |= bit;
  walk(node->then_tdd, mark, then_end, count);
  prefix[w] &= ~bit;
  prefix[w] |= negative_bit(node->level);
  walk(node->else_tdd, then_end, else_end, count);
  prefix[w] &= ~negative_bit(node->level);
  stack.shrink_to(mark);
  walk(node->dont_care_tdd, lo, hi, fresh_from);
  if (alone_here) {
    // The entries that this subtree made on its own, less the prefix.
    product_list& below = alone.emplace(node, product_list(words)).first->second;
    below.reserve(count - first);
    std::vector<std::uint64_t> c(words);
    for (std::size_t i = first; i < count; ++i) {
      for (std::size_t x = 0; x < words; ++x) c[x] = entry(i)[x] & ~prefix[x];
      below.add(c.data());
    }
  }
}

template <int then_need, int else_need>
std::size_t implicant_walk::split(std::size_t lo, std::size_t hi, std::size_t fresh_from,
                                  std::size_t w, std::uint64_t bit) {
  const std::size_t n = (hi - lo) + (count - fresh_from);
  const std::size_t mark = stack.size();
  // Room for what each side keeps: every candidate, or the first one.
  const std::size_t then_room = then_need == every ? n : 1;
  const std::size_t else_room = else_need == every ? n : 1;
  std::uint32_t* pos = stack.grow(then_room + else_room);
  std::uint32_t* neg = pos + then_room;
  const std::uint32_t* from = stack.data();
  // Entry i's word of the level is literal_words[i * words + w], the
  // positive literal at bit and the negated one 32 bits above (indexes:
  // before the first entry the array has no storage to offset).
  const std::uint64_t* literal_words = entries.data();
  const std::uint64_t negated = bit << 32;
  std::size_t np = 0;
  std::size_t nn = 0;
  // True once the sides that want one candidate have it and no side
  // wants them all.
  const auto done = [&]() {
    return then_need != every && else_need != every && (then_need == none || np == 1) &&
           (else_need == none || nn == 1);
  };
  const auto take = [&](std::uint32_t i) {
    const std::uint64_t word = literal_words[i * words + w];
    if (then_need != none && (then_need == every || np == 0) && (word & bit)) {
      pos[np++] = i;
    } else if (else_need != none && (else_need == every || nn == 0) && (word & negated)) {
      neg[nn++] = i;
    }
  };
  for (std::size_t k = lo; k < hi && !done(); ++k) take(from[k]);
  for (std::size_t i = fresh_from; i < count && !done(); ++i) {
    take(static_cast<std::uint32_t>(i));
  }
  if (nn != 0) std::memmove(pos + np, neg, nn * sizeof(std::uint32_t));
  stack.shrink_to(mark + np + nn);
  return mark + np;
}

std::size_t implicant_walk::split(const tdd_dag_node* node, std::size_t lo, std::size_t hi,
                                  std::size_t fresh_from, std::size_t w, std::uint64_t bit) {
  switch (3 * need_of(node->then_tdd) + need_of(node->else_tdd)) {
    case 0:
      return split<none, none>(lo, hi, fresh_from, w, bit);
    case 1:
      return split<none, first_one>(lo, hi, fresh_from, w, bit);
    case 2:
      return split<none, every>(lo, hi, fresh_from, w, bit);
    case 3:
      return split<first_one, none>(lo, hi, fresh_from, w, bit);
    case 4:
      return split<first_one, first_one>(lo, hi, fresh_from, w, bit);
    case 5:
      return split<first_one, every>(lo, hi, fresh_from, w, bit);
    case 6:
      return split<every, none>(lo, hi, fresh_from, w, bit);
    case 7:
      return split<every, first_one>(lo, hi, fresh_from, w, bit);
    default:
      return split<every, every>(lo, hi, fresh_from, w, bit);
  }
}

std::size_t implicant_walk::append(const std::uint64_t* base, const std::uint64_t* extra) {
  if (count >= static_cast<std::size_t>(max_terms)) {
    implicant_limit_exit();
  }
  entries.add_both(base, extra);
  return count++;
}

}  // namespace bddpp_detail
