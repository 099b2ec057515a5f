// The check that every name a writer of the boolean machine writes can
// stand in its target language, shared by the writers' own checks (each
// writer's file holds the reserved words of its language and lists the
// identifiers it writes).
//
// A writer's check registers, in this order, the identifiers the writer
// makes up itself (ports, functions, methods, predefined names of the
// language), then, for each name of the machine (the automaton name, the
// state bits, the inputs, the outputs), every identifier written for it
// with the writer's prefixes and suffixes applied. An identifier of a name
// must have the shape the language allows, must not be a reserved word and
// must differ from every identifier registered before it, as the language
// compares them (without regard to case in VHDL). The first fault becomes
// the refusal, one line:
//   the input "reset" cannot be written in VHDL: it is the name of the
//   reset port m_reset
#ifndef KORVANE_FBA_NAME_CHECK_INTERNAL_H
#define KORVANE_FBA_NAME_CHECK_INTERNAL_H

#include <map>
#include <set>
#include <string>
#include <vector>

class FBA;

// The identifier rules of one target language.
struct identifier_rules {
  const char* language;  // as the messages name it: "VHDL", "C++"
  bool case_blind;       // the language does not tell case apart
  // What keeps `identifier` from standing in the language, phrased to
  // follow its subject ("begins with a digit"), or "" when it can stand.
  std::string (*fault)(const std::string& identifier);
  // The reserved words (in lower case when `case_blind`), or null.
  const std::set<std::string>* reserved;
};

// One identifier written for a name of the machine.
struct written_as {
  std::string identifier;
  // What the identifier is in the written file, for the messages of later
  // names that clash with it: "the port m_go of the input \"go\"".
  std::string role;
  // False for an identifier that lives apart from the others (an entity
  // or node name): its shape and reserved words are checked, clashes not.
  bool in_scope = true;
};

// The check of one target: the identifiers registered so far and the
// first refusal.
class name_check {
 public:
  // `target` as the messages name it: "VHDL", "the sketch".
  name_check(const identifier_rules& rules, std::string target);

  // Registers an identifier that the writer makes up itself, or a name the
  // language predefines that a written name must not hide. Never refused.
  void generated(const std::string& identifier, const std::string& role);

  // Checks the identifiers written for one name of the machine, `kind`
  // being "the input", "the output", "the state bit" or "the automaton
  // name", then registers those in the scope. Does nothing once a name has
  // been refused.
  void name(const std::string& kind, const std::string& name, const std::vector<written_as>& uses);

  // Refuses `name` for a reason of the writer's own ("it is the name of
  // ..."), unless a name has been refused already.
  void refuse(const std::string& kind, const std::string& name, const std::string& why);

  // "" while every name can stand, else the one-line refusal.
  const std::string& refusal() const { return refusal_; }

 private:
  // The identifier as the language compares it.
  std::string key(const std::string& identifier) const;

  identifier_rules rules_;
  std::string target_;
  // The identifiers of the scope by key: the identifier as written and its
  // role.
  std::map<std::string, std::pair<std::string, std::string>> scope_;
  std::string refusal_;
};

// ---- Shapes shared by several languages. Each returns what keeps the
// identifier from standing, or "".

// Only letters, digits and "_" (the GAL reader's words); not empty.
std::string word_fault(const std::string& identifier);
// A word that begins with a letter (Esterel, Lustre).
std::string letter_word_fault(const std::string& identifier);
// A word that does not begin with a digit (C#).
std::string c_like_fault(const std::string& identifier);
// Not empty, no blank and no control character; none of `forbidden`.
std::string token_fault(const std::string& identifier, const char* forbidden);
// "holds the character 'c'", "holds a blank" or "holds the byte 0xNN".
std::string holds(char c);

// The words of `words`, separated by blanks: a list of reserved words.
std::set<std::string> word_set(const char* words);

// The rules of VHDL (vhdl_writer.cpp), shared with the grafcet VHDL writer.
const identifier_rules& vhdl_identifier_rules();
// The rules of BLIF (blif_writer.cpp), shared with the extended BLIF writer.
const identifier_rules& blif_identifier_rules();

// Checks the identifiers written for every state bit of `machine`: its
// register and its next-state twin, each after `prefix`, in the roles
// `register_role` and `next_role` followed by the identifier ("the register
// m_X0").
void check_state_bits(name_check& check, const FBA& machine, const std::string& prefix,
                      const std::string& register_role, const std::string& next_role);

// The check of a format that writes the names of the machine as they
// stand, all in one scope: the automaton name as `module_role` followed by
// the name (checked, not in the scope; not written when `module_role` is
// empty), the registers and next-state variables, the inputs and, when
// `with_outputs`, the outputs.
void check_bare_names(name_check& check, const FBA& machine, const std::string& module_role,
                      bool with_outputs = true);

// The role of a name of the machine: the input "go".
std::string quoted(const std::string& kind, const std::string& name);

#endif
