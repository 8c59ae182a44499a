#include "tests/support/window_manager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

extern char** environ;

namespace TarvaneTest {

namespace {

constexpr char kOpenbox[] = "/usr/bin/openbox";
constexpr char kXdotool[] = "/usr/bin/xdotool";
constexpr char kImport[] = "/usr/bin/import";

using DisplayPointer = std::unique_ptr<Display, decltype(&XCloseDisplay)>;

DisplayPointer OpenDisplay() { return DisplayPointer(XOpenDisplay(nullptr), &XCloseDisplay); }

// A window property of 32-bit items (X hands them over as longs).
std::vector<unsigned long> ListProperty(Display* display, Window window, const char* name,
                                        Atom type) {
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> items;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 65536, False, type,
                         &actual_type, &format, &count, &remaining, &data) == Success &&
      data && format == 32) {
    auto* values = reinterpret_cast<unsigned long*>(data);
    items.assign(values, values + count);
  }
  if (data) XFree(data);
  return items;
}

std::string Title(Display* display, Window window) {
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 4096,
                         False, XInternAtom(display, "UTF8_STRING", False), &actual_type, &format,
                         &count, &remaining, &data) == Success &&
      data) {
    title.assign(reinterpret_cast<char*>(data), count);
  }
  if (data) XFree(data);
  return title;
}

bool HasState(Display* display, Window window, const char* state) {
  Atom wanted = XInternAtom(display, state, False);
  auto states = ListProperty(display, window, "_NET_WM_STATE", XA_ATOM);
  return std::find(states.begin(), states.end(), wanted) != states.end();
}

ManagedWindow Describe(Display* display, Window window) {
  ManagedWindow described;
  described.id = window;
  described.title = Title(display, window);
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, window, &attributes)) {
    Window child = None;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &described.left,
                          &described.top, &child);
    described.width = attributes.width;
    described.height = attributes.height;
  }
  described.maximised = HasState(display, window, "_NET_WM_STATE_MAXIMIZED_VERT") &&
                        HasState(display, window, "_NET_WM_STATE_MAXIMIZED_HORZ");
  return described;
}

// A message to the window manager about a client window, as the desktop's pagers send them.
void SendToWindowManager(unsigned long window, const char* message, long first, long second,
                         long third) {
  DisplayPointer display = OpenDisplay();
  if (!display) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display.get(), message, False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = first;
  event.xclient.data.l[1] = second;
  event.xclient.data.l[2] = third;
  event.xclient.data.l[3] = 2;  // from a pager: the user asked
  XSendEvent(display.get(), DefaultRootWindow(display.get()), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(display.get());
}

// Runs a tool with its arguments and waits for it; whether it succeeded.
bool Run(const char* tool, std::vector<std::string> arguments) {
  if (access(tool, X_OK) != 0) return false;
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t process = 0;
  if (posix_spawn(&process, tool, nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  waitpid(process, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Wait(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

bool WindowManagerRunning() {
  DisplayPointer display = OpenDisplay();
  if (!display) return false;
  auto check = ListProperty(display.get(), DefaultRootWindow(display.get()),
                            "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
  if (check.size() != 1) return false;
  // A window manager that has gone may leave the root's property behind; its own window, which
  // names itself, goes with it. Asking of a window that is gone is an X error, not a failure.
  auto* previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  auto own = ListProperty(display.get(), check[0], "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
  XSync(display.get(), False);
  XSetErrorHandler(previous);
  return own.size() == 1 && own[0] == check[0];
}

pid_t StartOpenbox() {
  // An X server resets when its last client leaves and turns new ones away meanwhile; between
  // two tests that would be every program of the test, openbox too. The test program stays one.
  static Display* kept_open = XOpenDisplay(nullptr);
  (void)kept_open;
  if (WindowManagerRunning() || access(kOpenbox, X_OK) != 0) return 0;
  char name[] = "openbox";
  char option[] = "--sm-disable";
  char* arguments[] = {name, option, nullptr};
  pid_t openbox = 0;
  if (posix_spawn(&openbox, kOpenbox, nullptr, nullptr, arguments, environ) != 0) return 0;
  for (int round = 0; round < 100 && !WindowManagerRunning(); ++round) Wait(50);
  return openbox;
}

void StopOpenbox(pid_t& openbox) {
  if (openbox <= 0) return;
  kill(openbox, SIGTERM);
  waitpid(openbox, nullptr, 0);
  openbox = 0;
  for (int round = 0; round < 100 && WindowManagerRunning(); ++round) Wait(20);
}

std::vector<std::string> StackingOrder(const std::vector<std::string>& wait_for,
                                       const std::function<void()>& while_waiting) {
  DisplayPointer display = OpenDisplay();
  std::vector<std::string> titles;
  if (!display) return titles;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (true) {
    while_waiting();
    titles.clear();
    for (unsigned long window : ListProperty(display.get(), DefaultRootWindow(display.get()),
                                             "_NET_CLIENT_LIST_STACKING", XA_WINDOW)) {
      titles.push_back(Title(display.get(), window));
    }
    bool complete = std::all_of(wait_for.begin(), wait_for.end(), [&](const std::string& title) {
      return std::find(titles.begin(), titles.end(), title) != titles.end();
    });
    if (complete || std::chrono::steady_clock::now() > deadline) return titles;
    Wait(20);
  }
}

ScreenSize Screen() {
  DisplayPointer display = OpenDisplay();
  if (!display) return {};
  int screen = DefaultScreen(display.get());
  return {DisplayWidth(display.get(), screen), DisplayHeight(display.get(), screen)};
}

std::vector<ManagedWindow> ManagedWindowsOf(pid_t process) {
  DisplayPointer display = OpenDisplay();
  std::vector<ManagedWindow> windows;
  if (!display) return windows;
  Window root = DefaultRootWindow(display.get());
  for (unsigned long window :
       ListProperty(display.get(), root, "_NET_CLIENT_LIST_STACKING", XA_WINDOW)) {
    auto pids = ListProperty(display.get(), window, "_NET_WM_PID", XA_CARDINAL);
    if (pids.size() == 1 && static_cast<pid_t>(pids[0]) == process)
      windows.push_back(Describe(display.get(), window));
  }
  return windows;
}

std::optional<ManagedWindow> WaitForWindow(pid_t process, const std::string& title,
                                           std::chrono::milliseconds patience) {
  auto deadline = std::chrono::steady_clock::now() + patience;
  while (true) {
    for (const ManagedWindow& window : ManagedWindowsOf(process))
      if (window.title == title) return window;
    if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
    Wait(50);
  }
}

void AskToClose(const ManagedWindow& window) {
  SendToWindowManager(window.id, "_NET_CLOSE_WINDOW", CurrentTime, 2, 0);
}

void AskToUnmaximise(const ManagedWindow& window) {
  DisplayPointer display = OpenDisplay();
  if (!display) return;
  constexpr long kRemove = 0;
  long vertical =
      static_cast<long>(XInternAtom(display.get(), "_NET_WM_STATE_MAXIMIZED_VERT", False));
  long horizontal =
      static_cast<long>(XInternAtom(display.get(), "_NET_WM_STATE_MAXIMIZED_HORZ", False));
  SendToWindowManager(window.id, "_NET_WM_STATE", kRemove, vertical, horizontal);
}

bool ClickAt(int x, int y) {
  return Run(kXdotool,
             {"xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", "1"});
}

bool PressKeys(const std::string& keys) { return Run(kXdotool, {"xdotool", "key", keys}); }

std::vector<unsigned long> ScreenRow(int left, int top, int width) {
  DisplayPointer display = OpenDisplay();
  std::vector<unsigned long> colours;
  if (!display) return colours;
  XImage* image = XGetImage(display.get(), DefaultRootWindow(display.get()), left, top,
                            static_cast<unsigned>(width), 1, AllPlanes, ZPixmap);
  if (!image) return colours;
  for (int x = 0; x < width; ++x) colours.push_back(XGetPixel(image, x, 0) & 0xFFFFFF);
  XDestroyImage(image);
  return colours;
}

void SaveScreenIfAsked(const std::string& name, const ManagedWindow* window) {
  const char* folder = std::getenv("TARVANE_SCREENSHOT_DIR");
  if (!folder) return;
  std::vector<std::string> arguments = {"import", "-window", "root"};
  if (window) {
    // The frame: a border each side and the title bar above, about 25 pixels in openbox.
    constexpr int kBorder = 1;
    constexpr int kTitleBar = 24;
    arguments.push_back("-crop");
    arguments.push_back(std::to_string(window->width + 2 * kBorder) + "x" +
                        std::to_string(window->height + kTitleBar + 2 * kBorder) + "+" +
                        std::to_string(window->left - kBorder) + "+" +
                        std::to_string(window->top - kTitleBar - kBorder));
  }
  arguments.push_back(std::string(folder) + "/" + name + ".png");
  if (!Run(kImport, arguments))
    std::fprintf(stderr, "no screenshot %s: %s failed\n", name.c_str(), kImport);
}

}  // namespace TarvaneTest
