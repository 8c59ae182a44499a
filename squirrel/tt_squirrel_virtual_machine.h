#pragma once
// The script host: one engine virtual machine with the operations the program uses on it.
//
// Stack discipline: operations never take raw script values. They take pushers, function objects
// that push one value each (Pusher) or that push a call's `this` and arguments and return how
// many they pushed (ArgumentPusher). Every operation restores the stack top it found, leaving at
// most the one result it documents, also when it throws.
//
// Errors: a failing checked engine call throws NativeAPIException. Compile and run-time errors
// are captured by engine hooks into a stored exception on the machine, and the operation that
// started the failing work throws the stored one, so the user sees the script's own error. An
// error stays stored only while it is on its way out: each engine call that native code starts
// begins with none stored, and one that succeeds forgets what a script caught on the way.
#include <concepts>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "squirrel/tt_squirrel_exception.h"
#include "squirrel/tt_squirrel_object.h"
#include "squirrel/tt_squirrel_object_type.h"

struct SQVM;

namespace TtSquirrel {

class NativeAPI;
class SlotKey;
class VirtualMachine;

// The engine's handle of a virtual machine.
using EngineHandle = SQVM*;
// Pushes exactly one value (the operations rely on it: a pusher that pushes more or fewer leaves
// the stack wrong). This is the type to keep a pusher in; operations take any function object.
using Pusher = std::function<void()>;
// Pushes a call's `this` and its arguments; returns exactly how many values it pushed (`this`
// included).
using ArgumentPusher = std::function<int()>;
// The body of a script-callable native function. On entry the stack holds the call's `this` and
// its arguments, the last argument on top. Returns 1 when it leaves its result on top, 0 for no
// result, a negative value for an error.
using NativeFunction = std::function<int(VirtualMachine&)>;

// What the operations take for a Pusher or an ArgumentPusher: a non-owning reference to any
// function object of that shape (a lambda, a Pusher, ...), valid while the operation runs. It
// spares the script call path the cost of wrapping every pusher in a std::function.
template <class Signature>
class FunctionRef;

template <class Result, class... Arguments>
class FunctionRef<Result(Arguments...)> {
public:
  template <class F>
  requires(std::is_invocable_r_v<Result, F&, Arguments...> &&
           !std::is_same_v<std::remove_cvref_t<F>, FunctionRef>) FunctionRef(F&& function)
  noexcept
      : object_(const_cast<void*>(static_cast<const void*>(std::addressof(function)))),
        call_([](void* object, Arguments... arguments) -> Result {
          return (*static_cast<std::remove_reference_t<F>*>(object))(
              std::forward<Arguments>(arguments)...);
        }) {}

  Result operator()(Arguments... arguments) const {
    return call_(object_, std::forward<Arguments>(arguments)...);
  }

private:
  void* object_;
  Result (*call_)(void*, Arguments...);
};

using PusherRef = FunctionRef<void()>;
using ArgumentPusherRef = FunctionRef<int()>;

// Stack index of the n-th value counted from the top (0 is the top, -1).
constexpr int StackIndex(int n) { return -1 - n; }

// A value for NewSlot: a Pusher, a string, an integer or null (nullptr).
class SlotValue {
public:
  template <class F>
  requires std::invocable<F&> SlotValue(F&& pusher)
      : kind_(Kind::Pusher), pusher_(std::forward<F>(pusher)) {}
  SlotValue(const std::string& text) : kind_(Kind::String), text_(text) {}
  SlotValue(const char* text) : kind_(Kind::String), text_(text) {}
  template <std::integral T>
  requires(!std::same_as<T, bool>) SlotValue(T integer)
      : kind_(Kind::Integer), integer_(static_cast<long long>(integer)) {}
  SlotValue(std::nullptr_t) : kind_(Kind::Null) {}

  void PushOnto(VirtualMachine& machine) const;

private:
  enum class Kind { Pusher, String, Integer, Null };
  Kind kind_;
  Pusher pusher_;
  std::string text_;
  long long integer_ = 0;
};

class VirtualMachine {
public:
  // Opens an engine VM with the given initial stack size (slots), registers it and installs the
  // compile-error hook and the run-time error hook.
  explicit VirtualMachine(int initial_stack_size);
  // Removes the registry entry and closes the engine VM.
  virtual ~VirtualMachine();
  VirtualMachine(const VirtualMachine&) = delete;
  VirtualMachine& operator=(const VirtualMachine&) = delete;

  // The machine of an engine handle; InternalException when the handle is not registered.
  static VirtualMachine& FindByHandle(EngineHandle handle);
  // The same lookup without the exception: null when the handle is not registered.
  static VirtualMachine* FindRegistered(EngineHandle handle) noexcept;

  EngineHandle GetHandle() const { return handle_; }
  // The checked mirror of the engine's C interface (squirrel/tt_squirrel_native_api.h).
  NativeAPI GetNativeAPI();

  // Registers the blob, io, system, math and string libraries in the root table. No print
  // function is installed, so the script functions print and error write nowhere. The
  // functions that compile (compilestring, loadfile, dofile) are replaced by ones that refuse
  // nesting too deep for the compiler, and that also read compiled script files.
  void RegisterStandardLibraries();

  // Runs a script file with the root table as `this`; leaves its return value when asked.
  // Throws the stored CompilerException or RuntimeException, or FileExecutionException when the
  // file cannot be opened or read.
  void DoFile(const std::string& path, bool keep_result);
  // Pushes the compiled closure of the text; compile errors throw the stored CompilerException.
  void CompileBuffer(const std::string& text, const std::string& source_name);
  // Compiles the text and calls it with the `this` that this_pusher pushes.
  void RunBuffer(const std::string& text, const std::string& source_name, PusherRef this_pusher,
                 bool keep_result);
  // Calls the callee with the pushed `this` and arguments; leaves the return value when asked.
  // The callee is a Pusher and the arguments an ArgumentPusher (or any function object of that
  // shape, such as a lambda). A run-time error in the script throws its RuntimeException; a
  // callee that cannot be called throws NativeAPIException ("sq_call"). Inline, because every
  // cell and every comparison of the table is one call, and inlined pushers cost less.
  template <class Callee, class Arguments>
  requires(std::is_invocable_v<Callee&>&& std::is_invocable_r_v<int, Arguments&>) void Call(
      Callee&& callee, Arguments&& arguments, bool keep_result);
  // Pushes a native closure whose body is the function (an empty name leaves it unnamed). Set a
  // parameter check afterwards with NativeAPI::SetParamsCheck when one is wanted.
  void PushNativeClosure(const NativeFunction& function, const std::string& name);

  // Script values held by native code. An Object of another machine is an InternalException.
  void PushObject(const Object& object);
  Object GetObject(int index, bool hold_reference);
  Object GetTopObject(bool hold_reference) { return GetObject(-1, hold_reference); }
  Object MakeNullObject(bool hold_reference);

  // Pushes root[name]; a missing slot is NativeAPIException ("sq_get").
  void PushRootSlot(std::string_view name);
  // Pushes root.name1.name2..., one step at a time; a missing slot is GetOperationException.
  void PushPath(const std::vector<std::string>& names);
  // Pushes container[key] for the container at the index; a missing key is
  // GetOperationException ("string : key" or "integer : key").
  void GetSlot(int index, std::string_view key);
  void GetSlot(int index, long long key);
  void GetSlot(int index, const SlotKey& key);
  // Pushes target[key]; a missing key is NativeAPIException ("sq_get").
  void Get(PusherRef target, std::string_view key);
  void Get(PusherRef target, long long key);
  // target.key <- value (static on classes when asked). A target that is not a table, class or
  // instance is ObjectHasNotSlotException.
  void NewSlot(PusherRef target, std::string_view key, const SlotValue& value, bool is_static);
  void NewSlot(int target_index, std::string_view key, const SlotValue& value, bool is_static);
  void NewRootSlot(std::string_view name, PusherRef value);
  // Assigns an existing slot of the value at the index (the engine set creates no slots).
  void SetSlot(int index, std::string_view name, PusherRef value);
  void SetSlot(int index, const SlotKey& name, PusherRef value);
  void ArrayAppend(PusherRef array, PusherRef value);
  // The engine's instance test; a value that is not an instance, or a class that is not a class,
  // is NativeAPIException ("sq_instanceof", "invalid param type").
  bool InstanceOf(PusherRef class_pusher, PusherRef value);
  bool InstanceOf(PusherRef class_pusher, int value_index);
  ObjectType GetType(int index);

  // Throws the stored error, compile or run-time (taking it: nothing is stored afterwards), or
  // returns when none is stored.
  void ThrowStoredError();
  // Used by the engine hooks and the native callback trampoline. One error is stored at a time:
  // a new one replaces the stored one, of either kind. Each remembers the script value that the
  // engine raises for it (a compile error's description; for a run-time error the engine's
  // current error), so that the hook can tell the same error passing an outer level.
  void StoreCompileError(const CompilerException& error);
  void StoreRuntimeError(const RuntimeException& error);
  bool HasStoredCompileError() const { return stored_compile_error_ != nullptr; }
  bool HasStoredRuntimeError() const { return stored_runtime_error_ != nullptr; }
  // Whether the stored error is the one the engine is raising now: it was reported further in,
  // where it was raised, and the outer levels that it passes keep that report.
  bool IsStoredErrorBeingRaised();
  // Forgets the stored error: a script handled it.
  void ClearStoredError();

  // An exception that is not a script error, thrown by a native function, is carried across the
  // engine instead of unwinding through it (which would leave the engine's call frames behind):
  // the trampoline keeps it here and the native code that started the script call rethrows it.
  void SetPendingNativeException(std::exception_ptr exception);
  bool HasPendingNativeException() const { return pending_native_exception_ != nullptr; }
  void RethrowPendingNativeException();

private:
  // The engine call of Call: the callee lies below the `count` values on top. Leaves the result
  // in the callee's place when asked, else nothing.
  void CallPushed(int count, bool keep_result);
  long long GetTopOfStack() const;
  void SetTopOfStack(long long top);
  class NestingGuardedReader;
  // Pushes the file's closure: read back from a compiled script file, or compiled from text
  // (compile errors go to the hook when raise_error is set).
  void LoadScriptFile(const std::string& path, bool raise_error);
  // Compiles the text with its nesting guarded (NestingGuardedReader); pushes the closure.
  void CompileText(const std::string& text, const std::string& source_name, bool raise_error);
  // LoadScriptFile for the script functions: false, with the engine's error set, on failure; a
  // compile error is stored.
  bool LoadScriptFileForScript(const std::string& path);
  // The result of a script function whose compile failed: the stored compile error, unless it is
  // to be reported as one, becomes the error raised to the script, naming source, line and
  // column.
  int FailCompileForScript(bool report_compile_error);
  void RegisterGuardedCompileFunctions();
  void NewRootFunction(const char* name, int parameter_count, const char* type_mask,
                       const NativeFunction& function);
  void PushKey(std::string_view key);
  void PushKey(long long key);
  void PushKey(const SlotKey& key);
  template <class Key>
  void GetSlotOf(int index, const Key& key);
  template <class Key>
  void GetFrom(PusherRef target, const Key& key);
  void NewSlotOnTop(std::string_view key, const SlotValue& value, bool is_static);

  EngineHandle handle_;
  std::shared_ptr<CompilerException> stored_compile_error_;
  std::shared_ptr<RuntimeException> stored_runtime_error_;
  // The script value raised for the stored error, held until the error is taken or forgotten.
  Object stored_error_value_;
  std::exception_ptr pending_native_exception_;
};

// A slot name made into a script string once. Lookups that run for every cell and every
// comparison push it instead of the text, which the engine would otherwise hash and look up in
// its string table each time. Destroy it while its machine is still open.
class SlotKey {
public:
  SlotKey(VirtualMachine& machine, std::string_view name);

  const std::string& name() const { return name_; }
  const Object& object() const { return object_; }

private:
  std::string name_;
  Object object_;
};

// Records the stack top and sets it back when the scope ends, so that an operation leaves no
// stray values behind also when it throws. KeepResults(n) leaves n results above the entry top.
class StackTopGuard {
public:
  explicit StackTopGuard(VirtualMachine& machine);
  ~StackTopGuard();
  StackTopGuard(const StackTopGuard&) = delete;
  StackTopGuard& operator=(const StackTopGuard&) = delete;

  void KeepResults(int count) { kept_results_ = count; }
  long long GetEntryTop() const { return entry_top_; }

private:
  EngineHandle handle_;
  long long entry_top_;
  int kept_results_ = 0;
};

template <class Callee, class Arguments>
requires(std::is_invocable_v<Callee&>&& std::is_invocable_r_v<
         int, Arguments&>) void VirtualMachine::Call(Callee&& callee, Arguments&& arguments,
                                                     bool keep_result) {
  // On success the engine has replaced the arguments by the result and CallPushed removes the
  // callee, so the top is right without being set; a failure sets it back.
  long long entry_top = GetTopOfStack();
  try {
    callee();
    int count = arguments();
    CallPushed(count, keep_result);
  } catch (...) {
    SetTopOfStack(entry_top);
    throw;
  }
}

}  // namespace TtSquirrel
