// The points at which the native side calls the scripts: the first-column and deck processors,
// the special entries, the script menus, names, sorters, cell values and row comparisons.
//
// How a callee or slot is found decides the error that a missing name gives: "by path" (PushPath,
// GetSlot) fails with GetOperationException, "by get" (Get, PushRootSlot) with
// NativeAPIException ("sq_get"). Each lookup below uses the one that scripts and users expect.
#include <climits>
#include <string>

#include "script/squirrel_vm.h"
#include "squirrel/tt_squirrel_native_api.h"

namespace Tarvane {

namespace {

const char* MenuListName(ScriptMenuList list) {
  return list == ScriptMenuList::Processors ? "processors" : "sorters";
}

// Deeper than anyone would click; a sub-menu that contains itself reaches it at once instead of
// recursing until the native stack runs out.
constexpr int kMaxSubMenuDepth = 32;

// An integer result of a comparison outside the 32-bit range keeps its sign.
int ComparisonFromInteger(long long value) {
  if (value > INT_MAX) return 1;
  if (value < INT_MIN) return -1;
  return static_cast<int>(value);
}

}  // namespace

TtSquirrel::Object SquirrelVM::CreateFirstColumnProcessor(bool first_column_is_japanese) {
  TtSquirrel::StackTopGuard guard(*this);
  Call(
      [this] {
        PushPath({"Organizer", "create_first_column_processor"});
      },
      [this, first_column_is_japanese] {
        PushRootSlot("Organizer");
        GetNativeAPI().PushBool(first_column_is_japanese);
        return 2;
      },
      true);
  return GetTopObject(true);
}

TtSquirrel::Object SquirrelVM::CreateDeckProcessor(const Deck& deck) {
  TtSquirrel::StackTopGuard guard(*this);
  CreateDeckObject(deck);
  TtSquirrel::Object deck_instance = GetTopObject(true);
  Call([this] { PushRootSlot("DeckProcessor"); },
       [this, &deck_instance] {
         GetNativeAPI().PushRootTable();
         PushObject(deck_instance);
         return 2;
       },
       true);
  TtSquirrel::Object processor = GetTopObject(true);
  // Only a deck that got its processor is loaded, so only then does the script side see it.
  ArrayAppend(
      [this] {
        PushPath({"Organizer", "decks"});
      },
      [this, &deck_instance] { PushObject(deck_instance); });
  return processor;
}

void SquirrelVM::ReadSpecialEntries(SpecialEntries& list) {
  TtSquirrel::NativeAPI api = GetNativeAPI();
  TtSquirrel::StackTopGuard guard(*this);
  PushPath({"Organizer", "special_entries"});
  long long size = api.GetSize(-1);
  for (long long index = 0; index < size; ++index) {
    TtSquirrel::StackTopGuard element_guard(*this);
    GetSlot(-1, index);
    std::shared_ptr<SpecialEntry> entry = AdoptSpecialEntry(-1);
    GetSlot(-1, "use");
    entry->set_use(api.GetBool(-1));
    list.push_back(std::move(entry));
  }
}

void SquirrelVM::FillScriptMenu(ScriptMenuList list, ScriptMenu& menu,
                                const MenuCallback& on_menu) {
  TtSquirrel::StackTopGuard guard(*this);
  PushPath({"Organizer", MenuListName(list)});
  FillMenuFromTop(menu, on_menu, 0);
}

// Fills the menu from the array on top of the stack; depth counts the sub-menus above it.
void SquirrelVM::FillMenuFromTop(ScriptMenu& menu, const MenuCallback& on_menu, int depth) {
  if (on_menu) {
    on_menu(menu);
  }
  long long size = GetNativeAPI().GetSize(-1);
  for (long long index = 0; index < size; ++index) {
    TtSquirrel::StackTopGuard element_guard(*this);
    GetSlot(-1, index);
    if (GetType(-1).Is(TtSquirrel::ObjectTypeCode::Null)) {
      menu.AppendSeparator();
    } else if (InstanceOf([this] { PushRootSlot("SubMenu"); }, -1)) {
      if (depth + 1 >= kMaxSubMenuDepth) {
        throw TtSquirrel::RuntimeException("SubMenu nested deeper than " +
                                               std::to_string(kMaxSubMenuDepth) +
                                               " levels (or containing itself)",
                                           {});
      }
      ScriptMenu& sub_menu = menu.AppendSubMenu(ReadStringSlot(-1, "name"));
      GetSlot(-1, "items");
      FillMenuFromTop(sub_menu, on_menu, depth + 1);
    } else {
      menu.AppendItem(ReadStringSlot(-1, "name"), GetTopObject(true));
    }
  }
}

std::optional<std::vector<TtSquirrel::Object>> SquirrelVM::CreateColumns(
    const TtSquirrel::Object& leaf) {
  TtSquirrel::NativeAPI api = GetNativeAPI();
  TtSquirrel::StackTopGuard guard(*this);
  PushObject(leaf);
  PushObject(create_columns_key_.object());
  if (!api.TryGet(-2) || GetType(-1).Is(TtSquirrel::ObjectTypeCode::Null)) return std::nullopt;
  api.Pop(2);
  CallMember(leaf, create_columns_key_, {});
  std::vector<TtSquirrel::Object> processors;
  long long size = api.GetSize(-1);
  for (long long index = 0; index < size; ++index) {
    TtSquirrel::StackTopGuard element_guard(*this);
    GetSlot(-1, index);
    processors.push_back(GetTopObject(true));
  }
  return processors;
}

TtSquirrel::Object SquirrelVM::CreateDifferenceProcessor(const TtSquirrel::Object& first,
                                                         const TtSquirrel::Object& second) {
  TtSquirrel::StackTopGuard guard(*this);
  Call([this] { PushRootSlot("DifferenceProcessor"); },
       [this, &first, &second] {
         GetNativeAPI().PushRootTable();
         PushObject(first);
         PushObject(second);
         return 3;
       },
       true);
  return GetTopObject(true);
}

std::optional<std::string> SquirrelVM::DecideArchetype(const Deck& deck,
                                                       const ArchetypeLabel& label) {
  TtSquirrel::NativeAPI api = GetNativeAPI();
  TtSquirrel::StackTopGuard guard(*this);
  PushRootSlot("Organizer");
  api.PushString("decide_archetype");
  if (!api.TryGet(-2) || GetType(-1).Is(TtSquirrel::ObjectTypeCode::Null)) return std::nullopt;
  api.Pop(1);
  CreateDeckObject(deck);
  TtSquirrel::Object deck_instance = GetTopObject(true);
  Call(
      [this] {
        PushPath({"Organizer", "decide_archetype"});
      },
      [this, &deck_instance, &label, api] {
        PushRootSlot("Organizer");
        PushObject(deck_instance);
        api.PushString(label.name);
        api.PushString(ArchetypeHowWord(label.how));
        return 4;
      },
      true);
  if (GetType(-1).Is(TtSquirrel::ObjectTypeCode::Null)) return std::nullopt;
  if (!GetType(-1).Is(TtSquirrel::ObjectTypeCode::String)) api.ToString(-1);
  return api.GetString(-1);
}

std::optional<std::string> SquirrelVM::GetProcessorArchetype(const TtSquirrel::Object& processor) {
  TtSquirrel::NativeAPI api = GetNativeAPI();
  TtSquirrel::StackTopGuard guard(*this);
  PushObject(processor);
  api.PushString("archetype");
  if (!api.TryGet(-2) || !GetType(-1).Is(TtSquirrel::ObjectTypeCode::String)) return std::nullopt;
  return api.GetString(-1);
}

std::string SquirrelVM::GetName(const TtSquirrel::Object& object) {
  TtSquirrel::StackTopGuard guard(*this);
  Get([this, &object] { PushObject(object); }, "name");
  return GetNativeAPI().GetString(-1);
}

TtSquirrel::Object SquirrelVM::GetSorter(const TtSquirrel::Object& processor) {
  TtSquirrel::StackTopGuard guard(*this);
  Get([this, &processor] { PushObject(processor); }, "sorter");
  return GetTopObject(true);
}

CellValue SquirrelVM::ComputeCellValue(const TtSquirrel::Object& processor, const Entry& entry) {
  TtSquirrel::NativeAPI api = GetNativeAPI();
  TtSquirrel::StackTopGuard guard(*this);
  const TtSquirrel::Object& instance = entry.script_object();
  CallMember(processor, process_function_key_, {&instance});
  TtSquirrel::ObjectType type = GetType(-1);
  if (type.Is(TtSquirrel::ObjectTypeCode::Null)) {
    api.Pop(1);
    CallMember(instance, case_of_cannot_process_key_, {&processor});
    type = GetType(-1);
  }
  if (type.Is(TtSquirrel::ObjectTypeCode::Null)) {
    return CellValue();
  }
  if (type.Is(TtSquirrel::ObjectTypeCode::String)) {
    return CellValue::MakeString(api.GetString(-1));
  }
  if (type.Is(TtSquirrel::ObjectTypeCode::Integer)) {
    return CellValue::MakeInteger(api.GetInteger(-1));
  }
  if (type.Is(TtSquirrel::ObjectTypeCode::Float)) {
    return CellValue::MakeFloat(api.GetFloat(-1));
  }
  api.ToString(-1);
  return CellValue::MakeString(TtSquirrel::TidyEngineText(api.GetString(-1)));
}

int SquirrelVM::CompareForSort(const TtSquirrel::Object& sorter, const Entry& a, const Entry& b) {
  TtSquirrel::NativeAPI api = GetNativeAPI();
  TtSquirrel::StackTopGuard guard(*this);
  CallMember(sorter, compare_for_sort_key_, {&a.script_object(), &b.script_object()});
  TtSquirrel::ObjectType type = GetType(-1);
  if (type.Is(TtSquirrel::ObjectTypeCode::Integer)) {
    return ComparisonFromInteger(api.GetInteger(-1));
  }
  if (type.Is(TtSquirrel::ObjectTypeCode::Float)) {
    float value = api.GetFloat(-1);
    return value > 0 ? 1 : value < 0 ? -1 : 0;
  }
  return 0;
}

// Leaves the call's result on top of the stack, with the target below it; the callers' stack
// guards take both away. The function is found by path.
void SquirrelVM::CallMember(const TtSquirrel::Object& target,
                            const TtSquirrel::SlotKey& function_name,
                            std::initializer_list<const TtSquirrel::Object*> arguments) {
  // The pushers capture one pointer each, which std::function keeps without allocating; this
  // runs for every cell and every comparison, so the target that the function was read from
  // stays under it (taking it out would shift the stack) and serves again as `this`.
  struct Context {
    SquirrelVM* vm;
    const TtSquirrel::Object* target;
    const TtSquirrel::SlotKey* function_name;
    std::initializer_list<const TtSquirrel::Object*> arguments;
  } context{this, &target, &function_name, arguments};
  const Context* call = &context;
  Call(
      [call] {
        call->vm->PushObject(*call->target);
        call->vm->GetSlot(-1, *call->function_name);
      },
      [call] {
        call->vm->GetNativeAPI().Push(-2);
        for (const TtSquirrel::Object* argument : call->arguments) {
          call->vm->PushObject(*argument);
        }
        return static_cast<int>(call->arguments.size()) + 1;
      },
      true);
}

std::string SquirrelVM::ReadStringSlot(int index, const std::string& key) {
  TtSquirrel::StackTopGuard guard(*this);
  GetSlot(index, key);
  return GetNativeAPI().GetString(-1);
}

}  // namespace Tarvane
