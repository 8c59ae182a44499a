// The VirtualMachine operations on values and slots: objects, root slots, paths, get, new slot,
// set, array append and the instance test.
#include "squirrel/tt_squirrel_engine_object.h"
#include "squirrel/tt_squirrel_native_api.h"
#include "squirrel/tt_squirrel_virtual_machine.h"

namespace TtSquirrel {

namespace {

const char* const kModule = "tt_squirrel_virtual_machine";

std::string KeyText(std::string_view key) { return "string : " + std::string(key); }
std::string KeyText(long long key) { return "integer : " + std::to_string(key); }
std::string KeyText(const SlotKey& key) { return KeyText(key.name()); }

// An index below the top names one value deeper once something has been pushed above it.
int IndexAfterOnePush(int index) { return index < 0 ? index - 1 : index; }

}  // namespace

void SlotValue::PushOnto(VirtualMachine& machine) const {
  NativeAPI api = machine.GetNativeAPI();
  switch (kind_) {
    case Kind::Pusher:
      pusher_();
      break;
    case Kind::String:
      api.PushString(text_);
      break;
    case Kind::Integer:
      api.PushInteger(integer_);
      break;
    case Kind::Null:
      api.PushNull();
      break;
  }
}

void VirtualMachine::PushObject(const Object& object) {
  // A value of another machine would corrupt this one's reference counts.
  if (object.GetVirtualMachine() != nullptr && object.GetVirtualMachine() != this) {
    throw InternalException(kModule, __LINE__);
  }
  sq_pushobject(handle_, ToEngineHandle(object.GetHandle()));
}

Object VirtualMachine::GetObject(int index, bool hold_reference) {
  return Object(*this, FromEngineHandle(GetNativeAPI().GetStackObject(index)), hold_reference);
}

Object VirtualMachine::MakeNullObject(bool hold_reference) {
  return Object(*this, EngineObject{}, hold_reference);
}

void VirtualMachine::PushRootSlot(std::string_view name) {
  Get([this] { GetNativeAPI().PushRootTable(); }, name);
}

void VirtualMachine::PushPath(const std::vector<std::string>& names) {
  NativeAPI api = GetNativeAPI();
  StackTopGuard guard(*this);
  api.PushRootTable();
  for (const std::string& name : names) {
    GetSlot(-1, name);
    api.Remove(-2);
  }
  guard.KeepResults(1);
}

void VirtualMachine::PushKey(std::string_view key) { GetNativeAPI().PushString(key); }

void VirtualMachine::PushKey(long long key) { GetNativeAPI().PushInteger(key); }

void VirtualMachine::PushKey(const SlotKey& key) { PushObject(key.object()); }

SlotKey::SlotKey(VirtualMachine& machine, std::string_view name) : name_(name) {
  StackTopGuard guard(machine);
  machine.GetNativeAPI().PushString(name);
  object_ = machine.GetTopObject(true);
}

template <class Key>
void VirtualMachine::GetSlotOf(int index, const Key& key) {
  NativeAPI api = GetNativeAPI();
  StackTopGuard guard(*this);
  int container = IndexAfterOnePush(index);
  PushKey(key);
  try {
    api.Get(container);
  } catch (const NativeAPIException&) {
    throw GetOperationException(KeyText(key));
  }
  guard.KeepResults(1);
}

void VirtualMachine::GetSlot(int index, std::string_view key) { GetSlotOf(index, key); }

void VirtualMachine::GetSlot(int index, long long key) { GetSlotOf(index, key); }

void VirtualMachine::GetSlot(int index, const SlotKey& key) { GetSlotOf(index, key); }

template <class Key>
void VirtualMachine::GetFrom(PusherRef target, const Key& key) {
  NativeAPI api = GetNativeAPI();
  StackTopGuard guard(*this);
  target();
  PushKey(key);
  api.Get(-2);
  api.Remove(-2);
  guard.KeepResults(1);
}

void VirtualMachine::Get(PusherRef target, std::string_view key) { GetFrom(target, key); }

void VirtualMachine::Get(PusherRef target, long long key) { GetFrom(target, key); }

void VirtualMachine::NewSlotOnTop(std::string_view key, const SlotValue& value, bool is_static) {
  NativeAPI api = GetNativeAPI();
  ObjectType target_type = GetType(-1);
  if (!target_type.CanHoldSlots()) {
    throw ObjectHasNotSlotException(target_type);
  }
  PushKey(key);
  value.PushOnto(*this);
  api.NewSlot(-3, is_static);
}

void VirtualMachine::NewSlot(PusherRef target, std::string_view key, const SlotValue& value,
                             bool is_static) {
  StackTopGuard guard(*this);
  target();
  NewSlotOnTop(key, value, is_static);
}

void VirtualMachine::NewSlot(int target_index, std::string_view key, const SlotValue& value,
                             bool is_static) {
  StackTopGuard guard(*this);
  GetNativeAPI().Push(target_index);
  NewSlotOnTop(key, value, is_static);
}

void VirtualMachine::NewRootSlot(std::string_view name, PusherRef value) {
  NewSlot([this] { GetNativeAPI().PushRootTable(); }, name, value, false);
}

void VirtualMachine::SetSlot(int index, std::string_view name, PusherRef value) {
  NativeAPI api = GetNativeAPI();
  StackTopGuard guard(*this);
  api.Push(index);
  api.PushString(name);
  value();
  api.Set(-3);
}

void VirtualMachine::SetSlot(int index, const SlotKey& name, PusherRef value) {
  NativeAPI api = GetNativeAPI();
  StackTopGuard guard(*this);
  api.Push(index);
  PushObject(name.object());
  value();
  api.Set(-3);
}

void VirtualMachine::ArrayAppend(PusherRef array, PusherRef value) {
  NativeAPI api = GetNativeAPI();
  StackTopGuard guard(*this);
  array();
  value();
  api.ArrayAppend(-2);
}

bool VirtualMachine::InstanceOf(PusherRef class_pusher, PusherRef value) {
  StackTopGuard guard(*this);
  class_pusher();
  value();
  return GetNativeAPI().InstanceOf();
}

bool VirtualMachine::InstanceOf(PusherRef class_pusher, int value_index) {
  StackTopGuard guard(*this);
  class_pusher();
  GetNativeAPI().Push(IndexAfterOnePush(value_index));
  return GetNativeAPI().InstanceOf();
}

ObjectType VirtualMachine::GetType(int index) {
  return ObjectType(static_cast<std::uint32_t>(GetNativeAPI().GetType(index)));
}

}  // namespace TtSquirrel
