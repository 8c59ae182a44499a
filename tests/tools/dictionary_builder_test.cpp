#include "tools/dictionary_builder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/tools/dictionary_test_support.h"
#include "tools/dictionary_source_exception.h"
#include "ttl/core/tt_exception.h"

namespace {

using namespace TarvaneTest;
using Fields = std::vector<std::string>;

// Card data is UTF-8; literals without u8 are CP932 in this program.
std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

struct Built {
  Tarvane::DictionaryBuildSummary summary;
  std::string text;
  std::map<std::string, Fields> lines;
};

Built Build(const std::string& input, bool japanese_text = false) {
  ScratchFolder folder;
  Tarvane::DictionaryBuildOptions options;
  options.japanese_text = japanese_text;
  Built built;
  built.summary = Tarvane::BuildDictionary(input, folder.Join("cards.dat"), options);
  built.text = ReadFile(folder.Join("cards.dat"));
  built.lines = LinesByName(built.text);
  return built;
}

Built BuildFromJson(const std::string& json, bool japanese_text = false) {
  ScratchFolder folder;
  WriteFile(folder.Join("input.json"), json);
  return Build(folder.Join("input.json"), japanese_text);
}

// Fields 3 to 7 of a line: cost, mana value, type line, type name, power and toughness.
Fields Middle(const Fields& fields) { return Fields(fields.begin() + 2, fields.begin() + 7); }
Fields Paragraphs(const Fields& fields) { return Fields(fields.begin() + 7, fields.end()); }

TEST(DictionaryBuilderTest, CardsListedByNameGiveOneLinePerNameInTheLineFormat) {
  Built built = Build(FixturePath("mtgjson_atomic_cards.json"));
  ExpectWellFormedDictionary(built.text);
  EXPECT_EQ(built.summary.cards, 10);
  EXPECT_EQ(built.summary.lines, 12);
  EXPECT_EQ(built.summary.japanese_names, 9);
  EXPECT_EQ(built.summary.replaced_characters, 0);
  EXPECT_EQ(built.lines.size(), 12u);

  // A plain creature, byte for byte: the em dash is the code page's own dash.
  EXPECT_NE(
      built.text.find("Grizzly Bears\t灰色熊\t{1}{G}\t2\tCreature \x81\x5C Bear\tCreature\t2/2\n"),
      std::string::npos);

  // A split card only under its full name, both halves in each field, mana value the sum.
  EXPECT_EQ(built.lines.count("Fire"), 0u);
  const Fields& fire_ice = built.lines["Fire // Ice"];
  EXPECT_EQ(fire_ice[1], "火 // 氷");
  EXPECT_EQ(Middle(fire_ice),
            (Fields{"{1}{R} // {1}{U}", "4", "Instant // Instant", "Instant", ""}));
  EXPECT_EQ(Paragraphs(fire_ice),
            (Fields{"Fire {1}{R} Instant",
                    "Fire deals 2 damage divided as you choose among one or two targets.",
                    "Ice {1}{U} Instant", "Tap target permanent.", "Draw a card."}));

  // A transform card under its full name and its front face's name, which deck lists use.
  const Fields& delver = built.lines["Delver of Secrets"];
  EXPECT_EQ(delver[1], "秘密を掘り下げる者");
  EXPECT_EQ(Middle(delver),
            (Fields{"{U}", "1", "Creature \x81\x5C Human Wizard", "Creature", "1/1"}));
  EXPECT_EQ(built.lines["Delver of Secrets // Insectile Aberration"][1],
            "秘密を掘り下げる者 // 昆虫の逸脱者");
  EXPECT_EQ(Paragraphs(delver),
            Paragraphs(built.lines["Delver of Secrets // Insectile Aberration"]));
  EXPECT_EQ(Paragraphs(delver)[2], "Insectile Aberration Creature \x81\x5C Human Insect 3/2");

  // An adventure card likewise; its creature face decides the type.
  const Fields& giant = built.lines["Bonecrusher Giant"];
  EXPECT_EQ(giant[1], "砕骨の巨人");
  EXPECT_EQ(Middle(giant), (Fields{"{2}{R}", "3", "Creature \x81\x5C Giant", "Creature", "4/3"}));
  EXPECT_EQ(built.lines["Bonecrusher Giant // Stomp"][1], "砕骨の巨人 // 踏みつけ");

  // No Japanese data: the English name stands in.
  EXPECT_EQ(built.lines["Black Lotus"][1], "Black Lotus");
  EXPECT_EQ(built.lines["Black Lotus"][5], "Artifact");
  // An artifact creature is a creature; a land creature is a land, with no cost at all.
  EXPECT_EQ(built.lines["Ornithopter"][5], "Creature");
  EXPECT_EQ(Middle(built.lines["Dryad Arbor"]),
            (Fields{"", "0", "Land Creature \x81\x5C Forest Dryad", "Land", "1/1"}));
  // The accented name under the data's own ASCII spelling, which deck lists use.
  EXPECT_EQ(built.lines.count("Lim-Dul's Vault"), 1u);
  // Loyalty in place of power and toughness; the minus sign of loyalty costs as "-".
  const Fields& liliana = built.lines["Liliana of the Veil"];
  EXPECT_EQ(liliana[6], "3");
  EXPECT_EQ(liliana[5], "Planeswalker");
  EXPECT_EQ(liliana[8], "-2: Target player sacrifices a creature.");
  // A fractional mana value is rounded down; "½" is spelled out.
  EXPECT_EQ(Middle(built.lines["Little Girl"]),
            (Fields{"{HW}", "0", "Creature \x81\x5C Human Child", "Creature", "1/2/1/2"}));
}

TEST(DictionaryBuilderTest, JapaneseRulesTextWhenAskedForAndTheDataHasIt) {
  Built built = Build(FixturePath("mtgjson_atomic_cards.json"), true);
  ExpectWellFormedDictionary(built.text);
  const Fields& liliana = built.lines["Liliana of the Veil"];
  ASSERT_EQ(liliana.size(), 10u);
  EXPECT_EQ(liliana[7], "[+1]：各プレイヤーはそれぞれ手札を1枚捨てる。");
  EXPECT_EQ(liliana[8].substr(0, 4), "[-2]");
  // Faces are headed by their Japanese names; English text stays where no Japanese is given.
  EXPECT_EQ(Paragraphs(built.lines["Fire // Ice"])[0], "火 {1}{R} Instant");
  EXPECT_EQ(built.lines["Black Lotus"][7],
            "{T}, Sacrifice Black Lotus: Add three mana of any one color.");
}

TEST(DictionaryBuilderTest, CardsListedBySetJoinFacesAndTakeTheNewestJapaneseName) {
  Built built = Build(FixturePath("mtgjson_all_printings.json"));
  ExpectWellFormedDictionary(built.text);
  EXPECT_EQ(built.summary.cards, 4);
  // Fourth Edition (1995), Magic 2010 (2009) and Ninth Edition (2005), in that order in the file.
  EXPECT_EQ(built.lines["Grizzly Bears"][1], "灰色熊");
  // The back face's printing comes first in its set; the front face still leads.
  EXPECT_EQ(Middle(built.lines["Bonecrusher Giant"]),
            (Fields{"{2}{R}", "3", "Creature \x81\x5C Giant", "Creature", "4/3"}));
  EXPECT_EQ(built.lines["Bonecrusher Giant // Stomp"][2], "{2}{R} // {1}{R}");
  EXPECT_EQ(built.lines.count("Insect"), 0u);  // tokens are no cards of a deck
}

TEST(DictionaryBuilderTest, PrintingsInEveryLanguageJoinByCardIdentity) {
  Built built = Build(FixturePath("scryfall_all_cards.json"));
  ExpectWellFormedDictionary(built.text);
  // The Japanese printing comes before the English one in the file.
  EXPECT_EQ(built.lines["Grizzly Bears"][1], "灰色熊");
  // Of two Japanese printings the newer names the card, whatever their order.
  EXPECT_EQ(built.lines["Delver of Secrets"][1], "秘密を掘り下げる者");
  EXPECT_EQ(built.lines["Delver of Secrets // Insectile Aberration"][1],
            "秘密を掘り下げる者 // 昆虫の逸脱者");
  // A Japanese printing that repeats the English name gives no Japanese name.
  EXPECT_EQ(built.lines["Gleemax"][1], "Gleemax");
  EXPECT_EQ(built.lines["Gleemax"][3], "1000000");
  // Accented names without an ASCII spelling in the data are spelled out here.
  EXPECT_EQ(built.lines.count("Lim-Dul's Vault"), 1u);
  // A card printed the same on both sides is one card of one face.
  EXPECT_EQ(built.lines.count("Zndrsplt, Eye of Wisdom"), 1u);
  EXPECT_EQ(built.lines["Zndrsplt, Eye of Wisdom"][3], "5");
  // A battle has no type of the table; its defense stands where power and toughness would.
  EXPECT_EQ(Middle(built.lines["Invasion of Zendikar"]),
            (Fields{"{3}{G}", "4", "Battle \x81\x5C Siege", "", "3"}));
  // Tokens, art cards and objects that are not cards are left out.
  EXPECT_EQ(built.lines.count("Goblin"), 0u);
  EXPECT_EQ(built.lines.count("Fire // Ice"), 0u);
  EXPECT_EQ(built.lines.count("Nameless Wonder"), 0u);
  EXPECT_EQ(built.summary.lines, 8);
  EXPECT_EQ(built.summary.japanese_names, 3);
}

std::string ScryfallCard(const std::string& fields) {
  return "{\"object\":\"card\",\"lang\":\"en\",\"layout\":\"normal\"," + fields + "}";
}

TEST(DictionaryBuilderTest, ValuesNeverBreakTheLineFormat) {
  std::string long_text;
  for (int i = 0; i < 400; ++i) long_text += U8(u8"長い文章");  // 1,600 characters
  Built built = BuildFromJson(
      "[" +
      ScryfallCard("\"name\":\"Tab\\tName\",\"oracle_id\":\"1\",\"type_line\":\"Sorcery\\r\\n\","
                   "\"oracle_text\":\"One\\n\\nTwo \\n\",\"cmc\":1") +
      "," +
      ScryfallCard("\"name\":\"Long\",\"oracle_id\":\"2\",\"type_line\":\"Sorcery\","
                   "\"oracle_text\":\"First\\n" +
                   long_text + "\\nLast\",\"cmc\":2.99") +
      "," +
      ScryfallCard("\"name\":\"Odd \\uD83D\\uDC3B\",\"oracle_id\":\"3\",\"type_line\":\"Plane "
                   "\\u2014 Zendikar\"") +
      "]");
  ExpectWellFormedDictionary(built.text);
  EXPECT_EQ(built.lines["Tab Name"],
            (Fields{"Tab Name", "Tab Name", "", "1", "Sorcery  ", "Sorcery", "", "One", "Two"}));
  // Too long for one line: the text is cut at a character with "…" and the line still loads.
  const Fields& long_line = built.lines["Long"];
  ASSERT_EQ(long_line.size(), 9u);
  EXPECT_EQ(long_line[3], "2");
  EXPECT_EQ(long_line[8].substr(long_line[8].size() - 2), "…");
  EXPECT_EQ(built.summary.shortened_lines, 1);
  // An emoji is one replaced character; the type after the dash still counts.
  EXPECT_EQ(built.lines["Odd ?"][5], "Plane");
  EXPECT_EQ(built.summary.replaced_characters, 1);
}

TEST(DictionaryBuilderTest, TheFirstLineOfANameWins) {
  Built built = BuildFromJson(
      "[" +
      ScryfallCard("\"name\":\"Front // Back\",\"layout\":\"transform\",\"oracle_id\":\"1\","
                   "\"card_faces\":[{\"name\":\"Front\",\"type_line\":\"Creature\"},"
                   "{\"name\":\"Back\",\"type_line\":\"Creature\"}]") +
      "," + ScryfallCard("\"name\":\"Front\",\"oracle_id\":\"2\",\"type_line\":\"Instant\"") + "]");
  EXPECT_EQ(built.lines["Front"][5], "Creature");
  EXPECT_EQ(built.summary.duplicate_names, 1);
  EXPECT_EQ(built.summary.lines, 2);
}

TEST(DictionaryBuilderTest, AFailedBuildLeavesTheExistingDictionaryAsItWas) {
  ScratchFolder folder;
  std::string output = folder.Join("cards.dat");
  WriteFile(output, "Old\tOld\t\t0\tLand\tLand\t\n");
  auto build_from = [&](const std::string& json) {
    WriteFile(folder.Join("input.json"), json);
    Tarvane::BuildDictionary(folder.Join("input.json"), output);
  };
  // Broken in the middle of a card, cut off in the middle, and valid JSON without cards.
  EXPECT_THROW(build_from("[" + ScryfallCard("\"name\":\"A\",\"cmc\":1,,") + "]"),
               Tarvane::DictionarySourceException);
  EXPECT_THROW(build_from("[" + ScryfallCard("\"name\":\"A\"") + ",{\"object\":"),
               Tarvane::DictionarySourceException);
  EXPECT_THROW(build_from("{\"meta\":{},\"data\":{\"LEA\":{\"name\":\"Alpha\"}}}"),
               Tarvane::DictionarySourceException);
  EXPECT_THROW(Tarvane::BuildDictionary(folder.Join("missing.json"), output),
               TtFileAccessException);
  EXPECT_EQ(ReadFile(output), "Old\tOld\t\t0\tLand\tLand\t\n");
  EXPECT_FALSE(std::filesystem::exists(output + ".tmp"));
}

// A printing of a set in the data listed by set, with its Japanese name when given.
std::string Printing(const std::string& name, const std::string& number,
                     const std::string& japanese, const std::string& extra = "") {
  std::string foreign =
      japanese.empty()
          ? ""
          : ",\"foreignData\":[{\"language\":\"Japanese\",\"name\":\"" + japanese + "\"}]";
  return "{\"name\":\"" + name + "\",\"number\":\"" + number + "\",\"uuid\":\"" + name + number +
         "\",\"type\":\"Creature\",\"manaValue\":3" + foreign + extra + "}";
}

TEST(DictionaryBuilderTest, AFileOfOneSetIsReadAsTheSetsOfAllPrintingsAre) {
  Built built = BuildFromJson(
      "{\"meta\":{\"version\":\"5\"},\"data\":{\"baseSetSize\":2,"
      "\"booster\":{\"default\":{\"boosters\":[{\"contents\":{\"common\":10}}]}},"
      "\"cards\":[" +
      Printing("Grizzly Bears", "1", U8(u8"灰色熊")) + "," + Printing("Ornithopter", "2", "") +
      "],\"code\":\"M10\",\"decks\":[{\"name\":\"Starter\","
      "\"mainBoard\":[" +
      Printing("Starter Card", "9", "") +
      "]}],\"name\":\"Magic 2010\","
      "\"releaseDate\":\"2009-07-17\",\"sealedProduct\":[{\"name\":\"M10 "
      "Booster\",\"uuid\":\"p\"}],"
      "\"tokens\":[" +
      Printing("Insect", "T1", "") + "],\"translations\":{\"Japanese\":\"x\"}}}");
  EXPECT_EQ(built.text,
            "Grizzly Bears\t灰色熊\t\t3\tCreature\tCreature\t\n"
            "Ornithopter\tOrnithopter\t\t3\tCreature\tCreature\t\n");
}

TEST(DictionaryBuilderTest, TheJapaneseNameComesFromTheSetsMainPrinting) {
  const std::string flavor =
      ",\"flavorName\":\"Mechagodzilla\",\"promoTypes\":[\"godzillaseries\"]";
  Built built = BuildFromJson(
      "{\"data\":{\"IKO\":{\"releaseDate\":\"2020-04-24\",\"cards\":[" +
      Printing("Crystalline Giant", "3", U8(u8"結晶の巨人")) + "," +
      Printing("Crystalline Giant", "370", U8(u8"結晶の巨人 (決戦兵器、メカゴジラ)"), flavor) +
      "," +
      Printing("Dirge Bat", "371", U8(u8"水晶の巨人 (ラドン)"),
               ",\"promoTypes\":[\"godzillaseries\"]") +
      "," + Printing("Dirge Bat", "84", U8(u8"葬送の蝙蝠")) + "," +
      // A variant with a defective name before and after the main printing.
      Printing("Liliana's Standard Bearer", "300", U8(u8"リリアナの軍旗手（しゅ")) + "," +
      Printing("Liliana's Standard Bearer", "14", U8(u8"リリアナの軍旗手")) + "," +
      Printing("Liliana's Standard Bearer", "301", U8(u8"リリアナの軍旗手（しゅ")) + "]}}}");
  EXPECT_EQ(built.lines["Crystalline Giant"][1], "結晶の巨人");
  EXPECT_EQ(built.lines["Dirge Bat"][1], "葬送の蝙蝠");
  EXPECT_EQ(built.lines["Liliana's Standard Bearer"][1], "リリアナの軍旗手");

  // Printings in every language (the later "lang" counts): a Japanese printing under a flavor
  // name is no name of the card.
  built = BuildFromJson(
      "[" +
      ScryfallCard("\"name\":\"Crystalline Giant\",\"oracle_id\":\"g\",\"lang\":\"ja\","
                   "\"released_at\":\"2020-04-24\",\"collector_number\":\"370\","
                   "\"flavor_name\":\"Mechagodzilla\",\"printed_name\":\"" +
                   U8(u8"結晶の巨人 (決戦兵器、メカゴジラ)") + "\"") +
      "," +
      ScryfallCard("\"name\":\"Crystalline Giant\",\"oracle_id\":\"g\",\"lang\":\"ja\","
                   "\"released_at\":\"2020-04-24\",\"collector_number\":\"3\",\"printed_name\":\"" +
                   U8(u8"結晶の巨人") + "\"") +
      "]");
  EXPECT_EQ(built.lines["Crystalline Giant"][1], "結晶の巨人");
}

// A card whose only Japanese printing is a promo under a name of its own takes that printing's
// Japanese name rather than none; any other printing's name still wins, whatever its date.
TEST(DictionaryBuilderTest, APromoUnderItsOwnNameGivesTheJapaneseNameWhenNoOtherPrintingDoes) {
  const std::string promo = ",\"promoTypes\":[\"godzillaseries\"]";
  Built built = BuildFromJson("{\"data\":{\"IKO\":{\"releaseDate\":\"2020-04-24\",\"cards\":[" +
                              Printing("Dirge Bat", "371", U8(u8"葬送の蝙蝠"), promo) + "," +
                              Printing("Crystalline Giant", "370", U8(u8"別名"), promo) + "]}," +
                              "\"M21\":{\"releaseDate\":\"2020-07-03\",\"cards\":[" +
                              Printing("Crystalline Giant", "3", U8(u8"結晶の巨人")) + "]}}}");
  EXPECT_EQ(built.lines["Dirge Bat"][1], "葬送の蝙蝠");
  EXPECT_EQ(built.lines["Crystalline Giant"][1], "結晶の巨人");

  built = BuildFromJson("[" +
                        ScryfallCard("\"name\":\"Dirge Bat\",\"oracle_id\":\"d\",\"lang\":\"ja\","
                                     "\"released_at\":\"2020-04-24\",\"collector_number\":\"371\","
                                     "\"promo_types\":[\"godzillaseries\"],\"printed_name\":\"" +
                                     U8(u8"葬送の蝙蝠") + "\"") +
                        "]");
  EXPECT_EQ(built.lines["Dirge Bat"][1], "葬送の蝙蝠");
}

TEST(DictionaryBuilderTest, RecordsWithAFieldOfTheWrongTypeAreCounted) {
  Built built = BuildFromJson(
      "{\"data\":{\"Grizzly Bears\":[{\"name\":\"Grizzly Bears\",\"type\":\"Creature\","
      "\"manaValue\":\"two\",\"text\":null}],"
      "\"Odd\":[{\"name\":\"Odd\",\"faceName\":7,\"type\":\"Instant\",\"foreignData\":{}}]}}");
  EXPECT_EQ(built.summary.wrong_typed_records, 2);  // a null is a missing field, not a wrong one
  EXPECT_EQ(built.lines["Grizzly Bears"][3], "0");
  EXPECT_EQ(built.lines.count("Odd"), 1u);
}

TEST(DictionaryBuilderTest, FilesOfAShapeItDoesNotKnowAndEmptyResultsAreRefused) {
  ScratchFolder folder;
  std::string output = folder.Join("cards.dat");
  WriteFile(output, "Old\tOld\t\t0\tLand\tLand\t\n");
  auto build_from = [&](const std::string& json) {
    WriteFile(folder.Join("input.json"), json);
    Tarvane::BuildDictionary(folder.Join("input.json"), output);
  };
  // Printings by identifier, a deck's list of printings, a list of sets without cards.
  EXPECT_THROW(build_from("{\"data\":{\"u1\":" + Printing("A", "1", "") + "}}"),
               Tarvane::DictionarySourceException);
  EXPECT_THROW(
      build_from("{\"data\":{\"name\":\"Deck\",\"mainBoard\":[" + Printing("A", "1", "") + "]}}"),
      Tarvane::DictionarySourceException);
  EXPECT_THROW(build_from("{\"data\":[{\"code\":\"LEA\",\"name\":\"Alpha\"}]}"),
               Tarvane::DictionarySourceException);
  // Every card too long to be a line.
  std::string long_name(1100, 'x');
  try {
    build_from("[" + ScryfallCard("\"name\":\"" + long_name + "\",\"oracle_id\":\"1\"") + "]");
    ADD_FAILURE() << "an empty dictionary was written";
  } catch (const Tarvane::DictionarySourceException& error) {
    EXPECT_EQ(error.GetReason(), "書き出せるカードがありません (長すぎる行 1)");
  }
  EXPECT_EQ(ReadFile(output), "Old\tOld\t\t0\tLand\tLand\t\n");
  EXPECT_FALSE(std::filesystem::exists(output + ".tmp"));
}

// 255 bytes is the longest legal name: the temporary file beside it is cut to fit.
TEST(DictionaryBuilderTest, AnOutputWithTheLongestLegalNameIsWritten) {
  ScratchFolder folder;
  WriteFile(folder.Join("input.json"), "[" + ScryfallCard("\"name\":\"A\",\"cmc\":1") + "]");
  const std::string name = std::string(251, 'c') + ".dat";
  Tarvane::BuildDictionary(folder.Join("input.json"), folder.Join(name));
  EXPECT_EQ(ReadFile(folder.Join(name)).substr(0, 2), "A\t");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

TEST(DictionaryBuilderTest, TheOutputIsWrittenThroughALinkAndNeverOverADeviceOrAReadOnlyFile) {
  ScratchFolder folder;
  WriteFile(folder.Join("input.json"), "[" + ScryfallCard("\"name\":\"A\",\"cmc\":1") + "]");
  const std::string input = folder.Join("input.json");
  const std::string target = folder.Join("real.dat");
  WriteFile(target, "Old\tOld\t\t0\tLand\tLand\t\n");
  std::filesystem::create_symlink("real.dat", folder.Join("cards.dat"));
  Tarvane::BuildDictionary(input, folder.Join("cards.dat"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Join("cards.dat")));
  EXPECT_EQ(ReadFile(target).substr(0, 2), "A\t");

  // A device, reached directly or through a link, and a file without write permission (refused
  // even for root) are left as they are.
  std::filesystem::create_symlink("/dev/null", folder.Join("null.dat"));
  const std::string fifo = folder.Join("fifo.dat");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ::chmod(target.c_str(), 0444);
  for (const std::string& output :
       {folder.Join("null.dat"), fifo, target, folder.Join("cards.dat")}) {
    EXPECT_THROW(Tarvane::BuildDictionary(input, output), TtFileAccessException) << output;
  }
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_EQ(ReadFile(target).substr(0, 2), "A\t");
  // Nor is /dev/zero read forever as the card data.
  EXPECT_THROW(Tarvane::BuildDictionary("/dev/zero", folder.Join("new.dat")),
               TtFileAccessException);
}

}  // namespace
