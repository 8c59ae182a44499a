#pragma once
// The settings sheet: one page over the program's Settings record. OK checks the column width,
// writes the record and saves it to the settings file; a width that is no number keeps the
// sheet open with a message. Cancel leaves the record and the file alone.
#include <string>

#include "app/settings.h"
#include "ttl/gui/tt_icon.h"
#include "ttl/gui/tt_property_sheet.h"
#include "ttl/gui/tt_window_controls.h"

namespace Tarvane {

class SettingsPropertySheet : public TtPropertySheet {
public:
  class MainPage : public TtPropertySheet::Page {
  public:
    static constexpr int kScriptCheckId = 10002;
    static constexpr int kBrowseId = 10003;
    static constexpr int kRulesBrowseId = 10004;

    // The record is not owned; it is changed only by a successful apply.
    explicit MainPage(Settings& settings);

    bool CreatedInternal() override;

    // The relative path from the executable's folder ("./" first) for a file below that folder,
    // else the path as chosen: what the browse button puts in the path edit.
    static std::string ScriptPathToStore(const std::string& chosen_path);

    // The controls, for tests that drive the page as the user does.
    TtButtonWithCheck& GetZeroCheck() { return zero_check_; }
    TtButtonWithCheck& GetJapaneseCheck() { return japanese_check_; }
    TtEdit& GetWidthEdit() { return width_edit_; }
    TtButtonWithCheck& GetScriptCheck() { return script_check_; }
    TtEdit& GetScriptPathEdit() { return script_path_edit_; }
    TtButton& GetBrowseButton() { return browse_button_; }
    TtEdit& GetRulesEdit() { return rules_edit_; }
    TtButton& GetRulesBrowseButton() { return rules_browse_button_; }

  private:
    void CreateControls();
    void ShowSettings();
    void EnableScriptPath();
    void BrowseScript();
    void BrowseRules();
    bool Apply();

    Settings* settings_;

    TtButtonWithCheck zero_check_;
    TtButtonWithCheck japanese_check_;
    TtStatic width_label_;
    TtNumberEdit width_edit_;
    TtButtonWithCheck script_check_;
    TtEdit script_path_edit_;
    TtButton browse_button_;
    TtStatic rules_label_;
    TtEdit rules_edit_;
    TtButton rules_browse_button_;
  };

  // Builds the sheet (no Apply button) and its one page over the record.
  explicit SettingsPropertySheet(Settings& settings);

  bool CreatedInternal() override;

  MainPage& GetMainPage() { return main_page_; }

private:
  MainPage main_page_;
  // Kept while the sheet is shown, since the window uses it as its icon.
  TtIcon icon_;
};

}  // namespace Tarvane
