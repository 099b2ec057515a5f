-- Steps the door controller of door.gal through an opening, a closing
-- stopped by an obstacle, and a second closing: one reaction per clock
-- period.
use std.textio.all;

entity door_tb is
end door_tb;

architecture steps of door_tb is
  signal button, top, bottom, obstacle : bit := '0';
  signal reset, clk : bit := '0';
  signal motor_up, motor_down, beep : bit;
  -- The inputs of each reaction: button, top, bottom, obstacle.
  type step_table is array (positive range <>) of bit_vector(0 to 3);
  constant steps : step_table := (
    "0000",   -- closed, nothing happens
    "1000",   -- button: the door starts opening
    "0000",   -- still opening
    "0100",   -- top switch: open
    "1000",   -- button: closing
    "0001",   -- obstacle: beep and open again
    "0100",   -- top switch: open
    "1000",   -- button: closing
    "0010");  -- bottom switch: closed
begin
  machine : entity work.door
    port map (door_button => button, door_top => top, door_bottom => bottom,
              door_obstacle => obstacle, door_reset => reset, door_clk => clk,
              door_motor_up => motor_up, door_motor_down => motor_down,
              door_beep => beep);

  process
    variable text : line;
  begin
    -- The reset is active low and asynchronous: '0' puts the machine in its
    -- initial state and its outputs at '0'.
    reset <= '0';
    wait for 10 ns;
    reset <= '1';
    for n in steps'range loop
      button <= steps(n)(0);
      top <= steps(n)(1);
      bottom <= steps(n)(2);
      obstacle <= steps(n)(3);
      wait for 10 ns;
      clk <= '1';  -- rising edge: the machine samples its inputs
      wait for 10 ns;
      clk <= '0';  -- falling edge: new state and outputs
      wait for 10 ns;
      write(text, string'("step "));
      write(text, n);
      write(text, string'(": motor_up="));
      write(text, motor_up);
      write(text, string'(" motor_down="));
      write(text, motor_down);
      write(text, string'(" beep="));
      write(text, beep);
      writeline(output, text);
    end loop;
    wait;
  end process;
end steps;
