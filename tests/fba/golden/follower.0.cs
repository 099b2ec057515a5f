//....................................................................................
// Libraries :
//....................................................................................

 using System; 
//....................................................................................
// Class :
//....................................................................................

 public class follower
 {
//....................................................................................
// private attributs:
//....................................................................................

// private input variables :

private bool go;



// get & set methods for inputs from the FSM inputs :

 public bool P_go
 {

   get {
   return go;

      }

   set {
     if (value != go){
        go = value;

      }
    }
  }



// private output variables :
private bool on;
private bool edge;



// private registers variables :

private bool X0,
   X0next;



//....................................................................................
//The constructor :
//....................................................................................

public follower()
{

  Reset_Automaton();

}

//....................................................................................
//The methods :
//....................................................................................

// get & set methods for outputs from the FSM inputs :

 public bool GS_on
 {

   get {
   return on;

      }

   set {
     if (value !=  on){
       on = value;

      }
    }
  }

 public bool GS_edge
 {

   get {
   return edge;

      }

   set {
     if (value !=  edge){
       edge = value;

      }
    }
  }



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

   go = false;

 }

// Initialisation methods of the automaton boolean outputs:

 private void Reset_Outputs()
 {

   on = false;

   edge = false;

 }

// Initialisation methods of the automaton boolean registers:

 private void Reset_Registers()
 {

  X0 = false;

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

  X0next =  go;


   on =  X0next;

   edge = !  X0 &&  go;

 }

// Changing method X=Xnext

private void Next()
 {

  X0 = X0next;

   }

}
