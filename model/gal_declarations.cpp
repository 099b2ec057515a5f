// Declaration records of an automaton file and the run reference of a state:
// constructors, accessors, comparisons, stream printers and the GAL, Light
// Esterel and Esterel v5 writers of each record.
#include "model/gal_norm.h"
#include "model/parse_gal.h"

namespace {

// Writes a name that a colon follows: with a blank before the colon when
// name and colon would read as a keyword ("From : "), else ": " after it.
void put_name_colon(std::ostream& os, const std::string& name) {
  os << name << (gal_keyword_stem(name) ? " : " : ": ");
}

// Writes the strings of the list joined by "," (no blank).
void put_joined(std::ostream& os, const std::list<std::string>& items) {
  bool first = true;
  for (const std::string& s : items) {
    if (!first) os << ",";
    os << s;
    first = false;
  }
}

// Writes each variable in its GAL form, one per line, every line but the
// last ended by "," and the last by ";"; an empty list writes the line ";".
void put_gal_variable_lines(std::ostream& os, const std::list<gal_declaration_variables>& vars) {
  if (vars.empty()) {
    os << ";" << std::endl;
    return;
  }
  std::size_t left = vars.size();
  for (const gal_declaration_variables& v : vars) {
    v.put_gal(os);
    os << (--left == 0 ? ";" : ",") << std::endl;
  }
}

}  // namespace

// ----- gal_declaration_variables -------------------------------------------

// Type and name "?".
gal_declaration_variables::gal_declaration_variables() : type_("?"), name_("?") {}

// Copies both pointed-to strings.
gal_declaration_variables::gal_declaration_variables(std::string* type, std::string* name)
    : type_(*type), name_(*name) {}

// Copies both strings.
gal_declaration_variables::gal_declaration_variables(const std::string& type,
                                                     const std::string& name)
    : type_(type), name_(name) {}

// Copies both fields; returns *this.
gal_declaration_variables& gal_declaration_variables::operator=(
    const gal_declaration_variables& other) {
  type_ = other.type_;
  name_ = other.name_;
  return *this;
}

// Same effect as the constant overload.
gal_declaration_variables& gal_declaration_variables::operator=(gal_declaration_variables& other) {
  return *this = static_cast<const gal_declaration_variables&>(other);
}

// Returns a copy of the type text.
std::string gal_declaration_variables::typev() const { return type_; }

// Returns a copy of the name.
std::string gal_declaration_variables::nom() const { return name_; }

// Writes name, ": ", type.
void gal_declaration_variables::put_gal(std::ostream& os) const {
  put_name_colon(os, name_);
  os << type_;
}

// Writes the name, then ": " and the type unless the type is "pure".
void gal_declaration_variables::put_le(std::ostream& os) const {
  os << name_;
  if (type_ != "pure") os << ": " << type_;
}

// True when type and name are equal.
bool operator==(const gal_declaration_variables& a, const gal_declaration_variables& b) {
  return a.type_ == b.type_ && a.name_ == b.name_;
}

// True when type or name differs.
bool operator!=(const gal_declaration_variables& a, const gal_declaration_variables& b) {
  return !(a == b);
}

// Orders by name, then by type.
bool operator<(const gal_declaration_variables& a, const gal_declaration_variables& b) {
  if (a.name_ != b.name_) return a.name_ < b.name_;
  return a.type_ < b.type_;
}

// Writes name, " : ", type; returns the stream.
std::ostream& operator<<(std::ostream& os, const gal_declaration_variables& v) {
  return os << v.nom() << " : " << v.typev();
}

// ----- gal_declaration_constants -------------------------------------------

// All three strings "?".
gal_declaration_constants::gal_declaration_constants() : type_("?"), name_("?"), value_("?") {}

// Copies the three strings.
gal_declaration_constants::gal_declaration_constants(const std::string& type,
                                                     const std::string& name,
                                                     const std::string& value)
    : type_(type), name_(name), value_(value) {}

// Copies the three pointed-to strings.
gal_declaration_constants::gal_declaration_constants(std::string* type, std::string* name,
                                                     std::string* value)
    : type_(*type), name_(*name), value_(*value) {}

// Accessors return copies of the fields; setters replace one field.
std::string gal_declaration_constants::typev() const { return type_; }
std::string gal_declaration_constants::name() const { return name_; }
std::string gal_declaration_constants::value() const { return value_; }
void gal_declaration_constants::typev(const std::string& t) { type_ = t; }
void gal_declaration_constants::name(const std::string& n) { name_ = n; }
void gal_declaration_constants::value(const std::string& v) { value_ = v; }

// Writes type, " ", name, " ", then the value between double quotes.
void gal_declaration_constants::put_gal(std::ostream& os) const {
  os << type_ << " " << name_ << " " << '"' << value_ << '"';
}

// Writes the type and a blank; then the name followed by ":=" and the quoted
// value when the value is not empty; without a name, the quoted value alone
// when it is not empty.
void gal_declaration_constants::put_le(std::ostream& os) const {
  os << type_ << " ";
  if (!name_.empty()) {
    os << name_;
    if (!value_.empty()) os << ":=" << '"' << value_ << '"';
  } else if (!value_.empty()) {
    os << '"' << value_ << '"';
  }
}

// True when type, name and value are equal.
bool operator==(const gal_declaration_constants& a, const gal_declaration_constants& b) {
  return a.typev() == b.typev() && a.name() == b.name() && a.value() == b.value();
}

bool operator!=(const gal_declaration_constants& a, const gal_declaration_constants& b) {
  return !(a == b);
}

// Writes type, " ", name, "= ", the quoted value and a blank.
std::ostream& operator<<(std::ostream& os, const gal_declaration_constants& c) {
  return os << c.typev() << " " << c.name() << "= " << '"' << c.value() << '"' << " ";
}

// ----- gal_declaration_functions -------------------------------------------

// Name and result "?", no argument.
gal_declaration_functions::gal_declaration_functions() : name_("?"), result_("?") {}

// The first string is the result type, the second the name.
gal_declaration_functions::gal_declaration_functions(const std::string& result,
                                                     const std::string& name,
                                                     const std::list<std::string>& arguments)
    : name_(name), result_(result), arguments_(arguments) {}

// The reader's form of the constructor above.
gal_declaration_functions::gal_declaration_functions(std::string* result, std::string* name,
                                                     std::list<std::string>* arguments)
    : name_(*name), result_(*result), arguments_(*arguments) {}

// Accessors return copies of the fields; setters replace one field.
std::string gal_declaration_functions::name() const { return name_; }
std::string gal_declaration_functions::result() const { return result_; }
std::list<std::string> gal_declaration_functions::arguments() const { return arguments_; }
void gal_declaration_functions::name(const std::string& n) { name_ = n; }
void gal_declaration_functions::result(const std::string& r) { result_ = r; }
void gal_declaration_functions::arguments(const std::list<std::string>& a) { arguments_ = a; }

// Writes result, " ", name, "(", the arguments joined by ",", ")".
void gal_declaration_functions::put_gal(std::ostream& os) const {
  os << result_ << " " << name_ << "(";
  put_joined(os, arguments_);
  os << ")";
}

// Writes name, "(", the arguments joined by ",", "): ", result.
void gal_declaration_functions::put_strl5(std::ostream& os) const {
  os << name_ << "(";
  put_joined(os, arguments_);
  os << "): " << result_;
}

// True when name, result and the argument lists are equal.
bool operator==(const gal_declaration_functions& a, const gal_declaration_functions& b) {
  return a.name() == b.name() && a.result() == b.result() && a.arguments() == b.arguments();
}

bool operator!=(const gal_declaration_functions& a, const gal_declaration_functions& b) {
  return !(a == b);
}

// Same text as put_gal; returns the stream.
std::ostream& operator<<(std::ostream& os, const gal_declaration_functions& f) {
  f.put_gal(os);
  return os;
}

// ----- gal_declaration_progs -----------------------------------------------

// The three strings "?", the three lists empty.
gal_declaration_progs::gal_declaration_progs() : module_("?"), file_("?"), path_("?") {}

// Copies the six pointed-to values.
gal_declaration_progs::gal_declaration_progs(std::string* path, std::string* file,
                                             std::string* module,
                                             std::list<gal_declaration_variables>* inputs,
                                             std::list<gal_declaration_variables>* sensors,
                                             std::list<gal_declaration_variables>* outputs)
    : module_(*module),
      file_(*file),
      path_(*path),
      inputs_(*inputs),
      sensors_(*sensors),
      outputs_(*outputs) {}

// Copies the six values.
gal_declaration_progs::gal_declaration_progs(const std::string& path, const std::string& file,
                                             const std::string& module,
                                             const std::list<gal_declaration_variables>& inputs,
                                             const std::list<gal_declaration_variables>& sensors,
                                             const std::list<gal_declaration_variables>& outputs)
    : module_(module),
      file_(file),
      path_(path),
      inputs_(inputs),
      sensors_(sensors),
      outputs_(outputs) {}

// Copies every field; returns *this.
gal_declaration_progs& gal_declaration_progs::operator=(const gal_declaration_progs& other) {
  module_ = other.module_;
  file_ = other.file_;
  path_ = other.path_;
  inputs_ = other.inputs_;
  sensors_ = other.sensors_;
  outputs_ = other.outputs_;
  return *this;
}

// Same effect as the constant overload.
gal_declaration_progs& gal_declaration_progs::operator=(gal_declaration_progs& other) {
  return *this = static_cast<const gal_declaration_progs&>(other);
}

// Accessors return copies of the fields.
std::string gal_declaration_progs::nom_module() const { return module_; }
std::string gal_declaration_progs::nom_fichier() const { return file_; }
std::string gal_declaration_progs::chemin() const { return path_; }
std::list<gal_declaration_variables> gal_declaration_progs::my_inputs_list() const {
  return inputs_;
}
std::list<gal_declaration_variables> gal_declaration_progs::my_outputs_list() const {
  return outputs_;
}

// Writes the run as lines: the quoted path, file and module names (each
// name followed by its colon as put_name_colon writes it); the input
// section; an empty sensor section (the sensors are never written); the
// output section. Each line end flushes.
void gal_declaration_progs::put_gal(std::ostream& os) const {
  os << '"' << path_ << '"' << ": ";
  put_name_colon(os, file_);
  put_name_colon(os, module_);
  os << std::endl;
  os << "Input:" << std::endl;
  put_gal_variable_lines(os, inputs_);
  os << "Sensor:" << std::endl;
  os << ";" << std::endl;
  os << "Output:" << std::endl;
  put_gal_variable_lines(os, outputs_);
}

// Writes the quoted path, ": ", file name, ": ", module name.
void gal_declaration_progs::put_le(std::ostream& os) const {
  os << '"' << path_ << '"' << ": " << file_ << ": " << module_;
}

// True when path, file name and module name are equal; the variable lists
// are not compared.
bool operator==(const gal_declaration_progs& a, const gal_declaration_progs& b) {
  return a.path_ == b.path_ && a.file_ == b.file_ && a.module_ == b.module_;
}

bool operator!=(const gal_declaration_progs& a, const gal_declaration_progs& b) {
  return !(a == b);
}

// Writes path, ": ", file name, ": ", module name.
std::ostream& operator<<(std::ostream& os, const gal_declaration_progs& p) {
  return os << p.chemin() << ": " << p.nom_fichier() << ": " << p.nom_module();
}

// ----- gal_run_instance ----------------------------------------------------

// Index -1, empty renaming.
gal_run_instance::gal_run_instance() : ident_(-1) {}

// Stores both values.
gal_run_instance::gal_run_instance(int ident, const std::string& renomage)
    : ident_(ident), renomage_(renomage) {}

// Accessors return copies of the fields; setters replace one field.
int gal_run_instance::ident() const { return ident_; }
std::string gal_run_instance::renomage() const { return renomage_; }
void gal_run_instance::ident(int i) { ident_ = i; }
void gal_run_instance::renomage(const std::string& r) { renomage_ = r; }

// True when index and renaming are equal.
bool operator==(const gal_run_instance& a, const gal_run_instance& b) {
  return a.ident() == b.ident() && a.renomage() == b.renomage();
}

bool operator!=(const gal_run_instance& a, const gal_run_instance& b) { return !(a == b); }

// Writes the index, " ", the renaming, " ".
std::ostream& operator<<(std::ostream& os, const gal_run_instance& r) {
  return os << r.ident() << " " << r.renomage() << " ";
}
