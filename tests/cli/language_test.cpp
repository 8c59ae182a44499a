// The headless programs speak Japanese under a Japanese locale and English otherwise: their help,
// their usage errors and their reports, run as a user runs them.
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "tests/support/missing_tool.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_string.h"

namespace TarvaneTest {
namespace {

// The test's literals are the program's CP932; the programs write UTF-8.
std::string U(const char* cp932) { return TtString::Cp932ToUtf8(cp932); }

// Every "--word" of a help text.
std::set<std::string> OptionsIn(const std::string& text) {
  auto in_word = [](char c) {
    return std::islower(static_cast<unsigned char>(c)) ||
           std::isdigit(static_cast<unsigned char>(c)) || c == '-';
  };
  std::set<std::string> options;
  size_t at = text.find("--");
  while (at != std::string::npos) {
    size_t end = at + 2;
    while (end < text.size() && in_word(text[end])) ++end;
    if (end > at + 2) options.insert(text.substr(at, end - at));
    at = text.find("--", end);
  }
  return options;
}

struct Outcome {
  std::string output;  // standard output and standard error, in UTF-8
  int status = -1;
};

class LanguageTest : public ::testing::Test {
protected:
  void SetUp() override {
    const char* bin = std::getenv("TARVANE_BIN_DIR");
    if (bin == nullptr) TARVANE_SKIP_FOR_MISSING_TOOL("TARVANE_BIN_DIR is not set");
    bin_ = bin;
  }

  Outcome Start(const std::string& locale, const std::string& command) {
    std::string line = "cd '" + bin_ + "' && env -u LC_ALL -u LC_MESSAGES LANG=" + locale + " ./" +
                       command + " 2>&1";
    Outcome run;
    FILE* pipe = popen(line.c_str(), "r");
    std::array<char, 4096> buffer{};
    while (size_t read = fread(buffer.data(), 1, buffer.size(), pipe))
      run.output.append(buffer.data(), read);
    run.status = WEXITSTATUS(pclose(pipe));
    return run;
  }

  std::string bin_;
};

TEST_F(LanguageTest, TarvaneCliHelpAndUsageErrorsFollowTheLocale) {
  Outcome english = Start("C.UTF-8", "tarvane-cli --help");
  EXPECT_EQ(english.status, 0);
  EXPECT_TRUE(english.output.starts_with("Usage: tarvane-cli")) << english.output;
  Outcome japanese = Start("ja_JP.UTF-8", "tarvane-cli --help");
  EXPECT_EQ(japanese.status, 0);
  EXPECT_TRUE(japanese.output.starts_with(U("使い方: tarvane-cli"))) << japanese.output;
  // Both list the same options.
  EXPECT_EQ(OptionsIn(japanese.output), OptionsIn(english.output));
  EXPECT_GT(OptionsIn(english.output).size(), 30u);

  Outcome english_error = Start("en_US.UTF-8", "tarvane-cli --board sideways");
  EXPECT_EQ(english_error.status, 2);
  EXPECT_EQ(english_error.output,
            "tarvane-cli: --board: \"sideways\" is not one of both, main, side, hybrid\n"
            "(tarvane-cli --help lists the options)\n");
  Outcome japanese_error = Start("ja_JP.UTF-8", "tarvane-cli --board sideways");
  EXPECT_EQ(japanese_error.status, 2);
  EXPECT_EQ(
      japanese_error.output,
      U("tarvane-cli: --board: \"sideways\" は both, main, side, hybrid のどれでもありません\n"
        "(オプションの一覧は tarvane-cli --help)\n"));
  EXPECT_NE(
      Start("ja_JP.UTF-8", "tarvane-cli --add decks/boros_burn.txt --column " + U("存在しない"))
          .output.find(U("特殊カラムのメニューに項目がありません \"存在しない\"")),
      std::string::npos);
}

TEST_F(LanguageTest, TarvaneCliReportsAndTheCLibrarysReasonsFollowTheLocale) {
  ScratchFolder folder;
  const std::string good = folder.Write("burn.txt", "4 Lightning Bolt\nsomething else\n");
  // The report is for the terminal: UTF-8 without --utf8, which is for table text.
  const std::string import = "tarvane-cli --import " + good + " " + folder.Join("gone.txt") +
                             " --to " + folder.Join("out");
  Outcome english = Start("en_US.UTF-8", import);
  EXPECT_EQ(english.status, 3);
  EXPECT_NE(english.output.find("\nMain deck: 4 cards (1 distinct)\n"), std::string::npos)
      << english.output;
  EXPECT_NE(english.output.find("Lines not read: 1\n  line 2: something else\n"),
            std::string::npos);
  EXPECT_NE(english.output.find(folder.Join("gone.txt") +
                                "\nNot written: cannot be read (No such file or directory)\n"),
            std::string::npos)
      << english.output;
  Outcome japanese = Start("ja_JP.UTF-8", import);
  EXPECT_EQ(japanese.status, 3);
  EXPECT_NE(japanese.output.find(U("\nメインデッキ: 1 種類 4 枚\n")), std::string::npos)
      << japanese.output;
  EXPECT_NE(
      japanese.output.find(folder.Join("gone.txt") +
                           U("\n書き出していません: 読み込めません (ファイルがありません)\n")),
      std::string::npos)
      << japanese.output;

  // A deck that cannot be loaded: the message and the C library's reason in one language.
  const std::string add = "tarvane-cli --add " + folder.Join("gone.txt") + " --csv";
  EXPECT_NE(Start("C", add).output.find(
                "File access error: The file could not be accessed.\nFile: " +
                folder.Join("gone.txt") + "\nReason: No such file or directory\n"),
            std::string::npos);
  EXPECT_NE(
      Start("ja_JP.UTF-8", add)
          .output.find(
              U("ファイルアクセスエラー: ファイルのアクセスに失敗しました。\nファイル名 ： ") +
              folder.Join("gone.txt") + U("\n原因 ： ファイルまたはフォルダがありません\n")),
      std::string::npos);
}

TEST_F(LanguageTest, TarvaneDictUsageAndFailureFollowTheLocale) {
  Outcome english = Start("C", "tarvane-dict");
  EXPECT_EQ(english.status, 2);
  EXPECT_TRUE(english.output.starts_with("Usage: tarvane-dict")) << english.output;
  Outcome japanese = Start("ja_JP.UTF-8", "tarvane-dict");
  EXPECT_TRUE(japanese.output.starts_with(U("使い方: tarvane-dict"))) << japanese.output;

  Outcome english_failure = Start("C", "tarvane-dict /no/such/cards.json /tmp/unused.dat");
  EXPECT_EQ(english_failure.status, 1);
  EXPECT_EQ(english_failure.output,
            "Cannot read or write the file: /no/such/cards.json (No such file or directory)\n"
            "No dictionary was written.\n");
  Outcome japanese_failure =
      Start("ja_JP.UTF-8", "tarvane-dict /no/such/cards.json /tmp/unused.dat");
  EXPECT_EQ(
      japanese_failure.output,
      U("ファイルを読み書きできません: /no/such/cards.json (ファイルまたはフォルダがありません)\n"
        "辞書は書き出していません。\n"));
}

TEST_F(LanguageTest, TarvaneBenchHelpAndAnUnknownMeasurementFollowTheLocale) {
  Outcome english = Start("C", "tarvane-bench --help");
  EXPECT_EQ(english.status, 0);
  EXPECT_TRUE(english.output.starts_with("Usage: tarvane-bench")) << english.output;
  EXPECT_NE(english.output.find("  metagame\n"), std::string::npos)
      << "the measurements are listed";
  EXPECT_TRUE(
      Start("ja_JP.UTF-8", "tarvane-bench --help").output.starts_with(U("使い方: tarvane-bench")));
  Outcome unknown = Start("ja_JP.UTF-8", "tarvane-bench no_such_measurement");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.output.find(U("その名前の測定はありません: no_such_measurement")),
            std::string::npos)
      << unknown.output;
}

TEST_F(LanguageTest, TarvaneBenchNamesItsFiguresInTheUsersLanguageAndKeepsItsRatioLines) {
  Outcome english = Start("C", "tarvane-bench dictionary_load");
  EXPECT_EQ(english.status, 0);
  EXPECT_TRUE(english.output.starts_with("== dictionary_load\n  read lines only, processor time "))
      << english.output;
  Outcome japanese = Start("ja_JP.UTF-8", "tarvane-bench dictionary_load");
  EXPECT_EQ(japanese.status, 0);
  EXPECT_TRUE(
      japanese.output.starts_with(U("== dictionary_load\n  行の読み込みのみ (プロセッサ時間) ")))
      << japanese.output;
  // The lines that scripts read are the same in both.
  for (const Outcome* run : {&english, &japanese}) {
    EXPECT_NE(run->output.find("\nratio dictionary_load "), std::string::npos) << run->output;
  }
}

}  // namespace
}  // namespace TarvaneTest
