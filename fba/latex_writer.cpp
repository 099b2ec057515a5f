// LaTeX writer: the boolean machine as a French article: inputs with their
// types, outputs, the D flip-flops with their initial values, next-state
// equations (X^+) and the forcing conditions they come from (X_1^+, X_0^+),
// then the next-state variables and the output equations. Equations are
// sums of products in math mode: "+" for or, "." for and, an overline for
// negation. Every "_" of a name is escaped as "\_".
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"
#include "utilities/Stringpp.h"

namespace {

// Returns the word printed for an input type: "-" for pure, "bool",
// "integer", and "???" for undefined or any other value.
std::string type_word(int type) {
  switch (type) {
    case 1:
      return "-";
    case 2:
      return "bool";
    case 3:
      return "integer";
    default:
      return "???";
  }
}

// The state of one LaTeX write: the machine, the stream, the level and the
// type words of the inputs.
class latex_dumper {
 public:
  latex_dumper(const FBA& machine, std::ostream& os, int level,
               std::vector<std::string> input_types)
      : fba(machine),
        manager(machine.get_manager()),
        os(os),
        level(level),
        input_types(std::move(input_types)) {}

  // Writes the whole article.
  void dump() {
    dump_preamble();
    dump_inputs();
    dump_outputs();
    dump_flip_flops();
    dump_equations();
  }

 private:
  const FBA& fba;
  bddpp_manager* manager;
  std::ostream& os;
  int level;
  std::vector<std::string> input_types;

  void line(const std::string& text) { put_line(os, text); }

  // Returns the filtered sum-of-products text of f.
  std::string equation(bdd f) const {
    return latex_String_filter(
        manager->Print_sop_to_String(" + ", ".", "\\overline{", "}", f, level));
  }

  // Writes the fixed preamble, page layout and title block.
  void dump_preamble() {
    line("\\documentclass[11pt,a4paper]{article}");
    line("\\usepackage[francais]{babel}");
    line("\\usepackage{epsfig}");
    line("\\usepackage{float}");
    line("\\usepackage{amsmath}");
    line("\\usepackage{amssymb}");
    line("\\usepackage{times}");
    line("\\setlength{\\textheight}{23.5cm}");
    line("\\setlength{\\hoffset}{-2cm}");
    line("\\setlength{\\oddsidemargin}{1cm}");
    line("\\setlength{\\voffset}{-1cm}");
    line("\\setlength{\\textwidth}{17cm}");
    line("");
    line("\\pagestyle{empty}");
    line("");
    line("\\begin{document}");
    line("{\\bf \\noindent Universit\\'e de Quorvanne}\\");
    line("\\vspace{1cm}");
    line("\\begin{center}");
    line("{\\huge Automate: " + latex_String_filter(fba.module_name()) + "}");
    line("\\end{center}");
  }

  // Writes the inputs section; nothing without inputs.
  void dump_inputs() {
    const int inputs = fba.get_inputs_number();
    if (inputs == 0) return;
    line("\\section{Entr\\'ee(s):} ");
    line("\\begin{itemize}");
    for (int j = 0; j < inputs; ++j)
      line("\\item $" + latex_String_filter(fba.input_name(j)) + "$: " + input_types[j]);
    line("\\end{itemize}");
    line("");
  }

  // Writes the outputs section; nothing without outputs.
  void dump_outputs() {
    const int outputs = fba.get_actions_number();
    if (outputs == 0) return;
    line("\\section{Sortie(s):} ");
    line("\\begin{itemize}");
    for (int k = 0; k < outputs; ++k)
      line("\\item $" + latex_String_filter(fba.output_name(k)) + "$: bool");
    line("\\end{itemize}");
    line("");
  }

  // Writes the flip-flop section with the next-state equations and their
  // forcing conditions; nothing without state bits.
  void dump_flip_flops() {
    const int bits = fba.get_state_variables_number();
    if (bits == 0) return;
    line("\\section{Bascule(s) D:} ");
    line("\\begin{itemize}");
    for (int i = 0; i < bits; ++i) {
      const std::string reg = fba.register_name(i);
      line("\\item  $" + reg + "$: valeur initiale :$" + (fba.initial_value(i) ? "1" : "0") +
           "$, nouvelle valeur sur front: $" + reg + "^+$");
    }
    line("\\end{itemize}");
    line("");
    line("\\paragraph{\\'Equation(s) d'\\'etat futur associee(s):}");
    line("");
    line("\\begin{itemize}");
    for (int i = 0; i < bits; ++i)
      line("\\item $" + latex_String_filter(fba.register_name(i)) +
           "^+ = " + equation(fba.next_state_function(i, level)) + "$");
    line("\\end{itemize}");
    line("\\paragraph{construit a partir de:}");
    line("");
    line("\\begin{itemize}");
    for (int i = 0; i < bits; ++i) {
      const std::string reg = latex_String_filter(fba.register_name(i));
      line("\\item $" + reg + "_1^+ = " + equation(fba.forcing_to_1(i)) + "$");
      line("\\item $" + reg + "_0^+ = " + equation(fba.forcing_to_0(i)) + "$");
    }
    line("\\end{itemize}");
  }

  // Writes the final section: the next-state variables and the output
  // equations. Without state bits and outputs the list would be empty,
  // which LaTeX refuses, so only the section title is written then.
  void dump_equations() {
    const int bits = fba.get_state_variables_number();
    const int outputs = fba.get_actions_number();
    line("\\section{\\'Equation de(s) variables locale(s) et des sortie(s):}");
    const bool items = bits > 0 || outputs > 0;
    if (items) line("\\begin{itemize}");
    for (int i = 0; i < bits; ++i)
      line("\\item  $" + latex_String_filter(fba.next_state_name(i)) + "= " + fba.register_name(i) +
           "^+$");
    for (int k = 0; k < outputs; ++k)
      line("\\item $" + latex_String_filter(fba.output_name(k)) + "= " + equation(fba.emission(k)) +
           "$");
    if (items) line("\\end{itemize}");
    line("\\end{document}");
    line("");
  }
};

}  // namespace

void FBA::LATEX_put(std::ostream& os, int level) const {
  std::vector<std::string> types;
  for (int j = 0; j < nb_inputs; ++j)
    types.push_back(type_word(static_cast<int>(inputs[j].my_type())));
  latex_dumper(*this, os, level, std::move(types)).dump();
}

namespace {

// A name is one run of printable characters without the characters that
// LaTeX reads as commands ("_" is written "\_"); in math mode a blank
// would vanish.
std::string latex_fault(const std::string& name) { return token_fault(name, "#$%&{}\\^~"); }

const identifier_rules latex_rules{"LaTeX", false, latex_fault, nullptr};

}  // namespace

// The inputs, the outputs, the registers and the next-state variables are
// listed and used in the equations: no two may be written the same.
std::string FBA::LATEX_name_refusal() const {
  name_check check(latex_rules, "LaTeX");
  check_bare_names(check, *this, "the article on ");
  return check.refusal();
}
