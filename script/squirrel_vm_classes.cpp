// The script object model: the classes Board, Deck, Card, CardDatabase, Entry and SpecialEntry
// over the native model, their built-in script texts, the root table Organizer, and the making
// of script twins of native objects.
//
// A script instance holds its native object's address as its user pointer, tagged with the
// native class's type tag. Cards, boards, decks and the card database belong to the native side.
// A row record (Entry, SpecialEntry) belongs to its script instance: the instance's release hook
// deletes it, so a row that a script makes for itself is freed with its instance. When the
// native side takes a row, it holds a reference to the instance for as long as it keeps the row.
#include <squirrel.h>

#include "app/program_files.h"
#include "model/card_type.h"
#include "model/deck.h"
#include "script/squirrel_vm.h"
#include "script/tt_squirrel_native_api.h"
#include "script/tt_squirrel_type_tag.h"

namespace Tarvane {

namespace {

using TtSquirrel::NativeAPI;
using TtSquirrel::TypeTagOf;
using TtSquirrel::VirtualMachine;

// A script text built into the program, compiled under "<module>(<line>)".
struct BuiltInText {
  int line;
  const char* text;

  std::string SourceName() const { return "squirrel_vm_classes(" + std::to_string(line) + ")"; }
};

const BuiltInText kBoardText{__LINE__, R"(
this.get_count_of <- function(card_or_name) {
  local name = card_or_name;
  if (card_or_name instanceof ::Card) name = card_or_name.name;
  return (name in this.table) ? this.table[name] : 0;
}
this.count_total_of <- function(f) {
  return this.count_total_of_native(f, ::Organizer.card_database);
}
this.count_type_total <- function(type) {
  return this.count_total_of(function(card) { return card.type == type; });
}
this.count_instant_sorcery_total <- function() {
  return this.count_total_of(function(card) { return card.is_instant_sorcery(); });
}
this.count_spell_total <- function() {
  return this.count_total_of(function(card) { return card.is_spell(); });
}
this.count_all_total <- function() {
  return this.count_total_of(function(card) { return true; });
}
)"};

const BuiltInText kDeckText{__LINE__, R"(
this.get_board_type_of <- function(type) {
  switch (type) {
    case ::Board.Type.Mainboard: return this.mainboard;
    case ::Board.Type.Sideboard: return this.sideboard;
    case ::Board.Type.Hybrid: return this.hybridboard;
  }
  throw "internal error [Deck.get_board_type_of] : type = " + type;
}
)"};

const BuiltInText kCardText{__LINE__, R"(
this.is_instant_sorcery <- function() {
  return this.type == ::Card.Type.Instant || this.type == ::Card.Type.Sorcery;
}
this.is_spell <- function() {
  local type = this.type;
  return type == ::Card.Type.Instant || type == ::Card.Type.Sorcery ||
         type == ::Card.Type.Enchantment || type == ::Card.Type.Artifact ||
         type == ::Card.Type.Planeswalker;
}
)"};

const BuiltInText kClearDecksText{__LINE__, "::Organizer.decks = []"};

const char* const kIsSpecialText = "return !(this.is_normal());";

// The release hook of row instances: the record goes with its instance.
SQInteger DeleteRowRecord(SQUserPointer record, SQInteger /*size*/) {
  delete static_cast<Entry*>(record);
  return 1;
}

SQInteger DeleteCardCopy(SQUserPointer card, SQInteger /*size*/) {
  delete static_cast<Card*>(card);
  return 1;
}

// The native object behind the instance at the index, read with the class's type tag.
template <class NativeClass>
NativeClass& NativeOf(NativeAPI& api, int index) {
  void* pointer = api.GetInstanceUp(index, TypeTagOf<NativeClass>());
  if (pointer == nullptr) {
    // An instance of a derived script class whose constructor never reached the native one.
    throw TtSquirrel::NativeAPIException("sq_getinstanceup", "the instance has no native object");
  }
  return *static_cast<NativeClass*>(pointer);
}

// Row records are stored as Entry pointers whatever their class.
template <>
SpecialEntry& NativeOf<SpecialEntry>(NativeAPI& api, int index) {
  void* pointer = api.GetInstanceUp(index, TypeTagOf<SpecialEntry>());
  auto* record = dynamic_cast<SpecialEntry*>(static_cast<Entry*>(pointer));
  if (record == nullptr) {
    throw TtSquirrel::NativeAPIException("sq_getinstanceup", "the instance has no native object");
  }
  return *record;
}

// Reads the user pointer argument on top and pops it.
template <class NativeClass>
NativeClass& PopNativePointer(NativeAPI& api) {
  auto* pointer = static_cast<NativeClass*>(api.GetUserPointer(-1));
  api.Pop(1);
  return *pointer;
}

std::string PopString(NativeAPI& api) {
  std::string text = api.GetString(-1);
  api.Pop(1);
  return text;
}

SQInteger PopInteger(NativeAPI& api) {
  SQInteger value = api.GetInteger(-1);
  api.Pop(1);
  return value;
}

}  // namespace

// The bodies of the native methods. Each finds its SquirrelVM first, reads its arguments from
// the top down (popping each, so that `this` ends on top) and returns the engine's count of
// results.
class ObjectModelNatives {
public:
  static int BoardConstructor(VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    Board& board = PopNativePointer<Board>(api);
    api.SetInstanceUp(-1, &board);
    vm.SetSlot(-1, "table", [&] {
      api.NewTable();
      for (const auto& [name, count] : board.cards()) {
        api.PushString(name);
        api.PushInteger(count);
        api.NewSlot(-3, false);
      }
    });
    return 0;
  }

  static int BoardCountTotalOfNative(VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    CardDatabase& database = NativeOf<CardDatabase>(api, -1);
    api.Pop(1);
    const Board& board = NativeOf<Board>(api, -2);
    if (!Board::IsLive(&board)) {
      throw TtSquirrel::NativeAPIException("sq_getinstanceup", "the deck of this board is no longer loaded");
    }
    // The stack now holds `this` (the Board instance) and f.
    const SQInteger board_index = api.GetTop() - 1;
    const SQInteger function_index = api.GetTop();
    long long total = board.count_total_of_native(
        [&](const Card& card) {
          TtSquirrel::StackTopGuard guard(vm);
          vm.Call([&] { api.Push(function_index); },
                  [&] {
                    api.Push(board_index);
                    vm.PushCard(card);
                    return 2;
                  },
                  true);
          return api.GetBool(-1);
        },
        database);
    api.PushInteger(total);
    return 1;
  }

  static int DeckConstructor(VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    Deck& deck = PopNativePointer<Deck>(api);
    api.SetInstanceUp(-1, &deck);
    vm.SetSlot(-1, "path", [&] { api.PushString(deck.path()); });
    vm.SetSlot(-1, "file_name", [&] { api.PushString(deck.file_name()); });
    vm.SetSlot(-1, "mainboard", [&] { vm.PushInstanceOf("Board", &deck.mainboard()); });
    vm.SetSlot(-1, "sideboard", [&] { vm.PushInstanceOf("Board", &deck.sideboard()); });
    vm.SetSlot(-1, "hybridboard", [&] { vm.PushInstanceOf("Board", &deck.hybridboard()); });
    vm.SetSlot(-1, "headers", [&] {
      api.NewTable();
      for (const auto& [key, value] : deck.headers()) {
        api.PushString(key);
        api.PushString(value);
        api.NewSlot(-3, false);
      }
    });
    return 0;
  }

  static int CardCompare(VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    const Card& b = NativeOf<Card>(api, -1);
    const Card& a = NativeOf<Card>(api, -2);
    api.PushInteger(Card::compare(a, b));
    return 1;
  }

  static int CardConstructor(VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    Card& card = PopNativePointer<Card>(api);
    api.SetInstanceUp(-1, &card);
    const SquirrelVM::CardMemberKeys& keys = vm.card_member_keys_;
    vm.SetSlot(-1, keys.name, [&] { api.PushString(card.name); });
    vm.SetSlot(-1, keys.name_japanese, [&] { api.PushString(card.name_japanese); });
    vm.SetSlot(-1, keys.mana_cost, [&] { api.PushString(card.mana_cost); });
    vm.SetSlot(-1, keys.converted_mana_cost, [&] { api.PushInteger(card.converted_mana_cost); });
    vm.SetSlot(-1, keys.type_text, [&] { api.PushString(card.type_text); });
    vm.SetSlot(-1, keys.type, [&] { api.PushInteger(card.type); });
    vm.SetSlot(-1, keys.power_and_toughness, [&] { api.PushString(card.power_and_toughness); });
    vm.SetSlot(-1, keys.rules_text, [&] { api.PushString(card.rules_text); });
    return 0;
  }

  static int CardIsNormal(VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    api.PushBool(NativeOf<Card>(api, -1).is_normal());
    return 1;
  }

  static int CardDatabaseConstructor(VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    CardDatabase& database = PopNativePointer<CardDatabase>(api);
    api.SetInstanceUp(-1, &database);
    return 0;
  }

  static int CardDatabaseCardExist(VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    std::string name = PopString(api);
    api.PushBool(NativeOf<CardDatabase>(api, -1).card_exist(name));
    return 1;
  }

  static int CardDatabaseFetch(VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    std::string name = PopString(api);
    vm.PushCard(NativeOf<CardDatabase>(api, -1).fetch(name));
    return 1;
  }

  static int CardDatabaseAddUnknownCard(VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    std::string name = PopString(api);
    NativeOf<CardDatabase>(api, -1).add_unknown_card(name);
    return 0;
  }

  static int EntryConstructor(VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    SQInteger board_type = PopInteger(api);
    const Card& card = PopNativePointer<const Card>(api);
    Entry& record = InstallRowRecord(
        vm, std::make_unique<Entry>(card, static_cast<int>(board_type), vm.GetTopObject(false)));
    vm.SetSlot(-1, "card", [&] { vm.PushCard(record.card()); });
    vm.SetSlot(-1, "board_type", [&] { api.PushInteger(board_type); });
    return 0;
  }

  static int EntryCaseOfCannotProcess(VirtualMachine& machine) {
    machine.GetNativeAPI().PushNull();
    return 1;
  }

  static int SpecialEntryConstructor(VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    SQInteger board_type = PopInteger(api);
    std::string name_japanese = PopString(api);
    std::string name = PopString(api);
    SQInteger type = PopInteger(api);
    auto made = std::make_unique<SpecialEntry>(static_cast<int>(type), name, name_japanese,
                                               static_cast<int>(board_type),
                                               vm.GetTopObject(false));
    auto& record = static_cast<SpecialEntry&>(InstallRowRecord(vm, std::move(made)));
    vm.SetSlot(-1, "card", [&] { PushOwnedCardCopy(vm, record.card()); });
    vm.SetSlot(-1, "board_type", [&] { api.PushInteger(board_type); });
    vm.SetSlot(-1, "use", [&] { api.PushBool(record.use()); });
    return 0;
  }

private:
  // Pushes a Card instance over a copy of the card that the instance owns: a script may keep the
  // instance after its row is gone, and the copy lives exactly as long as the instance.
  static void PushOwnedCardCopy(SquirrelVM& vm, const Card& card) {
    NativeAPI api = vm.GetNativeAPI();
    auto copy = std::make_unique<Card>(card);
    vm.PushCard(*copy);
    // A script may have put a class of its own in place of ::Card, which never took the copy.
    bool taken = false;
    try {
      taken = api.GetInstanceUp(-1, TypeTagOf<Card>()) == copy.get();
    } catch (const TtSquirrel::NativeAPIException&) {
    }
    if (!taken) return;
    api.SetReleaseHook(-1, &DeleteCardCopy);
    copy.release();
  }

  // Makes the record the user pointer of the instance on top, owned by that instance.
  static Entry& InstallRowRecord(SquirrelVM& vm, std::unique_ptr<Entry> record) {
    NativeAPI api = vm.GetNativeAPI();
    api.SetInstanceUp(-1, record.get());
    api.SetReleaseHook(-1, &DeleteRowRecord);
    return *record.release();
  }
};

void SquirrelVM::BindObjectModel() {
  NewRootSlot("Board", [this] { PushBoardClass(); });
  NewRootSlot("Deck", [this] { PushDeckClass(); });
  NewRootSlot("Card", [this] { PushCardClass(); });
  NewRootSlot("CardDatabase", [this] { PushCardDatabaseClass(); });
  NewRootSlot("Entry", [this] { PushEntryClass(); });
  NewRootSlot("SpecialEntry", [this] { PushSpecialEntryClass(); });
  NewRootSlot("Organizer", [this] { PushOrganizerTable(); });
}

void SquirrelVM::PushBoardClass() {
  NativeAPI api = GetNativeAPI();
  api.NewClass(false);
  const SQInteger class_index = api.GetTop();
  api.SetTypeTag(-1, TypeTagOf<Board>());
  NewSlot(-1, "Type", [&] {
    api.NewTable();
    NewSlot(-1, "Mainboard", 0, false);
    NewSlot(-1, "Sideboard", 1, false);
    NewSlot(-1, "Hybrid", 2, false);
  }, true);
  NewNativeMember("constructor", ObjectModelNatives::BoardConstructor, 2, "xp", false);
  NewNativeMember("count_total_of_native", ObjectModelNatives::BoardCountTotalOfNative, 3, "xcx",
                  false);
  NewNullMembers({"table"});
  RunBuffer(kBoardText.text, kBoardText.SourceName(), [&] { api.Push(class_index); }, false);
}

void SquirrelVM::PushDeckClass() {
  NativeAPI api = GetNativeAPI();
  api.NewClass(false);
  const SQInteger class_index = api.GetTop();
  api.SetTypeTag(-1, TypeTagOf<Deck>());
  NewNativeMember("constructor", ObjectModelNatives::DeckConstructor, 2, "xp", false);
  NewNullMembers({"path", "file_name", "mainboard", "sideboard", "hybridboard", "headers"});
  RunBuffer(kDeckText.text, kDeckText.SourceName(), [&] { api.Push(class_index); }, false);
}

void SquirrelVM::PushCardClass() {
  NativeAPI api = GetNativeAPI();
  api.NewClass(false);
  const SQInteger class_index = api.GetTop();
  api.SetTypeTag(-1, TypeTagOf<Card>());
  NewSlot(-1, "Type", [&] {
    api.NewTable();
    for (const CardType::Entry& type : CardType::Table()) {
      NewSlot(-1, type.name, type.code, false);
    }
  }, true);
  NewNativeMember("compare", ObjectModelNatives::CardCompare, 3, ".xx", true);
  NewNativeMember("constructor", ObjectModelNatives::CardConstructor, 2, "xp", false);
  NewNativeMember("is_normal", ObjectModelNatives::CardIsNormal, 1, "x", false);
  NewSlot(-1, "is_special", [&] { CompileBuffer(kIsSpecialText, ""); }, false);
  NewNullMembers({"name", "name_japanese", "mana_cost", "converted_mana_cost", "type_text", "type",
                  "power_and_toughness", "rules_text"});
  RunBuffer(kCardText.text, kCardText.SourceName(), [&] { api.Push(class_index); }, false);
}

void SquirrelVM::PushCardDatabaseClass() {
  NativeAPI api = GetNativeAPI();
  api.NewClass(false);
  api.SetTypeTag(-1, TypeTagOf<CardDatabase>());
  NewNativeMember("constructor", ObjectModelNatives::CardDatabaseConstructor, 2, "xp", false);
  NewNativeMember("card_exist", ObjectModelNatives::CardDatabaseCardExist, 2, "xs", false);
  NewNativeMember("fetch", ObjectModelNatives::CardDatabaseFetch, 2, "xs", false);
  NewNativeMember("add_unknown_card", ObjectModelNatives::CardDatabaseAddUnknownCard, 2, "xs",
                  false);
}

void SquirrelVM::PushEntryClass() {
  NativeAPI api = GetNativeAPI();
  api.NewClass(false);
  api.SetTypeTag(-1, TypeTagOf<Entry>());
  NewNativeMember("constructor", ObjectModelNatives::EntryConstructor, 3, "xpi", false);
  NewNativeMember("case_of_cannot_process", ObjectModelNatives::EntryCaseOfCannotProcess, 2,
                  "xx", false);
  NewNullMembers({"card", "board_type"});
}

void SquirrelVM::PushSpecialEntryClass() {
  NativeAPI api = GetNativeAPI();
  PushRootSlot("Entry");
  api.NewClass(true);
  api.SetTypeTag(-1, TypeTagOf<SpecialEntry>());
  NewNativeMember("constructor", ObjectModelNatives::SpecialEntryConstructor, 5, "xissi", false);
  NewNullMembers({"use"});
}

void SquirrelVM::PushOrganizerTable() {
  NativeAPI api = GetNativeAPI();
  api.NewTable();
  NewSlot(-1, "card_database", [&] { PushInstanceOf("CardDatabase", &card_database_); }, false);
  NewSlot(-1, "executing_directory_path", ProgramFiles::GetExecutableDirectory(), false);
  for (const char* list : {"decks", "special_entries", "sorters", "processors"}) {
    NewSlot(-1, list, [&] { api.NewArray(0); }, false);
  }
}

void SquirrelVM::NewNativeMember(const std::string& name,
                                 const TtSquirrel::NativeFunction& function, int parameter_count,
                                 const char* type_mask, bool is_static) {
  NewSlot(-1, name, [&] {
    PushNativeClosure(function, "");
    GetNativeAPI().SetParamsCheck(parameter_count, type_mask);
  }, is_static);
}

void SquirrelVM::NewNullMembers(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    NewSlot(-1, name, nullptr, false);
  }
}

void SquirrelVM::PushInstanceOf(const std::string& class_name, const void* native) {
  NativeAPI api = GetNativeAPI();
  Call([&] { PushRootSlot(class_name); },
       [&] {
         api.PushRootTable();
         api.PushUserPointer(const_cast<void*>(native));
         return 2;
       },
       true);
}

void SquirrelVM::PushCard(const Card& card) { PushInstanceOf("Card", &card); }

std::shared_ptr<Entry> SquirrelVM::CreateEntry(const Card& card, int board_type) {
  NativeAPI api = GetNativeAPI();
  TtSquirrel::StackTopGuard guard(*this);
  Call([&] { PushRootSlot("Entry"); },
       [&] {
         api.PushRootTable();
         api.PushUserPointer(const_cast<Card*>(&card));
         api.PushInteger(board_type);
         return 3;
       },
       true);
  return AdoptEntry(-1);
}

void SquirrelVM::CreateDeckObject(const Deck& deck) { PushInstanceOf("Deck", &deck); }

void SquirrelVM::ClearScriptDecks() {
  RunBuffer(kClearDecksText.text, kClearDecksText.SourceName(),
            [this] { GetNativeAPI().PushRootTable(); }, false);
  // A deck's script objects often refer to each other (a processor and its sorter), and counting
  // references never frees such a cycle; the engine's collector does. Decks that a column still
  // holds go at the next drop.
  GetNativeAPI().CollectGarbage();
}

namespace {

// Owns nothing but a reference to the row's instance; dropping it lets the instance, and with
// it the record, go.
struct InstanceReference {
  std::shared_ptr<TtSquirrel::Object> instance;
  void operator()(Entry*) { instance.reset(); }
};

}  // namespace

std::shared_ptr<Entry> SquirrelVM::AdoptEntry(int index) {
  NativeAPI api = GetNativeAPI();
  Entry& record = NativeOf<Entry>(api, index);
  return std::shared_ptr<Entry>(
      &record, InstanceReference{std::make_shared<TtSquirrel::Object>(GetObject(index, true))});
}

std::shared_ptr<SpecialEntry> SquirrelVM::AdoptSpecialEntry(int index) {
  NativeAPI api = GetNativeAPI();
  SpecialEntry& record = NativeOf<SpecialEntry>(api, index);
  return std::shared_ptr<SpecialEntry>(
      &record, InstanceReference{std::make_shared<TtSquirrel::Object>(GetObject(index, true))});
}

}  // namespace Tarvane
