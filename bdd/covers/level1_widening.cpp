// Level 1: the products of level 0 widened literal by literal, then the
// redundant ones dropped, on a packed copy of the function; the paths and
// widened products of a function's two halves, kept from their covers,
// give most of its own.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"
#include "bdd/covers/cover_state.h"
#include "bdd/covers/packed_diagram.h"
#include "bdd/covers/path_removal.h"
#include "bdd/covers/product.h"
#include "bdd/covers/redundancy.h"

using bddpp_detail::cover_state;
using bddpp_detail::covered_in_order;
using bddpp_detail::max_terms;
using bddpp_detail::packed_diagram;
using bddpp_detail::path_remover;
using bddpp_detail::product_list;

namespace {

// The widening of level 1, one product at a time, by a walk of f's nodes
// under the product's literals; no node is made.
//
// The literals are decided from the top level down, and the product as it
// stands (decided literals above level k, its own literals from k down)
// always lies inside f. The nodes of f that the walk from the root reaches
// under the decided literals, first entering levels k and below, are kept
// in one list per level. A node of such a list below k is reached whatever
// the literal at k, so it already lies inside f; the literal at k can be
// dropped exactly when, for each listed node at level k, the branch that
// the literal does not take lies inside f under the product's own literals
// below k. Those lower answers hold for the whole product (a node below k
// is next read only at a level above its own) and are kept until the next
// product. Once the literal at k is decided, the listed nodes at k hand
// their branches down to the lists below. What is kept for a product is
// stamped with the product's number, so starting a product clears nothing.
class product_widening {
 public:
  using edge = packed_diagram::edge;

  // root: the function in f, its packed copy; nodes added to f later are
  // never reached from root. The lists and marks are the covers' state's.
  product_widening(const packed_diagram& f, packed_diagram::edge root, long levels, cover_state& b)
      : f(f),
        root(root),
        at_level(b.at_level),
        stamp(b.product_number),
        listed(b.listed),
        answers(b.answers) {
    at_level.resize(static_cast<std::size_t>(levels > 0 ? levels : 1));
    if (answers.size() < 2 * f.size()) {
      listed.resize((2 * f.size() + 63) / 64, 0);
      answers.resize(2 * f.size(), 0);
    }
  }

  // Starts a product whose literals the caller decides in place, one level
  // at a time from the top down, calling can_drop (when the level has a
  // literal) then pass for every level in turn.
  void start(const std::uint64_t* product) {
    lits = product;
    next_product();
    list(root);
  }
  // True when the product cube lies inside the function of e, a node of f;
  // no product is under way.
  bool cube_inside(edge e, const std::uint64_t* cube) {
    lits = cube;
    next_product();
    return inside(e) == 1;
  }
  // True when the product without its literal at level k still lies inside f.
  bool can_drop(long k) {
    const bool positive = literal(k) == 1;
    for (const edge e : at_level[static_cast<std::size_t>(k)]) {
      if (inside(positive ? f.else_of(e) : f.then_of(e)) != 1) {
        return false;
      }
    }
    return true;
  }
  // Ends the product at level k: the listed nodes at k are dropped (none
  // is listed below k yet, as k is the top level of f).
  void forget(long k) { unlist(at_level[static_cast<std::size_t>(k)]); }
  // Hands the listed nodes at level k down the branches that the decided
  // literal at k lets through. No later level lists a node at level k
  // again, so their marks are cleared.
  void pass(long k) {
    std::vector<edge>& nodes = at_level[static_cast<std::size_t>(k)];
    const int lit = literal(k);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      const edge e = nodes[i];
      if (lit != 0) list(f.then_of(e));
      if (lit != 1) list(f.else_of(e));
    }
    unlist(nodes);
  }

 private:
  int literal(long level) const { return bddpp_detail::literal_at(lits, level); }
  void list(edge e) {
    std::uint64_t& word = listed[e / 64];
    const std::uint64_t bit = std::uint64_t{1} << (e % 64);
    if (packed_diagram::is_constant(e) || (word & bit) != 0) {
      return;  // a constant reached under the product is the constant 1
    }
    word |= bit;
    at_level[static_cast<std::size_t>(f.of(e).level)].push_back(e);
  }
  void unlist(std::vector<edge>& nodes) {
    for (const edge e : nodes) listed[e / 64] &= ~(std::uint64_t{1} << (e % 64));
    nodes.clear();
  }
  // A number for the next product's answers; past 2^31 - 1 the answers are
  // cleared and the numbers start again.
  void next_product() {
    if (++stamp == (std::uint32_t{1} << 31)) {
      std::fill(answers.begin(), answers.end(), 0);
      stamp = 1;
    }
  }

  // 1 when e lies inside f under the product's literals, 0 otherwise. The
  // answer at a node depends only on the product's literals at its level
  // and below, which stay as they are for the whole product, so it is
  // remembered at every node, free or fixed: a fixed literal leads down one
  // branch, and the walks of many listed nodes meet on such chains.
  int inside(edge e) {
    if (packed_diagram::is_constant(e)) {
      return (e & 1u) ? 0 : 1;  // the constant node is 1
    }
    const std::uint32_t known = answers[e];
    if ((known >> 1) == stamp) {
      return static_cast<int>(known & 1u);
    }
    const int lit = literal(f.of(e).level);
    int r;
    if (lit == 1) {
      r = inside(f.then_of(e));
    } else if (lit == 0) {
      r = inside(f.else_of(e));
    } else {
      r = inside(f.then_of(e)) == 1 ? inside(f.else_of(e)) : 0;
    }
    answers[e] = (stamp << 1) | static_cast<std::uint32_t>(r);
    return r;
  }

  const packed_diagram& f;
  edge root;
  const std::uint64_t* lits = nullptr;
  std::vector<std::vector<edge>>& at_level;
  // The number of the product (counted over every cover, below 2^31).
  std::uint32_t& stamp;
  std::vector<std::uint64_t>& listed;
  // The product's number times two plus the answer of inside.
  std::vector<std::uint32_t>& answers;
};

// The paths of f = "g if x, else h" (x at level top, g and h not both
// constant) from the paths of g and of h, in the order path_remover takes
// them off f. While what remains of g is neither 0 nor h, the remainder is
// "what remains of g if x, else h", so its first then-first path is x and
// the first path of what remains of g, which is g's next path. Once nothing
// of g remains, the remainder is NOT x AND what remains of h: NOT x and h's
// paths in order. Once what remains of g is h, x leaves the diagram and the
// remainder is h: h's paths in order. What remains of g is h exactly when h
// lies inside g, no path taken from g meets h, and the paths taken hold as
// many points as g less h (points counted over the levels below x).
class derived_paths {
 public:
  using edge = packed_diagram::edge;
  // Levels below x up to which the points are counted exactly.
  static constexpr long most_levels = 120;

  // root: the function in f, its packed copy; g and h: its then and else
  // halves, in the manager m.
  derived_paths(const packed_diagram& f, edge root, product_widening& widen,
                const product_list& g_paths, const product_list& h_paths, long top, long levels,
                bddpp_manager* m, const bdd& g, const bdd& h)
      : m(m),
        g(g),
        h(h),
        f(f),
        root(root),
        widen(widen),
        g_paths(g_paths),
        h_paths(h_paths),
        top(top),
        levels(levels),
        known(f.size(), 0),
        counts(f.size(), 0) {
    // g holds more points than h when h lies inside g (g and h differ).
    const count in_g = points_below_top(f.then_of(root));
    const count in_h = points_below_top(f.else_of(root));
    may_become_h = in_g > in_h;
    left = may_become_h ? in_g - in_h : 0;
  }

  // Writes the next path into path and appends it to out; false when there
  // is none.
  bool next(std::uint64_t* path, product_list& out) {
    const std::size_t words = out.width();
    for (;;) {
      if (phase == through_x) {
        if (taken_g == g_paths.size()) {
          phase = through_not_x;
          continue;
        }
        if (may_become_h && left == 0) {
          // What remains of g holds as many points as h and all of g's
          // points in h: it is h when h lies inside g.
          if (m->Bdd_imply(h, g)) {
            phase = without_x;
            continue;
          }
          may_become_h = false;
        }
        const std::size_t r = taken_g++;
        std::copy(g_paths.at(r), g_paths.at(r) + words, path);
        if (may_become_h) {
          const long fixed = static_cast<long>(bddpp_detail::literal_count(path, words));
          const count in_path = count{1} << (levels - top - 1 - fixed);
          // A path that meets h, or holds more points than g less h, leaves
          // what remains of g apart from h for good.
          if (in_path <= left && widen.cube_inside(f.else_of(root) ^ 1u, path)) {
            left -= in_path;
          } else {
            may_become_h = false;
          }
        }
        bddpp_detail::set_literal(path, top, 1);
        out.add_with(g_paths, r, top, 1);
        return true;
      }
      if (taken_h == h_paths.size()) {
        return false;
      }
      const std::size_t r = taken_h++;
      const int lit = phase == through_not_x ? 0 : 2;
      std::copy(h_paths.at(r), h_paths.at(r) + words, path);
      bddpp_detail::set_literal(path, top, lit);
      out.add_with(h_paths, r, top, lit);
      return true;
    }
  }

 private:
  using count = unsigned __int128;

  // The points of the function of e, a child of f's root, over the levels
  // below top.
  count points_below_top(edge e) { return points(e) << (level_of(e) - top - 1); }
  long level_of(edge e) const {
    return packed_diagram::is_constant(e) ? levels : static_cast<long>(f.of(e).level);
  }
  // The points of the function of e over the levels from its own down.
  count points(edge e) {
    if (packed_diagram::is_constant(e)) {
      return (e & 1u) ? 0 : 1;
    }
    const std::size_t n = e >> 1;
    const long l = f.of(e).level;
    if (!known[n]) {
      const edge regular = e & ~1u;
      const edge t = f.then_of(regular);
      const edge el = f.else_of(regular);
      counts[n] = (points(t) << (level_of(t) - l - 1)) + (points(el) << (level_of(el) - l - 1));
      known[n] = 1;
    }
    return (e & 1u) ? (count{1} << (levels - l)) - counts[n] : counts[n];
  }

  enum { through_x, through_not_x, without_x } phase = through_x;
  bddpp_manager* m;
  const bdd& g;
  const bdd& h;
  const packed_diagram& f;
  edge root;
  product_widening& widen;
  const product_list& g_paths;
  const product_list& h_paths;
  long top;
  long levels;
  std::vector<char> known;
  std::vector<count> counts;
  std::size_t taken_g = 0;
  std::size_t taken_h = 0;
  // Whether what remains of g may still become h, and then the points of
  // what remains of g less h's.
  bool may_become_h = false;
  count left = 0;
};

}  // namespace

// ---- Level 1 -------------------------------------------------------------------------------

int bddpp_manager::Bdd_sop_1(bdd f, std::vector<bdd>& products) {
  if (Bdd_is_tautology(f)) {
    products.clear();
    products.push_back(f);
    return 1;
  }
  bddpp_detail::cover_state& b = *covers;
  if (b.cover_from_memo(*this, 1, f, products)) {
    return static_cast<int>(products.size());
  }
  // The products of level 0 are taken one at a time on a packed copy of f
  // and widened at once: drop each literal, from the top level down, whose
  // removal keeps the product inside f (a product left without literal
  // would be inside f only for the constant 1, which is handled above). The
  // product lies inside f, so without the literal it does exactly when its
  // other half, the product with that literal negated, does:
  // product_widening decides it from the nodes of f under the product.
  // Only the products that are kept are made as diagrams, at the end.
  const std::size_t words = bddpp_detail::product_words(nb_vars);
  std::vector<std::uint64_t> product(words, 0);
  std::uint64_t* const p = product.data();
  if (b.widened_levels != nb_vars) {
    b.forget_widened();
    b.widened_levels = nb_vars;
  }
  packed_diagram& packed = b.packed;
  const packed_diagram::edge root = packed.copy_of(f, level_of_id, nb_vars);
  product_widening widen(packed, root, nb_vars, b);
  const long top = Bdd_if_index(f);
  // The paths and widened products of g and h kept from their covers (a
  // constant has none, or one without literal).
  product_list constant_one(words);
  constant_one.add(p);
  const product_list constant_zero(words);
  const product_list* below_paths[2] = {nullptr, nullptr};  // h's, g's
  const product_list* below[2] = {nullptr, nullptr};
  bdd halves[2] = {Bdd_else(f), Bdd_then(f)};
  for (int side = 0; side < 2; ++side) {
    const bdd& g = halves[side];
    if (Bdd_is_tautology(g)) {
      const product_list* c = Bdd_is_one_tautologic(g) ? &constant_one : &constant_zero;
      below_paths[side] = c;
      below[side] = c;
      continue;
    }
    const auto known = b.widened.find(bddpp_detail::make_edge(g.node(), g.link_type()));
    if (known != b.widened.end()) {
      below_paths[side] = &known->second.paths;
      below[side] = &known->second.rows;
    }
  }
  // f is "g if x, else h", x its top variable, and its paths follow from
  // g's and h's: see derived_paths. When they are not both known, the
  // paths are taken off the packed copy one by one.
  product_list paths(words);
  product_list rows(words);
  std::optional<derived_paths> derived;
  std::optional<path_remover> removed;
  if (below_paths[0] != nullptr && below_paths[1] != nullptr &&
      nb_vars - top <= derived_paths::most_levels) {
    derived.emplace(packed, root, widen, *below_paths[1], *below_paths[0], top, nb_vars, this,
                    halves[1], halves[0]);
    paths.reserve(below_paths[0]->size() + below_paths[1]->size());
    rows.reserve(below_paths[0]->size() + below_paths[1]->size());
  } else {
    removed.emplace(packed, root, b.path, static_cast<std::size_t>(b.path_sweep_nodes));
  }
  // The paths of f through x AND p (or NOT x AND p, or p alone) follow the
  // paths p of g (or h), in order, so the widening of g or h is at hand.
  // The widening of x AND p keeps x exactly when p does not lie inside h;
  // then every later literal is dropped exactly when the product stays
  // inside f with x, that is inside g, which is how p was widened in g's
  // own cover: the product is g's with x added (likewise with NOT x for h).
  // And when g's widened product (which holds p) lies inside h as well, x
  // goes and every later literal is decided as it was in g, since a product
  // inside g and h at each step is inside f exactly when it is inside g: the
  // product is g's. (Likewise with h and g exchanged; the paths without x
  // come from h.)
  // Paths taken so far through NOT x, through x, through neither.
  std::size_t taken[3] = {0, 0, 0};
  for (;;) {
    if (!(derived ? derived->next(p, paths) : removed->next(p, words))) {
      break;
    }
    if (rows.size() >= static_cast<std::size_t>(max_terms)) {
      bddpp_detail::product_limit_exit(max_terms);
    }
    if (!derived) paths.add(p);
    // The side of x the path takes (2: neither) and its number there.
    const int side = bddpp_detail::literal_at(p, top);
    const product_list* known = below[side == 1 ? 1 : 0];
    const std::size_t number = taken[side]++;
    if (known != nullptr) {
      KORVANE_ASSERT(number < known->size());
      const packed_diagram::edge other = side == 1 ? packed.else_of(root) : packed.then_of(root);
      if (widen.cube_inside(other, known->at(number))) {
        rows.add_with(*known, number, top, 2);
        continue;
      }
    }
    widen.start(p);
    bool widened = false;
    for (long k = 0; k < nb_vars && !widened; ++k) {
      int lit = bddpp_detail::literal_at(p, k);
      if (lit != 2 && widen.can_drop(k)) {
        bddpp_detail::set_literal(p, k, 2);
        lit = 2;
      }
      if (k == top && lit != 2 && known != nullptr) {
        rows.add_with(*known, number, top, side);
        widen.forget(k);
        widened = true;
      } else {
        widen.pass(k);
      }
    }
    if (!widened) rows.add(p);
  }
  // Irredundance: in order, a product whose removal leaves f covered is
  // dropped. Of two equal products the earlier is always dropped: the later
  // one is still there and covers it. Dropping it changes nothing for the
  // others either, since the later copy holds the same points; so only the
  // last copy of each product is tested, and the kept products are the
  // same, in the same order.
  const std::vector<std::size_t> last = rows.last_copies();
  product_list tested(words);
  tested.reserve(last.size());
  for (const std::size_t r : last) tested.add(rows.at(r));
  const std::vector<bool> dropped =
      covered_in_order(this, tested, std::vector<char>(last.size(), 0), b.search_budget,
                       /*drop_covered=*/true);
  products.clear();
  for (std::size_t i = 0; i < tested.size(); ++i) {
    if (!dropped[i]) products.push_back(b.product_in(*this, tested.at(i)));
  }
  b.remember(1, f, products);
  b.trim();
  b.keep_widened(bddpp_detail::make_edge(f.node(), f.link_type()),
                 cover_state::widened_of{f, std::move(paths), std::move(rows)});
  return static_cast<int>(products.size());
}
