void idle_reset_automaton()
{
}

void idle_automaton()
{


}

