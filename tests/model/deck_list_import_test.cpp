// Import of deck lists in other programs' shapes: every fixture converts byte for byte to its
// expected deck list file; the report says what was found; a byte-order mark on a deck list
// of the program's own format names its encoding and costs no line.
#include "model/import/deck_list_import.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/card_database.h"
#include "model/deck.h"
#include "model/import/card_name_resolver.h"
#include "model/import/deck_list_shape_reader.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_string.h"

using namespace Tarvane;

using TarvaneTest::ScratchFolder;

namespace {

std::string ImportData() { return std::string(std::getenv("TARVANE_TEST_DATA")) + "/import"; }
std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

class DeckListImportTest : public ::testing::Test {
protected:
  DeckListImportTest() {
    database_.LoadDictionary(ImportData() + "/dictionary");
    resolver_ = std::make_unique<CardNameResolver>(database_);
  }
  DeckListImport Import(const std::string& bytes) { return ImportDeckList(bytes, *resolver_); }

  CardDatabase database_;
  std::unique_ptr<CardNameResolver> resolver_;
};

TEST_F(DeckListImportTest, EveryShapeConvertsToItsExpectedDeckListByteForByte) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ImportData() + "/input")) {
    std::string input = entry.path().string();
    std::string expected_path = ImportData() + "/expected/" + ImportedFileName(input);
    SCOPED_TRACE(input);
    ASSERT_TRUE(std::filesystem::exists(expected_path));
    EXPECT_EQ(Import(ScratchFolder::Read(input)).DeckListText(),
              ScratchFolder::Read(expected_path));
    ++files;
  }
  EXPECT_EQ(files, 19);
}

TEST_F(DeckListImportTest, TheShapeAndEncodingFoundAreReported) {
  auto shape_of = [this](const std::string& name) {
    return Import(ScratchFolder::Read(ImportData() + "/input/" + name)).shape;
  };
  EXPECT_EQ(shape_of("program_format.txt"), DeckListShape::ProgramFormat);
  EXPECT_EQ(shape_of("sideboard_line.txt"), DeckListShape::SideboardLine);
  EXPECT_EQ(shape_of("forge.dck"), DeckListShape::ForgeDck);
  EXPECT_EQ(shape_of("digital_client.txt"), DeckListShape::DigitalClient);
  EXPECT_EQ(shape_of("count_x.txt"), DeckListShape::SideboardLine);
  EXPECT_EQ(Import("4x Lightning Bolt\n").shape, DeckListShape::CountX);
  EXPECT_EQ(shape_of("workstation.mwDeck"), DeckListShape::SideboardPrefix);
  EXPECT_EQ(shape_of("headings.txt"), DeckListShape::Headings);
  EXPECT_EQ(shape_of("client.dek"), DeckListShape::DekXml);
  EXPECT_EQ(shape_of("cockatrice.cod"), DeckListShape::CodXml);
  EXPECT_EQ(shape_of("octgn.o8d"), DeckListShape::O8dXml);
  EXPECT_EQ(shape_of("tagged_export.txt"), DeckListShape::TaggedExport);
  EXPECT_EQ(shape_of("xmage.dck"), DeckListShape::SideboardPrefix);

  auto encoding_of = [this](const std::string& name) {
    return Import(ScratchFolder::Read(ImportData() + "/input/" + name)).encoding;
  };
  EXPECT_EQ(encoding_of("japanese_cp932.txt"), TextEncoding::Cp932);
  EXPECT_EQ(encoding_of("japanese_utf8.txt"), TextEncoding::Utf8);
  EXPECT_EQ(encoding_of("bom_utf8.txt"), TextEncoding::Utf8WithByteOrderMark);
  EXPECT_EQ(encoding_of("utf16.txt"), TextEncoding::Utf16LittleEndian);
  // UTF-16 in the other byte order: "4 X".
  EXPECT_EQ(Import(std::string("\xFE\xFF\x00\x34\x00\x20\x00\x58", 8)).DeckListText(), "4 X\n");
}

TEST_F(DeckListImportTest, ReportListsBoardsMappedAndUnplacedNames) {
  DeckListImport result = Import(ScratchFolder::Read(ImportData() + "/input/digital_client.txt"));
  EXPECT_EQ(result.Report(),
            "形式: デジタルクライアントの書き出し (Deck、Sideboard、Companion、Commander、(セット) "
            "番号)\n"
            "文字コード: ASCII\n"
            "デッキ名: Lurrus Burn\n"
            "メインデッキ: 4 種類 22 枚\n"
            "サイドボード: 3 種類 5 枚\n"
            "辞書にないカード (不明なカードになります): Unknown Card\n");

  result = Import(ScratchFolder::Read(ImportData() + "/input/japanese_utf8.txt"));
  EXPECT_EQ(result.mapped_names.front(),
            std::make_pair(std::string("稲妻"), std::string("Lightning Bolt")));
  EXPECT_EQ(result.mapped_names.size(), 6u);
  EXPECT_TRUE(result.unplaced_names.empty());

  result = Import(ScratchFolder::Read(ImportData() + "/input/headings.txt"));
  EXPECT_NE(result.Report().find("デッキに入らないカード (Maybeboard など): 2 枚\n"),
            std::string::npos);

  result = Import(U8(u8"4 Lim-Dûl's Vault\nnot a card line\n🐻\n"));
  EXPECT_EQ(result.transliterated_characters, 1);
  ASSERT_EQ(result.unread_lines.size(), 2u);
  EXPECT_EQ(result.unread_lines[0].number, 2);
  EXPECT_EQ(result.unread_lines[0].text, "not a card line");
  EXPECT_EQ(result.unread_lines[1].text, "?");
  EXPECT_THROW(Import("just words\n"), DeckListFormatError);
  EXPECT_FALSE(Import("Deck\nSideboard\n").HasCards());
}

TEST_F(DeckListImportTest, TheReportShowsUnreadLinesByNumberAndEachRewrittenCharactersCard) {
  std::string report =
      Import(U8(u8"4 Lightning Bolt\nsomething else\n1 Lim-Dûl's Vault\n4x\n")).Report();
  EXPECT_NE(report.find("読めなかった行: 2\n  2 行目: something else\n  4 行目: 4x\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("CP932 にないため書き換えた文字: 1\n  Lim-Dul's Vault: U+00FB → u\n"),
            std::string::npos)
      << report;
  // An XML deck's unread card names its line.
  report = Import("<cockatrice_deck>\n<zone name=\"main\">\n<card number=\"x\" name=\"Opt\"/>\n")
               .Report();
  EXPECT_NE(report.find("  3 行目: <card number=\"x\" name=\"Opt\"/>\n"), std::string::npos)
      << report;
}

TEST_F(DeckListImportTest, EveryFaceAndSpellingOfACardGivesTheProgramsOneName) {
  // Lists from three shapes: a transform/adventure card by its full name, its back face and its
  // Japanese front; a split card by one face and with slashes.
  DeckListImport cod = Import(
      "<cockatrice_deck><zone name=\"main\"><card number=\"1\" name=\"Bonecrusher Giant // "
      "Stomp\"/>"
      "<card number=\"1\" name=\"Ice\"/></zone></cockatrice_deck>");
  DeckListImport client = Import("Deck\n2 Stomp (ELD) 115\n2 Fire/Ice (MH2) 290\n");
  DeckListImport japanese = Import(U8(u8"3 砕骨の巨人\n3 火 // 氷\n"));
  for (const DeckListImport* list : {&cod, &client, &japanese}) {
    ASSERT_EQ(list->mainboard.size(), 2u);
    EXPECT_EQ(list->mainboard[0].name, "Bonecrusher Giant");
    EXPECT_EQ(list->mainboard[1].name, "Fire // Ice");
  }
  // The report names each renaming; a card's own name stays as it is.
  EXPECT_EQ(cod.mapped_names,
            (std::vector<std::pair<std::string, std::string>>{
                {"Bonecrusher Giant // Stomp", "Bonecrusher Giant"}, {"Ice", "Fire // Ice"}}));
  EXPECT_EQ(Import("1 Bonecrusher Giant\n1 Fire // Ice\n").mapped_names.size(), 0u);
}

TEST_F(DeckListImportTest, NamesThatOnlyLookLikeSetCodesStay) {
  // Parentheses that hold no set code belong to the name.
  EXPECT_EQ(
      Import("1 B.F.M. (Big Furry Monster)\n1 Erase (Not the Urza's Legacy One)\n").DeckListText(),
      "1 B.F.M. (Big Furry Monster)\n1 Erase (Not the Urza's Legacy One)\n");
  EXPECT_EQ(Import("1 Xenagos, the Reveler\n").DeckListText(), "1 Xenagos, the Reveler\n");
}

TEST_F(DeckListImportTest, WhatTheListWritesReadsBackAsImported) {
  // A line feed inside an XML attribute, a zero byte and counts beyond the 32-bit range.
  const char xml[] =
      "<Deck><Cards Quantity=\"2147483647\" Sideboard=\"false\" Name=\"Odd&#10;Name \" />"
      "<Cards Quantity=\"5\" Sideboard=\"false\" Name=\"Odd Name\" />"
      "<Cards Quantity=\"1\" Sideboard=\"true\" Name=\"Zero\0\" /></Deck>";
  DeckListImport result = Import(std::string(xml, sizeof(xml) - 1));
  EXPECT_EQ(result.DeckListText(), "2147483647 Odd Name\n\n1 Zero\n");
  EXPECT_EQ(Import("#N\xC3\x82ME Accented\n1 Opt\n").deck_name, "Accented");
}

class DeckByteOrderMarkTest : public ::testing::Test {
protected:
  std::shared_ptr<Deck> Load(const std::string& bytes) {
    return Deck::Load(scratch_.Write("deck.txt", bytes), database_);
  }
  ScratchFolder scratch_;
  CardDatabase database_;
};

TEST_F(DeckByteOrderMarkTest, AUtf8MarkIsNoContentAndNamesMeetTheDictionarysSpelling) {
  auto deck = Load("\xEF\xBB\xBF#NAME Marked\r\n" +
                   U8(u8"4 Lim-Dûl's Vault\r\n4\t稲妻\r\n\r\n2 Naturalize\r\n"));
  EXPECT_EQ(deck->headers().at("NAME"), "Marked");
  EXPECT_EQ(deck->mainboard().CountOf("Lim-Dul's Vault"), 4);
  EXPECT_EQ(deck->mainboard().cards().size(), 1u);  // the TAB line stays no card line
  EXPECT_EQ(deck->sideboard().CountOf("Naturalize"), 2);

  // A card on the first line is counted too.
  EXPECT_EQ(Load("\xEF\xBB\xBF"
                 "3 Opt\n")
                ->mainboard()
                .CountOf("Opt"),
            3);
}

TEST_F(DeckByteOrderMarkTest, Utf16InEitherByteOrder) {
  std::string little = "\xFF\xFE", big = "\xFE\xFF";
  std::u16string text = u"#NAME 十六\r\n4 稲妻\r\n\r\n2 Naturalize";
  for (char16_t unit : text) {
    little += static_cast<char>(unit & 0xFF);
    little += static_cast<char>(unit >> 8);
    big += static_cast<char>(unit >> 8);
    big += static_cast<char>(unit & 0xFF);
  }
  for (const std::string& bytes : {little, big}) {
    auto deck = Load(bytes);
    EXPECT_EQ(deck->headers().at("NAME"), "十六");
    EXPECT_EQ(deck->mainboard().CountOf("稲妻"), 4);
    EXPECT_EQ(deck->sideboard().CountOf("Naturalize"), 2);
  }
}

TEST_F(DeckByteOrderMarkTest, WithoutAMarkTheBytesAreReadAsTheyAre) {
  auto deck = Load("4 Lim-D\xC3\xBBl's Vault\n");
  EXPECT_EQ(deck->mainboard().CountOf("Lim-D\xC3\xBBl's Vault"), 4);
}

}  // namespace
