extern void pulse_reset_automaton(int *pulse_never, int *pulse_always, int *pulse_done);

extern void pulse_automaton(int *pulse_never, int *pulse_always, int *pulse_done);
