-- VHDL generation by trobix from k grafcet

LIBRARY ieee;
USE ieee.std_logic_1164.all;
USE ieee.std_logic_unsigned.all;

entity k is
  port( reset, clk: in std_logic;
     z, w: out std_logic);
end k;

architecture k_a of k is
signal X0, X1, X0next, X1next :std_logic;

begin
-- state and output computation
process (clk,reset)
begin
  if (reset = '0') then 
    z <= '0';
    w <= '0';

    X0 <= '0';
    X1 <= '1';
  elsif ( clk'event and clk='1') then 
    z <= '0';
    w <= (not X0next and X1next);

    X0 <= X0next;
    X1 <= X1next;
  end if;
end process;

-- future computation
  X0next <= '0';

  X1next <= '1';

end k_a;

