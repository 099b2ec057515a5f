-- VHDL generation by trobix from m grafcet

entity m is
  port(a,  reset, clk: in bit;
     o: out bit);
end m;

architecture m_a of m is
signal X0, X0next :bit;

begin
-- state and output computation
process (clk,reset)
begin
  if (reset = '0') then 
    o <= '0';

    X0 <= (a);
  elsif ( clk'event and clk='1') then 
    o <= (X0);

    X0 <= X0next;
  end if;
end process;

-- future computation
  X0next <= (a);

end m_a;

