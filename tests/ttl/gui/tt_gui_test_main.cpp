// The main of every test program that drives real windows: the widget set is brought up once,
// then every test runs on the one user-interface thread.
#include <gtest/gtest.h>

#include <cstdio>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_form.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  try {
    TtForm::InitializePlatform();
  } catch (const TtException& e) {
    std::fprintf(stderr, "no display for the window tests (run them under xvfb-run): %s\n",
                 e.Message().c_str());
    return 1;
  }
  int result = RUN_ALL_TESTS();
  TtForm::FinalizePlatform();
  return result;
}
