#pragma once
// A piece of a test run in a child process, so that what it changes (a lowered limit, another
// user, the environment) never touches the test program.
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace TarvaneTest {

// What the action returns (99 when it threw), or -1 when the child did not end normally.
inline int RunInChild(const std::function<int()>& action) {
  pid_t child = ::fork();
  if (child == 0) {
    int result = 99;
    try {
      result = action();
    } catch (...) {
    }
    ::_exit(result);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace TarvaneTest
