// What the fuzz targets share: quiet standard streams.
#include <cstdlib>
#include <iostream>
#include <streambuf>

#include "fuzz_checks.h"

namespace {

// A stream buffer that drops everything.
class null_buffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c == traits_type::eof() ? 0 : c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

}  // namespace

void korvane_fuzz_quiet_streams() {
  // Never destroyed: the standard streams are flushed at exit, after the
  // function-local statics are gone.
  static null_buffer* const sink = new null_buffer;
  std::cout.rdbuf(sink);
  std::cerr.rdbuf(sink);
  // The GAL writer shows its warnings in a message window when a display is
  // open: without one they go to the (silenced) error stream instead of
  // waiting for a click.
  unsetenv("DISPLAY");
}
