// Cutting, search, substitution, trimming, records and tokens, file names and
// directory paths of Stringpp. Every function builds a new string; output
// parameters are assigned last, so they may alias an input.
#include "utilities/Stringpp.h"
#include "utilities/platform.h"

#include <iostream>

namespace {

// True for the bytes that continue a word after a token in contains_token:
// ASCII letters and digits and the accented Latin-1 letters in use.
bool word_continues(char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  switch (static_cast<unsigned char>(c)) {
    case 0xE9:
    case 0xE8:
    case 0xEA:
    case 0xE0:
    case 0xE2:
    case 0xF4:
    case 0xE7:
    case 0x8C:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string my_before(std::string s, int n) {
  if (n <= 0) return "";
  return s.substr(0, static_cast<std::size_t>(n));
}

std::string my_after(const std::string& s, int n) {
  if (n < 0 || static_cast<std::size_t>(n) >= s.size()) return "";
  return s.substr(static_cast<std::size_t>(n));
}

std::string my_at(const std::string& s, int from, int to) {
  if (from < 0 || from >= to || static_cast<std::size_t>(from) >= s.size()) return "";
  return s.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

std::string bdelete(const std::string& s) {
  if (s.size() <= 2) return "";
  return s.substr(1, s.size() - 2);
}

int find(std::string s, std::string t) {
  const std::size_t p = s.find(t);
  return p == std::string::npos ? -1 : static_cast<int>(p);
}

int contains(std::string s, std::string t) { return s.find(t) != std::string::npos ? 1 : 0; }

int contains_token(std::string s, std::string t) {
  const std::size_t p = s.find(t);
  if (p == std::string::npos) return 0;
  const std::size_t end = p + t.size();
  if (end >= s.size()) return 1;
  return word_continues(s[end]) ? 0 : 1;
}

int char_occurences(const std::string& s, char c) {
  int count = 0;
  for (char x : s)
    if (x == c) ++count;
  return count;
}

std::string substitute_char(const std::string& s, char c, char r) {
  std::string out(s);
  for (char& x : out)
    if (x == c) x = r;
  return out;
}

std::string substitute_char(const std::string& s, char c, const std::string& r) {
  std::string out;
  for (char x : s) {
    if (x == c)
      out += r;
    else
      out += x;
  }
  return out;
}

std::string substitute_string(const std::string& s, const std::string& pattern,
                              const std::string& replacement) {
  if (pattern.empty()) return s;
  std::string out;
  std::size_t i = 0;
  while (i < s.size()) {
    if (s.compare(i, pattern.size(), pattern) == 0) {
      out += replacement;
      i += pattern.size();
    } else {
      out += s[i];
      ++i;
    }
  }
  return out;
}

std::string substitute_token(const std::string& s, const std::string& token,
                             const std::string& replacement) {
  if (token.empty()) return s;
  std::string out;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t p = s.find(token, pos);
    if (p == std::string::npos) {
      out.append(s, pos, std::string::npos);
      return out;
    }
    out.append(s, pos, p - pos);
    const std::size_t end = p + token.size();
    const bool free_before = p == 0 || !est_lc(s[p - 1]);
    const bool free_after = end >= s.size() || !est_lc(s[end]);
    out += free_before && free_after ? replacement : token;
    pos = end;
  }
}

std::string latex_String_filter(const std::string& s) { return substitute_string(s, "_", "\\_"); }

std::string cancel_begin_end_spaces(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  const std::size_t last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

std::string clever_substitute_space(const std::string& s, char c) {
  return substitute_char(cancel_begin_end_spaces(s), ' ', c);
}

std::string next_record(const std::string& s, char sep, std::string& rest) {
  const std::size_t p = s.find(sep);
  if (p == std::string::npos) {
    std::string result(s);
    rest.clear();
    return result;
  }
  std::string result = s.substr(0, p);
  rest = s.substr(p + 1);
  return result;
}

std::string next_record(const std::string& s, const char* seps, std::string& rest, char& found) {
  const std::string separators = seps != nullptr ? seps : "";
  for (std::size_t i = 0; i < s.size(); ++i) {
    for (char sep : separators) {
      if (s[i] != sep) continue;
      std::string result = s.substr(0, i);
      rest = s.substr(i + 1);
      found = sep;
      return result;
    }
  }
  std::string result(s);
  rest.clear();
  found = ' ';
  return result;
}

std::string last_record(const std::string& s, char sep, std::string& tail) {
  const std::size_t p = s.rfind(sep);
  if (p == std::string::npos) {
    std::string result(s);
    tail.clear();
    return result;
  }
  std::string result = s.substr(0, p);
  tail = s.substr(p + 1);
  return result;
}

std::string next_Stringtoken(std::string s, char sep, std::string* rest) {
  std::string after;
  std::string token;
  std::size_t k = 0;
  while (k < s.size() && s[k] == sep) ++k;
  if (k == s.size()) {
    // Only separators (or nothing): the last character, or "".
    if (!s.empty()) token = s.substr(s.size() - 1);
  } else if (k + 1 == s.size()) {
    token = s.substr(k);
  } else {
    std::size_t end = k + 1;
    if (est_lc(s[k]))
      while (end < s.size() && s[end] != sep && est_lc(s[end])) ++end;
    token = s.substr(k, end - k);
    after = s.substr(end);
  }
  if (rest != nullptr) *rest = after;
  return token;
}

std::string supress_filename_extension(const std::string& s) {
  const std::size_t slash = s.rfind('/');
  const std::size_t dot = s.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return s;
  if (dot + 1 == s.size()) return s.substr(0, dot);
  if (s[dot + 1] == '\\' || s[dot + 1] == '/') return s;
  if (dot == 0) return "";
  if (s[dot - 1] == '.') return s;
  return s.substr(0, dot);
}

std::string my_current_directory() {
  char buffer[1025];
  if (!platform_current_directory(buffer, sizeof buffer)) return "";
  return substitute_char(std::string(buffer), '\\', '/');
}

std::string relative_directory_path(const std::string& target, const std::string& base_in) {
  const std::string base = base_in.empty() ? my_current_directory() : base_in;
  std::cerr << "demarrage " << target << "|" << base << std::endl;
  std::string result = ".";
  if (target != base) {
    // Walk both paths one component at a time; tf and bf keep what remained
    // before the step whose components differ. When both paths run out
    // together they name the same place: the walk stops with "." as result.
    std::string rt = target, rb = base, tf, bf;
    bool same_place = false;
    for (;;) {
      tf = rt;
      bf = rb;
      if (tf.empty() && bf.empty()) {
        same_place = true;
        break;
      }
      const std::string ct = next_record(tf, '/', rt);
      const std::string cb = next_record(bf, '/', rb);
      if (ct != cb) break;
    }
    std::cerr << "intermediaire: " << tf << "|" << bf << std::endl;
    if (!same_place) {
      if (!bf.empty()) {
        result.clear();
        for (char c : bf)
          if (c == '/') result += "../";
        result += "..";
      } else {
        result.clear();
      }
      if (tf == target && (target.empty() || target[0] != '/')) {
        result = target;
      } else if (!tf.empty()) {
        result = bf.empty() ? tf : result + "/" + tf;
      }
    }
  }
  std::cerr << "--> " << result << std::endl;
  return result;
}
