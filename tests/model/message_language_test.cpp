// The import report, the archetype rules' problems and the reasons a file failed speak English
// while a headless program follows an English locale, and stay Japanese for the window whatever
// the locale is.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "model/archetype/archetype_rules.h"
#include "model/archetype/lenient_json.h"
#include "model/card_database.h"
#include "model/import/card_name_resolver.h"
#include "model/import/deck_list_file_import.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_language.h"

using namespace Tarvane;

using TarvaneTest::ScratchFolder;

namespace {

std::string ImportData() { return std::string(std::getenv("TARVANE_TEST_DATA")) + "/import"; }

// The locale for one test, the one before put back afterwards.
class LocaleFixture : public ::testing::Test {
protected:
  void UseLocale(const char* locale) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES"}) unsetenv(name);
    setenv("LANG", locale, 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name, value->c_str(), 1);
      } else {
        unsetenv(name);
      }
    }
  }

private:
  static std::optional<std::string> Saved(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  }
  const std::vector<std::pair<const char*, std::optional<std::string>>> saved_ = {
      {"LC_ALL", Saved("LC_ALL")}, {"LC_MESSAGES", Saved("LC_MESSAGES")}, {"LANG", Saved("LANG")}};
};

class MessageLanguageTest : public LocaleFixture {
protected:
  MessageLanguageTest() {
    database_.LoadDictionary(ImportData() + "/dictionary");
    resolver_ = std::make_unique<CardNameResolver>(database_);
  }

  // Every input the import meets, good and bad, each into a folder of its own.
  std::vector<InputFileImport> ImportEverything() {
    std::vector<std::string> inputs = {
        scratch_.Join("missing.txt"),
        scratch_.Path(),
        scratch_.Write("empty.txt", ""),
        scratch_.Write("binary.txt", std::string("\x01\x02\x03\x00\x04", 5)),
        scratch_.Write("picture.svg", "<?xml version=\"1.0\"?>\n<svg></svg>\n"),
        scratch_.Write("other.json", "{\"cards\": []}\n"),
        scratch_.Write("words.txt", "just words\n"),
        scratch_.Write("unread.txt", "4 Lightning Bolt\nsomething else\n4 No Such Card\n"),
        scratch_.Write("no_cards.txt", "Deck\nSideboard\n"),
    };
    for (const char* folder : {"/input", "/events"}) {
      for (const auto& entry : std::filesystem::directory_iterator(ImportData() + folder))
        inputs.push_back(entry.path().string());
    }
    std::vector<InputFileImport> imports;
    for (size_t index = 0; index < inputs.size(); ++index) {
      DeckListFileImporter importer(*resolver_, scratch_.Join("out" + std::to_string(index)),
                                    nullptr);
      imports.push_back(importer.ImportFile(inputs[index]));
    }
    return imports;
  }

  CardDatabase database_;
  std::unique_ptr<CardNameResolver> resolver_;
  ScratchFolder scratch_;
};

// The report without what the inputs themselves wrote (card and deck names, unread lines), which
// stays as written in any language.
std::string OwnWords(const InputFileImport& import) {
  std::vector<std::string> quoted = {import.event_name, "\x81\xA8" /* the arrow, in CP932 */};
  for (const DeckListFileImport& list : import.lists) {
    const DeckListImport& result = list.result;
    quoted.push_back(result.deck_name);
    for (const auto& [written, name] : result.mapped_names) quoted.push_back(written);
    quoted.insert(quoted.end(), result.unplaced_names.begin(), result.unplaced_names.end());
    for (const auto& [card, character] : result.rewritten_characters) {
      quoted.push_back(card);
      quoted.push_back(character);
    }
    for (const UnreadLine& line : result.unread_lines) quoted.push_back(line.text);
  }
  std::sort(quoted.begin(), quoted.end(),
            [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  std::string report = import.Report();
  for (const std::string& text : quoted) {
    if (text.empty()) continue;
    for (size_t at = report.find(text); at != std::string::npos; at = report.find(text, at))
      report.erase(at, text.size());
  }
  return report;
}

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

TEST_F(MessageLanguageTest, EveryImportReportIsEnglishThroughoutUnderAnEnglishLocale) {
  UseLocale("en_US.UTF-8");
  TtLanguage::MessagesFollowLocale language;
  std::vector<InputFileImport> imports = ImportEverything();
  EXPECT_GT(imports.size(), 25u);
  for (const InputFileImport& import : imports) {
    EXPECT_TRUE(IsAscii(OwnWords(import))) << import.Report();
  }
  EXPECT_EQ(imports[0].Report(), scratch_.Join("missing.txt") +
                                     "\nNot written: cannot be read (No such file or "
                                     "directory)\n");
  EXPECT_EQ(imports[4].Report(), scratch_.Join("picture.svg") +
                                     "\nNot written: shape not known: XML (<svg>) of a shape not "
                                     "known\n");
  EXPECT_NE(imports[7].Report().find("Main deck: 8 cards (2 distinct)\n"), std::string::npos)
      << imports[7].Report();
  EXPECT_NE(imports[7].Report().find("Lines not read: 1\n  line 2: something else\n"),
            std::string::npos)
      << imports[7].Report();
}

TEST_F(MessageLanguageTest, TheWindowsImportReportStaysJapaneseUnderAnEnglishLocale) {
  UseLocale("en_US.UTF-8");
  std::vector<InputFileImport> imports = ImportEverything();
  EXPECT_EQ(imports[0].Report(),
            scratch_.Join("missing.txt") +
                "\n書き出していません: 読み込めません (ファイルがありません)\n");
  EXPECT_NE(imports[7].Report().find("メインデッキ: 2 種類 8 枚\n"), std::string::npos);
  {
    // A headless run that ends gives the language back.
    TtLanguage::MessagesFollowLocale language;
  }
  EXPECT_NE(ImportEverything()[7].Report().find("読めなかった行: 1\n  2 行目: something else\n"),
            std::string::npos);
}

TEST_F(MessageLanguageTest, RuleProblemsAndReasonsFollowTheMessagesLanguage) {
  UseLocale("C");
  TtLanguage::MessagesFollowLocale language;
  ArchetypeRuleSet rules = LoadArchetypeRuleSet(scratch_.Path(), *resolver_);
  ASSERT_EQ(rules.problems.size(), 1u);
  EXPECT_EQ(rules.problems[0], scratch_.Path() +
                                   ": there is no Archetypes or Fallbacks folder. This is not a "
                                   "folder of archetype rules.");
  scratch_.Write("Archetypes/broken.json", "{\"Name\": \"Burn\",");
  scratch_.Write("Fallbacks/empty.json", "{\"Name\": \"Aggro\"}");
  rules = LoadArchetypeRuleSet(scratch_.Path(), *resolver_);
  ASSERT_EQ(rules.problems.size(), 2u);
  EXPECT_EQ(rules.problems[0],
            scratch_.Join("Archetypes/broken.json") + ": line 1, column 1: { is not closed");
  EXPECT_EQ(rules.problems[1], scratch_.Join("Fallbacks/empty.json") +
                                   ": \"Aggro\" has no common cards (CommonCards). The rules of "
                                   "this file are not used.");
  EXPECT_EQ(TtFileAccessException("x", EACCES).GetReason(), "Permission denied");
}

}  // namespace
