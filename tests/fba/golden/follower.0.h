extern void follower_reset_automaton(int follower_go, int *follower_on, int *follower_edge);

extern void follower_automaton(int follower_go, int *follower_on, int *follower_edge);
