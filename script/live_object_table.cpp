#include "script/live_object_table.h"

#include <algorithm>
#include <utility>

namespace Tarvane {

namespace {

using Token = LiveObjectTable::Token;

// The generation in the high half and the slot in the low half; generations start at 1, so no
// token is null (a null user pointer means an instance without a native object).
Token MakeToken(std::uint32_t index, std::uint32_t generation) {
  return reinterpret_cast<Token>(static_cast<std::uintptr_t>(generation) << 32 | index);
}

std::uint32_t IndexOf(Token token) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(token));
}

std::uint32_t GenerationOf(Token token) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(token) >> 32);
}

}  // namespace

LiveObjectTable& LiveObjectTable::Shared() {
  static LiveObjectTable table;
  return table;
}

Token LiveObjectTable::Issue(const void* class_tag, const void* object,
                             std::weak_ptr<const void> witness) {
  Slot slot;
  slot.class_tag = class_tag;
  slot.object = object;
  slot.witness = std::move(witness);
  return Place(std::move(slot));
}

Token LiveObjectTable::IssueOwned(const void* class_tag, std::shared_ptr<const void> object) {
  Slot slot;
  slot.class_tag = class_tag;
  slot.object = object.get();
  slot.witness = object;
  slot.owned = std::move(object);
  return Place(std::move(slot));
}

const void* LiveObjectTable::Find(Token token, const void* class_tag) {
  Slot* slot = LiveSlot(token);
  return slot != nullptr && slot->class_tag == class_tag ? slot->object : nullptr;
}

bool LiveObjectTable::IsOwned(Token token) {
  Slot* slot = LiveSlot(token);
  return slot != nullptr && slot->owned != nullptr;
}

void LiveObjectTable::Revoke(Token token) {
  if (LiveSlot(token) != nullptr) {
    Free(IndexOf(token));
  }
}

Token LiveObjectTable::Place(Slot slot) {
  if (free_slots_.empty() && slots_.size() >= sweep_at_size_) {
    Sweep();
  }
  std::uint32_t index = 0;
  if (!free_slots_.empty()) {
    index = free_slots_.back();
    free_slots_.pop_back();
    slot.generation = slots_[index].generation;
    slots_[index] = std::move(slot);
  } else {
    index = static_cast<std::uint32_t>(slots_.size());
    slots_.push_back(std::move(slot));
  }
  return MakeToken(index, slots_[index].generation);
}

LiveObjectTable::Slot* LiveObjectTable::LiveSlot(Token token) {
  const std::uint32_t index = IndexOf(token);
  if (index >= slots_.size()) return nullptr;
  Slot& slot = slots_[index];
  if (slot.object == nullptr || slot.generation != GenerationOf(token)) return nullptr;
  if (slot.witness.expired()) {
    Free(index);
    return nullptr;
  }
  return &slot;
}

void LiveObjectTable::Free(std::uint32_t index) {
  Slot& slot = slots_[index];
  // Moved out first: letting an owned object go may run code that comes back to the table.
  std::shared_ptr<const void> owned = std::move(slot.owned);
  const std::uint32_t next_generation = slot.generation == UINT32_MAX ? 1 : slot.generation + 1;
  slot = Slot();
  slot.generation = next_generation;
  free_slots_.push_back(index);
}

void LiveObjectTable::Sweep() {
  for (std::uint32_t index = 0; index < slots_.size(); ++index) {
    if (slots_[index].object != nullptr && slots_[index].witness.expired()) {
      Free(index);
    }
  }
  // Sweeping again only once the table has doubled keeps issuing cheap.
  sweep_at_size_ = std::max<std::size_t>(1024, 2 * (slots_.size() - free_slots_.size()));
}

}  // namespace Tarvane
