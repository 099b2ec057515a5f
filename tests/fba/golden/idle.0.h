extern void idle_reset_automaton();

extern void idle_automaton();
