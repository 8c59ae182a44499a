#pragma once
// グラフ: a window of the main window that shows one chart of the table's decks (the metagame,
// a card's adoption or the mana curve) and follows the table: every refresh, deck load, board
// mode change or column change redraws it. The chart is drawn for the window's size; 保存 writes
// it as PNG or SVG at the size given in the window, コピー puts it on the clipboard.
#include <string>

#include "app/message_reporter.h"
#include "chart/chart_files.h"
#include "table/chart_request.h"
#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_window_controls.h"

namespace Tarvane {

class AnalysisTable;

class ChartWindow : public TtDialogModeless {
public:
  static constexpr int kKindListId = 3001;
  static constexpr int kThresholdId = 3002;
  static constexpr int kCardId = 3003;
  static constexpr int kArchetypeListId = 3004;
  static constexpr int kByTypeId = 3005;
  static constexpr int kWidthId = 3006;
  static constexpr int kHeightId = 3007;
  static constexpr int kSaveId = 3008;
  static constexpr int kCopyId = 3009;
  // The width of the settings at the left; the chart fills the rest.
  static constexpr int kSettingsWidth = 190;

  ChartWindow(AnalysisTable& table, MessageReporter& reporter);

  // Sizing border, caption, system menu and the minimize and maximize boxes.
  TtWin::DWORD GetStyle() const override { return TtWin::WS_OVERLAPPEDWINDOW; }
  bool CreatedInternal() override;

  // Brings the window into view; a card name (of the selected row) becomes the adoption's card.
  void ShowWithCard(const std::string& card_name);
  // The table or the archetypes have changed: the chart is redrawn and the archetype list read
  // again when the window is shown. Rule changes of the archetypes call this too.
  void TableChanged();

  // What the window's settings ask for, and the chart they give now.
  ChartRequest GetRequest() const;
  ChartData CurrentChart() const;
  // The picture size of 保存 and コピー; nothing when the fields hold no allowed size.
  bool GetPictureSize(int& width, int& height) const;
  // 保存 once the file name is chosen: the format by its extension, else the one given. A size
  // that is not allowed or a file that cannot be written is reported; false then.
  bool SaveChart(const std::string& path, ChartFileFormat otherwise = ChartFileFormat::Png);
  bool CopyChart();
  // How often the chart has been drawn, for tests of the redrawing.
  int GetDrawCount() const { return draw_count_; }

  // The controls, for tests.
  TtListBox& GetKindList() { return kind_list_; }
  TtEdit& GetThresholdEdit() { return threshold_; }
  TtEdit& GetCardEdit() { return card_; }
  TtListBox& GetArchetypeList() { return archetypes_; }
  TtButtonWithCheck& GetByTypeCheck() { return by_type_; }
  TtEdit& GetWidthEdit() { return width_; }
  TtEdit& GetHeightEdit() { return height_; }

private:
  void Layout(int width, int height) override;
  void RegisterHandlers();
  void FillArchetypes();
  void EnableSettings();
  void Paint();
  void ChooseFileAndSave();

  AnalysisTable& table_;
  MessageReporter& reporter_;
  TtListBox kind_list_;
  TtStatic threshold_label_;
  TtEdit threshold_;
  TtStatic card_label_;
  TtEdit card_;
  TtStatic archetype_label_;
  TtListBox archetypes_;
  TtButtonWithCheck by_type_;
  TtStatic size_label_;
  TtEdit width_;
  TtEdit height_;
  TtButton save_;
  TtButton copy_;
  int draw_count_ = 0;
  // The table has changed since the archetype list was filled.
  bool archetypes_stale_ = false;
};

}  // namespace Tarvane
