/* A benchmark program for one BDD engine: a straight list of operations on
 * numbered registers, interpreted the same way by each engine, so that both
 * engines build the same functions through the same calls. Shared by the C
 * runner of the comparison library and the C++ runner of our engine. */
#ifndef KORVANE_BENCH_BDD_BENCH_PROGRAM_H
#define KORVANE_BENCH_BDD_BENCH_PROGRAM_H

#ifdef __cplusplus
extern "C" {
#endif

enum bench_opcode {
  BENCH_CONST, /* reg[dst] = constant a (0 or 1) */
  BENCH_VAR,   /* reg[dst] = variable at level a */
  BENCH_NOT,   /* reg[dst] = NOT reg[a] */
  BENCH_AND,   /* reg[dst] = reg[a] AND reg[b] */
  BENCH_OR,    /* reg[dst] = reg[a] OR reg[b] */
  BENCH_IMP,   /* reg[dst] = reg[a] IMPLIES reg[b] */
  BENCH_EXISTS /* reg[dst] = reg[a] with the levels of set b removed */
};

struct bench_op {
  int code;
  int dst;
  int a;
  int b;
};

struct bench_program {
  int nvars;
  int nregs;
  const struct bench_op* ops;
  int nops;
  /* Level sets for BENCH_EXISTS: set k holds set_levels[set_start[k] ..
   * set_start[k + 1] - 1], in increasing order. */
  const int* set_start;
  const int* set_levels;
  /* Registers whose functions are compared at the end. */
  const int* outputs;
  int noutputs;
  /* Assignments for the comparison: nassign rows of nvars bytes (0 or 1),
   * indexed by level. */
  const unsigned char* assignments;
  int nassign;
  /* Operations before this index build the inputs of the workload and are
   * not timed. */
  int timed_from;
  /* BENCH_EXISTS in the comparison library: 0 one variable per call (the
   * sequence our engine runs), 1 the whole set in one call. */
  int one_pass;
};

struct bench_result {
  double seconds;       /* time of the operations only */
  double* satcounts;    /* per output: number of satisfying assignments */
  unsigned char* evals; /* per output and assignment: the value */
  long nodes;           /* nodes in the engine's table at the end */
};

/* Runs the program with the comparison library; fills result. */
void buddy_run(const struct bench_program* p, struct bench_result* result);

#ifdef __cplusplus
}
#endif

#endif
