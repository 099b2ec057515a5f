// Help texts and version message of the command line.
#include "driver/help_texts.h"

#include "driver/version.h"

namespace {

// Joins the lines with one "\n" between two lines and none after the last.
std::string join_lines(const char* const* lines, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  return text;
}

// The French help, one entry per line (the first line is empty).
const char* const french_lines[] = {
    "",
    "        KORVANE: generateur d'automate implicite booleen",
    ("        auteur R. Morlant, version " KORVANE_VERSION_TEXT),
    "",
    "   syntaxe:",
    "",
    "         korvane <nom_fichier> [-0x] [-awaited] [-bootstate] [-backtrack]",
    "                            [-sc] [-bac] [-lustre] [-esterel]",
    "                            [-blif] [-le] [-vhdl] [-altera] [-c] [-cs]",
    "                            [-doc] [-latex]",
    "",
    "         OU korvane -v",
    "",
    "         OU korvane -h",
    "",
    "         OU korvane -aide",
    "",
    "   options:",
    "",
    "      -aide : cette aide",
    "",
    "      -h : cette aide ... in English",
    "",
    "      -v : version du generateur",
    "",
    "      -Ox : niveau d'optimisation du code genere",
    "            (x=0: sans, x=2: meilleur)",
    "",
    "      -awaited : exporte les signaux d'entrees attendus en tant que sorties",
    "",
    "      -bootstate : ajoute un nouvel etat initial (implicite dans le mode -awaited)",
    "",
    "      -backtrack : exporte l'etat precedent en tant que sorties",
    "",
    "      -ne <element-neutre> : nom de l'element neutre",
    "",
    "      -bac : genere un fichier ba d'equations booleennes pour l'analyseur BAC",
    "",
    "      -sc : genere un fichier sc causal d'equations booleennes",
    "            pour reintegrer la chaine de compilation Esterel",
    "",
    "      -lustre : genere un noeud LUSTRE de comportement equivalent",
    "",
    "      -esterel : genere un module ESTEREL de comportement equivalent",
    "",
    "      -blif : genere un fichier au format blif",
    "",
    "      -le : genere un fichier au format LIGHT_ESTEREL",
    "",
    "      -vhdl : genere un fichier d'equations booleennes au format vhdl",
    "",
    "      -altera : genere un fichier d'equations booleennes au format vhdl",
    "                pour la famille ALTERA",
    "",
    "      -c : genere l'automate en langage c",
    "           un fichier d'entete .h est aussi genere",
    "",
    "      -cs : genere l'automate en langage C_Sharp (C#)",
    "",
    "      -doc : genere un fichier de documentation",
    "",
    "      -latex : genere un fichier de documentation au format latex",
};

// The English help, one entry per line. Lines 22 and 37 end with a blank.
const char* const english_lines[] = {
    "",
    "        KORVANE: implicite boolean automaton generator",
    ("        author R. Morlant, version " KORVANE_VERSION_TEXT),
    "",
    "   syntax:",
    "",
    "         korvane <filename> [-0x] [-awaited] [-bootstate] [-backtrack]",
    "                            [-sc] [-bac] [-lustre] [-esterel]",
    "                            [-blif] [-le] [-vhdl] [-altera] [-c] [-cs]",
    "                            [-doc] [-latex]",
    "",
    "         OR korvane -v",
    "",
    "         OR korvane -h",
    "",
    "         OR korvane -aide",
    "",
    "   options:",
    "",
    "      -h : this help",
    "",
    "      -aide : this help ... en Fran"
    "\xC3\xA7"
    "ais ",
    "",
    "      -v : generator version",
    "",
    "      -Ox : optimisation level of the generated code",
    "            (x=0: no, x=2: better)",
    "",
    "      -awaited : export the awaited input signals as outputs",
    "",
    "      -bootstate : add a new initial state (implicit in -awaited mode)",
    "",
    "      -backtrack : export the previous state as outputs",
    "",
    "      -ne <neutral element> : name of the neutral element",
    "",
    "      -bac : generate a ba file of boolean equations for the BAC checker ",
    "",
    "      -sc : generate a sc file of causal boolean equations",
    "            to re-integrate the Esterel compilation chain",
    "",
    "      -lustre : generate a LUSTRE node with an equivalent behavior",
    "",
    "      -esterel : generate an ESTEREL module with an equivalent behavior",
    "",
    "      -blif : generate a file in blif format",
    "",
    "      -le : generate a LIGHT_ESTEREL file with an equivalent behavior",
    "",
    "      -vhdl : generate a vhdl file with an equivalent behavior",
    "",
    "      -altera : generate a vhdl file with an equivalent behavior",
    "                for the ALTERA family tools",
    "",
    "      -c : generate the automaton in C language",
    "           an header file .h is already generated",
    "",
    "      -cs : generate the automaton in C_Sharp language  (C#)",
    "",
    "      -doc : generate a documentation file",
    "",
    "      -latex : generate a documentation file in the latex format",
};

const int line_count = sizeof(french_lines) / sizeof(french_lines[0]);
static_assert(sizeof(english_lines) == sizeof(french_lines),
              "the two help texts have the same number of lines");

}  // namespace

std::string korvane_help_text_french() { return join_lines(french_lines, line_count); }

std::string korvane_help_text_english() { return join_lines(english_lines, line_count); }

std::string korvane_version_message() {
  return std::string("korvane : implicite boolean automaton generator version  ") +
         KORVANE_VERSION_TEXT;
}
