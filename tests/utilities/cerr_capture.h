// Collects what the code under test writes on std::cerr while in scope.
#ifndef KORVANE_TESTS_UTILITIES_CERR_CAPTURE_H
#define KORVANE_TESTS_UTILITIES_CERR_CAPTURE_H

#include <iostream>
#include <sstream>
#include <string>

class CerrCapture {
public:
  CerrCapture() : saved_(std::cerr.rdbuf(buffer_.rdbuf())) {}
  ~CerrCapture() { std::cerr.rdbuf(saved_); }
  CerrCapture(const CerrCapture&) = delete;
  CerrCapture& operator=(const CerrCapture&) = delete;
  // Everything written so far.
  std::string text() const { return buffer_.str(); }

private:
  std::ostringstream buffer_;
  std::streambuf* saved_;
};

#endif
