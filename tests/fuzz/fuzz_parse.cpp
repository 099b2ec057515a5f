// Fuzz target of the GAL reader `parse` (the reader takes a file name: each
// input is written to a scratch file in a private directory).
#include <stdlib.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

#include "model/gal_norm.h"
#include "model/parse_gal.h"
#include "exporters/exporters.h"
#include "fuzz_checks.h"

namespace {

// Inputs larger than this are cut: the reader's cost grows with the text and
// a long campaign should spend its time on shapes, not on lengths.
constexpr std::size_t kMaxInput = 1 << 16;
// The determinism check builds diagrams over the inputs: kept small.
constexpr int kMaxCheckedInputs = 10;
constexpr int kMaxCheckedTransitions = 256;

std::string read_whole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One parse: the model (owned) and the trace written.
struct reading {
  std::unique_ptr<gal_tpen_fichier> model;
  std::string trace;
};

reading read_once(const std::string& path) {
  reading r;
  r.model.reset(parse(path));
  r.trace = read_whole(path + ".log");
  return r;
}

bool in_range(int i, int count) { return i >= 0 && i < count; }

// The state lists of transitions agree with the transitions' ends.
std::string check_structure(gal_tpen_fichier& f) {
  const int states = f.nbr_etats();
  const int transitions = f.nbr_transitions();
  if (states < 0 || transitions < 0) return "negative table size";
  gal_tpen_etat* etats = f.ma_table_etats();
  const gal_tpen_transition* table = f.ma_table_transitions();
  for (int s = 0; s < states; ++s) {
    for (int t : etats[s].mes_transitions_post()) {
      if (!in_range(t, transitions) || table[t].mon_ident_etat_amont() != s)
        return "state " + std::to_string(s) + " lists a transition that does not leave it";
    }
    for (int t : etats[s].mes_transitions_pre()) {
      if (!in_range(t, transitions) || table[t].mon_ident_etat_aval() != s)
        return "state " + std::to_string(s) + " lists a transition that does not reach it";
    }
  }
  for (int t = 0; t < transitions; ++t) {
    const int from = table[t].mon_ident_etat_amont();
    const int to = table[t].mon_ident_etat_aval();
    if (in_range(from, states)) {
      bool listed = false;
      for (int u : etats[from].mes_transitions_post()) listed = listed || u == t;
      if (!listed) return "transition " + std::to_string(t) + " missing from its source state";
    }
    if (in_range(to, states)) {
      bool listed = false;
      for (int u : etats[to].mes_transitions_pre()) listed = listed || u == t;
      if (!listed) return "transition " + std::to_string(t) + " missing from its target state";
    }
  }
  return "";
}

// The GAL text of `f` as put_gal writes it into `path`; empty when it
// writes no file (a model kind it does not know).
std::string gal_text(gal_tpen_fichier& f, const std::string& path) {
  std::remove(path.c_str());
  f.put_gal(path, f.nom_module);
  return read_whole(path);
}

// The text as the reader sees it, outside double-quoted strings: bytes
// that no token holds dropped (the scanner copies them to the trace and
// reads on), runs of blanks made one, and no blank beside a separator.
std::string as_read(const std::string& text) {
  const auto digit = [&text](std::size_t i) {
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
  };
  const auto separator = [](char c) { return std::string(":;,()/").find(c) != std::string::npos; };
  std::string out;
  bool quoted = false;
  bool blank = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted || c == '"') {
      if (c == '"') quoted = !quoted;
      if (blank && !out.empty() && !separator(out.back())) out += ' ';
      blank = false;
      out += c;
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\n') {
      blank = true;
      continue;
    }
    const bool word = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || digit(i) || c == '_';
    // A sign is a token only before the digits of a number, a point only
    // after them.
    const bool number_part = (c == '-' && digit(i + 1)) || (c == '.' && i > 0 && digit(i - 1));
    if (!word && !number_part && !separator(c)) continue;
    if (blank && !out.empty() && !separator(out.back()) && !separator(c)) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

// True when `name` reads back as one word: letters, digits and "_", not
// digits alone (a number).
bool reads_as_word(const std::string& name) {
  bool digits_only = true;
  for (char c : name) {
    const bool digit = c >= '0' && c <= '9';
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!digit && !letter && c != '_') return false;
    digits_only = digits_only && digit;
  }
  return !name.empty() && !digits_only;
}

// What put_gal writes reads back to a model that put_gal writes with the
// same tokens, and that text is written again byte for byte. The writer
// does not quote names: a name holding a blank or a byte that no token
// holds (a run's file name taken from a string is written bare) comes back
// without it, so the first text is compared as the reader sees it. The
// reader takes back every text whose names are words, those named like a
// keyword ("From", "NS") included; only a run's file name taken from a
// string may keep it from doing so.
std::string check_gal_round_trip(gal_tpen_fichier& f) {
  const std::string out1 = korvane_fuzz_scratch_directory() + "/out1.gal";
  const std::string out2 = korvane_fuzz_scratch_directory() + "/out2.gal";
  const std::string out3 = korvane_fuzz_scratch_directory() + "/out3.gal";
  const std::string text1 = gal_text(f, out1);
  if (text1.empty()) return "";
  std::unique_ptr<gal_tpen_fichier> again(parse(out1));
  if (again == nullptr) {
    for (int r = 0; r < f.nbr_progs_externes(); ++r) {
      if (!reads_as_word(f.ma_table_progs_externes()[r].nom_fichier())) return "";
    }
    return "the text put_gal wrote is refused";
  }
  const std::string text2 = gal_text(*again, out2);
  if (as_read(text2) != as_read(text1)) return "put_gal of the text put_gal wrote differs from it";
  std::unique_ptr<gal_tpen_fichier> third(parse(out2));
  if (third == nullptr) return "the text put_gal wrote from a model read back is refused";
  if (gal_text(*third, out3) != text2)
    return "put_gal of a text read back is not written again the same";
  return "";
}

}  // namespace

std::string korvane_fuzz_check_parse(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxInput) size = kMaxInput;
  const std::string path = korvane_fuzz_scratch_directory() + "/in.gal";
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) return "cannot write the scratch file";
  }
  reading first = read_once(path);
  reading second = read_once(path);
  if ((first.model == nullptr) != (second.model == nullptr))
    return "two readings of one text disagree on accepting it";
  if (first.trace != second.trace) return "two readings of one text wrote different traces";
  if (first.model == nullptr) return "";

  gal_tpen_fichier& f = *first.model;
  std::string broken = check_structure(f);
  if (!broken.empty()) return broken;
  broken = check_gal_round_trip(f);
  if (!broken.empty()) return broken;

  std::string report;
  const bool sound = verifie_idents_etats(f, report);
  if (sound != report.empty()) return "state index check: verdict and report disagree";
  const int kind = f.mon_modele();
  if (!sound || (kind != 0 && kind != 1) || f.nbr_inputs() > kMaxCheckedInputs ||
      f.nbr_transitions() > kMaxCheckedTransitions) {
    return "";
  }
  std::string verdict_report;
  const int verdict = f.test_determinisme(verdict_report);
  if (verdict != 0 && verdict != 1) return "determinism: a verdict other than 0 and 1";
  if ((verdict == 1) != verdict_report.empty()) return "determinism: verdict and report disagree";
  return "";
}

#ifdef KORVANE_FUZZ_ENTRY
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  korvane_fuzz_quiet_streams();
  korvane_fuzz_scratch_directory();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string broken = korvane_fuzz_check_parse(data, size);
  if (!broken.empty()) {
    std::fprintf(stderr, "korvane fuzz: broken invariant: %s\n", broken.c_str());
    abort();
  }
  return 0;
}
#endif
