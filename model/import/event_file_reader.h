#pragma once
// An event file of the public decklist caches: one JSON object per tournament, its "Tournament"
// ({"Date", "Name", "Uri"}) and its "Decks", each with "Player", "Result" and the boards
// "Mainboard" and "Sideboard" as arrays of {"Count", "CardName"}. Every deck becomes a list of
// its own, named by its place in the file and its player. The whole file is checked before any
// list is given out, so a file cut short or of another shape yields no list at all.
#include <string>

#include "model/import/deck_list_shape_reader.h"

namespace Tarvane {

class EventFileReader final : public DeckListShapeReader {
public:
  DeckListShape Shape() const override { return DeckListShape::EventJson; }
  // Sure of a JSON object that names a "Tournament".
  ShapeCertainty HowSure(const ImportSource& source) const override;
  // DeckListFormatError when the JSON is broken or cut short, or a field has the wrong type.
  ParsedInput Read(const ImportSource& source) const override;
  std::string Description() const override;
};

// Whether the file is an event file to import rather than a deck list to open: a ".json" file
// that the reader is sure of. False for a file that cannot be read; opening it says why.
bool IsEventFile(const std::string& path);

}  // namespace Tarvane
