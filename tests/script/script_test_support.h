#pragma once
// Shared pieces of the script host tests: a machine with the standard libraries, a scratch
// folder, and a helper that returns the exception an action throws.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "script/tt_squirrel_native_api.h"
#include "script/tt_squirrel_virtual_machine.h"

namespace TtSquirrelTest {

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

class ScratchFolder {
public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tt_squirrel_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot make a scratch folder");
    }
    path_ = pattern;
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }

  // Writes a file under its file system name and returns that name.
  std::string Write(const std::string& system_name, const std::string& content) const {
    std::string path = (path_ / system_name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  std::string Path() const { return path_.string(); }

private:
  std::filesystem::path path_;
};

class ScriptHostTest : public ::testing::Test {
protected:
  ScriptHostTest() { machine.RegisterStandardLibraries(); }

  TtSquirrel::NativeAPI Api() { return machine.GetNativeAPI(); }
  long long Top() { return Api().GetTop(); }
  void PushRoot() { Api().PushRootTable(); }

  // Runs script text with the root table as `this`.
  void Run(const std::string& text) {
    machine.RunBuffer(text, "test", [this] { PushRoot(); }, false);
  }
  // Calls the root function of that name with the root table as `this` and no arguments.
  void CallRootFunction(const std::string& name) {
    machine.Call([&] { machine.PushRootSlot(name); },
                 [this] {
                   PushRoot();
                   return 1;
                 },
                 false);
  }

  TtSquirrel::VirtualMachine machine{1024};
};

}  // namespace TtSquirrelTest
