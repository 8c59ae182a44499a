#pragma once
// Reading a whole text file from outside (a deck list in another program's format, one in
// UTF-16), with a size limit, since such files are small and anything far larger is no list.
#include <string>

namespace Tarvane {

// The file's bytes. Throws TtFileAccessException (path, C error number) when it cannot be
// opened or read, with EFBIG when it is larger than kTextFileLimit.
std::string ReadTextFile(const std::string& path);

constexpr size_t kTextFileLimit = size_t(16) << 20;

}  // namespace Tarvane
