int follower_X0,
    follower_X0next;

void follower_reset_automaton(int follower_go, int *follower_on, int *follower_edge)
{
  follower_X0= 0;
}

void follower_automaton(int follower_go, int *follower_on, int *follower_edge)
{
  follower_X0next= follower_go;

  *follower_on= follower_X0next;
  *follower_edge= ! follower_X0 && follower_go;

  follower_X0= follower_X0next;
}

