#include "model/import/card_name_resolver.h"

#include <vector>

#include "model/card_database.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {
namespace {

// The CP932 characters of a text, one string each.
std::vector<std::string> Characters(const std::string& text) {
  std::vector<std::string> characters;
  for (size_t index = 0; index < text.size();) {
    size_t length = TtUtility::IsCp932LeadByte(static_cast<unsigned char>(text[index])) ? 2 : 1;
    characters.push_back(text.substr(index, length));
    index += length;
  }
  return characters;
}

// The name as the dictionary writes names: ASCII quotes, one space between words, the faces of
// a split card joined by " // " (lists write "Fire/Ice", "Fire // Ice" or "火／氷").
std::string DictionarySpelling(const std::string& name) {
  std::string spelled;
  for (const std::string& character : Characters(name)) {
    if (character == "’" || character == "‘" || character == "`") {
      spelled += '\'';
    } else if (character == "“" || character == "”") {
      spelled += '"';
    } else if (character == "／" || character == "/") {
      spelled += '/';
    } else if (character == "　") {
      spelled += ' ';
    } else {
      spelled += character;
    }
  }
  // The slashes with the spaces around them become one " // ".
  std::string joined;
  for (size_t index = 0; index < spelled.size();) {
    if (spelled[index] != '/') {
      if (spelled[index] != ' ' || (!joined.empty() && joined.back() != ' ')) joined += spelled[index];
      ++index;
      continue;
    }
    while (index < spelled.size() && (spelled[index] == '/' || spelled[index] == ' ')) ++index;
    while (!joined.empty() && joined.back() == ' ') joined.pop_back();
    joined += " // ";
  }
  while (!joined.empty() && joined.back() == ' ') joined.pop_back();
  return joined;
}

}  // namespace

CardNameResolver::CardNameResolver(const CardDatabase& card_database) {
  card_database.ForEachKnownName([this](std::string_view name, std::string_view japanese) {
    std::string english(name);
    english_.insert(english);
    by_lower_case_.try_emplace(TtUtility::Cp932ToLowerAscii(english), english);
    if (!japanese.empty() && japanese != name) by_japanese_.try_emplace(std::string(japanese), english);
  });
}

std::string CardNameResolver::FindExactly(const std::string& name) const {
  if (english_.contains(name)) return name;
  auto japanese = by_japanese_.find(name);
  return japanese != by_japanese_.end() ? japanese->second : std::string();
}

std::string CardNameResolver::Resolve(const std::string& name) const {
  std::string found = FindExactly(name);
  if (!found.empty()) return found;
  std::string spelled = DictionarySpelling(name);
  found = FindExactly(spelled);
  if (!found.empty()) return found;
  auto lower = by_lower_case_.find(TtUtility::Cp932ToLowerAscii(spelled));
  return lower != by_lower_case_.end() ? lower->second : std::string();
}

}  // namespace Tarvane
