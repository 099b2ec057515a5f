// Reading of the guide's pages and examples for the tests.
#include "guide_pages.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <sstream>

namespace guide {

namespace {

// The lines of `text`, without their "\n".
std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

bool starts_with(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// `text` without the blanks at both ends.
std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The names of the regular files of the folder `relative`, sorted.
std::vector<std::string> file_names(const std::string& relative, const std::string& extension) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(source_path(relative))) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().filename().string();
    if (extension.empty() || entry.path().extension() == extension) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::string source_path(const std::string& relative) {
  return std::string(KORVANE_SOURCE_DIR) + "/" + relative;
}

std::vector<std::string> page_names() { return file_names("docs", ".md"); }

std::string page_text(const std::string& name) {
  return ktest::read_file(source_path("docs/" + name));
}

std::vector<code_block> code_blocks(const std::string& name) {
  const std::vector<std::string> lines = lines_of(page_text(name));
  std::vector<code_block> blocks;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!starts_with(lines[i], "```")) continue;
    code_block block;
    block.page = name;
    block.line = static_cast<int>(i) + 1;
    if (i > 0) {
      const std::string before = trimmed(lines[i - 1]);
      if (starts_with(before, "<!--") && before.size() >= 7 &&
          before.compare(before.size() - 3, 3, "-->") == 0) {
        block.comment = trimmed(before.substr(4, before.size() - 7));
      }
    }
    std::size_t j = i + 1;
    for (; j < lines.size() && lines[j] != "```"; ++j) block.text += lines[j] + "\n";
    blocks.push_back(block);
    i = j;  // past the closing fence
  }
  return blocks;
}

check check_of(const code_block& block) {
  check result;
  const std::string& comment = block.comment;
  if (comment == "session") {
    result.kind = "session";
    return result;
  }
  for (const char* kind : {"file", "excerpt"}) {
    const std::string prefix = std::string(kind) + ": ";
    if (starts_with(comment, prefix)) {
      result.kind = kind;
      result.path = comment.substr(prefix.size());
      return result;
    }
  }
  for (const char* kind : {"generated excerpt", "generated"}) {
    const std::string prefix = std::string(kind) + ": ";
    if (!starts_with(comment, prefix)) continue;
    std::istringstream words(comment.substr(prefix.size()));
    std::string name, from, program, word;
    words >> name >> from >> program;
    if (from != "from" || program != "korvane") return result;
    result.kind = kind;
    result.path = name;
    while (words >> word) result.korvane_arguments.push_back(word);
    return result;
  }
  return result;
}

std::vector<session_step> session_steps(const std::string& text) {
  std::vector<session_step> steps;
  for (const std::string& line : lines_of(text)) {
    if (starts_with(line, "$ ")) {
      steps.push_back({line.substr(2), ""});
    } else if (!steps.empty()) {
      steps.back().output += line + "\n";
    }
  }
  return steps;
}

bool is_line_run(const std::string& part, const std::string& whole) {
  if (part.empty()) return false;
  if (whole.compare(0, part.size(), part) == 0) return true;
  return whole.find("\n" + part) != std::string::npos;
}

std::vector<std::string> example_names() { return file_names("docs/examples", ""); }

void copy_examples(const ktest::scratch_directory& directory) {
  for (const std::string& name : example_names()) {
    directory.write(name, ktest::read_file(source_path("docs/examples/" + name)));
  }
}

std::vector<std::string> heading_anchors(const std::string& text) {
  std::vector<std::string> anchors;
  std::map<std::string, int> seen;
  bool in_code = false;
  for (const std::string& line : lines_of(text)) {
    if (starts_with(line, "```")) in_code = !in_code;
    if (in_code || !starts_with(line, "#")) continue;
    const std::size_t start = line.find_first_not_of('#');
    if (start == std::string::npos || line[start] != ' ') continue;
    // Lower case; letters, digits, "-" and "_" kept, blanks become "-",
    // everything else dropped; a repeated anchor gets "-1", "-2" ...
    std::string anchor;
    for (char c : trimmed(line.substr(start))) {
      const unsigned char u = static_cast<unsigned char>(c);
      if (std::isalnum(u) || c == '-' || c == '_') {
        anchor += static_cast<char>(std::tolower(u));
      } else if (c == ' ') {
        anchor += '-';
      }
    }
    const int count = seen[anchor]++;
    anchors.push_back(count == 0 ? anchor : anchor + "-" + std::to_string(count));
  }
  return anchors;
}

}  // namespace guide
