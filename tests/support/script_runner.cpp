#include "tests/support/script_runner.h"

#include "squirrel/tt_squirrel_native_api.h"

namespace TarvaneTest {

void RunScript(TtSquirrel::VirtualMachine& machine, const std::string& statements) {
  machine.RunBuffer(
      statements, "test", [&] { machine.GetNativeAPI().PushRootTable(); }, false);
}

std::string EvalScript(TtSquirrel::VirtualMachine& machine, const std::string& expression) {
  machine.RunBuffer(
      "return \"\" + (" + expression + ");", "test",
      [&] { machine.GetNativeAPI().PushRootTable(); }, true);
  std::string text = machine.GetTopObject(false).ToString();
  machine.GetNativeAPI().Pop(1);
  return text;
}

TtSquirrel::Object ScriptValue(TtSquirrel::VirtualMachine& machine, const std::string& expression) {
  machine.RunBuffer(
      "return " + expression + ";", "test", [&] { machine.GetNativeAPI().PushRootTable(); }, true);
  TtSquirrel::Object value = machine.GetTopObject(true);
  machine.GetNativeAPI().Pop(1);
  return value;
}

}  // namespace TarvaneTest
