// The list's typed text, column scrolling and fitting, over the grid's public interface and
// the list's store, so that they sit beside the grid without reaching into it.
#include <wx/dcclient.h>
#include <wx/grid.h>

#include <unordered_map>

#include "ttl/core/tt_string.h"
#include "ttl/gui/tt_list_view_keys.h"
#include "ttl/gui/wx/tt_wx_internal.h"

namespace TtListViewKeys {

namespace {

wxGrid* GridOf(const TtListView& list) {
  return list.GetHandle() ? dynamic_cast<wxGrid*>(TtWx::ToWx(list.GetHandle())) : nullptr;
}

// Room left and right of a cell's text, as the grid leaves it.
constexpr int kTextMargin = 8;

}  // namespace

void OnTypedText(TtListView& list, std::function<void(const std::string& text)> handler) {
  wxGrid* grid = GridOf(list);
  if (!grid) return;
  grid->Bind(wxEVT_CHAR, [handler = std::move(handler)](wxKeyEvent& event) {
    const wxChar character = event.GetUnicodeKey();
    // Modified keys are commands (Ctrl+C), and control characters and a space start no name.
    if (!handler || character == WXK_NONE || character <= 0x20 || character == 0x7F ||
        event.HasAnyModifiers()) {
      event.Skip();
      return;
    }
    const wxString typed(character);
    const wxScopedCharBuffer utf8 = typed.utf8_str();
    std::string text;
    // A character the program's code page cannot spell is no name of a card.
    if (!TtString::TryUtf8ToCp932(std::string(utf8.data(), utf8.length()), text) || text.empty()) {
      return event.Skip();
    }
    handler(text);
  });
}

void EnsureColumnVisible(TtListView& list, int column) {
  wxGrid* grid = GridOf(list);
  if (!grid || column < 0 || column >= grid->GetNumberCols()) return;
  const int row = grid->GetNumberRows() > 0 ? std::max(grid->GetFirstFullyVisibleRow(), 0) : -1;
  if (row >= 0) {
    grid->MakeCellVisible(row, column);
  } else {
    // With no rows the header alone scrolls: to the column's left edge.
    int unit_x = 1;
    int unit_y = 1;
    grid->GetScrollPixelsPerUnit(&unit_x, &unit_y);
    int x = 0;
    for (int before = 0; before < column; ++before) x += grid->GetColSize(before);
    grid->Scroll(x / std::max(unit_x, 1), -1);
  }
}

void FitAllColumns(TtListView& list) {
  wxGrid* grid = GridOf(list);
  if (!grid) return;
  wxClientDC dc(grid->GetGridWindow());
  // Counts repeat down a column, so each distinct text is measured once.
  std::unordered_map<std::string, int> widths;
  auto width_of = [&](const std::string& text) {
    auto found = widths.find(text);
    if (found != widths.end()) return found->second;
    const int width = dc.GetTextExtent(TtWx::ToWxString(text)).GetWidth();
    widths.emplace(text, width);
    return width;
  };
  TtListViewUpdateGuard updates(list);
  for (int column = 0; column < list.GetColumnCount(); ++column) {
    dc.SetFont(grid->GetLabelFont());
    int widest = dc.GetTextExtent(TtWx::ToWxString(list.GetColumnText(column))).GetWidth();
    dc.SetFont(grid->GetDefaultCellFont());
    for (int item = 0; item < list.GetItemCount(); ++item) {
      const std::string& text = list.GetItemText(item, column);
      if (!text.empty()) widest = std::max(widest, width_of(text));
    }
    list.SetColumnWidth(column, widest + kTextMargin);
  }
}

}  // namespace TtListViewKeys
