// The engine's own equation writers: a cover as an Esterel or a VHDL
// expression, and a two-level cover in PLA layout with a framing chosen by
// the caller (BLIF ".names" blocks, LEC tables with numbered variables).
#include <cstdlib>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

#include "bdd/bddpp.h"
#include "utilities/Stringpp.h"
#include "utilities/fatal.h"

// "tick" and "not tick" for the constants, else the cover with " or ",
// " and " and "not ".
std::string bddpp_manager::Print_sop_to_ESTEREL_String(bdd f, int level) {
  if (f == Bdd_zero()) {
    return "not tick";
  }
  if (f == Bdd_one()) {
    return "tick";
  }
  return Print_sop_to_String_pref_suff(" or ", " and ", "not ", "", f, "", "", level);
}

// "'0'" and "'1'" for the constants, else the cover with ") or (", " and "
// and "not ", bracketed when it has two products or more.
std::string bddpp_manager::Print_sop_to_VHDL_String(bdd f, int level) {
  if (f == Bdd_zero()) {
    return "'0'";
  }
  if (f == Bdd_one()) {
    return "'1'";
  }
  const std::string s =
      Print_sop_to_String_pref_suff(") or (", " and ", "not ", "", f, "", "", level);
  if (contains(s, ") or (")) {
    return "(" + s + ")";
  }
  return s;
}

namespace {

// The seven strings that frame one PLA cover.
struct pla_framing {
  const std::string& name_prefix;
  const std::string& name_suffix;
  const std::string& header;
  const std::string& output_end;
  const std::string& product_sep;
  const std::string& last_end;
  const std::string& literal_sep;
};

// Writes the cover of g as that of the output: the header line with the
// variables g depends on and the output, then one row per product ("1", "0"
// or "-" per variable, then " 1"), or a single "0"/"1" row when g depends on
// no variable. input_label gives the text of the variable at a level.
// A cover of 1,000,000 products or more ends the process (status 1) before
// anything is written.
template <typename Label>
void pla_print(bddpp_manager* m, std::ostream& os, const std::string& output_label, bdd g,
               const pla_framing& fr, int level, Label input_label) {
  const long nvars = m->Nb_bdd_vars();
  std::vector<int> present(static_cast<std::size_t>(nvars) + 1, 0);
  std::vector<int> literals(static_cast<std::size_t>(nvars) + 1, 2);
  m->Present_variables(g, present.data());
  std::vector<bdd> products;
  const int n = m->Bdd_sop(g, products, level);
  if (n >= bddpp_manager::product_limit) {
    std::cerr << "internal error in void bdd_manager::PLA_print...(ostream &, bdd)" << std::endl;
    std::cerr << " product term number exceded limit" << std::endl;
    korvane_fatal_exit(1);
  }
  bool depends = false;
  os << fr.header;
  for (long l = 0; l < nvars; ++l) {
    if (present[static_cast<std::size_t>(l)] == 1) {
      depends = true;
      os << fr.name_prefix << input_label(l) << fr.name_suffix << " ";
    }
  }
  os << fr.name_prefix << output_label << fr.name_suffix << fr.output_end;
  if (!depends) {
    os << (g == m->Bdd_zero() ? "0" : "1") << fr.last_end;
    return;
  }
  for (int i = 0; i < n; ++i) {
    m->Bdd_to_literals(products[static_cast<std::size_t>(i)], literals.data());
    for (long l = 0; l < nvars; ++l) {
      if (present[static_cast<std::size_t>(l)] != 1) {
        continue;
      }
      const int lit = literals[static_cast<std::size_t>(l)];
      os << (lit == 1 ? "1" : lit == 0 ? "0" : "-") << fr.literal_sep;
    }
    os << " 1" << (i + 1 < n ? fr.product_sep : fr.last_end);
  }
}

}  // namespace

// Writes the cover of g as that of the output variable y, variables by name.
void bddpp_manager::PLA_print_pref_suff(std::ostream& os, bdd y, bdd g,
                                        const std::string& name_prefix,
                                        const std::string& name_suffix, const std::string& header,
                                        const std::string& output_end,
                                        const std::string& product_sep, const std::string& last_end,
                                        const std::string& literal_sep, int level) {
  const pla_framing fr{name_prefix, name_suffix, header,     output_end,
                       product_sep, last_end,    literal_sep};
  pla_print(this, os, Name_var_by_bdd(y), g, fr, level,
            [this](long l) { return Name_var_by_index(l); });
}

// As PLA_print_pref_suff with every variable written as its entry of the
// number table; a constant output is written as its value, "0" or "1".
void bddpp_manager::PLA_print_pref_suff_with_renaming(
    std::ostream& os, bdd y, bdd g, const std::string& name_prefix, const std::string& name_suffix,
    const std::string& header, const std::string& output_end, const std::string& product_sep,
    const std::string& last_end, const std::string& literal_sep, int level, long* numbers) {
  const pla_framing fr{name_prefix, name_suffix, header,     output_end,
                       product_sep, last_end,    literal_sep};
  std::string output_label;
  const long output_level = Bdd_if_index(y);
  if (output_level >= 0) {
    output_label = std::to_string(numbers[output_level]);
  } else if (output_level == -1) {
    output_label = y.link_type() == 1 ? "1" : "0";
  }
  pla_print(this, os, output_label, g, fr, level,
            [numbers](long l) { return std::to_string(numbers[l]); });
}

// The cover of g as a BLIF ".names" block for the output y.
void bddpp_manager::BLIF_print(std::ostream& os, bdd y, bdd g, int level) {
  PLA_print_pref_suff(os, y, g, "", "", ".names  ", "\n", "\n", "\n", "", level);
}

// The cover of g as a LEC table for the output y, variables numbered by the
// table.
void bddpp_manager::LEC_print(std::ostream& os, long* numbers, bdd y, bdd g, int level) {
  PLA_print_pref_suff_with_renaming(os, y, g, "", "", "", ":\n", ",\n", ";\n", " ", level, numbers);
}
