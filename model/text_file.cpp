#include "model/text_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_file.h"
#include "ttl/core/tt_string.h"

namespace Tarvane {

std::string ReadTextFile(const std::string& path) {
  // A FIFO or a device would keep the read waiting for a writer or going on for ever.
  TtFile::Handle file = TtFile::OpenRegularFileForReading(path);
  errno = 0;
  std::string bytes;
  char chunk[65536];
  size_t read;
  while ((read = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0) {
    bytes.append(chunk, read);
    if (bytes.size() > kTextFileLimit) throw TtFileAccessException(path, EFBIG);
  }
  if (std::ferror(file.get())) throw TtFileAccessException(path, errno != 0 ? errno : EIO);
  return bytes;
}

}  // namespace Tarvane
