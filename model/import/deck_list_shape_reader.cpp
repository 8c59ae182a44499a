#include "model/import/deck_list_shape_reader.h"

#include "model/import/dek_reader.h"
#include "model/import/event_file_reader.h"
#include "model/import/text_shape_readers.h"
#include "model/import/xml_deck_readers.h"

namespace Tarvane {

const TextDeckList& ImportSource::Lines() const {
  if (!lines_) lines_ = ParseDeckListText(text_);
  return *lines_;
}

const std::vector<const DeckListShapeReader*>& DeckListShapeReaders() {
  static const EventFileReader event_file;
  static const DekReader dek;
  static const CodReader cod;
  static const O8dReader o8d;
  static const DckReader dck;
  static const TaggedExportReader tagged_export;
  static const DigitalClientReader digital_client;
  static const SideboardPrefixReader sideboard_prefix;
  static const HeadingsReader headings;
  static const SideboardLineReader sideboard_line;
  static const CountXReader count_x;
  static const ProgramFormatReader program_format;
  static const std::vector<const DeckListShapeReader*> readers = {&event_file,
                                                                  &dek,
                                                                  &cod,
                                                                  &o8d,
                                                                  &dck,
                                                                  &tagged_export,
                                                                  &digital_client,
                                                                  &sideboard_prefix,
                                                                  &headings,
                                                                  &sideboard_line,
                                                                  &count_x,
                                                                  &program_format};
  return readers;
}

const DeckListShapeReader* ChooseDeckListShapeReader(const ImportSource& source) {
  const DeckListShapeReader* chosen = nullptr;
  ShapeCertainty best = ShapeCertainty::None;
  for (const DeckListShapeReader* reader : DeckListShapeReaders()) {
    ShapeCertainty certainty = reader->HowSure(source);
    // Nothing is surer than certain, and ties go to the earlier reader: the line grammar need
    // not run over a large XML or JSON file.
    if (certainty == ShapeCertainty::Certain) return reader;
    if (certainty > best) {
      best = certainty;
      chosen = reader;
    }
  }
  return chosen;
}

std::string DeckListShapeName(DeckListShape shape) {
  for (const DeckListShapeReader* reader : DeckListShapeReaders()) {
    if (reader->Shape() == shape) return reader->Description();
  }
  return "";
}

}  // namespace Tarvane
