#include "script/tt_squirrel_virtual_machine.h"

#include <cstdio>
#include <unordered_map>

#include "script/tt_squirrel_error_hooks.h"
#include "script/tt_squirrel_native_api.h"
#include "ttl/tt_exception.h"
#include "ttl/tt_file.h"
#include "ttl/tt_string.h"

namespace TtSquirrel {

namespace {

const char* const kModule = "tt_squirrel_virtual_machine";

// Engine callbacks receive only the engine handle; this finds their machine.
std::unordered_map<EngineHandle, VirtualMachine*>& Registry() {
  static std::unordered_map<EngineHandle, VirtualMachine*> registry;
  return registry;
}

// The whole file, or false when it cannot be opened or read. A UTF-8 byte order mark is skipped
// as the engine's own file loader does.
bool ReadScriptText(const std::string& path, std::string& text) {
  // Only a regular file: a FIFO or a device would wait or read forever.
  TtFile::Handle file;
  try {
    file = TtFile::OpenRegularFileForReading(path);
  } catch (const TtFileAccessException&) {
    return false;
  }
  text.clear();
  char buffer[65536];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof(buffer), file.get())) > 0) {
    text.append(buffer, read);
  }
  if (std::ferror(file.get())) {
    return false;
  }
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    text.erase(0, 3);
  }
  return true;
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
}

void VirtualMachine::DoFile(const std::string& path, bool keep_result) {
  NativeAPI api = GetNativeAPI();
  StackTopGuard guard(*this);
  api.PushRootTable();
  try {
    LoadScriptFile(path);
    api.Push(-2);
    api.Call(1, keep_result, true);
  } catch (const NativeAPIException&) {
    ThrowStoredError();
    throw FileExecutionException(path);
  }
  RethrowPendingNativeException();
  if (keep_result) {
    api.Remove(-2);  // the closure
    api.Remove(-2);  // the root table
    guard.KeepResults(1);
  }
}

// Reads and compiles the file itself rather than through the engine's file loader, because the
// file must be opened by its file system name while compile errors and call stacks must name it
// as the program spells it (CP932).
void VirtualMachine::LoadScriptFile(const std::string& path) {
  NativeAPI api = GetNativeAPI();
  std::string text;
  if (!ReadScriptText(path, text)) {
    throw NativeAPIException("sqstd_loadfile", "cannot open the file");
  }
  api.CompileBuffer(text, path, true);
}

void VirtualMachine::CompileBuffer(const std::string& text, const std::string& source_name) {
  NativeAPI api = GetNativeAPI();
  StackTopGuard guard(*this);
  try {
    api.CompileBuffer(text, source_name, true);
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
  try {
    api.Call(count, keep_result, true);
  } catch (const NativeAPIException&) {
    ThrowStoredError();
    throw;
  }
  if (pending_native_exception_) [[unlikely]] {
    RethrowPendingNativeException();
  }
  if (keep_result) {
    api.Remove(-2);  // the callee below the result
  } else {
    api.PopTop();
  }
}

void VirtualMachine::ThrowStoredError() {
  if (stored_compile_error_) {
    std::shared_ptr<CompilerException> error = std::move(stored_compile_error_);
    throw CompilerException(*error);
  }
  if (stored_runtime_error_) {
    std::shared_ptr<RuntimeException> error = std::move(stored_runtime_error_);
    throw RuntimeException(*error);
  }
}

void VirtualMachine::StoreCompileError(const CompilerException& error) {
  stored_compile_error_ = std::make_shared<CompilerException>(error);
}

void VirtualMachine::StoreRuntimeError(const RuntimeException& error) {
  stored_runtime_error_ = std::make_shared<RuntimeException>(error);
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
