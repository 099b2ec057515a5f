// Target files written whole or not at all.
//
// A target is written into a temporary file beside it (same directory,
// named after the target followed by ".korvane-partial-" and six random
// characters, the target's part cut short when the name would pass the
// directory's limit on file names) and renamed over the target only once it
// is complete and closed, so that a run stopped from outside or by a fatal
// limit leaves the previous target whole. The temporaries being written are
// removed by a fatal exit and by the interrupt, quit, termination, hang-up
// and file-size-limit signals; a run killed outright (SIGKILL, power loss)
// can leave one, obviously named.
// A target that is a symbolic link replaces the file the link names, and
// creates it when the link dangles; a link whose file cannot be made (a
// loop, a missing directory) is refused and stays as it is.
// A target that is not a regular file (a device such as /dev/null, a pipe)
// is written directly, as it cannot be replaced; so is a writable target in
// a directory where no temporary may be created.
#ifndef KORVANE_DRIVER_TARGET_FILES_H
#define KORVANE_DRIVER_TARGET_FILES_H

#include <fstream>
#include <string>

// The text that marks a temporary of a target in its name.
extern const char* const korvane_partial_marker;

// One target being written.
struct target_file {
  std::string name;       // the target as the user names it
  std::string final;      // the path renamed over (links to a file resolved)
  std::string temporary;  // the file written, or empty when written directly
  unsigned mode = 0;      // the permissions given to the temporary when complete
  std::ofstream stream;
};

// Opens `target` for writing `name`. Returns false, with nothing created,
// when the target exists and may not be written, when it is a link to no
// file that can be made, or when neither a temporary nor (for a device, or
// a writable target in a directory closed to new files) the target itself
// can be opened. The complete file gets the permissions of the target it
// replaces, else those a plain creation gives.
bool korvane_open_target(target_file& target, const std::string& name);

// Closes the stream and renames the temporary over the target. Returns false
// when something written was lost or the rename failed; the temporary is
// then removed and the previous target stays as it was.
bool korvane_commit_target(target_file& target);

// Closes the stream and removes the temporary, if any.
void korvane_abandon_target(target_file& target);

#endif
