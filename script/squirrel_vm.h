#pragma once
// The application's script host, which also holds the whole data side: the settings, the card
// database, the loaded decks, the rows of the table, the first-column processor and
// the special entries. Its constructor brings the data side up in a fixed order; its other
// operations bind the model into the scripts and call the scripts' hooks.
//
// Every operation runs on the user-interface thread and leaves the engine stack as it found it
// (except where it documents one pushed value). Script failures are TtSquirrel exceptions.
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/message_reporter.h"
#include "app/settings.h"
#include "model/archetype/archetype_label.h"
#include "model/card_database.h"
#include "model/cell_value.h"
#include "model/entry.h"
#include "model/special_entry.h"
#include "script/live_object_table.h"
#include "script/script_menu.h"
#include "squirrel/tt_squirrel_virtual_machine.h"

namespace Tarvane {

class Board;
class Deck;

// Board display mode: which boards the rows of the table come from.
enum BoardDisplayMode : int { Both = 0, MainboardOnly = 1, SideboardOnly = 2, Hybrid = 3 };

// The two script lists that fill menus.
enum class ScriptMenuList { Processors, Sorters };

class SquirrelVM : public TtSquirrel::VirtualMachine {
public:
  using Decks = std::vector<std::shared_ptr<Deck>>;
  using Rows = std::vector<std::shared_ptr<Entry>>;
  using SpecialEntries = std::vector<std::shared_ptr<SpecialEntry>>;
  // Called with every menu that FillScriptMenu fills, the given one and each nested sub-menu,
  // before its items are appended (the main frame registers its choice handler there).
  using MenuCallback = std::function<void(ScriptMenu&)>;

  // Brings up the data side: script engine and standard libraries, settings, card database,
  // object model, start-up script, extension script (when enabled), first-column processor and
  // special entries. Script errors of the two script files are shown through the reporter; a
  // failed start ends in an exception (ExitThroughException when the user has been told).
  explicit SquirrelVM(MessageReporter& reporter);
  ~SquirrelVM() override;

  // The machine of an engine handle; InternalException (module squirrel_vm) when none.
  static SquirrelVM& FindByHandle(TtSquirrel::EngineHandle handle);

  // The model. The lists are changed in place by the analysis table.
  Settings& GetSettings() { return settings_; }
  CardDatabase& GetCardDatabase() { return card_database_; }
  int GetBoardDisplayMode() const { return board_display_mode_; }
  void SetBoardDisplayMode(int mode) { board_display_mode_ = mode; }
  Decks& GetDecks() { return decks_; }
  Rows& GetRows() { return rows_; }
  const TtSquirrel::Object& GetFirstColumnProcessor() const { return first_column_processor_; }
  void SetFirstColumnProcessor(const TtSquirrel::Object& processor) {
    first_column_processor_ = processor;
  }
  SpecialEntries& GetSpecialEntries() { return special_entries_; }
  MessageReporter& GetMessageReporter() { return reporter_; }

  // The script object model.
  // Registers Board, Deck, Card, CardDatabase, Entry and SpecialEntry, then the root table
  // Organizer. Runs once, during construction.
  void BindObjectModel();
  // Pushes a new Card instance for the card (the card must outlive every use of the instance).
  void PushCard(const Card& card);
  // A new row: ::Entry(card, board type), owned natively from now on. The record lives as long
  // as the returned pointer or any copy of it, and keeps its script instance alive that long.
  std::shared_ptr<Entry> CreateEntry(const Card& card, int board_type);
  // Pushes a new Deck instance for the deck. It is not yet in ::Organizer.decks:
  // CreateDeckProcessor adds it once the deck's processor has been made.
  void CreateDeckObject(const Deck& deck);
  // Empties ::Organizer.decks; call it right after the native deck list has been emptied.
  void ClearScriptDecks();
  // The token that stands for a card of the card database in the native constructors of Card
  // and Entry (such cards live as long as this machine).
  LiveObjectTable::Token CardToken(const Card& card);

  // The scripts' hooks.
  // The first column's processor: ::Organizer.create_first_column_processor(flag).
  TtSquirrel::Object CreateFirstColumnProcessor(bool first_column_is_japanese);
  // The deck's processor: ::DeckProcessor(deck instance). Only when that succeeds is the deck's
  // instance appended to ::Organizer.decks, so a failed deck leaves nothing behind.
  TtSquirrel::Object CreateDeckProcessor(const Deck& deck);
  // Appends the elements of ::Organizer.special_entries, in order, with their use flags.
  void ReadSpecialEntries(SpecialEntries& list);
  // Fills the menu from ::Organizer.processors or ::Organizer.sorters: null elements are
  // separators, ::SubMenu instances nested sub-menus, other instances leaves. Sub-menus nest
  // at most 32 deep (a RuntimeException beyond), which also ends a sub-menu that holds itself.
  void FillScriptMenu(ScriptMenuList list, ScriptMenu& menu, const MenuCallback& on_menu);
  // The processors that a special-column menu leaf adds: the array that its optional
  // create_columns() returns, one column each; nullopt when the leaf has no create_columns (or
  // null there), so that it is the one column's processor itself.
  std::optional<std::vector<TtSquirrel::Object>> CreateColumns(const TtSquirrel::Object& leaf);
  // The processor of a difference column: ::DifferenceProcessor(first, second), both the
  // processors of deck columns.
  TtSquirrel::Object CreateDifferenceProcessor(const TtSquirrel::Object& first,
                                               const TtSquirrel::Object& second);
  // The start-up or extension script's say on a deck's archetype:
  // ::Organizer.decide_archetype(deck, name, how) when that slot is set, with the name and the
  // way the rules gave. A string it returns is the deck's archetype; nullopt when the slot is
  // missing or null or the function returns null.
  std::optional<std::string> DecideArchetype(const Deck& deck, const ArchetypeLabel& label);
  // The archetype of an archetype column: its processor's `archetype` slot when that is a
  // string; nullopt for any other processor.
  std::optional<std::string> GetProcessorArchetype(const TtSquirrel::Object& processor);
  // A new ::Organizer.decks array with the same decks, so that script caches keyed by the deck
  // list see a change after the decks' archetypes changed.
  void RenewScriptDeckList();
  // The `name` slot of a processor or sorter, which must be a string.
  std::string GetName(const TtSquirrel::Object& object);
  // The `sorter` slot of a processor, unchecked.
  TtSquirrel::Object GetSorter(const TtSquirrel::Object& processor);
  // The value that the column's processor yields for the row.
  CellValue ComputeCellValue(const TtSquirrel::Object& processor, const Entry& entry);
  // The sorter's comparison of two rows: negative places a first, positive b, 0 equal.
  int CompareForSort(const TtSquirrel::Object& sorter, const Entry& a, const Entry& b);

private:
  friend class ObjectModelNatives;

  class Registration {
  public:
    explicit Registration(SquirrelVM& machine);
    ~Registration();
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

  private:
    TtSquirrel::EngineHandle handle_;
  };

  // Start-up steps.
  void RunStartupScript();
  void RunExtensionScript();
  // Shows the script error box; returns the user's answer.
  MessageAnswer ShowScriptError(const std::string& path, const TtSquirrel::Exception& error,
                                const std::string& closing_sentence, MessageButtons buttons);

  // Object model pieces (squirrel_vm_classes.cpp).
  void PushBoardClass();
  void PushDeckClass();
  void PushCardClass();
  void PushCardDatabaseClass();
  void PushEntryClass();
  void PushSpecialEntryClass();
  void PushOrganizerTable();
  // On the class on top: a member that is a native closure with a parameter check.
  void NewNativeMember(const std::string& name, const TtSquirrel::NativeFunction& function,
                       int parameter_count, const char* type_mask, bool is_static);
  // On the class on top: members that the constructors fill.
  void NewNullMembers(const std::vector<std::string>& names);
  // Calls the class (one the native side defined) with the token and leaves the new instance.
  void PushInstanceOf(const TtSquirrel::Object& script_class, LiveObjectTable::Token token);
  // Tokens of a deck and its boards, live as long as the deck.
  LiveObjectTable::Token DeckToken(const Deck& deck);
  LiveObjectTable::Token BoardToken(const Deck& deck, const Board& board);
  // Takes the row record of the instance at the index into native ownership.
  std::shared_ptr<Entry> AdoptEntry(int index);
  std::shared_ptr<SpecialEntry> AdoptSpecialEntry(int index);
  // Reads a string slot of the value at the index (the slot found by path).
  std::string ReadStringSlot(int index, const std::string& key);
  void FillMenuFromTop(ScriptMenu& menu, const MenuCallback& on_menu, int depth);
  // Calls the function in slot `function_name` of `target` with `this` = target and arguments.
  void CallMember(const TtSquirrel::Object& target, const TtSquirrel::SlotKey& function_name,
                  std::initializer_list<const TtSquirrel::Object*> arguments);

  // The classes of the object model as this side defined them, held from their definition on:
  // a script that rebinds ::Card or ::Board changes what scripts see, not what this side makes.
  struct ScriptClasses {
    TtSquirrel::Object board, deck, card, card_database, entry;
  };

  Registration registration_;
  // The hooks called for every cell and every comparison.
  TtSquirrel::SlotKey process_function_key_{*this, "process_function"};
  TtSquirrel::SlotKey case_of_cannot_process_key_{*this, "case_of_cannot_process"};
  TtSquirrel::SlotKey compare_for_sort_key_{*this, "compare_for_sort"};
  TtSquirrel::SlotKey create_columns_key_{*this, "create_columns"};
  // The data members of every Card instance, which scripts make by the thousand.
  struct CardMemberKeys {
    explicit CardMemberKeys(TtSquirrel::VirtualMachine& machine);
    TtSquirrel::SlotKey name, name_japanese, mana_cost, converted_mana_cost, type_text, type,
        power_and_toughness, rules_text;
  } card_member_keys_{*this};
  MessageReporter& reporter_;
  Settings settings_;
  CardDatabase card_database_;
  int board_display_mode_ = Both;
  Decks decks_;
  Rows rows_;
  TtSquirrel::Object first_column_processor_;
  SpecialEntries special_entries_;
  ScriptClasses classes_;
  // Lives exactly as long as the model of this machine: the witness of the tokens of the card
  // database and its cards.
  std::shared_ptr<const void> model_lifetime_ = std::make_shared<char>();
  std::unordered_map<const Card*, LiveObjectTable::Token> card_tokens_;
};

}  // namespace Tarvane
