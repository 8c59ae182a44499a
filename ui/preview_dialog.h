#pragma once
// The card preview: a small tool window of the main window that shows one card's names, cost, type
// line, rules text and power and toughness. It is created once, hidden; each Show puts another
// card's texts in it and brings it into view; its close box only hides it. It keeps no reference to
// the card.
#include "model/card.h"
#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_window_controls.h"

namespace Tarvane {

class PreviewDialog : public TtDialogModeless {
public:
  PreviewDialog();

  // System menu and sizing border; a tool window: a small caption and no task-bar button.
  TtWin::DWORD GetStyle() const override { return 0x000C0000; }
  TtWin::DWORD GetExtendedStyle() const override { return TtWin::WS_EX_TOOLWINDOW; }
  bool CreatedInternal() override;

  // Sets the six texts from the card, then shows the window where and as large as it was.
  void Show(const Card& card);
  using TtWindow::Show;

  // The controls, for tests.
  TtStaticWithEllipsis& GetNameLine() { return name_; }
  TtStaticWithEllipsis& GetJapaneseNameLine() { return name_japanese_; }
  TtStaticWithEllipsis& GetManaCostLine() { return mana_cost_; }
  TtStaticWithEllipsis& GetTypeLine() { return type_text_; }
  TtStaticSunken& GetRulesBox() { return rules_text_; }
  TtStaticRight& GetCorner() { return power_and_toughness_; }

private:
  void Layout(int width, int height) override;

  TtStaticWithEllipsis name_;
  TtStaticWithEllipsis name_japanese_;
  TtStaticWithEllipsis mana_cost_;
  TtStaticWithEllipsis type_text_;
  TtStaticSunken rules_text_;
  TtStaticRight power_and_toughness_;
};

}  // namespace Tarvane
