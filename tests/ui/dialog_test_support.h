#pragma once
// Shared pieces of the dialog tests: an owner window, the layout rules of every dialog, the
// failures of the modal answers, and the screenshots asked for with TARVANE_SCREENSHOT_DIR.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_string.h"
#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_form.h"
#include "ttl/testing/tt_testing.h"

namespace TarvaneTest {

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

// A control's rectangle in its parent's client area.
inline TtWin::RECT PlaceOf(const TtWindow& control) {
  TtWin::RECT screen = control.GetRectangle();
  TtWin::POINT corner = control.GetParent()->ScreenToClient(TtWin::POINT{screen.left, screen.top});
  return TtWin::RECT{corner.x, corner.y, corner.x + screen.right - screen.left,
                     corner.y + screen.bottom - screen.top};
}

// What a dialog's design allows against the layout rules.
struct LayoutExceptions {
  // Pairs of children drawn one over the other on purpose.
  std::vector<std::pair<const TtWindow*, const TtWindow*>> overlapping;
  // Children that reach past the client area's edge on purpose.
  std::vector<const TtWindow*> past_edge;
};

// The rules every dialog keeps at any size: each child lies inside the client area, no two
// children overlap, and OK stands left of Cancel on the same row (when the dialog has them).
inline void ExpectSoundLayout(TtDialog& dialog, const LayoutExceptions& exceptions) {
  const TtWin::RECT client = dialog.GetClientRectangle();
  const std::vector<TtWindow*>& children = dialog.GetChildren();
  auto allowed = [&](const TtWindow* a, const TtWindow* b) {
    for (auto [first, second] : exceptions.overlapping) {
      if ((first == a && second == b) || (first == b && second == a)) return true;
    }
    return false;
  };
  for (size_t i = 0; i < children.size(); ++i) {
    const TtWin::RECT place = PlaceOf(*children[i]);
    EXPECT_LT(place.left, place.right) << "child " << i << " has no width";
    EXPECT_LT(place.top, place.bottom) << "child " << i << " has no height";
    if (std::find(exceptions.past_edge.begin(), exceptions.past_edge.end(), children[i]) ==
        exceptions.past_edge.end()) {
      EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.right <= client.right &&
                  place.bottom <= client.bottom)
          << "child " << i << " leaves the client area";
    }
    for (size_t j = i + 1; j < children.size(); ++j) {
      const TtWin::RECT other = PlaceOf(*children[j]);
      const bool overlap = place.left < other.right && other.left < place.right &&
                           place.top < other.bottom && other.top < place.bottom;
      EXPECT_TRUE(!overlap || allowed(children[i], children[j]))
          << "children " << i << " and " << j << " overlap";
    }
  }
  if (std::find(children.begin(), children.end(), &dialog.GetOkButton()) == children.end()) return;
  const TtWin::RECT ok = PlaceOf(dialog.GetOkButton());
  const TtWin::RECT cancel = PlaceOf(dialog.GetCancelButton());
  EXPECT_LE(ok.right, cancel.left) << "OK stands left of Cancel";
  EXPECT_EQ(ok.top, cancel.top) << "OK and Cancel share a row";
}

// The rules at the dialog's own size and at a second size, wider and lower.
inline void ExpectSoundLayoutAtTwoSizes(TtDialog& dialog, const LayoutExceptions& exceptions = {}) {
  ExpectSoundLayout(dialog, exceptions);
  const TtWin::RECT outer = dialog.GetRectangle();
  dialog.SetSize(outer.right - outer.left + 150, outer.bottom - outer.top - 70);
  ExpectSoundLayout(dialog, exceptions);
}

// Files and folders named in the program's spelling (CP932, as the test's literals are): written
// under their file system names, returned as the program names them.
inline std::string WriteFile(const ScratchFolder& scratch, const std::string& name,
                             const std::string& bytes) {
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

}  // namespace TarvaneTest
