#pragma once
// The type of a script value as the engine codes it, with the names the program shows for it.
// Kept free of the engine's headers so that model and window code can name types too.
#include <cstdint>
#include <string>

namespace TtSquirrel {

// The engine's own type codes (its published header defines the same values).
enum class ObjectTypeCode : std::uint32_t {
  Null = 0x01000001,
  Integer = 0x05000002,
  Float = 0x05000004,
  Bool = 0x01000008,
  String = 0x08000010,
  Table = 0x0A000020,
  Array = 0x08000040,
  UserData = 0x0A000080,
  Closure = 0x08000100,
  NativeClosure = 0x08000200,
  Generator = 0x08000400,
  UserPointer = 0x00000800,
  Thread = 0x08001000,
  FuncProto = 0x08002000,
  Class = 0x08004000,
  Instance = 0x0A008000,
  WeakReference = 0x08010000,
  Outer = 0x08020000,
};

class ObjectType {
public:
  explicit ObjectType(ObjectTypeCode code) : code_(static_cast<std::uint32_t>(code)) {}
  // Any raw engine code; codes the table does not know are named "Unknown".
  explicit ObjectType(std::uint32_t raw_code) : code_(raw_code) {}

  std::uint32_t GetRawCode() const { return code_; }
  bool Is(ObjectTypeCode code) const { return code_ == static_cast<std::uint32_t>(code); }
  // "Null", "Integer", ..., "Unknown": the names used in every text of the script host.
  std::string GetTypeName() const;
  // Only these can take a new slot with the script operator <-.
  bool CanHoldSlots() const;

  friend bool operator==(const ObjectType&, const ObjectType&) = default;

private:
  std::uint32_t code_;
};

}  // namespace TtSquirrel
