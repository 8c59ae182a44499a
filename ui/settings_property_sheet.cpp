#include "ui/settings_property_sheet.h"

#include <initializer_list>

#include "app/exception.h"
#include "app/program_files.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_utility.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_folder_browser_dialog.h"
#include "ttl/gui/tt_message_box.h"
#include "ui/file_chooser.h"
#include "ui/main_icon.h"

namespace Tarvane {

namespace {

constexpr int kPathBufferSize = 33280;

}  // namespace

SettingsPropertySheet::SettingsPropertySheet(Settings& settings)
    : TtPropertySheet(false), main_page_(settings) {
  AddPage(main_page_);
}

bool SettingsPropertySheet::CreatedInternal() {
  SetText("設定");
  icon_ = LoadMainIcon();
  SetIconAsLarge(icon_);
  return true;
}

SettingsPropertySheet::MainPage::MainPage(Settings& settings)
    : TtPropertySheet::Page("設定", 268, 220), settings_(&settings) {}

bool SettingsPropertySheet::MainPage::CreatedInternal() {
  CreateControls();
  width_label_.SetText("カラムのデフォルト幅");
  zero_check_.SetText("0 の場合は空欄にする");
  japanese_check_.SetText("最初のカラム（カード名）を日本語で表示する");
  script_check_.SetText("拡張スクリプトを使用する。（変更は再起動後に有効になります）");
  browse_button_.SetText("参照...");
  rules_label_.SetText("アーキタイプの規則のフォルダ（空欄ならデッキ名がアーキタイプ）");
  rules_browse_button_.SetText("参照...");
  ShowSettings();

  RegisterCommandHandler(kScriptCheckId, [this](int code, TtWin::HWND) {
    if (code == TtWin::BN_CLICKED) EnableScriptPath();
    return Handled();
  });
  RegisterCommandHandler(kBrowseId, [this](int, TtWin::HWND) {
    BrowseScript();
    return Handled();
  });
  RegisterCommandHandler(kRulesBrowseId, [this](int, TtWin::HWND) {
    BrowseRules();
    return Handled();
  });
  SetApplyAction([this] { return Apply(); });

  for (TtWindow* control :
       std::initializer_list<TtWindow*>{&zero_check_, &japanese_check_, &width_label_, &width_edit_,
                                        &script_check_, &script_path_edit_, &browse_button_,
                                        &rules_label_, &rules_edit_, &rules_browse_button_}) {
    control->Show();
  }
  return true;
}

// The page has a fixed size, so the controls keep the places they get here.
void SettingsPropertySheet::MainPage::CreateControls() {
  zero_check_.Create({this});
  zero_check_.SetPositionSize(4, 4, 250, 20);
  japanese_check_.Create({this});
  japanese_check_.SetPositionSize(4, 28, 250, 20);
  width_label_.Create({this});
  width_label_.SetPositionSize(4, 56, 120, 16);
  width_edit_.Create({this});
  width_edit_.SetPositionSize(128, 52, 100, 20);
  script_check_.Create({this, kScriptCheckId});
  script_check_.SetPositionSize(4, 76, 360, 20);
  script_path_edit_.Create({this});
  script_path_edit_.SetPositionSize(32, 100, 320, 20);
  browse_button_.Create({this, kBrowseId});
  browse_button_.SetPositionSize(356, 100, 42, 20);
  rules_label_.Create({this});
  rules_label_.SetPositionSize(4, 132, 394, 16);
  rules_edit_.Create({this});
  rules_edit_.SetPositionSize(32, 152, 320, 20);
  rules_browse_button_.Create({this, kRulesBrowseId});
  rules_browse_button_.SetPositionSize(356, 152, 42, 20);
}

void SettingsPropertySheet::MainPage::ShowSettings() {
  zero_check_.SetCheck(settings_->IfZeroNullString);
  japanese_check_.SetCheck(settings_->FirstColumnIsJapanese);
  width_edit_.SetText(std::to_string(settings_->DefaultColumnWidth));
  script_check_.SetCheck(settings_->UseExtensionScript);
  script_path_edit_.SetText(settings_->ExtensionScriptPath);
  rules_edit_.SetText(settings_->ArchetypeRules);
  EnableScriptPath();
}

void SettingsPropertySheet::MainPage::EnableScriptPath() {
  bool enabled = script_check_.GetCheck();
  script_path_edit_.SetEnabled(enabled);
  browse_button_.SetEnabled(enabled);
}

std::string SettingsPropertySheet::MainPage::ScriptPathToStore(const std::string& chosen_path) {
  std::string relative;
  if (TtPath::RelativePathTo(ProgramFiles::GetUserScriptFolderPath(), true, chosen_path, false,
                             relative) &&
      relative.rfind("./", 0) == 0) {
    return relative;
  }
  return chosen_path;
}

void SettingsPropertySheet::MainPage::BrowseScript() {
  TtOpenFileDialog dialog(kPathBufferSize);
  dialog.AddFilter("Squirrelスクリプト(*.*)", "*.*");
  dialog.SetFileName(script_path_edit_.GetText());
  if (!ShowFileChooser(dialog, *this)) return;
  script_path_edit_.SetText(ScriptPathToStore(dialog.GetFileName()));
}

void SettingsPropertySheet::MainPage::BrowseRules() {
  TtFolderBrowserDialog browser;
  browser.SetDescription(
      "アーキタイプの規則のフォルダ（Archetypes と Fallbacks のあるフォルダ）を選んでください。");
  browser.SetSelectedPath(rules_edit_.GetText());
  try {
    if (!browser.ShowDialog(this)) return;
  } catch (const TtFileAccessException& error) {
    TtMessageBox(FileAccessErrorText(error), kFileAccessErrorCaption, TtWin::MB_OK,
                 TtWin::MB_ICONERROR)
        .Show(this);
    return;
  }
  rules_edit_.SetText(browser.GetSelectedPath());
}

bool SettingsPropertySheet::MainPage::Apply() {
  int width = 0;
  if (!TtUtility::StringToInteger(width_edit_.GetText(), width, 10)) {
    TtMessageBox("カラムのデフォルト幅を数値に変換できませんでした。", "設定エラー", TtWin::MB_OK,
                 TtWin::MB_ICONERROR)
        .Show(this);
    return false;
  }
  if (width < kMinColumnWidth || width > kMaxColumnWidth) {
    TtMessageBox("カラムのデフォルト幅は " + std::to_string(kMinColumnWidth) + " から " +
                     std::to_string(kMaxColumnWidth) + " までの数値で指定してください。",
                 "設定エラー", TtWin::MB_OK, TtWin::MB_ICONERROR)
        .Show(this);
    return false;
  }
  settings_->IfZeroNullString = zero_check_.GetCheck();
  settings_->FirstColumnIsJapanese = japanese_check_.GetCheck();
  settings_->DefaultColumnWidth = width;
  settings_->UseExtensionScript = script_check_.GetCheck();
  settings_->ExtensionScriptPath = script_path_edit_.GetText();
  settings_->ArchetypeRules = rules_edit_.GetText();
  try {
    SaveSettings(*settings_);
  } catch (const TtException& error) {
    // The new settings still hold until the program ends; the user learns they were not kept.
    TtMessageBox(SettingsNotSavedText("設定を保存できませんでした。", error),
                 kSettingsNotSavedCaption, TtWin::MB_OK, TtWin::MB_ICONERROR)
        .Show(this);
  }
  return true;
}

}  // namespace Tarvane
