#include "model/import/xml_scan.h"

#include <algorithm>
#include <cstdlib>

#include "model/cp932_transliterator.h"

namespace Tarvane {

std::string DecodeXmlEntities(std::string_view text) {
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
      AppendUtf8(decoded,
                 static_cast<char32_t>(std::strtoul(std::string(entity.substr(hex ? 2 : 1)).c_str(),
                                                    nullptr, hex ? 16 : 10)));
    } else {
      decoded += text[index];
      continue;
    }
    index = end;
  }
  return decoded;
}

std::map<std::string, std::string> XmlAttributes(std::string_view tag) {
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
        DecodeXmlEntities(tag.substr(quote + 1, close - quote - 1));
    index = close + 1;
  }
  return attributes;
}

int LineNumberAt(std::string_view text, size_t offset) {
  return 1 + static_cast<int>(
                 std::count(text.begin(), text.begin() + std::min(offset, text.size()), '\n'));
}

bool LooksLikeXml(std::string_view text) {
  size_t start = text.find_first_not_of(" \t\r\n");
  return start != std::string_view::npos && text[start] == '<';
}

std::string XmlRootName(std::string_view text) {
  for (size_t open = text.find('<'); open != std::string_view::npos;
       open = text.find('<', open + 1)) {
    if (open + 1 >= text.size()) break;
    char next = text[open + 1];
    if (next == '?' || next == '!' || next == '/') continue;
    size_t end = text.find_first_of(" \t\r\n/>", open + 1);
    if (end == std::string_view::npos) end = text.size();
    return std::string(text.substr(open + 1, end - open - 1));
  }
  return {};
}

}  // namespace Tarvane
