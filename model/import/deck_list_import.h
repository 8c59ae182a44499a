#pragma once
// Turns a deck list in any shape that import recognises into the program's own format: the
// encoding detected, the names put into the dictionary's English spelling where a card fits
// (Japanese names, accented letters, quotes and slashes written another way), set codes and
// collector numbers dropped, a deck name carried into a "#NAME" header. A name that fits no
// card stays as written and shows as an unknown card once loaded.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/import/parsed_deck_list.h"
#include "model/text_encoding.h"

namespace Tarvane {

class CardNameResolver;

struct DeckListImport {
  struct Card {
    std::string name;  // CP932, the dictionary's name where one fits
    int count = 0;
  };

  DeckListShape shape = DeckListShape::ProgramFormat;
  TextEncoding encoding = TextEncoding::Cp932;
  // CP932 from here on.
  std::string deck_name;
  std::vector<std::pair<std::string, std::string>> headers;  // other "#KEY value" lines
  std::vector<Card> mainboard;  // one entry per name, in the order first named
  std::vector<Card> sideboard;
  std::vector<std::pair<std::string, std::string>> mapped_names;  // as written, dictionary's
  std::vector<std::string> unplaced_names;                        // fit no card
  long transliterated_characters = 0;  // characters CP932 lacks, spelt another way or as "?"
  // Of the card names: the name as written in CP932, and one such character ("U+00FB → u").
  std::vector<std::pair<std::string, std::string>> rewritten_characters;
  int left_out_copies = 0;
  std::vector<UnreadLine> unread_lines;  // CP932 text
  // The name of the list's own file without ".txt" when the input held several lists, with the
  // characters a file name cannot hold replaced; empty when it is named after its input.
  std::string file_stem;

  bool HasCards() const { return !mainboard.empty() || !sideboard.empty(); }
  // The deck list file's text: "#NAME", the other headers, the main deck, and after an empty
  // line the sideboard; LF line ends.
  std::string DeckListText() const;
  // What was found, one item per line (CP932, each line ending in LF).
  std::string Report() const;
  // Only the lines of the report that say what went wrong (names that fit no card, lines not
  // understood, no cards at all); empty when nothing did.
  std::string ProblemReport() const;
};

// Every list of one input: one for a deck list, one per deck for an event file.
struct DeckListsImport {
  DeckListShape shape = DeckListShape::ProgramFormat;
  TextEncoding encoding = TextEncoding::Cp932;
  std::string event_name;  // CP932; event files only
  std::string event_date;
  std::vector<DeckListImport> lists;
};

// Converts the bytes of an input. DeckListFormatError when no reader knows its shape, or its
// shape's reader refuses it as a whole (an event file cut short); then no list comes out of it.
DeckListsImport ImportDeckLists(std::string_view bytes, const CardNameResolver& names);

// Converts the bytes of a deck list file (or text from the clipboard): its first list, or a
// list without cards when it held none. DeckListFormatError as above.
DeckListImport ImportDeckList(std::string_view bytes, const CardNameResolver& names);

// Converts one list that a reader found; the encoding is the input's, for the report.
DeckListImport ConvertParsedDeckList(const ParsedDeckList& parsed, TextEncoding encoding,
                                     const CardNameResolver& names);

// The name of the converted file: the input's file name with the extension ".txt".
std::string ImportedFileName(const std::string& input_path);

// Writes the deck list text beside the file and renames it over the file, so a write that fails
// (a full disk) leaves an existing list whole; TtFileAccessException when it cannot be written,
// also when the path is something other than a regular file.
void WriteDeckListFile(const std::string& path, const std::string& text);

}  // namespace Tarvane
