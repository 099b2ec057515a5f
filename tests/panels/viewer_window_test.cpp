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

// A display line far longer than any that a layout allows is cut into
// browser lines that give it back whole, less the one character dropped at
// each cut.
TEST(ViewerWindowText, LongestDisplayLineCutWhole) {
  std::string line;
  for (int i = 0; line.size() < 200000; ++i) line += static_cast<char>('a' + i % 26);
  const std::vector<std::string> lines = viewer_browser_lines(line + "\n");
  ASSERT_EQ(line.size() / 162 + 1, lines.size());
  std::string back;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ASSERT_EQ(i + 1 < lines.size() ? 161u : line.size() % 162, lines[i].size()) << i;
    back += lines[i];
    if (i + 1 < lines.size()) back += line[back.size()];
  }
  EXPECT_EQ(line, back);
}

TEST(ViewerWindowText, PageLabelAndViewerCommand) {
  EXPECT_EQ("page 1 / 2    ", viewer_page_label(1, 2));
  EXPECT_EQ("page 12 / 345    ", viewer_page_label(12, 345));
  EXPECT_EQ("\"pdfview\" tmp.pdf", viewer_command("pdfview", "tmp.pdf"));
  EXPECT_EQ("\"/opt/my viewer\" /tmp/d/tmp.pdf",
            viewer_command("/opt/my viewer", "/tmp/d/tmp.pdf"));
}

}  // namespace
