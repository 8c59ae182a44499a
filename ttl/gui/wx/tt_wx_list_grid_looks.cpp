// How the list's cells and headers are drawn: texts cut with an ellipsis, tick boxes, and the
// row and cell colours the parent gives through custom draw.
#include <wx/grid.h>
#include <wx/renderer.h>

#include <algorithm>
#include <cstdint>

#include "ttl/gui/wx/tt_wx_list_grid.h"

namespace TtWxInternal {

wxString FitToWidth(wxDC& dc, const wxString& text, int width) {
  if (static_cast<int>(text.length()) * dc.GetCharHeight() <= width) return text;
  return wxControl::Ellipsize(text, dc, wxELLIPSIZE_END, std::max(width, 0));
}

void TextRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row,
                        int col, bool is_selected) {
  wxGridCellRenderer::Draw(grid, attr, dc, rect, row, col, is_selected);
  wxString text = grid.GetTable()->GetValue(row, col);
  if (text.empty()) return;
  SetTextColoursAndFont(grid, attr, dc, is_selected);
  wxDCClipper clip(dc, rect);
  wxString shown = FitToWidth(dc, text, rect.width - 4);
  int x = rect.x + 2;
  if (RightAligned(grid, text))
    x = std::max(x, rect.x + rect.width - 3 - dc.GetTextExtent(shown).GetWidth());
  dc.DrawText(shown, x, rect.y + (rect.height - dc.GetCharHeight()) / 2);
}

// A number: digits with at most a sign in front and a decimal point, as the table writes counts,
// averages and differences.
bool TextRenderer::RightAligned(wxGrid& grid, const wxString& text) {
  auto* list_grid = dynamic_cast<ListGrid*>(&grid);
  if (!list_grid || !list_grid->List() || !list_grid->List()->RightAlignsNumbers()) return false;
  size_t start = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  bool digits = false;
  for (size_t i = start; i < text.length(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      digits = true;
    } else if (text[i] != '.' && text[i] != '%') {
      return false;
    }
  }
  return digits;
}

int ListTable::GetNumberRows() { return grid_.List() ? grid_.List()->GetItemCount() : 0; }

int ListTable::GetNumberCols() { return grid_.List() ? grid_.List()->GetColumnCount() : 0; }

wxString ListTable::GetValue(int row, int col) {
  TtListView* list = grid_.List();
  if (!list || row < 0 || col < 0 || row >= list->GetItemCount() || col >= list->GetColumnCount())
    return wxString();
  const std::string& text = list->GetItemText(row, col);
  return text.empty() ? wxString() : TtWx::ToWxString(text);
}

wxString ListTable::GetColLabelValue(int col) {
  TtListView* list = grid_.List();
  if (!list || col < 0 || col >= list->GetColumnCount()) return wxString();
  return TtWx::ToWxString(list->GetColumnText(col));
}

wxGridCellAttr* ListTable::GetAttr(int row, int col, wxGridCellAttr::wxAttrKind) {
  TtListView* list = grid_.List();
  if (!list || row < 0 || row >= list->GetItemCount()) return nullptr;
  RowLook look = grid_.LookOfRow(row);
  if (look.per_cell) look = grid_.LookOfCell(row, col, look);
  return grid_.AttributeFor(look, col == 0 && grid_.HasCheckBoxes());
}

RowLook ListGrid::LookOfRow(int row) {
  RowLook look;
  if (list_->IsItemSelected(row) || list_->IsItemDropHighlighted(row)) {
    look.text = TtWx::FromWxColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));
    look.back = TtWx::FromWxColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    return look;
  }
  auto cached = row_looks_.find(row);
  if (cached != row_looks_.end()) return cached->second;
  if (!prepaint_asked_) {
    prepaint_asked_ = true;
    TtWin::NMLVCUSTOMDRAW draw;
    draw.nmcd.hdr.code = TtWin::NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = TtWin::CDDS_PREPAINT;
    prepaint_answer_ = Notify(draw.nmcd.hdr);
  }
  if (list_ && (prepaint_answer_ & TtWin::CDRF_NOTIFYITEMDRAW) && row < list_->GetItemCount()) {
    TtWin::NMLVCUSTOMDRAW draw;
    draw.nmcd.hdr.code = TtWin::NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = TtWin::CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = static_cast<std::uintptr_t>(row);
    draw.nmcd.lItemlParam = list_->GetItemData(row);
    TtWin::LRESULT answer = Notify(draw.nmcd.hdr);
    if (answer & TtWin::CDRF_NEWFONT) {
      look.text = draw.clrText;
      look.back = draw.clrTextBk;
    }
    look.per_cell = (answer & TtWin::CDRF_NOTIFYSUBITEMDRAW) != 0;
  }
  row_looks_[row] = look;
  return look;
}

// Asked for every cell that the grid paints, not kept: cells are few on screen, rows many.
RowLook ListGrid::LookOfCell(int row, int col, const RowLook& row_look) {
  TtWin::NMLVCUSTOMDRAW draw;
  draw.nmcd.hdr.code = TtWin::NM_CUSTOMDRAW;
  draw.nmcd.dwDrawStage = TtWin::CDDS_ITEMPREPAINT | TtWin::CDDS_SUBITEM;
  draw.nmcd.dwItemSpec = static_cast<std::uintptr_t>(row);
  draw.nmcd.lItemlParam = list_->GetItemData(row);
  draw.iSubItem = col;
  draw.clrText = row_look.text;
  draw.clrTextBk = row_look.back;
  RowLook look = row_look;
  if (Notify(draw.nmcd.hdr) & TtWin::CDRF_NEWFONT) {
    look.text = draw.clrText;
    look.back = draw.clrTextBk;
  }
  return look;
}

wxGridCellAttr* ListGrid::AttributeFor(const RowLook& look, bool check_column) {
  if (look.text == TtWin::CLR_DEFAULT && look.back == TtWin::CLR_DEFAULT && !check_column)
    return nullptr;
  auto key = std::make_tuple(look.text, look.back, check_column);
  auto found = attributes_.find(key);
  if (found == attributes_.end()) {
    auto* attribute = new wxGridCellAttr;
    if (look.text != TtWin::CLR_DEFAULT) attribute->SetTextColour(TtWx::ToWxColour(look.text));
    if (look.back != TtWin::CLR_DEFAULT)
      attribute->SetBackgroundColour(TtWx::ToWxColour(look.back));
    if (check_column) attribute->SetRenderer(new CheckRenderer(*this));
    found = attributes_.emplace(key, attribute).first;
  }
  found->second->IncRef();
  return found->second;
}

void CheckRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row,
                         int col, bool is_selected) {
  wxGridCellRenderer::Draw(grid, attr, dc, rect, row, col, is_selected);
  TtListView* list = grid_.List();
  bool checked = list && row < list->GetItemCount() && list->IsItemChecked(row);
  wxRect box(rect.x + 2, rect.y + (rect.height - kCheckBoxSize) / 2, kCheckBoxSize, kCheckBoxSize);
  wxRendererNative::Get().DrawCheckBox(&grid, dc, box,
                                       checked ? static_cast<int>(wxCONTROL_CHECKED) : 0);
  wxRect text_rect(rect);
  text_rect.x += kCheckBoxSpace;
  text_rect.width = std::max(text_rect.width - kCheckBoxSpace, 0);
  SetTextColoursAndFont(grid, attr, dc, is_selected);
  grid.DrawTextRectangle(dc, grid.GetCellValue(row, col), text_rect, wxALIGN_LEFT, wxALIGN_CENTRE);
}

void ListGrid::DrawColLabel(wxDC& dc, int col) {
  if (GetColSize(col) <= 0) return;
  wxRect rect(GetColLeft(col), 0, GetColSize(col), GetColLabelSize());
  static wxGridColumnHeaderRendererDefault plain;
  wxGridCellAttrProvider* provider = GetTable()->GetAttrProvider();
  const wxGridColumnHeaderRenderer& renderer =
      provider ? provider->GetColumnHeaderRenderer(col) : plain;
  renderer.DrawBorder(*this, dc, rect);
  dc.SetFont(GetLabelFont());
  dc.SetTextForeground(GetLabelTextColour());
  int horizontal = 0;
  int vertical = 0;
  GetColLabelAlignment(&horizontal, &vertical);
  renderer.DrawLabel(*this, dc, FitToWidth(dc, GetColLabelValue(col), rect.width - 4), rect,
                     horizontal, vertical, wxHORIZONTAL);
}

void ListGrid::ResetLooks() {
  prepaint_asked_ = false;
  row_looks_.clear();
}

void ListGrid::ClearAttributes() {
  for (auto& entry : attributes_) entry.second->DecRef();
  attributes_.clear();
}

}  // namespace TtWxInternal
