// A generated metagame's lists written in every shape that import accepts, and as one event
// file, converted with the built tarvane-cli over the shipped program folder, and shown with the
// statistics columns: the cells are the same as those of the same lists in the program's own
// format.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "tests/support/missing_tool.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_string.h"

using TarvaneTest::ScratchFolder;

namespace {

struct Card {
  std::string name;      // UTF-8
  std::string japanese;  // UTF-8
};

struct Deck {
  std::string file;  // without extension
  std::vector<std::pair<int, Card>> main;
  std::vector<std::pair<int, Card>> side;
};

// The shipped sample dictionary's cards that a deck list may name either way: one face, and a
// Japanese name of their own that no other card has.
std::vector<Card> CardPool(const std::string& dictionary) {
  std::vector<Card> cards;
  std::map<std::string, int> japanese_count;
  std::istringstream lines(TtString::Cp932ToUtf8(ScratchFolder::Read(dictionary)));
  for (std::string line; std::getline(lines, line);) {
    size_t tab = line.find('\t');
    Card card{line.substr(0, tab), line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1)};
    ++japanese_count[card.japanese];
    if (card.name.find("//") == std::string::npos && card.japanese != card.name)
      cards.push_back(card);
  }
  std::erase_if(cards, [&](const Card& card) { return japanese_count[card.japanese] > 1; });
  return cards;
}

std::vector<Deck> Metagame(const std::vector<Card>& pool, int decks) {
  std::mt19937 random(18);
  std::vector<Deck> metagame;
  for (int number = 0; number < decks; ++number) {
    std::vector<Card> cards = pool;
    std::shuffle(cards.begin(), cards.end(), random);
    Deck deck{"deck" + std::to_string(10 + number), {}, {}};
    // Archetypes share cards: the first cards of the shuffle come from a small common core.
    size_t main_count = 8 + random() % 8, side_count = 2 + random() % 5;
    for (size_t index = 0; index < main_count + side_count; ++index) {
      auto& board = index < main_count ? deck.main : deck.side;
      board.emplace_back(1 + random() % 4, cards[index % 6 == 0 ? index / 6 : index]);
    }
    metagame.push_back(deck);
  }
  return metagame;
}

using Writer = std::function<std::string(const Deck&)>;

std::string Lines(const std::vector<std::pair<int, Card>>& board, const std::string& before,
                  const std::string& between, const std::string& after, bool japanese = false) {
  std::string text;
  for (const auto& [count, card] : board) {
    text += before + std::to_string(count) + between + (japanese ? card.japanese : card.name) +
            after + "\n";
  }
  return text;
}

std::string Utf16(const std::string& utf8) {
  std::string bytes = "\xFF\xFE";
  std::u16string units;
  for (size_t index = 0; index < utf8.size();) {
    unsigned char lead = utf8[index];
    char32_t code;
    size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    code = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (size_t i = 1; i < length; ++i) code = (code << 6) | (utf8[index + i] & 0x3F);
    units += static_cast<char16_t>(code);  // the pool holds no character beyond the basic plane
    index += length;
  }
  for (char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::string XmlEscaped(const std::string& text) {
  std::string escaped;
  for (char c : text) escaped += c == '\'' ? "&apos;" : c == '&' ? "&amp;" : std::string(1, c);
  return escaped;
}

// Every shape, each with the extension its programs use.
const std::map<std::string, std::pair<std::string, Writer>>& Shapes() {
  static const std::map<std::string, std::pair<std::string, Writer>> shapes = {
      {"sideboard_line",
       {".txt",
        [](const Deck& d) {
          return Lines(d.main, "", " ", "") + "Sideboard\n" + Lines(d.side, "", " ", "");
        }}},
      {"count_x",
       {".txt",
        [](const Deck& d) {
          return Lines(d.main, "", "x ", "") + "\n" + Lines(d.side, "", "x ", "");
        }}},
      {"sb_prefix",
       {".dec",
        [](const Deck& d) {
          return "// NAME : " + d.file + "\n" + Lines(d.main, "", " ", "") +
                 Lines(d.side, "SB: ", " ", "");
        }}},
      {"digital_client",
       {".txt",
        [](const Deck& d) {
          return "About\nName " + d.file + "\n\nDeck\n" + Lines(d.main, "", " ", " (SET) 123") +
                 "\nSideboard\n" + Lines(d.side, "", " ", " (SET) 45");
        }}},
      {"forge",
       {".dck",
        [](const Deck& d) {
          return "[metadata]\nName=" + d.file + "\n[Main]\n" + Lines(d.main, "", " ", "|SET|1") +
                 "[Sideboard]\n" + Lines(d.side, "", " ", "|SET");
        }}},
      {"dek",
       {".dek",
        [](const Deck& d) {
          std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Deck>\n";
          for (const auto* board : {&d.main, &d.side}) {
            for (const auto& [count, card] : *board) {
              xml += "  <Cards CatID=\"1\" Quantity=\"" + std::to_string(count) +
                     "\" Sideboard=\"" + (board == &d.side ? "true" : "false") + "\" Name=\"" +
                     XmlEscaped(card.name) + "\" />\n";
            }
          }
          return xml + "</Deck>\n";
        }}},
      {"cockatrice",
       {".cod",
        [](const Deck& d) {
          std::string xml =
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cockatrice_deck version=\"1\">\n"
              "  <deckname>" +
              d.file + "</deckname>\n  <comments></comments>\n";
          for (const auto* board : {&d.main, &d.side}) {
            xml += std::string("  <zone name=\"") + (board == &d.side ? "side" : "main") + "\">\n";
            for (const auto& [count, card] : *board) {
              xml += "    <card number=\"" + std::to_string(count) + "\" price=\"0\" name=\"" +
                     XmlEscaped(card.name) + "\"/>\n";
            }
            xml += "  </zone>\n";
          }
          return xml +
                 "  <zone name=\"tokens\">\n    <card number=\"1\" name=\"Goblin\"/>\n  </zone>\n"
                 "</cockatrice_deck>\n";
        }}},
      {"octgn",
       {".o8d",
        [](const Deck& d) {
          std::string xml =
              "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n"
              "<deck game=\"a6c8d2e8-7cd8-11dd-8f94-e62b56d89593\">\n";
          for (const auto* board : {&d.main, &d.side}) {
            xml += std::string("  <section name=\"") + (board == &d.side ? "Sideboard" : "Main") +
                   "\" shared=\"False\">\n";
            for (const auto& [count, card] : *board) {
              xml += "    <card qty=\"" + std::to_string(count) + "\" id=\"0f1e2d3c\">" +
                     XmlEscaped(card.name) + "</card>\n";
            }
            xml += "  </section>\n";
          }
          return xml + "  <notes><![CDATA[]]></notes>\n</deck>\n";
        }}},
      {"tagged_export",
       {".txt",
        [](const Deck& d) {
          return Lines(d.main, "", "x ", " (set) 12 [Creature]") +
                 Lines(d.side, "", "x ", " (set) 3 *F* [Sideboard]") +
                 "1x Lightning Bolt (m10) 146 [Maybeboard{noDeck}{noPrice},Removal]\n";
        }}},
      {"xmage",
       {".dck",
        [](const Deck& d) {
          return "NAME:" + d.file + "\n" + Lines(d.main, "", " [SET:12] ", "") +
                 Lines(d.side, "SB: ", " [SET:3] ", "") +
                 "LAYOUT MAIN:(1,1)(NONE,false,50)|([SET:12])\nLAYOUT "
                 "SIDEBOARD:(1,1)(NONE,false,50)|([SET:3])\n";
        }}},
      {"headings",
       {".txt",
        [](const Deck& d) {
          return "Deck\n" + Lines(d.main, "", " ", "") + "\nSideboard\n" +
                 Lines(d.side, "", " ", "") + "\nMaybeboard\n1 Lightning Bolt\n";
        }}},
      {"japanese_utf8",
       {".txt",
        [](const Deck& d) {
          return Lines(d.main, "", "\xE3\x80\x80", "", true) + "\n" +
                 Lines(d.side, "", " ", "", true);
        }}},
      {"japanese_cp932",
       {".txt",
        [](const Deck& d) {
          return TtString::Utf8ToCp932(Lines(d.main, "", " ", "", true) + "\n" +
                                       Lines(d.side, "", " ", "", true));
        }}},
      {"utf16",
       {".txt",
        [](const Deck& d) {
          return Utf16(Lines(d.main, "", " ", "\r") + "\r\n" + Lines(d.side, "", " ", "\r"));
        }}},
      {"utf8_bom",
       {".txt",
        [](const Deck& d) {
          return "\xEF\xBB\xBF" + Lines(d.main, "", " ", "") + "\n" + Lines(d.side, "", " ", "");
        }}},
  };
  return shapes;
}

std::string JsonBoard(const std::vector<std::pair<int, Card>>& board) {
  std::string json;
  for (const auto& [count, card] : board) {
    std::string name;
    for (char c : card.name)
      name += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
    json += std::string(json.empty() ? "" : ", ") + "{\"Count\": " + std::to_string(count) +
            ", \"CardName\": \"" + name + "\"}";
  }
  return "[" + json + "]";
}

// The whole metagame as one event file of the public decklist caches.
std::string EventFile(const std::vector<Deck>& metagame) {
  std::string json =
      "{\n  \"Tournament\": {\"Date\": \"2024-03-02T00:00:00Z\", \"Name\": \"Generated Open\", "
      "\"Uri\": \"https://example.com/generated-open\"},\n  \"Decks\": [\n";
  for (size_t index = 0; index < metagame.size(); ++index) {
    const Deck& deck = metagame[index];
    json += std::string(index == 0 ? "" : ",\n") +
            "    {\"Date\": \"2024-03-02T00:00:00Z\", \"Player\": \"" + deck.file +
            "\", \"Result\": \"" + std::to_string(index + 1) + "th Place\", \"AnchorUri\": null, " +
            "\"Mainboard\": " + JsonBoard(deck.main) + ", \"Sideboard\": " + JsonBoard(deck.side) +
            "}";
  }
  return json + "\n  ],\n  \"Rounds\": [],\n  \"Standings\": null,\n  \"Bracket\": null\n}\n";
}

class ImportMetagameTest : public ::testing::Test {
protected:
  void SetUp() override {
    const char* bin = std::getenv("TARVANE_BIN_DIR");
    if (!bin || ::access((std::string(bin) + "/tarvane-cli").c_str(), X_OK) != 0) {
      TARVANE_SKIP_FOR_MISSING_TOOL("tarvane-cli is not built");
    }
    bin_ = bin;
  }
  // The tool's exit status; its standard output in out.
  int Run(const std::string& arguments, std::string& out) {
    const std::string out_path = scratch_.Join("out.txt");
    int status = std::system(("cd '" + bin_ + "' && ./tarvane-cli " + arguments + " >'" + out_path +
                              "' 2>'" + scratch_.Join("err.txt") + "'")
                                 .c_str());
    out = ScratchFolder::Read(out_path);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The table with a column per deck and every statistics column, without its header line
  // (which names the files); rows and cells as CSV.
  std::string Table(const std::vector<std::string>& files) {
    std::string arguments = "--add";
    for (const std::string& file : files) arguments += " '" + file + "'";
    arguments += " --all-decks";
    for (const char* column : {"採用デッキ数", "採用率(%)", "総枚数", "平均枚数", "最大枚数"}) {
      arguments += " --column '" + TtString::Cp932ToUtf8(column) + "'";
    }
    std::string csv;
    EXPECT_EQ(Run(arguments + " --csv", csv), 0) << ScratchFolder::Read(scratch_.Join("err.txt"));
    return csv.substr(csv.find('\n') + 1);
  }

  std::string bin_;
  ScratchFolder scratch_;
};

TEST_F(ImportMetagameTest, EveryShapeGivesTheSameCellsAsTheProgramsOwnFormat) {
  std::vector<Card> pool = CardPool(bin_ + "/dictionary/sample_constructed.dat");
  ASSERT_GT(pool.size(), 100u);
  std::vector<Deck> metagame = Metagame(pool, 12);
  std::vector<std::string> own;
  for (const Deck& deck : metagame) {
    own.push_back(scratch_.Write("own/" + deck.file + ".txt",
                                 TtString::Utf8ToCp932(Lines(deck.main, "", " ", "") + "\n" +
                                                       Lines(deck.side, "", " ", ""))));
  }
  const std::string expected = Table(own);
  ASSERT_GT(std::count(expected.begin(), expected.end(), '\n'), 40);

  for (const auto& [shape, extension_writer] : Shapes()) {
    SCOPED_TRACE(shape);
    const auto& [extension, write] = extension_writer;
    std::string inputs, out;
    std::vector<std::string> imported;
    for (const Deck& deck : metagame) {
      inputs += " '" + scratch_.Write(shape + "/" + deck.file + extension, write(deck)) + "'";
      imported.push_back(scratch_.Join("imported/" + shape + "/" + deck.file + ".txt"));
    }
    ASSERT_EQ(
        Run("--utf8 --import" + inputs + " --to '" + scratch_.Join("imported/" + shape) + "'", out),
        0);
    EXPECT_EQ(out.find(TtString::Cp932ToUtf8("辞書にないカード")), std::string::npos) << out;
    EXPECT_EQ(Table(imported), expected);
  }

  // One event file holds every deck: one list per deck, named by its place and player.
  std::string out;
  std::string event = scratch_.Write("event/generated-open.json", EventFile(metagame));
  ASSERT_EQ(
      Run("--utf8 --import '" + event + "' --to '" + scratch_.Join("imported/event") + "'", out), 0)
      << out;
  EXPECT_NE(out.find("Decks written: 12 / 12"), std::string::npos) << out;
  std::vector<std::string> imported;
  for (size_t index = 0; index < metagame.size(); ++index) {
    std::string number = std::to_string(index + 1);
    imported.push_back(scratch_.Join("imported/event/" + std::string(3 - number.size(), '0') +
                                     number + "_" + metagame[index].file + ".txt"));
  }
  EXPECT_EQ(Table(imported), expected);
}

}  // namespace
