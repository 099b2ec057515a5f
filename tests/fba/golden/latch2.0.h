extern void latch2_reset_automaton(int latch2_a, int latch2_b);

extern void latch2_automaton(int latch2_a, int latch2_b);
