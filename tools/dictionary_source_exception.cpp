#include "tools/dictionary_source_exception.h"

namespace Tarvane {

DictionarySourceException::DictionarySourceException(const std::string& path,
                                                     const std::string& reason)
    : path_(path), reason_(reason) {}

std::string DictionarySourceException::Message() const {
  return ClassName() + " : " + path_ + "," + reason_;
}

}  // namespace Tarvane
