#include "ui/preview_dialog.h"

#include <initializer_list>

#include "ttl/core/tt_utility.h"

namespace Tarvane {

namespace {

// Far more than the rules box can show; laying out a text of megabytes takes seconds and
// hundreds of megabytes, so a longer one is cut and says so.
constexpr size_t kShownRulesBytes = 16 * 1024;
constexpr char kCutNote[] = "\r\n……（長すぎるため以下を省略しました）";

std::string BoundedRulesText(const std::string& text) {
  if (text.size() <= kShownRulesBytes) return text;
  size_t end = 0;
  // Cut between characters, never inside a two-byte one.
  while (end < kShownRulesBytes) {
    size_t next = end + (TtUtility::IsCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
    if (next > kShownRulesBytes) break;
    end = next;
  }
  return text.substr(0, end) + kCutNote;
}

}  // namespace

PreviewDialog::PreviewDialog() = default;

bool PreviewDialog::CreatedInternal() {
  SetText("カードプレビュー");
  for (TtWindow* control :
       std::initializer_list<TtWindow*>{&name_, &name_japanese_, &mana_cost_, &type_text_,
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
  rules_text_.SetText(BoundedRulesText(card.rules_text));
  power_and_toughness_.SetText(card.power_and_toughness);
  // The table keeps the keyboard: the user goes on moving through the rows while reading.
  ShowWithCommand(TtWin::SW_SHOWNOACTIVATE);
}

}  // namespace Tarvane
