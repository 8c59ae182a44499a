#include "ttl/core/tt_language.h"

#include <atomic>
#include <cstdlib>
#include <string_view>

#include "ttl/core/tt_string.h"

namespace TtLanguage {
namespace {

// Messages may be worded on a worker thread while the language is chosen on the main one.
std::atomic<bool> messages_in_japanese{true};

}  // namespace

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

bool MessagesInJapanese() { return messages_in_japanese; }

std::string Text(const std::string& english, const std::string& japanese) {
  return MessagesInJapanese() ? japanese : english;
}

MessagesFollowLocale::MessagesFollowLocale()
    : previous_(messages_in_japanese.exchange(IsJapanese())) {}

MessagesFollowLocale::~MessagesFollowLocale() { messages_in_japanese = previous_; }

}  // namespace TtLanguage
