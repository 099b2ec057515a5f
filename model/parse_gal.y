/* Grammar of GAL automaton text, with the actions that build the automaton
   model and write the reader's trace: one line per reduced rule, into the
   trace stream of the parse context `pgal_parser`.

   The rules are numbered in the order written here, rule 1 being the
   parser's own start rule ($accept: synccharts $end); the trace prints its
   own number pairs. Tokens carry no value: a rule that needs a token's text
   reads the scanner's YYText() when it is reduced, which always happens
   right after the token is shifted (such rules are reduced without reading
   ahead). Every value is a new object; an action deletes what it consumes,
   and the %destructor clauses free what a rejected parse leaves on the
   stacks. */

%define api.pure full
%define api.prefix {gal}
%define parse.error verbose
%expect 0

%code requires {
#include <list>
#include <string>

#include "model/gal_norm.h"
}

%code {
#include <climits>
#include <cstddef>
#include <iostream>

#include "model/parse_gal_internal.h"
#include "utilities/Stringpp.h"

int gallex(GALSTYPE* value);

// The texts of the "From:" and "To:" numbers of each transition, kept by
// parse_gal.cpp so that a message quotes a number as it was written. A
// transition is given with the count of its own numbers (the `ident`s of
// its rule, actions included), the last ones noted; its "From:" is the
// first of them.
void gal_note_ident_text(const char* texte);
void gal_note_transition_ends(int from, int to, std::size_t numbers);
void gal_forget_ident_texts();

namespace {

// Writes the trace line of the rule being reduced.
void trace_regle(int a, int b, const char* texte) {
  gal_debuger_law(a, b, texte, pgal_parser->debug, *pgal_parser->log);
}

// Returns the text of the token just shifted.
const char* texte_jeton() { return pgal_parser->lexer->YYText(); }

// Returns the value of a NUMBER token's text (an optional '-' and decimal
// digits), saturated to the int range instead of overflowing.
int lit_entier(const char* texte) {
  bool negatif = (*texte == '-');
  if (negatif) ++texte;
  long long v = 0;
  for (; *texte >= '0' && *texte <= '9'; ++texte) {
    v = v * 10 + (*texte - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) {
      v = static_cast<long long>(INT_MAX) + 1;
    }
  }
  if (negatif) return static_cast<int>(-v);
  return v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

// Returns the text of a STRING token without its double quotes.
std::string* sans_guillemets(const char* texte) {
  return new std::string(substitute_char(std::string(texte), '"', std::string()));
}

}  // namespace
}

%union {
  int entier;
  std::string* texte;
  double* reel;
  std::list<std::string>* textes;
  std::list<int>* entiers;
  std::list<double>* reels;
  gal_declaration_variables* variable;
  std::list<gal_declaration_variables>* variables;
  gal_declaration_progs* run;
  std::list<gal_declaration_progs>* runs;
  gal_declaration_functions* fonction;
  std::list<gal_declaration_functions>* fonctions;
  gal_declaration_constants* constante;
  std::list<gal_declaration_constants>* constantes;
  gal_run_instance* instance;
  gal_tpen_etat* etat;
  std::list<gal_tpen_etat>* etats;
  gal_tpen_transition* transition;
  std::list<gal_tpen_transition>* transitions;
}

/* The end of the input keeps its classic name in the messages. */
%token GAL_FIN 0 "$end"

/* Token codes, declared in code order: the "expecting" lists of the syntax
   error messages follow this order. */
%token BASIC_MODEL 258
%token PAR_AUTOMATA_MODEL 259
%token LIGHT_ESTEREL_MODEL 260
%token SYNCCHARTS_MODEL 261
%token N_S 262
%token F_S 263
%token DEUX_POINTS 264
%token VIRGULE 265
%token POINT_VIRGULE 266
%token NAME 267
%token TYPE 268
%token INPUT 269
%token SENSOR 270
%token OUTPUT 271
%token LOCAL 272
%token VARIABLE 273
%token RUN 274
%token FUNCTION 275
%token CONSTANT 276
%token ACTION 277
%token STAR 278
%token TRANSITION 279
%token ENCAPSULATION 280
%token TO 281
%token FROM 282
%token BY 283
%token SLASH 284
%token PAR_OUVRANTE 285
%token PAR_FERMANTE 286
%token NUMBER 287
%token DNUMBER 288
%token WORD 289
%token STRING 290

%type <texte> nom_module mot identword typeinoutput chaine chaine_condition_recep nom_etat
%type <entier> modele type_etat ident action_associe
%type <textes> def_types liste_types def_actions liste_actions liste_mots
%type <variables> def_inputs def_sensors def_outputs def_locals def_variables liste_inoutput
%type <variable> inoutput
%type <runs> def_runs liste_runs
%type <run> run_entite
%type <fonctions> def_functions liste_functions
%type <fonction> function_entite
%type <constantes> def_constants liste_constants
%type <constante> constant_entite
%type <etats> liste_stars
%type <etat> star
%type <transitions> liste_transitions
%type <transition> transition
%type <reel> xpos_etat ypos_etat coord
%type <instance> instance_run
%type <entiers> l_actions_associes
%type <reels> liste_points

%destructor { delete $$; } <texte> <reel> <textes> <entiers> <reels> <variable> <variables>
%destructor { delete $$; } <run> <runs> <fonction> <fonctions> <constante> <constantes>
%destructor { delete $$; } <instance> <etat> <etats> <transition> <transitions>

%start synccharts

%%

/* 2 */
synccharts
  : entete corps
    {
      trace_regle(1, 1, "synccharts cree");
      gal_tpen_fichier* f = pgal_parser->fichier;
      f->normalise_diametre_etats();
      f->update_simple_connexite();
      f->raj_pre_post_transitions();
    }
  ;

/* 3, 4, 5 */
entete
  : NAME nom_module DEUX_POINTS modele POINT_VIRGULE def_types def_inputs def_sensors
    def_outputs def_locals def_variables def_runs def_functions def_constants def_actions
    {
      trace_regle(2, 1, "entete et table bdd cree");
      pgal_parser->fichier = new gal_tpen_fichier($2, $4, $6, $7, $8, $9, $10, $11, $12,
                                                  $13, $14, $15);
      delete $2; delete $6; delete $7; delete $8; delete $9; delete $10; delete $11;
      delete $12; delete $13; delete $14; delete $15;
    }
  | NAME nom_module DEUX_POINTS modele POINT_VIRGULE def_types def_inputs def_sensors
    def_outputs def_locals def_variables def_runs def_functions def_constants
    {
      trace_regle(2, 2, "entete et table bdd cree syntaxe anterieure a 1.3.0");
      std::cerr << "Construction de la table des actions a partir de celle des outputs..."
                << std::endl;
      std::list<std::string> actions;
      for (const gal_declaration_variables& o : *$9) actions.push_back(o.nom());
      pgal_parser->fichier = new gal_tpen_fichier($2, $4, $6, $7, $8, $9, $10, $11, $12,
                                                  $13, $14, &actions);
      delete $2; delete $6; delete $7; delete $8; delete $9; delete $10; delete $11;
      delete $12; delete $13; delete $14;
    }
  | NAME nom_module DEUX_POINTS modele POINT_VIRGULE def_inputs def_outputs def_locals
    def_runs
    {
      trace_regle(2, 3, "entete et table bdd cree syntaxe V0");
      std::list<std::string> types, actions;
      std::list<gal_declaration_variables> sensors, variables;
      std::list<gal_declaration_functions> functions;
      std::list<gal_declaration_constants> constants;
      pgal_parser->fichier = new gal_tpen_fichier($2, $4, &types, $6, &sensors, $7, $8,
                                                  &variables, $9, &functions, &constants,
                                                  &actions);
      delete $2; delete $6; delete $7; delete $8; delete $9;
    }
  ;

/* 6 */
nom_module
  : mot { $$ = $1; }
  ;

/* 7 to 11 */
modele
  : NUMBER
    {
      trace_regle(3, 1, texte_jeton());
      int n = lit_entier(texte_jeton());
      $$ = (n > 0 && n < INT_MAX) ? n + 1 : n;
    }
  | BASIC_MODEL { trace_regle(3, 2, texte_jeton()); $$ = 0; }
  | PAR_AUTOMATA_MODEL { trace_regle(3, 3, texte_jeton()); $$ = 1; }
  | LIGHT_ESTEREL_MODEL { trace_regle(3, 4, texte_jeton()); $$ = 2; }
  | SYNCCHARTS_MODEL { trace_regle(3, 5, texte_jeton()); $$ = 3; }
  ;

/* 12 */
def_types
  : TYPE liste_types POINT_VIRGULE
    { trace_regle(4, 1, "definition de la liste des types"); $$ = $2; }
  ;

/* 13 */
def_inputs
  : INPUT liste_inoutput POINT_VIRGULE
    { trace_regle(4, 1, "definition de la liste des inputs"); $$ = $2; }
  ;

/* 14, 15, 16 */
liste_inoutput
  : %empty
    {
      trace_regle(5, 1, "liste inoutput vide");
      $$ = new std::list<gal_declaration_variables>;
    }
  | inoutput
    {
      trace_regle(5, 2, "liste inoutput a un element");
      $$ = new std::list<gal_declaration_variables>;
      $$->push_back(*$1);
      delete $1;
    }
  | liste_inoutput VIRGULE inoutput
    {
      trace_regle(5, 3, "ajoute inoutput liste");
      $1->push_back(*$3);
      delete $3;
      $$ = $1;
    }
  ;

/* 17 */
inoutput
  : identword DEUX_POINTS typeinoutput
    {
      trace_regle(6, 1, "input/output bool");
      $$ = new gal_declaration_variables($3, $1);
      delete $1; delete $3;
    }
  ;

/* 18, 19, 20 */
liste_types
  : %empty
    { trace_regle(5, 1, "liste types vide"); $$ = new std::list<std::string>; }
  | mot
    {
      trace_regle(5, 2, "liste types a un element");
      $$ = new std::list<std::string>;
      $$->push_back(*$1);
      delete $1;
    }
  | liste_types VIRGULE mot
    {
      trace_regle(5, 3, "ajoute type liste");
      $1->push_back(*$3);
      delete $3;
      $$ = $1;
    }
  ;

/* 21 */
identword
  : mot { $$ = $1; }
  ;

/* 22, 23 */
typeinoutput
  : mot { $$ = $1; }
  | %empty { $$ = new std::string; }
  ;

/* 24 */
mot
  : WORD { trace_regle(7, 1, texte_jeton()); $$ = new std::string(texte_jeton()); }
  ;

/* 25 */
def_sensors
  : SENSOR liste_inoutput POINT_VIRGULE
    { trace_regle(8, 1, "definition de la liste des sensors"); $$ = $2; }
  ;

/* 26 */
def_outputs
  : OUTPUT liste_inoutput POINT_VIRGULE
    { trace_regle(8, 1, "definition de la liste des outputs"); $$ = $2; }
  ;

/* 27 */
def_locals
  : LOCAL liste_inoutput POINT_VIRGULE
    { trace_regle(8, 1, "definition de la liste des locals"); $$ = $2; }
  ;

/* 28 */
def_variables
  : VARIABLE liste_inoutput POINT_VIRGULE
    { trace_regle(8, 1, "definition de la liste des variables"); $$ = $2; }
  ;

/* 29 */
def_runs
  : RUN liste_runs POINT_VIRGULE
    { trace_regle(9, 1, "definition de la liste des runs"); $$ = $2; }
  ;

/* 30, 31, 32 */
liste_runs
  : %empty
    { trace_regle(5, 1, "liste run vide"); $$ = new std::list<gal_declaration_progs>; }
  | run_entite
    {
      trace_regle(5, 2, "liste run a un element");
      $$ = new std::list<gal_declaration_progs>;
      $$->push_back(*$1);
      delete $1;
    }
  | liste_runs VIRGULE run_entite
    {
      trace_regle(5, 3, "ajoute run liste");
      $1->push_back(*$3);
      delete $3;
      $$ = $1;
    }
  ;

/* 33, 34, 35 */
run_entite
  : chaine DEUX_POINTS mot
    {
      trace_regle(6, 1, "creation d'un run (syntaxe desuette)");
      std::string fichier;
      std::string chemin = last_record(*$1, '/', fichier);
      std::list<gal_declaration_variables> aucune;
      $$ = new gal_declaration_progs(&chemin, &fichier, $3, &aucune, &aucune, &aucune);
      delete $1; delete $3;
    }
  | chaine DEUX_POINTS mot DEUX_POINTS mot
    {
      trace_regle(6, 2, "creation d'un run (syntaxe desuette)");
      std::list<gal_declaration_variables> aucune;
      $$ = new gal_declaration_progs($1, $3, $5, &aucune, &aucune, &aucune);
      delete $1; delete $3; delete $5;
    }
  | chaine DEUX_POINTS mot DEUX_POINTS mot DEUX_POINTS def_inputs def_sensors def_outputs
    {
      trace_regle(6, 2, "creation d'un run");
      $$ = new gal_declaration_progs($1, $3, $5, $7, $8, $9);
      delete $1; delete $3; delete $5; delete $7; delete $8; delete $9;
    }
  ;

/* 36 */
def_functions
  : FUNCTION liste_functions POINT_VIRGULE
    { trace_regle(9, 1, "definition de la liste des fonctions"); $$ = $2; }
  ;

/* 37, 38, 39 */
liste_functions
  : %empty
    {
      trace_regle(5, 1, "liste fonction vide");
      $$ = new std::list<gal_declaration_functions>;
    }
  | function_entite
    {
      trace_regle(5, 2, "liste fonction a un element");
      $$ = new std::list<gal_declaration_functions>;
      $$->push_back(*$1);
      delete $1;
    }
  | liste_functions VIRGULE function_entite
    {
      trace_regle(5, 3, "ajoute fonction liste");
      $1->push_back(*$3);
      delete $3;
      $$ = $1;
    }
  ;

/* 40 */
function_entite
  : mot mot PAR_OUVRANTE liste_mots PAR_FERMANTE
    {
      trace_regle(6, 1, "creation d'une fonction");
      $$ = new gal_declaration_functions($1, $2, $4);
      delete $1; delete $2; delete $4;
    }
  ;

/* 41 */
def_constants
  : CONSTANT liste_constants POINT_VIRGULE
    { trace_regle(9, 1, "definition de la liste des constantes"); $$ = $2; }
  ;

/* 42, 43, 44 */
liste_constants
  : %empty
    {
      trace_regle(5, 1, "liste constante vide");
      $$ = new std::list<gal_declaration_constants>;
    }
  | constant_entite
    {
      trace_regle(5, 2, "liste constante a un element");
      $$ = new std::list<gal_declaration_constants>;
      $$->push_back(*$1);
      delete $1;
    }
  | liste_constants VIRGULE constant_entite
    {
      trace_regle(5, 3, "ajoute constante liste");
      $1->push_back(*$3);
      delete $3;
      $$ = $1;
    }
  ;

/* 45, 46 */
constant_entite
  : mot mot chaine
    {
      trace_regle(6, 1, "creation d'une constante nommee");
      $$ = new gal_declaration_constants($1, $2, $3);
      delete $1; delete $2; delete $3;
    }
  | mot chaine
    {
      trace_regle(6, 2, "creation d'une constante");
      std::string sans_nom;
      $$ = new gal_declaration_constants($1, &sans_nom, $2);
      delete $1; delete $2;
    }
  ;

/* 47 */
def_actions
  : ACTION liste_actions POINT_VIRGULE
    { trace_regle(7, 1, "definition de la liste des actions"); $$ = $2; }
  ;

/* 48, 49, 50 */
liste_actions
  : %empty
    { trace_regle(8, 1, "liste action vide"); $$ = new std::list<std::string>; }
  | chaine
    {
      trace_regle(8, 2, "liste action a un element");
      $$ = new std::list<std::string>;
      $$->push_back(*$1);
      delete $1;
    }
  | liste_actions VIRGULE chaine
    {
      trace_regle(8, 3, "ajoute action liste");
      $1->push_back(*$3);
      delete $3;
      $$ = $1;
    }
  ;

/* 51, 52, 53 */
liste_mots
  : %empty
    { trace_regle(9, 1, "liste mots vide"); $$ = new std::list<std::string>; }
  | mot
    {
      trace_regle(9, 2, "liste mots a un element");
      $$ = new std::list<std::string>;
      $$->push_back(*$1);
      delete $1;
    }
  | liste_mots VIRGULE mot
    {
      trace_regle(9, 3, "ajoute mot liste");
      $1->push_back(*$3);
      delete $3;
      $$ = $1;
    }
  ;

/* 54 */
chaine
  : STRING { trace_regle(10, 1, texte_jeton()); $$ = sans_guillemets(texte_jeton()); }
  ;

/* 55, 56 */
corps
  : def_stars def_transitions { trace_regle(11, 1, "corps cree"); }
  | flag_encapsulation { trace_regle(11, 2, "mode encapsulation"); }
  ;

/* 57 */
def_stars
  : STAR liste_stars POINT_VIRGULE
    {
      trace_regle(12, 1, "definition table etat");
      pgal_parser->fichier->parse_etats($2);
      delete $2;
    }
  ;

/* 58, 59, 60 */
liste_stars
  : %empty
    { trace_regle(13, 1, "generation liste vide"); $$ = new std::list<gal_tpen_etat>; }
  | star
    {
      trace_regle(13, 2, "generation liste a un etat");
      $$ = new std::list<gal_tpen_etat>;
      $$->push_back(*$1);
      delete $1;
    }
  | liste_stars VIRGULE star
    {
      trace_regle(13, 3, "ajoute etat liste");
      $1->push_back(*$3);
      delete $3;
      $$ = $1;
    }
  ;

/* 61, 62 */
star
  : type_etat nom_etat xpos_etat ypos_etat DEUX_POINTS instance_run DEUX_POINTS
    l_actions_associes
    {
      trace_regle(14, 1, "genere etat");
      $$ = new gal_tpen_etat($1, $2, $3, $4, $6, $8);
      delete $2; delete $3; delete $4; delete $6; delete $8;
    }
  | type_etat nom_etat xpos_etat ypos_etat
    {
      trace_regle(14, 2, "genere etat");
      gal_run_instance aucun(-1, std::string());
      $$ = new gal_tpen_etat($1, $2, $3, $4, &aucun, nullptr);
      delete $2; delete $3; delete $4;
    }
  ;

/* 63 */
xpos_etat
  : coord { trace_regle(15, 1, texte_jeton()); $$ = $1; }
  ;

/* 64 */
ypos_etat
  : coord { trace_regle(16, 1, texte_jeton()); $$ = $1; }
  ;

/* 65, 66 */
type_etat
  : N_S { trace_regle(17, 2, "etat de type Normal Star"); $$ = 1; }
  | F_S { trace_regle(17, 3, "etat de type Final Star"); $$ = 2; }
  ;

/* 67 */
nom_etat
  : chaine { trace_regle(18, 1, "nom etat detecte"); $$ = $1; }
  ;

/* 68, 69 */
instance_run
  : ident
    {
      trace_regle(19, 1, "ident run");
      $$ = new gal_run_instance($1, std::string());
    }
  | ident chaine
    {
      trace_regle(19, 2, "ident run avec renommage");
      $$ = new gal_run_instance($1, *$2);
      delete $2;
    }
  ;

/* 70, 71 */
l_actions_associes
  : %empty
    {
      trace_regle(21, 1, "generation liste vide d'actions associee");
      $$ = new std::list<int>;
    }
  | l_actions_associes action_associe
    {
      trace_regle(21, 2, "ajoute action liste (actions associees)");
      $1->push_back($2);
      $$ = $1;
    }
  ;

/* 72 */
action_associe
  : ident { trace_regle(22, 1, "reconnaissance action associee"); $$ = $1; }
  ;

/* 73 */
def_transitions
  : TRANSITION liste_transitions POINT_VIRGULE
    {
      trace_regle(24, 1, "definition table transition");
      pgal_parser->fichier->parse_transitions($2);
      delete $2;
    }
  ;

/* 74, 75, 76 */
liste_transitions
  : %empty
    {
      trace_regle(25, 1, "generation liste de transition vide");
      gal_forget_ident_texts();
      $$ = new std::list<gal_tpen_transition>;
    }
  | transition
    {
      trace_regle(25, 2, "ajoute transition liste");
      $$ = new std::list<gal_tpen_transition>;
      $$->push_back(*$1);
      delete $1;
    }
  | liste_transitions VIRGULE transition
    {
      trace_regle(25, 3, "ajoute transition liste");
      $1->push_back(*$3);
      delete $3;
      $$ = $1;
    }
  ;

/* 77 to 80: "Type:" and the priority may be left out (type 0, priority 0). */
transition
  : FROM ident TO ident TYPE ident BY liste_points DEUX_POINTS coord coord ident
    chaine_condition_recep SLASH l_actions_associes
    {
      gal_note_transition_ends($2, $4, 4 + $15->size());
      trace_regle(26, 1, "genere transition avec receptivite");
      $$ = new gal_tpen_transition($2, $4, $6, $8, $10, $11, $12, $13, $15);
      delete $8; delete $10; delete $11; delete $13; delete $15;
    }
  | FROM ident TO ident BY liste_points DEUX_POINTS coord coord ident
    chaine_condition_recep SLASH l_actions_associes
    {
      gal_note_transition_ends($2, $4, 3 + $13->size());
      trace_regle(26, 2, "genere transition avec receptivite");
      $$ = new gal_tpen_transition($2, $4, 0, $6, $8, $9, $10, $11, $13);
      delete $6; delete $8; delete $9; delete $11; delete $13;
    }
  | FROM ident TO ident TYPE ident BY liste_points DEUX_POINTS coord coord
    chaine_condition_recep SLASH l_actions_associes
    {
      gal_note_transition_ends($2, $4, 3 + $14->size());
      trace_regle(26, 3, "genere transition avec receptivite (compatibilite)");
      $$ = new gal_tpen_transition($2, $4, $6, $8, $10, $11, 0, $12, $14);
      delete $8; delete $10; delete $11; delete $12; delete $14;
    }
  | FROM ident TO ident BY liste_points DEUX_POINTS coord coord
    chaine_condition_recep SLASH l_actions_associes
    {
      gal_note_transition_ends($2, $4, 2 + $12->size());
      trace_regle(26, 4, "genere transition avec receptivite (compatibilite)");
      $$ = new gal_tpen_transition($2, $4, 0, $6, $8, $9, 0, $10, $12);
      delete $6; delete $8; delete $9; delete $10; delete $12;
    }
  ;

/* 81 */
ident
  : NUMBER
    {
      trace_regle(28, 1, texte_jeton());
      gal_note_ident_text(texte_jeton());
      $$ = lit_entier(texte_jeton());
    }
  ;

/* 82 */
chaine_condition_recep
  : STRING { trace_regle(29, 1, texte_jeton()); $$ = sans_guillemets(texte_jeton()); }
  ;

/* 83, 84 */
liste_points
  : %empty { trace_regle(30, 1, "liste vide"); $$ = new std::list<double>; }
  | liste_points coord VIRGULE coord
    {
      trace_regle(30, 2, "ajout point liste points");
      $1->push_back(*$2);
      $1->push_back(*$4);
      delete $2; delete $4;
      $$ = $1;
    }
  ;

/* 85, 86 */
coord
  : NUMBER
    {
      trace_regle(31, 1, texte_jeton());
      $$ = new double(static_cast<double>(lit_entier(texte_jeton())));
    }
  | DNUMBER
    {
      trace_regle(31, 2, texte_jeton());
      $$ = new double(Stod(std::string(texte_jeton()), '.'));
    }
  ;

/* 87 */
flag_encapsulation
  : ENCAPSULATION POINT_VIRGULE
    {
      trace_regle(32, 1, "mode encapsulation");
      pgal_parser->fichier->set_encapsulation();
    }
  ;

%%

// The token function: the next token code of the context's scanner. Tokens
// carry no value.
int gallex(GALSTYPE* /* value */) {
  return pgal_parser->lexer->yylex();
}
