#pragma once
// Shared pieces of the data-side tests: a scratch program folder (the program's executable
// path points into it, so the start-up script, dictionary and settings are the test's own), a
// reporter that records every message, and a fixture that brings up a SquirrelVM there.
#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/message_reporter.h"
#include "app/program_files.h"
#include "script/squirrel_vm.h"
#include "script/tt_squirrel_native_api.h"
#include "tests/ttl/scratch_folder.h"
#include "ttl/tt_string.h"

namespace TarvaneVmTest {

using Tarvane::MessageAnswer;
using Tarvane::MessageButtons;
using Tarvane::MessageIcon;

class RecordingReporter : public Tarvane::MessageReporter {
public:
  struct Message {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    MessageIcon icon;
    bool owned_by_main_window;
  };

  MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                            MessageButtons buttons, MessageIcon icon,
                            bool owned_by_main_window) override {
    messages.push_back({text, caption, buttons, icon, owned_by_main_window});
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer_to_questions;
  }

  std::vector<Message> messages;
  MessageAnswer answer_to_questions = MessageAnswer::Yes;
};

// The exception of type E that the action throws; a test failure when it throws none.
template <class E, class Action>
E CatchException(Action&& action) {
  try {
    action();
  } catch (const E& error) {
    return error;
  }
  ADD_FAILURE() << "the expected exception was not thrown";
  throw std::logic_error("the expected exception was not thrown");
}

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

// A scratch folder that acts as the program folder: the executable is <folder>/tarvane.
class ProgramFolder {
public:
  ProgramFolder() : scope_(scratch_.Join("tarvane")) {
    scratch_.MakeFolder("dictionary");
  }

  std::string Write(const std::string& name, const std::string& bytes) const {
    return scratch_.Write(name, bytes);
  }
  std::string Join(const std::string& name) const { return scratch_.Join(name); }
  const std::string& Path() const { return scratch_.Path(); }

  std::string WriteStartupScript(const std::string& text) const { return Write("tarvane.nut", text); }
  void WriteSettings(const std::string& text) const { Write("tarvane.ini", text); }
  void WriteDictionary(const std::string& lines) const { Write("dictionary/cards.dat", lines); }

private:
  ScratchFolder scratch_;
  Tarvane::ProgramFiles::Scope scope_;
};

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

  // Runs statements with the root table as `this`.
  void Run(const std::string& statements) {
    vm->RunBuffer(statements, "test", [this] { vm->GetNativeAPI().PushRootTable(); }, false);
  }
  // The expression's value as the script language writes it after `"" +`.
  std::string Eval(const std::string& expression) {
    vm->RunBuffer("return \"\" + (" + expression + ");", "test",
                  [this] { vm->GetNativeAPI().PushRootTable(); }, true);
    std::string text = vm->GetTopObject(false).ToString();
    vm->GetNativeAPI().Pop(1);
    return text;
  }
  // The value of a root expression, held.
  TtSquirrel::Object Value(const std::string& expression) {
    vm->RunBuffer("return " + expression + ";", "test",
                  [this] { vm->GetNativeAPI().PushRootTable(); }, true);
    TtSquirrel::Object value = vm->GetTopObject(true);
    vm->GetNativeAPI().Pop(1);
    return value;
  }

  ProgramFolder folder;
  RecordingReporter reporter;
  std::unique_ptr<Tarvane::SquirrelVM> vm;
};

}  // namespace TarvaneVmTest
