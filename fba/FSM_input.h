// FSM_input: one typed input of the implicit boolean machine.
#ifndef KORVANE_FBA_FSM_INPUT_H
#define KORVANE_FBA_FSM_INPUT_H

#include <cstdint>
#include <string>

// The kind of an input, held as a 32-bit integer. The compiler declares
// every input bool (2).
enum FSM_type_input : std::int32_t {
  FSM_type_undefined = 0,
  FSM_type_pure = 1,
  FSM_type_bool = 2,
  FSM_type_integer = 3
};

class FSM_input {
 public:
  // An input of the given type and name; with no argument, type 0 and the
  // empty name (so every element of an array made by new[] starts so).
  FSM_input(FSM_type_input type = FSM_type_undefined, const std::string& name = std::string());
  FSM_input(const FSM_input&) = default;
  // Copies the type, then the name; returns *this.
  FSM_input& operator=(const FSM_input& other);
  ~FSM_input() = default;

  // The input's type.
  FSM_type_input my_type() const { return type; }
  // A copy of the input's name (also the name of its diagram variable).
  std::string my_name() const { return name; }

 private:
  FSM_type_input type;
  std::string name;
};

// Equal when the types and the names are equal.
bool operator==(const FSM_input& a, const FSM_input& b);
// The negation of operator==.
bool operator!=(const FSM_input& a, const FSM_input& b);

#endif
