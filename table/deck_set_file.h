#pragma once
// A deck set: the decks of a session with the columns shown, the board mode and the sort, kept
// as a file of its own so that a player can open the same view again (ファイル → デッキセット
// を開く, and the last session at the next start). The file is CP932 text of "key=value"
// lines, deck paths relative to the file's folder so that a folder of decks and its set move
// together; docs/window.md describes it.
#include <optional>
#include <string>
#include <vector>

#include "app/message_reporter.h"
#include "ttl/core/tt_menu.h"

namespace Tarvane {

class AnalysisTable;

struct DeckSet {
  struct Column {
    enum class Kind { Deck, Special };
    Kind kind = Kind::Deck;
    // A deck column: the deck's position in `deck_paths` (0-based).
    int deck = 0;
    // A special column: its processor's name, found again in the special-column menu.
    std::string name;
    bool operator==(const Column&) const = default;
  };

  // Absolute paths, in load order.
  std::vector<std::string> deck_paths;
  // The columns after the first, in order.
  std::vector<Column> columns;
  int board_mode = 0;
  // The sort: by the sorter of a column (its index), else by a sort menu item of this name;
  // neither when both are unset.
  int sort_column = -1;
  std::string sorter_name;

  bool operator==(const DeckSet&) const = default;
};

// What to call the file type in file choosers, and its extension.
inline constexpr char kDeckSetExtension[] = "tvset";

// The file's text for a set saved at `file_path`.
std::string DeckSetText(const DeckSet& set, const std::string& file_path);
// The set that the text of the file at `file_path` holds; nullopt when the text is no deck set
// (its first line is not the format line). Unknown keys are passed over, so later versions may
// add some.
std::optional<DeckSet> ParseDeckSet(const std::string& text, const std::string& file_path);

// Reading and writing the file; failures are told in an error box and give nullopt or false.
std::optional<DeckSet> ReadDeckSetFile(const std::string& path, MessageReporter& reporter);
bool WriteDeckSetFile(const std::string& path, const DeckSet& set, MessageReporter& reporter);

// The set that the table shows now. Difference columns are not kept: their decks are named by
// a pair of positions that a set cannot promise to keep.
DeckSet CaptureDeckSet(AnalysisTable& table);

// Shows the set in the table: the decks replace the loaded ones (a file that cannot be read is
// reported and left out, with its columns), then the columns, the board mode and the sort. The
// script menus are where special columns and sort rules are found again by name. Returns how
// many columns or sorts could not be restored.
int OpenDeckSet(AnalysisTable& table, const DeckSet& set, const TtMenu& special_column_menu,
                const TtMenu& sort_menu);

}  // namespace Tarvane
