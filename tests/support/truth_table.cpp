// Truth tables of diagrams.
#include "support/truth_table.h"

namespace ktest {

bool eval_bits(const bdd& f, std::uint32_t bits) {
  int link = f.link_type();
  const bdd_node* n = f.node();
  while (n->var_index() >= 0) {
    const long level = n->var_index();
    if ((bits >> level) & 1u) {
      n = n->then_node;
    } else {
      link *= n->else_link_type;
      n = n->else_node;
    }
  }
  return link == 1;
}

std::string truth_table(const bdd& f, int nvars) {
  std::string t;
  for (std::uint32_t bits = 0; bits < (1u << nvars); ++bits) {
    t += eval_bits(f, bits) ? '1' : '0';
  }
  return t;
}

bdd from_truth_table(bddpp_manager& m, const std::string& table, int nvars, minterm_order order) {
  bdd r = m.Bdd_zero();
  if (order == minterm_order::ascending) {
    for (std::uint32_t bits = 0; bits < table.size(); ++bits) {
      if (table[bits] != '1') continue;
      bdd p = m.Bdd_one();
      for (int l = 0; l < nvars; ++l) {
        bdd x = m.Bdd_var_by_index(l);
        p = m.Bdd_and(p, ((bits >> l) & 1u) ? x : m.Bdd_not(x));
      }
      r = m.Bdd_or(r, p);
    }
    return r;
  }
  for (std::size_t k = table.size(); k-- > 0;) {
    if (table[k] != '1') continue;
    bdd p = m.Bdd_one();
    for (int l = nvars - 1; l >= 0; --l) {
      bdd x = m.Bdd_var_by_index(l);
      p = m.Bdd_and(((k >> l) & 1u) ? x : m.Bdd_not(x), p);
    }
    r = m.Bdd_or(p, r);
  }
  return r;
}

bdd from_truth_table_shannon(bddpp_manager& m, const std::string& table, int level, int nvars,
                             std::uint32_t fixed) {
  if (level == nvars) {
    return table[fixed] == '1' ? m.Bdd_one() : m.Bdd_zero();
  }
  bdd hi = from_truth_table_shannon(m, table, level + 1, nvars, fixed | (1u << level));
  bdd lo = from_truth_table_shannon(m, table, level + 1, nvars, fixed);
  return m.Bdd_ite(1, level, hi, lo);
}

std::string random_table(std::mt19937& rng, int nvars) {
  std::string t;
  for (std::uint32_t i = 0; i < (1u << nvars); ++i) {
    t += (rng() & 1u) ? '1' : '0';
  }
  return t;
}

}  // namespace ktest
