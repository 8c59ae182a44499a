#include "model/card_database.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "app/exception.h"
#include "app/program_files.h"
#include "model/card_type.h"
#include "tests/support/desktop_names.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_string.h"

using TarvaneTest::ScratchFolder;
using namespace Tarvane;

namespace {

// A dictionary line from its fields, TAB-separated, with a line feed.
std::string Line(std::initializer_list<std::string> fields) {
  std::string line;
  bool first = true;
  for (const std::string& field : fields) {
    line += (first ? "" : "\t") + field;
    first = false;
  }
  return line + "\n";
}

const std::string kLand = Line({"Forest", "森", "", "0", "Basic Land", "Land", ""});
const std::string kBolt =
    Line({"Shock", "ショック", "{R}", "1", "Instant", "Instant", "", "Deal 2.", "Kicker."});

class DictionaryTest : public ::testing::Test {
protected:
  std::string Folder() const { return scratch_.Join("dictionary"); }
  void WriteFile(const std::string& name, const std::string& text) const {
    scratch_.Write("dictionary/" + name, text);
  }
  // The reason of the load's failure, or "" when it loads.
  std::string LoadFailure(const std::string& text) {
    WriteFile("cards.dat", text);
    try {
      database_.LoadDictionary(Folder());
      return "";
    } catch (const CardDatabaseInitializeException& e) {
      EXPECT_EQ(e.GetPath(), Folder() + "/cards.dat");
      return e.GetReason();
    }
  }

  ScratchFolder scratch_;
  CardDatabase database_;
};

}  // namespace

TEST_F(DictionaryTest, ReadsEveryField) {
  WriteFile("cards.dat", kLand + kBolt);
  database_.LoadDictionary(Folder());
  ASSERT_EQ(database_.size(), 2u);
  const Card& land = database_.fetch("Forest");
  EXPECT_EQ(land.name_japanese, "森");
  EXPECT_EQ(land.mana_cost, "");
  EXPECT_EQ(land.type, 16000);
  EXPECT_EQ(land.rules_text, "");
  const Card& bolt = database_.fetch("Shock");
  EXPECT_EQ(bolt.converted_mana_cost, 1);
  EXPECT_EQ(bolt.type_text, "Instant");
  EXPECT_EQ(bolt.rules_text, "Deal 2.\r\n\r\nKicker.\r\n\r\n");
}

TEST_F(DictionaryTest, FieldRules) {
  WriteFile("cards.dat",
            Line({"A", "a", "", "0", "t", "Land", "", ""}) +      // TAB then LF
                Line({"B", "b", "", " 3", "t", "land", "1/1"}) +  // leading space; lower case
                Line({"", "empty name", "", "0", "t", "Creature", ""}) +  // empty name
                "C\tc\t\t2\tt\tSorcery\t\r\n");                           // CR LF end
  database_.LoadDictionary(Folder());
  EXPECT_EQ(database_.fetch("A").rules_text, "\r\n\r\n");
  EXPECT_EQ(database_.fetch("B").converted_mana_cost, 3);
  EXPECT_EQ(database_.fetch("B").type, CardType::NotInTable);
  EXPECT_TRUE(database_.fetch("B").is_special());
  EXPECT_TRUE(database_.card_exist(""));
  EXPECT_EQ(database_.fetch("C").type, CardType::Sorcery);
  EXPECT_EQ(database_.fetch("C").rules_text, "");
}

TEST_F(DictionaryTest, CostErrors) {
  const std::string cost_error = CardDatabaseInitializeException::kConvertedManaCostFormatError;
  for (const char* cost : {"3 ", "3a", "", "2147483648", "x"}) {
    EXPECT_EQ(LoadFailure(kLand + Line({"X", "x", "", cost, "t", "Land", ""})), cost_error) << cost;
  }
}

TEST_F(DictionaryTest, TabErrors) {
  const std::string tab_error = CardDatabaseInitializeException::kTabSeparatedFormatError;
  EXPECT_EQ(LoadFailure(kLand + "\n" + kBolt), tab_error);                    // blank line
  EXPECT_EQ(LoadFailure(kLand + kBolt + "\n"), tab_error);                    // trailing blank line
  EXPECT_EQ(LoadFailure(Line({"X", "x", "", "0", "t", "Land"})), tab_error);  // six fields
  std::string last = kLand;
  last.pop_back();
  EXPECT_EQ(LoadFailure(kBolt + last), tab_error);  // last line without a line end
  EXPECT_EQ(LoadFailure(kBolt + std::string("X\tx\t\t0\tt\tLand\t\0junk\n", 21)), tab_error);
}

TEST_F(DictionaryTest, LongLinesAreOneCard) {
  std::string long_text(3000, 'r');
  WriteFile("cards.dat", Line({"Long", "l", "", "0", "t", "Creature", "", long_text}) + kLand);
  database_.LoadDictionary(Folder());
  EXPECT_EQ(database_.size(), 2u);
  EXPECT_EQ(database_.fetch("Long").rules_text, long_text + "\r\n\r\n");
}

TEST_F(DictionaryTest, ManyMegabytesInManyFiles) {
  std::string rules(300, 'r');
  for (int file = 0; file < 3; ++file) {
    std::string text;
    for (int card = 0; card < 4000; ++card) {
      text += Line(
          {"Card " + std::to_string(file * 4000 + card), "j", "", "1", "t", "Land", "", rules});
    }
    WriteFile("part" + std::to_string(file) + ".dat", text);
  }
  database_.LoadDictionary(Folder());
  EXPECT_EQ(database_.size(), 12000u);
  EXPECT_EQ(database_.fetch("Card 11999").rules_text, rules + "\r\n\r\n");
  EXPECT_EQ(database_.fetch("Card 0").type, CardType::Land);
}

TEST_F(DictionaryTest, FirstReadCardOfANameStays) {
  WriteFile("a.dat", Line({"Forest", "first", "", "0", "t", "Land", ""}) +
                         Line({"Forest", "second", "", "0", "t", "Land", ""}));
  WriteFile("b.DAT", Line({"Forest", "third", "", "0", "t", "Land", ""}) + kBolt);
  WriteFile("notes.txt", "not a dictionary");
  scratch_.MakeFolder("dictionary/sub.dat");
  database_.LoadDictionary(Folder());
  EXPECT_EQ(database_.size(), 2u);
  EXPECT_EQ(database_.fetch("Forest").name_japanese, "first");
}

TEST_F(DictionaryTest, AFailedLoadAddsNothing) {
  WriteFile("a.dat", kLand);
  WriteFile("b.dat", "broken\n");
  EXPECT_THROW(database_.LoadDictionary(Folder()), CardDatabaseInitializeException);
  EXPECT_EQ(database_.size(), 0u);
}

TEST_F(DictionaryTest, UnreadableFilesAreReported) {
  scratch_.MakeFolder("dictionary");
  // A link to nowhere is listed but cannot be opened.
  ASSERT_EQ(::symlink("/nonexistent/x", (Folder() + "/gone.dat").c_str()), 0);
  try {
    database_.LoadDictionary(Folder());
    FAIL() << "no exception";
  } catch (const CardDatabaseInitializeException& e) {
    EXPECT_EQ(e.GetReason(), CardDatabaseInitializeException::kFileOpenError);
  }
}

TEST_F(DictionaryTest, MissingFolderMeansEveryCardIsUnknown) {
  database_.LoadDictionary(Folder());
  EXPECT_EQ(database_.size(), 0u);
  EXPECT_FALSE(database_.card_exist("Forest"));
  EXPECT_EQ(database_.fetch("Forest").type, CardType::UnknownCard);
  EXPECT_TRUE(database_.card_exist("Forest"));
}

// Permissions keep root out of nothing, so an ordinary user tries in a child process.
TEST_F(DictionaryTest, AFolderThatCannotBeReadStopsTheLoadAndSaysWhich) {
  WriteFile("cards.dat", kLand);
  ::chmod(scratch_.Path().c_str(), 0755);
  ::chmod(Folder().c_str(), 0300);
  pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    try {
      database_.LoadDictionary(Folder());
    } catch (const CardDatabaseInitializeException& error) {
      ::_exit(error.GetPath() == Folder() && error.GetReason() == "アクセスが許可されていません"
                  ? 0
                  : 3);
    }
    ::_exit(1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: loaded as if empty, 3: another error";
}

TEST_F(DictionaryTest, DefaultFolderIsBesideTheProgram) {
  ProgramFiles::Scope program(scratch_.Join("tarvane"));
  WriteFile("cards.dat", kLand);
  database_.LoadDictionary();
  EXPECT_TRUE(database_.card_exist("Forest"));
}

TEST_F(DictionaryTest, CardsHeldBeforeALoadStay) {
  database_.add_unknown_card("Forest");
  WriteFile("cards.dat", kLand + kBolt);
  database_.LoadDictionary(Folder());
  EXPECT_EQ(database_.size(), 2u);
  EXPECT_EQ(database_.fetch("Forest").type, CardType::UnknownCard);
  EXPECT_EQ(database_.fetch("Shock").type, CardType::Instant);
}

TEST(CardDatabaseTest, UnknownCardsNeverReplaceKnownOnes) {
  CardDatabase database;
  Card known;
  known.name = "Known";
  known.type = CardType::Land;
  EXPECT_TRUE(database.Insert(known));
  EXPECT_FALSE(database.Insert(Card::MakeUnknown("Known")));
  database.add_unknown_card("Known");
  EXPECT_EQ(database.fetch("Known").type, CardType::Land);
  const Card& first = database.fetch("New");
  for (int i = 0; i < 1000; ++i) database.add_unknown_card("filler " + std::to_string(i));
  EXPECT_EQ(&first, &database.fetch("New"));  // references survive growth
}

TEST_F(DictionaryTest, ADictionaryFileWhoseNameCannotBeSpeltStopsTheLoadAndSaysWhich) {
  WriteFile("cards.dat", kLand);
  WriteFile(DesktopNames::kCafe + ".dat", kBolt);
  try {
    database_.LoadDictionary(Folder());
    FAIL() << "its cards would have become unknown cards";
  } catch (const CardDatabaseInitializeException& e) {
    EXPECT_EQ(e.GetPath(), Folder() + "/caf<U+00E9>.dat");
    EXPECT_EQ(e.GetReason(), TtString::kUnrepresentablePathReason);
  }
  EXPECT_FALSE(database_.card_exist("Forest"));
}

TEST_F(DictionaryTest, ADictionaryFileThatIsAFifoIsRefusedAtOnce) {
  // It would keep the start-up waiting for a writer.
  WriteFile("cards.dat", kLand);
  ASSERT_EQ(::mkfifo((Folder() + "/waits.dat").c_str(), 0600), 0);
  EXPECT_THROW(database_.LoadDictionary(Folder()), CardDatabaseInitializeException);
}
