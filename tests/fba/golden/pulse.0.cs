//....................................................................................
// Libraries :
//....................................................................................

 using System; 
//....................................................................................
// Class :
//....................................................................................

 public class pulse
 {
//....................................................................................
// private attributs:
//....................................................................................

// private input variables :

// No inputs ...


// get & set methods for inputs from the FSM inputs :



// private output variables :
private bool never;
private bool always;
private bool done;



// private registers variables :

private bool X0,
   X0next;



//....................................................................................
//The constructor :
//....................................................................................

public pulse()
{

  Reset_Automaton();

}

//....................................................................................
//The methods :
//....................................................................................

// get & set methods for outputs from the FSM inputs :

 public bool GS_never
 {

   get {
   return never;

      }

   set {
     if (value !=  never){
       never = value;

      }
    }
  }

 public bool GS_always
 {

   get {
   return always;

      }

   set {
     if (value !=  always){
       always = value;

      }
    }
  }

 public bool GS_done
 {

   get {
   return done;

      }

   set {
     if (value !=  done){
       done = value;

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

 }

// Initialisation methods of the automaton boolean outputs:

 private void Reset_Outputs()
 {

   never = false;

   always = false;

   done = false;

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

  X0next = true;


   never = false;

   always = true;

   done =  X0next;

 }

// Changing method X=Xnext

private void Next()
 {

  X0 = X0next;

   }

}
