#pragma once
// The dictionary's card lines by card name. The lines stay in the text they were read from;
// the entries sit in one array and a compact open-addressing table finds them, so building the
// index needs no allocation per card and few cache misses.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace Tarvane {

class DictionaryIndex {
public:
  // A line and its name, which is the start of the line; kept small, since there is one per
  // card and building them is most of what loading does.
  class Entry {
  public:
    Entry(std::string_view name, std::string_view line)
        : line_start_(line.data()),
          line_length_(static_cast<uint32_t>(line.size())),
          name_length_(static_cast<uint32_t>(name.size())),
          hash_(HashOf(name)) {}
    std::string_view name() const { return std::string_view(line_start_, name_length_); }
    std::string_view line() const { return std::string_view(line_start_, line_length_); }
    uint64_t hash() const { return hash_; }

  private:
    const char* line_start_;
    uint32_t line_length_;
    uint32_t name_length_;
    uint64_t hash_;  // taken while the line is fresh in the cache
  };

  // Lines longer than this cannot be indexed.
  static constexpr size_t kMaximumLineLength = 0xFFFFFFFFu;

  static uint64_t HashOf(std::string_view name);

  DictionaryIndex() = default;
  // Indexes the entries (views into text that outlives the index); of entries with the same
  // name the first stays and the others are dropped.
  explicit DictionaryIndex(std::vector<Entry> entries);

  // The line of that name, or nullptr when there is none.
  const Entry* Find(std::string_view name) const;
  size_t size() const { return entries_.size(); }
  const std::vector<Entry>& entries() const { return entries_; }

private:
  size_t FindSlot(std::string_view name, uint64_t hash) const;

  std::vector<Entry> entries_;
  // A slot holds the entry's number plus one in its low half (0: empty) and the top half of the
  // name's hash in its high half, which settles most comparisons without reading the entry.
  std::vector<uint64_t> slots_;
};

}  // namespace Tarvane
