#include "squirrel/tt_squirrel_virtual_machine.h"

#include <unordered_map>

#include "squirrel/tt_squirrel_error_hooks.h"
#include "squirrel/tt_squirrel_native_api.h"

namespace TtSquirrel {

namespace {

const char* const kModule = "tt_squirrel_virtual_machine";

// Engine callbacks receive only the engine handle; this finds their machine.
std::unordered_map<EngineHandle, VirtualMachine*>& Registry() {
  static std::unordered_map<EngineHandle, VirtualMachine*> registry;
  return registry;
}

// suspend() for the scripts. The program's own machine runs every script call to its end and
// reads the result; left suspended it would refuse every later call, so there suspend() is a
// script error. A thread that a script made (newthread) may suspend as the engine allows.
SQInteger SuspendOnlyThreads(HSQUIRRELVM handle) {
  if (VirtualMachine::FindRegistered(handle) != nullptr) {
    return sq_throwerror(handle, "suspend() can only be used in a thread made with newthread()");
  }
  return sq_suspendvm(handle);
}

}  // namespace

VirtualMachine::VirtualMachine(int initial_stack_size) : handle_(sq_open(initial_stack_size)) {
  if (handle_ == nullptr) {
    throw InternalException(kModule, __LINE__);
  }
  Registry()[handle_] = this;
  try {
    NativeAPI api = GetNativeAPI();
    api.SetCompilerErrorHandler(OnCompileError);
    PushNativeClosure(MakeRuntimeErrorHook([](VirtualMachine&) { return 0; }), "");
    api.SetErrorHandler();
  } catch (...) {
    Registry().erase(handle_);
    sq_close(handle_);
    throw;
  }
}

VirtualMachine::~VirtualMachine() {
  stored_error_value_ = Object();
  Registry().erase(handle_);
  sq_close(handle_);
}

VirtualMachine& VirtualMachine::FindByHandle(EngineHandle handle) {
  VirtualMachine* machine = FindRegistered(handle);
  if (machine == nullptr) {
    throw InternalException(kModule, __LINE__);
  }
  return *machine;
}

VirtualMachine* VirtualMachine::FindRegistered(EngineHandle handle) noexcept {
  auto found = Registry().find(handle);
  return found != Registry().end() ? found->second : nullptr;
}

NativeAPI VirtualMachine::GetNativeAPI() { return NativeAPI(&handle_); }

void VirtualMachine::RegisterStandardLibraries() {
  NativeAPI api = GetNativeAPI();
  StackTopGuard guard(*this);
  api.PushRootTable();
  api.RegisterBlobLib();
  api.RegisterIOLib();
  api.RegisterSystemLib();
  api.RegisterMathLib();
  api.RegisterStringLib();
  RegisterGuardedCompileFunctions();
  api.PushString("suspend");
  api.NewClosure(SuspendOnlyThreads, 0);
  api.SetNativeClosureName(-1, "suspend");
  api.NewSlot(-3, false);
}

void VirtualMachine::DoFile(const std::string& path, bool keep_result) {
  NativeAPI api = GetNativeAPI();
  StackTopGuard guard(*this);
  api.PushRootTable();
  ClearStoredError();
  try {
    LoadScriptFile(path, true);
    api.Push(-2);
    api.Call(1, keep_result, true);
  } catch (const NativeAPIException&) {
    ThrowStoredError();
    throw FileExecutionException(path);
  }
  RethrowPendingNativeException();
  ClearStoredError();
  if (keep_result) {
    api.Remove(-2);  // the closure
    api.Remove(-2);  // the root table
    guard.KeepResults(1);
  }
}

void VirtualMachine::CompileBuffer(const std::string& text, const std::string& source_name) {
  StackTopGuard guard(*this);
  ClearStoredError();
  try {
    CompileText(text, source_name, true);
  } catch (const NativeAPIException&) {
    ThrowStoredError();
    throw;
  }
  guard.KeepResults(1);
}

void VirtualMachine::RunBuffer(const std::string& text, const std::string& source_name,
                               PusherRef this_pusher, bool keep_result) {
  Call([&] { CompileBuffer(text, source_name); },
       [&] {
         this_pusher();
         return 1;
       },
       keep_result);
}

long long VirtualMachine::GetTopOfStack() const { return sq_gettop(handle_); }
void VirtualMachine::SetTopOfStack(long long top) { sq_settop(handle_, top); }

void VirtualMachine::CallPushed(int count, bool keep_result) {
  NativeAPI api = GetNativeAPI();
  // Tested here first: every cell and every comparison of the table passes this way.
  if (stored_compile_error_ || stored_runtime_error_) [[unlikely]] {
    ClearStoredError();
  }
  try {
    api.Call(count, keep_result, true);
  } catch (const NativeAPIException&) {
    ThrowStoredError();
    throw;
  }
  if (pending_native_exception_) [[unlikely]] {
    RethrowPendingNativeException();
  }
  if (stored_compile_error_ || stored_runtime_error_) [[unlikely]] {
    ClearStoredError();
  }
  if (keep_result) {
    api.Remove(-2);  // the callee below the result
  } else {
    api.PopTop();
  }
}

void VirtualMachine::ThrowStoredError() {
  std::shared_ptr<CompilerException> compile_error = std::move(stored_compile_error_);
  std::shared_ptr<RuntimeException> runtime_error = std::move(stored_runtime_error_);
  ClearStoredError();
  if (compile_error) {
    throw CompilerException(*compile_error);
  }
  if (runtime_error) {
    throw RuntimeException(*runtime_error);
  }
}

void VirtualMachine::StoreCompileError(const CompilerException& error) {
  ClearStoredError();
  stored_compile_error_ = std::make_shared<CompilerException>(error);
  // The engine raises the description as a string, and equal strings are one engine value.
  NativeAPI api = GetNativeAPI();
  api.PushString(error.GetDescription());
  stored_error_value_ = GetTopObject(true);
  api.Pop(1);
}

void VirtualMachine::StoreRuntimeError(const RuntimeException& error) {
  ClearStoredError();
  stored_runtime_error_ = std::make_shared<RuntimeException>(error);
  NativeAPI api = GetNativeAPI();
  api.GetLastError();
  stored_error_value_ = GetTopObject(true);
  api.Pop(1);
}

bool VirtualMachine::IsStoredErrorBeingRaised() {
  if (!stored_compile_error_ && !stored_runtime_error_) {
    return false;
  }
  NativeAPI api = GetNativeAPI();
  api.GetLastError();
  const bool same = GetTopObject(false) == stored_error_value_;
  api.Pop(1);
  return same;
}

void VirtualMachine::ClearStoredError() {
  stored_compile_error_.reset();
  stored_runtime_error_.reset();
  stored_error_value_ = Object();
}

void VirtualMachine::SetPendingNativeException(std::exception_ptr exception) {
  // The first one is the cause; a later one can only follow from it.
  if (!pending_native_exception_) {
    pending_native_exception_ = std::move(exception);
  }
}

void VirtualMachine::RethrowPendingNativeException() {
  if (pending_native_exception_) {
    std::exception_ptr exception = std::move(pending_native_exception_);
    pending_native_exception_ = nullptr;
    std::rethrow_exception(exception);
  }
}

StackTopGuard::StackTopGuard(VirtualMachine& machine)
    : handle_(machine.GetHandle()), entry_top_(sq_gettop(handle_)) {}

StackTopGuard::~StackTopGuard() {
  // Reading the top is much cheaper than setting it, and after a well-behaved operation it is
  // already right.
  long long wanted_top = entry_top_ + kept_results_;
  if (sq_gettop(handle_) != wanted_top) {
    sq_settop(handle_, wanted_top);
  }
}

}  // namespace TtSquirrel
