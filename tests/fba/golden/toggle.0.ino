extern void my_setup(void);
extern void my_before(void);
extern void my_after(void);

int r_X0,
    r_X1,
    r_X0next,
    r_X1next;

void setup()
{
  my_setup();
  r_X0= 0;
  r_X1= 0;
}

void loop()
{
  /* user before() function call */
  my_before();

  /* inputs reading */

  r_X0next= ! r_X0;
  r_X1next= 0;


  r_X0= r_X0next;
  r_X1= r_X1next;
  /* user after() function call */
  my_after();
}

