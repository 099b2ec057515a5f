// The sample automata shared by the writer tests.
#include <gtest/gtest.h>

#include "explicit_automaton.h"

namespace {

std::vector<explicit_automaton> make_samples() {
  std::vector<explicit_automaton> all;

  all.push_back({"follower", {"go"}, {"on", "edge"}, 2, {{}, {"on"}},
                 {{-1, 0, 0, "1", {}},
                  {0, 1, 0, "go", {"edge"}},
                  {0, 0, 0, "not go", {}},
                  {1, 1, 0, "go", {}},
                  {1, 0, 0, "not go", {}}}});

  all.push_back({"pulse", {}, {"never", "always", "done"}, 2, {{}, {"done"}},
                 {{-1, 0, 0, "1", {}},
                  {0, 1, 0, "1", {"always"}},
                  {1, 1, 0, "1", {"always"}}}});

  all.push_back({"relay_box", {"en_a", "b"}, {"y"}, 1, {},
                 {{-1, 0, 0, "1", {}},
                  {0, 0, 0, "en_a and not b", {"y"}},
                  {0, 0, -1, "1", {}}}});

  all.push_back({"idle", {}, {}, 1, {}, {{-1, 0, 0, "1", {}}}});

  {
    explicit_automaton latch{"latch2", {"a", "b"}, {}, 4, {},
                             {{-1, 2, 0, "1", {}}}};
    const char* const guards[4] = {"not a and not b", "a and not b",
                                   "not a and b", "a and b"};
    for (int s = 0; s < 4; ++s)
      for (int c = 0; c < 4; ++c) latch.transitions.push_back({s, c, 0, guards[c], {}});
    all.push_back(latch);
  }

  all.push_back({"arbiter", {"req1", "req2"}, {"grant1", "grant2"}, 3,
                 {{}, {"grant1"}, {"grant2"}},
                 {{-1, 0, 0, "1", {}},
                  {0, 1, 0, "req1", {}},
                  {0, 2, 1, "req2", {}},
                  {0, 0, -1, "1", {}},
                  {1, 1, 0, "req1", {}},
                  {1, 2, 1, "req2", {}},
                  {1, 0, -1, "1", {}},
                  {2, 2, 0, "req2", {}},
                  {2, 1, 1, "req1", {}},
                  {2, 0, -1, "1", {}}}});

  all.push_back({"controller", {"start", "stop", "fault"},
                 {"motor", "alarm", "ready"}, 3, {{}, {"motor"}, {"alarm"}},
                 {{-1, 0, 0, "1", {}},
                  {0, 1, 0, "start and not fault", {}},
                  {0, 2, 0, "fault", {}},
                  {0, 0, 0, "not start and not fault", {}},
                  {1, 0, 0, "stop and not fault", {"ready"}},
                  {1, 2, 0, "fault", {}},
                  {1, 1, 0, "not stop and not fault", {}},
                  {2, 0, 0, "stop", {"ready"}},
                  {2, 2, 0, "not stop", {}}}});

  // Raises "hit" on the transition that completes 1,0,1 and keeps "seen"
  // up in the two states reached after it.
  all.push_back({"detector", {"x"}, {"hit", "seen"}, 5,
                 {{}, {}, {}, {"seen"}, {"seen"}},
                 {{-1, 0, 0, "1", {}},
                  {0, 1, 0, "x", {}},
                  {0, 0, -1, "1", {}},
                  {1, 2, 0, "not x", {}},
                  {1, 1, -1, "1", {}},
                  {2, 3, 0, "x", {"hit"}},
                  {2, 0, -1, "1", {}},
                  {3, 4, 0, "x", {}},
                  {3, 2, -1, "1", {}},
                  {4, 2, 0, "not x", {}},
                  {4, 4, 1, "(x)", {}}}});
  // Output y on "a or b": two products in every cover.
  all.push_back({"either", {"a", "b"}, {"y"}, 1, {},
                 {{-1, 0, 0, "1", {}},
                  {0, 0, 0, "a or b", {"y"}},
                  {0, 0, -1, "1", {}}}});

  // State 2 only leaves, so no transition ever sets bit 1.
  all.push_back({"stuck", {"t"}, {}, 3, {},
                 {{-1, 0, 0, "1", {}},
                  {0, 1, 0, "t", {}},
                  {0, 0, 0, "not t", {}},
                  {1, 0, 0, "1", {}},
                  {2, 0, 0, "1", {}}}});
  return all;
}

}  // namespace

const explicit_automaton& sample_automaton(const std::string& name) {
  static const std::vector<explicit_automaton> samples = make_samples();
  for (const auto& a : samples)
    if (a.name == name) return a;
  ADD_FAILURE() << "no sample automaton named " << name;
  return samples.front();
}
