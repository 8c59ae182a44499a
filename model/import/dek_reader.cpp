#include "model/import/dek_reader.h"

#include <string>

#include "model/import/xml_scan.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {

ShapeCertainty DekReader::HowSure(const ImportSource& source) const {
  std::string_view text = source.text();
  return LooksLikeXml(text) && text.find("<Cards") != std::string_view::npos
             ? ShapeCertainty::Certain
             : ShapeCertainty::None;
}

ParsedInput DekReader::Read(const ImportSource& source) const {
  std::string_view text = source.text();
  ParsedDeckList list;
  list.shape = DeckListShape::DekXml;
  for (size_t start = text.find("<Cards"); start != std::string_view::npos;
       start = text.find("<Cards", start + 1)) {
    size_t end = text.find('>', start);
    if (end == std::string_view::npos) break;
    auto attributes = XmlAttributes(text.substr(start, end - start));
    int count = 0;
    if (attributes["Name"].empty() ||
        !TtUtility::StringToInteger(attributes["Quantity"], count, 10)) {
      list.unread_lines.push_back(
          {LineNumberAt(text, start), std::string(text.substr(start, end - start + 1))});
      continue;
    }
    list.cards.push_back({count, attributes["Name"], attributes["Sideboard"] == "true"});
  }
  return {{std::move(list)}, {}, {}};
}

std::string DekReader::Description() const {
  return TtLanguage::Text(".dek file (XML)", ".dek ファイル (XML)");
}

}  // namespace Tarvane
