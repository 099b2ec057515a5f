/* Steps the door controller of door.gal through an opening, a closing
   stopped by an obstacle, and a second closing. */
#include <stdio.h>

#include "door.h"

int main(void) {
  /* The inputs of each reaction: button, top, bottom, obstacle. */
  static const int steps[][4] = {
      {0, 0, 0, 0}, /* closed, nothing happens */
      {1, 0, 0, 0}, /* button: the door starts opening */
      {0, 0, 0, 0}, /* still opening */
      {0, 1, 0, 0}, /* top switch: open */
      {1, 0, 0, 0}, /* button: closing */
      {0, 0, 0, 1}, /* obstacle: beep and open again */
      {0, 1, 0, 0}, /* top switch: open */
      {1, 0, 0, 0}, /* button: closing */
      {0, 0, 1, 0}, /* bottom switch: closed */
  };
  int motor_up = 0, motor_down = 0, beep = 0;
  size_t n;

  /* The reset only puts the machine in its initial state: it reads none
     of its arguments and writes no output. */
  door_reset_automaton(0, 0, 0, 0, &motor_up, &motor_down, &beep);
  for (n = 0; n < sizeof steps / sizeof steps[0]; ++n) {
    const int* in = steps[n];
    door_automaton(in[0], in[1], in[2], in[3], &motor_up, &motor_down, &beep);
    printf("step %d: motor_up=%d motor_down=%d beep=%d\n", (int)n + 1, motor_up, motor_down, beep);
  }
  return 0;
}
