#include "ui/main_list.h"

#include <algorithm>
#include <cstdlib>

#include "table/cell_shading.h"

namespace Tarvane {

MainList::MainList(SquirrelVM& script_host, StatusBarTexts& status_bar)
    : font_(14, TtWin::FW_NORMAL, false, false, false, TtWin::SHIFTJIS_CHARSET, TtWin::FF_MODERN),
      table_(script_host, *this, status_bar) {}

bool MainList::Created() {
  if (!TtListView::Created()) return false;
  SetFont(font_);
  SetListExtendedStyle(TtWin::LVS_EX_FULLROWSELECT | TtWin::LVS_EX_GRIDLINES |
                       TtWin::LVS_EX_HEADERDRAGDROP);
  // The card names are read whole; the width setting is for the deck and special columns.
  SetFitsFirstColumn(true);
  SetRightAlignsNumbers(true);
  return true;
}

bool MainList::IsCardRow(int item) const {
  const Entry* entry = table_.GetRowEntry(item);
  return entry && entry->is_normal();
}

TtWin::LRESULT MainList::PaintRow(TtWin::NMLVCUSTOMDRAW& draw) const {
  if (draw.nmcd.dwDrawStage == TtWin::CDDS_PREPAINT) return TtWin::CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage == (TtWin::CDDS_ITEMPREPAINT | TtWin::CDDS_SUBITEM)) {
    int step = table_.GetCellShade(static_cast<int>(draw.nmcd.dwItemSpec), draw.iSubItem);
    if (step == 0) return TtWin::CDRF_DODEFAULT;
    draw.clrTextBk = ShadeColour(step);
    return TtWin::CDRF_NEWFONT;
  }
  if (draw.nmcd.dwDrawStage != TtWin::CDDS_ITEMPREPAINT) return TtWin::CDRF_DODEFAULT;
  // The item's data is its Entry; reading it from the notification spares a lookup per row.
  const auto* entry = reinterpret_cast<const Entry*>(draw.nmcd.lItemlParam);
  if (!entry) return TtWin::CDRF_DODEFAULT;
  if (entry->is_normal()) return shading_ ? TtWin::CDRF_NOTIFYSUBITEMDRAW : TtWin::CDRF_DODEFAULT;
  draw.clrTextBk = kSpecialRowColour;
  return TtWin::CDRF_NEWFONT;
}

TtWin::COLORREF MainList::ShadeColour(int step) {
  // The strongest step of each hue; the weaker ones lie evenly between it and white.
  constexpr int kGreen[3] = {99, 190, 123};
  constexpr int kRed[3] = {240, 128, 128};
  const int* strongest = step > 0 ? kGreen : kRed;
  const int strength = std::min(std::abs(step), kShadeSteps);
  auto channel = [&](int index) { return 255 - (255 - strongest[index]) * strength / kShadeSteps; };
  return TtWin::Rgb(channel(0), channel(1), channel(2));
}

void MainList::SetShading(bool shading) {
  shading_ = shading;
  if (GetHandle()) Invalidate();
}

int MainList::SelectRowAt(TtWin::POINT point) {
  int hit = HitTest(point);
  if (hit >= 0) SetItemSelected(hit, true);
  return GetFirstSelectedItem();
}

MainList::HeaderHit MainList::HitTestHeaderItem(TtWin::POINT point) const {
  TtWin::UINT flags = 0;
  HeaderHit hit;
  hit.column = HitTestHeader(point, &flags);
  hit.on_item = hit.column >= 0 && flags == TtWin::HHT_ONHEADER;
  return hit;
}

}  // namespace Tarvane
