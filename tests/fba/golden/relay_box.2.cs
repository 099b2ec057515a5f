//....................................................................................
// Libraries :
//....................................................................................

 using System; 
//....................................................................................
// Class :
//....................................................................................

 public class relay_box
 {
//....................................................................................
// private attributs:
//....................................................................................

// private input variables :

private bool en_a;
private bool b;



// get & set methods for inputs from the FSM inputs :

 public bool P_en_a
 {

   get {
   return en_a;

      }

   set {
     if (value != en_a){
        en_a = value;

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
private bool y;



// private registers variables :



//....................................................................................
//The constructor :
//....................................................................................

public relay_box()
{

  Reset_Automaton();

}

//....................................................................................
//The methods :
//....................................................................................

// get & set methods for outputs from the FSM inputs :

 public bool GS_y
 {

   get {
   return y;

      }

   set {
     if (value !=  y){
       y = value;

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

   en_a = false;

   b = false;

 }

// Initialisation methods of the automaton boolean outputs:

 private void Reset_Outputs()
 {

   y = false;

 }

// Initialisation methods of the automaton boolean registers:

 private void Reset_Registers()
 {

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



   y =  en_a && !  b;

 }

// Changing method X=Xnext

private void Next()
 {

   }

}
