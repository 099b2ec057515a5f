//....................................................................................
// Libraries :
//....................................................................................

 using System; 
//....................................................................................
// Class :
//....................................................................................

 public class idle
 {
//....................................................................................
// private attributs:
//....................................................................................

// private input variables :

// No inputs ...


// get & set methods for inputs from the FSM inputs :



// private output variables :
// No output ...


// private registers variables :



//....................................................................................
//The constructor :
//....................................................................................

public idle()
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

 }

// Initialisation methods of the automaton boolean outputs:

 private void Reset_Outputs()
 {

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



 }

// Changing method X=Xnext

private void Next()
 {

   }

}
