// The fatal exit and the assertion failure; see fatal.h.
#include "utilities/fatal.h"

#include <cstdlib>
#include <iostream>

namespace {

constexpr int kMaxHooks = 8;

// The registered hooks, oldest first. Plain storage: registration may happen
// from static initialisers and the hooks may run from exit paths.
korvane_fatal_hook hooks[kMaxHooks] = {};
int hook_count = 0;

// Called instead of std::exit when set.
korvane_fatal_stop_handler stop_handler = nullptr;

// Runs each hook once, newest first; a hook that ends the process through a
// nested fatal exit finds the list already emptied.
void run_hooks() {
  while (hook_count > 0) {
    korvane_fatal_hook hook = hooks[--hook_count];
    hooks[hook_count] = nullptr;
    hook();
  }
}

}  // namespace

void korvane_on_fatal_exit(korvane_fatal_hook hook) {
  for (int i = 0; i < hook_count; ++i)
    if (hooks[i] == hook) return;
  KORVANE_ASSERT(hook_count < kMaxHooks);
  hooks[hook_count++] = hook;
}

korvane_fatal_stop_handler korvane_set_fatal_stop_handler(korvane_fatal_stop_handler handler) {
  const korvane_fatal_stop_handler previous = stop_handler;
  stop_handler = handler;
  return previous;
}

void korvane_fatal_exit(int status) {
  run_hooks();
  std::cout.flush();
  std::cerr.flush();
  if (stop_handler != nullptr) {
    stop_handler(status);
    // A handler that returns breaks its contract: nothing can go on.
    korvane_assertion_failed("the fatal stop handler returned", __FILE__, __LINE__);
  }
  std::exit(status);
}

void korvane_assertion_failed(const char* condition, const char* file, int line) {
  std::cerr << "internal error: assertion failed: " << condition << " (" << file << ":" << line
            << ")" << std::endl;
  run_hooks();
  std::abort();
}
