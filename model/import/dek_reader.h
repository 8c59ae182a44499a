#pragma once
// The XML deck file of one of the digital clients: a <Cards> element per card with the
// attributes Quantity, Sideboard ("true"/"false") and Name.
#include "model/import/deck_list_shape_reader.h"

namespace Tarvane {

class DekReader final : public DeckListShapeReader {
public:
  DeckListShape Shape() const override { return DeckListShape::DekXml; }
  // Sure of XML whose elements include <Cards.
  ShapeCertainty HowSure(const ImportSource& source) const override;
  ParsedInput Read(const ImportSource& source) const override;
  std::string Description() const override;
};

}  // namespace Tarvane
