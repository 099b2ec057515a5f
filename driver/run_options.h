// The option record of one run and the reading of the command line.
#ifndef KORVANE_DRIVER_RUN_OPTIONS_H
#define KORVANE_DRIVER_RUN_OPTIONS_H

#include <string>

// What one run must do. Every int field is 0 or 1 except `level` (0 to 3).
// Filled by the command line or by the main window, read by the
// compilation road.
struct run_options {
  int sc = 0;           // write the SC6 netlist .sc
  int bac = 0;          // write the BAC equations .ba
  int lustre = 0;       // write the Lustre node .lus
  int esterel = 0;      // write the Esterel module .strl
  int blif = 0;         // write the BLIF netlist .blif
  int le = 0;           // write the Light Esterel file .le
  int c = 0;            // write the C code and header .c and .h
  int vhdl = 0;         // write the VHDL file .vhd
  int altera = 0;       // the VHDL file is written for the Altera tools
  int doc = 0;          // write the French text documentation .doc
  int latex = 0;        // write the LaTeX documentation .tex
  int cs = 0;           // write the C# class .cs
  int awaited = 0;      // add the awaited and trigger outputs
  int bootstate = 0;    // add a boot state before the checks
  int backtrack = 0;    // add the previous-state outputs
  int level = 0;        // optimisation level handed to every writer
  std::string neutral;  // name of the neutral element, empty for none
  std::string file;     // the automaton file name as the user gave it
};

// What the command line asks for.
enum class command_request {
  window,        // no argument: the main window collects the options
  help_french,   // first argument "-aide"
  help_english,  // first argument "-h"
  version,       // first argument "-v"
  compile,       // a file name and valid options
  bad_argument   // an unrecognised argument; the message is set
};

// Reads argv[1..argc-1] into `options` (left at its defaults first) and
// returns what the run must do. On bad_argument, `message` receives the
// text to show: the argument followed by "' option inconnue: tapez korvane
// -h pour en connaitre la liste". No other side effect.
command_request read_command_line(int argc, const char* const* argv, run_options& options,
                                  std::string& message);

#endif
