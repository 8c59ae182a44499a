#pragma once
// A deck list as read from another program's format, before its names meet the dictionary.
// Text is UTF-8 here.
#include <string>
#include <utility>
#include <vector>

namespace Tarvane {

// The shapes of deck lists that import recognises; which reader wins when several could read a
// list is the order of DeckListShapeReaders(), not this one.
enum class DeckListShape {
  ProgramFormat,    // count and name lines, an empty line before the sideboard
  CountX,           // "4x Name"
  SideboardLine,    // a line "Sideboard" before the sideboard
  Headings,         // "Deck", "Sideboard", "Maybeboard" headings
  SideboardPrefix,  // "SB: 2 Name" lines
  DigitalClient,    // "Deck"/"Sideboard"/"Companion"/"Commander", "4 Name (SET) 123"
  ForgeDck,         // "[Main]", "[Sideboard]", "4 Name|SET"
  DekXml,           // <Cards Quantity="4" Sideboard="false" Name="..."/>
  EventJson,        // {"Tournament": ..., "Decks": [...]}, one list per deck
  CodXml,           // <cockatrice_deck>: <zone name="main"><card number="4" name="..."/>
  O8dXml,           // <deck game="..."><section name="Main"><card qty="4">Name</card>
  TaggedExport,     // "1x Name (set) 123 [Sideboard]", "[Maybeboard{noDeck}]"
};

// A line that was neither a card, a heading nor a comment.
struct UnreadLine {
  int number = 0;    // from 1; 0 for an entry of a file without lines of its own (JSON)
  std::string text;  // UTF-8 as read; CP932 once converted
};

struct ParsedDeckList {
  struct CardLine {
    int count = 0;
    std::string name;
    bool sideboard = false;
  };

  DeckListShape shape = DeckListShape::ProgramFormat;
  std::string deck_name;  // from a name line of the format, or a "#NAME" header
  // The name of the list's own file, without extension, for inputs that hold several lists;
  // empty when the list is named after its input.
  std::string file_stem;
  // Header lines of the program's format ("#KEY value"), upper-cased key, in file order.
  std::vector<std::pair<std::string, std::string>> headers;
  std::vector<CardLine> cards;
  int left_out_copies = 0;  // cards of boards that are no part of the deck (a maybeboard)
  std::vector<UnreadLine> unread_lines;
};

// The shape's description as reports show it (CP932).
std::string DeckListShapeName(DeckListShape shape);

}  // namespace Tarvane
