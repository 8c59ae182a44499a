// Bringing up the widget set and running its message loop.
#include <wx/evtloop.h>

#include <wx/translation.h>

#include <dlfcn.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_backend.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/wx/tt_wx.h"
#include "ttl/gui/wx/tt_wx_internal.h"

namespace {

// Exceptions thrown by handlers cannot cross the widget set's C code: they are kept here and
// thrown again when the event loop that ran the handler returns.
class TtWxApp : public wxApp {
public:
  bool OnInit() override { return true; }
  bool StoreCurrentException() override {
    if (!stored_) stored_ = std::current_exception();
    return true;
  }
  void RethrowStoredException() override {
    if (!stored_) return;
    std::exception_ptr exception = stored_;
    stored_ = nullptr;
    std::rethrow_exception(exception);
  }

private:
  std::exception_ptr stored_;
};

bool platform_initialized = false;
bool quit_pending = false;
int quit_exit_code = 0;
int loop_depth = 0;

// The desktop stands for "no window" when given as a parent.
int desktop_marker;
TtWin::HWND DesktopMarker() { return reinterpret_cast<TtWin::HWND>(&desktop_marker); }

void ReportAssertion(const wxString& file, int line, const wxString& function,
                     const wxString& condition, const wxString& message) {
  std::fprintf(stderr, "wx assertion %s:%d %s: %s %s\n", static_cast<const char*>(file.utf8_str()),
               line, static_cast<const char*>(function.utf8_str()),
               static_cast<const char*>(condition.utf8_str()),
               static_cast<const char*>(message.utf8_str()));
}

// The widget set's own texts (the file chooser, its overwrite question) follow the program's
// language, Japanese, whatever the desktop's: its catalogues are asked for Japanese first. Only
// the messages are switched; numbers and text handling keep the C library's defaults.
void PreferJapaneseMessages() {
  const char* current = std::getenv("LANGUAGE");
  std::string languages = "ja";
  if (current && *current) languages += std::string(":") + current;
  setenv("LANGUAGE", languages.c_str(), 1);
  const char* messages = std::setlocale(LC_MESSAGES, "");
  // The plain C locale turns every translation off; its UTF-8 variant, which every system has,
  // lets them through.
  if (!messages || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0) {
    std::setlocale(LC_MESSAGES, "C.UTF-8");
  }
}

// The widget set's own catalogue in Japanese, where the system has it installed.
void UseJapaneseCatalogue() {
  auto* translations = new wxTranslations;
  translations->SetLanguage(wxLANGUAGE_JAPANESE);
  translations->AddStdCatalog();
  wxTranslations::Set(translations);
}

// About two seconds: a window manager maps a new window within a few frames.
constexpr int kMappingWaitRounds = 200;

// Whether a shown top-level window is not yet on screen, or not yet where it was asked to be.
bool ShownWindowNotInPlace() {
  for (wxWindow* window : wxTopLevelWindows) {
    auto* top = dynamic_cast<wxTopLevelWindow*>(window);
    if (top && (TtWxInternal::AwaitsScreen(top) || TtWxInternal::AwaitsPlacement(top))) return true;
  }
  return false;
}

}  // namespace

// Asked of the toolkit underneath, which the widget set does not expose; without it every
// window counts as on screen.
bool TtWxInternal::AwaitsScreen(wxTopLevelWindow* top) {
  static auto* window_of =
      reinterpret_cast<void* (*)(void*)>(dlsym(RTLD_DEFAULT, "gtk_widget_get_window"));
  static auto* state_of =
      reinterpret_cast<int (*)(void*)>(dlsym(RTLD_DEFAULT, "gdk_window_get_state"));
  constexpr int kWithdrawn = 1;
  if (!window_of || !state_of || !top->IsShown() || top->IsIconized()) return false;
  void* window = window_of(top->GetHandle());
  return window && (state_of(window) & kWithdrawn) != 0;
}

// ---------------------------------------------------------------------------------------------
// The platform and the message loop

void TtForm::InitializePlatform() {
  if (platform_initialized) return;
  wxSetAssertHandler(ReportAssertion);
  PreferJapaneseMessages();
  wxApp::SetInstance(new TtWxApp);
  static int argc = 1;
  static char program_name[] = "tarvane";
  static char* argv[] = {program_name, nullptr};
  if (!wxEntryStart(argc, argv)) {
    throw TT_SYSTEM_CALL_ERROR("tt_form", "::InitCommonControls", ENXIO);
  }
  wxTheApp->CallOnInit();
  // Messages of the widget set go to standard error: never a message box of its own, and no
  // debugging chatter.
  delete wxLog::SetActiveTarget(new wxLogStderr);
  wxLog::SetLogLevel(wxLOG_Warning);
  wxTheApp->SetExitOnFrameDelete(false);
  wxInitAllImageHandlers();
  UseJapaneseCatalogue();
  platform_initialized = true;
}

bool TtForm::IsPlatformInitialized() { return platform_initialized; }

void TtForm::BeginBusyCursor() {
  if (platform_initialized) wxBeginBusyCursor();
}

void TtForm::EndBusyCursor() {
  if (platform_initialized && wxIsBusy()) wxEndBusyCursor();
}

void TtForm::PaintPendingWindows() {
  if (!platform_initialized) return;
  // At start-up the message loop does not run yet; a loop of its own yields meanwhile.
  std::unique_ptr<wxGUIEventLoop> own_loop;
  std::optional<wxEventLoopActivator> activation;
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  if (!loop) {
    own_loop = std::make_unique<wxGUIEventLoop>();
    activation.emplace(own_loop.get());
    loop = own_loop.get();
  }
  // A shown window that the window manager has not put on screen and in place yet is waited
  // for, a little: a box that the work opens would otherwise be mapped first and end up below
  // it, or be centred on where the window was before the window manager placed it.
  for (int round = 0; round < kMappingWaitRounds && ShownWindowNotInPlace(); ++round) {
    loop->YieldFor(wxEVT_CATEGORY_UI);
    wxMilliSleep(10);
  }
  loop->YieldFor(wxEVT_CATEGORY_UI);
}

bool TtForm::IsEscapeKeyDown() { return platform_initialized && wxGetKeyState(WXK_ESCAPE); }

void TtForm::ProcessPendingMessages() {
  if (!platform_initialized || !wxTheApp) return;
  // Handling one event may post the next (a layout, then its repaint), so a few rounds.
  for (int round = 0; round < 3; ++round) {
    wxTheApp->ProcessPendingEvents();
    wxTheApp->Yield(true);
  }
  wxTheApp->RethrowStoredException();
}

void TtForm::FinalizePlatform() {
  if (!platform_initialized) return;
  platform_initialized = false;
  wxEntryCleanup();
}

namespace TtBackend {

void PostQuit(int exit_code) {
  quit_pending = true;
  quit_exit_code = exit_code;
  if (platform_initialized && loop_depth > 0) wxTheApp->ExitMainLoop();
}

int RunLoop() {
  if (!quit_pending) {
    if (!platform_initialized) throw TT_SYSTEM_CALL_ERROR("tt_form", "::GetMessage", ENXIO);
    ++loop_depth;
    try {
      wxTheApp->MainLoop();
    } catch (...) {
      --loop_depth;
      throw;
    }
    --loop_depth;
    wxTheApp->RethrowStoredException();
  }
  quit_pending = false;
  return quit_exit_code;
}

void PostMessage(TtWin::HWND handle, TtWin::UINT message, TtWin::WPARAM wparam,
                 TtWin::LPARAM lparam) {
  if (!platform_initialized) throw TT_SYSTEM_CALL_ERROR("tt_window", "::PostMessage", ENXIO);
  wxTheApp->CallAfter([handle, message, wparam, lparam] {
    TtWindow::WindowProcedure(handle, message, wparam, lparam);
  });
}

TtWin::HWND DesktopHandle() { return DesktopMarker(); }

}  // namespace TtBackend

bool TtWx::IsDesktop(TtWin::HWND handle) { return handle == DesktopMarker(); }

bool TtWxInternal::PlatformReady() { return platform_initialized; }
