#pragma once
// The average deck of a set of decks, written as a deck list file in the program's own format so
// that it can be added like any deck: for each board, the cards in descending order of the share
// of decks that play them (ties in card order), each with its rounded average copies among the
// decks that play it, until the board holds the median size of that board in those decks.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/message_reporter.h"
#include "model/archetype/archetype_label.h"

namespace Tarvane {

class CardDatabase;
class Deck;
class AnalysisTable;

struct AverageDeck {
  using Cards = std::vector<std::pair<std::string, int>>;
  // What the deck was made from: the archetypes and the number of decks.
  std::string name;
  Cards mainboard;
  Cards sideboard;
};

// A deck's archetype, the one every view shows: as the loaded decks' labelling gave it (the
// ARCHETYPE header, the rule folder, the scripts), else its ARCHETYPE header, else its NAME
// header, else its file name.
std::string DeckArchetype(const Deck& deck);
// The same with the way it was decided.
ArchetypeLabel DeckArchetypeLabel(const Deck& deck);

// The average of the decks; empty boards when there are none.
AverageDeck MakeAverageDeck(const std::vector<std::shared_ptr<Deck>>& decks,
                            CardDatabase& card_database);

// The deck list file's text: the NAME header, the main deck, and after an empty line the
// sideboard when it has cards.
std::string AverageDeckText(const AverageDeck& deck);

// 平均デッキを作成: the average of the decks shown as columns (each deck once, in column order),
// or of every loaded deck when no deck column is shown, written to the file. With no deck loaded,
// with no card of a count above 0 in them, or when the file cannot be written, a box says so and
// the result is false.
bool WriteAverageDeckFile(AnalysisTable& table, const std::string& path, MessageReporter& reporter);

// The average of the loaded decks of one archetype, written to the file. With no deck of that
// archetype, or when the file cannot be written, a box says so and the result is false.
bool WriteArchetypeAverageDeckFile(AnalysisTable& table, const std::string& archetype,
                                   const std::string& path, MessageReporter& reporter);

}  // namespace Tarvane
