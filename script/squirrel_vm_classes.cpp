// The script object model: the classes Board, Deck, Card, CardDatabase, Entry and SpecialEntry
// over the native model, their built-in script texts, the root table Organizer, and the making
// of script twins of native objects.
//
// Cards, boards, decks and the card database belong to the native side. Their script instances
// hold a token of the live object table as their user pointer, tagged with the native class's
// type tag, and look their object up on every use; the native constructors take such a token,
// and only one issued for their own class that is still live. The native side makes instances
// only through the classes it defined itself, held since their definition.
// A row record (Entry, SpecialEntry) belongs to its script instance, whose user pointer is the
// record itself: the instance's release hook deletes it, so a row that a script makes for itself
// is freed with its instance. When the native side takes a row, it holds a reference to the
// instance for as long as it keeps the row.
#include <squirrel.h>

#include "app/program_files.h"
#include "model/archetype/archetype_classifier.h"
#include "model/card_type.h"
#include "model/deck.h"
#include "script/squirrel_vm.h"
#include "squirrel/tt_squirrel_native_api.h"
#include "squirrel/tt_squirrel_type_tag.h"

namespace Tarvane {

namespace {

using TtSquirrel::NativeAPI;
using TtSquirrel::TypeTagOf;
using TtSquirrel::VirtualMachine;

// A script text built into the program. Error reports name it "built-in <what>" with the line in
// the text, and its functions by their names, so that a frame of it reads like a frame of the
// scripts.
struct BuiltInText {
  const char* what;
  const char* text;

  std::string SourceName() const { return std::string("built-in ") + what; }
};

const BuiltInText kBoardText{"Board", R"(
function get_count_of(card_or_name) {
  local name = card_or_name;
  if (card_or_name instanceof ::Card) name = card_or_name.name;
  return (name in this.table) ? this.table[name] : 0;
}
function count_total_of(f) {
  return this.count_total_of_native(f, ::Organizer.card_database);
}
function count_type_total(type) {
  return this.count_total_of(function(card) { return card.type == type; });
}
function count_instant_sorcery_total() {
  return this.count_total_of(function(card) { return card.is_instant_sorcery(); });
}
function count_spell_total() {
  return this.count_total_of(function(card) { return card.is_spell(); });
}
function count_all_total() {
  return this.count_total_of(function(card) { return true; });
}
)"};

const BuiltInText kDeckText{"Deck", R"(
function get_board_type_of(type) {
  switch (type) {
    case ::Board.Type.Mainboard: return this.mainboard;
    case ::Board.Type.Sideboard: return this.sideboard;
    case ::Board.Type.Hybrid: return this.hybridboard;
  }
  throw "internal error [Deck.get_board_type_of] : type = " + type;
}
)"};

const BuiltInText kCardText{"Card", R"(
function is_instant_sorcery() {
  return this.type == ::Card.Type.Instant || this.type == ::Card.Type.Sorcery;
}
function is_spell() {
  local type = this.type;
  return type == ::Card.Type.Instant || type == ::Card.Type.Sorcery ||
         type == ::Card.Type.Enchantment || type == ::Card.Type.Artifact ||
         type == ::Card.Type.Planeswalker;
}
)"};

// A new slot, so that a script that deleted the list gets a fresh one.
const BuiltInText kClearDecksText{"clear_decks", "::Organizer.decks <- []"};
const BuiltInText kRenewDecksText{"renew_decks", "::Organizer.decks = clone ::Organizer.decks"};

const char* const kIsSpecialText = "return !(this.is_normal());";

// The release hook of row instances: the record goes with its instance.
SQInteger DeleteRowRecord(SQUserPointer record, SQInteger /*size*/) {
  delete static_cast<Entry*>(record);
  return 1;
}

// The release hook of a Card instance whose card the token keeps alive (a special entry's own).
SQInteger RevokeOwnedCard(SQUserPointer token, SQInteger /*size*/) {
  LiveObjectTable::Shared().Revoke(token);
  return 1;
}

const char* const kNoNativeObject = "the instance has no native object";

// What a script sees when an instance's object is gone: only decks and their boards go while
// the program runs.
const char* GoneText(void* class_tag) {
  if (class_tag == TypeTagOf<Board>()) return "the deck of this board is no longer loaded";
  if (class_tag == TypeTagOf<Deck>()) return "this deck is no longer loaded";
  return "the native object of this instance no longer exists";
}

// The native object behind the instance at the index, looked up by the token it holds.
template <class NativeClass>
NativeClass& NativeOf(NativeAPI& api, int index) {
  void* tag = TypeTagOf<NativeClass>();
  LiveObjectTable::Token token = api.GetInstanceUp(index, tag);
  if (token == nullptr) {
    // An instance of a derived script class whose constructor never reached the native one.
    throw TtSquirrel::NativeAPIException("sq_getinstanceup", kNoNativeObject);
  }
  const void* object = LiveObjectTable::Shared().Find(token, tag);
  if (object == nullptr) {
    throw TtSquirrel::NativeAPIException("sq_getinstanceup", GoneText(tag));
  }
  return *static_cast<NativeClass*>(const_cast<void*>(object));
}

// The row record of the instance at the index (row instances hold their record itself).
template <class Record>
Record& RecordOf(NativeAPI& api, int index) {
  auto* record =
      dynamic_cast<Record*>(static_cast<Entry*>(api.GetInstanceUp(index, TypeTagOf<Record>())));
  if (record == nullptr) {
    throw TtSquirrel::NativeAPIException("sq_getinstanceup", kNoNativeObject);
  }
  return *record;
}

// A native constructor's `this`, on top: an instance of the constructor's class that has no
// native object yet (calling a constructor again on a made instance would replace its object).
template <class NativeClass>
void CheckFreshInstance(NativeAPI& api) {
  if (api.GetInstanceUp(-1, TypeTagOf<NativeClass>()) != nullptr) {
    throw TtSquirrel::NativeAPIException("sq_setinstanceup",
                                         "the instance already has its native object");
  }
}

// Reads the token argument on top and pops it; it must be live and issued for the class.
template <class NativeClass>
std::pair<LiveObjectTable::Token, NativeClass*> PopToken(NativeAPI& api) {
  LiveObjectTable::Token token = api.GetUserPointer(-1);
  api.Pop(1);
  const void* object = LiveObjectTable::Shared().Find(token, TypeTagOf<NativeClass>());
  if (object == nullptr) {
    throw TtSquirrel::NativeAPIException("sq_getuserpointer",
                                         "not a live object of this class from the program");
  }
  return {token, static_cast<NativeClass*>(const_cast<void*>(object))};
}

// A native constructor's start: gives the fresh instance below the token argument on top the
// token's object, which it returns.
template <class NativeClass>
NativeClass& TakeToken(NativeAPI& api) {
  auto [token, object] = PopToken<NativeClass>(api);
  CheckFreshInstance<NativeClass>(api);
  api.SetInstanceUp(-1, token);
  return *object;
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

// A native method as the engine calls it: the body gets the SquirrelVM that owns the machine
// and its native API.
TtSquirrel::NativeFunction Bound(int (*body)(SquirrelVM&, NativeAPI&)) {
  return [body](VirtualMachine& machine) {
    SquirrelVM& vm = SquirrelVM::FindByHandle(machine.GetHandle());
    NativeAPI api = vm.GetNativeAPI();
    return body(vm, api);
  };
}

}  // namespace

// The bodies of the native methods. Each reads its arguments from the top down (popping each, so
// that `this` ends on top) and returns the engine's count of results.
class ObjectModelNatives {
public:
  static int BoardConstructor(SquirrelVM& vm, NativeAPI& api) {
    const Board& board = TakeToken<Board>(api);
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

  static int BoardCountTotalOfNative(SquirrelVM& vm, NativeAPI& api) {
    CardDatabase& database = NativeOf<CardDatabase>(api, -1);
    api.Pop(1);
    const Board& board = NativeOf<Board>(api, -2);
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

  static int DeckConstructor(SquirrelVM& vm, NativeAPI& api) {
    const Deck& deck = TakeToken<Deck>(api);
    vm.SetSlot(-1, "path", [&] { api.PushString(deck.path()); });
    vm.SetSlot(-1, "file_name", [&] { api.PushString(deck.file_name()); });
    for (const auto& [slot, board] :
         {std::pair{"mainboard", &deck.mainboard()}, std::pair{"sideboard", &deck.sideboard()},
          std::pair{"hybridboard", &deck.hybridboard()}}) {
      vm.SetSlot(-1, slot,
                 [&] { vm.PushInstanceOf(vm.classes_.board, vm.BoardToken(deck, *board)); });
    }
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

  static int CardCompare(SquirrelVM&, NativeAPI& api) {
    const Card& b = NativeOf<Card>(api, -1);
    const Card& a = NativeOf<Card>(api, -2);
    api.PushInteger(Card::compare(a, b));
    return 1;
  }

  static int CardConstructor(SquirrelVM& vm, NativeAPI& api) {
    const Card& card = TakeToken<Card>(api);
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

  // deck.archetype() and deck.archetype_how(): the label the loaded decks' labelling gave.
  static int DeckArchetype(SquirrelVM&, NativeAPI& api) {
    api.PushString(ArchetypeLabelOf(NativeOf<Deck>(api, -1)).name);
    return 1;
  }

  static int DeckArchetypeHow(SquirrelVM&, NativeAPI& api) {
    api.PushString(ArchetypeHowWord(ArchetypeLabelOf(NativeOf<Deck>(api, -1)).how));
    return 1;
  }

  static int CardIsNormal(SquirrelVM&, NativeAPI& api) {
    api.PushBool(NativeOf<Card>(api, -1).is_normal());
    return 1;
  }

  static int CardDatabaseConstructor(SquirrelVM&, NativeAPI& api) {
    TakeToken<CardDatabase>(api);
    return 0;
  }

  static int CardDatabaseCardExist(SquirrelVM&, NativeAPI& api) {
    std::string name = PopString(api);
    api.PushBool(NativeOf<CardDatabase>(api, -1).card_exist(name));
    return 1;
  }

  static int CardDatabaseFetch(SquirrelVM& vm, NativeAPI& api) {
    std::string name = PopString(api);
    vm.PushCard(NativeOf<CardDatabase>(api, -1).fetch(name));
    return 1;
  }

  static int CardDatabaseAddUnknownCard(SquirrelVM&, NativeAPI& api) {
    std::string name = PopString(api);
    NativeOf<CardDatabase>(api, -1).add_unknown_card(name);
    return 0;
  }

  static int EntryConstructor(SquirrelVM& vm, NativeAPI& api) {
    SQInteger board_type = PopInteger(api);
    auto [token, card] = PopToken<Card>(api);
    CheckFreshInstance<Entry>(api);
    // The record keeps a plain reference to its card, which only cards of the database outlive.
    if (LiveObjectTable::Shared().IsOwned(token)) {
      throw TtSquirrel::NativeAPIException("sq_getuserpointer", "not a card of the card database");
    }
    Entry& record = InstallRowRecord(
        vm, std::make_unique<Entry>(*card, static_cast<int>(board_type), vm.GetTopObject(false)));
    vm.SetSlot(-1, "card", [&] { vm.PushCard(record.card()); });
    vm.SetSlot(-1, "board_type", [&] { api.PushInteger(board_type); });
    return 0;
  }

  static int EntryCaseOfCannotProcess(SquirrelVM&, NativeAPI& api) {
    api.PushNull();
    return 1;
  }

  static int SpecialEntryConstructor(SquirrelVM& vm, NativeAPI& api) {
    SQInteger board_type = PopInteger(api);
    std::string name_japanese = PopString(api);
    std::string name = PopString(api);
    SQInteger type = PopInteger(api);
    CheckFreshInstance<SpecialEntry>(api);
    auto made =
        std::make_unique<SpecialEntry>(static_cast<int>(type), name, name_japanese,
                                       static_cast<int>(board_type), vm.GetTopObject(false));
    auto& record = static_cast<SpecialEntry&>(InstallRowRecord(vm, std::move(made)));
    vm.SetSlot(-1, "card", [&] { PushOwnedCard(vm, record.own_card()); });
    vm.SetSlot(-1, "board_type", [&] { api.PushInteger(board_type); });
    vm.SetSlot(-1, "use", [&] { api.PushBool(record.use()); });
    return 0;
  }

private:
  // Pushes a Card instance that keeps the card alive: a script may keep the instance after its
  // row is gone, and the card lives exactly as long as the instance.
  static void PushOwnedCard(SquirrelVM& vm, const std::shared_ptr<const Card>& card) {
    NativeAPI api = vm.GetNativeAPI();
    LiveObjectTable::Token token = LiveObjectTable::Shared().IssueOwned(TypeTagOf<Card>(), card);
    try {
      vm.PushInstanceOf(vm.classes_.card, token);
      // A script may have replaced the class's constructor, which then never took the token.
      if (api.GetInstanceUp(-1, TypeTagOf<Card>()) == token) {
        api.SetReleaseHook(-1, &RevokeOwnedCard);
        return;
      }
    } catch (...) {
      LiveObjectTable::Shared().Revoke(token);
      throw;
    }
    LiveObjectTable::Shared().Revoke(token);
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
  auto define = [this](const char* name, void (SquirrelVM::*push_class)(),
                       TtSquirrel::Object* held) {
    NewRootSlot(name, [&] {
      (this->*push_class)();
      if (held != nullptr) *held = GetTopObject(true);
    });
  };
  define("Board", &SquirrelVM::PushBoardClass, &classes_.board);
  define("Deck", &SquirrelVM::PushDeckClass, &classes_.deck);
  define("Card", &SquirrelVM::PushCardClass, &classes_.card);
  define("CardDatabase", &SquirrelVM::PushCardDatabaseClass, &classes_.card_database);
  define("Entry", &SquirrelVM::PushEntryClass, &classes_.entry);
  define("SpecialEntry", &SquirrelVM::PushSpecialEntryClass, nullptr);
  NewRootSlot("Organizer", [this] { PushOrganizerTable(); });
}

void SquirrelVM::PushBoardClass() {
  NativeAPI api = GetNativeAPI();
  api.NewClass(false);
  const SQInteger class_index = api.GetTop();
  api.SetTypeTag(-1, TypeTagOf<Board>());
  NewSlot(
      -1, "Type",
      [&] {
        api.NewTable();
        NewSlot(-1, "Mainboard", 0, false);
        NewSlot(-1, "Sideboard", 1, false);
        NewSlot(-1, "Hybrid", 2, false);
      },
      true);
  NewNativeMember("constructor", Bound(ObjectModelNatives::BoardConstructor), 2, "xp", false);
  NewNativeMember("count_total_of_native", Bound(ObjectModelNatives::BoardCountTotalOfNative), 3,
                  "xcx", false);
  NewNullMembers({"table"});
  RunBuffer(
      kBoardText.text, kBoardText.SourceName(), [&] { api.Push(class_index); }, false);
}

void SquirrelVM::PushDeckClass() {
  NativeAPI api = GetNativeAPI();
  api.NewClass(false);
  const SQInteger class_index = api.GetTop();
  api.SetTypeTag(-1, TypeTagOf<Deck>());
  NewNativeMember("constructor", Bound(ObjectModelNatives::DeckConstructor), 2, "xp", false);
  NewNativeMember("archetype", Bound(ObjectModelNatives::DeckArchetype), 1, "x", false);
  NewNativeMember("archetype_how", Bound(ObjectModelNatives::DeckArchetypeHow), 1, "x", false);
  NewNullMembers({"path", "file_name", "mainboard", "sideboard", "hybridboard", "headers"});
  RunBuffer(
      kDeckText.text, kDeckText.SourceName(), [&] { api.Push(class_index); }, false);
}

void SquirrelVM::PushCardClass() {
  NativeAPI api = GetNativeAPI();
  api.NewClass(false);
  const SQInteger class_index = api.GetTop();
  api.SetTypeTag(-1, TypeTagOf<Card>());
  NewSlot(
      -1, "Type",
      [&] {
        api.NewTable();
        for (const CardType::Entry& type : CardType::Table()) {
          NewSlot(-1, type.name, type.code, false);
        }
      },
      true);
  NewNativeMember("compare", Bound(ObjectModelNatives::CardCompare), 3, ".xx", true);
  NewNativeMember("constructor", Bound(ObjectModelNatives::CardConstructor), 2, "xp", false);
  NewNativeMember("is_normal", Bound(ObjectModelNatives::CardIsNormal), 1, "x", false);
  NewSlot(
      -1, "is_special", [&] { CompileBuffer(kIsSpecialText, "built-in Card"); }, false);
  NewNullMembers({"name", "name_japanese", "mana_cost", "converted_mana_cost", "type_text", "type",
                  "power_and_toughness", "rules_text"});
  RunBuffer(
      kCardText.text, kCardText.SourceName(), [&] { api.Push(class_index); }, false);
}

void SquirrelVM::PushCardDatabaseClass() {
  NativeAPI api = GetNativeAPI();
  api.NewClass(false);
  api.SetTypeTag(-1, TypeTagOf<CardDatabase>());
  NewNativeMember("constructor", Bound(ObjectModelNatives::CardDatabaseConstructor), 2, "xp",
                  false);
  NewNativeMember("card_exist", Bound(ObjectModelNatives::CardDatabaseCardExist), 2, "xs", false);
  NewNativeMember("fetch", Bound(ObjectModelNatives::CardDatabaseFetch), 2, "xs", false);
  NewNativeMember("add_unknown_card", Bound(ObjectModelNatives::CardDatabaseAddUnknownCard), 2,
                  "xs", false);
}

void SquirrelVM::PushEntryClass() {
  NativeAPI api = GetNativeAPI();
  api.NewClass(false);
  api.SetTypeTag(-1, TypeTagOf<Entry>());
  NewNativeMember("constructor", Bound(ObjectModelNatives::EntryConstructor), 3, "xpi", false);
  NewNativeMember("case_of_cannot_process", Bound(ObjectModelNatives::EntryCaseOfCannotProcess), 2,
                  "xx", false);
  NewNullMembers({"card", "board_type"});
}

void SquirrelVM::PushSpecialEntryClass() {
  NativeAPI api = GetNativeAPI();
  PushObject(classes_.entry);
  api.NewClass(true);
  api.SetTypeTag(-1, TypeTagOf<SpecialEntry>());
  NewNativeMember("constructor", Bound(ObjectModelNatives::SpecialEntryConstructor), 5, "xissi",
                  false);
  NewNullMembers({"use"});
}

void SquirrelVM::PushOrganizerTable() {
  NativeAPI api = GetNativeAPI();
  api.NewTable();
  NewSlot(
      -1, "card_database",
      [&] {
        PushInstanceOf(classes_.card_database,
                       LiveObjectTable::Shared().Issue(TypeTagOf<CardDatabase>(), &card_database_,
                                                       model_lifetime_));
      },
      false);
  NewSlot(-1, "executing_directory_path", ProgramFiles::GetShippedFolderPath(), false);
  for (const char* list : {"decks", "special_entries", "sorters", "processors"}) {
    NewSlot(
        -1, list, [&] { api.NewArray(0); }, false);
  }
}

void SquirrelVM::NewNativeMember(const std::string& name,
                                 const TtSquirrel::NativeFunction& function, int parameter_count,
                                 const char* type_mask, bool is_static) {
  NewSlot(
      -1, name,
      [&] {
        PushNativeClosure(function, "");
        GetNativeAPI().SetParamsCheck(parameter_count, type_mask);
      },
      is_static);
}

void SquirrelVM::NewNullMembers(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    NewSlot(-1, name, nullptr, false);
  }
}

void SquirrelVM::PushInstanceOf(const TtSquirrel::Object& script_class,
                                LiveObjectTable::Token token) {
  NativeAPI api = GetNativeAPI();
  Call([&] { PushObject(script_class); },
       [&] {
         api.PushRootTable();
         api.PushUserPointer(token);
         return 2;
       },
       true);
}

LiveObjectTable::Token SquirrelVM::CardToken(const Card& card) {
  auto [found, added] = card_tokens_.try_emplace(&card, nullptr);
  if (added) {
    found->second = LiveObjectTable::Shared().Issue(TypeTagOf<Card>(), &card, model_lifetime_);
  }
  return found->second;
}

LiveObjectTable::Token SquirrelVM::DeckToken(const Deck& deck) {
  return LiveObjectTable::Shared().Issue(TypeTagOf<Deck>(), &deck, deck.weak_from_this());
}

LiveObjectTable::Token SquirrelVM::BoardToken(const Deck& deck, const Board& board) {
  return LiveObjectTable::Shared().Issue(TypeTagOf<Board>(), &board, deck.weak_from_this());
}

void SquirrelVM::PushCard(const Card& card) { PushInstanceOf(classes_.card, CardToken(card)); }

std::shared_ptr<Entry> SquirrelVM::CreateEntry(const Card& card, int board_type) {
  NativeAPI api = GetNativeAPI();
  TtSquirrel::StackTopGuard guard(*this);
  Call([&] { PushObject(classes_.entry); },
       [&] {
         api.PushRootTable();
         api.PushUserPointer(CardToken(card));
         api.PushInteger(board_type);
         return 3;
       },
       true);
  return AdoptEntry(-1);
}

void SquirrelVM::CreateDeckObject(const Deck& deck) {
  PushInstanceOf(classes_.deck, DeckToken(deck));
}

void SquirrelVM::RenewScriptDeckList() {
  RunBuffer(
      kRenewDecksText.text, kRenewDecksText.SourceName(),
      [this] { GetNativeAPI().PushRootTable(); }, false);
}

void SquirrelVM::ClearScriptDecks() {
  RunBuffer(
      kClearDecksText.text, kClearDecksText.SourceName(),
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
  Entry& record = RecordOf<Entry>(api, index);
  return std::shared_ptr<Entry>(
      &record, InstanceReference{std::make_shared<TtSquirrel::Object>(GetObject(index, true))});
}

std::shared_ptr<SpecialEntry> SquirrelVM::AdoptSpecialEntry(int index) {
  NativeAPI api = GetNativeAPI();
  SpecialEntry& record = RecordOf<SpecialEntry>(api, index);
  return std::shared_ptr<SpecialEntry>(
      &record, InstanceReference{std::make_shared<TtSquirrel::Object>(GetObject(index, true))});
}

}  // namespace Tarvane
