// The paged viewer: a modal window that shows a marked-up text one page at
// a time, moves between pages, and writes the whole text as PDF (shown by
// an external viewer program when one is given) or as plain text.
#ifndef KORVANE_PANELS_VIEWER_WINDOW_H
#define KORVANE_PANELS_VIEWER_WINDOW_H

#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "panels/viewer_display.h"
#include "panels/viewer_print.h"
#include "panels/viewer_text.h"

class Fl_Browser;
class Fl_Button;
class Fl_FormsText;
class Fl_Input;
class Fl_Window;

// Runs one command line of an external program (the PDF viewer) and
// returns its status once it has ended.
using viewer_command_runner = std::function<int(const std::string& command)>;

// Replaces the runner of the external viewer commands (tests put their own
// here); an empty runner brings back the default, the system's command
// processor.
void korvane_set_viewer_runner(viewer_command_runner runner);

// The command line that shows `file` with the viewer program `program`:
// the program between double quotes, a blank, then the file.
std::string viewer_command(const std::string& program, const std::string& file);

// The browser lines of a page's display text: one per "\n"-ended line, a
// line longer than 161 characters cut into lines of 161 with the 162nd
// character dropped at each cut.
std::vector<std::string> viewer_browser_lines(const std::string& page_text);

// The page field's text: "page " current " / " pages and four blanks.
std::string viewer_page_label(int current, int pages);

class OFD_afficheur {
 public:
  // Builds the window (not shown) over `parent`, which is deactivated
  // while a text is shown; labels and messages in English when `english`
  // is not 0, otherwise in French.
  OFD_afficheur(Fl_Window* parent, int english);
  ~OFD_afficheur();
  OFD_afficheur(const OFD_afficheur&) = delete;
  OFD_afficheur& operator=(const OFD_afficheur&) = delete;

  // Shows the `count` lines of `lines` under `title` until the user
  // presses the cancel button or closes the window; `viewer` is the PDF
  // viewer program ("" for none). A null array shows nothing.
  void activation(std::string* lines, int count, const std::string& title,
                  const std::string& viewer);
  void activation(std::list<std::string>& lines, const std::string& title,
                  const std::string& viewer);

  // Shows the current page and its number.
  void visu_page();
  // Moves to the previous page, the next page, or page n (0-based), when
  // there is one.
  void page_precedente();
  void page_suivante();
  void page_numero(int n);

  // Writes the text as PDF: into "tmp.pdf" of the working directory when
  // there is no viewer program, otherwise into a fresh private directory
  // whose file is shown by the viewer and removed afterwards.
  void fichier_pdf();
  // Writes the text as plain text into "tmp.txt" of the working directory.
  void fichier_texte();
  // Runs the viewer program on the PDF file just written, then removes it.
  void imprime_tmp_pdf();
  // Runs "ghostview tmp.ps", then removes "tmp.ps".
  void imprime_tmp_ps();

  // The widgets, for the window's own tests.
  Fl_Window* window() const { return window_; }
  Fl_Browser* browser() const { return browser_; }
  Fl_FormsText* title_field() const { return title_; }
  Fl_FormsText* page_field() const { return page_field_; }
  Fl_Button* previous_button() const { return previous_; }
  Fl_Button* next_button() const { return next_; }
  Fl_Button* cancel_button() const { return cancel_; }
  Fl_Button* pdf_button() const { return pdf_; }
  Fl_Button* text_button() const { return text_; }
  Fl_Input* page_input() const { return page_input_; }
  Fl_Button* go_button() const { return go_; }
  int current_page() const { return page_; }

 private:
  const char* say(const char* english, const char* french) const;
  // Writes the PDF text to `path`; false when the file cannot be written.
  bool write_pdf(const std::string& path);
  void show_failure(const std::string& file);

  int english_;
  int page_ = 0;
  std::unique_ptr<OFD_afficheur_filtre_affichage> display_;
  std::unique_ptr<OFD_afficheur_filtre_impression> print_;
  std::unique_ptr<OFD_afficheur_filtre_texte> text_filter_;
  std::string viewer_;
  Fl_Window* window_ = nullptr;
  Fl_Window* parent_ = nullptr;
  Fl_FormsText* title_ = nullptr;
  Fl_FormsText* page_field_ = nullptr;
  Fl_Browser* browser_ = nullptr;
  Fl_Button* previous_ = nullptr;
  Fl_Button* next_ = nullptr;
  Fl_Button* cancel_ = nullptr;
  Fl_Button* pdf_ = nullptr;
  Fl_Button* text_ = nullptr;
  Fl_Input* page_input_ = nullptr;
  Fl_Button* go_ = nullptr;

  std::string* lines_ = nullptr;
  int count_ = 0;
  std::string pdf_path_;  // the PDF file that the viewer shows
  std::string pdf_dir_;   // its private directory
};

#endif
