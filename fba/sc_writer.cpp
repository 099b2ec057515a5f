// SC6 netlist writer: the machine as one module whose network has one net
// per diagram variable and three nets (node, THEN part, ELSE part) per
// decision node of the next-state and emission functions, each node a
// two-way multiplexer. Constant functions that a next-state net or an
// output needs get a net of their own, "$0" or "$1".
#include <cstdint>
#include <iostream>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "fba/FBA.h"
#include "fba/name_check_internal.h"
#include "fba/writer_common.h"
#include "utilities/Stringpp.h"
#include "utilities/list_templates.h"

namespace {

// State of one SC_put call: the node table, the output roots and the net
// numbering derived from them.
class sc_dumper {
 public:
  sc_dumper(const FBA& machine, std::ostream& os, int level)
      : fba(machine), out(os), level(level), m(machine.get_manager()) {}

  // Builds the table and writes the whole netlist.
  void dump();

 private:
  const FBA& fba;
  std::ostream& out;
  const int level;
  bddpp_manager* m;

  int n = 0, inputs = 0, outputs = 0;
  long variables = 0;
  std::vector<bdd> next_state;
  bdd* table = nullptr;
  int size = 0;
  std::vector<int> roots;
  // Nets of the constants 0 and 1 when needed, -1 otherwise.
  int constant_net[2] = {-1, -1};
  int total_nets = 0;
  // The hash of a handle's node and link.
  struct handle_hash {
    std::size_t operator()(const std::pair<const bdd_node*, int>& h) const {
      const std::uint64_t x =
          static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(h.first)) * 2 +
          (h.second < 0 ? 1u : 0u);
      return static_cast<std::size_t>((x * 0x9e3779b97f4a7c15ULL) >> 16);
    }
  };
  // The last table position of each function in the table. The diagrams
  // are canonical, so two handles denote the same function exactly when
  // they have the same node and link: one lookup gives what a scan of the
  // whole table with Bdd_equiv gives, without building an exclusive-nor
  // per entry (which made the writer quadratic in diagram operations).
  std::unordered_map<std::pair<const bdd_node*, int>, int, handle_hash> position_of;

  // Writes text and an end of line. The netlist runs to millions of lines,
  // so they are not flushed one by one: the target is written to a
  // temporary file that a fatal exit removes, and dump() flushes at the end.
  void line(const std::string& text) { out << text << '\n'; }

  // The first net of table position p.
  long net(long p) const { return p < variables ? p : 3 * p - 2 * variables; }
  // 0 or 1 for a constant function, -1 otherwise.
  int constant_of(bdd f) const;
  // The net that computes f: its table entry's first net or the net of
  // its constant.
  long net_of(bdd f) const;
  // " out: s act: s" for every output whose emission condition is the
  // table entry at position p (a variable or a decision node).
  std::string markings(long p) const;
  // The same for the outputs whose emission condition is the constant c.
  std::string markings_of_constant(int c) const;
  // The sum-of-products comment text of f.
  std::string sop(bdd f) const;
  // The same for x AND g (positive) or NOT x AND g, with x the variable
  // above g: at levels 1 and 2 that cover is g's with the literal of x
  // before each product, so g's cover (found before, g being a node of
  // the table) is written with it instead of covering x AND g again.
  std::string sop_of_half(bdd half, long x, bool positive, bdd g) const;
  // The table position of f (-1 for a constant or a function not in the
  // table) and its net name, as FBA::internal_enum_numero_associee_bdd and
  // FBA::internal_enum_nom_associee_bdd give them.
  long position(bdd f) const;
  std::string name_of(bdd f) const;

  // FBA::enumeration_bdd with the membership test on position_of instead
  // of a scan of the list: the same list in the same order.
  void enumerate(std::list<bdd>& list, bdd f);
  void build_table(std::list<bdd>& list);
  void put_header();
  void put_decision_net(int p);
};

int sc_dumper::constant_of(bdd f) const {
  if (m->Bdd_is_tautology(f, 1)) return 1;
  if (m->Bdd_is_tautology(f, 0)) return 0;
  return -1;
}

long sc_dumper::net_of(bdd f) const {
  const int c = constant_of(f);
  if (c >= 0) return constant_net[c];
  return net(position(f));
}

long sc_dumper::position(bdd f) const {
  if (constant_of(f) >= 0) return -1;
  const auto at = position_of.find({f.node(), f.link_type()});
  return at == position_of.end() ? -1 : at->second;
}

std::string sc_dumper::name_of(bdd f) const {
  const int c = constant_of(f);
  if (c >= 0) return c == 1 ? "1" : "0";
  if (m->Bdd_is_var(f)) return m->Name_var_by_index(m->Bdd_if_index(f));
  const long p = position(f);
  return p < 0 ? std::string("wire?") : "wire" + unslong2S(p);
}

std::string sc_dumper::markings(long p) const {
  std::string text;
  for (int k = 0; k < outputs; ++k) {
    if (roots[k] != p) continue;
    const std::string s = unslong2S(inputs + k);
    text += " out: " + s + " act: " + s;
  }
  return text;
}

std::string sc_dumper::markings_of_constant(int c) const {
  std::string text;
  for (int k = 0; k < outputs; ++k) {
    if (constant_of(fba.emission(k)) != c) continue;
    const std::string s = unslong2S(inputs + k);
    text += " out: " + s + " act: " + s;
  }
  return text;
}

std::string sc_dumper::sop(bdd f) const {
  return m->Print_sop_to_String(" or ", " and ", "not ", "", f, level);
}

std::string sc_dumper::sop_of_half(bdd half, long x, bool positive, bdd g) const {
  if ((level != 1 && level != 2) || constant_of(g) >= 0) return sop(half);
  std::vector<bdd> products;
  const int count = m->Bdd_sop(g, products, level);
  std::vector<int> literals(static_cast<std::size_t>(variables) + 1, 2);
  const std::string first = (positive ? "" : "not ") + m->Name_var_by_index(x);
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += " or ";
    text += first;
    m->Bdd_to_literals(products[static_cast<std::size_t>(i)], literals.data());
    for (long l = 0; l < variables; ++l) {
      const int lit = literals[static_cast<std::size_t>(l)];
      if (lit == 2) continue;
      text += lit == 0 ? " and not " : " and ";
      text += m->Name_var_by_index(l);
    }
  }
  return text;
}

void sc_dumper::enumerate(std::list<bdd>& list, bdd f) {
  if (f.node() == nullptr || constant_of(f) >= 0 ||
      position_of.count({f.node(), f.link_type()}) != 0)
    return;
  enumerate(list, m->Bdd_then(f));
  enumerate(list, m->Bdd_else(f));
  position_of[{f.node(), f.link_type()}] = static_cast<int>(list.size());
  list.push_back(f);
}

void sc_dumper::build_table(std::list<bdd>& list) {
  // Each function enters the table once, so its position in the list is
  // the last (and only) position of an equal entry.
  for (long l = 0; l < variables; ++l) enumerate(list, m->Bdd_var_by_index(l));
  for (int i = 0; i < n; ++i) enumerate(list, next_state[i]);
  for (int k = 0; k < outputs; ++k) {
    bdd e = fba.emission(k);
    enumerate(list, e);
    roots[k] = static_cast<int>(position(e));
  }
  size = static_cast<int>(list.size());
  table = array_convert(list);

  // Constant nets follow the decision nets, the constant 0 first.
  bool needed[2] = {false, false};
  for (int i = 0; i < n; ++i) {
    const int c = constant_of(next_state[i]);
    if (c >= 0) needed[c] = true;
  }
  for (int k = 0; k < outputs; ++k) {
    const int c = constant_of(fba.emission(k));
    if (c >= 0) needed[c] = true;
  }
  total_nets = static_cast<int>(3 * size - 2 * variables);
  for (int c = 0; c < 2; ++c)
    if (needed[c]) constant_net[c] = total_nets++;
}

void sc_dumper::put_header() {
  const std::string& name = fba.module_name();
  line("--       AUTOMATON SC6 FORMAT");
  line("--       generated by trobix");
  line("");
  line("sc6:");
  line("");
  line("module: " + name);
  line("");
  line("instances: 1");
  line("root: 0");
  line("0: " + name + " 0 \"\" \"" + name + ".gt\"");
  line("end:");
  line("");
  line("signals: " + unslong2S(inputs + outputs));
  for (int j = 0; j < inputs; ++j) {
    const std::string s = unslong2S(j);
    line(s + ": input: " + fba.input_name(j) + " " + s + " pure: bool: " + s);
  }
  for (int k = 0; k < outputs; ++k) {
    const std::string s = unslong2S(inputs + k);
    line(s + ": output: " + fba.output_name(k) + " " + s + " pure:");
  }
  line("end:");
  line("");
  line("variables: 0");
  line("end:");
  line("");
  line("actions: " + unslong2S(inputs + outputs));
  for (int j = 0; j < inputs; ++j) {
    const std::string s = unslong2S(j);
    line(s + ": present: " + s);
  }
  for (int k = 0; k < outputs; ++k) {
    const std::string s = unslong2S(inputs + k);
    line(s + ": output: " + s);
  }
  line("end:");
  line("");
  line("halts: 0");
  line("end:");
  line("");
  line("nets: " + std::to_string(total_nets));
  line("registers: " + std::to_string(n));
  line("signals: " + std::to_string(inputs + outputs));
  line("");
}

void sc_dumper::put_decision_net(int p) {
  bdd f = table[p];
  const long first = net(p);
  const std::string w = name_of(f);
  bdd x = m->Bdd_if(f);
  bdd t = m->Bdd_and(x, m->Bdd_then(f));
  bdd e = m->Bdd_and(m->Bdd_not(x), m->Bdd_else(f));
  const long x_pos = position(x);

  line("-- " + sop(f));
  line(std::to_string(first) + ": " + w + markings(p));
  line("or: (" + std::to_string(first + 1) + " " + std::to_string(first + 2) + ")");

  line("-- " + sop_of_half(t, m->Bdd_if_index(f), true, m->Bdd_then(f)));
  line(std::to_string(first + 1) + ": " + w + "_THEN");
  if (m->Bdd_is_tautology(t, 0))
    line("$0");
  else if (m->Bdd_is_var(t))
    line(std::to_string(position(t)));
  else
    line(" and: (" + std::to_string(x_pos) + " " + std::to_string(net_of(m->Bdd_then(f))) + ")");

  line("-- " + sop_of_half(e, m->Bdd_if_index(f), false, m->Bdd_else(f)));
  line(std::to_string(first + 2) + ": " + w + "_ELSE");
  if (m->Bdd_is_tautology(e, 0))
    line("$0");
  else if (m->Bdd_is_var(m->Bdd_not(e)))
    line("!" + std::to_string(position(m->Bdd_not(e))));
  else
    line(" and: (!" + std::to_string(x_pos) + " " + std::to_string(net_of(m->Bdd_else(f))) + ")");
}

void sc_dumper::dump() {
  n = fba.get_state_variables_number();
  inputs = fba.get_inputs_number();
  outputs = fba.get_actions_number();
  variables = m->Nb_bdd_vars();
  for (int i = 0; i < n; ++i) next_state.push_back(fba.next_state_function(i, level));
  roots.assign(outputs, -1);
  std::list<bdd> list;
  build_table(list);

  put_header();

  for (int i = 0; i < n; ++i) {
    line(std::to_string(i) + ": " + fba.register_name(i) + markings(i));
    line(std::string("reg: ") + (fba.variable_initialy_true(i) == 1 ? "$1 " : "$0 ") +
         std::to_string(n + i));
  }
  for (int i = 0; i < n; ++i) {
    line(std::to_string(n + i) + ": " + fba.next_state_name(i) + markings(n + i));
    line(std::to_string(net_of(next_state[i])));
  }
  for (long v = 2 * n; v < variables; ++v) {
    const std::string j = std::to_string(v - 2 * n);
    line(std::to_string(v) + ": " + m->Name_var_by_index(v) + " in: " + j + " ift: " + j +
         markings(v));
  }
  for (int p = static_cast<int>(variables); p < size; ++p) put_decision_net(p);
  for (int c = 0; c < 2; ++c) {
    if (constant_net[c] < 0) continue;
    const std::string value = c == 0 ? "$0" : "$1";
    line(std::to_string(constant_net[c]) + ": " + value + markings_of_constant(c));
    line(value);
  }

  line("end:");
  line("");
  line("endmodule:");
  out.flush();
  delete[] table;
  table = nullptr;
}

}  // namespace

void FBA::SC_put(std::ostream& os, int level) const { sc_dumper(*this, os, level).dump(); }

void FBA::enumeration_bdd(std::list<bdd>& table, bdd f) const {
  if (f.node() == nullptr || manager->Bdd_is_tautology(f, 1) || manager->Bdd_is_tautology(f, 0) ||
      item_in(table, f))
    return;
  enumeration_bdd(table, manager->Bdd_then(f));
  enumeration_bdd(table, manager->Bdd_else(f));
  table.push_back(f);
}

int FBA::internal_enum_numero_associee_bdd(bdd f, bdd* table, int size) const {
  if (manager->Bdd_is_tautology(f, 0) || manager->Bdd_is_tautology(f, 1)) return -1;
  int found = -1;
  for (int i = 0; i < size; ++i)
    if (manager->Bdd_equiv(table[i], f)) found = i;
  return found;
}

std::string FBA::internal_enum_nom_associee_bdd(bdd f, bdd* table, int size) const {
  if (manager->Bdd_is_tautology(f, 0)) return "0";
  if (manager->Bdd_is_tautology(f, 1)) return "1";
  if (manager->Bdd_is_var(f)) return manager->Name_var_by_index(manager->Bdd_if_index(f));
  const int p = internal_enum_numero_associee_bdd(f, table, size);
  return p < 0 ? std::string("wire?") : "wire" + unslong2S(p);
}

std::string* FBA::my_table_bdd_nom_termes() const {
  std::list<std::string> names;
  for (long l = 0; l < manager->Nb_bdd_vars(); ++l) names.push_back(manager->Name_var_by_index(l));
  return array_convert(names);
}

namespace {

// Names are words of letters, digits and underscores; the format has no
// reserved word (its keywords end with a colon).
const identifier_rules sc_rules{"SC6", false, word_fault, nullptr};

// True when `name` has the form of a decision node's nets: "wire", digits,
// and "_THEN", "_ELSE" or nothing.
bool is_wire_name(const std::string& name) {
  if (name.compare(0, 4, "wire") != 0) return false;
  std::size_t end = 4;
  while (end < name.size() && name[end] >= '0' && name[end] <= '9') ++end;
  if (end == 4) return false;
  const std::string rest = name.substr(end);
  return rest.empty() || rest == "_THEN" || rest == "_ELSE";
}

}  // namespace

// The inputs and outputs are the signals, the registers, next-state
// variables and inputs name the variables' nets; the decision nodes' nets
// are named "wire"<n>, "wire"<n>"_THEN" and "wire"<n>"_ELSE".
std::string FBA::SC_name_refusal() const {
  name_check check(sc_rules, "SC6");
  for (int j = 0; j < nb_inputs; ++j) {
    if (is_wire_name(input_name(j))) {
      check.refuse("the input", input_name(j), "it is the name of a decision node's net");
    }
  }
  for (int k = 0; k < nb_outputs; ++k) {
    if (is_wire_name(output_names[k])) {
      check.refuse("the output", output_names[k], "it is the name of a decision node's net");
    }
  }
  check_bare_names(check, *this, "the module ");
  return check.refusal();
}
