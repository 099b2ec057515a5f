/* Runner of a benchmark program with BuDDy (C interface only, so that its
 * names never meet ours). */
#include <bdd.h>
#include <stdlib.h>
#include <time.h>

#include "bdd_bench_program.h"

static double now_seconds(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

static void silent_gbc(int pre, bddGbcStat* stat) {
  (void)pre;
  (void)stat;
}

/* Sets reg to f, keeping one reference on the register's function. */
static void assign(BDD* regs, int dst, BDD f) {
  bdd_addref(f);
  bdd_delref(regs[dst]);
  regs[dst] = f;
}

static int eval(BDD f, const unsigned char* bits) {
  while (f != bddtrue && f != bddfalse) {
    f = bits[bdd_var(f)] ? bdd_high(f) : bdd_low(f);
  }
  return f == bddtrue;
}

void buddy_run(const struct bench_program* p, struct bench_result* result) {
  /* Set up as BuDDy's own examples do: a million nodes, a cache of a
   * hundred thousand entries. */
  bdd_init(1000000, 100000);
  bdd_gbc_hook(silent_gbc);
  bdd_setvarnum(p->nvars);
  BDD* regs = (BDD*)malloc(sizeof(BDD) * (size_t)p->nregs);
  for (int i = 0; i < p->nregs; ++i) regs[i] = bddfalse;
  double start = now_seconds();
  for (int k = 0; k < p->nops; ++k) {
    const struct bench_op* op = &p->ops[k];
    if (k == p->timed_from) start = now_seconds();
    switch (op->code) {
      case BENCH_CONST:
        assign(regs, op->dst, op->a ? bddtrue : bddfalse);
        break;
      case BENCH_VAR:
        assign(regs, op->dst, bdd_ithvar(op->a));
        break;
      case BENCH_NOT:
        assign(regs, op->dst, bdd_not(regs[op->a]));
        break;
      case BENCH_AND:
        assign(regs, op->dst, bdd_apply(regs[op->a], regs[op->b], bddop_and));
        break;
      case BENCH_OR:
        assign(regs, op->dst, bdd_apply(regs[op->a], regs[op->b], bddop_or));
        break;
      case BENCH_IMP:
        assign(regs, op->dst, bdd_apply(regs[op->a], regs[op->b], bddop_imp));
        break;
      case BENCH_EXISTS: {
        /* One variable at a time, as our engine's interface does; with
         * one_pass set, the whole set in one call. */
        const int first = p->set_start[op->b];
        const int count = p->set_start[op->b + 1] - first;
        if (p->one_pass) {
          BDD set = bdd_addref(bdd_makeset((int*)(p->set_levels + first), count));
          assign(regs, op->dst, bdd_exist(regs[op->a], set));
          bdd_delref(set);
        } else {
          assign(regs, op->dst, regs[op->a]);
          for (int i = 0; i < count; ++i) {
            BDD set = bdd_addref(bdd_ithvar(p->set_levels[first + i]));
            assign(regs, op->dst, bdd_exist(regs[op->dst], set));
            bdd_delref(set);
          }
        }
        break;
      }
    }
  }
  result->seconds = now_seconds() - start;
  for (int o = 0; o < p->noutputs; ++o) {
    BDD f = regs[p->outputs[o]];
    result->satcounts[o] = bdd_satcount(f);
    for (int i = 0; i < p->nassign; ++i) {
      result->evals[o * p->nassign + i] =
          (unsigned char)eval(f, p->assignments + (size_t)i * (size_t)p->nvars);
    }
  }
  result->nodes = bdd_getnodenum();
  free(regs);
  bdd_done();
}
