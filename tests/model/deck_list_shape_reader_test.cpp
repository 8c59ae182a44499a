// Which reader reads a list: the surest, and of equally sure ones the most particular shape, so
// that a list showing the marks of several shapes is read as the one that explains them all.
#include "model/import/deck_list_shape_reader.h"

#include <gtest/gtest.h>

using namespace Tarvane;

namespace {

constexpr auto kNoShape = static_cast<DeckListShape>(-1);

DeckListShape ShapeOf(std::string_view text) {
  ImportSource source(text);
  const DeckListShapeReader* reader = ChooseDeckListShapeReader(source);
  return reader ? reader->Shape() : kNoShape;
}

}  // namespace

TEST(DeckListShapeReaderTest, PrecedenceRunsFromTheMostParticularShape) {
  std::vector<DeckListShape> order;
  for (const DeckListShapeReader* reader : DeckListShapeReaders()) order.push_back(reader->Shape());
  EXPECT_EQ(order, (std::vector<DeckListShape>{
                       DeckListShape::EventJson, DeckListShape::DekXml, DeckListShape::CodXml,
                       DeckListShape::O8dXml, DeckListShape::ForgeDck, DeckListShape::TaggedExport,
                       DeckListShape::DigitalClient, DeckListShape::SideboardPrefix,
                       DeckListShape::Headings, DeckListShape::SideboardLine, DeckListShape::CountX,
                       DeckListShape::ProgramFormat}));
}

TEST(DeckListShapeReaderTest, MixedMarksGoToTheEarlierShape) {
  EXPECT_EQ(ShapeOf("4x Lightning Bolt\nSB: 2x Negate\n"), DeckListShape::SideboardPrefix);
  EXPECT_EQ(ShapeOf("Deck\n4x Lightning Bolt\nSideboard\n2 Negate\n"), DeckListShape::Headings);
  EXPECT_EQ(ShapeOf("Deck\n4 Lightning Bolt (M10) 146\n"), DeckListShape::DigitalClient);
  EXPECT_EQ(ShapeOf("[Main]\n4 Lightning Bolt (M10) 146\n"), DeckListShape::ForgeDck);
  // A site's tagged export also shows "4x" and "(set) 123".
  EXPECT_EQ(ShapeOf("1x Negate (m20) 69 [Sideboard]\n"), DeckListShape::TaggedExport);
  EXPECT_EQ(ShapeOf("NAME:Burn\n4 [M10:146] Lightning Bolt\n"), DeckListShape::SideboardPrefix);
  // XML is sure of itself, whatever lines it holds.
  EXPECT_EQ(ShapeOf("<Deck>\nSB: 2 Negate\n<Cards Quantity=\"1\" Name=\"Negate\"/></Deck>"),
            DeckListShape::DekXml);
}

TEST(DeckListShapeReaderTest, PlainCardLinesAreTheProgramsOwnFormat) {
  EXPECT_EQ(ShapeOf("4 Lightning Bolt\n\n2 Negate\n"), DeckListShape::ProgramFormat);
  EXPECT_EQ(ShapeOf("#NAME Burn\n4 Lightning Bolt\n"), DeckListShape::ProgramFormat);
}

TEST(DeckListShapeReaderTest, XmlJsonBinaryAndEmptyInputsOfNoKnownShapeAreNoOnesOwnFormat) {
  EXPECT_EQ(ShapeOf("<?xml version=\"1.0\"?>\n<cockatrice_deck version=\"1\"></cockatrice_deck>"),
            DeckListShape::CodXml);
  EXPECT_EQ(ShapeOf("<deck game=\"x\"><section name=\"Main\"></section></deck>"),
            DeckListShape::O8dXml);
  using namespace std::string_view_literals;
  for (std::string_view text : {"<?xml version=\"1.0\"?><svg></svg>"sv, "{\"cards\": []}"sv,
                                " \n\t\n"sv, "PK\x03\x04\0\x01\x02\x03\x04\x05\x06"sv}) {
    EXPECT_EQ(ShapeOf(text), kNoShape) << text;
  }
  // Prose is no list of this program either; one card line is enough.
  EXPECT_EQ(ShapeOf("just words\n"), kNoShape);
  EXPECT_EQ(ShapeOf("just words\n1 Opt\n"), DeckListShape::ProgramFormat);
}
