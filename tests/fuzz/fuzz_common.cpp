// What the fuzz targets share: quiet standard streams.
#include <iostream>
#include <streambuf>

#include "tests/fuzz/fuzz_checks.h"

namespace {

// A stream buffer that drops everything.
class null_buffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c == traits_type::eof() ? 0 : c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

}  // namespace

void korvane_fuzz_quiet_streams() {
  static null_buffer sink;
  std::cout.rdbuf(&sink);
  std::cerr.rdbuf(&sink);
}
