#pragma once
// Shared pieces of the dialog tests: an owner window, where a control sits in its dialog, the
// failures of the modal answers, and the screenshots asked for with TARVANE_SCREENSHOT_DIR.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "tests/ttl/scratch_folder.h"
#include "ttl/tt_form.h"
#include "ttl/tt_string.h"
#include "ttl/tt_testing.h"

namespace DialogTest {

// The main window the dialogs are shown over; it records the commands that reach it.
class Owner : public TtForm {
public:
  Owner() {
    Create({});
    SetPositionSize(100, 80, 800, 600);
  }
  TtWin::DWORD GetStyle() const override { return TtWin::WS_OVERLAPPEDWINDOW; }
  bool CreatedInternal() override {
    RegisterMessageHandler(TtWin::WM_COMMAND, [this](TtWin::WPARAM wparam, TtWin::LPARAM) {
      commands.push_back(TtWin::LowWord(wparam));
      return Handled();
    });
    return true;
  }
  std::vector<int> commands;
};

// x, y, width and height of a control in its parent's client area.
struct Place {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Place&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Place& place) {
  return out << "(" << place.x << ", " << place.y << ", " << place.width << ", " << place.height << ")";
}

inline Place PlaceOf(const TtWindow& control) {
  TtWin::RECT screen = control.GetRectangle();
  TtWin::POINT corner = control.GetParent()->ScreenToClient(TtWin::POINT{screen.left, screen.top});
  return Place{corner.x, corner.y, screen.right - screen.left, screen.bottom - screen.top};
}

inline TtWin::POINT ClientSize(const TtWindow& window) {
  TtWin::RECT client = window.GetClientRectangle();
  return TtWin::POINT{client.right, client.bottom};
}

// Files and folders named in the program's spelling (CP932, as the test's literals are): written
// under their file system names, returned as the program names them.
inline std::string WriteFile(const ScratchFolder& scratch, const std::string& name, const std::string& bytes) {
  return TtString::FromSystemPath(scratch.Write(TtString::ToSystemPath(name), bytes));
}
inline std::string MakeFolder(const ScratchFolder& scratch, const std::string& name) {
  return TtString::FromSystemPath(scratch.MakeFolder(TtString::ToSystemPath(name)));
}

inline void ExpectNoFailures(TtTesting::ModalAnswers& answers) {
  for (const std::string& failure : answers.Finish()) ADD_FAILURE() << failure;
}

// Inside a dialog's test action: shows the window (the test hook answers modal windows without
// showing them) and saves its picture as dialog-<name>.png when TARVANE_SCREENSHOT_DIR is set.
inline void SaveScreenshotIfAsked(TtWindow& window, const std::string& name) {
  const char* folder = std::getenv("TARVANE_SCREENSHOT_DIR");
  if (!folder) return;
  window.Show();
  // The X server maps and paints the window in its own time.
  for (int round = 0; round < 20; ++round) {
    TtTesting::ProcessEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(TtTesting::SaveScreenshot(&window, std::string(folder) + "/dialog-" + name + ".png"));
}

}  // namespace DialogTest
