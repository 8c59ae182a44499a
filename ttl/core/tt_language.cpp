#include "ttl/core/tt_language.h"

#include <cstdlib>
#include <string_view>

#include "ttl/core/tt_string.h"

namespace TtLanguage {

bool IsJapanese() {
  // The order in which the C library itself decides the language of messages.
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return std::string_view(value).starts_with("ja");
  }
  return false;
}

std::string Say(const std::string& english, const std::string& japanese) {
  return IsJapanese() ? TtString::Cp932ToUtf8(japanese) : english;
}

}  // namespace TtLanguage
