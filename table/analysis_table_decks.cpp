// Loading deck list files into the table, and the edit command that replaces the loaded decks.
#include "app/exception.h"
#include "model/deck.h"
#include "script/load_deck.h"
#include "table/analysis_table.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_language.h"

namespace Tarvane {

namespace {

std::string DeckFileFormatErrorCaption() {
  return TtLanguage::Text("Deck file format error", "デッキファイル形式エラー");
}

}  // namespace

void AnalysisTable::AddDeckFiles(const std::vector<std::string>& paths) {
  bool go_on = !progress_ || progress_->DecksRead(0, paths.size());
  for (std::size_t done = 0; go_on && done < paths.size(); ++done) {
    AddDeckFile(paths[done]);
    go_on = !progress_ || progress_->DecksRead(done + 1, paths.size());
  }
  LabelDecks(false);
  Refresh();
}

void AnalysisTable::AddDeckFile(const std::string& path) {
  MessageReporter& reporter = script_host_.GetMessageReporter();
  try {
    RunGuarded([&] { script_host_.GetDecks().push_back(LoadDeck(path, script_host_)); });
  } catch (const TtFileAccessException& error) {
    reporter.ShowMessage(FileAccessErrorText(error), FileAccessErrorCaption(), MessageButtons::Ok,
                         MessageIcon::Error, true);
  } catch (const DeckFileFormatException& error) {
    reporter.ShowMessage(error.Description(), DeckFileFormatErrorCaption(), MessageButtons::Ok,
                         MessageIcon::Error, true);
  }
}

void AnalysisTable::ReplaceDeckFiles(const std::vector<std::string>& paths) {
  // The copies keep the old decks alive until their columns have been matched to new ones.
  const SquirrelVM::Decks old_decks = script_host_.GetDecks();
  const Columns old_columns = columns_;
  DeleteAllColumns();
  DropAllDecks();
  AddDeckFiles(paths);
  RunGuarded([&] { RecreateOldColumns(old_columns); });
  Refresh();
}

// A special column comes back with its processor; a deck column comes back for the first new
// deck read from the same file, with that deck's processor, and a difference column for the new
// decks of both its files; the column of a file that is no longer listed stays away.
void AnalysisTable::RecreateOldColumns(const Columns& old_columns) {
  TtListViewUpdateGuard updates(list_);
  for (size_t i = 1; i < old_columns.size(); ++i) {
    const ColumnInfo& old = *old_columns[i];
    if (old.first_deck) {
      std::shared_ptr<Deck> first = NewDeckOf(old.first_deck);
      std::shared_ptr<Deck> second = NewDeckOf(old.second_deck);
      if (!first || !second) continue;
      ColumnInfo difference{TtSquirrel::Object(), nullptr, first, second};
      RunGuarded([&] {
        difference.processor =
            script_host_.CreateDifferenceProcessor(first->processor(), second->processor());
        AddColumn(difference);
      });
    } else if (!old.deck) {
      AddColumn(old.processor, nullptr);
    } else if (std::shared_ptr<Deck> deck = NewDeckOf(old.deck)) {
      AddColumn(deck->processor(), deck);
    }
  }
}

std::shared_ptr<Deck> AnalysisTable::NewDeckOf(const std::shared_ptr<Deck>& old_deck) const {
  for (const std::shared_ptr<Deck>& deck : script_host_.GetDecks()) {
    if (deck->path() == old_deck->path()) return deck;
  }
  return nullptr;
}

void AnalysisTable::DropAllDecks() {
  script_host_.GetDecks().clear();
  // A script that replaced ::Organizer has left no list to empty: a script error, and the
  // native decks are gone all the same.
  RunGuarded([this] { script_host_.ClearScriptDecks(); });
}

}  // namespace Tarvane
