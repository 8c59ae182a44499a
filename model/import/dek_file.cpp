#include "model/import/dek_file.h"

#include <cstdlib>
#include <map>
#include <string>

#include "model/cp932_transliterator.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {
namespace {

// Replaces the XML entities (&amp; &lt; &gt; &quot; &apos; &#N; &#xN;) by their characters.
std::string DecodeEntities(std::string_view text) {
  static const std::map<std::string_view, char> named = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  std::string decoded;
  for (size_t index = 0; index < text.size(); ++index) {
    size_t end = text.find(';', index);
    if (text[index] != '&' || end == std::string_view::npos) {
      decoded += text[index];
      continue;
    }
    std::string_view entity = text.substr(index + 1, end - index - 1);
    if (auto found = named.find(entity); found != named.end()) {
      decoded += found->second;
    } else if (entity.starts_with('#') && entity.size() > 1) {
      bool hex = entity[1] == 'x' || entity[1] == 'X';
      AppendUtf8(decoded, static_cast<char32_t>(std::strtoul(
                              std::string(entity.substr(hex ? 2 : 1)).c_str(), nullptr, hex ? 16 : 10)));
    } else {
      decoded += text[index];
      continue;
    }
    index = end;
  }
  return decoded;
}

// The attributes of one start tag, name to decoded value.
std::map<std::string, std::string> Attributes(std::string_view tag) {
  std::map<std::string, std::string> attributes;
  size_t index = 0;
  while ((index = tag.find('=', index)) != std::string_view::npos) {
    size_t name_end = tag.find_last_not_of(" \t\r\n", index - 1) + 1;
    size_t name_start = tag.find_last_of(" \t\r\n", name_end - 1) + 1;
    size_t quote = tag.find_first_of("\"'", index);
    if (quote == std::string_view::npos) break;
    size_t close = tag.find(tag[quote], quote + 1);
    if (close == std::string_view::npos) break;
    attributes[std::string(tag.substr(name_start, name_end - name_start))] =
        DecodeEntities(tag.substr(quote + 1, close - quote - 1));
    index = close + 1;
  }
  return attributes;
}

}  // namespace

bool IsDekXml(std::string_view text) {
  size_t start = text.find_first_not_of(" \t\r\n");
  return start != std::string_view::npos && text[start] == '<' &&
         text.find("<Cards") != std::string_view::npos;
}

ParsedDeckList ParseDekXml(std::string_view text) {
  ParsedDeckList list;
  list.shape = DeckListShape::DekXml;
  for (size_t start = text.find("<Cards"); start != std::string_view::npos;
       start = text.find("<Cards", start + 1)) {
    size_t end = text.find('>', start);
    if (end == std::string_view::npos) break;
    auto attributes = Attributes(text.substr(start, end - start));
    int count = 0;
    if (attributes["Name"].empty() || !TtUtility::StringToInteger(attributes["Quantity"], count, 10)) {
      ++list.unread_lines;
      continue;
    }
    list.cards.push_back({count, attributes["Name"], attributes["Sideboard"] == "true"});
  }
  return list;
}

}  // namespace Tarvane
