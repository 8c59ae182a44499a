#pragma once
// Shared pieces of the engine wrapper's tests: a machine with the standard libraries.
#include <gtest/gtest.h>

#include <string>

#include "squirrel/tt_squirrel_native_api.h"
#include "squirrel/tt_squirrel_virtual_machine.h"
#include "tests/support/catch_exception.h"
#include "tests/support/scratch_folder.h"

namespace TarvaneTest {

class ScriptHostTest : public ::testing::Test {
protected:
  ScriptHostTest() { machine.RegisterStandardLibraries(); }

  TtSquirrel::NativeAPI Api() { return machine.GetNativeAPI(); }
  long long Top() { return Api().GetTop(); }
  void PushRoot() { Api().PushRootTable(); }

  // Runs script text with the root table as `this`.
  void Run(const std::string& text) {
    machine.RunBuffer(
        text, "test", [this] { PushRoot(); }, false);
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

}  // namespace TarvaneTest
