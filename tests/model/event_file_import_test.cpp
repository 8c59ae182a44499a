// Event files: every deck of the event becomes its own deck list, named by its place and player,
// with the event's headers; a file cut short or of another shape writes nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/card_database.h"
#include "model/import/card_name_resolver.h"
#include "model/import/deck_list_file_import.h"
#include "model/import/event_file_reader.h"
#include "tests/support/scratch_folder.h"

using namespace Tarvane;

using TarvaneTest::ScratchFolder;

namespace {

std::string ImportData() { return std::string(std::getenv("TARVANE_TEST_DATA")) + "/import"; }
std::string Event(const std::string& name) { return ImportData() + "/events/" + name; }

class EventFileImportTest : public ::testing::Test {
protected:
  EventFileImportTest() {
    database_.LoadDictionary(ImportData() + "/dictionary");
    resolver_ = std::make_unique<CardNameResolver>(database_);
  }
  InputFileImport Import(const std::string& path) {
    DeckListFileImporter importer(*resolver_, scratch_.Join("out"), nullptr);
    return importer.ImportFile(path);
  }
  std::vector<std::string> Written() const {
    std::vector<std::string> names;
    if (!std::filesystem::exists(scratch_.Join("out"))) return names;
    for (const auto& entry : std::filesystem::directory_iterator(scratch_.Join("out"))) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  CardDatabase database_;
  std::unique_ptr<CardNameResolver> resolver_;
  ScratchFolder scratch_;
};

TEST_F(EventFileImportTest, EachDeckBecomesAListNamedByPlaceAndPlayer) {
  InputFileImport import = Import(Event("modern_challenge.json"));
  EXPECT_TRUE(import.AllWritten()) << import.Report();
  // A slash cannot be in a file name; a letter CP932 lacks is spelt without its accent.
  EXPECT_EQ(Written(), (std::vector<std::string>{"001_Kowal_Lazy.txt", "002_Odegaard.txt",
                                                 "003_Kowal_Lazy.txt"}));
  EXPECT_EQ(ScratchFolder::Read(scratch_.Join("out/001_Kowal_Lazy.txt")),
            "#NAME 001 Kowal/Lazy\n#PLAYER Kowal/Lazy\n#RESULT 1st Place\n"
            "#EVENT Modern Challenge 32\n#DATE 2024-03-02\n"
            "4 Lightning Bolt\n2 Fire // Ice\n1 Lim-Dul's Vault\n16 Mountain\n\n3 Counterspell\n");
  // A null sideboard is an empty one.
  EXPECT_EQ(ScratchFolder::Read(scratch_.Join("out/002_Odegaard.txt")),
            "#NAME 002 Odegaard\n#PLAYER Odegaard\n#RESULT 2nd Place\n"
            "#EVENT Modern Challenge 32\n#DATE 2024-03-02\n4 Counterspell\n20 Island\n");
}

TEST_F(EventFileImportTest, TheReportSummarisesTheEventAndOnlyTheDecksProblems) {
  std::string report = Import(Event("modern_challenge.json")).Report();
  EXPECT_NE(report.find("形式: イベントファイル (JSON)\nイベント: Modern Challenge 32\n"
                        "日付: 2024-03-02\n書き出したデッキ: 3 / 3\n"),
            std::string::npos)
      << report;
  EXPECT_NE(
      report.find("003_Kowal_Lazy.txt:\n辞書にないカード (不明なカードになります): Unknown Card\n"
                  "読めなかった行: 1\n"),
      std::string::npos)
      << report;
  EXPECT_EQ(report.find("001_Kowal_Lazy.txt"), std::string::npos) << report;
}

TEST_F(EventFileImportTest, ABrokenOrCutShortEventFileWritesNothing) {
  for (const char* name : {"cut_short.json", "count_as_text.json"}) {
    SCOPED_TRACE(name);
    InputFileImport import = Import(Event(name));
    EXPECT_FALSE(import.AllWritten());
    EXPECT_TRUE(import.lists.empty());
    EXPECT_NE(import.Report().find("書き出していません: イベントファイル"), std::string::npos)
        << import.Report();
    EXPECT_TRUE(Written().empty());
  }
  EXPECT_NE(Import(Event("count_as_text.json")).failure.find("Decks[1].Mainboard[0].Count"),
            std::string::npos);
}

TEST_F(EventFileImportTest, OnlyJsonFilesThatNameATournamentAreEventFiles) {
  EXPECT_TRUE(IsEventFile(Event("modern_challenge.json")));
  EXPECT_TRUE(IsEventFile(Event("cut_short.json")));  // importing it then says what is wrong
  EXPECT_FALSE(IsEventFile(scratch_.Write("deck.txt", "4 Lightning Bolt\n")));
  EXPECT_FALSE(IsEventFile(scratch_.Write("other.json", "{\"cards\": []}")));
  EXPECT_FALSE(IsEventFile(scratch_.Join("missing.json")));
}

}  // namespace
