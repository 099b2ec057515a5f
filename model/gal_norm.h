// The automaton model: declaration records, states, transitions and the
// automaton file (`gal_tpen_fichier`) with its tables, accessors, structure
// operations, determinism checks, drawing extents and edits.
//
// Indices of states, transitions, actions and runs are positions in the
// tables of the automaton file, counted from 0; -1 means none.
#ifndef KORVANE_MODEL_GAL_NORM_H
#define KORVANE_MODEL_GAL_NORM_H

#include <iosfwd>
#include <list>
#include <ostream>
#include <set>
#include <string>

class bddpp_manager;
class bdd;
class gal_tpen_fichier;

// ---------------------------------------------------------------------------
// Declaration records
// ---------------------------------------------------------------------------

// A typed name: an input, sensor, output, local or variable of a file, or an
// interface variable of a run. Both strings default to "?".
class gal_declaration_variables {
 public:
  gal_declaration_variables();
  // The reader's form: copies *type and *name (neither may be null).
  gal_declaration_variables(std::string* type, std::string* name);
  gal_declaration_variables(const std::string& type, const std::string& name);
  gal_declaration_variables(const gal_declaration_variables&) = default;
  gal_declaration_variables& operator=(const gal_declaration_variables&);
  gal_declaration_variables& operator=(gal_declaration_variables&);
  ~gal_declaration_variables() = default;

  std::string typev() const;
  std::string nom() const;

  // Writes name, ": ", type; " : " in place of ": " when the name and a
  // colon would read as a keyword of the reader ("From : bool").
  void put_gal(std::ostream& os) const;
  // Writes name, then ": " and the type unless the type is exactly "pure".
  void put_le(std::ostream& os) const;

 private:
  std::string type_;
  std::string name_;
  friend bool operator==(const gal_declaration_variables&, const gal_declaration_variables&);
  friend bool operator<(const gal_declaration_variables&, const gal_declaration_variables&);
};
bool operator==(const gal_declaration_variables& a, const gal_declaration_variables& b);
bool operator!=(const gal_declaration_variables& a, const gal_declaration_variables& b);
// By name, then by type.
bool operator<(const gal_declaration_variables& a, const gal_declaration_variables& b);
// Writes name, " : ", type.
std::ostream& operator<<(std::ostream& os, const gal_declaration_variables& v);

// A typed constant: type, optional name and value text. Strings default to "?".
class gal_declaration_constants {
 public:
  gal_declaration_constants();
  gal_declaration_constants(const std::string& type, const std::string& name,
                            const std::string& value);
  // The reader's form: copies the three pointed-to strings.
  gal_declaration_constants(std::string* type, std::string* name, std::string* value);
  gal_declaration_constants(const gal_declaration_constants&) = default;
  gal_declaration_constants& operator=(const gal_declaration_constants&) = default;
  ~gal_declaration_constants() = default;

  std::string typev() const;
  std::string name() const;
  std::string value() const;
  void typev(const std::string& t);
  void name(const std::string& n);
  void value(const std::string& v);

  // Writes type, " ", name, " ", then the value between double quotes.
  void put_gal(std::ostream& os) const;
  // Light Esterel declaration text (see the source for its shapes).
  void put_le(std::ostream& os) const;

 private:
  std::string type_;
  std::string name_;
  std::string value_;
};
bool operator==(const gal_declaration_constants& a, const gal_declaration_constants& b);
bool operator!=(const gal_declaration_constants& a, const gal_declaration_constants& b);
// Writes type, " ", name, "= ", the quoted value and a blank.
std::ostream& operator<<(std::ostream& os, const gal_declaration_constants& c);

// A function signature: name, result type and argument types.
class gal_declaration_functions {
 public:
  gal_declaration_functions();
  // The FIRST string is the result type, the SECOND the name.
  gal_declaration_functions(const std::string& result, const std::string& name,
                            const std::list<std::string>& arguments);
  // The reader's form, same order.
  gal_declaration_functions(std::string* result, std::string* name,
                            std::list<std::string>* arguments);
  gal_declaration_functions(const gal_declaration_functions&) = default;
  gal_declaration_functions& operator=(const gal_declaration_functions&) = default;
  ~gal_declaration_functions() = default;

  std::string name() const;
  std::string result() const;
  std::list<std::string> arguments() const;
  void name(const std::string& n);
  void result(const std::string& r);
  void arguments(const std::list<std::string>& a);

  // Writes result, " ", name, "(", arguments joined by ",", ")".
  void put_gal(std::ostream& os) const;
  // Writes name, "(", arguments joined by ",", "): ", result.
  void put_strl5(std::ostream& os) const;

 private:
  std::string name_;
  std::string result_;
  std::list<std::string> arguments_;
};
bool operator==(const gal_declaration_functions& a, const gal_declaration_functions& b);
bool operator!=(const gal_declaration_functions& a, const gal_declaration_functions& b);
// Same text as put_gal.
std::ostream& operator<<(std::ostream& os, const gal_declaration_functions& f);

// A run: the external module that a macro-state runs.
class gal_declaration_progs {
 public:
  gal_declaration_progs();
  // The reader's form: copies all six pointed-to values.
  gal_declaration_progs(std::string* path, std::string* file, std::string* module,
                        std::list<gal_declaration_variables>* inputs,
                        std::list<gal_declaration_variables>* sensors,
                        std::list<gal_declaration_variables>* outputs);
  gal_declaration_progs(const std::string& path, const std::string& file, const std::string& module,
                        const std::list<gal_declaration_variables>& inputs,
                        const std::list<gal_declaration_variables>& sensors,
                        const std::list<gal_declaration_variables>& outputs);
  gal_declaration_progs(const gal_declaration_progs&) = default;
  gal_declaration_progs& operator=(const gal_declaration_progs&);
  gal_declaration_progs& operator=(gal_declaration_progs&);
  ~gal_declaration_progs() = default;

  std::string nom_module() const;
  std::string nom_fichier() const;
  std::string chemin() const;
  std::list<gal_declaration_variables> my_inputs_list() const;
  std::list<gal_declaration_variables> my_outputs_list() const;

  // One item of a GAL "Run:" section, as lines; a file or module name that
  // would read as a keyword with its colon gets a blank before it.
  void put_gal(std::ostream& os) const;
  // Writes the quoted path, ": ", file name, ": ", module name.
  void put_le(std::ostream& os) const;

 private:
  std::string module_;
  std::string file_;
  std::string path_;
  std::list<gal_declaration_variables> inputs_;
  std::list<gal_declaration_variables> sensors_;
  std::list<gal_declaration_variables> outputs_;
  friend bool operator==(const gal_declaration_progs&, const gal_declaration_progs&);
};
// Compares path, file name and module name only, not the variable lists.
bool operator==(const gal_declaration_progs& a, const gal_declaration_progs& b);
bool operator!=(const gal_declaration_progs& a, const gal_declaration_progs& b);
// Writes path, ": ", file name, ": ", module name.
std::ostream& operator<<(std::ostream& os, const gal_declaration_progs& p);

// A state's reference to a run: the run's index (-1 for none) and a renaming.
class gal_run_instance {
 public:
  gal_run_instance();
  gal_run_instance(int ident, const std::string& renomage);
  gal_run_instance(const gal_run_instance&) = default;
  gal_run_instance& operator=(const gal_run_instance&) = default;
  ~gal_run_instance() = default;

  int ident() const;
  std::string renomage() const;
  void ident(int i);
  void renomage(const std::string& r);

 private:
  int ident_;
  std::string renomage_;
};
bool operator==(const gal_run_instance& a, const gal_run_instance& b);
bool operator!=(const gal_run_instance& a, const gal_run_instance& b);
// Writes the index, " ", the renaming, " ".
std::ostream& operator<<(std::ostream& os, const gal_run_instance& r);

// ---------------------------------------------------------------------------
// States
// ---------------------------------------------------------------------------

// Returns a new name of 16 capital letters drawn from the model's own
// repeatable 15-bit generator; advances that generator by 16 draws.
std::string gal_norm_genere_nom();

// One state. Fields are public: the automaton file's operations read and
// write them directly.
class gal_tpen_etat {
 public:
  int type;                         // 1 normal ("NS"), 2 final ("FS")
  double posx;                      // centre x
  double posy;                      // centre y
  double diametre;                  // circle diameter
  std::string nom;                  // display name, may be empty
  std::string nom_genere;           // 16 capital letters drawn at creation
  std::list<int> transitions_post;  // outgoing transition indices
  std::list<int> transitions_pre;   // incoming transition indices
  gal_run_instance run;             // run reference, index -1 when none
  std::list<int> actions;           // action-table indices (Moore actions)

  gal_tpen_etat();
  // Copies the name, x, y and the run; copies *actions when not null.
  gal_tpen_etat(int type, std::string* name, double x, double y, const gal_run_instance& run,
                std::list<int>* actions);
  // The reader's form: x, y and the run through pointers (none may be null;
  // actions may be null).
  gal_tpen_etat(int type, std::string* name, double* x, double* y, gal_run_instance* run,
                std::list<int>* actions);
  gal_tpen_etat(const gal_tpen_etat&) = default;
  gal_tpen_etat& operator=(const gal_tpen_etat&) = default;
  gal_tpen_etat& operator=(gal_tpen_etat& other);
  ~gal_tpen_etat() = default;

  double ma_posx() const;
  double ma_posy() const;
  double mon_diametre() const;
  std::string mon_nom() const;
  // The display name when not empty, else the generated name.
  std::string un_nom() const;
  // "NS" for type 1, "FS" for type 2, "" otherwise.
  std::string convert_type() const;
  std::list<int> mes_actions() const;
  std::list<int> mes_transitions_post() const;
  std::list<int> mes_transitions_pre() const;
  int mon_ident_run() const;
  std::string mes_renomages_param_run() const;
  bool existe_action(int a) const;
  // True when table[a] == name for an action index a of the state, visited
  // in order; writes "ident= a" and table[a] on stderr for each visited
  // index. Indices outside 0..taille-1 are skipped.
  bool existe_action(const std::string* table, int taille, const std::string& name) const;

  void change_ma_posx(double x);
  void change_ma_posy(double y);
  void change_mon_diametre(double d);
  void replace_nom(const std::string& n);
  void add_action(int a);
  void efface_actions();
  // Rebuilds the action list in reverse order, old becoming new.
  void replace_action(int old_action, int new_action);
  // Rebuilds the action list in reverse order, each index plus d.
  void translate_ident_actions(int d);
  void translate_ident_run(int d);
  void add_post_transition(int t);
  void add_pre_transition(int t);
  void sup_post_transition(int t);
  void sup_pre_transition(int t);
  void clear_pre_post_transitions();

  // Writers of the automaton exporters (defined in exporters/). The model
  // gives the run and action tables, read through its checked accessors.
  // One GAL "Star:" item, without line end (the model is not read).
  void put_gal(std::ostream& os, gal_tpen_fichier& model) const;
  // One Light Esterel state line, without line end.
  void put_le(std::ostream& os, const gal_tpen_fichier& model) const;
  // The xfig objects of the state, each line ended.
  void put_xfig(std::ostream& os, const gal_tpen_fichier& model) const;
};
// True when type, x, y, display name, run or action list differ.
bool operator!=(const gal_tpen_etat& a, const gal_tpen_etat& b);
// Writes the state's debug line.
std::ostream& operator<<(std::ostream& os, const gal_tpen_etat& e);

// ---------------------------------------------------------------------------
// Transitions
// ---------------------------------------------------------------------------

class gal_tpen_transition {
 public:
  int type;                  // 0 weak, 1 strong, 2 suspend, 3 normal termination
  int priorite;              // smaller first, -1 last
  std::string receptivite;   // boolean condition over the inputs
  double posx;               // label x
  double posy;               // label y
  std::list<double> points;  // bend points, flat x1, y1, x2, y2 ...
  std::list<int> actions;    // action-table indices (Mealy actions)
  int amont;                 // source state, -1 for the initial transition
  int aval;                  // target state, -1 for a final transition

  gal_tpen_transition();
  // The boot-state form: strong, priority 0, empty receptivity.
  gal_tpen_transition(int source, int target, double x, double y);
  gal_tpen_transition(int source, int target, int type, const std::list<double>& points, double x,
                      double y);
  // The reader's form: every value through its pointer (none may be null).
  gal_tpen_transition(int source, int target, int type, std::list<double>* points, double* x,
                      double* y, int priority, std::string* receptivity, std::list<int>* actions);
  gal_tpen_transition(int source, int target, int type, double x, double y, int priority,
                      const std::string& receptivity, const std::list<int>& actions);
  gal_tpen_transition(const gal_tpen_transition&) = default;
  gal_tpen_transition& operator=(const gal_tpen_transition&) = default;
  gal_tpen_transition& operator=(gal_tpen_transition& other);
  ~gal_tpen_transition() = default;

  int mon_type_trans() const;
  int ma_priorite() const;
  std::string ma_receptivite() const;
  double posx_receptivite() const;
  double posy_receptivite() const;
  std::list<int> mes_actions() const;
  std::list<double> liste_positions() const;
  int mon_ident_etat_amont() const;
  int mon_ident_etat_aval() const;
  bool est_initiale() const;
  bool existe_action(int a) const;
  // True when table[a] == name for an action index a; indices outside
  // 0..taille-1 are skipped. Writes nothing.
  bool existe_action(const std::string* table, int taille, const std::string& name) const;
  // 1 when the receptivity holds "/", else 2 when its "(" and ")" counts
  // differ, else 0.
  int test_syntaxe_receptivite() const;
  double posxmax() const;
  double posymax() const;
  double posxmin() const;
  double posymin() const;

  void modif_type_trans(int t);
  void modif_priorite(int p);
  void modif_receptivite(const std::string& r);
  void modif_actions(const std::list<int>& a);
  void add_actions(const std::list<int>& a);
  void modif_ident_etat_amont(int s);
  void modif_ident_etat_aval(int s);
  void translate_ident_etats(int d);
  void translate_ident_actions(int d);
  void replace_action(int old_action, int new_action);
  void modif_coords_point(int n, double x, double y);
  void modif_coords_premier_point(double dx, double dy);
  void modif_coords_dernier_point(double dx, double dy);
  void modif_coords_condition(double x, double y);
  void translation_points(double dx, double dy);
  // Spreads the bend points and the label on the segment between the source
  // and target centres; nothing when either index is outside 0..nb_etats-1.
  void aligne_points(const gal_tpen_etat* states, int nb_etats);
  void add_point(double x, double y);

  // Writers of the automaton exporters (defined in exporters/).
  // One GAL "Transition:" item for the model kind, without line end.
  void put_gal(std::ostream& os, int model_kind) const;
  // One Light Esterel transition line, without line end; state names and
  // action texts come from the model's checked lookups.
  void put_le(std::ostream& os, const gal_tpen_fichier& model) const;
  // The xfig polyline and label, the label line left open.
  void put_xfig(std::ostream& os, const gal_tpen_fichier& model) const;
};

// True when the text holds "#", "<", ">", "<=", ">=", "==" or "!=".
bool data_LE_expression(const std::string& receptivity);
// Moves (*x, *y), a circle's centre, onto the circle of radius r towards
// (x2, y2).
void frontieres_corrections(double x2, double y2, double r, double* x, double* y);

// ---------------------------------------------------------------------------
// The automaton file
// ---------------------------------------------------------------------------

// Transition table read by compare_prio; set by sort_transitions_list.
extern gal_tpen_transition* table_transitions_prio;
// The less-than relation of the priority order on transition indices of
// table_transitions_prio: -1 after every other priority.
bool compare_prio(int a, int b);

class gal_tpen_fichier final {
 public:
  int nb_etats;
  gal_tpen_etat* table_etats;
  int nb_transitions;
  gal_tpen_transition* table_transitions;
  std::list<std::list<int>> composantes;  // weakly connected components
  int nb_types;
  int nb_inputs;
  int nb_outputs;
  int nb_locals;
  int nb_variables;
  int nb_sensors;
  int nb_progs;
  int nb_functions;
  int nb_constants;
  int nb_actions;
  std::string* table_types;
  gal_declaration_variables* table_inputs;
  gal_declaration_variables* table_outputs;
  gal_declaration_variables* table_locals;
  gal_declaration_variables* table_variables;
  gal_declaration_variables* table_sensors;
  gal_declaration_progs* table_progs;
  gal_declaration_functions* table_functions;
  gal_declaration_constants* table_constants;
  std::string* table_actions;
  std::string nom_module;
  int modele;     // -1 undefined, 0 basic, 1 parallel, 2 light esterel, 3 synccharts
  int encapsule;  // 0 or 1

  gal_tpen_fichier();
  // The reader's form: each list becomes its table (null when empty).
  gal_tpen_fichier(
      std::string* name, int model, std::list<std::string>* types,
      std::list<gal_declaration_variables>* inputs, std::list<gal_declaration_variables>* sensors,
      std::list<gal_declaration_variables>* outputs, std::list<gal_declaration_variables>* locals,
      std::list<gal_declaration_variables>* variables, std::list<gal_declaration_progs>* runs,
      std::list<gal_declaration_functions>* functions,
      std::list<gal_declaration_constants>* constants, std::list<std::string>* actions);
  gal_tpen_fichier(const gal_tpen_fichier&) = delete;
  gal_tpen_fichier& operator=(const gal_tpen_fichier&) = delete;
  ~gal_tpen_fichier();

  virtual void select_modele(int m);
  virtual int mon_modele();
  virtual void def_modele(int m);

  // Replace the state (transition) table by a copy of the list; return it.
  gal_tpen_etat* parse_etats(std::list<gal_tpen_etat>* etats);
  gal_tpen_transition* parse_transitions(std::list<gal_tpen_transition>* transitions);
  void set_encapsulation();
  int encapsulated() const;

  std::string mon_nom_module() const;
  void def_nom_module(const std::string& n);

  // Declaration tables. Accessors by index report a bad index on stderr
  // (two lines) and return "?".
  int nbr_types() const;
  std::string* ma_table_types();
  int nbr_inputs() const;
  std::string nom_input(int i) const;
  std::string type_input(int i) const;
  gal_declaration_variables* ma_table_inputs();
  std::set<std::string> ens_entrees(std::string type) const;
  int nbr_inputs_bool() const;
  int nbr_outputs() const;
  std::string nom_output(int i) const;
  std::string type_output(int i) const;
  gal_declaration_variables* ma_table_outputs() const;
  int ident_output(const std::string& name) const;
  int ident_output(const char* name) const;
  int nbr_locals() const;
  std::string nom_local(int i) const;
  std::string type_local(int i) const;
  gal_declaration_variables* ma_table_locals() const;
  int ident_local(const std::string& name) const;
  int ident_local(const char* name) const;
  int nbr_progs_externes() const;
  std::string nom_module_prog_externe(int i) const;
  std::string nom_fichier_prog_externe(int i) const;
  std::string chemin_prog_externe(int i) const;
  gal_declaration_progs* ma_table_progs_externes() const;
  int nbr_actions() const;
  std::string action(int i) const;
  int ident_action(const std::string& text) const;
  std::string* ma_table_actions() const;

  // States and transitions.
  int nbr_etats() const;
  gal_tpen_etat* ma_table_etats();
  std::string nom_etat(int i) const;
  int ident_etat(const std::string& name) const;
  int nbr_actions(int i) const;
  int nbr_transitions() const;
  gal_tpen_transition* ma_table_transitions();
  std::string receptivite_transition(int i) const;

  // Structure operations.
  void update_simple_connexite();
  void raj_pre_post_transitions() { internal_raj_pre_post_transitions(); }
  void internal_raj_pre_post_transitions();
  void add_fin_etat(const gal_tpen_etat& e);
  void add_fin_transition(const gal_tpen_transition& t);
  void add_bootstate();
  void element_neutre_transitions(const std::string& name);
  std::list<int> sort_transitions_list(const std::list<int>& indices);
  std::list<int> liste_etats_puits() const;
  void normalise_diametre_etats();
  void homogenise_boucles_etat(int s);

  // Determinism and completeness checks.
  int test_determinisme(std::string& report);
  int test_determinisme_avec_auto_completion();
  int expression_valide(const std::string& expression) const;
  void construction_awaits_triggers(bddpp_manager* manager, bdd* guards, long* input_vars,
                                    std::set<int>* awaited_true, std::set<int>* awaited_false,
                                    std::set<std::set<int>>* implicants,
                                    std::set<int>* true_triggers, std::set<int>* false_triggers,
                                    int* tick_triggers);

  // Drawing extents.
  double largueur_max() const;
  double hauteur_max() const;
  int nombre_SC() const;
  std::list<int> SC_liste_etats(int k) const;
  std::list<double> SC_xmax() const;
  std::list<double> SC_ymax() const;
  std::list<double> SC_xmin() const;
  std::list<double> SC_ymin() const;

  // Edits.
  void add_fin_input(const gal_declaration_variables& v);
  void add_fin_local(const gal_declaration_variables& v);
  void add_fin_output(const gal_declaration_variables& v);
  void add_fin_action(const std::string& a);
  void add_fin_progs_externes(const gal_declaration_progs& p);
  void add_type(const char* t);
  void add_type(const std::string& t);
  int ident_et_add_prog_externe(const std::string& module);
  void efface_table_inputs();
  void efface_table_locals();
  void sup_etat(int s);
  void sup_transition(int t);
  void sup_output(int o);
  void sup_action(int a);
  void replace_transition(int t, const gal_tpen_transition& r);
  void replace_action(int old_action, int new_action);
  void internal_raj_actions();
  void clear();

  // Exporters (defined in exporters/): each writes the named file, created
  // or emptied, with the given module name.
  void put_gal(const std::string& file, const std::string& module);
  void put_le(const std::string& file, const std::string& module);
  void put_strl5(const std::string& file, const std::string& module);
  // The Esterel loop of state `state` in component `component`; `module`
  // names the termination signals.
  void put_strl5_handling_star(std::fstream& os, int state, int component,
                               const std::string& module);
  // The drawing; the module name is not used.
  void put_xfig(const std::string& file, const std::string& module);
  // The French listing of the whole model.
  void put(std::ostream& os);
};

#endif  // KORVANE_MODEL_GAL_NORM_H
