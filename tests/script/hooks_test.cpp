// The hooks that read the scripts' lists: special entries and the menus of sorters and
// processors.
#include <memory>

#include "model/card_type.h"
#include "tests/script/vm_test_support.h"

namespace TarvaneTest {
namespace {

// Writes what it is given as text: "label" for a leaf, "-" for a separator, "label[...]" for a
// sub-menu, items separated by "|".
class RecordingMenu : public Tarvane::ScriptMenu {
public:
  void AppendSeparator() override { items_.push_back({"-", nullptr}); }
  ScriptMenu& AppendSubMenu(const std::string& label) override {
    items_.push_back({label, std::make_unique<RecordingMenu>()});
    return *items_.back().sub_menu;
  }
  void AppendItem(const std::string& label, const TtSquirrel::Object& leaf) override {
    items_.push_back({label, nullptr});
    leaves.push_back(leaf);
  }

  std::string Describe() const {
    std::string text;
    for (const Item& item : items_) {
      if (!text.empty()) text += "|";
      text += item.label;
      if (item.sub_menu) text += "[" + item.sub_menu->Describe() + "]";
    }
    return text;
  }

  std::vector<TtSquirrel::Object> leaves;

private:
  struct Item {
    std::string label;
    std::unique_ptr<RecordingMenu> sub_menu;
  };
  std::vector<Item> items_;
};

const char* const kMenus = R"(
class Sorter {
  name = null;
  constructor(sorter_name) { name = sorter_name; }
  function compare_for_sort(a, b) { return 0; }
}
::first <- Sorter("First");
::Organizer.sorters.extend([
  ::first,
  null,
  SubMenu("Names", [Sorter("English"), Sorter("Japanese")]),
  SubMenu("Deep", [SubMenu("Deeper", [Sorter("Bottom")]), null])
]);
::Organizer.processors.append(Sorter("Only"));
)";

class HooksTest : public VmTest {
protected:
  std::string Fill(Tarvane::ScriptMenuList list, RecordingMenu& menu) {
    vm->FillScriptMenu(list, menu, [this](Tarvane::ScriptMenu&) { ++menus_seen; });
    return menu.Describe();
  }

  int menus_seen = 0;
};

TEST_F(HooksTest, MenusFollowTheScriptsLists) {
  Start(kMenus);
  RecordingMenu sorters;
  EXPECT_EQ(Fill(Tarvane::ScriptMenuList::Sorters, sorters),
            "First|-|Names[English|Japanese]|Deep[Deeper[Bottom]|-]");
  // The callback sees the given menu and every sub-menu before it is filled.
  EXPECT_EQ(menus_seen, 4);
  // Each leaf holds the script's own value.
  ASSERT_EQ(sorters.leaves.size(), 1u);
  EXPECT_TRUE(sorters.leaves[0] == Value("::first"));
  EXPECT_TRUE(sorters.leaves[0].HoldsReference());

  RecordingMenu processors;
  EXPECT_EQ(Fill(Tarvane::ScriptMenuList::Processors, processors), "Only");
}

TEST_F(HooksTest, SubMenusNeedTheSubMenuClass) {
  Start(kMenus);
  Run("delete ::SubMenu;");
  RecordingMenu menu;
  auto error = CatchException<TtSquirrel::NativeAPIException>(
      [&] { Fill(Tarvane::ScriptMenuList::Sorters, menu); });
  EXPECT_EQ(error.GetCall(), "sq_get");

  // Separators alone never ask for it.
  Run("::Organizer.sorters = [null, null];");
  RecordingMenu separators;
  EXPECT_EQ(Fill(Tarvane::ScriptMenuList::Sorters, separators), "-|-");
}

// A sub-menu that holds itself, or one nested hundreds deep, is a script error; the engine
// goes on and fills the other list.
TEST_F(HooksTest, SubMenusThatNeverEndAreAScriptError) {
  Start(kMenus);
  for (const char* script : {
           "local loop = SubMenu(\"Loop\", []); loop.items.append(loop); ::Organizer.sorters = "
           "[loop];",
           "local menu = SubMenu(\"Bottom\", []);"
           "for (local i = 0; i < 600; ++i) menu = SubMenu(\"Level\", [menu]);"
           "::Organizer.sorters = [menu];",
       }) {
    Run(script);
    RecordingMenu menu;
    auto error = CatchException<TtSquirrel::RuntimeException>(
        [&] { Fill(Tarvane::ScriptMenuList::Sorters, menu); });
    EXPECT_NE(error.GetErrorMessage().find("SubMenu nested deeper than 32 levels"),
              std::string::npos);
    RecordingMenu processors;
    EXPECT_EQ(Fill(Tarvane::ScriptMenuList::Processors, processors), "Only");
  }
  // 31 levels below the menu are still shown.
  Run("local menu = SubMenu(\"Bottom\", []);"
      "for (local i = 0; i < 30; ++i) menu = SubMenu(\"Level\", [menu]);"
      "::Organizer.sorters = [menu];");
  RecordingMenu menu;
  EXPECT_NE(Fill(Tarvane::ScriptMenuList::Sorters, menu).find("Bottom[]"), std::string::npos);
}

TEST_F(HooksTest, MenuElementsMustBeInstances) {
  Start(
      "::table_sorter <- { name = \"table\", function compare_for_sort(a, b) { return 0; } };"
      "::Organizer.sorters.append(::table_sorter);");
  RecordingMenu menu;
  auto error = CatchException<TtSquirrel::NativeAPIException>(
      [&] { Fill(Tarvane::ScriptMenuList::Sorters, menu); });
  EXPECT_EQ(error.GetCall(), "sq_instanceof");
  EXPECT_EQ(error.GetEngineMessage(), "invalid param type");

  Run("class Nameless {}; ::Organizer.sorters = [Nameless()];");
  auto nameless = CatchException<TtSquirrel::GetOperationException>(
      [&] { Fill(Tarvane::ScriptMenuList::Sorters, menu); });
  EXPECT_EQ(nameless.GetKeyText(), "string : name");
}

TEST_F(HooksTest, SpecialEntriesInTheScriptsOrder) {
  Start(R"(
local lands = ::SpecialEntry(::Card.Type.LandTotal, "Lands", "土地", ::Board.Type.Mainboard);
lands.use = true;
local side = ::SpecialEntry(::Card.Type.SideboardStart, "Side", "サイド", ::Board.Type.Sideboard);
local all = ::SpecialEntry(::Card.Type.MainTotal, "All", "全部", ::Board.Type.Mainboard);
all.use = true;
::Organizer.special_entries.extend([lands, side, all]);
)");
  const Tarvane::SquirrelVM::SpecialEntries& entries = vm->GetSpecialEntries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0]->card().name, "Lands");
  EXPECT_EQ(entries[0]->card().type, Tarvane::CardType::LandTotal);
  EXPECT_EQ(entries[1]->card().name_japanese, "サイド");
  EXPECT_EQ(entries[2]->card().name, "All");
  EXPECT_TRUE(entries[0]->use());
  EXPECT_FALSE(entries[1]->use());
  EXPECT_TRUE(entries[2]->use());
  EXPECT_EQ(entries[1]->board_type(), 1);
  EXPECT_TRUE(entries[1]->is_special());

  // The flag is read once: later changes on either side stay apart.
  Run("::Organizer.special_entries[1].use = true;");
  EXPECT_FALSE(entries[1]->use());
  entries[0]->set_use(false);
  EXPECT_EQ(Eval("::Organizer.special_entries[0].use"), "true");
}

TEST_F(HooksTest, AUseFlagMustBeABool) {
  auto error = CatchException<TtSquirrel::NativeAPIException>([&] {
    Start(
        "local e = ::SpecialEntry(::Card.Type.LandTotal, \"L\", \"L\", 0); e.use = 1;"
        "::Organizer.special_entries.append(e);");
  });
  EXPECT_EQ(error.GetCall(), "sq_getbool");
}

}  // namespace
}  // namespace TarvaneTest
