extern void my_setup(void);
extern void my_before(void);
extern void my_after(void);
extern void z(void);
extern void w_true(void);
extern void w_false(void);

int k_X0,
    k_X1,
    k_z,
    k_w,
    k_X0next,
    k_X1next;

void setup()
{
  my_setup();
  k_X0= 0;
  k_X1= !0;
}

void loop()
{
  /* user before() function call */
  my_before();

  /* inputs reading */

  k_X0next= 0;
  k_X1next= 1;

  k_z= 0;
  if(k_z)
  {
    z();
  }
  k_w= ! k_X0next && k_X1next;
  if(k_w)
  {
    w_true();
  }
  else
  {
    w_false();
  }

  k_X0= k_X0next;
  k_X1= k_X1next;
  /* user after() function call */
  my_after();
}

