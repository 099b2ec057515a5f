-- VHDL generation from latch2

LIBRARY ieee;
USE ieee.std_logic_1164.all;
entity latch2 is
  port(latch2_a, latch2_b,  latch2_reset, latch2_clk: in std_logic
     );
end latch2;

architecture latch2_a of latch2 is
signal a, b, X0, X1, anext, bnext, X0next, X1next :std_logic;

begin
-- state and output computation
process (latch2_clk,latch2_reset)
begin
  if (latch2_reset = '0') then 

    X0 <= '0';
    X1 <= '1';
  elsif ( latch2_clk'event and latch2_clk='1') then 
    a <= latch2_a;
    b <= latch2_b;
  elsif ( latch2_clk'event and latch2_clk='0') then 

    X0 <= X0next;
    X1 <= X1next;
  end if;
end process;

-- future computation
  X0next <= (a);

  X1next <= (b);

end latch2_a;

