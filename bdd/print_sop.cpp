// Product and sum-of-products printers: a product or a cover of a diagram as
// text, with every piece of syntax chosen by the caller (separators, negation
// marks, text around each variable name). The only fixed texts are "0" and "1".
#include <ostream>
#include <string>
#include <vector>

#include "bdd/bddpp.h"
#include "utilities/Stringpp.h"

namespace {

// How one variable of a product is written.
struct literal_style {
  const char* name_prefix;
  const char* name_suffix;
  const std::string* array_name;  // when set: array_name[level] instead of the name
};

// The text of a product: "0", "1", or its literals in increasing level order
// joined by and_sep, a negated one wrapped in neg_prefix ... neg_suffix.
std::string product_text(bddpp_manager* m, const char* and_sep, const char* neg_prefix,
                         const char* neg_suffix, bdd product, const literal_style& style) {
  if (product == m->Bdd_zero()) {
    return "0";
  }
  if (product == m->Bdd_one()) {
    return "1";
  }
  const long n = m->Nb_bdd_vars();
  std::vector<int> literals(static_cast<std::size_t>(n) + 1, 2);
  m->Bdd_to_literals(product, literals.data());
  std::string text;
  bool first = true;
  for (long level = 0; level < n; ++level) {
    const int l = literals[static_cast<std::size_t>(level)];
    if (l == 2) {
      continue;
    }
    if (!first) {
      text += and_sep;
    }
    first = false;
    if (l == 0) {
      text += neg_prefix;
    }
    if (style.array_name != nullptr) {
      text += *style.array_name + "[" + unslong2S(static_cast<std::uint32_t>(level)) + "]";
    } else {
      text += style.name_prefix;
      text += m->Name_var_by_index(level);
      text += style.name_suffix;
    }
    if (l == 0) {
      text += neg_suffix;
    }
  }
  return text;
}

// The text of the cover of f at the cover level: "0" without product, else
// the products in cover order joined by or_sep.
std::string sop_text(bddpp_manager* m, const char* or_sep, const char* and_sep,
                     const char* neg_prefix, const char* neg_suffix, bdd f,
                     const literal_style& style, int level) {
  std::vector<bdd> products;
  const int n = m->Bdd_sop(f, products, level);
  if (n <= 0) {
    return "0";
  }
  std::string text;
  for (int i = 0; i < n; ++i) {
    if (i > 0) {
      text += or_sep;
    }
    text += product_text(m, and_sep, neg_prefix, neg_suffix, products[static_cast<std::size_t>(i)],
                         style);
  }
  return text;
}

}  // namespace

// The product's text with name_prefix and name_suffix around every name.
std::string bddpp_manager::Print_product_to_String_pref_suff(const char* and_sep,
                                                             const char* neg_prefix,
                                                             const char* neg_suffix, bdd product,
                                                             const char* name_prefix,
                                                             const char* name_suffix) {
  return product_text(this, and_sep, neg_prefix, neg_suffix, product,
                      literal_style{name_prefix, name_suffix, nullptr});
}

// The product's text with bare names.
std::string bddpp_manager::Print_product_to_String(const char* and_sep, const char* neg_prefix,
                                                   const char* neg_suffix, bdd product) {
  return Print_product_to_String_pref_suff(and_sep, neg_prefix, neg_suffix, product, "", "");
}

// Writes the product's text, names between name_prefix and name_suffix.
void bddpp_manager::Print_product_pref_suff(const char* and_sep, const char* neg_prefix,
                                            const char* neg_suffix, std::ostream& os, bdd product,
                                            const char* name_prefix, const char* name_suffix) {
  os << Print_product_to_String_pref_suff(and_sep, neg_prefix, neg_suffix, product, name_prefix,
                                          name_suffix);
}

// Writes the product's text with bare names.
void bddpp_manager::Print_product(const char* and_sep, const char* neg_prefix,
                                  const char* neg_suffix, std::ostream& os, bdd product) {
  os << Print_product_to_String(and_sep, neg_prefix, neg_suffix, product);
}

// Writes the product's text with each variable as array_name[level].
void bddpp_manager::Print_cat_product(const char* and_sep, const char* neg_prefix,
                                      const char* neg_suffix, std::ostream& os, bdd product,
                                      const std::string& array_name) {
  os << product_text(this, and_sep, neg_prefix, neg_suffix, product,
                     literal_style{"", "", &array_name});
}

// The limit on the products of one cover.
int bddpp_manager::Max_number_of_terms() { return product_limit; }

// The text of f's cover at the cover level, names between the affixes.
std::string bddpp_manager::Print_sop_to_String_pref_suff(const char* or_sep, const char* and_sep,
                                                         const char* neg_prefix,
                                                         const char* neg_suffix, bdd f,
                                                         const char* name_prefix,
                                                         const char* name_suffix, int level) {
  return sop_text(this, or_sep, and_sep, neg_prefix, neg_suffix, f,
                  literal_style{name_prefix, name_suffix, nullptr}, level);
}

// The text of f's cover at the cover level with bare names.
std::string bddpp_manager::Print_sop_to_String(const char* or_sep, const char* and_sep,
                                               const char* neg_prefix, const char* neg_suffix,
                                               bdd f, int level) {
  return Print_sop_to_String_pref_suff(or_sep, and_sep, neg_prefix, neg_suffix, f, "", "", level);
}

// Writes the text of f's cover, names between the affixes.
void bddpp_manager::Print_sop_pref_suff(const char* or_sep, const char* and_sep,
                                        const char* neg_prefix, const char* neg_suffix,
                                        std::ostream& os, bdd f, const char* name_prefix,
                                        const char* name_suffix, int level) {
  os << Print_sop_to_String_pref_suff(or_sep, and_sep, neg_prefix, neg_suffix, f, name_prefix,
                                      name_suffix, level);
}

// Writes the text of f's cover with bare names.
void bddpp_manager::Print_sop(const char* or_sep, const char* and_sep, const char* neg_prefix,
                              const char* neg_suffix, std::ostream& os, bdd f, int level) {
  os << Print_sop_to_String(or_sep, and_sep, neg_prefix, neg_suffix, f, level);
}

// Writes f's cover product by product, each variable as array_name[level].
void bddpp_manager::Print_cat_sop(const char* or_sep, const char* and_sep, const char* neg_prefix,
                                  const char* neg_suffix, std::ostream& os, bdd f,
                                  const std::string& array_name, int level) {
  std::vector<bdd> products;
  const int n = Bdd_sop(f, products, level);
  if (n <= 0) {
    os << "0";
    return;
  }
  for (int i = 0; i < n; ++i) {
    if (i > 0) {
      os << or_sep;
    }
    Print_cat_product(and_sep, neg_prefix, neg_suffix, os, products[static_cast<std::size_t>(i)],
                      array_name);
  }
}

// Writes f as " + "-joined level-0 products with " . " and "!" through f's own
// manager; an empty handle (no manager to ask) writes nothing.
void Print_debug_bdd(std::ostream& os, bdd f) {
  if (f.node() == nullptr || f.node()->manager == nullptr) {
    return;
  }
  f.node()->manager->Print_sop(" + ", " . ", "!", "", os, f, 0);
}
