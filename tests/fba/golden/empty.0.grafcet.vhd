-- VHDL generation by trobix from e grafcet

entity e is
  port( reset, clk: in bit
     );
end e;

architecture e_a of e is
begin
-- state and output computation
process (clk,reset)
begin
  if (reset = '0') then 

  elsif ( clk'event and clk='1') then 

  end if;
end process;

-- future computation
end e_a;

