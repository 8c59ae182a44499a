#pragma once
// Shared pieces of the script host's tests: a small dictionary, a minimal start-up script, and a
// fixture that brings up a SquirrelVM in a scratch program folder.
#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "script/squirrel_vm.h"
#include "tests/support/catch_exception.h"
#include "tests/support/program_folder.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/script_runner.h"
#include "ttl/core/tt_string.h"

namespace TarvaneTest {

// A few dictionary cards, one line each: English name, Japanese name, cost, converted cost,
// type line, type, power and toughness.
inline std::string SmallDictionary() {
  return "Mountain\t山\t\t0\tBasic Land - Mountain\tLand\t\n"
         "Lightning Bolt\t稲妻\tR\t1\tInstant\tInstant\t\n"
         "Searing Blaze\t焼尽の猛火\tRR\t2\tInstant\tInstant\t\n"
         "Lava Spike\t溶岩の撃ち込み\tR\t1\tSorcery\tSorcery\t\n"
         "Goblin Guide\tゴブリンの先達\tR\t1\tCreature - Goblin\tCreature\t2/1\n"
         "Monastery Swiftspear\t僧院の速槍\tR\t1\tCreature - Human Monk\tCreature\t1/2\n"
         "Chained to the Rocks\t岩への繋ぎ止め\tW\t1\tEnchantment - Aura\tEnchantment\t\n"
         "Smuggler's Copter\t密輸人の回転翼機\t2\t2\tArtifact - Vehicle\tArtifact\t3/3\n"
         "Chandra, Torch of Defiance\t反逆の先導者、チャンドラ\t2RR\t4\tPlaneswalker\t"
         "Planeswalker\t\n";
}

// A start-up script with just what the start-up needs, for tests that add their own pieces.
inline std::string MinimalStartupScript() {
  return R"(
class SubMenu {
  name = null; items = null;
  constructor(menu_name, menu_items) { name = menu_name; items = menu_items; }
}
class NameProcessor {
  name = "Name"; sorter = null; japanese = false;
  constructor(is_japanese) { japanese = is_japanese; }
  function process_function(entry) { return japanese ? entry.card.name_japanese : entry.card.name; }
}
::Organizer.create_first_column_processor <- function(is_japanese) {
  return NameProcessor(is_japanese);
}
class DeckProcessor {
  deck = null; name = null; sorter = null;
  constructor(the_deck) { deck = the_deck; name = the_deck.file_name; }
  function process_function(entry) {
    return deck.get_board_type_of(entry.board_type).get_count_of(entry.card);
  }
}
)";
}

class VmTest : public ::testing::Test {
protected:
  VmTest() { folder.WriteDictionary(SmallDictionary()); }
  ~VmTest() override { vm.reset(); }

  // Brings up the data side with the minimal start-up script followed by `script`.
  void Start(const std::string& script = "") { StartWith(MinimalStartupScript() + script); }
  void StartWith(const std::string& startup_script) {
    folder.WriteStartupScript(startup_script);
    try {
      vm = std::make_unique<Tarvane::SquirrelVM>(reporter);
    } catch (const TtException& error) {
      // Shows why, since the script error box is the only place that says so.
      std::string shown;
      for (const RecordingReporter::Message& message : reporter.messages) {
        shown += TtString::Cp932ToUtf8(message.text) + "\n";
      }
      std::cerr << "start-up failed: " << TtString::Cp932ToUtf8(error.Message()) << "\n" << shown;
      throw;
    }
  }

  void Run(const std::string& statements) { RunScript(*vm, statements); }
  std::string Eval(const std::string& expression) { return EvalScript(*vm, expression); }
  TtSquirrel::Object Value(const std::string& expression) { return ScriptValue(*vm, expression); }

  ProgramFolder folder;
  RecordingReporter reporter;
  std::unique_ptr<Tarvane::SquirrelVM> vm;
};

}  // namespace TarvaneTest
