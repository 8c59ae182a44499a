#pragma once
// The main window's report list, in which the analysis table lives: one column per table column,
// one item per visible row. The list is the table's store, and it owns the table (whose current
// sorter it therefore holds), so the frame reaches every table operation through it. The frame
// receives the list's notifications; the list answers the questions its handlers ask: how a row
// is painted, which row or header item lies under a point, and whether a row is a card row.
#include "script/squirrel_vm.h"
#include "table/analysis_table.h"
#include "table/status_bar_texts.h"
#include "ttl/gui/tt_font.h"
#include "ttl/gui/tt_list_view.h"

namespace Tarvane {

class MainList : public TtWindowWithStyle<TtWindowWithStyle<TtListView, TtWin::LVS_REPORT>,
                                          TtWin::LVS_SINGLESEL | TtWin::LVS_SHOWSELALWAYS> {
public:
  // The background of a special row (totals and the other computed rows): a light yellow.
  static constexpr TtWin::COLORREF kSpecialRowColour = TtWin::Rgb(255, 255, 172);

  MainList(SquirrelVM& script_host, StatusBarTexts& status_bar);

  // Sets the font and switches on full-row selection, grid lines and header drag and drop.
  bool Created() override;

  AnalysisTable& GetTable() { return table_; }
  const AnalysisTable& GetTable() const { return table_; }

  // A card row shows a card of the dictionary (or an unknown card); every other row is special.
  // False for an index that names no item.
  bool IsCardRow(int item) const;

  // The answer to a custom draw notification: ask for one notification per item, and give a
  // special row the light yellow background; with shading on, ask for every cell of a card row
  // and give a shaded cell its colour.
  TtWin::LRESULT PaintRow(TtWin::NMLVCUSTOMDRAW& draw) const;

  // 色分け: numeric cells of card rows in shades of green (negative values, of a difference
  // column, in shades of red) by the table's steps. Neither hue is the yellow of special rows or
  // the selection's blue, which paints over them, and black text stays legible on the strongest.
  static TtWin::COLORREF ShadeColour(int step);
  void SetShading(bool shading);
  bool IsShading() const { return shading_; }

  // Selects the row under the point (list client coordinates), if any, and returns the first
  // selected row afterwards, or -1: the row that a right click acts on.
  int SelectRowAt(TtWin::POINT point);

  // Where a header point lies (list client coordinates): the column index, or -1 off every
  // header item, and whether the point lies on the item itself rather than on its divider.
  struct HeaderHit {
    int column = -1;
    bool on_item = false;
  };
  HeaderHit HitTestHeaderItem(TtWin::POINT point) const;

private:
  // Height 14, normal weight, Japanese character set, modern family.
  TtFont font_;
  AnalysisTable table_;
  bool shading_ = false;
};

}  // namespace Tarvane
