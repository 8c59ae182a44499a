#include "ui/file_chooser.h"

#include "app/exception.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_folder_browser_dialog.h"
#include "ttl/gui/tt_message_box.h"

namespace Tarvane {

namespace {

template <typename Chooser>
bool ShowGuarded(Chooser& chooser, TtWindow& parent) {
  try {
    return chooser.ShowDialog(&parent);
  } catch (const TtFileAccessException& error) {
    TtMessageBox(FileAccessErrorText(error), kFileAccessErrorCaption, TtWin::MB_OK,
                 TtWin::MB_ICONERROR)
        .Show(&parent);
    return false;
  }
}

}  // namespace

bool ShowFileChooser(TtFileDialog& dialog, TtWindow& parent) {
  if (!ShowGuarded(dialog, parent)) return false;
  // Of several files, the ones the program cannot spell are named in one box; the others go on.
  std::string text;
  for (const TtFileAccessException& error : dialog.GetRefusedNames()) {
    text += (text.empty() ? "" : "\r\n\r\n") + FileAccessErrorText(error);
  }
  if (!text.empty()) {
    TtMessageBox(text, kFileAccessErrorCaption, TtWin::MB_OK, TtWin::MB_ICONERROR).Show(&parent);
  }
  return true;
}

bool ShowFolderChooser(TtFolderBrowserDialog& dialog, TtWindow& parent) {
  return ShowGuarded(dialog, parent);
}

}  // namespace Tarvane
