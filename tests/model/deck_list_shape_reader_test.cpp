// Which reader reads a list: the surest, and of equally sure ones the most particular shape, so
// that a list showing the marks of several shapes is read as the one that explains them all.
#include "model/import/deck_list_shape_reader.h"

#include <gtest/gtest.h>

using namespace Tarvane;

namespace {

DeckListShape ShapeOf(std::string_view text) {
  ImportSource source(text);
  return ChooseDeckListShapeReader(source)->Shape();
}

}  // namespace

TEST(DeckListShapeReaderTest, PrecedenceRunsFromTheMostParticularShape) {
  std::vector<DeckListShape> order;
  for (const DeckListShapeReader* reader : DeckListShapeReaders()) order.push_back(reader->Shape());
  EXPECT_EQ(order, (std::vector<DeckListShape>{
                       DeckListShape::EventJson, DeckListShape::DekXml, DeckListShape::ForgeDck, DeckListShape::DigitalClient,
                       DeckListShape::SideboardPrefix, DeckListShape::Headings,
                       DeckListShape::SideboardLine, DeckListShape::CountX,
                       DeckListShape::ProgramFormat}));
}

TEST(DeckListShapeReaderTest, MixedMarksGoToTheEarlierShape) {
  EXPECT_EQ(ShapeOf("4x Lightning Bolt\nSB: 2x Negate\n"), DeckListShape::SideboardPrefix);
  EXPECT_EQ(ShapeOf("Deck\n4x Lightning Bolt\nSideboard\n2 Negate\n"), DeckListShape::Headings);
  EXPECT_EQ(ShapeOf("Deck\n4 Lightning Bolt (M10) 146\n"), DeckListShape::DigitalClient);
  EXPECT_EQ(ShapeOf("[Main]\n4 Lightning Bolt (M10) 146\n"), DeckListShape::ForgeDck);
  // XML is sure of itself, whatever lines it holds.
  EXPECT_EQ(ShapeOf("<Deck>\nSB: 2 Negate\n<Cards Quantity=\"1\" Name=\"Negate\"/></Deck>"),
            DeckListShape::DekXml);
}

TEST(DeckListShapeReaderTest, PlainCardLinesAreTheProgramsOwnFormat) {
  EXPECT_EQ(ShapeOf("4 Lightning Bolt\n\n2 Negate\n"), DeckListShape::ProgramFormat);
  EXPECT_EQ(ShapeOf("#NAME Burn\n4 Lightning Bolt\n"), DeckListShape::ProgramFormat);
}
