#include "ui/chart_window.h"

#include <cstdlib>
#include <initializer_list>

#include "app/exception.h"
#include "chart/chart_files.h"
#include "script/squirrel_vm.h"
#include "table/analysis_table.h"
#include "table/chart_drawing.h"
#include "table/chart_numbers.h"
#include "ttl/gui/tt_device_context.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_picture.h"

namespace Tarvane {

namespace {

// The kinds in the order of the kind list.
constexpr ChartKind kKinds[] = {ChartKind::Metagame, ChartKind::Adoption, ChartKind::ManaCurve};
constexpr char kAllArchetypes[] = "（すべてのアーキタイプ）";
constexpr char kSizeErrorText[] = "画像の幅と高さは200から10000ピクセルで指定してください。";
constexpr char kCaption[] = "グラフ";

// A number the user typed, or the fallback when the text is none.
double NumberOr(const std::string& text, double fallback) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  return end == text.c_str() || *end != '\0' ? fallback : value;
}

}  // namespace

ChartWindow::ChartWindow(AnalysisTable& table, MessageReporter& reporter)
    : table_(table), reporter_(reporter) {}

bool ChartWindow::CreatedInternal() {
  SetText(kCaption);
  CreateChild(kind_list_, kKindListId);
  for (TtStatic* label : {&threshold_label_, &card_label_, &archetype_label_}) CreateChild(*label);
  CreateChild(threshold_, kThresholdId);
  CreateChild(card_, kCardId);
  CreateChild(archetypes_, kArchetypeListId);
  CreateChild(by_type_, kByTypeId);
  CreateChild(size_label_);
  CreateChild(width_, kWidthId);
  CreateChild(height_, kHeightId);
  CreateChild(save_, kSaveId);
  CreateChild(copy_, kCopyId);

  for (const char* kind : {"メタゲーム", "採用分布", "マナカーブ"}) kind_list_.AddString(kind);
  kind_list_.SetCurrentSelection(0);
  threshold_label_.SetText("その他にする割合(%)");
  threshold_.SetText("2");
  card_label_.SetText("カード (採用分布)");
  archetype_label_.SetText("アーキタイプ");
  by_type_.SetText("カードタイプ別");
  size_label_.SetText("画像の大きさ (幅 × 高さ)");
  width_.SetText(std::to_string(kDefaultChartWidth));
  height_.SetText(std::to_string(kDefaultChartHeight));
  save_.SetText("画像を保存(&S)...");
  copy_.SetText("コピー(&C)");
  FillArchetypes();
  EnableSettings();
  RegisterHandlers();
  SetSize(960, 600);
  // Hidden, never ended, so that it opens again where the user left it.
  RegisterCloseHandler([this] {
    Hide();
    return Handled();
  });
  return true;
}

void ChartWindow::RegisterHandlers() {
  auto redraw_on = [this](int id, int code) {
    RegisterCommandHandler(id, [this, code](int sent, TtWin::HWND) {
      if (sent != code) return NotHandled();
      EnableSettings();
      Invalidate();
      return Handled();
    });
  };
  redraw_on(kKindListId, TtWin::LBN_SELCHANGE);
  redraw_on(kArchetypeListId, TtWin::LBN_SELCHANGE);
  redraw_on(kThresholdId, TtWin::EN_CHANGE);
  redraw_on(kCardId, TtWin::EN_CHANGE);
  redraw_on(kByTypeId, TtWin::BN_CLICKED);
  RegisterCommandHandler(kSaveId, [this](int, TtWin::HWND) {
    ChooseFileAndSave();
    return Handled();
  });
  RegisterCommandHandler(kCopyId, [this](int, TtWin::HWND) {
    CopyChart();
    return Handled();
  });
  RegisterPaintHandler([this] {
    Paint();
    return Handled();
  });
}

void ChartWindow::Layout(int, int height) {
  const int left = 8, inner = kSettingsWidth - 16;
  kind_list_.SetPositionSize(left, 8, inner, 64);
  threshold_label_.SetPositionSize(left, 80, inner, 18);
  threshold_.SetPositionSize(left, 98, inner, 26);
  card_label_.SetPositionSize(left, 132, inner, 18);
  card_.SetPositionSize(left, 150, inner, 26);
  archetype_label_.SetPositionSize(left, 184, inner, 18);
  const int bottom_block = 8 + 30 + 4 + 30 + 8 + 26 + 2 + 18 + 8 + 24;
  archetypes_.SetPositionSize(left, 202, inner, std::max(height - 202 - bottom_block - 8, 48));
  int y = height - bottom_block;
  by_type_.SetPositionSize(left, y, inner, 24);
  y += 24 + 8;
  size_label_.SetPositionSize(left, y, inner, 18);
  y += 20;
  width_.SetPositionSize(left, y, inner / 2 - 4, 26);
  height_.SetPositionSize(left + inner / 2 + 4, y, inner / 2 - 4, 26);
  y += 26 + 8;
  save_.SetPositionSize(left, y, inner, 30);
  copy_.SetPositionSize(left, y + 34, inner, 30);
  Invalidate();
}

void ChartWindow::FillArchetypes() {
  const std::string chosen = archetypes_.GetCurrentSelection() > 0
                                 ? archetypes_.GetString(archetypes_.GetCurrentSelection())
                                 : std::string();
  while (archetypes_.GetCount() > 0) archetypes_.DeleteString(0);
  archetypes_.AddString(kAllArchetypes);
  int selection = 0;
  for (const std::string& name : ArchetypeNames(table_.GetScriptHost().GetDecks())) {
    const int index = archetypes_.AddString(name);
    if (name == chosen) selection = index;
  }
  archetypes_.SetCurrentSelection(selection);
  archetypes_stale_ = false;
}

void ChartWindow::EnableSettings() {
  const ChartKind kind = GetRequest().kind;
  threshold_.SetEnabled(kind == ChartKind::Metagame);
  card_.SetEnabled(kind == ChartKind::Adoption);
  archetypes_.SetEnabled(kind != ChartKind::Metagame);
  by_type_.SetEnabled(kind == ChartKind::ManaCurve);
}

ChartRequest ChartWindow::GetRequest() const {
  ChartRequest request;
  const int kind = kind_list_.GetCurrentSelection();
  request.kind = kind >= 0 && kind < 3 ? kKinds[kind] : ChartKind::Metagame;
  request.other_threshold_percent = NumberOr(threshold_.GetText(), 2.0);
  request.card = card_.GetText();
  const int archetype = archetypes_.GetCurrentSelection();
  if (archetype > 0) request.archetype = archetypes_.GetString(archetype);
  request.split_by_type = by_type_.GetCheck();
  return request;
}

ChartData ChartWindow::CurrentChart() const { return MakeChart(table_, GetRequest()); }

bool ChartWindow::GetPictureSize(int& width, int& height) const {
  width = static_cast<int>(NumberOr(width_.GetText(), 0));
  height = static_cast<int>(NumberOr(height_.GetText(), 0));
  return IsChartSizeAllowed(width, height);
}

void ChartWindow::ShowWithCard(const std::string& card_name) {
  if (!card_name.empty()) card_.SetText(card_name);
  FillArchetypes();
  ShowWithCommand(TtWin::SW_SHOWNORMAL);
  SetWindowPosition(TtWin::HWND_TOP, 0, 0, 0, 0, TtWin::SWP_NOMOVE | TtWin::SWP_NOSIZE);
  Invalidate();
}

void ChartWindow::TableChanged() {
  // Only marked here: adding a column per deck tells of thousands of changes in a row, and the
  // next paint draws them all at once.
  archetypes_stale_ = true;
  if (IsCreated() && IsVisible()) Invalidate();
}

void ChartWindow::Paint() {
  if (archetypes_stale_) FillArchetypes();
  TtPaintDeviceContext paint(*this);
  const TtWin::RECT client = GetClientRectangle();
  const int width = client.right - client.left - kSettingsWidth;
  const int height = client.bottom - client.top;
  if (width < 40 || height < 40) return;
  TtPicture picture(std::min(width, TtPicture::kMaximumSide),
                    std::min(height, TtPicture::kMaximumSide));
  DrawChart(CurrentChart(), picture);
  paint.DrawPicture(kSettingsWidth, 0, picture);
  ++draw_count_;
}

bool ChartWindow::SaveChart(const std::string& path, ChartFileFormat otherwise) {
  int width = 0, height = 0;
  if (!GetPictureSize(width, height)) {
    reporter_.ShowMessage(kSizeErrorText, kCaption, MessageButtons::Ok, MessageIcon::Error, true);
    return false;
  }
  const ChartFileFormat format = ChartFileFormatOf(path).value_or(otherwise);
  return WriteChartFile(CurrentChart(), format, width, height, path, reporter_);
}

bool ChartWindow::CopyChart() {
  int width = 0, height = 0;
  if (!GetPictureSize(width, height)) {
    reporter_.ShowMessage(kSizeErrorText, kCaption, MessageButtons::Ok, MessageIcon::Error, true);
    return false;
  }
  return CopyChartToClipboard(CurrentChart(), width, height, reporter_);
}

void ChartWindow::ChooseFileAndSave() {
  TtSaveFileDialog dialog;
  dialog.AddFilter("PNG画像(*.png)", "*.png");
  dialog.AddFilter("SVG画像(*.svg)", "*.svg");
  dialog.SetOverwritePrompt(true);
  try {
    if (!dialog.ShowDialog(this)) return;
  } catch (const TtFileAccessException& error) {
    // A name the program cannot spell would write another file: nothing is written.
    reporter_.ShowMessage(FileAccessErrorText(error), kFileAccessErrorCaption, MessageButtons::Ok,
                          MessageIcon::Error, true);
    return;
  }
  // The file gets exactly the name the user gave (the one the overwrite question was about); a
  // name without a picture extension is written in the format of the chosen filter.
  SaveChart(dialog.GetFileName(),
            dialog.GetFilterIndex() == 2 ? ChartFileFormat::Svg : ChartFileFormat::Png);
}

}  // namespace Tarvane
