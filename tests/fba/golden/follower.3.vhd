-- VHDL generation from follower

entity follower is
  port(follower_go,  follower_reset, follower_clk: in bit;
     follower_on, follower_edge: out bit);
end follower;

architecture follower_a of follower is
signal go, X0, gonext, X0next :bit;

begin
-- state and output computation
process (follower_clk,follower_reset)
begin
  if (follower_reset = '0') then 
    follower_on <= '0';
    follower_edge <= '0';

    X0 <= '0';
  elsif ( follower_clk'event and follower_clk='1') then 
    go <= follower_go;
  elsif ( follower_clk'event and follower_clk='0') then 
    follower_on <= (X0next);
    follower_edge <= (not X0 and go);

    X0 <= X0next;
  end if;
end process;

-- future computation
  X0next <= (go);

end follower_a;

