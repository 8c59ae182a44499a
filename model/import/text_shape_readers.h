#pragma once
// The readers of the line-based shapes. They share one line grammar, and differ in the marks
// that make them sure: a list is of such a shape when its lines show the shape's marks, and the
// program's own format reads any plain text that no other reader claims.
#include "model/import/deck_list_shape_reader.h"

namespace Tarvane {

class TextShapeReader : public DeckListShapeReader {
public:
  ShapeCertainty HowSure(const ImportSource& source) const override;
  ParsedInput Read(const ImportSource& source) const override;
};

class ProgramFormatReader final : public TextShapeReader {
public:
  DeckListShape Shape() const override { return DeckListShape::ProgramFormat; }
  ShapeCertainty HowSure(const ImportSource& source) const override;
  std::string Description() const override;
};

class CountXReader final : public TextShapeReader {
public:
  DeckListShape Shape() const override { return DeckListShape::CountX; }
  std::string Description() const override;
};

class SideboardLineReader final : public TextShapeReader {
public:
  DeckListShape Shape() const override { return DeckListShape::SideboardLine; }
  std::string Description() const override;
};

class HeadingsReader final : public TextShapeReader {
public:
  DeckListShape Shape() const override { return DeckListShape::Headings; }
  std::string Description() const override;
};

class SideboardPrefixReader final : public TextShapeReader {
public:
  DeckListShape Shape() const override { return DeckListShape::SideboardPrefix; }
  std::string Description() const override;
};

class DigitalClientReader final : public TextShapeReader {
public:
  DeckListShape Shape() const override { return DeckListShape::DigitalClient; }
  std::string Description() const override;
};

class TaggedExportReader final : public TextShapeReader {
public:
  DeckListShape Shape() const override { return DeckListShape::TaggedExport; }
  std::string Description() const override;
};

class DckReader final : public TextShapeReader {
public:
  DeckListShape Shape() const override { return DeckListShape::ForgeDck; }
  std::string Description() const override;
};

}  // namespace Tarvane
