#include "squirrel/tt_squirrel_object_type.h"

#include <squirrel.h>

namespace TtSquirrel {

static_assert(static_cast<std::uint32_t>(ObjectTypeCode::Null) == OT_NULL);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::Integer) == OT_INTEGER);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::Float) == OT_FLOAT);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::Bool) == OT_BOOL);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::String) == OT_STRING);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::Table) == OT_TABLE);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::Array) == OT_ARRAY);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::UserData) == OT_USERDATA);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::Closure) == OT_CLOSURE);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::NativeClosure) == OT_NATIVECLOSURE);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::Generator) == OT_GENERATOR);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::UserPointer) == OT_USERPOINTER);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::Thread) == OT_THREAD);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::FuncProto) == OT_FUNCPROTO);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::Class) == OT_CLASS);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::Instance) == OT_INSTANCE);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::WeakReference) == OT_WEAKREF);
static_assert(static_cast<std::uint32_t>(ObjectTypeCode::Outer) == OT_OUTER);

std::string ObjectType::GetTypeName() const {
  switch (static_cast<ObjectTypeCode>(code_)) {
    case ObjectTypeCode::Null:
      return "Null";
    case ObjectTypeCode::Integer:
      return "Integer";
    case ObjectTypeCode::Float:
      return "Float";
    case ObjectTypeCode::Bool:
      return "Boolean";
    case ObjectTypeCode::String:
      return "String";
    case ObjectTypeCode::Table:
      return "Table";
    case ObjectTypeCode::Array:
      return "Array";
    case ObjectTypeCode::UserData:
      return "UserData";
    case ObjectTypeCode::Closure:
      return "Closure";
    case ObjectTypeCode::NativeClosure:
      return "NativeClosure";
    case ObjectTypeCode::Generator:
      return "Generator";
    case ObjectTypeCode::UserPointer:
      return "UserPointer";
    case ObjectTypeCode::Thread:
      return "Thread";
    case ObjectTypeCode::FuncProto:
      return "FuncProto";
    case ObjectTypeCode::Class:
      return "Class";
    case ObjectTypeCode::Instance:
      return "Instance";
    // The misspelling is the name scripts' error reports have always shown.
    case ObjectTypeCode::WeakReference:
      return "WeakReferrence";
    case ObjectTypeCode::Outer:
      return "Outer";
  }
  return "Unknown";
}

bool ObjectType::CanHoldSlots() const {
  return Is(ObjectTypeCode::Table) || Is(ObjectTypeCode::Class) || Is(ObjectTypeCode::Instance);
}

}  // namespace TtSquirrel
