#pragma once
// The exception an action throws, for tests that check what it carries.
#include <gtest/gtest.h>

#include <stdexcept>

namespace TarvaneTest {

// The exception of type E that the action throws; a test failure when it throws none.
template <class E, class Action>
E CatchException(Action&& action) {
  try {
    action();
  } catch (const E& error) {
    return error;
  }
  ADD_FAILURE() << "the expected exception was not thrown";
  throw std::logic_error("the expected exception was not thrown");
}

}  // namespace TarvaneTest
