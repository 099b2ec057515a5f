int latch2_X0,
    latch2_X1,
    latch2_X0next,
    latch2_X1next;

void latch2_reset_automaton(int latch2_a, int latch2_b)
{
  latch2_X0= 0;
  latch2_X1= !0;
}

void latch2_automaton(int latch2_a, int latch2_b)
{
  latch2_X0next= latch2_a;
  latch2_X1next= latch2_b;


  latch2_X0= latch2_X0next;
  latch2_X1= latch2_X1next;
}

