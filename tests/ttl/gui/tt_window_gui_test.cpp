// Forms, dialogs, property sheets, controls, menus, the toolbar and the clipboard with real
// widgets (under Xvfb).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/ttl/gui/bmp_file.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_menu.h"
#include "ttl/gui/tt_bmp_image.h"
#include "ttl/gui/tt_clipboard.h"
#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_image_list.h"
#include "ttl/gui/tt_message_box.h"
#include "ttl/gui/tt_property_sheet.h"
#include "ttl/gui/tt_tool_bar.h"
#include "ttl/gui/tt_window_controls.h"
#include "ttl/testing/tt_testing.h"

using TtWin::HWND;
using WMResult = TtWindow::WMResult;

namespace {

// A plain main window that records the commands nobody else takes.
class HostForm : public TtForm {
public:
  TtWin::DWORD GetStyle() const override { return TtWin::WS_OVERLAPPEDWINDOW; }
  bool CreatedInternal() override {
    RegisterMessageHandler(TtWin::WM_COMMAND, [this](TtWin::WPARAM wparam, TtWin::LPARAM) {
      commands.push_back(TtWin::LowWord(wparam));
      return Handled();
    });
    return true;
  }
  std::vector<int> commands;
};

// Where a control sits in its parent's client area.
TtWin::RECT PlaceInParent(const TtWindow& control, const TtWindow& parent) {
  TtWin::RECT screen = control.GetRectangle();
  TtWin::POINT top_left = parent.ScreenToClient(TtWin::POINT{screen.left, screen.top});
  return TtWin::RECT{top_left.x, top_left.y, top_left.x + screen.right - screen.left,
                     top_left.y + screen.bottom - screen.top};
}

class SampleDialog : public TtDialog {
public:
  TtWin::DWORD GetStyle() const override { return 0x004C0000; }
  bool CreatedInternal() override {
    SetText("サンプル");
    CreateChild(label_).SetText("名前");
    CreateChild(edit_, 10002);
    CreateOkCancelButtons(10001, 10003);
    SetSize(400, 300);
    SetCenterRelativeToParent();
    return true;
  }
  void Layout(int width, int height) override {
    label_.SetPositionSize(4, 4, width - 8, 16);
    edit_.SetPositionSize(4, 24, width - 8, 24);
    LayoutOkCancelButtons(width, height);
  }
  void Accept() override {
    text = edit_.GetText();
    TtDialog::Accept();
  }

  TtStatic label_;
  TtEdit edit_;
  std::string text;
};

std::string ScratchPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("tarvane_ttl_gui_" + name)).string();
}

void ExpectNoFailures(TtTesting::ModalAnswers& answers) {
  for (const std::string& failure : answers.Finish()) ADD_FAILURE() << failure;
}

}  // namespace

TEST(TtWindowGuiTest, AModalDialogIsBuiltLaidOutAndEndsWithItsResult) {
  HostForm host;
  host.Create({});
  SampleDialog dialog;
  TtTesting::ModalAnswers answers;
  answers.Dialog([&](TtWindow& shown) {
    EXPECT_EQ(&shown, &dialog);
    EXPECT_EQ(dialog.GetText(), "サンプル");
    TtWin::RECT client = dialog.GetClientRectangle();
    TtWin::RECT ok = PlaceInParent(dialog.GetOkButton(), dialog);
    EXPECT_EQ(ok.left, client.right - 194);
    EXPECT_EQ(ok.top, client.bottom - 26);
    EXPECT_EQ(ok.right - ok.left, 88);
    dialog.SetSize(500, 320);
    client = dialog.GetClientRectangle();
    ok = PlaceInParent(dialog.GetOkButton(), dialog);
    EXPECT_EQ(ok.left, client.right - 194) << "the size handler placed it again";
    dialog.edit_.SetText("入力");
    TtTesting::Click(dialog.GetOkButton());
  });
  EXPECT_EQ(dialog.ShowDialog(&host), TtDialog::kAccepted);
  EXPECT_EQ(dialog.text, "入力");
  EXPECT_FALSE(dialog.IsCreated()) << "the window is gone once ShowDialog returns";
  ExpectNoFailures(answers);
}

TEST(TtWindowGuiTest, EnterIsOkWhileEscapeCancelAndTheCloseBoxEndADialogCancelled) {
  HostForm host;
  host.Create({});
  SampleDialog dialog;
  TtTesting::ModalAnswers answers;
  answers
      .Dialog([&](TtWindow& shown) {
        dialog.edit_.SetText("キー");
        TtTesting::PressEnter(shown);
      })
      .Dialog([&](TtWindow& shown) { TtTesting::PressEscape(shown); })
      .Dialog([&](TtWindow& shown) { TtTesting::CloseWindow(shown); })
      .Dialog([&](TtWindow&) { TtTesting::Click(dialog.GetCancelButton()); });
  EXPECT_EQ(dialog.ShowDialog(&host), TtDialog::kAccepted);
  EXPECT_EQ(dialog.text, "キー") << "Enter took the values as OK does";
  EXPECT_EQ(dialog.ShowDialog(&host), TtDialog::kCancelled);
  EXPECT_TRUE(dialog.HasEnded()) << "ended by Escape, not left open";
  EXPECT_EQ(dialog.ShowDialog(&host), TtDialog::kCancelled);
  EXPECT_EQ(dialog.ShowDialog(&host), TtDialog::kCancelled);
  EXPECT_EQ(dialog.GetChildren().size(), 4u) << "the children of the last showing only";
  for (int key_command : {TtWin::IDOK, TtWin::IDCANCEL}) {
    EXPECT_EQ(std::count(host.commands.begin(), host.commands.end(), key_command), 0)
        << "the keys stay with the dialog";
  }
  ExpectNoFailures(answers);
}

TEST(TtWindowGuiTest, AModelessDialogStaysHiddenUntilShownAndEndDialogDestroysIt) {
  class Preview : public TtDialogModeless {
  public:
    bool CreatedInternal() override {
      RegisterCloseHandler([this] {
        Hide();
        return Handled();
      });
      return true;
    }
  } preview;
  EXPECT_EQ(preview.ShowDialog(&TtExtraordinarilyWindow::Desktop()), 0);
  ASSERT_TRUE(preview.IsCreated());
  EXPECT_FALSE(preview.IsVisible());
  preview.Show();
  EXPECT_TRUE(preview.IsVisible());
  TtTesting::CloseWindow(preview);
  EXPECT_FALSE(preview.IsVisible()) << "closing only hides it";
  EXPECT_TRUE(preview.IsCreated());
  preview.EndDialog(4);
  EXPECT_FALSE(preview.IsCreated());
  EXPECT_EQ(preview.GetResult(), 4);
}

TEST(TtWindowGuiTest, DestroyingTheMainWindowEndsTheLoopWithItsExitCode) {
  HostForm form;
  form.Create({});
  form.SetSize(300, 200);
  form.Show();
  form.SetExitCode(7);
  int size_messages = 0;
  form.RegisterSizeHandler([&](int, int, int) {
    ++size_messages;
    return TtWindow::Handled();
  });
  form.SetSize(320, 220);
  EXPECT_GE(size_messages, 1);
  TtTesting::CloseWindow(form);
  EXPECT_EQ(TtForm::Loop(), 7);
  EXPECT_FALSE(form.IsCreated());
}

TEST(TtWindowGuiTest, APropertySheetKeepsAPageThatRefusesToApplyAndClosesWithOk) {
  HostForm host;
  host.Create({});
  class Page : public TtPropertySheet::Page {
  public:
    Page() : TtPropertySheet::Page("設定", 268, 220) {}
    bool CreatedInternal() override {
      width_.Create({this});
      width_.SetPositionSize(128, 52, 100, 20);
      width_.Show();
      SetApplyAction([this] {
        if (width_.GetText().empty()) {
          TtMessageBox("数値に変換できませんでした。", "設定エラー", TtWin::MB_OK,
                       TtWin::MB_ICONERROR)
              .Show(this);
          return false;
        }
        applied = width_.GetText();
        return true;
      });
      SetResetAction([this] { ++resets; });
      return true;
    }
    TtNumberEdit width_;
    std::string applied;
    int resets = 0;
  } page;
  TtPropertySheet sheet(false);
  sheet.AddPage(page);

  TtTesting::MessageBoxSeen refusal;
  TtTesting::ModalAnswers answers;
  answers
      .Dialog([&](TtWindow& shown) {
        EXPECT_EQ(&shown, &sheet);
        EXPECT_FALSE(sheet.PressOk());
        page.width_.SetText("120");
        EXPECT_TRUE(sheet.PressOk());
      })
      .MessageBox(TtWin::IDOK, &refusal);
  EXPECT_EQ(sheet.ShowDialog(&host), 1);
  EXPECT_EQ(page.applied, "120");
  EXPECT_EQ(refusal.caption, "設定エラー");
  EXPECT_EQ(refusal.icon, TtWin::MB_ICONERROR);
  EXPECT_FALSE(page.IsCreated());

  answers.Dialog([&](TtWindow&) { sheet.PressCancel(); });
  EXPECT_EQ(sheet.ShowDialog(&host), 0);
  EXPECT_EQ(page.resets, 1);
  ExpectNoFailures(answers);
}

TEST(TtWindowGuiTest, ControlsKeepTheirTextsSelectionsAndTicks) {
  HostForm form;
  form.Create({});
  TtListBoxMultiSelect multiple;
  TtWindowWithStyle<TtListBox, 0x300100> single;
  TtButtonWithCheck check;
  TtStaticSunken rules;
  multiple.Create({&form, 1});
  single.Create({&form, 2});
  check.Create({&form, 3});
  rules.Create({&form, 4});

  single.AddString("一");
  single.AddString("三");
  EXPECT_EQ(single.InsertString(1, "二"), 1);
  single.SetCurrentSelection(2);
  single.DeleteString(0);
  EXPECT_EQ(single.GetCount(), 2);
  EXPECT_EQ(single.GetString(0), "二");
  single.SetCurrentSelection(-1);
  EXPECT_EQ(single.GetCurrentSelection(), -1);
  EXPECT_THROW(single.GetString(2), TtWindowsSystemCallException);

  for (const char* deck : {"a.txt", "b.txt", "c.txt"}) multiple.AddString(deck);
  multiple.SetSelected(0, true);
  multiple.SetSelected(2, true);
  EXPECT_TRUE(multiple.GetSelected(0));
  EXPECT_FALSE(multiple.GetSelected(1));
  EXPECT_TRUE(multiple.GetSelected(2));

  TtTesting::Click(check);
  EXPECT_TRUE(check.GetCheck());
  EXPECT_EQ(form.commands, std::vector<int>{3}) << "a click reaches the parent as a command";

  rules.SetPositionSize(0, 0, 80, 200);
  rules.SetText("長い説明の文章は枠の幅で折り返されて表示されます。");
  EXPECT_EQ(rules.GetText(), "長い説明の文章は枠の幅で折り返されて表示されます。")
      << "the text, not its wrapped form";
}

TEST(TtWindowGuiTest, TheStatusBarSitsAtTheBottomWithItsParts) {
  HostForm form;
  form.Create({});
  TtStatusBar status;
  status.Create({&form});
  form.RegisterSizeHandler([&](int, int, int) {
    status.SendMessage(TtWin::WM_SIZE);
    return TtWindow::Handled();
  });
  status.SetParts({100, 300});
  status.SetPartText(0, "デッキ数 : 0");
  status.SetPartText(1, "並び替え : 名前");
  form.SetSize(600, 400);
  TtWin::RECT client = form.GetClientRectangle();
  TtWin::RECT bar = PlaceInParent(status, form);
  EXPECT_EQ(bar.bottom, client.bottom);
  EXPECT_EQ(bar.right - bar.left, client.right);
  EXPECT_EQ(status.GetPartCount(), 2);
  EXPECT_EQ(status.GetPartText(1), "並び替え : 名前");
  EXPECT_THROW(status.SetPartText(2, "x"), TtWindowsSystemCallException);
}

TEST(TtWindowGuiTest, MenuBarChoicesArriveAsCommandsAndFollowTheModel) {
  HostForm form;
  form.Create({});
  TtMenuBar bar;
  TtSubMenu file;
  TtSubMenu board;
  file.AppendItem("新規(&N)", 1001);
  file.AppendMenu("表示する項目(&V)", board);
  for (int mode = 0; mode < 4; ++mode) board.AppendItem("mode", 1008 + mode);
  board.CheckRadioItem(0, 3, 0);
  bar.AppendMenu("ファイル(&F)", file);
  form.SetMenuBar(bar);
  EXPECT_EQ(TtTesting::MenuBarLabels(form), std::vector<std::string>{"ファイル(&F)"});

  TtTesting::ChooseMenuBarItem(form, {0, 0});
  TtTesting::ChooseMenuBarItem(form, {0, 1, 2});
  EXPECT_EQ(form.commands, (std::vector<int>{1001, 1010}));
  EXPECT_TRUE(board.IsItemChecked(0)) << "the widget does not move the radio mark by itself";
  board.CheckRadioItem(0, 3, 2);
  file.SetItemEnabled(0, false);
  TtTesting::ChooseMenuBarItem(form, {0, 0});
  EXPECT_EQ(form.commands.size(), 2u) << "a disabled item does nothing";

  TtSubMenu test_menu;
  test_menu.AppendItem("Test1", 1025);
  bar.AppendMenu("開発中", test_menu);
  EXPECT_EQ(TtTesting::MenuBarLabels(form).size(), 2u);
}

TEST(TtWindowGuiTest, PopupMenusReportByIdentifierOrByPosition) {
  HostForm form;
  form.Create({});
  std::vector<int> positions;
  TtSubMenuCommand sorters;
  sorters.AppendItem("名前順", 0);
  sorters.AppendItem("枚数順", 0);
  TtSubMenuCommand column_menu;
  column_menu.AppendItem("削除(&D)", 1023);
  column_menu.AppendSeparator();
  column_menu.AppendMenu("並び替え(&S)", sorters);
  form.RegisterMenuCommandHandler(sorters.GetHandle(), [&](int position) {
    positions.push_back(position);
    return TtWindow::Handled();
  });
  TtWin::POINT shown_at{};
  TtTesting::ModalAnswers answers;
  answers
      .PopupMenu([&](const TtMenu& menu, TtWin::POINT point) {
        shown_at = point;
        EXPECT_EQ(menu.GetHandle(), column_menu.GetHandle());
        return TtTesting::PopupChoice{menu.GetHandle(), 0};
      })
      .PopupMenu([&](const TtMenu& menu, TtWin::POINT) {
        return TtTesting::PopupChoice{menu.GetSubMenu(2).GetHandle(), 1};
      });
  column_menu.ShowPopupMenu(form, 120, 80);
  column_menu.ShowPopupMenu(form, 120, 80);
  EXPECT_EQ(shown_at.x, 120);
  EXPECT_EQ(form.commands, std::vector<int>{1023})
      << "no handler for the column menu: its item's command";
  EXPECT_EQ(positions, std::vector<int>{1});
  ExpectNoFailures(answers);
}

TEST(TtWindowGuiTest, AWholeButtonDropDownOpensItsMenuUnderTheButton) {
  std::string strip = ScratchPath("strip.bmp");
  TarvaneTest::Write(strip, 48, 15, [](int x, int y) {
    return (x % 16 < 2 || y < 2) ? TtWin::Rgb(255, 0, 255) : TtWin::Rgb(0, 0, 200 + x % 16);
  });
  TtImageList images(16, 15);
  images.AddMasked(TtBmpImage::LoadFromFile(strip), TtWin::Rgb(255, 0, 255));
  std::remove(strip.c_str());
  ASSERT_EQ(images.GetImageCount(), 3);

  HostForm form;
  form.Create({});
  TtFlatToolBar tool_bar;
  tool_bar.Create({&form, 2000});
  tool_bar.SetImageList(&images);
  tool_bar.AddButtons(
      {{0, 1001, TtWin::TBSTATE_ENABLED, TtWin::BTNS_BUTTON, "新規"},
       {1, 1002, TtWin::TBSTATE_ENABLED, TtWin::BTNS_WHOLEDROPDOWN, "エクスポート"}});
  tool_bar.AddSeparator();
  tool_bar.AddButton({2, 1005, TtWin::TBSTATE_ENABLED, TtWin::BTNS_BUTTON, "データ追加"});
  tool_bar.SetPositionSize(0, 0, 300, 28);
  form.SetSize(400, 200);
  form.Show();
  tool_bar.Show();
  TtTesting::ProcessEvents();

  TtSubMenu export_menu;
  export_menu.AppendItem("CSV形式でファイルへ(&F)...", 1003);
  export_menu.AppendItem("TSV形式でクリップボードへ(&C)", 1004);
  TtWin::POINT expected_point{};
  form.RegisterNotifyHandler(2000, [&](TtWin::NMHDR* header) {
    if (header->code != TtWin::TBN_DROPDOWN) return TtWindow::NotHandled();
    auto* notify = reinterpret_cast<TtWin::NMTOOLBAR*>(header);
    TtWin::RECT button = tool_bar.GetButtonRectangle(notify->iItem);
    expected_point = tool_bar.ClientToScreen(TtWin::POINT{button.left, button.bottom});
    export_menu.ShowPopupMenu(form, expected_point.x, expected_point.y);
    return TtWindow::Handled(TtWin::TBDDRET_DEFAULT);
  });
  TtWin::POINT popup_point{};
  std::string tip_over_menu = "not asked";
  TtTesting::ModalAnswers answers;
  answers.PopupMenu([&](const TtMenu& menu, TtWin::POINT point) {
    popup_point = point;
    tip_over_menu = TtTesting::ToolTipText(tool_bar);
    return TtTesting::PopupChoice{menu.GetHandle(), 1};
  });

  TtTesting::ClickToolBarButton(tool_bar, 1002);
  TtTesting::ClickToolBarButton(tool_bar, 1001);
  EXPECT_EQ(form.commands, (std::vector<int>{1004, 1001}))
      << "the drop-down has no command of its own";
  EXPECT_EQ(popup_point.x, expected_point.x);
  EXPECT_EQ(popup_point.y, expected_point.y);
  EXPECT_EQ(tip_over_menu, "") << "no tooltip over the open menu";
  EXPECT_EQ(TtTesting::ToolTipText(tool_bar), "新規")
      << "a button the pointer is over has its tooltip";

  TtWin::RECT first = tool_bar.GetButtonRectangle(1001);
  TtWin::RECT second = tool_bar.GetButtonRectangle(1002);
  TtWin::RECT third = tool_bar.GetButtonRectangle(1005);
  EXPECT_GT(first.right - first.left, 16);
  EXPECT_GE(second.left, first.right);
  EXPECT_GT(third.left, second.right) << "a separator lies between them";
  EXPECT_LE(second.bottom, 28);

  tool_bar.SetButtonEnabled(1001, false);
  TtTesting::ClickToolBarButton(tool_bar, 1001);
  EXPECT_EQ(form.commands.size(), 2u);
  ExpectNoFailures(answers);
}

TEST(TtWindowGuiTest, ClipboardTextMakesTheRoundTripInCp932) {
  const std::string text = "カード名\tデッキ1\r\n稲妻\t4\r\n";
  ASSERT_TRUE(TtClipboard::SetString(text));
  std::string read;
  ASSERT_TRUE(TtClipboard::GetString(read));
  EXPECT_EQ(read, text);
}

TEST(TtWindowGuiTest, AMissingPictureFileIsAFailedCall) {
  try {
    TtBmpImage::LoadFromFile(ScratchPath("missing.bmp"));
    FAIL() << "no exception";
  } catch (const TtWindowsSystemCallException& e) {
    EXPECT_EQ(e.GetCall(), "::LoadImage");
    EXPECT_EQ(e.GetModule(), "tt_bmp_image");
  }
}
