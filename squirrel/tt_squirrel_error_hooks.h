#pragma once
// The engine hooks that turn compile errors and run-time errors into stored exceptions. Internal
// to the script host.
#include <squirrel.h>

#include "squirrel/tt_squirrel_virtual_machine.h"

namespace TtSquirrel {

// The engine's compile-error callback: stores a CompilerException in the machine of the handle
// (a handle of no registered machine is ignored).
void OnCompileError(HSQUIRRELVM handle, const SQChar* description, const SQChar* source_name,
                    SQInteger line, SQInteger column);

// The run-time error handler's body around the wrapped function: stores a RuntimeException built
// from the engine state, then returns what the wrapped function returns.
NativeFunction MakeRuntimeErrorHook(NativeFunction wrapped);

// The script call stack from level 1 outwards (level 0 is the running native function), each
// frame with its local variables in the engine's order.
CallStack CaptureCallStack(HSQUIRRELVM handle);

}  // namespace TtSquirrel
