-- VHDL generation from pulse

LIBRARY ieee;
USE ieee.std_logic_1164.all;
entity pulse is
  port( pulse_reset, pulse_clk: in std_logic;
     pulse_never, pulse_always, pulse_done: out std_logic);
end pulse;

architecture pulse_a of pulse is
signal X0, X0next :std_logic;

begin
-- state and output computation
process (pulse_clk,pulse_reset)
begin
  if (pulse_reset = '0') then 
    pulse_never <= '0';
    pulse_always <= '0';
    pulse_done <= '0';

    X0 <= '0';
  elsif ( pulse_clk'event and pulse_clk='1') then 
  elsif ( pulse_clk'event and pulse_clk='0') then 
    pulse_never <= '0';
    pulse_always <= '1';
    pulse_done <= (X0next);

    X0 <= X0next;
  end if;
end process;

-- future computation
  X0next <= '1';

end pulse_a;

