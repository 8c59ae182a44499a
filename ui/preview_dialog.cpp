#include "ui/preview_dialog.h"

#include <initializer_list>

namespace Tarvane {

PreviewDialog::PreviewDialog() = default;

bool PreviewDialog::CreatedInternal() {
  SetText("カードプレビュー");
  for (TtWindow* control : std::initializer_list<TtWindow*>{&name_, &name_japanese_, &mana_cost_, &type_text_,
                                                            &rules_text_, &power_and_toughness_}) {
    CreateChild(*control);
  }
  // Not centred: the window opens where new windows open and then stays where the user puts it.
  SetSize(320, 300);
  // Replaces the dialog's own close handler: the preview is hidden, never ended, so that the
  // next card appears in the same place and size.
  RegisterCloseHandler([this] {
    Hide();
    return Handled();
  });
  return true;
}

void PreviewDialog::Layout(int width, int height) {
  name_.SetPositionSize(4, 4, width - 14, 20);
  name_japanese_.SetPositionSize(4, 26, width - 14, 20);
  mana_cost_.SetPositionSize(4, 48, width - 14, 20);
  type_text_.SetPositionSize(4, 70, width - 14, 20);
  rules_text_.SetPositionSize(4, 92, width - 14, height - 114);
  power_and_toughness_.SetPositionSize(width - 44, height - 18, 30, 20);
  Invalidate();
}

void PreviewDialog::Show(const Card& card) {
  name_.SetText(card.name);
  name_japanese_.SetText(card.name_japanese);
  mana_cost_.SetText(card.mana_cost);
  type_text_.SetText(card.type_text);
  rules_text_.SetText(card.rules_text);
  power_and_toughness_.SetText(card.power_and_toughness);
  ShowWithCommand(TtWin::SW_SHOWNORMAL);
}

}  // namespace Tarvane
