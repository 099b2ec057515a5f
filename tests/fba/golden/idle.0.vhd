-- VHDL generation from idle

entity idle is
  port( idle_reset, idle_clk: in bit
     );
end idle;

architecture idle_a of idle is
begin
-- state and output computation
process (idle_clk,idle_reset)
begin
  if (idle_reset = '0') then 

  elsif ( idle_clk'event and idle_clk='1') then 
  elsif ( idle_clk'event and idle_clk='0') then 

  end if;
end process;

-- future computation
end idle_a;

