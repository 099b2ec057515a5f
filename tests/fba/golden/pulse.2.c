int pulse_X0,
    pulse_X0next;

void pulse_reset_automaton(int *pulse_never, int *pulse_always, int *pulse_done)
{
  pulse_X0= 0;
}

void pulse_automaton(int *pulse_never, int *pulse_always, int *pulse_done)
{
  pulse_X0next= 1;

  *pulse_never= 0;
  *pulse_always= 1;
  *pulse_done= pulse_X0next;

  pulse_X0= pulse_X0next;
}

