// Dialogs, property sheets, message boxes and the common dialogs over the widget set.
#include <wx/artprov.h>
#include <wx/notebook.h>
#include <wx/statbmp.h>

#include <dlfcn.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_backend.h"
#include "ttl/gui/tt_dialog.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ttl/gui/tt_folder_browser_dialog.h"
#include "ttl/gui/tt_message_box.h"
#include "ttl/gui/tt_property_sheet.h"
#include "ttl/gui/wx/tt_wx_internal.h"

namespace {

wxWindow* NativeParent(TtWindow* parent) {
  if (!parent || !parent->GetHandle() || TtWx::IsDesktop(parent->GetHandle())) return nullptr;
  return TtWx::ToWx(parent->GetHandle());
}

// The dialog keyboard: Enter and Escape become the commands IDOK and IDCANCEL of the dialog
// (Enter on a focused push button clicks that button instead), and go where commands go.
void BindDialogKeys(wxDialog* dialog) {
  TtWin::HWND handle = TtWx::ToHandle(dialog);
  dialog->Bind(wxEVT_CHAR_HOOK, [dialog, handle](wxKeyEvent& event) {
    int key = event.GetKeyCode();
    if (key == WXK_ESCAPE) {
      TtWindow::WindowProcedure(handle, TtWin::WM_COMMAND, TtWin::MakeWParam(TtWin::IDCANCEL, 0),
                                0);
      return;
    }
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
      wxWindow* focus = wxWindow::FindFocus();
      if (focus && dynamic_cast<wxButton*>(focus) && wxGetTopLevelParent(focus) == dialog) {
        TtWx::SendCommandToParent(focus, TtWin::BN_CLICKED);
      } else {
        TtWindow::WindowProcedure(handle, TtWin::WM_COMMAND, TtWin::MakeWParam(TtWin::IDOK, 0), 0);
      }
      return;
    }
    event.Skip();
  });
}

// A property sheet: a book of pages over a row of buttons.
class SheetDialog : public wxDialog {
public:
  SheetDialog(wxWindow* parent, bool apply_button)
      : wxDialog(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                 wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    book_ = new wxNotebook(this, wxID_ANY);
    // OK, キャンセル, 適用 from left to right, as the program's users know them; the widget set's
    // standard row would put キャンセル first.
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, wxID_OK, "OK"));
    buttons->Add(new wxButton(this, wxID_CANCEL, TtWx::ToWxString("キャンセル")), 0, wxLEFT, 6);
    if (apply_button)
      buttons->Add(new wxButton(this, wxID_APPLY, TtWx::ToWxString("適用")), 0, wxLEFT, 6);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(book_, 1, wxEXPAND | wxALL, 6);
    column->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 6);
    SetSizer(column);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
          if (auto* sheet = Sheet()) sheet->PressOk();
        },
        wxID_OK);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
          if (auto* sheet = Sheet()) sheet->PressCancel();
        },
        wxID_CANCEL);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
          if (auto* sheet = Sheet()) sheet->PressApply();
        },
        wxID_APPLY);
    book_->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, [this](wxBookCtrlEvent& event) {
      // The sheet decides, after asking the current page to let go.
      int target = event.GetSelection();
      event.Veto();
      CallAfter([this, target] {
        if (auto* sheet = Sheet()) sheet->SelectPage(target);
      });
    });
  }

  wxNotebook* Book() const { return book_; }

private:
  TtPropertySheet* Sheet() {
    return dynamic_cast<TtPropertySheet*>(TtWindow::FromHandle(TtWx::ToHandle(this)));
  }

  wxNotebook* book_;
};

}  // namespace

TtWin::HWND TtBackend::CreateDialogWindow(TtDialog& dialog, TtWindow* parent, bool) {
  if (!TtForm::IsPlatformInitialized())
    throw TT_SYSTEM_CALL_ERROR("tt_dialog", "::CreateDialogIndirectParam", ENXIO);
  wxWindow* native_parent = NativeParent(parent);
  // The template's place and size: 100 dialog units from the owner's corner, 100 units square.
  wxPoint origin = native_parent ? native_parent->GetScreenPosition() : wxPoint(0, 0);
  wxPoint position(origin.x + TtPropertySheet::DialogUnitsToPixelsX(100),
                   origin.y + TtPropertySheet::DialogUnitsToPixelsY(100));
  wxSize size(TtPropertySheet::DialogUnitsToPixelsX(100),
              TtPropertySheet::DialogUnitsToPixelsY(100));
  auto* widget =
      new wxDialog(native_parent, wxID_ANY, wxEmptyString, position, size,
                   TtWxInternal::TopLevelStyle(dialog.GetStyle(), dialog.GetExtendedStyle()));
  TtWxInternal::BindCommonEvents(widget);
  TtWxInternal::BindPanelEvents(widget);
  BindDialogKeys(widget);
  return TtWx::ToHandle(widget);
}

int TtBackend::RunModal(TtWin::HWND handle) {
  auto* dialog = dynamic_cast<wxDialog*>(TtWx::ToWx(handle));
  if (!dialog) throw TT_SYSTEM_CALL_ERROR("tt_dialog", "::DialogBoxIndirectParam", EBADF);
  if (auto* sheet = dynamic_cast<SheetDialog*>(dialog)) {
    sheet->Fit();
    sheet->CentreOnParent();
  } else {
    // Laid out before it appears, as the platform sends the first size message on showing.
    TtWxInternal::SendSizeMessage(dialog);
  }
  int answer = dialog->ShowModal();
  wxTheApp->RethrowStoredException();
  return answer;
}

bool TtBackend::EndModal(TtWin::HWND handle, int result) {
  auto* dialog = dynamic_cast<wxDialog*>(TtWx::ToWx(handle));
  if (!dialog) throw TT_SYSTEM_CALL_ERROR("tt_dialog", "::EndDialog", EBADF);
  if (!dialog->IsModal()) return false;
  dialog->EndModal(result);
  return true;
}

TtWin::HWND TtBackend::CreatePropertySheetWindow(TtPropertySheet& sheet, TtWindow* parent) {
  if (!TtForm::IsPlatformInitialized())
    throw TT_SYSTEM_CALL_ERROR("tt_property_sheet", "::PropertySheet", ENXIO);
  auto* widget = new SheetDialog(NativeParent(parent), sheet.ShowsApplyButton());
  TtWxInternal::BindCommonEvents(widget);
  return TtWx::ToHandle(widget);
}

TtWin::HWND TtBackend::CreatePropertyPageWindow(TtWin::HWND sheet, const std::string& title,
                                                int width_units, int height_units) {
  auto* dialog = dynamic_cast<SheetDialog*>(TtWx::ToWx(sheet));
  if (!dialog) throw TT_SYSTEM_CALL_ERROR("tt_property_sheet", "::CreatePropertySheetPage", EBADF);
  wxSize size(TtPropertySheet::DialogUnitsToPixelsX(width_units),
              TtPropertySheet::DialogUnitsToPixelsY(height_units));
  auto* page = new wxPanel(dialog->Book(), wxID_ANY, wxDefaultPosition, size, wxTAB_TRAVERSAL);
  page->SetMinSize(size);
  dialog->Book()->AddPage(page, TtWx::ToWxString(title));
  TtWxInternal::BindCommonEvents(page);
  TtWxInternal::BindPanelEvents(page);
  return TtWx::ToHandle(page);
}

void TtBackend::SelectPropertyPage(TtWin::HWND sheet, int index) {
  if (auto* dialog = dynamic_cast<SheetDialog*>(TtWx::ToWx(sheet)))
    dialog->Book()->ChangeSelection(index);
}

int TtBackend::GetSelectedPropertyPage(TtWin::HWND sheet) {
  auto* dialog = dynamic_cast<SheetDialog*>(TtWx::ToWx(sheet));
  return dialog ? dialog->Book()->GetSelection() : -1;
}

// ---------------------------------------------------------------------------------------------
// Message boxes

namespace {

const char* IconArt(int icon) {
  switch (icon) {
    case TtWin::MB_ICONERROR:
      return wxART_ERROR;
    case TtWin::MB_ICONWARNING:
      return wxART_WARNING;
    case TtWin::MB_ICONQUESTION:
      return wxART_QUESTION;
    case TtWin::MB_ICONINFORMATION:
      return wxART_INFORMATION;
    default:
      return nullptr;
  }
}

struct ButtonSpec {
  int id;
  const char* text;
};

std::vector<ButtonSpec> ButtonsOf(int button_set) {
  switch (button_set) {
    case TtWin::MB_OKCANCEL:
      return {{wxID_OK, "OK"}, {wxID_CANCEL, "キャンセル"}};
    case TtWin::MB_YESNO:
      return {{wxID_YES, "はい"}, {wxID_NO, "いいえ"}};
    case TtWin::MB_YESNOCANCEL:
      return {{wxID_YES, "はい"}, {wxID_NO, "いいえ"}, {wxID_CANCEL, "キャンセル"}};
    default:
      return {{wxID_OK, "OK"}};
  }
}

}  // namespace

TtWxInternal::MessageBox::MessageBox(wxWindow* parent, const wxString& text,
                                     const wxString& caption, int button_set, int icon,
                                     bool second_is_default)
    : wxDialog(parent, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      text_(text),
      button_set_(button_set),
      icon_(icon) {
  auto* body = new wxBoxSizer(wxHORIZONTAL);
  if (const char* art = IconArt(icon)) {
    wxBitmap picture = wxArtProvider::GetBitmap(art, wxART_MESSAGE_BOX);
    if (picture.IsOk()) {
      body->Add(new wxStaticBitmap(this, wxID_ANY, picture), 0, wxALL, 12);
      shows_icon_ = true;
    }
  }
  body->Add(new wxStaticText(this, wxID_ANY, text), 1, wxALIGN_CENTRE_VERTICAL | wxALL, 12);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  std::vector<ButtonSpec> specs = ButtonsOf(button_set);
  for (size_t index = 0; index < specs.size(); ++index) {
    auto* button = new wxButton(this, specs[index].id, TtWx::ToWxString(specs[index].text));
    row->Add(button, 0, index ? wxLEFT : 0, 6);
    button->Bind(wxEVT_BUTTON, [this, id = specs[index].id](wxCommandEvent&) { EndModal(id); });
    if (index == (second_is_default && specs.size() > 1 ? 1u : 0u)) {
      button->SetDefault();
      button->SetFocus();
    }
  }
  // Escape and the close box answer as the platform's boxes do: Cancel where there is one,
  // otherwise No, otherwise OK.
  bool has_cancel = button_set == TtWin::MB_OKCANCEL || button_set == TtWin::MB_YESNOCANCEL;
  SetEscapeId(has_cancel ? wxID_CANCEL : button_set == TtWin::MB_YESNO ? wxID_NO : wxID_OK);
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(body, 1, wxEXPAND);
  column->Add(row, 0, wxALIGN_CENTRE | wxLEFT | wxRIGHT | wxBOTTOM, 12);
  SetSizerAndFit(column);
  CentreOnParent();
}

int TtMessageBox::Show(TtWindow* owner) const {
  bool yes_no = button_set_ == TtWin::MB_YESNO || button_set_ == TtWin::MB_YESNOCANCEL;
  if (!TtForm::IsPlatformInitialized()) {
    std::fprintf(stderr, "%s: %s\n", TtString::Cp932ToUtf8(caption_).c_str(),
                 TtString::Cp932ToUtf8(text_).c_str());
    if (default_button_ == TtWin::MB_DEFBUTTON2) return yes_no ? TtWin::IDNO : TtWin::IDCANCEL;
    return yes_no ? TtWin::IDYES : TtWin::IDOK;
  }
  TtWxInternal::MessageBox dialog(NativeParent(owner), TtWx::ToWxString(text_),
                                  TtWx::ToWxString(caption_), button_set_, icon_,
                                  default_button_ == TtWin::MB_DEFBUTTON2);
  int answer = dialog.ShowModal();
  wxTheApp->RethrowStoredException();
  switch (answer) {
    case wxID_OK:
      return TtWin::IDOK;
    case wxID_YES:
      return TtWin::IDYES;
    case wxID_NO:
      return TtWin::IDNO;
    default:
      return TtWin::IDCANCEL;
  }
}

// ---------------------------------------------------------------------------------------------
// File dialogs and the folder browser

// The chooser is the desktop's own dialog; its buttons are reached through its responses, with
// the widget set's toolkit functions looked up in the running program (it has them loaded).
namespace {

constexpr int kResponseAccept = -3;
constexpr int kResponseCancel = -6;

template <class Function>
Function* ToolkitFunction(const char* name) {
  return reinterpret_cast<Function*>(dlsym(RTLD_DEFAULT, name));
}

void* ChooserButton(wxWindow* chooser, int response) {
  static auto* find = ToolkitFunction<void*(void*, int)>("gtk_dialog_get_widget_for_response");
  return find ? find(chooser->GetHandle(), response) : nullptr;
}

}  // namespace

void TtWxInternal::SetChooserButtonTexts(wxWindow* chooser, const char* accept,
                                         const char* cancel) {
  static auto* set_label = ToolkitFunction<void(void*, const char*)>("gtk_button_set_label");
  if (!set_label) return;
  if (void* button = ChooserButton(chooser, kResponseAccept))
    set_label(button, TtWx::ToWxString(accept).utf8_str());
  if (void* button = ChooserButton(chooser, kResponseCancel))
    set_label(button, TtWx::ToWxString(cancel).utf8_str());
}

wxString TtWxInternal::ChooserButtonText(wxWindow* chooser, bool accept) {
  static auto* get_label = ToolkitFunction<const char*(void*)>("gtk_button_get_label");
  void* button = ChooserButton(chooser, accept ? kResponseAccept : kResponseCancel);
  const char* label = button && get_label ? get_label(button) : nullptr;
  return label ? wxString::FromUTF8(label) : wxString();
}

namespace {

// On the classic platform "*.*" means every file, with or without a dot in its name; the
// widget set matches it literally, so it becomes "*" there. Filter names stay as given.
wxString NativeWildcard(const std::string& filter_text) {
  wxArrayString parts = wxSplit(TtWx::ToWxString(filter_text), '|', '\0');
  for (size_t index = 1; index < parts.size(); index += 2) {
    wxArrayString patterns = wxSplit(parts[index], ';', '\0');
    for (wxString& pattern : patterns) {
      if (pattern == "*.*") pattern = "*";
    }
    parts[index] = wxJoin(patterns, ';', '\0');
  }
  return wxJoin(parts, '|', '\0');
}

}  // namespace

bool TtFileDialog::Show(TtWindow* parent, bool save, bool overwrite_prompt) {
  if (!TtForm::IsPlatformInitialized()) {
    throw TT_SYSTEM_CALL_ERROR("tt_dialog", save ? "::GetSaveFileName" : "::GetOpenFileName",
                               ENXIO);
  }
  long style = save ? wxFD_SAVE : wxFD_OPEN;
  if (save && overwrite_prompt) style |= wxFD_OVERWRITE_PROMPT;
  if (!save && file_must_exist_) style |= wxFD_FILE_MUST_EXIST;
  if (!save && allow_multi_select_) style |= wxFD_MULTIPLE;
  if (!no_change_directory_) style |= wxFD_CHANGE_DIR;
  std::string title = !title_.empty() ? title_
                      : save          ? std::string("名前を付けて保存")
                                      : std::string("開く");
  TtWxInternal::FileDialog dialog(
      NativeParent(parent), TtWx::ToWxString(title), TtWx::ToWxString(initial_directory_),
      TtWx::ToWxString(file_name_), NativeWildcard(BuildFilterText()), style);
  TtWxInternal::SetChooserButtonTexts(&dialog, save ? "保存" : "開く", "キャンセル");
  dialog.initial_directory = TtWx::ToWxString(initial_directory_);
  dialog.initial_file_name = TtWx::ToWxString(file_name_);
  if (!filters_.empty()) {
    dialog.SetFilterIndex(std::clamp(filter_index_ - 1, 0, static_cast<int>(filters_.size()) - 1));
  }
  int answer = dialog.ShowModal();
  wxTheApp->RethrowStoredException();
  if (answer != wxID_OK) return false;
  wxArrayString paths;
  if (dialog.answered_paths) {
    paths = *dialog.answered_paths;
  } else if (style & wxFD_MULTIPLE) {
    dialog.GetPaths(paths);
  } else {
    paths.Add(dialog.GetPath());
  }
  std::vector<std::string> chosen;
  refused_names_.clear();
  for (const wxString& path : paths) {
    std::string name;
    try {
      name = TtWx::FromWxPath(path);
    } catch (const TtFileAccessException& error) {
      if (paths.size() == 1) throw;
      refused_names_.push_back(error);
      continue;
    }
    if (!default_extension_.empty() &&
        std::filesystem::path(TtString::ToSystemPath(name)).extension().empty()) {
      name += "." + default_extension_;
    }
    chosen.push_back(name);
  }
  if (chosen.empty() && !refused_names_.empty()) throw refused_names_.front();
  if (chosen.empty()) return false;
  file_names_ = std::move(chosen);
  if (!filters_.empty()) filter_index_ = dialog.GetFilterIndex() + 1;
  return true;
}

bool TtFolderBrowserDialog::ShowDialog(TtWindow* parent) {
  if (!TtForm::IsPlatformInitialized()) {
    throw TT_SYSTEM_CALL_ERROR("tt_folder_browser_dialog", "::SHBrowseForFolder", ENXIO);
  }
  std::string title = description_.empty() ? std::string("フォルダの参照") : description_;
  TtWxInternal::DirDialog dialog(NativeParent(parent), TtWx::ToWxString(title),
                                 TtWx::ToWxString(selected_path_),
                                 wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  TtWxInternal::SetChooserButtonTexts(&dialog, "選択", "キャンセル");
  dialog.initial_path = TtWx::ToWxString(selected_path_);
  int answer = dialog.ShowModal();
  wxTheApp->RethrowStoredException();
  if (answer != wxID_OK) return false;
  wxString path = dialog.answered_path ? *dialog.answered_path : dialog.GetPath();
  if (path.empty())
    throw TT_SYSTEM_CALL_ERROR("tt_folder_browser_dialog", "::SHGetPathFromIDList", ENOENT);
  selected_path_ = TtWx::FromWxPath(path);
  return true;
}
