/* Grammar of receptivities: boolean expressions over the variables of a
   bddpp_manager, with an optional priority prefix "<" value ">".

   Built with GNU Bison's yacc.c skeleton and compiled as C++.  The parser is
   pure; its token function exp_bddlex and the rule actions reach the current
   parser object through the global pexp_bdd_parser, so one expression is
   parsed at a time.  Tokens are declared in the order in which the
   "expecting" lists of the syntax errors must name them; the end of the text
   is named $end.  The stacks start at 200 entries and stop at 10000, where the
   parse ends with "memory exhausted" and the result 2. */

%code requires {
class bdd;
}

%code provides {
/* Cuts the next token of the current parser object's text and returns its
   code; stores the token's text in the object.  The value is not written. */
int exp_bddlex(EXP_BDDSTYPE* value);
/* Writes msg and an end of line on the standard error stream. */
void exp_bdderror(const char* msg);
/* Runs the parse: 0 accepted, 1 rejected, 2 stacks exhausted. */
int exp_bddparse(void);
}

%code {
#include <iostream>
#include <string>

#include "bdd/bddpp.h"
#include "bdd/parse_exp_bdd.h"
#include "utilities/Stringpp.h"
}

%define api.pure full
%define api.prefix {exp_bdd}
%define parse.error verbose
%expect 0

%union {
  bdd* function;
  long value;
}

%token TOKEN_END 0 "$end"
%token TOKEN_STRING
%token TOKEN_ZERO
%token TOKEN_ONE
%token TOKEN_INF
%token TOKEN_SUP
%token TOKEN_PAR_OUVRANTE
%token TOKEN_OR
%token TOKEN_XOR
%token TOKEN_XNOR
%token TOKEN_PAR_FERMANTE
%token TOKEN_AND
%token TOKEN_NOT

%type <function> bdd_expression_gen bdd_expression bdd_terme bdd_facteur bdd_variable
%type <value> priorite valeur

/* Operands left on the stacks by a rejected or exhausted parse. */
%destructor { delete $$; } <function>

%start bdd_final

%%

bdd_final
  : bdd_expression_gen
      {
        /* The expression ends here: the rest of the text is not read. */
        delete pexp_bdd_parser->result;
        pexp_bdd_parser->result = $1;
        YYACCEPT;
      }
  ;

bdd_expression_gen
  : priorite bdd_expression
      {
        pexp_bdd_parser->priority = $1;
        $$ = $2;
      }
  ;

priorite
  : %empty
      { $$ = 0; }
  | TOKEN_INF valeur TOKEN_SUP
      { $$ = $2; }
  ;

valeur
  : TOKEN_ZERO
      {
        std::cerr << "parsing error in expression: \"0\" is not a correct priority value ..."
                  << std::endl;
        YYABORT;
      }
  | TOKEN_ONE
      { $$ = 1; }
  | TOKEN_STRING
      {
        /* Reduced without reading ahead: the token field holds this name. */
        const std::string& name = pexp_bdd_parser->token;
        if (name == "other" || name == "default") {
          $$ = -1;
        } else if (checkuint(name)) {
          $$ = Stol(name);
        } else {
          std::cerr << "parsing error in expression: name \"" << name
                    << "\" is not a correct priority value ..." << std::endl;
          YYABORT;
        }
      }
  ;

bdd_expression
  : bdd_expression TOKEN_OR bdd_terme
      {
        $$ = new bdd(pexp_bdd_parser->manager->Bdd_or(*$1, *$3));
        delete $1;
        delete $3;
      }
  | bdd_expression TOKEN_XOR bdd_terme
      {
        $$ = new bdd(pexp_bdd_parser->manager->Bdd_xor(*$1, *$3));
        delete $1;
        delete $3;
      }
  | bdd_expression TOKEN_XNOR bdd_terme
      {
        $$ = new bdd(pexp_bdd_parser->manager->Bdd_xnor(*$1, *$3));
        delete $1;
        delete $3;
      }
  | bdd_terme
      { $$ = $1; }
  ;

bdd_terme
  : bdd_terme TOKEN_AND bdd_facteur
      {
        $$ = new bdd(pexp_bdd_parser->manager->Bdd_and(*$1, *$3));
        delete $1;
        delete $3;
      }
  | bdd_facteur
      { $$ = $1; }
  ;

bdd_facteur
  : TOKEN_PAR_OUVRANTE bdd_expression TOKEN_PAR_FERMANTE
      { $$ = $2; }
  | TOKEN_NOT bdd_facteur
      {
        $$ = new bdd(pexp_bdd_parser->manager->Bdd_not(*$2));
        delete $2;
      }
  | bdd_variable
      { $$ = $1; }
  | TOKEN_ZERO
      { $$ = new bdd(pexp_bdd_parser->manager->Bdd_zero()); }
  | TOKEN_ONE
      { $$ = new bdd(pexp_bdd_parser->manager->Bdd_one()); }
  ;

bdd_variable
  : TOKEN_STRING
      {
        /* Reduced without reading ahead: the token field holds this name. */
        const std::string& name = pexp_bdd_parser->token;
        if (pexp_bdd_parser->manager->Index_var_by_name(name) == -1) {
          std::cerr << "parsing error in expression: name \"" << name
                    << "\" not identificated ..." << std::endl;
          YYABORT;
        }
        $$ = new bdd(pexp_bdd_parser->manager->Bdd_var_by_name(name));
      }
  ;

%%
