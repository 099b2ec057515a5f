// Opens one of the panels over sample data, for the documentation's
// screenshots (scripts/screenshots.sh):
//   panel_show viewer   the paged viewer over a small marked-up listing
// Returns when the panel is left (its cancel button or the window manager).
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "panels/message_windows.h"
#include "panels/viewer_window.h"

namespace {

std::vector<std::string> sample_listing() {
  std::vector<std::string> lines = {
      "#C 14T 14T 34T 24T ",
      "#T",
      "state#next#receptivity#actions",
      "#T",
      "idle#armed#start . not stop#clear",
      "armed#running#go#motor",
      "armed#idle#stop#",
      "running#running#not stop . not fault#motor",
      "running#halted#fault#alarm",
      "running#idle#stop#",
      "halted#idle#reset#clear",
      "#T",
  };
  for (int i = 1; i <= 90; ++i) {
    lines.push_back("step " + std::to_string(i) + "#s" + std::to_string(i % 7) +
                    "#tick#count");
  }
  lines.push_back("#T");
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || std::strcmp(argv[1], "viewer") != 0) {
    std::cerr << "usage: panel_show viewer\n";
    return 1;
  }
  if (!korvane_display_available()) {
    std::cerr << "panel_show: no X display\n";
    return 1;
  }
  std::vector<std::string> lines = sample_listing();
  OFD_afficheur viewer(nullptr, 1);
  viewer.activation(lines.data(), static_cast<int>(lines.size()),
                    "Transitions of the controller", "");
  return 0;
}
