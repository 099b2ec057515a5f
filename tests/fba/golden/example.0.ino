extern void my_setup(void);
extern void my_before(void);
extern void my_after(void);
extern int a(void);
extern void o_true(void);
extern void o_false(void);

int m_X0,
    m_a,
    m_o,
    m_X0next;

void setup()
{
  my_setup();
  m_X0= 0;
}

void loop()
{
  /* user before() function call */
  my_before();

  /* inputs reading */
  m_a= a();

  m_X0next= m_a;

  m_o= m_X0;
  if(m_o)
  {
    o_true();
  }
  else
  {
    o_false();
  }

  m_X0= m_X0next;
  /* user after() function call */
  my_after();
}

