// The paged viewer's window, its file outputs and the external viewer.
#include "panels/viewer_window.h"
#include "panels/forms_layout.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <FL/forms.H>

#include "panels/formspp.h"
#include "panels/message_windows.h"
#include "utilities/Stringpp.h"
#include "utilities/list_templates.h"

namespace {

constexpr int page_label_length = 25;
constexpr int title_length = 81;

int run_with_system(const std::string& command) { return std::system(command.c_str()); }

viewer_command_runner& runner() {
  static viewer_command_runner current = run_with_system;
  return current;
}

// The directory for the private one of the PDF file: $TMPDIR when it is a
// plain path (it goes into a command line), otherwise /tmp.
std::string temporary_root() {
  const char* tmpdir = std::getenv("TMPDIR");
  if (tmpdir == nullptr || *tmpdir != '/') return "/tmp";
  for (const char* p = tmpdir; *p != '\0'; ++p) {
    const char c = *p;
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '/' || c == '.' || c == '_' || c == '-';
    if (!plain) return "/tmp";
  }
  return tmpdir;
}

}  // namespace

void korvane_set_viewer_runner(viewer_command_runner runner_function) {
  runner() = runner_function ? std::move(runner_function) : viewer_command_runner(run_with_system);
}

std::string viewer_command(const std::string& program, const std::string& file) {
  return "\"" + program + "\" " + file;
}

std::vector<std::string> viewer_browser_lines(const std::string& page_text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  const std::size_t length = viewer_browser_line_length;
  for (std::size_t end; (end = page_text.find('\n', begin)) != std::string::npos; begin = end + 1) {
    // Cut in place, in time linear in the line's length (erasing each cut
    // piece from the front of a copy would take its square).
    std::size_t at = begin;
    while (end - at > length) {
      lines.push_back(page_text.substr(at, length));
      at += length + 1;
    }
    lines.push_back(page_text.substr(at, end - at));
  }
  return lines;
}

std::string viewer_page_label(int current, int pages) {
  return "page " + unslong2S(static_cast<std::uint32_t>(current)) + " / " +
         unslong2S(static_cast<std::uint32_t>(pages)) + "    ";
}

OFD_afficheur::OFD_afficheur(Fl_Window* parent, int english) : english_(english), parent_(parent) {
  window_ = fl_bgn_form(FL_NO_BOX, 820, 500);
  new Fl_Box(FL_UP_BOX, 0, 0, 820, 500, "");
  browser_ = new Fl_Browser(10, 50, 800, 370);
  browser_->type(FL_HOLD_BROWSER);
  browser_->box(FL_DOWN_BOX);
  browser_->color(49);
  browser_->labelfont(FL_TIMES);
  title_ = fl_add_Stext(FL_NO_BOX, 230, 20, 310, 20, "");
  title_->labelsize(14);
  title_->labelfont(FL_HELVETICA_BOLD);
  title_->labeltype(FL_NORMAL_LABEL);
  title_->align(FL_ALIGN_INSIDE);
  page_field_ = fl_add_Stext(FL_NO_BOX, 80, 20, 120, 20, "");
  page_field_->align(FL_ALIGN_LEFT);
  auto button = [](int x, int y, int w, int h, const char* label) {
    Fl_Button* b = fl_add_button(0, x, y, w, h, label);
    b->labelfont(FL_TIMES);
    b->labelsize(12);
    return b;
  };
  next_ = button(270, 430, 120, 20, say("next page", "page suivante"));
  previous_ = button(270, 460, 120, 20, say("previous page", "page precedente"));
  cancel_ = button(40, 430, 90, 50, say("CANCEL", "ANNULER"));
  pdf_ = button(460, 430, 100, 50, say("pdf file", "fichier pdf"));
  text_ = button(660, 430, 100, 50, say("text file", "fichier texte"));
  page_input_ = new Fl_Input(150, 445, 40, 20, "");
  page_input_->type(FL_NORMAL_INPUT);
  go_ = new Fl_Button(190, 445, 20, 20, "");
  // Title and page field on top, buttons below the browser, as placed.
  korvane_end_form();
}

OFD_afficheur::~OFD_afficheur() { delete window_; }

const char* OFD_afficheur::say(const char* english, const char* french) const {
  return english_ != 0 ? english : french;
}

void OFD_afficheur::activation(std::string* lines, int count, const std::string& title,
                               const std::string& viewer) {
  if (parent_ != nullptr) parent_->deactivate();
  if (lines != nullptr) {
    viewer_ = viewer;
    page_ = 0;
    display_.reset(new OFD_afficheur_filtre_affichage(lines, count));
    print_.reset(new OFD_afficheur_filtre_impression(lines, count));
    text_filter_.reset(new OFD_afficheur_filtre_texte(lines, count));
    visu_page();
    fl_set_object_Slabel(title_, title, title_length);
    fl_show_form(window_, FL_PLACE_MOUSE, FL_TRANSIENT, "");
    // Sleeps until an event comes; the window manager's close button hides
    // the window, which ends the wait as the cancel button does.
    bool done = false;
    while (!done && window_->shown()) {
      Fl::wait();
      while (Fl_Widget* pressed = Fl::readqueue()) {
        if (pressed == previous_) {
          page_precedente();
        } else if (pressed == next_) {
          page_suivante();
        } else if (pressed == pdf_) {
          fichier_pdf();
        } else if (pressed == text_) {
          fichier_texte();
        } else if (pressed == go_) {
          page_numero(Stol(page_input_->value()) - 1);
        } else if (pressed == cancel_) {
          done = true;
          break;
        }
      }
    }
    window_->hide();
    display_.reset();
    print_.reset();
    text_filter_.reset();
  }
  if (parent_ != nullptr) parent_->activate();
}

void OFD_afficheur::activation(std::list<std::string>& lines, const std::string& title,
                               const std::string& viewer) {
  std::string* array = array_convert(lines);
  activation(array, static_cast<int>(lines.size()), title, viewer);
  delete[] array;
}

void OFD_afficheur::visu_page() {
  if (!display_) return;  // no text is being shown
  browser_->clear();
  for (const std::string& line : viewer_browser_lines(display_->visu_page(page_))) {
    browser_->add(line.c_str());
  }
  browser_->show();
  fl_set_object_Slabel(page_field_, viewer_page_label(page_ + 1, display_->nb_pages() + 1),
                       page_label_length);
  fl_set_Sinput(page_input_, unslong2S(static_cast<std::uint32_t>(page_ + 1)));
}

void OFD_afficheur::page_precedente() {
  if (display_ && page_ > 0) {
    --page_;
    visu_page();
  }
}

void OFD_afficheur::page_suivante() {
  if (display_ && page_ < display_->nb_pages()) {
    ++page_;
    visu_page();
  }
}

void OFD_afficheur::page_numero(int n) {
  if (display_ && n >= 0 && n <= display_->nb_pages() && n != page_) {
    page_ = n;
    visu_page();
  }
}

bool OFD_afficheur::write_pdf(const std::string& path) {
  std::fstream out(path, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!out.is_open()) return false;
  print_->imprime_pdf(out);
  out.close();
  if (out.fail()) {
    std::remove(path.c_str());  // a cut document is no document
    return false;
  }
  return true;
}

void OFD_afficheur::show_failure(const std::string& file) {
  fl_show_Salert(english_ != 0 ? "ERROR: cannot write the file " + file
                               : "ERREUR: impossible d'ecrire le fichier " + file);
}

void OFD_afficheur::fichier_pdf() {
  if (!print_) return;  // no text is being shown
  if (viewer_.empty()) {
    if (!write_pdf("tmp.pdf")) {
      show_failure("tmp.pdf");
      return;
    }
    fl_show_Smessages(say("generation of tmp.pdf file", "generation du fichier tmp.pdf"));
    return;
  }
  // The file only lives while the viewer shows it: in a directory of its
  // own, so that no other file is overwritten and no one else reads it.
  const std::string wanted = temporary_root() + "/korvane-viewer-XXXXXX";
  std::string pattern = wanted;
  if (mkdtemp(&pattern[0]) == nullptr) {
    show_failure(wanted + "/tmp.pdf");
    return;
  }
  pdf_dir_ = pattern;
  pdf_path_ = pdf_dir_ + "/tmp.pdf";
  if (!write_pdf(pdf_path_)) {
    rmdir(pdf_dir_.c_str());
    show_failure(pdf_path_);
    pdf_path_.clear();
    pdf_dir_.clear();
    return;
  }
  imprime_tmp_pdf();
}

void OFD_afficheur::imprime_tmp_pdf() {
  if (pdf_path_.empty()) return;
  runner()(viewer_command(viewer_, pdf_path_));
  std::remove(pdf_path_.c_str());
  rmdir(pdf_dir_.c_str());
  pdf_path_.clear();
  pdf_dir_.clear();
}

void OFD_afficheur::imprime_tmp_ps() {
  runner()("ghostview tmp.ps");
  std::remove("tmp.ps");
}

void OFD_afficheur::fichier_texte() {
  if (!text_filter_) return;  // no text is being shown
  std::ofstream out("tmp.txt", std::ios::out | std::ios::trunc | std::ios::binary);
  if (!out.is_open()) {
    show_failure("tmp.txt");
    return;
  }
  text_filter_->imprime(out);
  out.close();
  if (out.fail()) {
    std::remove("tmp.txt");  // a cut text is no text
    show_failure("tmp.txt");
    return;
  }
  fl_show_Smessages(say("generation of tmp.txt file", "generation du fichier tmp.txt"));
}
