#pragma once
// The failure of a dictionary build that is the input's fault rather than the file system's:
// a file that is not card data, or JSON that ends or breaks in the middle.
#include <string>

#include "ttl/core/tt_exception.h"

namespace Tarvane {

class DictionarySourceException : public TtException {
public:
  // path and reason are CP932 text; the reason is shown to the user as it is.
  DictionarySourceException(const std::string& path, const std::string& reason);
  std::string Message() const override;
  const std::string& GetPath() const { return path_; }
  const std::string& GetReason() const { return reason_; }

private:
  std::string path_;
  std::string reason_;
};

}  // namespace Tarvane
