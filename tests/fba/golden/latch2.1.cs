//....................................................................................
// Libraries :
//....................................................................................

 using System; 
//....................................................................................
// Class :
//....................................................................................

 public class latch2
 {
//....................................................................................
// private attributs:
//....................................................................................

// private input variables :

private bool a;
private bool b;



// get & set methods for inputs from the FSM inputs :

 public bool P_a
 {

   get {
   return a;

      }

   set {
     if (value != a){
        a = value;

      }
    }
  }

 public bool P_b
 {

   get {
   return b;

      }

   set {
     if (value != b){
        b = value;

      }
    }
  }



// private output variables :
// No output ...


// private registers variables :

private bool X0,
   X1,
   X0next,
   X1next;



//....................................................................................
//The constructor :
//....................................................................................

public latch2()
{

  Reset_Automaton();

}

//....................................................................................
//The methods :
//....................................................................................

// get & set methods for outputs from the FSM inputs :



// Initialisation of the automaton:

 private void Reset_Automaton()
 {

  Reset_Inputs();
  Reset_Outputs();
  Reset_Registers();

 }

// Initialisation methods of the automaton boolean inputs:

 private void Reset_Inputs()
 {

   a = false;

   b = false;

 }

// Initialisation methods of the automaton boolean outputs:

 private void Reset_Outputs()
 {

 }

// Initialisation methods of the automaton boolean registers:

 private void Reset_Registers()
 {

  X0 = false;

  X1 = !false;

 }

// FSM Transition methods:

public void Automaton()
 {

  React();
  Next();
  Reset_Inputs();

 }

// Next state method computing:

private void  React()
 {

  X0next =  a;
  X1next =  b;


 }

// Changing method X=Xnext

private void Next()
 {

  X0 = X0next;

  X1 = X1next;

   }

}
