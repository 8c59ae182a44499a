#pragma once
// Conversions between the engine's object handle and EngineObject, for the script host's own
// sources (the only code that sees the engine's headers).
#include <squirrel.h>

#include "squirrel/tt_squirrel_object.h"

namespace TtSquirrel {

static_assert(sizeof(SQRawObjectVal) == sizeof(std::uint64_t),
              "the value word of an engine object must fit EngineObject::raw_value");

inline HSQOBJECT ToEngineHandle(const EngineObject& object) {
  HSQOBJECT handle;
  handle._type = static_cast<SQObjectType>(object.type_code);
  handle._unVal.raw = static_cast<SQRawObjectVal>(object.raw_value);
  return handle;
}

inline EngineObject FromEngineHandle(const HSQOBJECT& handle) {
  return EngineObject{static_cast<std::uint32_t>(handle._type),
                      static_cast<std::uint64_t>(handle._unVal.raw)};
}

}  // namespace TtSquirrel
