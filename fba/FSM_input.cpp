// Construction, assignment and comparison of FSM_input.
#include "fba/FSM_input.h"

FSM_input::FSM_input(FSM_type_input type_, const std::string& name_) : type(type_), name(name_) {}

FSM_input& FSM_input::operator=(const FSM_input& other) {
  type = other.type;
  name = other.name;
  return *this;
}

bool operator==(const FSM_input& a, const FSM_input& b) {
  return a.my_type() == b.my_type() && a.my_name() == b.my_name();
}

bool operator!=(const FSM_input& a, const FSM_input& b) { return !(a == b); }
