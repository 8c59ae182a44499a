#include "squirrel/tt_squirrel_error_hooks.h"

#include <sstream>
#include <utility>

#include "squirrel/tt_squirrel_native_api.h"
#include "squirrel/tt_squirrel_object_type.h"

namespace TtSquirrel {

namespace {

std::string TextOrUnknown(const SQChar* text) { return text != nullptr ? text : "unknown"; }

// How a local variable's value shows in the run-time report.
std::string LocalValueText(HSQUIRRELVM handle, SQInteger index) {
  HSQOBJECT value;
  sq_resetobject(&value);
  sq_getstackobj(handle, index, &value);
  switch (value._type) {
    case OT_FLOAT: {
      std::ostringstream stream;
      stream << sq_objtofloat(&value);
      return stream.str();
    }
    case OT_BOOL:
      return sq_objtobool(&value) ? "true" : "false";
    case OT_INTEGER:
      return std::to_string(sq_objtointeger(&value));
    case OT_STRING:
      return "\"" + std::string(sq_objtostring(&value)) + "\"";
    default:
      return ObjectType(static_cast<std::uint32_t>(value._type)).GetTypeName();
  }
}

std::vector<LocalVariable> CaptureLocals(HSQUIRRELVM handle, SQUnsignedInteger level) {
  std::vector<LocalVariable> locals;
  for (SQUnsignedInteger index = 0;; ++index) {
    const SQChar* name = sq_getlocal(handle, level, index);
    if (name == nullptr) {
      break;
    }
    if (*name == '\0') {
      sq_poptop(handle);
      break;
    }
    locals.push_back(LocalVariable{name, LocalValueText(handle, -1)});
    sq_poptop(handle);
  }
  return locals;
}

// The text of the thrown value: a string as it is, any other value as the engine converts it to
// text (a thrown number or instance would otherwise leave the report without its message).
std::string ErrorValueText(HSQUIRRELVM handle) {
  if (sq_gettype(handle, -1) == OT_STRING) {
    const SQChar* text = nullptr;
    sq_getstring(handle, -1, &text);
    return std::string(text, static_cast<std::size_t>(sq_getsize(handle, -1)));
  }
  std::string text = "unknown";
  SQInteger top = sq_gettop(handle);
  if (SQ_SUCCEEDED(sq_tostring(handle, -1)) && sq_gettype(handle, -1) == OT_STRING) {
    const SQChar* converted = nullptr;
    sq_getstring(handle, -1, &converted);
    text = converted;
  }
  sq_settop(handle, top);
  // A _tostring that failed has made its own error the engine's last one; the value being
  // raised is still this one.
  sq_push(handle, -1);
  sq_throwobject(handle);
  return text;
}

RuntimeException BuildRuntimeException(HSQUIRRELVM handle) {
  std::string message = "unknown";
  CallStack call_stack = CaptureCallStack(handle);
  if (sq_gettop(handle) >= 1) {
    message = TidyEngineText(ErrorValueText(handle));
  }
  return RuntimeException(message, call_stack);
}

}  // namespace

void OnCompileError(HSQUIRRELVM handle, const SQChar* description, const SQChar* source_name,
                    SQInteger line, SQInteger column) {
  VirtualMachine* machine = VirtualMachine::FindRegistered(handle);
  if (machine == nullptr) {
    return;
  }
  machine->StoreCompileError(CompilerException(description != nullptr ? description : "",
                                               source_name != nullptr ? source_name : "",
                                               static_cast<int>(line), static_cast<int>(column)));
}

NativeFunction MakeRuntimeErrorHook(NativeFunction wrapped) {
  return [wrapped = std::move(wrapped)](VirtualMachine& machine) {
    // The error of a native exception on its way back to native code is not a script error. An
    // error that passes back out of a native function was reported where it was raised, with
    // the frames that are gone by now; that report stays.
    if (!machine.HasPendingNativeException() && !machine.IsStoredErrorBeingRaised()) {
      machine.StoreRuntimeError(BuildRuntimeException(machine.GetHandle()));
    }
    return wrapped(machine);
  };
}

CallStack CaptureCallStack(HSQUIRRELVM handle) {
  CallStack call_stack;
  for (SQInteger level = 1;; ++level) {
    SQStackInfos infos{};
    if (SQ_FAILED(sq_stackinfos(handle, level, &infos))) {
      break;
    }
    CallStackFrame frame;
    frame.function_name = TextOrUnknown(infos.funcname);
    frame.source_name = TextOrUnknown(infos.source);
    frame.line = static_cast<int>(infos.line);
    frame.locals = CaptureLocals(handle, static_cast<SQUnsignedInteger>(level));
    call_stack.push_back(std::move(frame));
  }
  return call_stack;
}

}  // namespace TtSquirrel
