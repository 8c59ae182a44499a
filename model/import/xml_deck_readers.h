#pragma once
// The XML deck files of two card table programs. Both keep a deck as boards holding card
// elements: <zone name="main"> with <card number="4" name="..."/> in one, <section name="Main">
// with <card qty="4" id="...">Name</card> in the other. A commander goes to the main deck, the
// boards that are no part of a deck (tokens, planes) are left out, and the deck's name, where
// the file has one, becomes its "#NAME".
#include "model/import/deck_list_shape_reader.h"

namespace Tarvane {

class CodReader final : public DeckListShapeReader {
public:
  DeckListShape Shape() const override { return DeckListShape::CodXml; }
  // Sure of XML whose root is <cockatrice_deck>.
  ShapeCertainty HowSure(const ImportSource& source) const override;
  ParsedInput Read(const ImportSource& source) const override;
  std::string Description() const override;
};

class O8dReader final : public DeckListShapeReader {
public:
  DeckListShape Shape() const override { return DeckListShape::O8dXml; }
  // Sure of XML whose root is <deck> with <section> elements.
  ShapeCertainty HowSure(const ImportSource& source) const override;
  ParsedInput Read(const ImportSource& source) const override;
  std::string Description() const override;
};

}  // namespace Tarvane
