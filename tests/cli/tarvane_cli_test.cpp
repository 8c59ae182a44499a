// tarvane-cli: its command line, its output, its messages and exit status, run in-process over
// a test program folder, and the built tool itself over the shipped sample decks.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "app/settings.h"
#include "cli/tarvane_cli.h"
#include "tests/support/desktop_names.h"
#include "tests/support/missing_tool.h"
#include "tests/table/table_test_support.h"

namespace TarvaneTest {
namespace {

using Strings = std::vector<std::string>;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

class CliTest : public ::testing::Test {
protected:
  CliRun Run(const Strings& arguments) {
    Strings with_program = {"--program", folder.Program()};
    with_program.insert(with_program.end(), arguments.begin(), arguments.end());
    std::ostringstream out, err;
    int status = Tarvane::RunTarvaneCli(with_program, out, err, "unused");
    return {status, out.str(), err.str()};
  }
  // UTF-8 text as the test source spells it (the literals are CP932 at run time).
  static std::string Utf8(const std::string& cp932) { return TtString::Cp932ToUtf8(cp932); }

  TableProgramFolder folder;
};

const std::string kBothDecksCsv =
    "\"カード名\",\"burn.txt\",\"blue.txt\"\r\n"
    "\"対抗呪文\",\"\",\"4\"\r\n"
    "\"ゴブリンの先達\",\"4\",\"\"\r\n"
    "\"島\",\"\",\"10\"\r\n"
    "\"稲妻\",\"4\",\"\"\r\n"
    "\"山\",\"8\",\"\"\r\n"
    "\"メイン合計\",\"16\",\"14\"\r\n"
    "\"稲妻\",\"2\",\"\"\r\n"
    "\"山\",\"\",\"2\"\r\n"
    "\"Smash\",\"3\",\"\"\r\n"
    "\"サイド合計\",\"5\",\"2\"\r\n";

TEST_F(CliTest, ActionsRunInOrderAndTheTableComesOutAsCp932) {
  CliRun run =
      Run({"--status", "--add", folder.burn, folder.blue, "--all-decks", "--status", "--csv"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "デッキ数 : 0\n並び替え : 名前順\nデッキ数 : 2\n並び替え : 名前順\n" + kBothDecksCsv);
}

TEST_F(CliTest, Utf8AndTabsOnRequest) {
  CliRun run = Run({"--utf8", "--add", folder.burn, "--board", "side", "--tsv"});
  EXPECT_EQ(run.out, Utf8("\"カード名\"\r\n\"稲妻\"\r\n\"Smash\"\r\n\"サイド合計\"\r\n"));
  run = Run({"--add", folder.burn, "--board", "hybrid", "--decks", "1", "--tsv"});
  EXPECT_NE(run.out.find("\"稲妻\"\t\"6\"\r\n"), std::string::npos);
}

TEST_F(CliTest, TheMenusAreListedAsTrees) {
  CliRun run = Run({"--menus"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(
      run.out,
      "Add special column\n  ゼロ\n  小数ゼロ\n  小数\n  文字列\n  空\n  真\n  負\n  大\n  ----\n"
      "  壊れた/\n"
      "    失敗\n    並び替えなし\n    名前のない並び替え\n"
      "Sort\n  名前順\n  逆順\n  ----\n  特殊/\n    小数\n    文字列\n    null\n"
      "    壊れた\n"
      "Special entries\n  [x] Main Total / メイン合計 (main deck)\n"
      "  [ ] Main Lands / メイン土地 (main deck)\n"
      "  [x] Side Total / サイド合計 (sideboard)\n");
}

TEST_F(CliTest, MenuItemsAreChosenByTheirLabelPath) {
  CliRun run = Run({"--add", folder.burn, "--column", Utf8("小数"), "--sort", Utf8("特殊/小数"),
                    "--status", "--csv"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("並び替え : 小数\n\"カード名\",\"小数\"\r\n\"サイド合計\",\"1.50\"\r\n"),
            std::string::npos)
      << Utf8(run.out);
}

TEST_F(CliTest, AScriptMistakeIsShownOnStandardErrorAndTheRunGoesOn) {
  CliRun run = Run({"--column", Utf8("壊れた/失敗"), "--column", Utf8("ゼロ"), "--csv"});
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err.rfind("Script error: A script had an error.\n\n", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(Utf8("計算できません")), std::string::npos);
  EXPECT_EQ(run.out, "\"カード名\",\"ゼロ\"\r\n\"メイン合計\",\"\"\r\n\"サイド合計\",\"\"\r\n");
}

TEST_F(CliTest, AnEventFileBecomesOneListPerDeckAndACutShortOneWritesNothing) {
  const std::string event =
      "{\"Tournament\": {\"Date\": \"2024-03-02T00:00:00Z\", \"Name\": \"Pauper League\"},"
      " \"Decks\": [{\"Player\": \"a:b\", \"Result\": \"5-0\","
      " \"Mainboard\": [{\"Count\": 4, \"CardName\": \"Lightning Bolt\"}],"
      " \"Sideboard\": [{\"Count\": 2, \"CardName\": \"Counterspell\"}]}],"
      " \"Standings\": null, \"Rounds\": null, \"Bracket\": null}";
  std::string target = folder.Join("event");
  CliRun run = Run({"--utf8", "--import", folder.Write("league.json", event), "--to", target});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(ScratchFolder::Read(target + "/001_a_b.txt"),
            "#NAME 001 a:b\n#PLAYER a:b\n#RESULT 5-0\n#EVENT Pauper League\n#DATE 2024-03-02\n"
            "4 Lightning Bolt\n\n2 Counterspell\n");
  EXPECT_NE(run.out.find("Event: Pauper League\nDate: 2024-03-02\nDecks written: 1 / 1\n"),
            std::string::npos)
      << run.out;

  std::string cut = folder.Write("cut.json", event.substr(0, event.size() / 2));
  run = Run({"--import", cut, "--to", folder.Join("cut")});
  EXPECT_EQ(run.status, 3);
  EXPECT_FALSE(std::filesystem::exists(folder.Join("cut")));
}

TEST_F(CliTest, ABatchGoesOnPastFilesItCannotNameOrDoesNotKnow) {
  std::string good = folder.Write("in/good.txt", "4 Lightning Bolt\n");
  std::string svg = folder.Write("in/picture.svg", "<?xml version=\"1.0\"?>\n<svg></svg>\n");
  std::string target = folder.Join("out");
  // The name reaches the tool in UTF-8; CP932 has no "ü".
  CliRun run =
      Run({"--utf8", "--import", folder.Join("in/Z\xC3\xBCrcher.dec"), svg, good, "--to", target});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(ScratchFolder::Read(target + "/good.txt"), "4 Lightning Bolt\n");
  // Neither a shape nor an encoding before the reason.
  EXPECT_NE(
      run.out.find(svg + "\nNot written: shape not known: XML (<svg>) of a shape not known\n"),
      std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("Z<U+00FC>rcher.dec\n"
                         "Not written: the file name has characters CP932 cannot spell"),
            std::string::npos)
      << run.out;
}

TEST_F(CliTest, ImportConvertsEachFileIntoTheFolderAndReportsIt) {
  std::string dck = folder.Write("in/burn.dck",
                                 "[Main]\n4 Lightning Bolt|M10\n[Sideboard]\n2 Counterspell|MMQ\n");
  std::string japanese = folder.Write("in/shop.txt", Utf8("4 稲妻\n8 山\n"));
  std::string nothing = folder.Write("in/notes.txt", "nothing here\n");
  std::string target = folder.Join("out/new");  // made with its parent
  CliRun run = Run({"--utf8", "--import", dck, japanese, nothing, folder.Join("in/missing.txt"),
                    "--to", target});
  EXPECT_EQ(run.status, 3);  // two files could not be converted
  EXPECT_EQ(ScratchFolder::Read(target + "/burn.txt"), "4 Lightning Bolt\n\n2 Counterspell\n");
  EXPECT_EQ(ScratchFolder::Read(target + "/shop.txt"), "4 Lightning Bolt\n8 Mountain\n");
  EXPECT_FALSE(std::filesystem::exists(target + "/notes.txt"));
  EXPECT_NE(run.out.find(Utf8(dck + " → " + target + "/burn.txt\nShape: .dck file")),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find(Utf8("Card names replaced: 稲妻 → Lightning Bolt, 山 → Mountain\n")),
            std::string::npos);
  EXPECT_NE(run.out.find(
                Utf8(nothing + "\nNot written: shape not known: text, but with no card lines\n")),
            std::string::npos);
  // A file that cannot be read gets only its read error, in the report's language.
  EXPECT_NE(run.out.find(Utf8(folder.Join("in/missing.txt") +
                              "\nNot written: cannot be read (No such file or directory)\n")),
            std::string::npos)
      << run.out;

  // Converting again replaces the files; two inputs of the same name do not become one file.
  run = Run({"--import", dck, folder.Write("in/other/burn.txt", "1 Island\n"), "--to", target});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(ScratchFolder::Read(target + "/burn.txt"), "4 Lightning Bolt\n\n2 Counterspell\n");
  EXPECT_NE(run.out.find("Not written: a file of the same name was written in this run\n"),
            std::string::npos);
  EXPECT_EQ(Run({"--import", japanese, "--to", target}).status, 0);
}

TEST_F(CliTest, ImportUsageErrors) {
  EXPECT_EQ(Run({"--import", folder.burn}).status, 2);
  EXPECT_EQ(Run({"--to", folder.Join("x")}).status, 2);
  CliRun run = Run({"--import", folder.burn, "--to", folder.Join("x"), "--status"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("--import runs alone"), std::string::npos);
}

TEST_F(CliTest, UsageErrorsSayWhatIsWrong) {
  const std::vector<std::pair<Strings, std::string>> cases = {
      {{"--frobnicate"}, "unknown option --frobnicate"},
      {{"--hide", "x"}, "--hide: \"x\" is not a number"},
      {{"--board"}, "--board: a value is missing"},
      {{"--board", "all"}, "--board: \"all\" is not one of both, main, side, hybrid"},
      {{"--special", "Main Total=maybe"}, "--special: \"Main Total=maybe\" is not NAME=on"},
      {{"stray"}, "\"stray\" belongs to no option"},
      {{"--sort", "nothing"}, "--sort: the sort menu has no item \"nothing\""},
      {{"--column", Utf8("名前順")}, "--column: the special-column menu has no item"},
      {{"--special", "Nobody=on"}, "--special: there is no special entry \"Nobody\""},
      {{"--decks", "1"}, "--decks: there is no deck 1 (0 loaded)"},
      {{"--delete-column", "0"}, "--delete-column: there is no column 0 that can be deleted"},
      {{"--sort-column", "1"}, "--sort-column: there is no column 1 (1 columns)"},
      {{"--hide", "2"}, "--hide: there is no row 2 (2 rows)"},
  };
  for (const auto& [arguments, message] : cases) {
    CliRun run = Run(arguments);
    EXPECT_EQ(run.status, 2) << message;
    EXPECT_NE(run.err.find("tarvane-cli: " + Utf8(message)), std::string::npos) << run.err;
  }
  // Labels are checked before any action runs; a row or column index only when its turn comes.
  CliRun run = Run({"--status", "--sort", "nothing", "--status"});
  EXPECT_EQ(run.out, "");
  run = Run({"--status", "--hide", "5", "--status"});
  EXPECT_EQ(run.out, "デッキ数 : 0\n並び替え : 名前順\n");
}

TEST_F(CliTest, AMistypedLabelStopsTheRunBeforeAnyWork) {
  const std::string csv = folder.Join("table.csv");
  CliRun run = Run({"--add", folder.burn, "--all-decks", "--csv", csv, "--column", Utf8("ゼロ"),
                    "--sort", Utf8("特殊/小数x")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("--sort: the sort menu has no item"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(csv));
}

TEST_F(CliTest, SpecialEntriesAreTickedByEitherName) {
  CliRun run = Run({"--special", "Main Lands=on", "--special", Utf8("サイド合計=off"), "--csv"});
  EXPECT_EQ(run.out, "\"カード名\"\r\n\"メイン土地\"\r\n\"メイン合計\"\r\n");
}

TEST_F(CliTest, DecksColumnsAndRowsByIndex) {
  CliRun run = Run({"--add",
                    folder.burn,
                    folder.blue,
                    "--decks",
                    "2",
                    "1",
                    "--delete-column",
                    "2",
                    "--sort-column",
                    "1",
                    "--hide",
                    "0",
                    "--move",
                    "0",
                    "2",
                    "--move",
                    "1",
                    "-1",
                    "--move",
                    "3",
                    "3",
                    "--move",
                    "9",
                    "0",
                    "--status",
                    "--csv"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "デッキ数 : 2\n並び替え : blue.txt の枚数順\n"
            "\"カード名\",\"blue.txt\"\r\n"
            "\"ゴブリンの先達\",\"\"\r\n"
            "\"対抗呪文\",\"4\"\r\n"
            "\"稲妻\",\"\"\r\n"
            "\"山\",\"\"\r\n"
            "\"メイン合計\",\"14\"\r\n"
            "\"山\",\"2\"\r\n"
            "\"稲妻\",\"\"\r\n"
            "\"Smash\",\"\"\r\n"
            "\"サイド合計\",\"2\"\r\n");
}

TEST_F(CliTest, EditingKeepsTheColumnsOfTheFilesStillListed) {
  CliRun run = Run({"--add", folder.burn, folder.blue, "--all-decks", "--column", Utf8("ゼロ"),
                    "--edit", folder.blue, "--board", "main", "--csv"});
  EXPECT_EQ(run.out,
            "\"カード名\",\"blue.txt\",\"ゼロ\"\r\n\"対抗呪文\",\"4\",\"\"\r\n"
            "\"島\",\"10\",\"\"\r\n\"メイン合計\",\"14\",\"\"\r\n");
  run = Run({"--add", folder.burn, "--all-decks", "--new", "--status", "--csv"});
  EXPECT_EQ(run.out,
            "デッキ数 : 0\n並び替え : 名前順\n\"カード名\"\r\n\"メイン合計\"\r\n"
            "\"サイド合計\"\r\n");
}

TEST_F(CliTest, FilesAreWrittenAsTheExportCommandWritesThem) {
  const std::string csv = folder.Join("out/table");
  folder.Write("out/.keep", "");
  CliRun run = Run({"--utf8", "--add", folder.burn, folder.blue, "--all-decks", "--csv", csv,
                    "--csv", folder.Join("out")});
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(ScratchFolder::Read(csv), kBothDecksCsv);
  EXPECT_EQ(run.err, "File open error: The file could not be opened.\nFile: " + folder.Join("out") +
                         "\nReason: not a regular file\n");
}

// Burn and blue have 16 and 14 main-deck cards: the lower median is 14, which the cards of
// either deck (one deck playing each) fill in card order.
TEST_F(CliTest, TheAverageDeckOfTheDeckColumnsOrOfEveryDeck) {
  const std::string both = folder.Join("both.txt");
  const std::string burn = folder.Join("burn_average.txt");
  CliRun run = Run({"--add", folder.burn, folder.blue, "--average-deck", both, "--decks", "1",
                    "--average-deck", burn});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ScratchFolder::Read(both),
            "#NAME 平均デッキ: blue.txt 1, burn.txt 1 (2デッキ)\n"
            "10 Island\n4 Mountain\n\n2 Mountain\n");
  EXPECT_EQ(ScratchFolder::Read(burn),
            "#NAME 平均デッキ: burn.txt 1 (1デッキ)\n"
            "8 Mountain\n4 Goblin Guide\n4 Lightning Bolt\n\n2 Lightning Bolt\n3 Smash\n");
  EXPECT_EQ(Run({"--average-deck", both}).err, "Average deck: There are no decks to average.\n");
}

TEST_F(CliTest, DeckFileErrorsAreReportedAndSkipped) {
  const std::string missing = folder.Join("decks/missing.txt");
  const std::string empty = folder.Write("decks/empty.txt", "#NAME nothing\n\n");
  CliRun run = Run({"--add", missing, folder.burn, empty, "--status"});
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err, "File access error: The file could not be accessed.\nFile: " + missing +
                         "\nReason: No such file or directory\n"
                         "Deck file format error: This is not a deck file.\nFile: " +
                         empty + "\n");
  EXPECT_EQ(run.out, "デッキ数 : 1\n並び替え : 名前順\n");
}

TEST_F(CliTest, AStartUpThatEndsTheProgramExitsWithOne) {
  folder.Write("tarvane.nut", "local x = ;");
  CliRun run = Run({"--status"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("The program cannot start properly."), std::string::npos);
  EXPECT_EQ(ScratchFolder::Read(folder.Join("tarvane.ini")), "");

  std::remove(folder.Join("tarvane.nut").c_str());
  run = Run({"--status"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Error: The file does not exist.\nFile: " + folder.Join("tarvane.nut") + "\n");
  EXPECT_NE(ScratchFolder::Read(folder.Join("tarvane.ini")).find("Dump="), std::string::npos);
}

TEST_F(CliTest, YesAnswersTheExtensionScriptQuestion) {
  folder.Write("tarvane.ini", "[Tarvane]\nUseExtensionScript=1\nExtensionScriptPath=none.nut\n");
  CliRun run = Run({"--status"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Start the program all the same?"), std::string::npos);
  // The start goes on without the script, and the exit status still says that it failed.
  run = Run({"--yes", "--status"});
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.out, "デッキ数 : 0\n並び替え : 名前順\n");
}

// A first column the scripts could not make leaves a table without columns: a failure.
TEST_F(CliTest, AStartWhoseScriptsReportedErrorsEndsWithAFailure) {
  folder.Write("tarvane.ini", "[Tarvane]\nUseExtensionScript=1\nExtensionScriptPath=null.nut\n");
  folder.Write("null.nut",
               "::Organizer.create_first_column_processor <- function(japanese) { return null; }");
  CliRun run = Run({"--status"});
  EXPECT_EQ(run.status, 4) << run.err;
  EXPECT_NE(run.err, "");
}

TEST_F(CliTest, CellTextsOfEveryKindAndTheZeroSetting) {
  Strings arguments;
  for (const char* label : {"ゼロ", "小数ゼロ", "小数", "文字列", "空", "真", "負", "大"}) {
    arguments.push_back("--column");
    arguments.push_back(Utf8(label));
  }
  arguments.push_back("--csv");
  const std::string main_total =
      "\"メイン合計\",\"\",\"0.00\",\"1.50\",\"a,b\t\"\"c\"\"\",\"\",\"true\",\"-12\","
      "\"1000000015047466219876688855040.00\"\r\n";
  CliRun run = Run(arguments);
  EXPECT_NE(run.out.find(main_total), std::string::npos) << Utf8(run.out);
  folder.Write("tarvane.ini", "[Tarvane]\nIfZeroNullString=0\n");
  run = Run(arguments);
  EXPECT_NE(run.out.find("\"メイン合計\",\"0\",\"0.00\""), std::string::npos) << Utf8(run.out);
}

TEST_F(CliTest, SortersThatReturnFloatsStringsOrNull) {
  const std::string reversed =
      "\"カード名\"\r\n\"サイド合計\"\r\n\"Smash\"\r\n\"稲妻\"\r\n\"メイン合計\"\r\n\"山\"\r\n"
      "\"稲妻\"\r\n\"ゴブリンの先達\"\r\n";
  // A float counts by its sign; a string or null makes all rows equal, so the order stays.
  CliRun run =
      Run({"--add", folder.burn, "--sort", Utf8("特殊/小数"), "--csv", "--sort",
           Utf8("特殊/文字列"), "--csv", "--sort", Utf8("特殊/null"), "--status", "--csv"});
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, reversed + reversed + "デッキ数 : 1\n並び替え : null\n" + reversed);
  // A failing comparison keeps the current sorter and its text.
  run = Run({"--sort", Utf8("特殊/壊れた"), "--status"});
  EXPECT_NE(run.err.find(Utf8("比較できません")), std::string::npos);
  EXPECT_EQ(run.out, "デッキ数 : 0\n並び替え : 名前順\n");
}

TEST_F(CliTest, DeletingTheSortingColumnLeavesNoSorter) {
  CliRun run = Run({"--add", folder.burn, folder.blue, "--all-decks", "--sort-column", "2", "--csv",
                    "--sort-column", "2", "--csv", "--status", "--delete-columns", "--status",
                    "--refresh", "--status"});
  EXPECT_EQ(run.status, 0);
  // Clicking the same header twice sorts the same way twice.
  const size_t second = run.out.find("\"カード名\"", 1);
  EXPECT_EQ(run.out.substr(0, second), run.out.substr(second, second));
  EXPECT_NE(
      run.out.find("並び替え : blue.txt の枚数順\nデッキ数 : 2\n並び替え : blue.txt の枚数順\n"
                   "デッキ数 : 2\n並び替え : \n"),
      std::string::npos);
}

TEST_F(CliTest, AScriptMistakeInAColumnsSorterEndsOnlyThatCommand) {
  CliRun run = Run({"--add", folder.burn, "--column", Utf8("壊れた/並び替えなし"), "--sort-column",
                    "1", "--status", "--delete-column", "1", "--refresh", "--status", "--csv"});
  EXPECT_EQ(run.status, 4);
  // Two boxes: the header click, then the sorter test of the deletion, which goes on.
  EXPECT_NE(run.err.find("Script error"), run.err.rfind("Script error"));
  // The sorter of the first column, which the failed click left in place, is not the deleted
  // column's and stays.
  EXPECT_EQ(run.out.substr(0, run.out.find("\"")),
            "デッキ数 : 1\n並び替え : 名前順\nデッキ数 : 1\n並び替え : 名前順\n");
  EXPECT_EQ(run.out.find("並び替えなし"), std::string::npos);

  // So does a sorter of the sort menu.
  run = Run({"--add", folder.burn, "--column", Utf8("壊れた/並び替えなし"), "--sort",
             Utf8("特殊/null"), "--delete-column", "1", "--refresh", "--status"});
  EXPECT_EQ(run.out, "デッキ数 : 1\n並び替え : null\n");
}

TEST_F(CliTest, OneRowPerNameEvenForTheSameDeckTwice) {
  CliRun run =
      Run({"--add", folder.burn, folder.burn, "--all-decks", "--all-decks", "--status", "--csv"});
  EXPECT_EQ(run.out,
            "デッキ数 : 2\n並び替え : 名前順\n"
            "\"カード名\",\"burn.txt\",\"burn.txt\",\"burn.txt\",\"burn.txt\"\r\n"
            "\"ゴブリンの先達\",\"4\",\"4\",\"4\",\"4\"\r\n\"稲妻\",\"4\",\"4\",\"4\",\"4\"\r\n"
            "\"山\",\"8\",\"8\",\"8\",\"8\"\r\n\"メイン合計\",\"16\",\"16\",\"16\",\"16\"\r\n"
            "\"稲妻\",\"2\",\"2\",\"2\",\"2\"\r\n\"Smash\",\"3\",\"3\",\"3\",\"3\"\r\n"
            "\"サイド合計\",\"5\",\"5\",\"5\",\"5\"\r\n");
}

TEST_F(CliTest, AHiddenRowIsNotExportedUntilTheNextRefresh) {
  CliRun run =
      Run({"--add", folder.blue, "--board", "main", "--hide", "0", "--csv", "--refresh", "--csv"});
  EXPECT_EQ(run.out,
            "\"カード名\"\r\n\"島\"\r\n\"メイン合計\"\r\n"
            "\"カード名\"\r\n\"対抗呪文\"\r\n\"島\"\r\n\"メイン合計\"\r\n");
}

TEST_F(CliTest, AFileNameWithoutAnExactSpellingIsRefusedNotTakenForAnother) {
  using namespace DesktopNames;
  // out/w～.csv exists; w〜 would be spelt with the same bytes and overwrite it.
  const std::string tilde_csv = folder.Write("out/" + kFullwidthTilde + ".csv", "keep me");
  const std::string tilde_deck = folder.Write("decks/" + kFullwidthTilde + ".txt", BurnDeck());
  for (const std::string& name : {kWaveDash, kCafe, kEmoji, kLatin1}) {
    CliRun run = Run({"--add", folder.burn, "--csv", folder.Join("out/" + name + ".csv")});
    EXPECT_EQ(run.status, 2) << name;
    EXPECT_NE(run.err.find("cannot be spelt exactly"), std::string::npos) << run.err;
    run = Run({"--add", folder.Join("decks/" + name + ".txt"), "--status"});
    EXPECT_EQ(run.status, 2) << name;
    EXPECT_EQ(run.out, "");
  }
  CliRun run = Run({"--add", folder.Join("decks/" + kWaveDash + ".txt")});
  EXPECT_NE(run.err.find(folder.Join("decks/w<U+301C>.txt")), std::string::npos) << run.err;
  run = Run({"--add", folder.Join("home/" + kJose + "/" + kCafe + ".txt")});
  EXPECT_NE(run.err.find("home/jos<U+00E9>/caf<U+00E9>.txt"), std::string::npos) << run.err;
  EXPECT_EQ(ScratchFolder::Read(tilde_csv), "keep me");
  // The name that is spelt exactly is the file it names.
  run = Run({"--add", tilde_deck, "--csv", tilde_csv});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ScratchFolder::Read(tilde_csv).substr(0, 10), "\"カード名\"");
}

TEST_F(CliTest, DevicesAndFifosAreRefusedAtOnceAndTheExitStatusSaysSo) {
  const std::string fifo = folder.Join("decks/fifo.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  CliRun run = Run({"--add", fifo, "/dev/zero", "/dev/urandom", folder.burn, "--status"});
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.out, "デッキ数 : 1\n並び替え : 名前順\n");
  for (const std::string& path : {fifo, std::string("/dev/zero"), std::string("/dev/urandom")}) {
    EXPECT_NE(run.err.find("File: " + path + "\nReason: not a regular file"), std::string::npos)
        << run.err;
  }
}

TEST_F(CliTest, AFailedExportLeavesTheOldFileAndAFailingExitStatus) {
  const std::string csv = folder.Write("out/table.csv", "old");
  ::chmod(csv.c_str(), 0444);  // refused even for root
  CliRun run = Run({"--add", folder.burn, "--csv", csv});
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(ScratchFolder::Read(csv), "old");
  EXPECT_EQ(run.err.rfind("File open error: ", 0), 0u) << run.err;
}

// Each --png and --svg draws the table as it is at that point, with the settings of the last
// --chart; the chart options need a --chart before them.
TEST_F(CliTest, ChartsAreWrittenAsTheTableIsAtThatPoint) {
  const std::string before = folder.Join("before.svg"), after = folder.Join("after.svg");
  const std::string curve = folder.Join("curve.png");
  CliRun run = Run({"--chart", "metagame", "--threshold", "0", "--size", "800x600", "--svg", before,
                    "--add", folder.burn, folder.blue, "--svg", after, "--chart", "curve",
                    "--by-type", "--png", curve});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(ScratchFolder::Read(before).find(Utf8("デッキがありません")), std::string::npos);
  const std::string svg = ScratchFolder::Read(after);
  EXPECT_NE(svg.find("width=\"800\" height=\"600\""), std::string::npos);
  EXPECT_NE(svg.find(">burn.txt</text>"), std::string::npos);
  EXPECT_NE(svg.find(">1 (50.0%)</text>"), std::string::npos);
  EXPECT_EQ(ScratchFolder::Read(curve).substr(1, 3), "PNG");

  for (const Strings& bad :
       {Strings{"--png", curve}, Strings{"--card", "Island"}, Strings{"--chart", "pie"},
        Strings{"--chart", "curve", "--size", "10x10"},
        Strings{"--chart", "metagame", "--threshold", "120"}}) {
    run = Run(bad);
    EXPECT_EQ(run.status, 2) << bad[0];
  }
}

TEST_F(CliTest, AChartFileThatCannotBeWrittenFailsTheRun) {
  CliRun run = Run({"--add", folder.burn, "--chart", "adoption", "--card", "Lightning Bolt",
                    "--png", folder.Join("missing/chart.png")});
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err.rfind("File open error: ", 0), 0u) << run.err;
}

// The built tool, as a user runs it, over the program folder of the build.
class BuiltCliTest : public ::testing::Test {
protected:
  void SetUp() override {
    const char* bin = std::getenv("TARVANE_BIN_DIR");
    if (!bin || ::access((std::string(bin) + "/tarvane-cli").c_str(), X_OK) != 0) {
      TARVANE_SKIP_FOR_MISSING_TOOL("tarvane-cli is not built");
    }
    bin_ = bin;
  }
  CliRun Run(const std::string& arguments) {
    const std::string out = scratch_.Join("out"), err = scratch_.Join("err");
    // No display: the tool is for machines without one.
    const std::string command = "cd '" + bin_ + "' && env -u DISPLAY ./tarvane-cli " + arguments +
                                " >'" + out + "' 2>'" + err + "'";
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ScratchFolder::Read(out),
            ScratchFolder::Read(err)};
  }
  std::string bin_;
  ScratchFolder scratch_;
};

TEST_F(BuiltCliTest, TheSampleDecksLoadAsColumns) {
  CliRun run = Run(TtString::Cp932ToUtf8(
      "--utf8 --add decks/*.txt --all-decks --column '採用デッキ数' --status --csv"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  std::istringstream lines(run.out);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, TtString::Cp932ToUtf8("デッキ数 : 10"));
  std::getline(lines, line);
  EXPECT_EQ(line, TtString::Cp932ToUtf8("並び替え : カードタイプ順"));
  int rows = 0;
  while (std::getline(lines, line)) {
    EXPECT_EQ(std::count(line.begin(), line.end(), '"'), 24) << line;
    ++rows;
  }
  EXPECT_GT(rows, 150);
}

TEST_F(BuiltCliTest, ChartsNeedNoDisplay) {
  const std::string png = scratch_.Join("metagame.png");
  CliRun run = Run("--add decks/*.txt --chart metagame --png '" + png + "'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ScratchFolder::Read(png).substr(1, 3), "PNG");
}

TEST_F(BuiltCliTest, ExitStatusOfAUsageError) {
  CliRun run = Run("--hide");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err.rfind("tarvane-cli: --hide: a value is missing", 0), 0u);
  EXPECT_EQ(Run("--help").status, 0);
}

}  // namespace
}  // namespace TarvaneTest

namespace TarvaneTest {
namespace {

// The built programs copied into a folder whose name CP932 cannot spell.
class UnspellableFolderTest : public BuiltCliTest {
protected:
  void SetUp() override {
    BuiltCliTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    folder_ = scratch_.Join(DesktopNames::kCafe);
    std::filesystem::create_directories(folder_);
    for (const char* name : {"tarvane", "tarvane-cli", "tarvane.nut", "tarvane.bmp"}) {
      std::filesystem::copy(bin_ + "/" + name, folder_ + "/" + name);
    }
  }
  CliRun RunThere(const std::string& arguments) {
    bin_ = folder_;
    return Run(arguments);
  }
  std::string folder_;
};

TEST_F(UnspellableFolderTest, TheToolAnswersHelpAndNamesTheFolderInsteadOfAborting) {
  EXPECT_EQ(RunThere("--help").status, 0);
  CliRun run = RunThere("--status");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("caf<U+00E9>/tarvane-cli"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("the file name has characters Shift-JIS cannot spell"), std::string::npos)
      << run.err;
}

TEST_F(UnspellableFolderTest, TheWindowProgramWritesTheErrorLogThere) {
  if (!std::getenv("DISPLAY")) TARVANE_SKIP_FOR_MISSING_TOOL("no display");
  // The program shows its box and waits; the log is written before the box.
  const std::string ini = folder_ + "/tarvane.ini";
  const std::string program = folder_ + "/tarvane";
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  std::string log;
  for (int i = 0; i < 200 && log.find("Dump=") == std::string::npos; ++i) {
    ::usleep(100000);
    log = ScratchFolder::Read(ini);
  }
  ::kill(child, SIGTERM);
  ::waitpid(child, nullptr, 0);
  EXPECT_EQ(log, "[ErrorLog]\nDump=TtFileAccessException : " +
                     TtString::DescribeSystemPath(folder_) + "/tarvane(errno = 84)\n");
}

}  // namespace
}  // namespace TarvaneTest

namespace TarvaneTest {
namespace {

// The archetypes through the tool: the folder for one run or from the settings, the listing in
// load order, and the average deck of one archetype.
TEST_F(CliTest, ArchetypesFromTheRuleFolder) {
  const std::string rules = std::string(std::getenv("TARVANE_TEST_DATA")) + "/archetypes/Modern";
  CliRun run = Run({"--utf8", "--add", folder.burn, folder.blue, "--archetypes"});
  EXPECT_EQ(run.out, folder.burn + "\tburn.txt\tname\n" + folder.blue + "\tblue.txt\tname\n");

  const std::string average = folder.Join("average.txt");
  run = Run({"--utf8", "--archetype-rules", rules, "--add", folder.burn, folder.blue,
             "--archetypes", "--average-deck", average, "--archetype", "Mono Red Burn"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, folder.burn + "\tMono Red Burn\trule\n" + folder.blue +
                         "\tMono Blue GenericControl\tfallback\n");
  EXPECT_NE(run.err.find("Truncated.json: line 4"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("Read 4 archetypes and 2 fallbacks."), std::string::npos);
  EXPECT_NE(folder.Read("average.txt").find("Lightning Bolt"), std::string::npos);

  // The settings keep the folder; an archetype no deck has is an error of the action.
  folder.WriteSettings("[Tarvane]\r\nArchetypeRules=" + rules + "\r\n");
  run =
      Run({"--add", folder.blue, "--archetypes", "--average-deck", average, "--archetype", "Jund"});
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.out, folder.blue + "\tMono Blue GenericControl\tfallback\n");

  // A folder that is no rule folder leaves the decks their names, and the run has failed.
  run = Run(
      {"--utf8", "--archetype-rules", folder.Join("decks"), "--add", folder.blue, "--archetypes"});
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.out, folder.blue + "\tblue.txt\tname\n");

  EXPECT_EQ(Run({"--archetype", "Jund"}).status, 2);
  EXPECT_EQ(Run({"--average-deck", average, "--archetype"}).status, 2);
}

}  // namespace
}  // namespace TarvaneTest
