// The object model as scripts see it: cards, the card database, decks and boards with their
// built-in methods, rows, and the script side's list of decks.
#include <malloc.h>

#include "model/card_type.h"
#include "model/deck.h"
#include "script/load_deck.h"
#include "squirrel/tt_squirrel_native_api.h"
#include "tests/script/vm_test_support.h"

namespace TarvaneTest {
namespace {

using Tarvane::Deck;

class ObjectModelTest : public VmTest {
protected:
  void SetUp() override {
    Start(R"(
::processor_calls <- [];
class DeckProcessor {
  deck = null; name = null; sorter = null;
  constructor(the_deck) {
    ::processor_calls.append(::Organizer.decks.len());
    if (the_deck.file_name == "refused.txt") throw "refused";
    deck = the_deck; name = the_deck.file_name;
  }
  function process_function(entry) {
    return deck.get_board_type_of(entry.board_type).get_count_of(entry.card);
  }
}
)");
  }

  std::shared_ptr<Deck> LoadDeck(const std::string& file_name, const std::string& text) {
    return Tarvane::LoadDeck(folder.Write(file_name, text), *vm);
  }
  // A script expression that throws; returns the run-time error's message.
  std::string ErrorOf(const std::string& expression) {
    return CatchException<TtSquirrel::RuntimeException>([&] { Eval(expression); })
        .GetErrorMessage();
  }
};

const char* const kBurnDeck =
    "#name Burn One\n"
    "4 Lightning Bolt\n"
    "4 Goblin Guide\n"
    "2 Lava Spike\n"
    "10 Mountain\n"
    "1 Mystery Card\n"
    "\n"
    "3 Searing Blaze\n"
    "1 Lightning Bolt\n"
    "2 Chained to the Rocks\n";

TEST_F(ObjectModelTest, CardsCarryTheirRecord) {
  Run("::bolt <- ::Organizer.card_database.fetch(\"Lightning Bolt\");"
      "::mountain <- ::Organizer.card_database.fetch(\"Mountain\");");
  EXPECT_EQ(Eval("::bolt.name + \"/\" + ::bolt.name_japanese + \"/\" + ::bolt.mana_cost"),
            "Lightning Bolt/稲妻/R");
  EXPECT_EQ(Eval("::bolt.converted_mana_cost"), "1");
  EXPECT_EQ(Eval("::bolt.type"), "20000");
  EXPECT_EQ(Eval("::bolt.type_text"), "Instant");
  EXPECT_EQ(Eval("::bolt.is_normal() + \",\" + ::bolt.is_special()"), "true,false");
  EXPECT_EQ(Eval("::bolt.is_instant_sorcery() + \",\" + ::bolt.is_spell()"), "true,true");
  EXPECT_EQ(Eval("::mountain.is_instant_sorcery() + \",\" + ::mountain.is_spell()"), "false,false");
  EXPECT_EQ(Eval("::Organizer.card_database.fetch(\"Chained to the Rocks\").is_spell()"), "true");
  EXPECT_EQ(Eval("::Organizer.card_database.fetch(\"Goblin Guide\").power_and_toughness"), "2/1");
}

TEST_F(ObjectModelTest, TypeTablesMirrorTheNativeCodes) {
  EXPECT_EQ(Eval("::Card.Type.Instant"), "20000");
  EXPECT_EQ(Eval("::Card.Type.SideboardStart"), "15000");
  EXPECT_EQ(Eval("::Card.Type.MainTotal"), "32000");
  EXPECT_EQ(Eval("::Card.Type.len()"), std::to_string(Tarvane::CardType::Table().size()));
  EXPECT_EQ(Eval("::Board.Type.Mainboard + \",\" + ::Board.Type.Sideboard + \",\" + "
                 "::Board.Type.Hybrid"),
            "0,1,2");
}

TEST_F(ObjectModelTest, CardsCompareByTypeThenCost) {
  Run("::db <- ::Organizer.card_database;");
  EXPECT_EQ(Eval("::Card.compare(::db.fetch(\"Searing Blaze\"), ::db.fetch(\"Lightning Bolt\"))"),
            "1");
  EXPECT_EQ(Eval("::Card.compare(::db.fetch(\"Lightning Bolt\"), ::db.fetch(\"Lava Spike\"))"),
            "-2000");
  // A row passed where a card belongs is caught by the type tag.
  Run("::total <- ::SpecialEntry(::Card.Type.LandTotal, \"Lands\", \"L\", 0);");
  EXPECT_EQ(ErrorOf("::Card.compare(::total, ::db.fetch(\"Mountain\"))")
                .rfind("Error in callback: sq_getinstanceup:", 0),
            0u);
}

TEST_F(ObjectModelTest, EveryCardInstanceIsFresh) {
  Run("::db <- ::Organizer.card_database;");
  EXPECT_EQ(Eval("::db.fetch(\"Mountain\") == ::db.fetch(\"Mountain\")"), "false");
  EXPECT_EQ(Eval("::db.fetch(\"Mountain\").name == ::db.fetch(\"Mountain\").name"), "true");
}

TEST_F(ObjectModelTest, TheCardDatabaseGrowsByUnknownCards) {
  Run("::db <- ::Organizer.card_database;");
  EXPECT_EQ(Eval("::db.card_exist(\"Not A Card\")"), "false");
  EXPECT_EQ(Eval("::db.fetch(\"Not A Card\").type"), "41000");
  EXPECT_EQ(Eval("::db.card_exist(\"Not A Card\")"), "true");
  Run("::db.add_unknown_card(\"Another\");");
  EXPECT_TRUE(vm->GetCardDatabase().card_exist("Another"));
  EXPECT_EQ(Eval("::db.fetch(\"Another\").mana_cost"), "Unknown");
}

TEST_F(ObjectModelTest, DecksAndTheirBoards) {
  auto deck = LoadDeck("burn.txt", kBurnDeck);
  Run("::d <- ::Organizer.decks[0];");
  EXPECT_EQ(Eval("::d.path"), folder.Join("burn.txt"));
  EXPECT_EQ(Eval("::d.file_name"), "burn.txt");
  EXPECT_EQ(Eval("::d.headers.NAME"), "Burn One");
  EXPECT_EQ(Eval("::d.headers.len()"), "1");

  // By name and by card alike; 0 for a card not on the board.
  EXPECT_EQ(Eval("::d.mainboard.get_count_of(\"Lightning Bolt\")"), "4");
  EXPECT_EQ(Eval("::d.mainboard.get_count_of(::Organizer.card_database.fetch(\"Lightning Bolt\"))"),
            "4");
  EXPECT_EQ(Eval("::d.mainboard.get_count_of(\"Searing Blaze\")"), "0");
  EXPECT_EQ(Eval("::d.hybridboard.get_count_of(\"Lightning Bolt\")"), "5");
  EXPECT_EQ(Eval("::d.get_board_type_of(::Board.Type.Hybrid) == ::d.hybridboard"), "true");
  EXPECT_EQ(Eval("::d.get_board_type_of(::Board.Type.Sideboard) == ::d.sideboard"), "true");
  EXPECT_EQ(ErrorOf("::d.get_board_type_of(7)"),
            "internal error [Deck.get_board_type_of] : type = 7");
}

TEST_F(ObjectModelTest, BoardTotals) {
  auto deck = LoadDeck("burn.txt", kBurnDeck);
  Run("::main <- ::Organizer.decks[0].mainboard; ::side <- ::Organizer.decks[0].sideboard;"
      "::table_sum <- 0; foreach (name, count in ::main.table) ::table_sum += count;");
  EXPECT_EQ(Eval("::main.count_all_total()"), "21");
  EXPECT_EQ(Eval("::table_sum"), "21");
  EXPECT_EQ(Eval("::main.count_type_total(::Card.Type.Instant)"), "4");
  EXPECT_EQ(Eval("::main.count_type_total(::Card.Type.Land)"), "10");
  // An unknown card counts only under its own code.
  EXPECT_EQ(Eval("::main.count_type_total(41000)"), "1");
  EXPECT_EQ(Eval("::main.count_instant_sorcery_total()"), "6");
  EXPECT_EQ(Eval("::main.count_spell_total()"), "6");
  EXPECT_EQ(Eval("::side.count_spell_total()"), "6");
  EXPECT_EQ(Eval("::side.count_type_total(::Card.Type.Enchantment)"), "2");
  auto side_only = LoadDeck("side_only.txt", "\n1 Mountain\n");
  EXPECT_EQ(Eval("::Organizer.decks[1].mainboard.count_all_total()"), "0");

  // The predicate must answer with a bool.
  EXPECT_EQ(ErrorOf("::main.count_total_of(function(card) { return 1; })")
                .rfind("Error in callback: sq_getbool:", 0),
            0u);
}

TEST_F(ObjectModelTest, TheScriptSideListsTheLoadedDecksInOrder) {
  std::vector<std::shared_ptr<Deck>> decks;
  for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
    decks.push_back(LoadDeck(name, "1 Mountain\n"));
  }
  EXPECT_EQ(Eval("::Organizer.decks.map(@(d) d.file_name).reduce(@(a, b) a + \",\" + b)"),
            "one.txt,two.txt,three.txt");
  // Each deck joins the list once its processor exists.
  EXPECT_EQ(Eval("::processor_calls.reduce(@(a, b) a + \",\" + b)"), "0,1,2");
  EXPECT_EQ(vm->GetName(decks[1]->processor()), "two.txt");

  vm->ClearScriptDecks();
  EXPECT_EQ(Eval("::Organizer.decks.len()"), "0");
}

TEST_F(ObjectModelTest, ADeckWhoseProcessorFailsLeavesNothingBehind) {
  auto kept = LoadDeck("kept.txt", "1 Mountain\n");
  auto error = CatchException<TtSquirrel::RuntimeException>(
      [&] { LoadDeck("refused.txt", "2 Mountain\n"); });
  EXPECT_EQ(error.GetErrorMessage(), "refused");
  EXPECT_EQ(Eval("::Organizer.decks.len()"), "1");
  EXPECT_EQ(Eval("::Organizer.decks[0].file_name"), "kept.txt");
}

TEST_F(ObjectModelTest, ABoardKeptPastItsDeckFailsAsAScriptError) {
  auto deck = LoadDeck("gone.txt", "4 Mountain\n");
  Eval("::kept_board <- ::Organizer.decks[0].mainboard");
  vm->ClearScriptDecks();
  deck.reset();
  EXPECT_NE(ErrorOf("::kept_board.count_all_total()").find("no longer loaded"), std::string::npos);
}

// A native constructor takes only a live token of its own class, on a fresh instance of its own
// class; a script that captures one cannot point another instance at the wrong object.
TEST_F(ObjectModelTest, NativeConstructorsTakeOnlyLiveTokensOfTheirClassOnFreshInstances) {
  Run("::deck_constructor <- ::Deck.constructor;"
      "::board_constructor <- ::Board.constructor;"
      "::tokens <- {};"
      "::Card.constructor <- function(token) { ::tokens.card <- token; };"
      "::Board.constructor <- function(token) {"
      "  ::tokens.board <- token; ::board_constructor.call(this, token); };");
  auto deck = LoadDeck("kept.txt", "4 Mountain\n");
  // The stolen card token built nothing, and makes no deck.
  EXPECT_EQ(Eval("::Organizer.card_database.fetch(\"Mountain\").name == null"), "true");
  EXPECT_NE(ErrorOf("::deck_constructor.call(::Deck.instance(), ::tokens.card)")
                .find("not a live object of this class"),
            std::string::npos);
  // A made instance is not made again, nor is an instance of another class.
  EXPECT_NE(ErrorOf("::board_constructor.call(::Organizer.decks[0].mainboard, ::tokens.board)")
                .find("already has its native object"),
            std::string::npos);
  EXPECT_NE(ErrorOf("::board_constructor.call(::Organizer.card_database, ::tokens.board)")
                .find("sq_getinstanceup"),
            std::string::npos);
  EXPECT_NE(ErrorOf("::Board.instance().count_all_total()").find("has no native object"),
            std::string::npos);
  EXPECT_EQ(Eval("::Organizer.decks[0].mainboard.count_all_total()"), "4");
}

// The card of a special row lives as long as a script keeps its instance.
TEST_F(ObjectModelTest, ASpecialRowsCardOutlivesTheRow) {
  Run("::kept_card <- ::SpecialEntry(::Card.Type.LandTotal, \"Lands\", \"土地\", 0).card;");
  vm->GetNativeAPI().CollectGarbage();
  EXPECT_EQ(Eval("::kept_card.name + \" \" + ::kept_card.is_normal()"), "Lands false");
}

TEST_F(ObjectModelTest, RowsMadeForTheTable) {
  const Tarvane::Card& bolt = vm->GetCardDatabase().fetch("Lightning Bolt");
  std::shared_ptr<Tarvane::Entry> row = vm->CreateEntry(bolt, 1);
  EXPECT_EQ(&row->card(), &bolt);
  EXPECT_EQ(row->board_type(), 1);
  EXPECT_TRUE(row->is_normal());

  auto deck = LoadDeck("burn.txt", kBurnDeck);
  // The row's script instance carries the card and board, and lives as long as the row.
  EXPECT_EQ(vm->ComputeCellValue(deck->processor(), *row).integer(), 1);
  EXPECT_EQ(vm->ComputeCellValue(deck->processor(), *vm->CreateEntry(bolt, 2)).integer(), 5);
}

TEST_F(ObjectModelTest, SpecialEntriesMadeByScripts) {
  Run("::lands <- ::SpecialEntry(::Card.Type.LandTotal, \"Lands\", \"土地\", 1);"
      "::typed <- ::SpecialEntry(::Card.Type.Land, \"Odd\", \"変\", 0);");
  EXPECT_EQ(Eval("::lands.use"), "false");
  EXPECT_EQ(Eval("::lands.board_type"), "1");
  EXPECT_EQ(Eval("::lands.card.name + \"/\" + ::lands.card.name_japanese"), "Lands/土地");
  EXPECT_EQ(Eval("::lands.card.type + \",\" + ::lands.card.converted_mana_cost"), "17000,0");
  EXPECT_EQ(Eval("::lands.card.is_normal() + \",\" + ::lands.card.is_special()"), "false,true");
  EXPECT_EQ(Eval("::typed.card.is_normal() + \",\" + ::typed.card.is_special()"), "true,false");
  // The card of a special entry outlives the entry.
  Run("::orphan <- ::SpecialEntry(::Card.Type.LandTotal, \"Gone\", \"G\", 0).card;");
  EXPECT_EQ(Eval("::orphan.is_special() + \",\" + ::Card.compare(::orphan, ::lands.card)"),
            "true,0");
}

TEST_F(ObjectModelTest, ScriptsCanAddMethodsButNoFieldsOnceInstancesExist) {
  Run("::kept <- ::Organizer.card_database.fetch(\"Lava Spike\");"
      "::Card.double_cost <- function() { return converted_mana_cost * 2; };");
  EXPECT_EQ(Eval("::kept.double_cost()"), "2");
  EXPECT_FALSE(ErrorOf("(::Card.rarity <- 0)").empty());
}

TEST_F(ObjectModelTest, ParameterChecksGuardTheNativeMethods) {
  EXPECT_FALSE(ErrorOf("::Entry(\"Lightning Bolt\", 0)").empty());
  EXPECT_FALSE(ErrorOf("::SpecialEntry(1, 2, 3, 4)").empty());
  EXPECT_FALSE(ErrorOf("::Organizer.card_database.fetch(5)").empty());
}

// A row record goes with its instance once nothing holds the instance any more.
TEST_F(ObjectModelTest, RowsThatScriptsMakeAreFreed) {
  const Tarvane::Card& bolt = vm->GetCardDatabase().fetch("Lightning Bolt");
  // Each row is dropped at once, and with it the last reference to its instance.
  auto make_rows = [&](int count) {
    for (int i = 0; i < count; ++i) {
      vm->CreateEntry(bolt, 0);
    }
  };
  make_rows(1000);  // warms up the allocator and the engine's string table
  size_t before = mallinfo2().uordblks;
  make_rows(20000);
  size_t after = mallinfo2().uordblks;
  // A leaked record is 60 bytes or more, so 20000 of them would add over a megabyte.
  EXPECT_LT(after, before + 200000) << "before " << before << ", after " << after;
}

}  // namespace
}  // namespace TarvaneTest
