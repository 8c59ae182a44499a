#pragma once
// Script text run on a machine from a test, without the engine's headers.
#include <string>

#include "squirrel/tt_squirrel_object.h"
#include "squirrel/tt_squirrel_virtual_machine.h"

namespace TarvaneTest {

// Runs statements with the root table as `this`.
void RunScript(TtSquirrel::VirtualMachine& machine, const std::string& statements);
// The expression's value as the script language writes it after `"" +`.
std::string EvalScript(TtSquirrel::VirtualMachine& machine, const std::string& expression);
// The value of a root expression, held.
TtSquirrel::Object ScriptValue(TtSquirrel::VirtualMachine& machine, const std::string& expression);

}  // namespace TarvaneTest
