// The Esterel v5 exporter: every weakly connected component becomes a
// constellation that declares one start signal per state and runs one loop
// per state in parallel; the constellations run inside a weak abort that
// ends when each has emitted its termination signal.
#include <fstream>
#include <iostream>
#include <vector>

#include "exporters/exporters_internal.h"
#include "exporters/exporters.h"
#include "utilities/Stringpp.h"

using exporters_internal::checked_state;
using exporters_internal::show_exporter_warning;
using exporters_internal::state_name;

namespace {

const char kNoInitialOne[] =
    "WARNING: No initial transition found!\n\nEsterel code generation will be incomplete ...";
const char kNoInitialSeveral[] =
    "WARNING: No initial transition found about one of synccharts at least!\n\n"
    "Esterel code generation will be incomplete ...";

// The termination signal of component j.
std::string termination(const std::string& module, int j) {
  return module + "_ctl" + std::to_string(j) + "_terminate";
}

// True when the model kind declares `type` itself.
bool predefined_type(int kind, const std::string& type) {
  if (kind == 3) {
    return type == "boolean" || type == "integer" || type == "float" || type == "double" ||
           type == "string";
  }
  if (kind == 0 || kind == 1) return type == "bool";
  return false;
}

// Writes the interface signals one per line with their types (none for
// "pure", nor for "bool" in models 0 and 1), each but the last followed by
// ",", then the line ";".
void put_interface(std::ostream& os, const char* keyword, const gal_declaration_variables* table,
                   int count, int kind) {
  if (count == 0) return;
  os << keyword << std::endl;
  for (int i = 0; i < count; ++i) {
    const std::string type = table[i].typev();
    os << table[i].nom();
    if (type != "pure" && !(type == "bool" && (kind == 0 || kind == 1))) os << ": " << type;
    if (i + 1 < count) os << ",";
    os << std::endl;
  }
  os << ";" << std::endl;
}

// Writes the case of one leaving transition: its condition, its actions,
// then the start signal of its target, or for a final transition the
// component's termination signal.
void put_case(std::ostream& os, const gal_tpen_fichier& m, const gal_tpen_transition& t,
              const std::string& end_signal) {
  os << "             case " << strl5_recept(t.receptivite) << " do" << std::endl;
  for (int a : t.actions) os << "             emit " << m.action(a) << ";" << std::endl;
  if (t.aval == -1) {
    os << "             emit " << end_signal << std::endl;
  } else {
    os << "             emit start_" << state_name(m, t.aval) << std::endl;
  }
}

}  // namespace

std::string strl5_recept(const std::string& receptivity) {
  std::string text = substitute_string(receptivity, "#", "immediate ");
  const int open = find(text, "<");
  const int close = find(text, ">");
  if (open != -1 && close != -1 && open < close) text = my_after(text, close + 1);
  text = cancel_begin_end_spaces(text);
  if (contains(text, " or ") || contains(text, " OR ") || contains(text, " and ") ||
      contains(text, " AND ") || contains(text, "not ") || contains(text, "NOT ")) {
    text = "[" + text + "]";
  }
  if (text == "1") return "tick";
  return text;
}

void gal_tpen_fichier::put_strl5_handling_star(std::fstream& os, int state, int component,
                                               const std::string& module) {
  const gal_tpen_etat* s = checked_state(*this, state);
  if (s == nullptr) return;
  const int kind = mon_modele();
  const std::string end_signal = termination(module, component);
  const std::string name = s->un_nom();

  std::list<int> strong, weak, ending, suspension;
  for (int i = 0; i < nb_transitions; ++i) {
    const gal_tpen_transition& t = table_transitions[i];
    if (t.amont == state) {
      if (t.type == 1 || (t.type == 0 && kind != 3)) strong.push_back(i);
      if (t.type == 0 && kind == 3) weak.push_back(i);
      if (t.type == 3) ending.push_back(i);
    }
    if (t.aval == state && t.type == 2) suspension.push_back(i);
  }
  strong = sort_transitions_list(strong);
  weak = sort_transitions_list(weak);
  ending = sort_transitions_list(ending);

  const bool has_run = s->run.ident() != -1;
  const bool is_final = s->type == 2;
  const std::list<int>& actions = s->actions;

  os << "    loop" << std::endl;
  os << "      [" << std::endl;
  os << "        % handling star " << name << std::endl;
  os << "        present start_" << name << " then" << std::endl;
  if (!strong.empty()) os << "          abort" << std::endl;
  if (!weak.empty()) os << "          weak abort" << std::endl;
  if (!actions.empty() || is_final) {
    for (std::size_t k = 0; k < suspension.size(); ++k) os << "             suspend" << std::endl;
    os << "               loop" << std::endl;
    bool first = true;
    for (int a : actions) {
      if (!first) os << "             ;" << std::endl;
      first = false;
      os << "                   emit " << action(a) << std::endl;
    }
    if (is_final) {
      if (!actions.empty()) os << "             ;" << std::endl;
      os << "             emit " << end_signal << std::endl;
    }
    os << "               each tick" << std::endl;
    for (int t : suspension) {
      os << "             when immediate " << strl5_recept(table_transitions[t].receptivite)
         << std::endl;
    }
    if (has_run) os << "               ||" << std::endl;
  }
  if (has_run) {
    for (std::size_t k = 0; k < suspension.size(); ++k) os << "          suspend" << std::endl;
    os << "            run " << nom_module_prog_externe(s->run.ident());
    if (!s->run.renomage().empty()) os << "[signal " << s->run.renomage() << "]";
    os << std::endl;
    for (int t : suspension) {
      os << "          when immediate " << strl5_recept(table_transitions[t].receptivite)
         << std::endl;
    }
  }
  if (!has_run && actions.empty() && !is_final) os << "          halt" << std::endl;
  if (ending.size() == 1) {
    const gal_tpen_transition& t = table_transitions[ending.front()];
    os << "          ;" << std::endl;
    for (int a : t.actions) os << "             emit " << action(a) << ";" << std::endl;
    if (t.aval == -1) {
      os << "             emit " << end_signal << std::endl;
    } else {
      os << "             emit start_" << state_name(*this, t.aval) << std::endl;
    }
  }
  if (!weak.empty()) {
    os << "          when" << std::endl;
    for (int t : weak) put_case(os, *this, table_transitions[t], end_signal);
    os << "          end weak abort" << std::endl;
  }
  if (!strong.empty()) {
    os << "          when" << std::endl;
    for (int t : strong) put_case(os, *this, table_transitions[t], end_signal);
    os << "          end abort" << std::endl;
  }
  os << "        else" << std::endl;
  os << "          pause" << std::endl;
  os << "        end present" << std::endl;
  os << "        ||" << std::endl;
  os << "        pause" << std::endl;
  os << "      ]" << std::endl;
  os << "    end loop" << std::endl;
}

void gal_tpen_fichier::put_strl5(const std::string& file, const std::string& module) {
  std::fstream os(file, std::ios::out | std::ios::trunc);
  const int kind = mon_modele();
  std::vector<std::string> types;
  for (int i = 0; i < nb_types; ++i)
    if (!predefined_type(kind, table_types[i])) types.push_back(table_types[i]);

  os << "module " << module << " : " << std::endl;
  if (!types.empty() || nb_functions > 0 || nb_constants > 0) {
    if (!types.empty()) {
      os << "type ";
      for (std::size_t i = 0; i < types.size(); ++i) os << (i > 0 ? ", " : "") << types[i];
      os << ";" << std::endl;
    }
    if (nb_functions > 0) {
      os << "function" << std::endl;
      for (int i = 0; i < nb_functions; ++i) {
        table_functions[i].put_strl5(os);
        os << (i + 1 < nb_functions ? ", " : ";") << std::endl;
      }
    }
    if (nb_constants > 0) {
      os << "Constant" << std::endl;
      for (int i = 0; i < nb_constants; ++i) {
        os << "  ";
        table_constants[i].put_le(os);
        os << (i + 1 < nb_constants ? ", " : ";") << std::endl;
      }
    }
    os << std::endl;
  }
  put_interface(os, "input", table_inputs, nb_inputs, kind);
  put_interface(os, "output", table_outputs, nb_outputs, kind);

  const int components = static_cast<int>(composantes.size());
  const bool signal_block = nb_locals > 0 || components > 0;
  if (signal_block) {
    os << "signal " << std::endl;
    for (int i = 0; i < nb_locals; ++i) {
      os << table_locals[i].nom();
      if (table_locals[i].typev() != "pure") os << ": " << table_locals[i].typev();
      if (i + 1 < nb_locals) os << ",";
      os << std::endl;
    }
    for (int j = 0; j < components; ++j) {
      os << (nb_locals > 0 || j > 0 ? "  ," : "   ") << termination(module, j) << std::endl;
    }
    os << "in " << std::endl;
  }
  if (components > 0) {
    os << "  weak abort" << std::endl;
    os << "  [" << std::endl;
    int j = 0;
    for (const std::list<int>& component : composantes) {
      if (j > 0) os << "   ||" << std::endl;
      os << "% constellation " << module << "_" << j << std::endl;
      bool first = true;
      for (int s : component) {
        os << (first ? "  signal start_" : "       , start_") << state_name(*this, s) << std::endl;
        first = false;
      }
      os << "         in" << std::endl;
      bool emitted = false;
      for (int i = 0; i < nb_transitions; ++i) {
        const gal_tpen_transition& t = table_transitions[i];
        if (t.amont != -1 || (t.type != 0 && t.type != 1)) continue;
        for (int s : component) {
          if (s != t.aval) continue;
          os << "    emit start_" << state_name(*this, s) << ";" << std::endl;
          for (int a : t.actions) os << "             emit " << action(a) << ";" << std::endl;
          emitted = true;
        }
      }
      if (!emitted) show_exporter_warning(components == 1 ? kNoInitialOne : kNoInitialSeveral);
      first = true;
      for (int s : component) {
        if (!first) os << "   ||" << std::endl;
        first = false;
        put_strl5_handling_star(os, s, j, module);
      }
      os << "  end signal" << std::endl;
      os << "% end constellation" << std::endl;
      os << std::endl;
      ++j;
    }
    os << "  ]" << std::endl;
    os << "  when [";
    for (int k = 0; k < components; ++k) os << (k > 0 ? " and " : "") << termination(module, k);
    os << "]" << std::endl;
  }
  if (signal_block) os << "end signal" << std::endl;
  os << "end module" << std::endl;
  os << std::endl;
  os.close();
}
