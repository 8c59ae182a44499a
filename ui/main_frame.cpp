// The frame as a window: construction, the creation steps, the layout, the window placement,
// and the message boxes and status texts that the table and the data side use.
#include "ui/main_frame.h"

#include "app/exception.h"
#include "app/settings.h"
#include "ttl/core/tt_path.h"
#include "ttl/gui/tt_bmp_image.h"
#include "ttl/gui/tt_message_box.h"
#include "ui/main_icon.h"

namespace Tarvane {

namespace {

// Before a saved placement exists, the window opens large enough for a few deck columns.
constexpr int kInitialWidth = 960;
constexpr int kInitialHeight = 640;

constexpr int kToolBarHeight = 28;
constexpr int kListTop = 33;

int MessageBoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return TtWin::MB_ICONERROR;
    case MessageIcon::Warning:
      return TtWin::MB_ICONWARNING;
    case MessageIcon::Question:
      return TtWin::MB_ICONQUESTION;
    case MessageIcon::Information:
      return TtWin::MB_ICONINFORMATION;
  }
  return 0;
}

WindowPlacement FromWindowRecord(const TtWin::WINDOWPLACEMENT& record) {
  WindowPlacement placement;
  placement.length = static_cast<int32_t>(record.length);
  placement.flags = static_cast<int32_t>(record.flags);
  placement.show_command = static_cast<int32_t>(record.showCmd);
  placement.minimized_x = record.ptMinPosition.x;
  placement.minimized_y = record.ptMinPosition.y;
  placement.maximized_x = record.ptMaxPosition.x;
  placement.maximized_y = record.ptMaxPosition.y;
  placement.normal_left = record.rcNormalPosition.left;
  placement.normal_top = record.rcNormalPosition.top;
  placement.normal_right = record.rcNormalPosition.right;
  placement.normal_bottom = record.rcNormalPosition.bottom;
  return placement;
}

TtWin::WINDOWPLACEMENT ToWindowRecord(const WindowPlacement& placement) {
  TtWin::WINDOWPLACEMENT record;
  // The stored length is not trusted: the record applied is always the 44-byte one.
  record.length = WindowPlacement::kByteSize;
  record.flags = static_cast<TtWin::UINT>(placement.flags);
  record.showCmd = static_cast<TtWin::UINT>(placement.show_command);
  record.ptMinPosition = {placement.minimized_x, placement.minimized_y};
  record.ptMaxPosition = {placement.maximized_x, placement.maximized_y};
  record.rcNormalPosition = {placement.normal_left, placement.normal_top, placement.normal_right,
                             placement.normal_bottom};
  return record;
}

}  // namespace

ToolImageList::ToolImageList(const std::string& bitmap_path) : TtImageList(kWidth, kHeight, 8, 1) {
  if (!TtPath::FileExists(bitmap_path)) throw FileNotExistException(bitmap_path);
  AddMasked(TtBmpImage::LoadFromFile(bitmap_path), kMaskColour);
}

MainFrame::MainFrame(const TtImageList& tool_pictures)
    : script_host_(*this),
      tool_bar_(tool_pictures),
      main_list_(script_host_, *this),
      column_menu_(main_menu_.GetSpecialColumnMenu(), main_menu_.GetSortMenu()),
      chart_window_(main_list_.GetTable(), *this) {}

MainFrame::~MainFrame() {
  // The chart window goes before the table that would tell it of changes.
  GetTable().SetChangeListener(nullptr);
  // The script values in the menus must go while the script host that they live in is open.
  ReleaseScriptMenus();
}

bool MainFrame::CreatedInternal() {
  SetIconAsLarge(LoadMainIcon());
  SetText(kTitle);
  SetSize(kInitialWidth, kInitialHeight);
  SetMenuBar(main_menu_);
  CreateChildren();
  // The deck count (wide enough for the longest progress text), the sort, the row filter, and
  // the outcome of the last command.
  status_bar_.SetParts({kCountPartWidth, kCountPartWidth + 360, kCountPartWidth + 570, -1});

  RegisterSizeHandler([this](int, int width, int height) {
    Layout(width, height);
    return Handled();
  });
  RegisterCommandHandlers();
  RegisterNotifyHandler(kToolBarId, [this](TtWin::NMHDR* header) {
    if (header->code != TtWin::TBN_DROPDOWN) return NotHandled();
    ShowDropDownMenu(reinterpret_cast<TtWin::NMTOOLBAR*>(header)->iItem);
    return Handled(TtWin::TBDDRET_DEFAULT);
  });
  RegisterCloseHandler([this] {
    SaveWindowPlacement();
    SaveLastSession();
    // Not handled: the close goes on and the window is destroyed.
    return NotHandled();
  });
  RegisterListHandlers();
  AcceptFileDrops([this](const std::vector<std::string>& paths) { OpenDeckPaths(paths); });

  main_menu_.CheckBoardMode(script_host_.GetBoardDisplayMode());
  main_list_.SetShading(LoadCellShading());
  main_menu_.CheckCellShading(main_list_.IsShading());
  FillScriptMenus();
  UpdateRecentMenu();
  GetTable().SetWorkProgress(this);
  GetTable().Reset();
  if (!script_host_.GetSettings().ArchetypeRules.empty()) ApplyArchetypeRules(false);
  tool_bar_.Show();
  main_list_.Show();
  // Owned by the main window: the window manager keeps it above its owner only, never above the
  // program's modal dialogs or other programs.
  preview_.ShowDialog(this);
  chart_window_.ShowDialog(this);
  GetTable().SetChangeListener([this] { chart_window_.TableChanged(); });
  return true;
}

void MainFrame::CreateChildren() {
  tool_bar_.Create({this, kToolBarId});
  main_list_.Create({this, kMainListId});
  status_bar_.Create({this});
}

void MainFrame::Layout(int width, int height) {
  tool_bar_.SetPositionSize(0, 0, width, kToolBarHeight);
  main_list_.SetPositionSize(1, kListTop, width - 2, height - 54);
  status_bar_.SendMessage(TtWin::WM_SIZE, 0, TtWin::MakeLParam(width, height));
}

void MainFrame::SaveWindowPlacement() {
  try {
    Tarvane::SaveWindowPlacement(FromWindowRecord(GetWindowPlacement()));
  } catch (const TtException& error) {
    // The window still closes; the user learns why it will not open where it was.
    ShowMessage(SettingsNotSavedText("ウィンドウの位置を保存できませんでした。", error),
                kSettingsNotSavedCaption, MessageButtons::Ok, MessageIcon::Error, true);
  }
}

void MainFrame::RestoreWindowPlacement() {
  WindowPlacement placement;
  if (LoadWindowPlacement(placement)) {
    SetWindowPlacement(ToWindowRecord(placement));
    return;
  }
  // The first start: centred on the screen at the initial size. Left to the window manager, the
  // window was placed by a passing smaller size and then grew past the screen's bottom edge.
  const TtWin::RECT screen = TtExtraordinarilyWindow::Desktop().GetRectangle();
  const TtWin::POINT corner = CenterPosition(screen, kInitialWidth, kInitialHeight, screen);
  TtWin::WINDOWPLACEMENT first;
  first.showCmd = TtWin::SW_SHOWNORMAL;
  first.rcNormalPosition = {corner.x, corner.y, corner.x + kInitialWidth,
                            corner.y + kInitialHeight};
  SetWindowPlacement(first);
}

MessageAnswer MainFrame::ShowMessage(const std::string& text, const std::string& caption,
                                     MessageButtons buttons, MessageIcon icon,
                                     bool owned_by_main_window) {
  TtMessageBox box(text, caption, buttons == MessageButtons::YesNo ? TtWin::MB_YESNO : TtWin::MB_OK,
                   MessageBoxIcon(icon));
  // During the data-side start-up the window does not exist yet, so those boxes have no owner.
  int answer = box.Show(owned_by_main_window && IsCreated() ? this : nullptr);
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return answer == TtWin::IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

void MainFrame::SetStatusText(int part, const std::string& text) {
  if (status_bar_.IsCreated()) status_bar_.SetPartText(part, text);
}

void MainFrame::ShowWork(bool starting, const std::string& text) {
  const auto now = std::chrono::steady_clock::now();
  if (starting && !showing_work_) work_start_ = now;
  if (!showing_work_ && now - work_start_ < busy_delay_) return;
  if (!showing_work_) {
    showing_work_ = true;
    TtForm::BeginBusyCursor();
  }
  SetStatusText(StatusBarTexts::kDeckCountPart, text);
  // Painted now: the work lets no event through until it ends.
  if (status_bar_.IsCreated()) status_bar_.Update();
}

bool MainFrame::DecksRead(std::size_t done, std::size_t total) {
  // Before any deck is read nothing has changed yet: the dialog that asked for the files goes
  // from the screen and the window is painted, since the reading lets no event through.
  if (done == 0) TtForm::PaintPendingWindows();
  ShowWork(done == 0, "デッキ読み込み中 : " + std::to_string(done) + " / " + std::to_string(total) +
                          " (Escで中止)");
  // Asked after each file read: every deck read before the key stays.
  return done == 0 || !TtForm::IsEscapeKeyDown();
}

void MainFrame::ColumnsFilled(std::size_t done, std::size_t total) {
  ShowWork(done == 0, "更新中 : " + std::to_string(done) + " / " + std::to_string(total) + " 列");
}

void MainFrame::RowsCompared(std::size_t done, std::size_t rows) {
  ShowWork(done == 0,
           "並び替え中 : " + std::to_string(rows) + " 行 (比較 " + std::to_string(done) + " 回)");
}

void MainFrame::WorkEnded() {
  if (!showing_work_) return;
  showing_work_ = false;
  TtForm::EndBusyCursor();
  SetStatusText(StatusBarTexts::kDeckCountPart,
                DeckCountStatusText(script_host_.GetDecks().size()));
}

}  // namespace Tarvane
