#pragma once
// The text of the dictionary files, kept whole for as long as the card database lives: the
// index and the cards built later point into it. Files are read into a few large buffers one
// after another, so that reading many megabytes costs little more than the read itself.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ttl/core/tt_utility.h"

namespace Tarvane {

class DictionaryText {
public:
  // Makes room for the files before they are read: one buffer of their total size, so that a
  // small dictionary takes little memory and a large one needs a single buffer. Returns that
  // size.
  size_t Prepare(const std::vector<std::string>& paths);
  // Reads the whole file and returns its bytes, which stay valid as long as this object and
  // are followed by kDictionaryTextPadding zero bytes. Throws CardDatabaseInitializeException
  // with the open or read error reason.
  std::string_view ReadFile(const std::string& path);

  // Takes over the buffers of another text (whose views stay valid).
  void Append(DictionaryText&& other);

private:
  // Room for size bytes at the end of the last buffer, or in a new one.
  char* Reserve(size_t size);

  std::vector<TtUtility::LargeBuffer> buffers_;
  size_t used_ = 0;  // bytes used in the last buffer
};

}  // namespace Tarvane
