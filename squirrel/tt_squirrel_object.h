#pragma once
// The handle through which native code keeps a script value: the engine's object handle plus the
// machine it belongs to. An Object that holds a reference keeps the value alive; it must be
// destroyed while its machine is still open.
#include <cstdint>
#include <string>

#include "squirrel/tt_squirrel_object_type.h"

namespace TtSquirrel {

class VirtualMachine;

// The engine's object handle (type code and the raw value word), spelled without the engine's
// headers so that model and window code can hold script values.
struct EngineObject {
  std::uint32_t type_code = static_cast<std::uint32_t>(ObjectTypeCode::Null);
  std::uint64_t raw_value = 0;
};

class Object {
public:
  // Script null of no machine, holding nothing: a placeholder to assign to later.
  Object() = default;
  // Adds an engine reference when hold_reference is true.
  Object(VirtualMachine& machine, const EngineObject& handle, bool hold_reference);
  Object(const Object& other);
  Object(Object&& other) noexcept;
  virtual Object& operator=(const Object& other);
  Object& operator=(Object&& other) noexcept;
  virtual ~Object();

  const EngineObject& GetHandle() const { return handle_; }
  VirtualMachine* GetVirtualMachine() const { return machine_; }
  bool HoldsReference() const { return holds_reference_; }
  ObjectType GetType() const { return ObjectType(handle_.type_code); }
  bool IsNull() const { return GetType().Is(ObjectTypeCode::Null); }

  // The engine's object conversions. A value that is not a string has no string to give, which
  // is an ObjectTypeException; the number conversions give 0 for values that are not numbers.
  std::string ToString() const;
  long long ToInteger() const;
  float ToFloat() const;

  // The same value: equal type code and value word (so two instances are equal only when they
  // are the same instance).
  friend bool operator==(const Object& left, const Object& right) {
    return left.handle_.type_code == right.handle_.type_code &&
           left.handle_.raw_value == right.handle_.raw_value;
  }

private:
  void AddReference();
  void ReleaseReference();

  EngineObject handle_;
  VirtualMachine* machine_ = nullptr;
  bool holds_reference_ = false;
};

}  // namespace TtSquirrel
