// The check that the names a writer writes can stand in its language: the
// scope of one target, the refusal text and the identifier shapes shared by
// several languages.
#include "fba/name_check_internal.h"

#include <cctype>
#include <cstdio>
#include <sstream>
#include <utility>

#include "fba/FBA.h"

namespace {

bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string lower(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

std::string holds(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  if (c == ' ') return "holds a blank";
  if (byte > 32 && byte < 127) return std::string("holds the character '") + c + "'";
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return std::string("holds the byte ") + text;
}

std::set<std::string> word_set(const char* words) {
  std::set<std::string> set;
  std::istringstream in(words);
  std::string word;
  while (in >> word) set.insert(word);
  return set;
}

std::string word_fault(const std::string& identifier) {
  if (identifier.empty()) return "is empty";
  for (char c : identifier) {
    if (!is_letter(c) && !is_digit(c) && c != '_') return holds(c);
  }
  return "";
}

std::string letter_word_fault(const std::string& identifier) {
  const std::string fault = word_fault(identifier);
  if (!fault.empty()) return fault;
  if (is_digit(identifier[0])) return "begins with a digit";
  if (identifier[0] == '_') return "begins with an underscore";
  return "";
}

std::string c_like_fault(const std::string& identifier) {
  const std::string fault = word_fault(identifier);
  if (!fault.empty()) return fault;
  if (is_digit(identifier[0])) return "begins with a digit";
  return "";
}

std::string token_fault(const std::string& identifier, const char* forbidden) {
  if (identifier.empty()) return "is empty";
  for (char c : identifier) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte <= 32 || byte == 127) return holds(c);
    for (const char* f = forbidden; *f != '\0'; ++f) {
      if (c == *f) return holds(c);
    }
  }
  return "";
}

std::string quoted(const std::string& kind, const std::string& name) {
  return kind + " \"" + name + "\"";
}

name_check::name_check(const identifier_rules& rules, std::string target)
    : rules_(rules), target_(std::move(target)) {}

std::string name_check::key(const std::string& identifier) const {
  return rules_.case_blind ? lower(identifier) : identifier;
}

void name_check::generated(const std::string& identifier, const std::string& role) {
  scope_.emplace(key(identifier), std::make_pair(identifier, role));
}

void name_check::refuse(const std::string& kind, const std::string& name, const std::string& why) {
  if (!refusal_.empty()) return;
  refusal_ = quoted(kind, name) + " cannot be written in " + target_ + ": " + why;
}

void name_check::name(const std::string& kind, const std::string& name,
                      const std::vector<written_as>& uses) {
  if (!refusal_.empty()) return;
  for (const written_as& use : uses) {
    // The identifier is the name itself, or a form of it that the message
    // shows.
    const std::string subject = use.identifier == name ? "it" : use.identifier;
    const std::string fault = rules_.fault(use.identifier);
    if (!fault.empty()) {
      refuse(kind, name, subject + " " + fault);
      return;
    }
    if (rules_.reserved != nullptr && rules_.reserved->count(key(use.identifier)) != 0) {
      refuse(kind, name, subject + " is a reserved word of " + rules_.language);
      return;
    }
  }
  for (const written_as& use : uses) {
    if (!use.in_scope) continue;
    const auto found = scope_.find(key(use.identifier));
    if (found != scope_.end()) {
      std::string why = "it is the name of " + found->second.second;
      if (found->second.first != use.identifier) {
        why += std::string(" (") + rules_.language + " does not tell case apart)";
      }
      refuse(kind, name, why);
      return;
    }
    scope_.emplace(key(use.identifier), std::make_pair(use.identifier, use.role));
  }
}

void check_state_bits(name_check& check, const FBA& machine, const std::string& prefix,
                      const std::string& register_role, const std::string& next_role) {
  for (int i = 0; i < machine.get_state_variables_number(); ++i) {
    const std::string reg = prefix + machine.register_name(i);
    const std::string next = prefix + machine.next_state_name(i);
    check.name("the state bit", machine.state_bit_name(i),
               {{reg, register_role + " " + reg}, {next, next_role + " " + next}});
  }
}

void check_bare_names(name_check& check, const FBA& machine, const std::string& module_role,
                      bool with_outputs) {
  const std::string& module = machine.module_name();
  if (!module_role.empty()) {
    check.name("the automaton name", module, {{module, module_role + module, false}});
  }
  check_state_bits(check, machine, "", "the register", "the next-state variable");
  for (int j = 0; j < machine.get_inputs_number(); ++j) {
    const std::string in = machine.input_name(j);
    check.name("the input", in, {{in, quoted("the input", in)}});
  }
  if (!with_outputs) return;
  for (int k = 0; k < machine.get_actions_number(); ++k) {
    const std::string out = machine.output_name(k);
    check.name("the output", out, {{out, quoted("the output", out)}});
  }
}
