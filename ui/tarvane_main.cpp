// The program's entry point. It brings the widget set up, reads the toolbar's pictures, builds
// the main window (whose first member brings up the data side), shows it where it was last
// closed, opens the deck files and folders named on its command line, and runs the message loop
// until the user quits. It is also the last place where
// errors are caught: each one is logged, told to the user, and ends the program.
#include <filesystem>
#include <string>
#include <vector>

#include "app/error_log.h"
#include "app/exception.h"
#include "app/program_files.h"
#include "ttl/core/tt_string.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_message_box.h"
#include "ui/main_frame.h"
#include "ui/main_icon.h"

namespace Tarvane {

namespace {

const char kErrorCaption[] = "エラー";
const char kUnexpectedErrorCaption[] = "予期しないエラー";
const char kUnexpectedErrorText[] =
    "予期しないエラーが発生しました。アプリケーションを終了させます。";

void ShowErrorBox(const std::string& text, const char* caption) {
  TtMessageBox(text, caption, TtWin::MB_OK, TtWin::MB_ICONERROR).Show(nullptr);
}

}  // namespace

// Creates the main window, applies its saved placement, and shows it; a window that was
// minimised when it closed comes back restored.
void ShowMainWindow(MainFrame& frame) {
  frame.Create({});
  frame.RestoreWindowPlacement();
  if (frame.IsMinimized()) frame.Restore();
  frame.Show();
}

namespace {

// The command line's names as the program spells them, made absolute against the current
// folder; a name CP932 cannot spell goes to `unspellable` (as the system spells it) instead.
std::vector<std::string> DeckPathsFromArguments(const std::vector<std::string>& arguments,
                                                std::vector<std::string>& unspellable) {
  std::vector<std::string> deck_paths;
  for (const std::string& argument : arguments) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(argument, error);
    std::string deck_path;
    if (TtString::TryFromSystemPath(error ? argument : path.string(), deck_path)) {
      deck_paths.push_back(deck_path);
    } else {
      unspellable.push_back(argument);
    }
  }
  return deck_paths;
}

// One box names every argument that was not opened, so the others still are.
void ShowNamesNotOpened(MainFrame& frame, const std::vector<std::string>& unspellable) {
  std::string text = std::string("名前を表せないため開かなかったファイルがあります。\r\n原因 ： ") +
                     TtString::kUnrepresentablePathReason;
  for (const std::string& name : unspellable) text += "\r\n" + TtString::DescribeSystemPath(name);
  TtMessageBox(text, kFileAccessErrorCaption, TtWin::MB_OK, TtWin::MB_ICONWARNING).Show(&frame);
}

}  // namespace

// Returns the exit code of the message loop, or 0 when an error ended the program. The
// arguments are the command line's deck list files and folders as the system spells them; they
// are opened from the message loop, once the window is on screen.
int WinMain(const std::vector<std::string>& arguments) {
  try {
    // Inside the guard, so that a missing display is reported like every other failure.
    TtForm::InitializePlatform();
    RegisterMainIcon();
    ToolImageList tool_pictures(ProgramFiles::GetToolbarBitmapPath());
    MainFrame frame(tool_pictures);
    ShowMainWindow(frame);
    std::vector<std::string> unspellable;
    std::vector<std::string> deck_paths = DeckPathsFromArguments(arguments, unspellable);
    if (!unspellable.empty()) ShowNamesNotOpened(frame, unspellable);
    frame.OpenDeckPathsOnceShown(deck_paths);
    return TtForm::Loop();
  } catch (const ExitThroughException&) {
    // The user has been told already.
    return 0;
  } catch (const Exception& error) {
    WriteErrorLog(error);
    ShowErrorBox(error.Description(), kErrorCaption);
    return 0;
  } catch (const TtFileAccessException& error) {
    // Says which file and why, e.g. a program folder whose name the program cannot spell.
    WriteErrorLog(error);
    ShowErrorBox(FileAccessErrorText(error), kFileAccessErrorCaption);
    return 0;
  } catch (const TtException& error) {
    WriteErrorLog(error);
    ShowErrorBox(kUnexpectedErrorText, kUnexpectedErrorCaption);
    return 0;
  }
}

}  // namespace Tarvane

// The window tests compile this file into their own program, with their own main, and call
// WinMain with the arguments main would pass.
#ifndef TARVANE_ENTRY_POINT_UNDER_TEST
// tarvane [FILE_OR_FOLDER...]
int main(int argc, char** argv) {
  int exit_code = Tarvane::WinMain(std::vector<std::string>(argv + 1, argv + argc));
  TtForm::FinalizePlatform();
  return exit_code;
}
#endif
