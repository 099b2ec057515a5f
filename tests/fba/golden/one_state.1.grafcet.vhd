-- VHDL generation by trobix from s grafcet

entity s is
  port(a, b,  reset, clk: in bit;
     o, p, q: out bit);
end s;

architecture s_a of s is
begin
-- state and output computation
process (clk,reset)
begin
  if (reset = '0') then 
    o <= '0';
    p <= '0';
    q <= '0';

  elsif ( clk'event and clk='1') then 
    o <= (a and not b);
    p <= '1';
    q <= '0';

  end if;
end process;

-- future computation
end s_a;

