#pragma once
// The display's window manager as a test sees it from outside the program: openbox started and
// stopped for the test, and the top-level windows it manages (of any process), read and asked
// through the X server as a window manager's own tools do.
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace TarvaneTest {

// Whether a window manager runs on the display.
bool WindowManagerRunning();

// Starts openbox on the display unless a window manager runs there already; 0 when it did not.
pid_t StartOpenbox();
// Stops the openbox that StartOpenbox started (nothing for 0) and waits until it has gone.
void StopOpenbox(pid_t& openbox);

// A managed top-level window: its title (UTF-8), where its client area is on the screen, and
// its state.
struct ManagedWindow {
  unsigned long id = 0;
  std::string title;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool maximised = false;
};

// The titles (UTF-8) of every window the window manager manages, from bottom to top, once each
// title in wait_for is among them or a second has passed; while_waiting runs between readings
// (a test program with windows of its own lets them answer there).
std::vector<std::string> StackingOrder(const std::vector<std::string>& wait_for,
                                       const std::function<void()>& while_waiting);
// The size of the display's screen.
struct ScreenSize {
  int width = 0;
  int height = 0;
};
ScreenSize Screen();
// The windows of one process that the window manager manages, from bottom to top.
std::vector<ManagedWindow> ManagedWindowsOf(pid_t process);
// Waits up to `patience` for a window of the process with the title; none when it did not come.
std::optional<ManagedWindow> WaitForWindow(pid_t process, const std::string& title,
                                           std::chrono::milliseconds patience);
// Asks the window manager to close the window, as its close button does.
void AskToClose(const ManagedWindow& window);
// Asks the window manager to take the window out of its maximised state.
void AskToUnmaximise(const ManagedWindow& window);

// A click of the left button at a point of the screen, through xdotool as a user's pointer;
// false when xdotool is not there.
bool ClickAt(int x, int y);
// Keys pressed and released through xdotool as the user types them ("ctrl+o", "Escape");
// false when xdotool is not there.
bool PressKeys(const std::string& keys);
// The colours (0xRRGGBB) of a row of pixels on the screen.
std::vector<unsigned long> ScreenRow(int left, int top, int width);

// With TARVANE_SCREENSHOT_DIR set, saves the screen there as <name>.png (through ImageMagick's
// import): the whole screen, or the window with the window manager's frame around it.
void SaveScreenIfAsked(const std::string& name, const ManagedWindow* window = nullptr);

}  // namespace TarvaneTest
