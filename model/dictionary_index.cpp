#include "model/dictionary_index.h"

#include <cstring>

namespace Tarvane {

namespace {

constexpr uint64_t kEntryMask = 0xFFFFFFFFu;
constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15u;

uint64_t High(uint64_t hash) { return hash & ~kEntryMask; }

}  // namespace

// A quick hash of a short name, eight bytes at a time; good enough for an index that compares
// the names themselves on every match.
uint64_t DictionaryIndex::HashOf(std::string_view name) {
  const char* bytes = name.data();
  size_t size = name.size();
  uint64_t hash = size * kMultiplier;
  auto mix = [&hash](uint64_t word) {
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 32;
  };
  uint64_t word;
  size_t offset = 0;
  for (; offset + 8 <= size; offset += 8) {
    std::memcpy(&word, bytes + offset, 8);
    mix(word);
  }
  if (offset < size) {
    if (size >= 8) {
      std::memcpy(&word, bytes + size - 8, 8);  // the last eight bytes, overlapping
    } else {
      word = 0;
      for (size_t i = 0; i < size; ++i) word = (word << 8) | static_cast<unsigned char>(bytes[i]);
    }
    mix(word);
  }
  // Every bit of the input reaches every bit of the result, low bits included (the slot
  // number comes from them).
  hash ^= hash >> 33;
  hash *= 0xFF51AFD7ED558CCDu;
  hash ^= hash >> 33;
  hash *= 0xC4CEB9FE1A85EC53u;
  return hash ^ (hash >> 33);
}

DictionaryIndex::DictionaryIndex(std::vector<Entry> entries) : entries_(std::move(entries)) {
  // At most half full, so that probes stay short.
  size_t slot_count = 16;
  while (slot_count < entries_.size() * 2) slot_count *= 2;
  slots_.assign(slot_count, 0);
  size_t kept = 0;
  for (size_t i = 0; i < entries_.size(); ++i) {
    uint64_t hash = entries_[i].hash();
    uint64_t& slot = slots_[FindSlot(entries_[i].name(), hash)];
    if (slot != 0) continue;  // a name seen before
    entries_[kept] = entries_[i];
    slot = High(hash) | (kept + 1);
    ++kept;
  }
  entries_.erase(entries_.begin() + kept, entries_.end());
}

size_t DictionaryIndex::FindSlot(std::string_view name, uint64_t hash) const {
  size_t mask = slots_.size() - 1;
  for (size_t index = hash & mask;; index = (index + 1) & mask) {
    uint64_t slot = slots_[index];
    if (slot == 0) return index;
    if ((slot & ~kEntryMask) == High(hash) && entries_[(slot & kEntryMask) - 1].name() == name) {
      return index;
    }
  }
}

const DictionaryIndex::Entry* DictionaryIndex::Find(std::string_view name) const {
  if (slots_.empty()) return nullptr;
  uint64_t slot = slots_[FindSlot(name, HashOf(name))];
  return slot == 0 ? nullptr : &entries_[(slot & kEntryMask) - 1];
}

}  // namespace Tarvane
