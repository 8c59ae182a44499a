// Clipboard text over the widget set. The flush at exit is left out on purpose: on X11 it asks
// the desktop's clipboard manager to take the data over, which hangs or crashes some desktops.
#include <wx/clipbrd.h>

#include <cerrno>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_clipboard.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/wx/tt_wx.h"
#include "ttl/gui/wx/tt_wx_picture.h"

bool TtClipboard::SetString(const std::string& text) {
  if (!TtForm::IsPlatformInitialized())
    throw TT_SYSTEM_CALL_ERROR("tt_clipboard", "::OpenClipboard", ENXIO);
  wxClipboardLocker locker;
  if (!locker) return false;
  wxTheClipboard->Clear();
  if (!wxTheClipboard->SetData(new wxTextDataObject(TtWx::ToWxString(text)))) {
    throw TT_SYSTEM_CALL_ERROR("tt_clipboard", "::SetClipboardData", EIO);
  }
  return true;
}

bool TtClipboard::SetPicture(const TtPicture& picture) {
  if (!TtForm::IsPlatformInitialized())
    throw TT_SYSTEM_CALL_ERROR("tt_clipboard", "::OpenClipboard", ENXIO);
  wxClipboardLocker locker;
  if (!locker) return false;
  wxTheClipboard->Clear();
  if (!wxTheClipboard->SetData(new wxBitmapDataObject(wxBitmap(TtWx::PictureImage(picture))))) {
    throw TT_SYSTEM_CALL_ERROR("tt_clipboard", "::SetClipboardData", EIO);
  }
  return true;
}

namespace {

bool GetClipboardText(wxString& text) {
  if (!TtForm::IsPlatformInitialized())
    throw TT_SYSTEM_CALL_ERROR("tt_clipboard", "::OpenClipboard", ENXIO);
  wxClipboardLocker locker;
  if (!locker || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) return false;
  wxTextDataObject data;
  if (!wxTheClipboard->GetData(data)) return false;
  text = data.GetText();
  return true;
}

}  // namespace

bool TtClipboard::GetString(std::string& text) {
  wxString clipboard_text;
  if (!GetClipboardText(clipboard_text)) return false;
  text = TtWx::FromWxString(clipboard_text);
  return true;
}

bool TtClipboard::GetUtf8String(std::string& text) {
  wxString clipboard_text;
  if (!GetClipboardText(clipboard_text)) return false;
  text = clipboard_text.utf8_string();
  return true;
}
