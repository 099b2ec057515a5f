// The checks that the fuzz targets run on one input, shared by the libFuzzer
// entries and the regression tests. Each returns "" when every invariant
// holds, else a line naming the broken one.
#ifndef KORVANE_TESTS_FUZZ_FUZZ_CHECKS_H
#define KORVANE_TESTS_FUZZ_FUZZ_CHECKS_H

#include <cstddef>
#include <cstdint>
#include <string>

// The GAL reader `parse` on `data` written to a scratch file: read twice
// with the same verdict and the same trace; an accepted model has its
// state and transition lists in agreement, and a basic or parallel model
// with a sound state table gets a determinism verdict that agrees with its
// report.
std::string korvane_fuzz_check_parse(const std::uint8_t* data, std::size_t size);

// `Parse_expression` on `data` over the inputs a, b, c, d, x_1 and @e: a
// text that parses prints, in three syntaxes and at every cover level, to a
// text that parses back to the same function; without a priority prefix
// the two entries agree.
std::string korvane_fuzz_check_expression(const std::uint8_t* data, std::size_t size);

// The paged viewer's filters on the lines of `data`: the page arithmetic;
// the display filter on every page (one display line per line, of the shape
// of its kind and within the widest layout), cut into browser lines; the
// plain text (one text line per line); the PostScript (its strings
// balanced) and the PDF (objects where the cross-reference table says,
// stream lengths and object count exact) read back, drawing the same
// fields and rules.
std::string korvane_fuzz_check_viewer(const std::uint8_t* data, std::size_t size);

// The whole compile path on `data` (a GAL text, optionally after one line
// of command-line options that starts with "-"): the driver's road reads
// and checks the automaton, builds the machine, runs the awaited and
// backtrack passes and writes every target into memory at -O0, -O1 and
// -O2. The generation gives one verdict at every level; a refused one opens
// no target, a finished one writes each target whole. A fatal exit of a
// component (a refusal) is caught. Inputs beyond the small bounds of a run
// are skipped.
std::string korvane_fuzz_check_compile(const std::uint8_t* data, std::size_t size);

// A scratch directory of this process for the files the checks write, on a
// memory file system when there is one; removed with everything in it at
// exit.
const std::string& korvane_fuzz_scratch_directory();

// Sends the standard output and error streams of the library (std::cout,
// std::cerr) nowhere, so that a long campaign does not print each input's
// messages; the sanitizers write on the file descriptor and stay visible.
void korvane_fuzz_quiet_streams();

#endif
