extern void my_setup(void);
extern void my_before(void);
extern void my_after(void);

void setup()
{
  my_setup();
}

void loop()
{
  /* user before() function call */
  my_before();

  /* inputs reading */



  /* user after() function call */
  my_after();
}

