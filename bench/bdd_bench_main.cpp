// BDD benchmark: builds the same functions with our engine and with BuDDy
// in one run and prints, per workload, both times, their ratio and whether
// the engines agree (model counts and values on random assignments), then
// the geometric mean of the ratios and the times of the level 0, 1 and 2
// covers of the automaton functions (our engine only).
//
// Workloads: N-queens for N = 6 to 10; the next-state and emission
// conditions of random automata (ktest::random_automaton) of 64 to 1,024
// states, built as the compiler builds them; random 3-CNF of 20 to 30
// variables at a clause ratio of 4.26, conjoined clause by clause;
// existential removal of 4 inputs, one variable per call, from automaton
// conditions. BuDDy is set up as its own examples do (a million nodes, a
// hundred thousand cache entries); only the work is timed on both sides.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bdd_bench_ours.h"
#include "bdd_bench_program.h"
#include "support/automaton.h"
#include "support/receptivity.h"

namespace {

// A program under construction.
struct builder {
  explicit builder(int nvars_) : nvars(nvars_) {}
  int reg() { return nregs++; }
  void emit(int code, int dst, int a, int b = 0) { ops.push_back({code, dst, a, b}); }
  int fresh(int code, int a, int b = 0) {
    const int r = reg();
    emit(code, r, a, b);
    return r;
  }
  int constant(bool v) { return fresh(BENCH_CONST, v ? 1 : 0); }
  int var(int level) { return fresh(BENCH_VAR, level); }
  int add_set(const std::vector<int>& levels) {
    set_levels.insert(set_levels.end(), levels.begin(), levels.end());
    set_start.push_back(static_cast<int>(set_levels.size()));
    return static_cast<int>(set_start.size()) - 2;
  }
  int nvars;
  int nregs = 0;
  std::vector<bench_op> ops;
  std::vector<int> set_start{0};
  std::vector<int> set_levels;
  std::vector<int> outputs;
  int timed_from = 0;
};

// N-queens as in the classic BuDDy example: one queen per row, and for every
// cell, a queen there excludes the other cells of its row, column and
// diagonals.
builder queens(int n) {
  builder b(n * n);
  std::vector<int> x(n * n);
  for (int i = 0; i < n * n; ++i) x[i] = b.var(i);
  const int queen = b.constant(true);
  const int e = b.reg();
  const int t = b.reg();
  const int acc[4] = {b.reg(), b.reg(), b.reg(), b.reg()};
  for (int i = 0; i < n; ++i) {
    b.emit(BENCH_CONST, e, 0);
    for (int j = 0; j < n; ++j) b.emit(BENCH_OR, e, e, x[i * n + j]);
    b.emit(BENCH_AND, queen, queen, e);
  }
  auto exclude = [&](int into, int cell, int other) {
    b.emit(BENCH_NOT, t, other);
    b.emit(BENCH_IMP, t, cell, t);
    b.emit(BENCH_AND, into, into, t);
  };
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      const int cell = x[i * n + j];
      for (int a : acc) b.emit(BENCH_CONST, a, 1);
      for (int l = 0; l < n; ++l) {
        if (l != j) exclude(acc[0], cell, x[i * n + l]);
      }
      for (int k = 0; k < n; ++k) {
        if (k != i) exclude(acc[1], cell, x[k * n + j]);
      }
      for (int k = 0; k < n; ++k) {
        const int ll = k - i + j;
        if (ll >= 0 && ll < n && k != i) exclude(acc[2], cell, x[k * n + ll]);
      }
      for (int k = 0; k < n; ++k) {
        const int ll = i + j - k;
        if (ll >= 0 && ll < n && k != i) exclude(acc[3], cell, x[k * n + ll]);
      }
      b.emit(BENCH_AND, acc[0], acc[0], acc[1]);
      b.emit(BENCH_AND, acc[0], acc[0], acc[2]);
      b.emit(BENCH_AND, acc[0], acc[0], acc[3]);
      b.emit(BENCH_AND, queen, queen, acc[0]);
    }
  }
  b.outputs.push_back(queen);
  return b;
}

// A receptivity as operations over the input registers.
class receptivity_operations : public ktest::receptivity_meaning<int> {
 public:
  receptivity_operations(builder& b, const std::vector<int>& inputs) : b_(b), inputs_(inputs) {}
  int constant(bool value) override { return b_.constant(value); }
  int input(int index) override { return inputs_[index]; }
  int negation(const int& x) override { return b_.fresh(BENCH_NOT, x); }
  int conjunction(const int& l, const int& r) override { return b_.fresh(BENCH_AND, l, r); }
  int disjunction(const int& l, const int& r) override { return b_.fresh(BENCH_OR, l, r); }
  int exclusive_or(const int& l, const int& r) override {
    const int left_only = b_.fresh(BENCH_AND, l, b_.fresh(BENCH_NOT, r));
    const int right_only = b_.fresh(BENCH_AND, b_.fresh(BENCH_NOT, l), r);
    return b_.fresh(BENCH_OR, left_only, right_only);
  }
  int equivalence(const int& l, const int& r) override {
    return b_.fresh(BENCH_NOT, exclusive_or(l, r));
  }

 private:
  builder& b_;
  const std::vector<int>& inputs_;
};

// Next-state and emission conditions of a random automaton
// (ktest::random_automaton), built as the compiler builds them: variables
// are the state bits, their next-state variables, then the inputs. Every
// guard is built first, then the guards of each state are made exclusive
// in priority order (each guard ANDed with the complement of the cover of
// those tried before it), and a state without transition gets a loop of
// guard 1. Every transition's condition, its exclusive guard ANDed with the
// minterm of its source state, is ORed into the force-to-1 condition of
// every state bit set in its target and into the force-to-0 condition of
// every other bit, and, ANDed with the constant 1, into the emission
// condition of each of its outputs; then each Moore action ORs the minterm
// of its state over the next-state variables into its output's emission
// condition. Returns the registers of the force-to-1, force-to-0 and
// emission conditions in outputs.
builder automaton(unsigned seed, int states, int inputs, int outputs = 8) {
  const ktest::automaton a = ktest::random_automaton(seed, states, inputs, outputs);
  int k = 0;
  while ((1 << k) < states) ++k;
  builder b(2 * k + inputs);
  std::vector<int> bit(k), next(k), in(inputs);
  for (int i = 0; i < k; ++i) bit[i] = b.var(i);
  for (int i = 0; i < k; ++i) next[i] = b.var(k + i);
  for (int i = 0; i < inputs; ++i) in[i] = b.var(2 * k + i);
  std::vector<int> not_bit(k), not_next(k);
  for (int i = 0; i < k; ++i) not_bit[i] = b.fresh(BENCH_NOT, bit[i]);
  for (int i = 0; i < k; ++i) not_next[i] = b.fresh(BENCH_NOT, next[i]);
  std::vector<int> force1(k), force0(k), emission(outputs);
  for (int i = 0; i < k; ++i) force1[i] = b.constant(false);
  for (int i = 0; i < k; ++i) force0[i] = b.constant(false);
  for (int o = 0; o < outputs; ++o) emission[o] = b.constant(false);
  const int one = b.constant(true);
  const int cover = b.reg();
  const int negated = b.reg();
  const int minterm = b.reg();
  const int condition = b.reg();
  const int emitted = b.reg();
  // The transitions as the compiler hands them over: those of the table,
  // then a loop on each state without transition.
  std::vector<ktest::transition> transitions = a.transitions;
  for (int s = 0; s < states; ++s) {
    if (ktest::tried_order(a, s).empty()) transitions.push_back({s, s, 0, "1", {}});
  }
  // The guards, as the expression parser gives them.
  receptivity_operations operations(b, in);
  std::vector<int> guard(transitions.size());
  for (std::size_t t = 0; t < transitions.size(); ++t) {
    guard[t] = ktest::read_receptivity(transitions[t].guard, a.inputs, operations);
  }
  // Exclusion by priority within each state.
  for (int s = 0; s < states; ++s) {
    b.emit(BENCH_CONST, cover, 0);
    for (int t : ktest::tried_order(a, s)) {
      b.emit(BENCH_NOT, negated, cover);
      b.emit(BENCH_AND, guard[t], guard[t], negated);
      b.emit(BENCH_OR, cover, cover, guard[t]);
    }
  }
  // The transitions, in order.
  for (std::size_t t = 0; t < transitions.size(); ++t) {
    const int s = transitions[t].source;
    b.emit(BENCH_CONST, minterm, 1);
    for (int i = 0; i < k; ++i)
      b.emit(BENCH_AND, minterm, minterm, (s >> i) & 1 ? bit[i] : not_bit[i]);
    b.emit(BENCH_AND, condition, guard[t], minterm);
    for (int i = 0; i < k; ++i) {
      if ((transitions[t].target >> i) & 1) {
        b.emit(BENCH_OR, force1[i], force1[i], condition);
      } else {
        b.emit(BENCH_OR, force0[i], force0[i], condition);
      }
    }
    for (int o : transitions[t].outputs) {
      b.emit(BENCH_AND, emitted, one, condition);
      b.emit(BENCH_OR, emission[o], emission[o], emitted);
    }
  }
  // The Moore actions of the states.
  for (int s = 0; s < states; ++s) {
    for (int o : a.state_outputs[s]) {
      b.emit(BENCH_CONST, minterm, 1);
      for (int i = 0; i < k; ++i)
        b.emit(BENCH_AND, minterm, minterm, (s >> i) & 1 ? next[i] : not_next[i]);
      b.emit(BENCH_AND, emitted, one, minterm);
      b.emit(BENCH_OR, emission[o], emission[o], emitted);
    }
  }
  b.outputs = force1;
  b.outputs.insert(b.outputs.end(), force0.begin(), force0.end());
  b.outputs.insert(b.outputs.end(), emission.begin(), emission.end());
  return b;
}

// Random 3-CNF with round(ratio * n) clauses of three distinct variables,
// conjoined clause by clause.
builder cnf(unsigned seed, int n, double ratio) {
  builder b(n);
  std::mt19937 rng(seed);
  std::vector<int> x(n), nx(n);
  for (int i = 0; i < n; ++i) x[i] = b.var(i);
  for (int i = 0; i < n; ++i) nx[i] = b.fresh(BENCH_NOT, x[i]);
  const int f = b.constant(true);
  const int clause = b.reg();
  const int clauses = static_cast<int>(std::lround(ratio * n));
  for (int c = 0; c < clauses; ++c) {
    int v[3];
    for (int l = 0; l < 3; ++l) {
      bool fresh;
      do {
        v[l] = static_cast<int>(rng() % n);
        fresh = true;
        for (int q = 0; q < l; ++q) fresh = fresh && v[q] != v[l];
      } while (!fresh);
    }
    b.emit(BENCH_CONST, clause, 0);
    for (int l = 0; l < 3; ++l) b.emit(BENCH_OR, clause, clause, (rng() & 1) ? x[v[l]] : nx[v[l]]);
    b.emit(BENCH_AND, f, f, clause);
  }
  b.outputs.push_back(f);
  return b;
}

// The automaton's conditions with `removed` inputs, spread over the input
// levels, removed existentially one variable per call; only the removal is
// timed.
builder quantified(unsigned seed, int states, int inputs, int removed) {
  builder b = automaton(seed, states, inputs);
  int k = 0;
  while ((1 << k) < states) ++k;
  std::vector<int> levels;
  for (int i = 0; i < removed; ++i) levels.push_back(2 * k + 1 + i * inputs / removed);
  const int set = b.add_set(levels);
  b.timed_from = static_cast<int>(b.ops.size());
  std::vector<int> out;
  for (int r : b.outputs) out.push_back(b.fresh(BENCH_EXISTS, r, set));
  b.outputs = out;
  return b;
}

struct workload {
  std::string name;
  builder program;
};

struct outcome {
  double ours;
  double buddy;
  bool agree;
  long our_nodes;
  long buddy_nodes;
};

// Runs the program with both engines (the faster of three runs when a run
// takes less than half a second) and compares their outputs.
outcome run(const builder& b, bool one_pass = false) {
  std::mt19937 rng(99);
  const int nassign = 64;
  std::vector<unsigned char> assignments(static_cast<std::size_t>(nassign) * b.nvars);
  for (unsigned char& a : assignments) a = rng() & 1;
  bench_program p{};
  p.nvars = b.nvars;
  p.nregs = b.nregs;
  p.ops = b.ops.data();
  p.nops = static_cast<int>(b.ops.size());
  p.set_start = b.set_start.data();
  p.set_levels = b.set_levels.data();
  p.outputs = b.outputs.data();
  p.noutputs = static_cast<int>(b.outputs.size());
  p.assignments = assignments.data();
  p.nassign = nassign;
  p.timed_from = b.timed_from;
  p.one_pass = one_pass ? 1 : 0;
  const std::size_t nout = b.outputs.size();
  std::vector<double> sat_ours(nout), sat_buddy(nout);
  std::vector<unsigned char> ev_ours(nout * nassign), ev_buddy(nout * nassign);
  bench_result ours{0, sat_ours.data(), ev_ours.data(), 0};
  bench_result buddy{0, sat_buddy.data(), ev_buddy.data(), 0};
  buddy_run(&p, &buddy);
  ours_run(&p, &ours);
  for (int again = 0; again < 2 && ours.seconds + buddy.seconds < 1.0; ++again) {
    bench_result b2 = buddy;
    bench_result o2 = ours;
    buddy_run(&p, &b2);
    ours_run(&p, &o2);
    buddy.seconds = std::min(buddy.seconds, b2.seconds);
    ours.seconds = std::min(ours.seconds, o2.seconds);
  }
  bool agree = ev_ours == ev_buddy;
  for (std::size_t o = 0; o < nout; ++o) {
    const bool same = std::fabs(sat_ours[o] - sat_buddy[o]) <= 1e-9 * (1.0 + sat_buddy[o]);
    if (!same) {
      std::printf("  output %zu: %.17g models with ours, %.17g with BuDDy\n", o, sat_ours[o],
                  sat_buddy[o]);
    }
    agree = agree && same;
  }
  if (ev_ours != ev_buddy) std::printf("  values differ on the random assignments\n");
  return {ours.seconds, buddy.seconds, agree, ours.nodes, buddy.nodes};
}

// The best of our engine's times over the runs.
double ours_best_time(const builder& b, int runs) {
  bench_program p{};
  p.nvars = b.nvars;
  p.nregs = b.nregs;
  p.ops = b.ops.data();
  p.nops = static_cast<int>(b.ops.size());
  p.set_start = b.set_start.data();
  p.set_levels = b.set_levels.data();
  p.outputs = b.outputs.data();
  p.noutputs = static_cast<int>(b.outputs.size());
  p.timed_from = b.timed_from;
  const std::size_t nout = b.outputs.size();
  std::vector<double> sat(nout);
  double best = 1e300;
  for (int r = 0; r < runs; ++r) {
    bench_result ours{0, sat.data(), nullptr, 0};
    ours_run(&p, &ours);
    best = std::min(best, ours.seconds);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  bool quick = false;
  bool covers = true;
  int profile_runs = 0;
  std::string only;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--quick") {
      quick = true;
    } else if (arg == "--no-covers") {
      covers = false;
    } else if (arg == "--profile" && i + 1 < argc) {
      profile_runs = std::max(1, std::atoi(argv[++i]));
      covers = false;
    } else if (arg == "--only" && i + 1 < argc) {
      only = argv[++i];
      covers = false;
    } else {
      std::fprintf(
          stderr,
          "usage: %s [--quick] [--no-covers] [--only <workload name part>] [--profile <runs>]\n",
          argv[0]);
      return 2;
    }
  }
  std::vector<workload> workloads;
  for (int n = 6; n <= (quick ? 8 : 10); ++n) {
    workloads.push_back({"queens " + std::to_string(n), queens(n)});
  }
  struct automaton_case {
    int states;
    int inputs;
  };
  const std::vector<automaton_case> automata =
      quick ? std::vector<automaton_case>{{64, 12}, {256, 16}}
            : std::vector<automaton_case>{{64, 12}, {256, 16}, {512, 20}, {1024, 16}};
  for (const automaton_case& a : automata) {
    workloads.push_back({"automaton " + std::to_string(a.states) + " states, " +
                             std::to_string(a.inputs) + " inputs",
                         automaton(1000u + a.states + a.inputs, a.states, a.inputs)});
  }
  for (int n : quick ? std::vector<int>{20, 25} : std::vector<int>{20, 25, 30}) {
    workloads.push_back({"3-CNF n=" + std::to_string(n) + " ratio 4.26", cnf(7u + n, n, 4.26)});
  }
  const std::vector<automaton_case> removals =
      quick ? std::vector<automaton_case>{{64, 16}, {256, 16}}
            : std::vector<automaton_case>{{64, 16}, {256, 16}, {1024, 16}};
  for (const automaton_case& a : removals) {
    workloads.push_back({"exists 4 of 16 inputs, " + std::to_string(a.states) + " states",
                         quantified(3000u + a.states, a.states, a.inputs, 4)});
  }

  if (profile_runs > 0) {
    // Our engine alone, run again and again on the chosen workloads (for a
    // profiler): the best time of the runs.
    for (const workload& w : workloads) {
      if (!only.empty() && w.name.find(only) == std::string::npos) continue;
      std::printf("%-34s %11.4f\n", w.name.c_str(), ours_best_time(w.program, profile_runs));
    }
    return 0;
  }
  std::printf("%-34s %11s %11s %7s %6s %12s\n", "workload", "ours (s)", "BuDDy (s)", "ratio",
              "agree", "our nodes");
  double log_sum = 0;
  int ran = 0;
  double worst = 0;
  bool all_agree = true;
  for (const workload& w : workloads) {
    if (!only.empty() && w.name.find(only) == std::string::npos) continue;
    const outcome o = run(w.program);
    const double ratio = o.ours / o.buddy;
    log_sum += std::log(ratio);
    ++ran;
    worst = std::max(worst, ratio);
    all_agree = all_agree && o.agree;
    std::printf("%-34s %11.4f %11.4f %7.2f %6s %12ld\n", w.name.c_str(), o.ours, o.buddy, ratio,
                o.agree ? "yes" : "NO", o.our_nodes);
    std::fflush(stdout);
  }
  if (only.empty() || std::string("exists").find(only) != std::string::npos) {
    const outcome o = run(quantified(3256u, 256, 16, 4), true);
    std::printf(
        "  (BuDDy removing the same 4 inputs of the 256 states in one call per function: "
        "%.4f s)\n",
        o.buddy);
  }
  std::printf("geometric mean of ours/BuDDy: %.2f, largest: %.2f, engines agree: %s\n",
              std::exp(log_sum / std::max(1, ran)), worst, all_agree ? "yes" : "NO");

  if (!covers) {
    return all_agree ? 0 : 1;
  }
  // Covers of next-state functions (our engine only). Level 1 compares every
  // product with the disjunction of all the others (quadratic in the number
  // of products) and level 2 enumerates prime implicants through the ternary
  // implicant tree (exponential in the number of variables): they run on the
  // smaller automata only.
  std::printf("\ncovers of the next-state functions (our engine)\n");
  std::printf("%-34s %10s %10s %10s %9s %9s %9s\n", "automaton", "L0 (s)", "L1 (s)", "L2 (s)",
              "L0 prod", "L1 prod", "L2 prod");
  struct cover_case {
    int states;
    int inputs;
    int highest_level;
  };
  std::vector<cover_case> cases;
  const int states = quick ? 64 : 256;
  for (int inputs : {12, 16, 20}) cases.push_back({states, inputs, 0});
  for (int inputs : {12, 16, 20}) cases.push_back({quick ? 16 : 32, inputs, 1});
  for (int inputs : {6, 8, 10}) cases.push_back({8, inputs, 2});
  for (const cover_case& c : cases) {
    builder b = automaton(2000u + c.inputs, c.states, c.inputs);
    bench_program p{};
    p.nvars = b.nvars;
    p.nregs = b.nregs;
    p.ops = b.ops.data();
    p.nops = static_cast<int>(b.ops.size());
    p.outputs = b.outputs.data();
    p.noutputs = static_cast<int>(b.outputs.size());
    const cover_times t = ours_cover_times(&p, c.highest_level);
    const std::string name =
        std::to_string(c.states) + " states, " + std::to_string(c.inputs) + " inputs";
    std::printf("%-34s", name.c_str());
    for (int level = 0; level <= 2; ++level) {
      if (level <= c.highest_level) {
        std::printf(" %10.4f", t.seconds[level]);
      } else {
        std::printf(" %10s", "-");
      }
    }
    for (int level = 0; level <= 2; ++level) {
      if (level <= c.highest_level) {
        std::printf(" %9ld", t.products[level]);
      } else {
        std::printf(" %9s", "-");
      }
    }
    std::printf("\n");
    std::fflush(stdout);
  }
  return all_agree ? 0 : 1;
}
