// Structure and node printers: one line per node with its children's
// numbers, numbered node lists of one or several diagrams, and the indented
// if/else tree. Node numbers are the dfs_number fields that
// Bdd_incremental_id writes.
#include <iostream>

#include "bdd/bddpp.h"
#include "bdd/bddpp_internal.h"

namespace {

// The level printed for a node: the map's entry for a level of 0 or more
// when a map is given, the level itself otherwise.
long printed_level(const bdd_node* node, const long* level_map) {
  const long level = node->var_index();
  if (level_map != nullptr && level >= 0) {
    return level_map[level];
  }
  return level;
}

// Writes "<number>: <level>:<then number>:<else number>,<else link>".
void node_line(std::ostream& os, const bdd_node* node, const long* level_map) {
  os << node->dfs_number << ": " << printed_level(node, level_map) << ":";
  if (node->then_node != nullptr) {
    os << node->then_node->dfs_number;
  } else {
    os << -3;
  }
  os << ":";
  if (node->else_node != nullptr) {
    os << node->else_node->dfs_number;
  } else {
    os << -3;
  }
  os << "," << node->else_link_type;
}

}  // namespace

void bddpp_manager::Print_bdd_node(std::ostream& os, bdd_node* node) {
  if (node != nullptr) {
    node_line(os, node, nullptr);
  }
}

void bddpp_manager::Print_bdd_node(std::ostream& os, bdd_node* node, long* level_map) {
  if (node != nullptr) {
    node_line(os, node, level_map);
  }
}

void Print_bdd_node(std::ostream& os, bdd_node* node) {
  if (node == nullptr) {
    return;
  }
  if (node->manager != nullptr) {
    node->manager->Print_bdd_node(os, node);
  } else {
    node_line(os, node, nullptr);
  }
}

void bddpp_manager::Print_bdd_node_with_adress(std::ostream& os, bdd_node* node) {
  if (node == nullptr) {
    return;
  }
  os << static_cast<const void*>(node) << ": " << node->var_index() << ":";
  if (node->then_node != nullptr) {
    os << static_cast<const void*>(node->then_node);
  } else {
    os << -3;
  }
  os << ":";
  if (node->else_node != nullptr) {
    os << static_cast<const void*>(node->else_node);
  } else {
    os << -3;
  }
  os << "," << node->else_link_type;
}

void bddpp_manager::Chars(char c, int count, std::ostream& os) {
  for (int i = 0; i < count; ++i) {
    os << c;
  }
}

void bddpp_manager::Print_bdd_by_nodes_list_loc(std::ostream& os, bdd_node* node) {
  Print_bdd_by_nodes_list_loc(os, node, nullptr);
}

void bddpp_manager::Print_bdd_by_nodes_list_loc(std::ostream& os, bdd_node* node, long* level_map) {
  if (node == nullptr || node->mark) {
    return;
  }
  node_line(os, node, level_map);
  os << std::endl;
  node->mark = 1;
  Print_bdd_by_nodes_list_loc(os, node->then_node, level_map);
  Print_bdd_by_nodes_list_loc(os, node->else_node, level_map);
}

void bddpp_manager::Print_bdd_by_nodes_list(std::ostream& os, bdd f) {
  Bdd_clear_marks(f.node());
  const long count = Bdd_incremental_id(f.node(), 0);
  Bdd_clear_marks(f.node());
  os << "nombre de noeud trouves: " << count << std::endl;
  Print_bdd_by_nodes_list_loc(os, f.node(), nullptr);
}

void bddpp_manager::Print_bdd_by_nodes_list(std::ostream& os, bdd f, long* level_map) {
  Bdd_clear_marks(f.node());
  Bdd_incremental_id(f.node(), 0);
  Bdd_clear_marks(f.node());
  Print_bdd_by_nodes_list_loc(os, f.node(), level_map);
}

void bddpp_manager::Print_bdds_list_by_nodes_list(std::ostream& os, std::list<bdd>& diagrams) {
  for (bdd& f : diagrams) {
    Bdd_clear_marks(f.node());
  }
  long next = 0;
  for (bdd& f : diagrams) {
    next = Bdd_incremental_id(f.node(), next);
  }
  os << "bdd_vars: " << std::endl;
  for (long id = 0; id < nb_vars; ++id) {
    if (id > 0) {
      os << ",";
    }
    os << names[static_cast<std::size_t>(id)];
  }
  os << ";" << std::endl;
  os << "bdd_nodes: " << std::endl;
  for (bdd& f : diagrams) {
    Bdd_clear_marks(f.node());
  }
  for (bdd& f : diagrams) {
    Print_bdd_by_nodes_list_loc(os, f.node(), nullptr);
  }
}

void bddpp_manager::Print_bdds_list_by_nodes_list(std::ostream& os, std::list<bdd>& diagrams,
                                                  long* level_map) {
  for (bdd& f : diagrams) {
    Bdd_clear_marks(f.node());
  }
  long next = 0;
  for (bdd& f : diagrams) {
    next = Bdd_incremental_id(f.node(), next);
  }
  os << next << std::endl;
  for (bdd& f : diagrams) {
    Bdd_clear_marks(f.node());
  }
  for (bdd& f : diagrams) {
    Print_bdd_by_nodes_list_loc(os, f.node(), level_map);
  }
}

// Writes the tree of f; an empty handle writes nothing.
void bddpp_manager::Print_bdd_structure(std::ostream& os, bdd f) {
  if (f.node() == nullptr) {
    return;
  }
  Bdd_clear_marks(f.node());
  Bdd_incremental_id(f.node(), 0);
  Bdd_clear_marks(f.node());
  if (f.link_type() != -1) {
    Print_bdd_structure_loc(os, 0, f.node());
  } else {
    os << "not(" << std::endl;
    Print_bdd_structure_loc(os, 5, f.node());
    os << "   )" << std::endl;
  }
}

void bddpp_manager::Print_bdd_structure_loc(std::ostream& os, int indent, bdd_node* node) {
  if (node == nullptr) {
    return;
  }
  auto name_of = [this](const bdd_node* n) -> std::string {
    if (n->var_id >= 0 && n->var_id < nb_vars) {
      return names[static_cast<std::size_t>(n->var_id)];
    }
    return "";
  };
  Chars(' ', indent, os);
  if (node->mark) {
    os << "already found node: " << node->dfs_number << std::endl;
    return;
  }
  if (node->var_id == -1) {
    os << "1 (node: " << node->dfs_number << ",index: " << node->var_index() << ")" << std::endl;
    return;
  }
  const std::string name = name_of(node);
  if (node->then_node == node_one && node->else_node == node_one && node->else_link_type == -1) {
    os << name << " (node: " << node->dfs_number << ",index: " << node->var_index() << ")"
       << std::endl;
    return;
  }
  node->mark = 1;
  os << "if " << name << " (node: " << node->dfs_number << ",index: " << node->var_index() << ")"
     << std::endl;
  Print_bdd_structure_loc(os, indent + 2, node->then_node);
  Chars(' ', indent, os);
  os << "else (not " << name << ")" << std::endl;
  if (node->else_link_type == 1) {
    Print_bdd_structure_loc(os, indent + 2, node->else_node);
  } else {
    Chars(' ', indent + 2, os);
    os << "not(" << std::endl;
    Print_bdd_structure_loc(os, indent + 6, node->else_node);
    Chars(' ', indent + 2, os);
    os << "   )" << std::endl;
  }
}

void bddpp_manager::Print_bdd_structure(FILE* /*file*/, bdd /*f*/) {
  std::cerr << "bddpp_manager::Print_bdd_structure(FILE * file,bdd f) A FAIRE" << std::endl;
}
