// Collects what the code under test writes on a standard stream while in
// scope, then gives the stream its buffer back.
#ifndef KORVANE_TESTS_SUPPORT_CAPTURE_H
#define KORVANE_TESTS_SUPPORT_CAPTURE_H

#include <iostream>
#include <ostream>
#include <sstream>
#include <string>

namespace ktest {

class stream_capture {
 public:
  explicit stream_capture(std::ostream& stream)
      : stream_(stream), saved_(stream.rdbuf(buffer_.rdbuf())) {}
  ~stream_capture() { stream_.rdbuf(saved_); }
  stream_capture(const stream_capture&) = delete;
  stream_capture& operator=(const stream_capture&) = delete;
  // Everything written so far.
  std::string text() const { return buffer_.str(); }

 private:
  std::ostream& stream_;
  std::ostringstream buffer_;
  std::streambuf* saved_;
};

}  // namespace ktest

#endif
