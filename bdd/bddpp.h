// bddpp: reduced ordered binary decision diagrams with complemented else
// edges, their manager, connectives, restriction, queries, covers and
// structure printers.
//
// A bddpp_manager owns one family of diagrams: its variables (names,
// identifiers and levels), its unique table of decision nodes and its single
// constant node (the constant 1; the constant 0 is that node reached through
// a complemented link). A bdd is a value handle (manager, link, node) that
// counts a reference on its node. Internals (node memory, hashing, the
// computed table) live in bdd/bddpp_internal.h.
#ifndef KORVANE_BDD_BDDPP_H
#define KORVANE_BDD_BDDPP_H

#include <cstdint>
#include <cstdio>
#include <list>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "utilities/g_longlong.h"

class bddpp_manager;
class bdd;
class Tdd;

namespace bddpp_detail {
class unique_table;
class computed_table;
class node_arena;
class cover_state;
}  // namespace bddpp_detail

// A shared decision node. Nodes are made only by their manager (the constant
// node, one variable node per variable, and Find_or_create_bdd_node); they
// live until the manager goes or Bdd_gc frees them.
class bdd_node {
 public:
  // Stores the fields (dfs_number and mark 0). With var_id 0 or more the node
  // enters the manager's unique table (when manager is not null); with
  // var_id -1 it is a constant node and enters no table.
  bdd_node(bddpp_manager* manager, long global_id, long var_id, int refs, int else_link_type,
           bdd_node* then_node, bdd_node* else_node);
  // A node of no manager: var_id -3, no children, counts and numbers 0.
  bdd_node();
  // Leaves the unique table (when it has a manager and var_id >= 0); the
  // children and their counts are left alone.
  ~bdd_node();
  bdd_node(const bdd_node&) = delete;
  bdd_node& operator=(const bdd_node&) = delete;

  // The node's level: -3 without manager, var_id itself when negative (-1 for
  // the constant node), otherwise the manager's level of var_id.
  long var_index() const;
  // 1 when the diagram below the node is well formed (levels increasing
  // towards the children, children set, non-negative signatures), else 0.
  int is_correct() const;
  // Sets used[global_id] to 1 for every unmarked node of the diagram and
  // marks them; the second argument is not read.
  void Lustre_writing_node_used(int* used, bdd_node* other);
  // The node's 64-bit key: var_id for a constant or default node, otherwise
  // var_id (low 12 bits) << 41 | then global_id << 21 | else global_id << 1 |
  // (else edge regular), computed with the exact wrap-around of 32/64 bits.
  g_longlong signature() const;
  // The identifiers of the variables the node's function depends on; empty
  // for the constant node. Computed by a walk that visits each node once.
  std::set<long> support() const;

  // The fields the kernels read on every visit (children, variable, else
  // link) come first, so that they share one cache line.

  // Child for the variable true (never complemented); null for constants.
  bdd_node* then_node;
  // Child for the variable false, complemented when else_link_type is -1.
  bdd_node* else_node;
  // Identifier of the node's variable; -1 constant node, -3 default node.
  std::int32_t var_id;
  // Scratch number written by Bdd_incremental_id.
  std::int32_t dfs_number : 27;
  // Visit flag used by the numbering and printing walks (0 or 1).
  std::uint32_t mark : 1;
  // Engine-internal: visit flag of the walks that visit each node once; 0
  // between operations.
  std::uint32_t walk_flag_ : 1;
  // Engine-internal: 1 when the node lives in its manager's node memory.
  std::uint32_t in_arena_ : 1;
  // +1 when the else child is taken as it is, -1 when complemented.
  std::int32_t else_link_type : 2;
  // Owning manager; null only in a default-built node.
  bddpp_manager* manager;
  // Node number in creation order (1 is the constant node); never reused.
  std::int32_t global_id;
  // Reference count: an upper bound of the holders; 0 or less: no holder.
  std::int32_t refs;
};

// The 64-bit unique-table key of a node of variable var over the two
// children (see bdd_node::signature); var -1 or -3 gives var itself.
g_longlong bdd_node_signature(long var, int else_link_type, bdd_node* then_node,
                              bdd_node* else_node);

// True when var_id, else_link_type and both child pointers are equal.
bool operator==(const bdd_node& a, const bdd_node& b);

// Value handle on one boolean function of one manager: (manager, link type,
// node). Link +1 regular, -1 complemented, 0 only in an empty handle. Copies
// add one to the node's reference count, destruction takes one away.
class bdd {
 public:
  // The empty handle (null, 0, null).
  bdd() : m_manager(nullptr), m_link(0), m_node(nullptr) {}
  // Stores the three fields; a non-null node gains one reference.
  bdd(bddpp_manager* manager, int link_type, bdd_node* node);
  bdd(const bdd& other);
  // Takes other's reference; other becomes the empty handle.
  bdd(bdd&& other) noexcept;
  // Copies the fields; the reference moves only when the node differs.
  bdd& operator=(const bdd& other);
  bdd& operator=(bdd&& other) noexcept;
  // A non-null node loses one reference.
  ~bdd();

  bddpp_manager* manager_ref() const { return m_manager; }
  int link_type() const { return m_link; }
  bdd_node* node() const { return m_node; }

  // "not " for a complemented handle, then prefix "(" global_id ")".
  std::string vhdl_node_name(const std::string& prefix) const;

 private:
  bddpp_manager* m_manager;
  int m_link;
  bdd_node* m_node;
};

// Equal when manager, link type and node are equal: for handles of one
// manager, exactly when they denote the same function.
bool operator==(const bdd& a, const bdd& b);
bool operator!=(const bdd& a, const bdd& b);
// "adr manager= <ptr>, link type =<l>, adr node= <ptr>, " then, for a node,
// "node signature: <signature>"; no end of line.
std::ostream& operator<<(std::ostream& os, const bdd& f);

// The engine's version text, "4.0b".
std::string Bdd_version();

// The owner of one family of diagrams. Every operation on diagrams is a
// member; handles of one manager must not be given to another.
class bddpp_manager {
 public:
  // ---- Manager and variable table -------------------------------------
  // No variable, capacity 16, the constant node numbered 1.
  bddpp_manager();
  // The variables of other (names, identifiers, levels) and none of its
  // diagrams; fresh variable nodes numbered from 2.
  explicit bddpp_manager(bddpp_manager* other);
  // Frees every node; every handle of the manager must be gone before.
  ~bddpp_manager();
  bddpp_manager(const bddpp_manager&) = delete;
  bddpp_manager& operator=(const bddpp_manager&) = delete;

  // The variable named name as a positive literal; a new name is declared
  // at the next level (identifier = level), a known one changes nothing.
  bdd New_var_last(const std::string& name);
  // The same, returning the variable node.
  bdd_node* New_node_var_last(const std::string& name);
  // Declares name at the level, moving the variables from there one level
  // down; a known name returns its node unmoved; a level outside 0 ..
  // Nb_bdd_vars()-1 writes one line and gives null.
  bdd_node* New_node_var_before(long level, const std::string& name);
  // Declares name just below the level (-1: at the top); a level of
  // Nb_bdd_vars() or more writes one line and gives null.
  bdd_node* New_node_var_after(long level, const std::string& name);
  // Handle forms (link +1; a null node when the declaration fails); the
  // bdd forms take the level of f's top variable.
  bdd New_var_before(long level, const std::string& name);
  bdd New_var_after(long level, const std::string& name);
  bdd New_var_before(bdd f, const std::string& name);
  bdd New_var_after(bdd f, const std::string& name);

  // Renames the first variable displayed as old_name; a name in use or an
  // unknown old name writes two lines and changes nothing. Lookups by name
  // keep the declared names.
  void Rename_var(const std::string& new_name, const std::string& old_name);
  // Puts "v" before every non-empty name that begins with "_".
  void No_begin_underscore_name();
  // Replaces from by to in every non-empty name.
  void Replace_char_in_all_names(char from, char to);
  // Sets the displayed name of the variable at the level / of the
  // identifier; out of range: one line, nothing changed.
  void Change_name_by_index(long level, const std::string& name);
  void Change_name_by_id(long id, const std::string& name);

  // The number of declared variables.
  long Nb_bdd_vars() const { return nb_vars; }
  // "4.0b".
  std::string Bdd_version();
  // Sum of the capacities of the first n strings of table.
  long String_table_memory_size(std::string* table, int n);

  // ---- Nodes and unique table ------------------------------------------
  // The node of "(then_link, then_node) if the variable at level, else
  // (else_link, else_node)"; link is in and out (result link = link given
  // times then_link). A found node gains one reference. Null for a level
  // below -1 (-1: the constant node), a level beyond the variables or a
  // null child (one line), or an order violation (two lines).
  bdd_node* Find_or_create_bdd_node(long level, int then_link, int else_link, bdd_node* then_node,
                                    bdd_node* else_node, int& link);
  // Enters the node in the unique table (replacing a node of the same key).
  void Map_integrate(bdd_node* node);
  // Removes the table entry of the node's key.
  void Map_suppress(bdd_node* node);
  // Clears the marks of the diagram below node (each node once).
  void Bdd_clear_marks(bdd_node* node);
  void Bdd_clear_marks(bdd f);
  // Clears the mark of the constant node and of every node of the table.
  void Bdd_global_clear_marks();
  // Numbers the unmarked nodes below node depth first (then before else)
  // from first, marking them; returns the next free number. A null node
  // writes one line and returns first.
  long Bdd_incremental_id(bdd_node* node, long first);

  // ---- Connectives -----------------------------------------------------
  // Conjunction and disjunction; an operand without node writes the
  // null-reference line(s) and ends the process with status 1.
  bdd Bdd_and(bdd f, bdd g);
  bdd Bdd_or(bdd f, bdd g);
  // Kernels on (link, node) pairs; the link of the result goes to link and
  // the result node gains one reference.
  bdd_node* Bdd_and(int la, bdd_node* a, int lb, bdd_node* b, int& link);
  bdd_node* Bdd_or(int la, bdd_node* a, int lb, bdd_node* b, int& link);
  // The complement: the same node with the opposite link; makes nothing.
  bdd Bdd_not(bdd f);
  // NOT (f AND g), NOT (f OR g).
  bdd Bdd_nand(bdd f, bdd g);
  bdd Bdd_nor(bdd f, bdd g);
  // (f AND NOT g) OR (NOT f AND g), and its complement (also Bdd_eq).
  bdd Bdd_xor(bdd f, bdd g);
  bdd Bdd_xnor(bdd f, bdd g);
  bdd Bdd_eq(bdd f, bdd g);
  // (NOT f) OR g.
  bdd Bdd_implication(bdd f, bdd g);
  // (f AND g) OR (NOT f AND h).
  bdd Bdd_ite(bdd f, bdd g, bdd h);
  // If-then-else on the variable at level (-1: the constant node); another
  // level writes one line and the conjunction then ends the process.
  bdd Bdd_ite(int link_type, long level, bdd g, bdd h);
  // A copy of f, after a line saying the call is useless.
  bdd Bdd_dup(bdd f);

  // ---- Restriction, quantification and substitution ---------------------
  // f with the variables of the cube c fixed by its literals (c constant:
  // f). A null operand ends the process with status 1.
  bdd Bdd_cube_reduce(bdd f, bdd c);
  bdd_node* Bdd_cube_reduce(int lf, bdd_node* f, int lc, bdd_node* c, int& link);
  // The walk of the cube restriction with a literal array (one entry per
  // level: 1, 0 or 2 for free).
  bdd_node* Bdd_cube_reduce(int l, bdd_node* n, int* literals, int& link);
  // f with the variable of the literal x removed existentially (OR of the
  // two cofactors) or universally (AND); f when x is no literal or f does
  // not depend on it.
  bdd Bdd_exist(bdd f, bdd x);
  bdd Bdd_forall(bdd f, bdd x);
  // f restricted by g: by the cube g, or the conjunction of f restricted by
  // each disjoint path cube of g; f when they share no variable.
  bdd Bdd_reduce(bdd f, bdd g);
  // True when the supports of f and g meet.
  bool exists_common_variables(bdd& f, bdd& g);
  // True when f AND g is 0.
  bool Bdds_excl(bdd f, bdd g);
  // f with g in place of the variable x; x not a positive literal: one
  // line and 0.
  bdd Bdd_compose(bdd f, bdd x, bdd g);
  // The substitution itself (Shannon expansion down to the constants).
  bdd Bdd_compose_loc(bdd f, bdd x, bdd g);
  // f with the variable at each level k replaced by the variable at
  // level_map[k] (-1: the constant 1).
  bdd Bdd_replace_vars(bdd f, long* level_map);
  // f with every variable at level n or more removed existentially.
  bdd Bdd_keep_first_variables(bdd f, long n);

  // ---- Queries and cube utilities ---------------------------------------
  // The constant node; the constants 1 and 0.
  bdd_node* Bdd_node_one() const { return node_one; }
  bdd Bdd_one();
  bdd Bdd_zero();
  // The cofactors of f on its top variable (complement applied); the
  // constant 1 for a constant; an empty handle for an empty one (one line).
  bdd Bdd_then(bdd f);
  bdd Bdd_else(bdd f);
  // The top variable of f as a positive literal; a constant: an empty line,
  // the out-of-range line and 0.
  bdd Bdd_if(bdd f);
  // The variable as a positive literal: by name (unknown: 0, silently), by
  // identifier (out of range: one line and 0), by level (-1: the constant
  // 1; out of range: one line and an empty handle).
  bdd Bdd_var_by_name(const std::string& name);
  bdd Bdd_var_by_id(long id);
  bdd Bdd_var_by_index(long level);
  // Identifier and level of a name; -1 for an unknown name.
  long Id_var_by_name(const std::string& name);
  long Index_var_by_name(const std::string& name);
  // Identifier and level of f's top variable (-1 for a constant); a handle
  // of another manager or without node: one line and -3.
  long Bdd_if_id(bdd f);
  long Bdd_if_index(bdd f);
  long Id_var_by_bdd(bdd f);
  long Index_var_by_bdd(bdd f);
  // The displayed name of the identifier / of the variable at the level;
  // out of range: one line and the empty string.
  std::string Name_var_by_id(long id);
  std::string Name_var_by_index(long level);
  // The name of f's top variable, "1" or "0" for a constant; a non-constant
  // handle of another manager ends the process with status 1.
  std::string Name_var_by_bdd(bdd f);
  // 1 when f depends on the variable of x's node (also for two nodes of the
  // same variable, the constants included), else 0; a node of another
  // manager: one line and 0.
  int Bdd_depends_on(bdd f, bdd x);
  int Bdd_node_depends_on(bdd_node* f, bdd_node* x);
  // The identifiers / levels of the variables f depends on; a handle of
  // another manager: one line and the empty set.
  std::set<long> set_of_id_depend_on(bdd f);
  std::set<long> set_of_index_depend_on(bdd f);
  // levels[0 .. Nb_bdd_vars()-1]: 1 where f depends on the variable.
  void Present_variables(bdd f, int* levels);
  // The number of nodes of the diagram, the constant node included; numbers
  // and marks its nodes.
  long Bdd_node_size(bdd_node* node);
  long Bdd_size(bdd f);
  // 1 when f is a variable / a negated variable, else 0.
  int Bdd_is_var(bdd f);
  int Bdd_is_negvar(bdd f);
  // 1 when f is the constant 1 (value not 0) or 0 (value 0); without value:
  // either constant.
  int Bdd_is_tautology(bdd f, int value);
  int Bdd_is_tautology(bdd f);
  int Bdd_is_one_tautologic(bdd f);
  int Bdd_is_zero_tautologic(bdd f);
  // 1 when f AND g is 0; when f and g are equal; when f implies g.
  int Bdds_exclude(bdd f, bdd g);
  int Bdd_equiv(bdd f, bdd g);
  int Bdd_imply(bdd f, bdd g);
  // 1 when f is a product (the constants included).
  int Bdd_is_cube(bdd f);
  // 1 when a then-first search finds a path to 1, writing its literals in
  // levels; a null node ends the process with status 1.
  int Bdd_OneSat(bdd_node* node, int link, int* levels);
  // The product of the first then-first path of f to 1 (1 for 0).
  bdd Bdd_satisfy(bdd f);
  // The product of a literal array (one entry per level: 1, 0 or 2).
  bdd Literals_to_bdd(int* levels);
  // The literal array of the product (link, node); the constant 1 ends the
  // process with status 1, a null node writes one line (all entries 2).
  void Bdd_node_to_literals(int link, bdd_node* node, int* levels);
  void Bdd_to_literals(bdd f, int* levels);
  // Writes a line saying the call is useless; nothing else.
  void Bdd_free(bdd f);

  // ---- Implicants and sum-of-products covers ----------------------------
  // Product stores are vectors: a builder clears the store, fills it from
  // entry 0 and returns the number of products (the store holds exactly
  // them). At most 1,000,000 products, else the limit lines and status 1.
  // Bdd_sop picks the builder of the cover level (0 disjoint paths, 1 widened
  // and irredundant, 2 essential primes first, 3 exchange search; others 0);
  // a handle of another manager or without node ends the process.
  int Bdd_sop(bdd f, std::vector<bdd>& products, int level);
  // The same into a caller's array of capacity entries: a cover that does not
  // fit writes the product-limit lines with that capacity and ends the
  // process with status 1 (nothing is written past the array).
  int Bdd_sop(bdd f, bdd* products, int capacity, int level);
  int Bdd_sop_0(bdd f, std::vector<bdd>& products);
  int Bdd_sop_1(bdd f, std::vector<bdd>& products);
  int Bdd_sop_2(bdd f, std::vector<bdd>& products);
  // Level 3 keeps a candidate only when its products add up to f and falls
  // back to the level-2 cover: always a cover of f.
  int Bdd_sop_3(bdd f, std::vector<bdd>& products);
  // Every prime implicant of f, in the order of the implicant-tree walk.
  int Bdd_prime_implicants(bdd f, std::vector<bdd>& primes);
  // The primes of f split into essential ones and the others.
  void Bdd_essential_implicants(bdd f, int* essential_count, std::vector<bdd>& essential,
                                int* other_count, std::vector<bdd>& others);
  // One product implying f, by a greedy descent (0 for 0).
  bdd Bdd_one_implicant(bdd f);
  // Placeholder of a variable exchange: writes one line, returns 0.
  bdd Bdd_swap_vars(bdd f, bdd x, bdd y);

  // ---- Housekeeping ------------------------------------------------------
  // 1 when f's diagram is well formed; renumbers it from 1; an empty handle:
  // one line and 0.
  int Bdd_is_correct(bdd f);
  // Placeholder of variable reordering: writes one line.
  void Bdd_var_reorder();
  // Frees the decision nodes whose count is 0 or less (one pass, not
  // transitive; variable nodes stay).
  void Bdd_gc();
  // One more than the number of nodes ever made (the constant node included).
  int Bdd_total_size() const { return static_cast<int>(next_global_id); }
  // Writes the dump of the variables and of the unique table (key order).
  void Bdd_stats(std::ostream& os);

  // ---- Structure and node printers --------------------------------------
  // Node numbers are the dfs_number fields (Bdd_incremental_id). The single
  // node printers write no end of line and nothing for a null node.
  // "<n>: <level>:<then n>:<else n>,<else link>", the level through the map.
  void Print_bdd_node(std::ostream& os, bdd_node* node);
  void Print_bdd_node(std::ostream& os, bdd_node* node, long* level_map);
  // The node line with addresses in place of numbers.
  void Print_bdd_node_with_adress(std::ostream& os, bdd_node* node);
  // Writes c count times.
  void Chars(char c, int count, std::ostream& os);
  // One line per unmarked node below node (marking them), then before else.
  void Print_bdd_by_nodes_list_loc(std::ostream& os, bdd_node* node);
  void Print_bdd_by_nodes_list_loc(std::ostream& os, bdd_node* node, long* level_map);
  // Numbers f's nodes, then the count line (not with a map) and the list.
  void Print_bdd_by_nodes_list(std::ostream& os, bdd f);
  void Print_bdd_by_nodes_list(std::ostream& os, bdd f, long* level_map);
  // The variable line and the node list of several diagrams (with a map:
  // the count line and the list).
  void Print_bdds_list_by_nodes_list(std::ostream& os, std::list<bdd>& diagrams);
  void Print_bdds_list_by_nodes_list(std::ostream& os, std::list<bdd>& diagrams, long* level_map);
  // The indented if/else tree of f; an empty handle writes nothing.
  void Print_bdd_structure(std::ostream& os, bdd f);
  // The tree of the part below node at the indentation.
  void Print_bdd_structure_loc(std::ostream& os, int indent, bdd_node* node);
  // Writes a placeholder line on the standard error stream, nothing else.
  void Print_bdd_structure(FILE* file, bdd f);

  // ---- Product and sum-of-products printers -------------------------------
  // The text of a product: "0", "1", or its literals in increasing level
  // order joined by and_sep; a negated literal is neg_prefix, the name and
  // neg_suffix; every name stands between name_prefix and name_suffix.
  std::string Print_product_to_String_pref_suff(const char* and_sep, const char* neg_prefix,
                                                const char* neg_suffix, bdd product,
                                                const char* name_prefix, const char* name_suffix);
  std::string Print_product_to_String(const char* and_sep, const char* neg_prefix,
                                      const char* neg_suffix, bdd product);
  void Print_product_pref_suff(const char* and_sep, const char* neg_prefix, const char* neg_suffix,
                               std::ostream& os, bdd product, const char* name_prefix,
                               const char* name_suffix);
  void Print_product(const char* and_sep, const char* neg_prefix, const char* neg_suffix,
                     std::ostream& os, bdd product);
  // As Print_product with each variable written array_name[level].
  void Print_cat_product(const char* and_sep, const char* neg_prefix, const char* neg_suffix,
                         std::ostream& os, bdd product, const std::string& array_name);
  // The limit on the products of a cover, of a prime list and of a product
  // store.
  static constexpr int product_limit = 1000000;
  // The limit on the products of a cover: product_limit.
  int Max_number_of_terms();
  // The text of f's cover at the cover level (Bdd_sop): "0" without product,
  // else the product texts joined by or_sep. A handle of another manager
  // ends the process in Bdd_sop.
  std::string Print_sop_to_String_pref_suff(const char* or_sep, const char* and_sep,
                                            const char* neg_prefix, const char* neg_suffix, bdd f,
                                            const char* name_prefix, const char* name_suffix,
                                            int level);
  std::string Print_sop_to_String(const char* or_sep, const char* and_sep, const char* neg_prefix,
                                  const char* neg_suffix, bdd f, int level);
  void Print_sop_pref_suff(const char* or_sep, const char* and_sep, const char* neg_prefix,
                           const char* neg_suffix, std::ostream& os, bdd f, const char* name_prefix,
                           const char* name_suffix, int level);
  void Print_sop(const char* or_sep, const char* and_sep, const char* neg_prefix,
                 const char* neg_suffix, std::ostream& os, bdd f, int level);
  void Print_cat_sop(const char* or_sep, const char* and_sep, const char* neg_prefix,
                     const char* neg_suffix, std::ostream& os, bdd f, const std::string& array_name,
                     int level);

  // ---- Node-by-node evaluation printers -------------------------------------
  // One assignment per unmarked node below node, children first; marks the
  // nodes written and clears nothing (see bdd/print_eval.cpp).
  void Print_node_for_eval(const std::string& or_op, const std::string& and_op,
                           const std::string& neg_open, const std::string& neg_close,
                           const std::string& name_prefix, const std::string& name_suffix,
                           const std::string& constant_text, const std::string& statement_end,
                           const std::string& array_name, std::ostream& os, bdd_node* node);
  void Print_node_for_eval(const std::string& or_op, const std::string& and_op,
                           const std::string& neg_open, const std::string& neg_close,
                           const std::string& name_prefix, const std::string& name_suffix,
                           const std::string& constant_text, const std::string& statement_end,
                           const std::string& line_prefix, const std::string& array_name,
                           std::ostream& os, bdd_node* node);
  void Print_node_for_eval_arrayless(const std::string& or_op, const std::string& and_op,
                                     const std::string& neg_open, const std::string& neg_close,
                                     const std::string& name_prefix, const std::string& name_suffix,
                                     const std::string& constant_text,
                                     const std::string& statement_end, const std::string& base_name,
                                     std::ostream& os, bdd_node* node);
  void Print_node_for_eval_arrayless(const std::string& or_op, const std::string& and_op,
                                     const std::string& neg_open, const std::string& neg_close,
                                     const std::string& name_prefix, const std::string& name_suffix,
                                     const std::string& constant_text,
                                     const std::string& statement_end,
                                     const std::string& line_prefix, const std::string& base_name,
                                     std::ostream& os, bdd_node* node);
  void Print_node_for_eval_NUSMV(const std::string& name_prefix, const std::string& name_suffix,
                                 const std::string& line_prefix, const std::string& base_name,
                                 std::ostream& os, bdd_node* node);
  void Print_node_for_eval_VHDL(const std::string& name_prefix, const std::string& name_suffix,
                                const std::string& array_name, std::ostream& os, bdd_node* node);
  void Print_node_for_eval_BLIF(const std::string& name_prefix, const std::string& name_suffix,
                                const std::string& base_name, std::ostream& os, bdd_node* node);
  // The assignment of the variable node of the variable named variable_name.
  void Print_node_for_eval_VHDL_input(const std::string& name_prefix,
                                      const std::string& name_suffix, const std::string& array_name,
                                      std::ostream& os, const std::string& variable_name);
  void Print_node_for_eval_VHDL_reset_input(const std::string& array_name, std::ostream& os,
                                            const std::string& variable_name);

  // ---- Package equation writers ---------------------------------------------
  // f's cover at the cover level as an Esterel expression ("tick" for 1,
  // "not tick" for 0) and as a VHDL expression ("'1'" and "'0'").
  std::string Print_sop_to_ESTEREL_String(bdd f, int level);
  std::string Print_sop_to_VHDL_String(bdd f, int level);
  // The cover of g in PLA layout as that of the output y, framed by the seven
  // strings (name prefix, name suffix, header, output end, product separator,
  // last-product end, literal separator).
  void PLA_print_pref_suff(std::ostream& os, bdd y, bdd g, const std::string& name_prefix,
                           const std::string& name_suffix, const std::string& header,
                           const std::string& output_end, const std::string& product_sep,
                           const std::string& last_end, const std::string& literal_sep, int level);
  // The same with every variable written as its entry of numbers (by level).
  void PLA_print_pref_suff_with_renaming(std::ostream& os, bdd y, bdd g,
                                         const std::string& name_prefix,
                                         const std::string& name_suffix, const std::string& header,
                                         const std::string& output_end,
                                         const std::string& product_sep,
                                         const std::string& last_end,
                                         const std::string& literal_sep, int level, long* numbers);
  // The PLA cover of g for the output y with the BLIF framing, and with the
  // LEC framing and the variables written as their numbers.
  void BLIF_print(std::ostream& os, bdd y, bdd g, int level);
  void LEC_print(std::ostream& os, long* numbers, bdd y, bdd g, int level);

  // ---- Receptivity parser (bdd/parse_exp_bdd.h) -----------------------------
  // The receptivity text as a function of this manager, or 0 after a message
  // on standard error; *err receives the parser's verdict (0 accepted, 1
  // rejected, 2 exhausted) when the parser runs. A priority prefix makes the
  // result 0 with *err 0.
  bdd Parse_expression(const std::string& text, int* err);
  // The same; a priority prefix is accepted and its value goes to *prio.
  bdd Parse_expression(const std::string& text, int* prio, int* err);

  // ---- Minterms, awaited variables, truth tables and evaluation -------------
  // The product of vars[0..n-1], vars[i] positive where bit i of code is 1
  // and negated where it is 0; 0 for a negative code, 1 for n <= 0.
  bdd Minterm(int code, int n, bdd* vars);
  // 1 when f depends on the variable at the level (0 out of range); the
  // true and false forms also need f with that variable 1 (or 0) not 0.
  int Variable_awaited(bdd f, long level);
  int Variable_true_awaited(bdd f, long level);
  int Variable_false_awaited(bdd f, long level);
  // For every code below 2^n, f under the minterm of the code over vars:
  // as a character ('1', '0', '?' when still open) and as a diagram.
  void Truth_table(bdd f, int n, bdd* vars, char* table);
  void Bdd_truth_table(bdd f, int n, bdd* vars, bdd* table);
  // f restricted by the literal array (one entry per level; 2: free), as a
  // diagram, and as a value: 1, 0, or 2 while it depends on a free variable.
  bdd Bdd_eval(bdd f, int* levels);
  int Bdd_eval_for_literal(bdd f, int* levels);
  // Writes one line per variable (nothing without variables).
  void debug_variables(std::ostream& os);

  // ---- Variable associations and fixed points -------------------------------
  // Gives the variable x the definition f, expressed over the variables
  // that have none.
  void Bdd_assoc_bdd_to_var(bdd f, bdd x);
  // f expanded through the associations; k receives the level of a free
  // variable, or -1.
  bdd Bdd_follow_assoc(bdd f, int* k);
  // Writes the stability analysis of f.
  void Print_Fixes_Points(std::ostream& os, bdd f);

  // ---- Simplification against an off-set ------------------------------------
  // A function that f implies, made of f's products with every literal
  // dropped that keeps them disjoint from the off-set g (the BLIF writer's
  // form; the second tries only the variables above f's top one; the third,
  // on the prime implicants, is the other writers' form and does not read
  // level).
  bdd Bdd_simplify(bdd f, bdd g);
  bdd Bdd_simplify2(bdd f, bdd g);
  bdd Bdd_simplify3(bdd f, bdd g, int level);

 private:
  friend class bdd_node;
  friend class bdd;
  friend class Tdd;
  friend struct bddpp_test_access;
  friend class bddpp_detail::cover_state;

  // Engine internals shared by the source files of the engine.
  using edge = std::uintptr_t;
  edge and_rec(edge a, edge b);
  edge cube_reduce_rec(edge f, const int* literals, long last, edge key_b, std::uint64_t tag);
  long last_literal(const int* literals) const;
  bdd_node* make_node(std::int32_t var_id, edge then_edge, edge else_edge);
  // The edge of "then_edge if the variable, else else_edge": the child
  // itself when both are equal, else the node with a regular then edge
  // (complemented edge when then_edge is).
  edge make_reduced(std::int32_t var_id, edge then_edge, edge else_edge);
  bdd_node* new_node(std::int32_t var_id, int else_link, bdd_node* then_node, bdd_node* else_node,
                     int refs);
  // The same without entering the unique table.
  bdd_node* construct_node(std::int32_t var_id, int else_link, bdd_node* then_node,
                           bdd_node* else_node, int refs);
  void free_node(bdd_node* node);
  void grow_var_table();
  bdd_node* declare_var(long level, const std::string& name);
  bdd handle(edge e);
  // The product of a literal array (as Literals_to_bdd), made from the
  // bottom literal up: one node per literal.
  bdd product_bottom_up(const int* levels);
  // The level of a node of this manager (var_id itself for constants and
  // for identifiers this manager does not have).
  long level_of_node(const bdd_node* node) const {
    const long id = node->var_id;
    return (id < 0 || id >= nb_vars) ? id : level_of_id[static_cast<std::size_t>(id)];
  }
  void and_guard(const char* op, int la, bdd_node* a, int lb, bdd_node* b, int lr, bdd_node* r);
  void check_manager(bdd f, const char* op);
  bool may_depend_on(const bdd& f, const bdd& x);
  void cache_maintenance();
  void drop_caches();
  std::uint64_t next_generation();
  bdd compose_rec(bdd f, bdd x, bdd g, std::uint64_t gen);
  bdd replace_rec(bdd f, long* level_map, std::uint64_t gen);
  bdd keep_first_rec(bdd f, long n);

  // Number of declared variables; identifiers and levels run below it.
  long nb_vars;
  // Length of the per-variable tables: 16, doubled when full.
  long capacity;
  // Number of the next node made.
  long next_global_id;
  // Per identifier: name, variable node, level, associated node.
  std::vector<std::string> names;
  std::vector<bdd_node*> var_nodes;
  std::vector<long> level_of_id;
  // Per level: the identifier at that level.
  std::vector<long> id_at_level;
  std::vector<bdd_node*> assoc;
  // Decision nodes, hashed on (variable, then node, else node, else link).
  std::unique_ptr<bddpp_detail::unique_table> unique_table;
  // Declared names to identifiers.
  std::map<std::string, long> name_index;
  // The constant node (the constant 1 through a regular link).
  bdd_node* node_one;
  // Node memory and the computed table (memo of the recursive operations).
  std::unique_ptr<bddpp_detail::node_arena> arena;
  std::unique_ptr<bddpp_detail::computed_table> cache;
  // Memo of the cube restrictions, apart from the connectives' so that a
  // restriction walk over a large diagram does not evict the conjunctions
  // (nor the reverse).
  std::unique_ptr<bddpp_detail::computed_table> restrict_cache;
  std::uint64_t generation;
  // Per level: the literal of the cube being restricted by (2 between
  // restrictions, and at the levels the cube leaves free).
  std::vector<int> restrict_literals;
  // What the cover builders keep from one cover to the next (their tuning,
  // the covers and paths kept by function, their arrays): see
  // bdd/covers/cover_state.h. Made with the manager, dropped first.
  std::unique_ptr<bddpp_detail::cover_state> covers;

  // The association of the variable at a level (empty handle: none) and its
  // update; the complement of an association's root link is kept in
  // assoc_negated (identifiers whose association is complemented).
  bdd association_at_level(long level);
  void set_association_at_level(long level, bdd f);
  std::set<long> assoc_negated;
};

// Writes one node line through the node's own manager; nothing for null.
void Print_bdd_node(std::ostream& os, bdd_node* node);

// Writes f as level-0 products joined by " + ", literals by " . ", a negated
// variable as "!" and its name, through f's own manager; nothing for an
// empty handle.
void Print_debug_bdd(std::ostream& os, bdd f);

// Copies of a diagram of m2 into the manager m: through a level map (m2 level
// to m level), at the same levels, or by variable names (declaring missing
// names last in m).
bdd_node* Bdd_isomorphe(bddpp_manager* m, bddpp_manager* m2, bdd_node* node, long* map);
bdd_node* Bdd_isomorphe(bddpp_manager* m, bddpp_manager* m2, bdd_node* node);
bdd_node* Bdd_isomorphe_by_name(bddpp_manager* m, bddpp_manager* m2, bdd_node* node);
bdd Bdd_isomorphe(bddpp_manager* m, bddpp_manager* m2, bdd& f, long* map);
bdd Bdd_isomorphe(bddpp_manager* m, bddpp_manager* m2, bdd f);
bdd Bdd_isomorphe_by_name(bddpp_manager* m, bddpp_manager* m2, bdd f);

// One node of the ternary implicant tree of a function: the top variable,
// and the trees of the then-cofactor, the else-cofactor and of their
// conjunction (the part that does not depend on the top variable). A leaf
// holds a constant. An inner node owns its three subtrees.
class Tdd {
 public:
  // Builds the whole tree of f; a null manager writes one line and gives a
  // node that may only be destroyed.
  Tdd(bddpp_manager* manager, bdd f);
  ~Tdd();
  Tdd(const Tdd&) = delete;
  Tdd& operator=(const Tdd&) = delete;

  // The prime implicants of the tree's function in enumeration order, into
  // primes (cleared first); returns their number.
  int Bdd_prime_implicants(std::vector<bdd>& primes);
  // Adds the implicants below this node, each conjoined with prefix, to the
  // first count entries of implicants; returns the new count.
  int Bdd_implicants_loc(bdd prefix, int count, std::vector<bdd>& implicants);
  // Writes the tree, two more blanks per depth.
  void Print_bdd_structure(std::ostream& os);
  void Print_bdd_structure_loc(std::ostream& os, int indent);

  bddpp_manager* manager;
  bdd top;
  Tdd* then_tdd;
  Tdd* else_tdd;
  Tdd* dont_care_tdd;
};

#endif
