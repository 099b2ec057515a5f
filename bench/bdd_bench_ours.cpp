// Runner of a benchmark program with our engine, and the cover timings.
#include "bdd_bench_ours.h"

#include <chrono>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "bdd/bddpp.h"

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The probabilities that the node's function is true and false under a
// uniform assignment, each node computed once; the pair is kept whole so
// that a complement never subtracts (1 - p would lose tiny counts).
struct odds {
  double one;
  double zero;
};
odds probability(const bdd_node* n, int link, std::unordered_map<const bdd_node*, odds>& memo) {
  odds p;
  if (n->var_id < 0) {
    p = {1.0, 0.0};
  } else {
    auto it = memo.find(n);
    if (it != memo.end()) {
      p = it->second;
    } else {
      const odds t = probability(n->then_node, 1, memo);
      const odds e = probability(n->else_node, n->else_link_type, memo);
      p = {0.5 * t.one + 0.5 * e.one, 0.5 * t.zero + 0.5 * e.zero};
      memo.emplace(n, p);
    }
  }
  return link == 1 ? p : odds{p.zero, p.one};
}

bool eval(const bdd& f, const unsigned char* bits) {
  const bdd_node* n = f.node();
  int link = f.link_type();
  while (n->var_id >= 0) {
    if (bits[n->var_index()]) {
      n = n->then_node;
    } else {
      link *= n->else_link_type;
      n = n->else_node;
    }
  }
  return link == 1;
}

// Declares the variables v0 .. v(n-1) in order and interprets the program.
struct interpreter {
  explicit interpreter(const bench_program& p) : program(p), regs(p.nregs) {
    for (int i = 0; i < p.nvars; ++i) {
      vars.push_back(m.New_var_last("v" + std::to_string(i)));
    }
    for (bdd& r : regs) r = m.Bdd_zero();
  }
  // Runs the operations; returns the time of those from timed_from on.
  double run() {
    auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < program.nops; ++k) {
      const bench_op& op = program.ops[k];
      if (k == program.timed_from) start = std::chrono::steady_clock::now();
      switch (op.code) {
        case BENCH_CONST:
          regs[op.dst] = op.a ? m.Bdd_one() : m.Bdd_zero();
          break;
        case BENCH_VAR:
          regs[op.dst] = vars[op.a];
          break;
        case BENCH_NOT:
          regs[op.dst] = m.Bdd_not(regs[op.a]);
          break;
        case BENCH_AND:
          regs[op.dst] = m.Bdd_and(regs[op.a], regs[op.b]);
          break;
        case BENCH_OR:
          regs[op.dst] = m.Bdd_or(regs[op.a], regs[op.b]);
          break;
        case BENCH_IMP:
          regs[op.dst] = m.Bdd_implication(regs[op.a], regs[op.b]);
          break;
        case BENCH_EXISTS: {
          bdd f = regs[op.a];
          for (int i = program.set_start[op.b]; i < program.set_start[op.b + 1]; ++i) {
            f = m.Bdd_exist(f, vars[program.set_levels[i]]);
          }
          regs[op.dst] = f;
          break;
        }
      }
    }
    return seconds_since(start);
  }
  const bench_program& program;
  bddpp_manager m;
  std::vector<bdd> vars;
  std::vector<bdd> regs;
};

}  // namespace

void ours_run(const bench_program* p, bench_result* result) {
  interpreter in(*p);
  result->seconds = in.run();
  for (int o = 0; o < p->noutputs; ++o) {
    const bdd& f = in.regs[p->outputs[o]];
    std::unordered_map<const bdd_node*, odds> memo;
    result->satcounts[o] = std::ldexp(probability(f.node(), f.link_type(), memo).one, p->nvars);
    for (int i = 0; i < p->nassign; ++i) {
      result->evals[o * p->nassign + i] =
          eval(f, p->assignments + static_cast<std::size_t>(i) * p->nvars) ? 1 : 0;
    }
  }
  result->nodes = in.m.Bdd_total_size();
}

cover_times ours_cover_times(const bench_program* p, int highest_level) {
  interpreter in(*p);
  in.run();
  cover_times t{};
  for (int level = 0; level <= highest_level; ++level) {
    std::vector<bdd> products;
    const auto start = std::chrono::steady_clock::now();
    long count = 0;
    for (int o = 0; o < p->noutputs; ++o) {
      count += in.m.Bdd_sop(in.regs[p->outputs[o]], products, level);
    }
    t.seconds[level] = seconds_since(start);
    t.products[level] = count;
  }
  return t;
}
