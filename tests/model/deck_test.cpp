#include "model/deck.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <random>

#include "app/exception.h"
#include "model/board_type.h"
#include "model/card_database.h"
#include "model/card_type.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_exception.h"

using TarvaneTest::ScratchFolder;
using namespace Tarvane;

namespace {

class DeckTest : public ::testing::Test {
protected:
  std::shared_ptr<Deck> LoadText(const std::string& text,
                                 const Deck::ProcessorMaker& maker = nullptr) {
    return Deck::Load(scratch_.Write("deck.txt", text), database_, maker);
  }
  bool IsDeckFile(const std::string& text) {
    try {
      LoadText(text);
      return true;
    } catch (const DeckFileFormatException& e) {
      EXPECT_EQ(e.GetPath(), scratch_.Join("deck.txt"));
      return false;
    }
  }

  ScratchFolder scratch_;
  CardDatabase database_;
};

}  // namespace

TEST_F(DeckTest, EmptyLineStartsTheSideboardForGood) {
  auto deck = LoadText("4 Some Card\n\n2 Some Card\n\n\n1 Other\n");
  EXPECT_EQ(deck->mainboard().CountOf("Some Card"), 4);
  EXPECT_EQ(deck->sideboard().CountOf("Some Card"), 2);
  EXPECT_EQ(deck->sideboard().CountOf("Other"), 1);
  EXPECT_EQ(deck->hybridboard().CountOf("Some Card"), 6);
  EXPECT_EQ(deck->hybridboard().CountOf("Other"), 1);

  auto side_only = LoadText("\n3 A\n  \t \n1 B\n");
  EXPECT_TRUE(side_only->mainboard().empty());
  EXPECT_EQ(side_only->sideboard().cards().size(), 2u);
}

TEST_F(DeckTest, CardLines) {
  auto deck = LoadText(
      "4 Some Card\r\n"
      "2 Some Card\n"
      "4  Spaced\n"  // a name that begins with a space
      "3\tTabbed\n"  // no space: ignored
      "4x Letter\n"
      "x4 Letter\n"
      "Name Alone\n"
      "-1 Minus\n"
      "+2 Plus\n"
      "  1 Trimmed Card \t\n"
      "0 Zero\n");
  const Board& main = deck->mainboard();
  EXPECT_EQ(main.CountOf("Some Card"), 6);
  EXPECT_EQ(main.CountOf(" Spaced"), 4);
  EXPECT_EQ(main.CountOf("Minus"), -1);
  EXPECT_EQ(main.CountOf("Plus"), 2);
  EXPECT_EQ(main.CountOf("Trimmed Card"), 1);
  EXPECT_TRUE(main.cards().contains("Zero"));
  EXPECT_EQ(main.cards().size(), 6u);
  EXPECT_TRUE(deck->sideboard().empty());
}

TEST_F(DeckTest, HeadersAndComments) {
  auto deck = LoadText(
      "#name Deck One\n"
      "#Name   Deck Two  \n"  // a later header replaces the earlier one
      "# comment with space\n"
      "#nospace\n"
      "#\x83\x61uthor \x96\xBC\n"  // a Japanese key keeps its bytes
      "1 Card\n");
  EXPECT_EQ(deck->headers().size(), 2u);
  EXPECT_EQ(deck->headers().at("NAME"), "Deck Two");
  EXPECT_EQ(deck->headers().at("\x83\x61UTHOR"), "\x96\xBC");
}

TEST_F(DeckTest, FilesWithoutCardLinesAreNotDecks) {
  EXPECT_FALSE(IsDeckFile(""));
  EXPECT_FALSE(IsDeckFile("#name Only Headers\n# comment\n\n"));
  EXPECT_FALSE(IsDeckFile("just words\n4\n"));
  EXPECT_TRUE(IsDeckFile("0 Zero Copies\n"));
}

TEST_F(DeckTest, UnknownNamesJoinTheDatabase) {
  Card known;
  known.name = "Forest";
  known.type = CardType::Land;
  database_.Insert(known);
  LoadText("20 Forest\n4 \x90\x58\n");
  EXPECT_EQ(database_.fetch("Forest").type, CardType::Land);
  EXPECT_TRUE(database_.card_exist("\x90\x58"));
  EXPECT_EQ(database_.fetch("\x90\x58").type, CardType::UnknownCard);
}

TEST_F(DeckTest, CountsStayInRange) {
  auto deck = LoadText("2147483647 Big\n1 Big\n\n2147483647 Big\n-2147483648 Low\n-5 Low\n");
  EXPECT_EQ(deck->mainboard().CountOf("Big"), INT_MAX);
  EXPECT_EQ(deck->hybridboard().CountOf("Big"), INT_MAX);
  EXPECT_EQ(deck->sideboard().CountOf("Low"), INT_MIN);
  EXPECT_FALSE(IsDeckFile("2147483648 Too Big\n"));
}

TEST_F(DeckTest, UnusualLinesAreReadAsLines) {
  std::string long_name(5000, 'n');
  auto deck = LoadText("1 " + long_name + "\n2 Last Line Without Feed");
  EXPECT_EQ(deck->mainboard().CountOf(long_name), 1);
  EXPECT_EQ(deck->mainboard().CountOf("Last Line Without Feed"), 2);
  // A line ends at a zero byte, as C text does.
  auto with_zero = LoadText(std::string("3 Ca\0rd\n", 8));
  EXPECT_EQ(with_zero->mainboard().CountOf("Ca"), 3);
}

TEST_F(DeckTest, BinaryNoiseIsHandledByTheOrdinaryRules) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    std::string noise(20000, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    try {
      LoadText(noise);
    } catch (const DeckFileFormatException&) {
    }
  }
  std::string no_line_feeds(3 << 20, 'z');
  EXPECT_FALSE(IsDeckFile(no_line_feeds));
}

TEST_F(DeckTest, UnreadableFilesThrowFileAccess) {
  EXPECT_THROW(Deck::Load(scratch_.Join("missing.txt"), database_), TtFileAccessException);
  EXPECT_THROW(Deck::Load(scratch_.MakeFolder("folder.txt"), database_), TtFileAccessException);
  // Neither waits for a writer nor reads forever.
  std::string fifo = scratch_.Join("fifo.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero"), std::string("/dev/urandom")}) {
    EXPECT_THROW(Deck::Load(path, database_), TtFileAccessException) << path;
  }
}

TEST_F(DeckTest, PathAndFileName) {
  auto deck = Deck::Load(scratch_.Write("decks/Aggro.v2.txt", "1 A\n"), database_);
  EXPECT_EQ(deck->path(), scratch_.Join("decks/Aggro.v2.txt"));
  EXPECT_EQ(deck->file_name(), "Aggro.v2.txt");
  EXPECT_EQ(deck->board_of(BoardType::Hybrid), &deck->hybridboard());
  EXPECT_EQ(deck->board_of(7), nullptr);
}

TEST_F(DeckTest, ProcessorIsMadeForTheFinishedDeck) {
  EXPECT_TRUE(LoadText("1 A\n")->processor().IsNull());
  const Deck* seen = nullptr;
  auto deck = LoadText("1 A\n", [&](const Deck& made) {
    seen = &made;
    EXPECT_EQ(made.mainboard().CountOf("A"), 1);
    return TtSquirrel::Object();
  });
  EXPECT_EQ(seen, deck.get());
  EXPECT_THROW(
      LoadText("1 A\n",
               [](const Deck&) -> TtSquirrel::Object { throw TtInternalException("test", 1); }),
      TtInternalException);
  EXPECT_FALSE(IsDeckFile("#only header\n"));
}

TEST(BoardTypeTest, TableWorksBothWays) {
  EXPECT_EQ(BoardType::CodeOf("Sideboard"), 1);
  EXPECT_EQ(BoardType::NameOf(2), "Hybrid");
  EXPECT_EQ(BoardType::NameOf(3), std::nullopt);
  EXPECT_EQ(BoardType::CodeOf("mainboard"), std::nullopt);
}

TEST(BoardTest, CountTotalOfNative) {
  CardDatabase database;
  Card land;
  land.name = "Forest";
  land.type = CardType::Land;
  database.Insert(land);
  Board board;
  EXPECT_EQ(board.count_total_of_native([](const Card&) { return true; }, database), 0);
  board.Add("Forest", 20);
  board.Add("Mystery", 3);
  auto is_land = [](const Card& card) { return card.type == CardType::Land; };
  EXPECT_EQ(board.count_total_of_native(is_land, database), 20);
  EXPECT_TRUE(database.card_exist("Mystery"));  // fetched on the way
  EXPECT_EQ(board.count_total_of_native([](const Card&) { return true; }, database), 23);
  board.Add("Huge", INT_MAX);
  EXPECT_EQ(board.count_total_of_native([](const Card&) { return true; }, database), INT_MAX);
}
