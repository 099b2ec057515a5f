// The one way the program ends on a fatal condition, and the assertion of
// its own invariants.
//
// A component that meets an impossible request writes its message on the
// standard error stream, then calls korvane_fatal_exit: the hooks that
// higher layers registered run (the driver removes the target files it was
// writing), then the process ends with the given status.
#ifndef KORVANE_UTILITIES_FATAL_H
#define KORVANE_UTILITIES_FATAL_H

// A clean-up step run before a fatal exit. It must not call
// korvane_fatal_exit itself.
using korvane_fatal_hook = void (*)();

// Registers `hook` to run on every later fatal exit, the hooks running in
// the reverse order of registration. A hook registered twice runs once.
// At most 8 hooks; one more is a broken invariant (an assertion failure).
void korvane_on_fatal_exit(korvane_fatal_hook hook);

// Runs the registered hooks (each once, even when a hook fails), flushes the
// standard streams and ends the process with `status`, or calls the stop
// handler when one is set. Writes nothing of its own: the caller has written
// its message.
[[noreturn]] void korvane_fatal_exit(int status);

// What a fatal exit does instead of ending the process, for a program that
// runs the components in process on inputs they may refuse and must go on
// after a refusal (the fuzz targets). The handler gets the exit status and
// must not return: it throws, and its caller drops every object of the
// component that stopped. Null, the default, ends the process. Assertion
// failures abort whatever the handler.
using korvane_fatal_stop_handler = void (*)(int status);

// Sets the handler that korvane_fatal_exit calls after the hooks; returns
// the previous one.
korvane_fatal_stop_handler korvane_set_fatal_stop_handler(korvane_fatal_stop_handler handler);

// Writes "internal error: assertion failed: " with the condition's text,
// the file and the line on the standard error stream, runs the hooks and
// aborts (so that a debugger or a sanitizer shows where).
[[noreturn]] void korvane_assertion_failed(const char* condition, const char* file, int line);

// Checks an invariant of our own code, in every build (the checks are cheap
// and a broken invariant must never pass silently).
#define KORVANE_ASSERT(condition) \
  ((condition) ? static_cast<void>(0) : korvane_assertion_failed(#condition, __FILE__, __LINE__))

#endif
