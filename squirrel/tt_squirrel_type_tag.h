#pragma once
// Type tags of native classes exposed as script classes. A script class carries its native
// class's tag, and an instance's native pointer is read back only with that tag, so a pointer is
// never taken for a class it was not stored as.
#include <typeinfo>

namespace TtSquirrel {

// One unique token per class (by its run-time type name), made on first use and kept for the
// life of the process.
void* TypeTagOf(const std::type_info& type);

template <class NativeClass>
void* TypeTagOf() {
  return TypeTagOf(typeid(NativeClass));
}

}  // namespace TtSquirrel
