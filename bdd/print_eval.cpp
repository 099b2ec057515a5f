// Node-by-node evaluation printers: a diagram written as straight-line code,
// one assignment per node, children before parents (then-subgraph first),
// in a generic syntax chosen by the caller and in NuSMV, VHDL and BLIF.
//
// The walks mark every node they write and skip marked nodes; they never
// clear marks, so the caller clears them before the first diagram and may
// write several diagrams in a row, their shared nodes once. The complement of
// the root link is not written: the caller applies it.
#include <ostream>
#include <string>

#include "bdd/bddpp.h"
#include "utilities/Stringpp.h"

namespace {

enum class node_kind { constant, variable, decision };

// Kind of a node: the constant node, a variable node (both children the
// constant node through a complemented else edge) or a decision node.
node_kind kind_of(const bdd_node* node) {
  if (node->var_id == -1) {
    return node_kind::constant;
  }
  if (node->then_node != nullptr && node->then_node->var_id == -1 && node->else_node != nullptr &&
      node->else_node->var_id == -1 && node->else_link_type == -1) {
    return node_kind::variable;
  }
  return node_kind::decision;
}

// The text of one node line, as each syntax writes it.
struct eval_syntax {
  virtual ~eval_syntax() = default;
  virtual void constant_line(std::ostream& os, const bdd_node* n) const = 0;
  virtual void variable_line(std::ostream& os, const bdd_node* n, const std::string& var) const = 0;
  virtual void decision_line(std::ostream& os, const bdd_node* n, const std::string& var) const = 0;
};

// Post-order walk of the unmarked part of the graph below node; marks and
// writes each node once, through the syntax's line writers.
void walk(bddpp_manager* m, const eval_syntax& syntax, const std::string& name_prefix,
          const std::string& name_suffix, std::ostream& os, bdd_node* node) {
  if (node == nullptr || node->mark) {
    return;
  }
  node->mark = 1;
  switch (kind_of(node)) {
    case node_kind::constant:
      syntax.constant_line(os, node);
      return;
    case node_kind::variable:
      syntax.variable_line(os, node, name_prefix + m->Name_var_by_id(node->var_id) + name_suffix);
      return;
    case node_kind::decision:
      walk(m, syntax, name_prefix, name_suffix, os, node->then_node);
      walk(m, syntax, name_prefix, name_suffix, os, node->else_node);
      syntax.decision_line(os, node, name_prefix + m->Name_var_by_id(node->var_id) + name_suffix);
      return;
  }
}

std::string num(long id) { return unslong2S(static_cast<std::uint32_t>(id)); }

// The generic syntax: every operator from the caller, nodes referenced as
// array elements R[k] or as names R_k.
struct generic_syntax : eval_syntax {
  std::string or_op, and_op, neg_open, neg_close, constant_text, statement_end;
  std::string constant_start, other_start, base;
  bool arrayless = false;

  std::string ref(long id) const {
    return arrayless ? base + "_" + num(id) : base + "[" + num(id) + "]";
  }
  void constant_line(std::ostream& os, const bdd_node* n) const override {
    os << constant_start << ref(n->global_id) << "= " << neg_open << constant_text << neg_close
       << statement_end << std::endl;
  }
  void variable_line(std::ostream& os, const bdd_node* n, const std::string& var) const override {
    os << other_start << ref(n->global_id) << "= " << var << statement_end << std::endl;
  }
  void decision_line(std::ostream& os, const bdd_node* n, const std::string& var) const override {
    os << other_start << ref(n->global_id) << "= ";
    if (n->then_node != nullptr) {
      os << var << and_op << ref(n->then_node->global_id);
    }
    if (n->then_node != nullptr && n->else_node != nullptr) {
      os << or_op;
    }
    if (n->else_node != nullptr) {
      os << neg_open << var << neg_close << and_op;
      if (n->else_link_type == 1) {
        os << ref(n->else_node->global_id);
      } else {
        os << neg_open << ref(n->else_node->global_id) << neg_close;
      }
    }
    os << statement_end << std::endl;
  }
};

// The generic syntax of the four generic printers: the operators and texts
// the caller gives, the starts of the constant's line and of the other
// lines, the array (or base) name, and whether nodes are named base_k.
generic_syntax make_generic_syntax(const std::string& or_op, const std::string& and_op,
                                   const std::string& neg_open, const std::string& neg_close,
                                   const std::string& constant_text,
                                   const std::string& statement_end,
                                   const std::string& constant_start,
                                   const std::string& other_start, const std::string& base,
                                   bool arrayless) {
  generic_syntax s;
  s.or_op = or_op;
  s.and_op = and_op;
  s.neg_open = neg_open;
  s.neg_close = neg_close;
  s.constant_text = constant_text;
  s.statement_end = statement_end;
  s.constant_start = constant_start;
  s.other_start = other_start;
  s.base = base;
  s.arrayless = arrayless;
  return s;
}

// NuSMV: "R_k:= value;" with & | ! and TRUE.
struct nusmv_syntax : eval_syntax {
  std::string line_prefix, base;
  std::string ref(long id) const { return base + "_" + num(id); }
  void constant_line(std::ostream& os, const bdd_node* n) const override {
    os << line_prefix << ref(n->global_id) << ":= TRUE;" << std::endl;
  }
  void variable_line(std::ostream& os, const bdd_node* n, const std::string& var) const override {
    os << line_prefix << ref(n->global_id) << ":= " << var << ";" << std::endl;
  }
  void decision_line(std::ostream& os, const bdd_node* n, const std::string& var) const override {
    os << line_prefix << ref(n->global_id) << ":= ";
    if (n->then_node != nullptr) {
      os << var << " & " << ref(n->then_node->global_id);
    }
    if (n->then_node != nullptr && n->else_node != nullptr) {
      os << " | ";
    }
    if (n->else_node != nullptr) {
      os << "!" << var << " & " << (n->else_link_type == 1 ? "" : "!")
         << ref(n->else_node->global_id);
    }
    os << ";" << std::endl;
  }
};

// VHDL: "      R(k) <= value;" with and, or, not and '1'.
struct vhdl_syntax : eval_syntax {
  std::string base;
  std::string ref(long id) const { return base + "(" + num(id) + ")"; }
  void constant_line(std::ostream& os, const bdd_node* n) const override {
    os << "      " << ref(n->global_id) << " <= '1';" << std::endl;
  }
  void variable_line(std::ostream& os, const bdd_node* n, const std::string& var) const override {
    os << "      " << ref(n->global_id) << " <= " << var << ";" << std::endl;
  }
  void decision_line(std::ostream& os, const bdd_node* n, const std::string& var) const override {
    os << "      " << ref(n->global_id) << " <= ";
    if (n->then_node != nullptr) {
      os << "(" << var << " and " << ref(n->then_node->global_id) << ")";
    }
    if (n->then_node != nullptr && n->else_node != nullptr) {
      os << " or ";
    }
    if (n->else_node != nullptr) {
      os << "(not " << var << " and " << (n->else_link_type == 1 ? "" : "not ")
         << ref(n->else_node->global_id) << ")";
    }
    os << ";" << std::endl;
  }
};

// BLIF: one ".names" block per node, each followed by an empty line.
struct blif_syntax : eval_syntax {
  std::string base;
  std::string ref(long id) const { return base + "_" + num(id); }
  void constant_line(std::ostream& os, const bdd_node* n) const override {
    os << ".names " << ref(n->global_id) << std::endl;
    os << "1" << std::endl;
    os << std::endl;
  }
  void variable_line(std::ostream& os, const bdd_node* n, const std::string& var) const override {
    os << ".names " << var << " " << ref(n->global_id) << std::endl;
    os << "1 1" << std::endl;
    os << std::endl;
  }
  void decision_line(std::ostream& os, const bdd_node* n, const std::string& var) const override {
    if (n->then_node != nullptr && n->else_node != nullptr) {
      os << ".names " << var << " " << ref(n->then_node->global_id) << " "
         << ref(n->else_node->global_id) << " " << ref(n->global_id) << std::endl;
      os << "11- 1" << std::endl;
      os << (n->else_link_type == 1 ? "0-1 1" : "0-0 1") << std::endl;
    }
    os << std::endl;
  }
};

}  // namespace

// Writes the unmarked nodes below node as "  R[k]= value;" lines ("   " before
// the constant's line); marks them.
void bddpp_manager::Print_node_for_eval(
    const std::string& or_op, const std::string& and_op, const std::string& neg_open,
    const std::string& neg_close, const std::string& name_prefix, const std::string& name_suffix,
    const std::string& constant_text, const std::string& statement_end,
    const std::string& array_name, std::ostream& os, bdd_node* node) {
  walk(this,
       make_generic_syntax(or_op, and_op, neg_open, neg_close, constant_text, statement_end, "   ",
                           "  ", array_name, false),
       name_prefix, name_suffix, os, node);
}

// As above with every line starting with line_prefix.
void bddpp_manager::Print_node_for_eval(
    const std::string& or_op, const std::string& and_op, const std::string& neg_open,
    const std::string& neg_close, const std::string& name_prefix, const std::string& name_suffix,
    const std::string& constant_text, const std::string& statement_end,
    const std::string& line_prefix, const std::string& array_name, std::ostream& os,
    bdd_node* node) {
  walk(this,
       make_generic_syntax(or_op, and_op, neg_open, neg_close, constant_text, statement_end,
                           line_prefix, line_prefix, array_name, false),
       name_prefix, name_suffix, os, node);
}

// As the nine-string Print_node_for_eval with nodes named base_k.
void bddpp_manager::Print_node_for_eval_arrayless(
    const std::string& or_op, const std::string& and_op, const std::string& neg_open,
    const std::string& neg_close, const std::string& name_prefix, const std::string& name_suffix,
    const std::string& constant_text, const std::string& statement_end,
    const std::string& base_name, std::ostream& os, bdd_node* node) {
  walk(this,
       make_generic_syntax(or_op, and_op, neg_open, neg_close, constant_text, statement_end, "   ",
                           "  ", base_name, true),
       name_prefix, name_suffix, os, node);
}

// As the ten-string Print_node_for_eval with nodes named base_k.
void bddpp_manager::Print_node_for_eval_arrayless(
    const std::string& or_op, const std::string& and_op, const std::string& neg_open,
    const std::string& neg_close, const std::string& name_prefix, const std::string& name_suffix,
    const std::string& constant_text, const std::string& statement_end,
    const std::string& line_prefix, const std::string& base_name, std::ostream& os,
    bdd_node* node) {
  walk(this,
       make_generic_syntax(or_op, and_op, neg_open, neg_close, constant_text, statement_end,
                           line_prefix, line_prefix, base_name, true),
       name_prefix, name_suffix, os, node);
}

// NuSMV assignments "base_k:= value;" of the unmarked nodes; marks them.
void bddpp_manager::Print_node_for_eval_NUSMV(const std::string& name_prefix,
                                              const std::string& name_suffix,
                                              const std::string& line_prefix,
                                              const std::string& base_name, std::ostream& os,
                                              bdd_node* node) {
  nusmv_syntax s;
  s.line_prefix = line_prefix;
  s.base = base_name;
  walk(this, s, name_prefix, name_suffix, os, node);
}

// VHDL signal assignments "R(k) <= value;" of the unmarked nodes; marks them.
void bddpp_manager::Print_node_for_eval_VHDL(const std::string& name_prefix,
                                             const std::string& name_suffix,
                                             const std::string& array_name, std::ostream& os,
                                             bdd_node* node) {
  vhdl_syntax s;
  s.base = array_name;
  walk(this, s, name_prefix, name_suffix, os, node);
}

// BLIF ".names" blocks of the unmarked nodes; marks them.
void bddpp_manager::Print_node_for_eval_BLIF(const std::string& name_prefix,
                                             const std::string& name_suffix,
                                             const std::string& base_name, std::ostream& os,
                                             bdd_node* node) {
  blif_syntax s;
  s.base = base_name;
  walk(this, s, name_prefix, name_suffix, os, node);
}

// "      R(k) <= NP name NS;" for the variable node of every variable named
// variable_name, in identifier order (the order of their table keys).
void bddpp_manager::Print_node_for_eval_VHDL_input(const std::string& name_prefix,
                                                   const std::string& name_suffix,
                                                   const std::string& array_name, std::ostream& os,
                                                   const std::string& variable_name) {
  for (long id = 0; id < Nb_bdd_vars(); ++id) {
    if (Name_var_by_id(id) == variable_name) {
      os << "      " << array_name << "(" << num(var_nodes[id]->global_id) << ") <= " << name_prefix
         << variable_name << name_suffix << ";" << std::endl;
    }
  }
}

// "      R(k) <= '0';" for the variable node of every variable named
// variable_name, in identifier order.
void bddpp_manager::Print_node_for_eval_VHDL_reset_input(const std::string& array_name,
                                                         std::ostream& os,
                                                         const std::string& variable_name) {
  for (long id = 0; id < Nb_bdd_vars(); ++id) {
    if (Name_var_by_id(id) == variable_name) {
      os << "      " << array_name << "(" << num(var_nodes[id]->global_id) << ") <= '0';"
         << std::endl;
    }
  }
}
