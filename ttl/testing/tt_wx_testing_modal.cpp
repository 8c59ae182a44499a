// The test driver's answers for modal things: message boxes, file and folder choosers, the
// program's own dialogs and pop-up menus, each expected in turn through the widget set's hook
// for modal dialogs.
#include "ttl/testing/tt_testing.h"

#include <wx/testing.h>

#include <deque>

#include "ttl/core/tt_menu.h"
#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_property_sheet.h"
#include "ttl/gui/wx/tt_wx_internal.h"
#include "ttl/testing/tt_wx_testing_internal.h"

namespace TtTesting {

using TtTestingInternal::LabelsLeftToRight;

namespace {

int ToWxAnswer(int answer) {
  switch (answer) {
    case TtWin::IDOK:
      return wxID_OK;
    case TtWin::IDYES:
      return wxID_YES;
    case TtWin::IDNO:
      return wxID_NO;
    default:
      return wxID_CANCEL;
  }
}

// One expected modal thing: answers with wxID_NONE when the dialog is of another kind.
class Expectation : public wxModalExpectation {
public:
  Expectation(std::function<int(wxDialog*)> invoke, const char* description)
      : invoke_(std::move(invoke)), description_(description) {}
  int Invoke(wxDialog* dialog) const override { return invoke_(dialog); }

protected:
  wxString GetDefaultDescription() const override { return description_; }

private:
  std::function<int(wxDialog*)> invoke_;
  wxString description_;
};

class Hook : public wxTestingModalHook {
public:
  explicit Hook(std::vector<std::string>& failures) : failures_(failures) {}

  // Actions for modal things shown for real: each runs once its dialog is on screen.
  std::deque<std::function<void(wxDialog*)>> shown;

protected:
  int Enter(wxDialog* dialog) override {
    // The file chooser's showing passes the hook twice.
    if (dialog == shown_for_real_) return wxID_NONE;
    if (!shown.empty()) {
      shown_for_real_ = dialog;
      auto action = std::move(shown.front());
      shown.pop_front();
      dialog->CallAfter([dialog, action] {
        // Until the window manager has placed and drawn it.
        for (int round = 0; round < 20; ++round) {
          wxYield();
          wxMilliSleep(15);
        }
        action(dialog);
      });
      return wxID_NONE;
    }
    int answer = wxTestingModalHook::Enter(dialog);
    // Nothing may wait for a person: an unexpected dialog is closed as cancelled.
    return answer == wxID_NONE ? wxID_CANCEL : answer;
  }
  void Exit(wxDialog* dialog) override {
    if (dialog == shown_for_real_) shown_for_real_ = nullptr;
    wxTestingModalHook::Exit(dialog);
  }
  void ReportFailure(const wxString& message) override {
    failures_.push_back(std::string(message.utf8_str()));
  }

private:
  std::vector<std::string>& failures_;
  wxDialog* shown_for_real_ = nullptr;
};

}  // namespace

struct ModalAnswers::State {
  std::vector<std::string> failures;
  std::deque<std::unique_ptr<Expectation>> expectations;
  std::deque<std::function<PopupChoice(const TtMenu&, TtWin::POINT)>> popups;
  Hook hook{failures};

  void Add(std::function<int(wxDialog*)> invoke, const char* description) {
    expectations.push_back(std::make_unique<Expectation>(std::move(invoke), description));
    hook.AddExpectation(*expectations.back());
  }
};

ModalAnswers::ModalAnswers() : state_(new State) {
  State* state = state_.get();
  TtWxInternal::PopupMenuHook() = [state](TtMenuModel& menu, TtWin::POINT point,
                                          TtWin::HMENU& chosen, int& position) {
    if (state->popups.empty()) {
      state->failures.push_back("A pop-up menu was shown unexpectedly.");
      return false;
    }
    auto choose = std::move(state->popups.front());
    state->popups.pop_front();
    PopupChoice choice = choose(TtMenu(&menu), point);
    chosen = choice.menu;
    position = choice.position;
    return chosen != nullptr;
  };
}

ModalAnswers::~ModalAnswers() { TtWxInternal::PopupMenuHook() = nullptr; }

ModalAnswers& ModalAnswers::MessageBox(int answer, MessageBoxSeen* seen) {
  state_->Add(
      [answer, seen](wxDialog* dialog) -> int {
        auto* box = dynamic_cast<TtWxInternal::MessageBox*>(dialog);
        if (!box) return wxID_NONE;
        if (seen) {
          seen->text = TtWx::FromWxString(box->GetText());
          seen->caption = TtWx::FromWxString(box->GetTitle());
          seen->button_set = box->GetButtonSet();
          seen->icon = box->GetIcon();
          seen->icon_shown = box->ShowsIcon();
          seen->buttons = LabelsLeftToRight(box);
        }
        return ToWxAnswer(answer);
      },
      "a message box");
  return *this;
}

namespace {

wxString PathAnswer(const std::string& path, bool as_typed) {
  return as_typed ? wxString::FromUTF8(path) : TtWx::ToWxPath(path);
}

int AnswerFileDialog(wxDialog* dialog, const std::vector<std::string>* paths, FileDialogSeen* seen,
                     bool as_typed = false) {
  auto* file_dialog = dynamic_cast<TtWxInternal::FileDialog*>(dialog);
  if (!file_dialog) return wxID_NONE;
  if (seen) {
    long style = file_dialog->GetWindowStyle();
    seen->title = TtWx::FromWxString(file_dialog->GetMessage());
    seen->directory = TtWx::FromWxString(file_dialog->initial_directory);
    seen->file_name = TtWx::FromWxString(file_dialog->initial_file_name);
    seen->filter_text = TtWx::FromWxString(file_dialog->GetWildcard());
    seen->save = (style & wxFD_SAVE) != 0;
    seen->multiple = (style & wxFD_MULTIPLE) != 0;
    seen->overwrite_prompt = (style & wxFD_OVERWRITE_PROMPT) != 0;
    seen->file_must_exist = (style & wxFD_FILE_MUST_EXIST) != 0;
    seen->accept_button = TtWx::FromWxString(TtWxInternal::ChooserButtonText(file_dialog, true));
    seen->cancel_button = TtWx::FromWxString(TtWxInternal::ChooserButtonText(file_dialog, false));
  }
  if (!paths) return wxID_CANCEL;
  wxArrayString answered;
  for (const std::string& path : *paths) answered.Add(PathAnswer(path, as_typed));
  file_dialog->answered_paths = answered;
  return wxID_OK;
}

int AnswerFolderBrowser(wxDialog* dialog, const std::string* path, FolderBrowserSeen* seen,
                        bool as_typed = false) {
  auto* browser = dynamic_cast<TtWxInternal::DirDialog*>(dialog);
  if (!browser) return wxID_NONE;
  if (seen) {
    seen->description = TtWx::FromWxString(browser->GetMessage());
    seen->initial_path = TtWx::FromWxString(browser->initial_path);
    seen->accept_button = TtWx::FromWxString(TtWxInternal::ChooserButtonText(browser, true));
    seen->cancel_button = TtWx::FromWxString(TtWxInternal::ChooserButtonText(browser, false));
  }
  if (!path) return wxID_CANCEL;
  browser->answered_path = PathAnswer(*path, as_typed);
  return wxID_OK;
}

}  // namespace

ModalAnswers& ModalAnswers::FileDialog(std::vector<std::string> paths, FileDialogSeen* seen) {
  state_->Add([paths, seen](wxDialog* dialog) { return AnswerFileDialog(dialog, &paths, seen); },
              "a file dialog");
  return *this;
}

ModalAnswers& ModalAnswers::FileDialogAsTyped(std::vector<std::string> utf8_paths,
                                              FileDialogSeen* seen) {
  state_->Add([utf8_paths, seen](
                  wxDialog* dialog) { return AnswerFileDialog(dialog, &utf8_paths, seen, true); },
              "a file dialog");
  return *this;
}

ModalAnswers& ModalAnswers::CancelFileDialog(FileDialogSeen* seen) {
  state_->Add([seen](wxDialog* dialog) { return AnswerFileDialog(dialog, nullptr, seen); },
              "a file dialog");
  return *this;
}

ModalAnswers& ModalAnswers::CancelFileDialogShown() {
  state_->hook.shown.push_back([](wxDialog* dialog) { dialog->EndModal(wxID_CANCEL); });
  return *this;
}

ModalAnswers& ModalAnswers::MessageBoxShown(std::function<void(TtWin::RECT shown)> action) {
  state_->hook.shown.push_back([action](wxDialog* dialog) {
    if (dynamic_cast<TtWxInternal::MessageBox*>(dialog))
      action(TtWx::ToRect(TtWx::OuterRectangleOnScreen(dialog)));
    if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
  });
  return *this;
}

ModalAnswers& ModalAnswers::DialogShown(std::function<void(TtWindow& dialog)> action) {
  state_->hook.shown.push_back([action](wxDialog* dialog) {
    if (TtWindow* window = TtWindow::FromHandle(TtWx::ToHandle(dialog))) action(*window);
    if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
  });
  return *this;
}

ModalAnswers& ModalAnswers::FolderBrowser(std::string path, FolderBrowserSeen* seen) {
  state_->Add([path, seen](wxDialog* dialog) { return AnswerFolderBrowser(dialog, &path, seen); },
              "a folder browser");
  return *this;
}

ModalAnswers& ModalAnswers::FolderBrowserAsTyped(std::string utf8_path, FolderBrowserSeen* seen) {
  state_->Add([utf8_path, seen](
                  wxDialog* dialog) { return AnswerFolderBrowser(dialog, &utf8_path, seen, true); },
              "a folder browser");
  return *this;
}

ModalAnswers& ModalAnswers::CancelFolderBrowser(FolderBrowserSeen* seen) {
  state_->Add([seen](wxDialog* dialog) { return AnswerFolderBrowser(dialog, nullptr, seen); },
              "a folder browser");
  return *this;
}

ModalAnswers& ModalAnswers::Dialog(std::function<void(TtWindow&)> action) {
  state_->Add(
      [action](wxDialog* dialog) -> int {
        TtWindow* window = TtWindow::FromHandle(TtWx::ToHandle(dialog));
        if (!window) return wxID_NONE;
        action(*window);
        if (auto* sheet = dynamic_cast<TtPropertySheet*>(window))
          return std::max(sheet->GetClosingResult(), 0);
        if (auto* own = dynamic_cast<TtDialog*>(window))
          return own->HasEnded() ? own->GetResult() : 0;
        return wxID_NONE;
      },
      "a dialog of the toolkit");
  return *this;
}

ModalAnswers& ModalAnswers::PopupMenu(
    std::function<PopupChoice(const TtMenu&, TtWin::POINT)> choose) {
  state_->popups.push_back(std::move(choose));
  return *this;
}

std::vector<std::string> ModalAnswers::Finish() {
  state_->hook.CheckUnmetExpectations();
  if (!state_->popups.empty()) state_->failures.push_back("An expected pop-up menu was not shown.");
  if (!state_->hook.shown.empty())
    state_->failures.push_back("A dialog expected on screen was not shown.");
  state_->hook.shown.clear();
  state_->popups.clear();
  return state_->failures;
}

}  // namespace TtTesting
