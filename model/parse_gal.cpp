// The GAL reader entry, the parse context and the small functions that the
// grammar's actions and the generated parser call.
#include "model/parse_gal_internal.h"

#include <array>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

#include "utilities/platform.h"

#include "parse_gal.tab.hpp"

class_gal_parser* pgal_parser = nullptr;

namespace {

// A "From:" or "To:" number as written in the file, with the value the
// reader gave it (a number beyond the int range is saturated).
struct written_number {
  std::string text;
  int value;
};

// The numbers of the last parse: those seen since the current transition
// began, then each transition's two ends in order, and the model they
// belong to (null until a parse succeeds).
std::vector<std::string> pending_texts;
std::vector<std::array<written_number, 2>> transition_ends;
const gal_tpen_fichier* ends_owner = nullptr;

// The number text to quote for transition t's end k of f: as written when
// f is the model of the last parse and the end still holds the value read
// there, else the value itself.
std::string quoted_end(const gal_tpen_fichier& f, int t, int k, int value) {
  if (&f == ends_owner && t < static_cast<int>(transition_ends.size()) &&
      transition_ends[t][k].value == value) {
    return transition_ends[t][k].text;
  }
  return std::to_string(value);
}

}  // namespace

void gal_forget_ident_texts() { pending_texts.clear(); }

void gal_note_ident_text(const char* texte) { pending_texts.emplace_back(texte); }

// The transition's own numbers are the last `numbers` noted (those of the
// states section may stand before the first transition's); the first two
// of them are its "From:" and "To:".
void gal_note_transition_ends(int from, int to, std::size_t numbers) {
  std::array<written_number, 2> ends = {written_number{std::to_string(from), from},
                                        written_number{std::to_string(to), to}};
  if (numbers >= 2 && numbers <= pending_texts.size()) {
    const std::size_t first = pending_texts.size() - numbers;
    for (std::size_t k = 0; k < 2; ++k) ends[k].text = pending_texts[first + k];
  }
  transition_ends.push_back(ends);
  pending_texts.clear();
}

// Registers the new context as the current one; the other fields are set by
// `parse` (scanner), `class_gal_parser::parse` (trace) and the header rules
// (model).
class_gal_parser::class_gal_parser() : debug(0), log(nullptr), lexer(nullptr), fichier(nullptr) {
  pgal_parser = this;
}

// Owns nothing: the scanner and the model belong to the reader entry.
class_gal_parser::~class_gal_parser() = default;

// Stores the trace stream and switch, then runs the parser; returns its
// result.
int class_gal_parser::parse(std::fstream& trace, int trace_switch) {
  log = &trace;
  debug = trace_switch;
  return galparse();
}

// Reads `file` into a new model; see parse_gal.h. The trace file is created
// before the input is tested, so it exists (empty) even for a missing input.
gal_tpen_fichier* parse(const std::string& file) {
  class_gal_parser context;
  std::ifstream input;
  std::fstream trace;
  gal_tpen_fichier* result = nullptr;

  pending_texts.clear();
  transition_ends.clear();
  ends_owner = nullptr;

  std::cout << "reading " << file << std::endl;
  const std::string trace_name = file + ".log";
  // Creating the trace would empty the input when the trace name is a link
  // to it: such a file is refused before anything is opened.
  if (platform_same_file(file.c_str(), trace_name.c_str())) {
    std::cerr << "ERROR: the trace file " << trace_name << " is the input file " << file
              << " itself" << std::endl;
    return nullptr;
  }
  // A directory or another kind of file that is not a regular one cannot be
  // read as a text: it is reported as a file that cannot be opened.
  if (!platform_not_regular_file(file.c_str())) {
    input.open(file.c_str(), std::ios::in | std::ios::binary);
  }
  trace.open(trace_name.c_str(), std::ios::out | std::ios::trunc | std::ios::binary);

  if (!input.is_open()) {
    std::cerr << "FILE NOT FOUND !" << std::endl;
  } else {
    // One scanner per parse, reading the input and echoing stray bytes into
    // the trace stream, where the rules write their lines too.
    std::unique_ptr<galFlexLexer> scanner(new galFlexLexer(&input, &trace));
    context.lexer = scanner.get();
    int status = context.parse(trace, 1);
    if (status != 0) {
      std::cerr << "ERROR about loading file : " << file << std::endl;
      // A rejected text leaves no model: drop what the header rules built.
      delete context.fichier;
      context.fichier = nullptr;
    } else {
      result = context.fichier;
      ends_owner = result;
    }
    context.lexer = nullptr;
    input.close();
  }
  trace.close();
  return result;
}

void galerror(const char* msg) { std::cerr << msg << std::endl; }

// Writes one trace line when flag is set; see parse_gal.h.
void gal_debuger_law(int a, int b, const char* msg, int flag, std::ostream& s) {
  if (flag == 0) return;
  s << a;
  if (b != 1) s << "," << b;
  s << " --> " << msg << "\n";
  s.flush();
}

// Returns the display name of a token code, "OTHER" for codes without one;
// the codes are the generated parser's token kinds.
std::string type_lexeme(int code) {
  switch (code) {
    case N_S:
      return "Normal Star";
    case F_S:
      return "Final Star";
    case DEUX_POINTS:
      return "DEUX_POINTS";
    case VIRGULE:
      return "VIRGULE";
    case POINT_VIRGULE:
      return "POINT_VIRGULE";
    case NAME:
      return "NAME";
    case TYPE:
      return "TYPE";
    case INPUT:
      return "INPUT";
    case SENSOR:
      return "SENSOR";
    case OUTPUT:
      return "OUTPUT";
    case LOCAL:
      return "LOCAL";
    case VARIABLE:
      return "VARIABLE";
    case RUN:
      return "RUN";
    case FUNCTION:
      return "FUNCTION";
    case CONSTANT:
      return "CONSTANT";
    case STAR:
      return "STAR";
    case TRANSITION:
      return "TRANSITION";
    case ENCAPSULATION:
      return "ENCAPSULATION";
    case TO:
      return "TO";
    case FROM:
      return "FROM";
    case BY:
      return "BY";
    case PAR_OUVRANTE:
      return "(";
    case PAR_FERMANTE:
      return ")";
    case NUMBER:
      return "NUMBER";
    case WORD:
      return "WORD";
    case STRING:
      return "STRING";
    default:
      return "OTHER";
  }
}

// Returns whether every "From:"/"To:" index of f is -1 or a state index;
// fills `report` with one line per faulty transition.
bool gal_keyword_stem(const std::string& name) {
  // The keywords of lex.gal.l without their colon.
  static const char* const stems[] = {"basic_model",
                                      "par_automata_model",
                                      "light_esterel_model",
                                      "synccharts_model",
                                      "NS",
                                      "FS",
                                      "Name",
                                      "Type",
                                      "Input",
                                      "Sensor",
                                      "Output",
                                      "Local",
                                      "Variable",
                                      "Action",
                                      "Star",
                                      "Encapsulation",
                                      "Run",
                                      "Function",
                                      "Constant",
                                      "Transition",
                                      "To",
                                      "From",
                                      "By"};
  for (const char* stem : stems) {
    if (name == stem) return true;
  }
  return false;
}

bool verifie_idents_etats(const gal_tpen_fichier& f, std::string& report) {
  std::ostringstream lines;
  for (int t = 0; t < f.nb_transitions; ++t) {
    const gal_tpen_transition& tr = f.table_transitions[t];
    const int ends[2] = {tr.mon_ident_etat_amont(), tr.mon_ident_etat_aval()};
    const char* const keywords[2] = {"From:", "To:"};
    for (int k = 0; k < 2; ++k) {
      if (ends[k] != -1 && (ends[k] < 0 || ends[k] >= f.nb_etats)) {
        lines << "ERROR: transition " << t << " : " << keywords[k] << " "
              << quoted_end(f, t, k, ends[k]) << " is not a state of the automaton (" << f.nb_etats
              << " states)\n";
      }
    }
  }
  report = lines.str();
  return report.empty();
}
