// What the fuzz targets share: quiet standard streams and a scratch
// directory.
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <streambuf>
#include <system_error>

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

const std::string& korvane_fuzz_scratch_directory() {
  static const std::string path = [] {
    for (const char* base : {"/dev/shm", "/tmp"}) {
      std::string pattern = std::string(base) + "/korvane-fuzz-XXXXXX";
      if (mkdtemp(&pattern[0]) != nullptr) return pattern;
    }
    std::cerr << "korvane fuzz: no scratch directory" << std::endl;
    std::abort();
  }();
  static const bool cleanup = [] {
    return std::atexit([] {
             std::error_code ignored;
             std::filesystem::remove_all(korvane_fuzz_scratch_directory(), ignored);
           }) == 0;
  }();
  (void)cleanup;
  return path;
}
