// Steps the door controller of door.gal through an opening, a closing
// stopped by an obstacle, and a second closing.
using System;

public static class DoorMain
{
  public static void Main()
  {
    // The inputs of each reaction: button, top, bottom, obstacle.
    bool[][] steps = {
      new bool[] { false, false, false, false },  // closed, nothing happens
      new bool[] { true, false, false, false },   // button: the door starts opening
      new bool[] { false, false, false, false },  // still opening
      new bool[] { false, true, false, false },   // top switch: open
      new bool[] { true, false, false, false },   // button: closing
      new bool[] { false, false, false, true },   // obstacle: beep and open again
      new bool[] { false, true, false, false },   // top switch: open
      new bool[] { true, false, false, false },   // button: closing
      new bool[] { false, false, true, false },   // bottom switch: closed
    };
    door machine = new door();  // the constructor resets the machine
    for (int n = 0; n < steps.Length; ++n)
    {
      // Automaton() sets every input back to false: set them before each step.
      machine.P_button = steps[n][0];
      machine.P_top = steps[n][1];
      machine.P_bottom = steps[n][2];
      machine.P_obstacle = steps[n][3];
      machine.Automaton();
      Console.WriteLine("step {0}: motor_up={1} motor_down={2} beep={3}", n + 1,
                        machine.GS_motor_up ? 1 : 0, machine.GS_motor_down ? 1 : 0,
                        machine.GS_beep ? 1 : 0);
    }
  }
}
