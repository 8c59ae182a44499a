#pragma once
// Tests that need a tool outside the code (a window manager, a built program, a display) skip
// without it on a developer's machine; under CI (TARVANE_CI set, as .ci/run does) the machine is
// meant to have everything, so a missing tool fails the test instead of hiding it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace TarvaneTest {

inline bool UnderCi() {
  const char* ci = std::getenv("TARVANE_CI");
  return ci && *ci && std::string(ci) != "0";
}

}  // namespace TarvaneTest

// Ends the test (as GTEST_SKIP does) for want of the tool named in why: a skip, or under CI a
// failure.
#define TARVANE_SKIP_FOR_MISSING_TOOL(why)             \
  do {                                                 \
    if (::TarvaneTest::UnderCi()) {                    \
      GTEST_FAIL() << (why) << " (TARVANE_CI is set)"; \
    } else {                                           \
      GTEST_SKIP() << (why);                           \
    }                                                  \
  } while (0)
