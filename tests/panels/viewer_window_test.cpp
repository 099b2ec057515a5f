// The viewer window's text helpers, without a display.
#include "panels/viewer_window.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(ViewerWindowText, BrowserLinesCutAt161Characters) {
  const std::string a161(161, 'a');
  struct row {
    std::string page;
    std::vector<std::string> lines;
  };
  const std::vector<row> rows = {
      {"", {}},
      {"\n", {""}},
      {"one\ntwo\n", {"one", "two"}},
      {a161 + "\n", {a161}},
      {a161 + "b\n", {a161, ""}},
      {a161 + "bc\n", {a161, "c"}},
      {a161 + "b" + a161 + "\n", {a161, a161}},
      {a161 + "b" + a161 + "b\n", {a161, a161, ""}},
      {"x\n" + a161 + "bz\ny\n", {"x", a161, "z", "y"}},
  };
  for (const row& r : rows) {
    EXPECT_EQ(r.lines, viewer_browser_lines(r.page)) << r.page.size() << " characters";
  }
}

TEST(ViewerWindowText, PageLabelAndViewerCommand) {
  EXPECT_EQ("page 1 / 2    ", viewer_page_label(1, 2));
  EXPECT_EQ("page 12 / 345    ", viewer_page_label(12, 345));
  EXPECT_EQ("\"pdfview\" tmp.pdf", viewer_command("pdfview", "tmp.pdf"));
  EXPECT_EQ("\"/opt/my viewer\" /tmp/d/tmp.pdf",
            viewer_command("/opt/my viewer", "/tmp/d/tmp.pdf"));
}

}  // namespace
