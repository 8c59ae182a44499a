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
      if (spelled[index] != ' ' || (!joined.empty() && joined.back() != ' '))
        joined += spelled[index];
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

// The faces of a name written "Front // Back"; the name alone when it has one face.
std::vector<std::string> Faces(const std::string& name) {
  std::vector<std::string> faces;
  for (size_t start = 0;;) {
    size_t separator = name.find(" // ", start);
    faces.push_back(name.substr(start, separator - start));
    if (separator == std::string::npos) return faces;
    start = separator + 4;
  }
}

}  // namespace

CardNameResolver::CardNameResolver(const CardDatabase& card_database) {
  std::vector<std::string> multi_faced;
  card_database.ForEachKnownName([&](std::string_view name, std::string_view japanese) {
    std::string english(name);
    english_.insert(english);
    by_lower_case_.try_emplace(TtUtility::Cp932ToLowerAscii(english), english);
    if (!japanese.empty() && japanese != name)
      by_japanese_.try_emplace(std::string(japanese), english);
    if (english.find(" // ") != std::string::npos) multi_faced.push_back(english);
  });
  // A face is found only under a name that no card has for itself.
  for (const std::string& card : multi_faced) {
    for (const std::string& face : Faces(card)) {
      if (!face.empty() && !english_.contains(face)) {
        by_face_.try_emplace(TtUtility::Cp932ToLowerAscii(face), card);
      }
    }
  }
}

std::string CardNameResolver::AsTheProgramNamesIt(const std::string& english) const {
  if (english.find(" // ") == std::string::npos) return english;
  std::string front = Faces(english).front();
  return english_.contains(front) ? front : english;
}

std::string CardNameResolver::FindExactly(const std::string& name) const {
  if (english_.contains(name)) return name;
  auto japanese = by_japanese_.find(name);
  return japanese != by_japanese_.end() ? japanese->second : std::string();
}

std::string CardNameResolver::Resolve(const std::string& name) const {
  std::string found = FindAnyway(name);
  return found.empty() ? found : AsTheProgramNamesIt(found);
}

std::string CardNameResolver::FindAnyway(const std::string& name) const {
  std::string found = FindExactly(name);
  if (!found.empty()) return found;
  std::string spelled = DictionarySpelling(name);
  found = FindExactly(spelled);
  if (!found.empty()) return found;
  std::string lower = TtUtility::Cp932ToLowerAscii(spelled);
  if (auto card = by_lower_case_.find(lower); card != by_lower_case_.end()) return card->second;
  if (auto card = by_face_.find(lower); card != by_face_.end()) return card->second;
  // "Front // Back" of a card that the dictionary keeps only under its front face.
  std::vector<std::string> faces = Faces(spelled);
  if (faces.size() > 1) return FindAnyway(faces.front());
  return {};
}

}  // namespace Tarvane
