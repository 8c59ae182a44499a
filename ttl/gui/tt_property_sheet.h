#pragma once
// Property sheets: a modal window with one tab per page and OK and Cancel (and optionally
// Apply) buttons. Pages are panels whose four actions answer the sheet: activation,
// deactivation (false keeps the page), apply (false keeps the sheet open on the page) and reset.
#include <functional>
#include <string>
#include <vector>

#include "ttl/gui/tt_form.h"

class TtPropertySheet : public TtForm {
public:
  class Page : public TtPanel {
  public:
    // The size is in dialog units (see DialogUnitsToPixels).
    Page(std::string title, int width_units, int height_units);

    TtWin::DWORD GetStyle() const override { return 0x00400000; }
    TtWin::DWORD GetExtendedStyle() const override { return 0; }
    // The panel's dispatchers with the page notifications in front, then CreatedInternal.
    bool Created() override;
    void Create(const CreateParameter& parameter) override;
    virtual bool CreatedInternal();

    const std::string& GetTitle() const { return title_; }
    int GetWidthUnits() const { return width_units_; }
    int GetHeightUnits() const { return height_units_; }
    void SetActivateAction(std::function<void()> action) { activate_ = std::move(action); }
    void SetDeactivateAction(std::function<bool()> action) { deactivate_ = std::move(action); }
    void SetApplyAction(std::function<bool()> action) { apply_ = std::move(action); }
    void SetResetAction(std::function<void()> action) { reset_ = std::move(action); }

  private:
    friend class TtPropertySheet;
    void CreateInSheet(TtPropertySheet& sheet, TtWin::HWND handle);

    std::string title_;
    int width_units_;
    int height_units_;
    std::function<void()> activate_;
    std::function<bool()> deactivate_;
    std::function<bool()> apply_;
    std::function<void()> reset_;
  };

  explicit TtPropertySheet(bool show_apply_button = false);

  void Create(const CreateParameter& parameter) override;
  // Pages are shown in the order added; the sheet does not own them.
  void AddPage(Page& page) { pages_.push_back(&page); }
  const std::vector<Page*>& GetPages() const { return pages_; }
  bool ShowsApplyButton() const { return show_apply_button_; }

  // Modal: 1 after OK (every page applied), 0 after Cancel or the close box.
  int ShowDialog(TtWindow* parent);

  // The buttons as the user presses them. OK and Apply ask the current page to let go, then
  // apply every page in order; a page that refuses becomes the current page and the sheet
  // stays open (false). OK then ends the sheet with 1. Cancel resets every page and ends with 0.
  bool PressOk();
  bool PressApply();
  void PressCancel();
  int GetCurrentPage() const;
  // 1 after OK ended the sheet, 0 after Cancel, -1 while it is open.
  int GetClosingResult() const { return closing_result_; }
  // Changes the current page as clicking its tab does; false when the current page refuses.
  bool SelectPage(int index);

  // One dialog unit in pixels: a quarter of the default font's average character width
  // horizontally, an eighth of its height vertically.
  static int DialogUnitsToPixelsX(int units);
  static int DialogUnitsToPixelsY(int units);

private:
  TtWin::LRESULT NotifyPage(int index, TtWin::UINT code);
  bool ApplyAll();

  std::vector<Page*> pages_;
  bool show_apply_button_;
  int current_page_ = 0;
  int closing_result_ = -1;
};
