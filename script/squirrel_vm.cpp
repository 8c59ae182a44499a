// The application's script host: its registry and the data-side start-up.
#include "script/squirrel_vm.h"

#include <unordered_map>

#include "app/exception.h"
#include "app/program_files.h"
#include "squirrel/tt_squirrel_native_api.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_path.h"

namespace Tarvane {

namespace {

// The engine's initial stack, in slots.
constexpr int kInitialStackSize = 1024;

// Native callbacks receive only the engine handle; this finds the application object for it.
std::unordered_map<TtSquirrel::EngineHandle, SquirrelVM*>& Registry() {
  static std::unordered_map<TtSquirrel::EngineHandle, SquirrelVM*> registry;
  return registry;
}

std::string ScriptErrorCaption() {
  return TtLanguage::Text("Script error", "拡張スクリプトのエラー");
}
std::string ScriptErrorHeading() {
  return TtLanguage::Text("The script below had an error.",
                          "以下の拡張スクリプトでエラーがありました。");
}
std::string StartupFailedSentence() {
  return TtLanguage::Text("The program cannot start properly.",
                          "アプリケーションが正しく起動できません。");
}
std::string StartAnywayQuestion() {
  return TtLanguage::Text(
      "Start the program all the same? (It may not work properly.)",
      "このままアプリケーションを起動しますか？（正常に起動しない可能性があります）");
}

}  // namespace

SquirrelVM::Registration::Registration(SquirrelVM& machine) : handle_(machine.GetHandle()) {
  Registry()[handle_] = &machine;
}

SquirrelVM::Registration::~Registration() { Registry().erase(handle_); }

SquirrelVM& SquirrelVM::FindByHandle(TtSquirrel::EngineHandle handle) {
  auto found = Registry().find(handle);
  if (found == Registry().end()) {
    throw InternalException("squirrel_vm", 77);
  }
  return *found->second;
}

SquirrelVM::CardMemberKeys::CardMemberKeys(TtSquirrel::VirtualMachine& machine)
    : name(machine, "name"),
      name_japanese(machine, "name_japanese"),
      mana_cost(machine, "mana_cost"),
      converted_mana_cost(machine, "converted_mana_cost"),
      type_text(machine, "type_text"),
      type(machine, "type"),
      power_and_toughness(machine, "power_and_toughness"),
      rules_text(machine, "rules_text") {}

// The members before the body are the empty model: default settings, an empty card database,
// the display mode Both, empty lists and a null first-column processor.
SquirrelVM::SquirrelVM(MessageReporter& reporter)
    : VirtualMachine(kInitialStackSize), registration_(*this), reporter_(reporter) {
  RegisterStandardLibraries();
  LoadSettings(settings_);
  card_database_.LoadDictionary();
  BindObjectModel();
  RunStartupScript();
  if (settings_.UseExtensionScript) {
    RunExtensionScript();
  }
  first_column_processor_ = CreateFirstColumnProcessor(settings_.FirstColumnIsJapanese);
  ReadSpecialEntries(special_entries_);
}

SquirrelVM::~SquirrelVM() {
  // Everything that holds script values goes while the engine is still open; the rows first,
  // since the table's records refer to decks and special entries only by plain references.
  rows_.clear();
  decks_.clear();
  first_column_processor_ = TtSquirrel::Object();
  special_entries_.clear();
  classes_ = ScriptClasses();
}

void SquirrelVM::RunStartupScript() {
  std::string path = ProgramFiles::GetStartupScriptPath();
  if (!TtPath::FileExists(path) || TtPath::IsDirectory(path)) {
    throw FileNotExistException(path);
  }
  try {
    DoFile(path, false);
  } catch (const TtSquirrel::Exception& error) {
    ShowScriptError(path, error, StartupFailedSentence(), MessageButtons::Ok);
    throw ExitThroughException();
  }
}

void SquirrelVM::RunExtensionScript() {
  std::string path = ProgramFiles::ResolveUserScriptPath(settings_.ExtensionScriptPath);
  try {
    DoFile(path, false);
  } catch (const TtSquirrel::Exception& error) {
    if (ShowScriptError(path, error, StartAnywayQuestion(), MessageButtons::YesNo) ==
        MessageAnswer::No) {
      throw ExitThroughException();
    }
  }
}

MessageAnswer SquirrelVM::ShowScriptError(const std::string& path,
                                          const TtSquirrel::Exception& error,
                                          const std::string& closing_sentence,
                                          MessageButtons buttons) {
  std::string text = ScriptErrorHeading() + "\r\nfile : " + path;
  std::string message = error.GetMessageText();
  if (!message.empty()) {
    text += "\r\n\r\n" + message;
  }
  text += "\r\n\r\n" + closing_sentence;
  return reporter_.ShowMessage(text, ScriptErrorCaption(), buttons, MessageIcon::Error, false);
}

}  // namespace Tarvane
