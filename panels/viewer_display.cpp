// The display filter of the paged viewer.
#include "panels/viewer_display.h"

#include <algorithm>
#include <vector>

const char* const viewer_display_prefix = "@f@S12 ";

namespace {

constexpr std::size_t rule_length = 122;

}  // namespace

OFD_afficheur_filtre_affichage::OFD_afficheur_filtre_affichage(std::string* lines, int count)
    : count_(count), lines_(lines) {}

int OFD_afficheur_filtre_affichage::typeligne(const std::string& line) const {
  return viewer_line_kind(line);
}

std::string OFD_afficheur_filtre_affichage::visu_ligne(const std::string& line) {
  switch (typeligne(line)) {
    case viewer_column_layout_line:
    case viewer_page_layout_line:
      layout_.read(line);
      return std::string();
    case viewer_rule_line:
      return std::string(rule_length, '-');
    default:
      break;
  }
  std::string shown = viewer_display_prefix;
  const std::vector<viewer_field> fields = viewer_fields(line);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t width = static_cast<std::size_t>(layout_.widths[i]);
    const std::size_t length = fields[i].end - fields[i].begin;
    shown.append(line, fields[i].begin, std::min(length, width));
    // Every field closed by a "#" fills its column.
    if (fields[i].end < line.size() && length < width) {
      shown.append(width - length, ' ');
    }
  }
  return shown;
}

std::string OFD_afficheur_filtre_affichage::visu_page(int page) {
  page_text_.clear();
  const std::vector<int> starts = viewer_page_starts(lines_, count_);
  if (page < 0 || page >= static_cast<int>(starts.size()) || count_ <= 0) {
    return std::string();
  }
  const int end = page + 1 < static_cast<int>(starts.size()) ? starts[page + 1] : count_;
  for (int i = starts[page]; i < end; ++i) {
    page_text_ += visu_ligne(lines_[i]);
    page_text_ += '\n';
  }
  return page_text_;
}

int OFD_afficheur_filtre_affichage::nb_pages() const {
  return static_cast<int>(viewer_page_starts(lines_, count_).size()) - 1;
}
