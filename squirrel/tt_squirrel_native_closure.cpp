// Native functions as script closures: PushNativeClosure and the one engine-level native
// function, the trampoline, through which every script call of a native function runs.
#include <memory>

#include "squirrel/tt_squirrel_native_api.h"
#include "squirrel/tt_squirrel_virtual_machine.h"

namespace TtSquirrel {

namespace {

// The closure's free variable holds a pointer to a heap copy of the function; the engine calls
// this when it frees the closure.
SQInteger ReleaseNativeFunction(SQUserPointer data, SQInteger /*size*/) {
  delete *static_cast<NativeFunction**>(data);
  return 1;
}

std::string DescribeNativeException(const std::exception_ptr& exception) {
  try {
    std::rethrow_exception(exception);
  } catch (const TtException& error) {
    return error.Message();
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return "unknown exception";
  }
}

SQInteger NativeCallbackTrampoline(HSQUIRRELVM handle) {
  VirtualMachine& machine = VirtualMachine::FindByHandle(handle);
  NativeAPI api = machine.GetNativeAPI();
  try {
    NativeFunction* function = *static_cast<NativeFunction**>(api.GetUserData(-1));
    // The function sees only `this` and the arguments.
    api.PopTop();
    return (*function)(machine);
  } catch (const CompilerException& error) {
    machine.StoreCompileError(error);
    return SQ_ERROR;
  } catch (const RuntimeException& error) {
    machine.StoreRuntimeError(error);
    return SQ_ERROR;
  } catch (const NativeAPIException& error) {
    return api.ThrowError("Error in callback: " + error.GetCall() + ":" + error.GetEngineMessage());
  } catch (...) {
    // Unwinding through the engine's frames would leave its call stack behind; the exception
    // goes back to the native code that started the script call instead.
    std::exception_ptr exception = std::current_exception();
    machine.SetPendingNativeException(exception);
    return api.ThrowError("Error in callback: " + DescribeNativeException(exception));
  }
}

}  // namespace

void VirtualMachine::PushNativeClosure(const NativeFunction& function, const std::string& name) {
  NativeAPI api = GetNativeAPI();
  StackTopGuard guard(*this);
  auto copy = std::make_unique<NativeFunction>(function);
  auto* holder = static_cast<NativeFunction**>(api.NewUserData(sizeof(NativeFunction*)));
  *holder = copy.release();
  api.SetReleaseHook(-1, ReleaseNativeFunction);
  api.NewClosure(NativeCallbackTrampoline, 1);
  if (!name.empty()) {
    api.SetNativeClosureName(-1, name);
  }
  guard.KeepResults(1);
}

}  // namespace TtSquirrel
