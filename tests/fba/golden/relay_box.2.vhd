-- VHDL generation from relay_box

entity relay_box is
  port(relay_box_en_a, relay_box_b,  relay_box_reset, relay_box_clk: in bit;
     relay_box_y: out bit);
end relay_box;

architecture relay_box_a of relay_box is
signal en_a, b, en_anext, bnext :bit;

begin
-- state and output computation
process (relay_box_clk,relay_box_reset)
begin
  if (relay_box_reset = '0') then 
    relay_box_y <= '0';

  elsif ( relay_box_clk'event and relay_box_clk='1') then 
    en_a <= relay_box_en_a;
    b <= relay_box_b;
  elsif ( relay_box_clk'event and relay_box_clk='0') then 
    relay_box_y <= (en_a and not b);

  end if;
end process;

-- future computation
end relay_box_a;

