void relay_box_reset_automaton(int relay_box_en_a, int relay_box_b, int *relay_box_y)
{
}

void relay_box_automaton(int relay_box_en_a, int relay_box_b, int *relay_box_y)
{

  *relay_box_y= relay_box_en_a && ! relay_box_b;

}

