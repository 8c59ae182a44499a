#include "squirrel/tt_squirrel_object.h"

#include <utility>

#include "squirrel/tt_squirrel_engine_object.h"
#include "squirrel/tt_squirrel_exception.h"
#include "squirrel/tt_squirrel_virtual_machine.h"

namespace TtSquirrel {

Object::Object(VirtualMachine& machine, const EngineObject& handle, bool hold_reference)
    : handle_(handle), machine_(&machine), holds_reference_(hold_reference) {
  AddReference();
}

Object::Object(const Object& other)
    : handle_(other.handle_), machine_(other.machine_), holds_reference_(other.holds_reference_) {
  AddReference();
}

Object::Object(Object&& other) noexcept
    : handle_(other.handle_),
      machine_(other.machine_),
      holds_reference_(std::exchange(other.holds_reference_, false)) {}

Object& Object::operator=(const Object& other) {
  if (this != &other) {
    ReleaseReference();
    handle_ = other.handle_;
    machine_ = other.machine_;
    holds_reference_ = other.holds_reference_;
    AddReference();
  }
  return *this;
}

Object& Object::operator=(Object&& other) noexcept {
  if (this != &other) {
    ReleaseReference();
    handle_ = other.handle_;
    machine_ = other.machine_;
    holds_reference_ = std::exchange(other.holds_reference_, false);
  }
  return *this;
}

Object::~Object() { ReleaseReference(); }

void Object::AddReference() {
  if (holds_reference_ && machine_ != nullptr) {
    HSQOBJECT handle = ToEngineHandle(handle_);
    sq_addref(machine_->GetHandle(), &handle);
  }
}

void Object::ReleaseReference() {
  if (holds_reference_ && machine_ != nullptr) {
    HSQOBJECT handle = ToEngineHandle(handle_);
    sq_release(machine_->GetHandle(), &handle);
  }
}

std::string Object::ToString() const {
  HSQOBJECT handle = ToEngineHandle(handle_);
  const SQChar* text = sq_objtostring(&handle);
  if (text == nullptr) {
    throw ObjectTypeException(GetType(), ObjectType(ObjectTypeCode::String));
  }
  return text;
}

long long Object::ToInteger() const {
  HSQOBJECT handle = ToEngineHandle(handle_);
  return sq_objtointeger(&handle);
}

float Object::ToFloat() const {
  HSQOBJECT handle = ToEngineHandle(handle_);
  return sq_objtofloat(&handle);
}

}  // namespace TtSquirrel
