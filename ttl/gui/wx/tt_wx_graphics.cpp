// Fonts, icons, bitmaps, image lists, the drag image and painting over the widget set.
#include <wx/dcclient.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/popupwin.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_bmp_image.h"
#include "ttl/gui/tt_device_context.h"
#include "ttl/gui/tt_font.h"
#include "ttl/gui/tt_icon.h"
#include "ttl/gui/tt_image_list.h"
#include "ttl/gui/tt_window.h"
#include "ttl/gui/wx/tt_wx_internal.h"
#include "ttl/gui/wx/tt_wx_picture.h"

// ---------------------------------------------------------------------------------------------
// Fonts

struct TtFontData {
  int height;
  int weight;
  bool italic;
  bool underline;
  bool strike_out;
  int char_set;
  int pitch_and_family;
  std::string face_name;
  std::optional<wxFont> native;
};

TtFont::TtFont(int height, int weight, bool italic, bool underline, bool strike_out, int char_set,
               int pitch_and_family, const std::string& face_name)
    : data_(new TtFontData{height,
                           weight,
                           italic,
                           underline,
                           strike_out,
                           char_set,
                           pitch_and_family,
                           face_name,
                           {}}) {}

TtFont::~TtFont() = default;
TtFont::TtFont(TtFont&&) noexcept = default;
TtFont& TtFont::operator=(TtFont&&) noexcept = default;

int TtFont::GetHeight() const { return data_->height; }
int TtFont::GetWeight() const { return data_->weight; }
int TtFont::GetPitchAndFamily() const { return data_->pitch_and_family; }
const std::string& TtFont::GetFaceName() const { return data_->face_name; }

const TtFont& TtFont::DefaultControlFont() {
  static TtFont font(12, TtWin::FW_NORMAL, false, false, false, TtWin::SHIFTJIS_CHARSET);
  return font;
}

const wxFont& TtWx::NativeFont(const TtFont& font) {
  TtFontData& data = *font.GetData();
  if (!data.native) {
    // The platform's height is the character cell; the widget set sizes the glyphs, which for
    // the Japanese fonts fill most of the cell, so the glyph size is one pixel less.
    int pixels = std::max(std::abs(data.height) - 1, 6);
    wxFontInfo info{wxSize(0, pixels)};
    info.Family((data.pitch_and_family & 0xF0) == TtWin::FF_MODERN ? wxFONTFAMILY_MODERN
                                                                   : wxFONTFAMILY_DEFAULT);
    if (data.weight > 0) info.Weight(std::clamp(data.weight, 100, 900));
    info.Italic(data.italic).Underlined(data.underline).Strikethrough(data.strike_out);
    if (!data.face_name.empty()) info.FaceName(TtWx::ToWxString(data.face_name));
    data.native = wxFont(info);
  }
  return *data.native;
}

// ---------------------------------------------------------------------------------------------
// Pictures

namespace {

// Reads a picture file without the widget set's own error boxes; errno-style codes on failure.
wxImage ReadImage(const std::string& path, const char* call, const char* module) {
  std::string system_path = TtString::ToSystemPath(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(system_path, error))
    throw TT_SYSTEM_CALL_ERROR(module, call, ENOENT);
  wxLogNull no_log;
  wxImage image;
  if (!image.LoadFile(wxString::FromUTF8(system_path), wxBITMAP_TYPE_ANY) || !image.IsOk()) {
    throw TT_SYSTEM_CALL_ERROR(module, call, EINVAL);
  }
  return image;
}

std::map<std::string, std::pair<const unsigned char*, std::size_t>>& IconResources() {
  static std::map<std::string, std::pair<const unsigned char*, std::size_t>> resources;
  return resources;
}

}  // namespace

struct TtIconData {
  wxBitmap bitmap;
};

TtIcon::TtIcon() : data_(std::make_shared<TtIconData>()) {}
TtIcon::~TtIcon() = default;
TtIcon::TtIcon(const TtIcon&) = default;
TtIcon& TtIcon::operator=(const TtIcon&) = default;

TtIcon TtIcon::LoadFromFile(const std::string& path) {
  TtIcon icon;
  icon.data_->bitmap = wxBitmap(ReadImage(path, "::LoadImage", "tt_icon"));
  return icon;
}

TtIcon TtIcon::FromPngData(const unsigned char* data, std::size_t size) {
  wxLogNull no_log;
  wxMemoryInputStream stream(data, size);
  wxImage image(stream, wxBITMAP_TYPE_PNG);
  if (!image.IsOk()) throw TT_SYSTEM_CALL_ERROR("tt_icon", "::LoadIcon", EINVAL);
  TtIcon icon;
  icon.data_->bitmap = wxBitmap(image);
  return icon;
}

TtIcon TtIcon::FromXpm(const char* const* xpm) {
  wxLogNull no_log;
  wxImage image(xpm);
  if (!image.IsOk()) throw TT_SYSTEM_CALL_ERROR("tt_icon", "::LoadIcon", EINVAL);
  TtIcon icon;
  icon.data_->bitmap = wxBitmap(image);
  return icon;
}

void TtIcon::RegisterResource(const std::string& name, const unsigned char* png_data,
                              std::size_t size) {
  IconResources()[name] = {png_data, size};
}

TtIcon TtIcon::LoadResource(const std::string& name) {
  auto found = IconResources().find(name);
  if (found == IconResources().end()) throw TT_SYSTEM_CALL_ERROR("tt_icon", "::LoadIcon", ENOENT);
  return FromPngData(found->second.first, found->second.second);
}

bool TtIcon::IsEmpty() const { return !data_->bitmap.IsOk(); }
int TtIcon::GetWidth() const { return IsEmpty() ? 0 : data_->bitmap.GetWidth(); }
int TtIcon::GetHeight() const { return IsEmpty() ? 0 : data_->bitmap.GetHeight(); }

void TtWindow::SetIconAsLarge(const TtIcon& icon) {
  RequireHandle("WM_SETICON");
  auto* top = dynamic_cast<wxTopLevelWindow*>(TtWx::ToWx(GetHandle()));
  if (!top || icon.IsEmpty()) return;
  wxIcon native;
  native.CopyFromBitmap(icon.GetData()->bitmap);
  wxIconBundle bundle = top->GetIcons();
  bundle.AddIcon(native);
  top->SetIcons(bundle);
}

void TtWindow::SetIconAsSmall(const TtIcon& icon) { SetIconAsLarge(icon); }

struct TtBmpImageData {
  wxImage image;
};

TtBmpImage::TtBmpImage() = default;
TtBmpImage::~TtBmpImage() = default;
TtBmpImage::TtBmpImage(TtBmpImage&&) noexcept = default;
TtBmpImage& TtBmpImage::operator=(TtBmpImage&&) noexcept = default;

TtBmpImage TtBmpImage::LoadFromFile(const std::string& path) {
  TtBmpImage bitmap;
  bitmap.data_ = std::make_unique<TtBmpImageData>(
      TtBmpImageData{ReadImage(path, "::LoadImage", "tt_bmp_image")});
  return bitmap;
}

bool TtBmpImage::IsEmpty() const { return !data_ || !data_->image.IsOk(); }
int TtBmpImage::GetWidth() const { return IsEmpty() ? 0 : data_->image.GetWidth(); }
int TtBmpImage::GetHeight() const { return IsEmpty() ? 0 : data_->image.GetHeight(); }

TtWin::COLORREF TtBmpImage::GetPixel(int x, int y) const {
  if (IsEmpty() || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) {
    throw TT_SYSTEM_CALL_ERROR("tt_bmp_image", "::GetPixel", EINVAL);
  }
  const wxImage& image = data_->image;
  return TtWin::Rgb(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

// ---------------------------------------------------------------------------------------------
// Image lists

struct TtImageListData {
  int width = 0;
  int height = 0;
  std::vector<wxBitmap> images;
};

TtImageList::TtImageList(int width, int height, int, int)
    : data_(new TtImageListData{width, height, {}}) {}
TtImageList::TtImageList() : data_(new TtImageListData) {}
TtImageList::~TtImageList() = default;
TtImageList::TtImageList(TtImageList&&) noexcept = default;
TtImageList& TtImageList::operator=(TtImageList&&) noexcept = default;

bool TtImageList::IsEmpty() const { return !data_ || data_->images.empty(); }
int TtImageList::GetImageCount() const {
  return data_ ? static_cast<int>(data_->images.size()) : 0;
}
int TtImageList::GetWidth() const { return data_ ? data_->width : 0; }
int TtImageList::GetHeight() const { return data_ ? data_->height : 0; }

namespace {

int AddStrip(TtImageListData& list, const wxImage& strip, const wxColour* mask, const char* call) {
  if (!strip.IsOk() || list.width <= 0 || list.height <= 0)
    throw TT_SYSTEM_CALL_ERROR("tt_image_list", call, EINVAL);
  int first = static_cast<int>(list.images.size());
  for (int left = 0; left + list.width <= strip.GetWidth(); left += list.width) {
    wxImage picture =
        strip.GetSubImage(wxRect(left, 0, list.width, std::min(list.height, strip.GetHeight())));
    if (picture.GetHeight() < list.height)
      picture.Resize(wxSize(list.width, list.height), wxPoint(0, 0));
    if (mask) {
      picture.SetMaskColour(mask->Red(), mask->Green(), mask->Blue());
      // Transparency as an alpha channel draws the same on every surface.
      picture.InitAlpha();
    }
    list.images.emplace_back(picture);
  }
  if (static_cast<int>(list.images.size()) == first)
    throw TT_SYSTEM_CALL_ERROR("tt_image_list", call, EINVAL);
  return first;
}

}  // namespace

int TtImageList::AddMasked(const TtBmpImage& bitmap, TtWin::COLORREF mask_colour) {
  if (bitmap.IsEmpty()) throw TT_SYSTEM_CALL_ERROR("tt_image_list", "ImageList_AddMasked", EINVAL);
  wxColour mask = TtWx::ToWxColour(mask_colour);
  return AddStrip(*data_, bitmap.GetData()->image, &mask, "ImageList_AddMasked");
}

int TtImageList::Add(const TtBmpImage& bitmap) {
  if (bitmap.IsEmpty()) throw TT_SYSTEM_CALL_ERROR("tt_image_list", "ImageList_Add", EINVAL);
  return AddStrip(*data_, bitmap.GetData()->image, nullptr, "ImageList_Add");
}

int TtImageList::AddIcon(const TtIcon& icon) {
  if (icon.IsEmpty()) throw TT_SYSTEM_CALL_ERROR("tt_image_list", "ImageList_AddIcon", EINVAL);
  wxImage image = icon.GetData()->bitmap.ConvertToImage();
  if (image.GetWidth() != data_->width || image.GetHeight() != data_->height) {
    image.Rescale(data_->width, data_->height, wxIMAGE_QUALITY_HIGH);
  }
  data_->images.emplace_back(image);
  return static_cast<int>(data_->images.size()) - 1;
}

TtIcon TtImageList::GetIcon(int index) const {
  if (index < 0 || index >= GetImageCount())
    throw TT_SYSTEM_CALL_ERROR("tt_image_list", "ImageList_GetIcon", EINVAL);
  TtIcon icon;
  icon.GetData()->bitmap = data_->images[index];
  return icon;
}

TtImageList TtWxInternal::ImageListOf(const wxBitmap& bitmap) {
  TtImageList list(bitmap.GetWidth(), bitmap.GetHeight());
  list.GetData()->images.push_back(bitmap);
  return list;
}

const wxBitmap* TtWxInternal::ImageOf(const TtImageList& list, int index) {
  if (!list.GetData() || index < 0 || index >= list.GetImageCount()) return nullptr;
  return &list.GetData()->images[index];
}

// ---------------------------------------------------------------------------------------------
// The drag image: a small borderless window with the picture that follows the pointer, so it
// is drawn the same over every window and needs no drawing on other windows' surfaces.

namespace {

class DragPopup : public wxPopupWindow {
public:
  DragPopup(wxWindow* parent, const wxBitmap& bitmap)
      : wxPopupWindow(parent, wxBORDER_NONE), bitmap_(bitmap) {
    SetSize(bitmap.GetWidth(), bitmap.GetHeight());
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
      wxPaintDC dc(this);
      dc.DrawBitmap(bitmap_, 0, 0, true);
    });
  }

private:
  wxBitmap bitmap_;
};

}  // namespace

struct TtDragImage::State {
  TtImageList list;
  int index = 0;
  wxPoint hot_spot;
  bool dragging = false;
  wxWindow* target = nullptr;
  wxWeakRef<wxWindow> popup;
};

TtDragImage::TtDragImage() : state_(new State) {}

TtDragImage::~TtDragImage() { End(); }

void TtDragImage::Begin(TtImageList image_list, int index, int hot_spot_x, int hot_spot_y) {
  End();
  if (!TtWxInternal::ImageOf(image_list, index))
    throw TT_SYSTEM_CALL_ERROR("tt_image_list", "ImageList_BeginDrag", EINVAL);
  state_->list = std::move(image_list);
  state_->index = index;
  state_->hot_spot = wxPoint(hot_spot_x, hot_spot_y);
  state_->dragging = true;
}

void TtDragImage::Enter(const TtWindow& window, int x, int y) {
  if (!state_->dragging) return;
  if (!window.GetHandle())
    throw TT_SYSTEM_CALL_ERROR("tt_image_list", "ImageList_DragEnter", EBADF);
  state_->target = TtWx::ToWx(window.GetHandle());
  if (!state_->popup) {
    state_->popup = new DragPopup(wxGetTopLevelParent(state_->target),
                                  *TtWxInternal::ImageOf(state_->list, state_->index));
  }
  Move(x, y);
  state_->popup->Show();
}

void TtDragImage::Move(int x, int y) {
  if (!state_->dragging || !state_->target || !state_->popup) return;
  state_->popup->Move(state_->target->ClientToScreen(wxPoint(x, y)) - state_->hot_spot);
}

void TtDragImage::Leave() {
  if (state_->popup) state_->popup->Hide();
}

void TtDragImage::End() {
  if (state_->popup) state_->popup->Destroy();
  state_->popup = nullptr;
  state_->dragging = false;
  state_->target = nullptr;
}

bool TtDragImage::IsDragging() const { return state_->dragging; }

bool TtDragImage::IsShown() const { return state_->popup && state_->popup->IsShown(); }

// ---------------------------------------------------------------------------------------------
// Device contexts

struct TtDeviceContextData {
  std::unique_ptr<wxDC> dc;
};

TtDeviceContext::TtDeviceContext() : data_(new TtDeviceContextData) {}
TtDeviceContext::~TtDeviceContext() = default;

namespace {

wxWindow* PaintTarget(TtWindow& window, const char* call) {
  if (!window.GetHandle()) throw TT_SYSTEM_CALL_ERROR("tt_device_context", call, EBADF);
  return TtWx::ToWx(window.GetHandle());
}

}  // namespace

TtPaintDeviceContext::TtPaintDeviceContext(TtWindow& window) {
  wxWindow* target = PaintTarget(window, "::BeginPaint");
  data_->dc = std::make_unique<wxPaintDC>(target);
  data_->dc->SetFont(target->GetFont());
}

TtReleasableDeviceContext::TtReleasableDeviceContext(TtWindow& window) {
  wxWindow* target = PaintTarget(window, "::GetDC");
  data_->dc = std::make_unique<wxClientDC>(target);
  data_->dc->SetFont(target->GetFont());
}

void TtDeviceContext::DrawIcon(int x, int y, const TtIcon& icon) {
  if (icon.IsEmpty()) throw TT_SYSTEM_CALL_ERROR("tt_device_context", "::DrawIcon", EINVAL);
  data_->dc->DrawBitmap(icon.GetData()->bitmap, x, y, true);
}

void TtDeviceContext::DrawText(int x, int y, const std::string& text) {
  data_->dc->DrawText(TtWx::ToWxString(text), x, y);
}

void TtDeviceContext::DrawPicture(int x, int y, const TtPicture& picture) {
  data_->dc->DrawBitmap(wxBitmap(TtWx::PictureImage(picture)), x, y);
}

void TtDeviceContext::FillRectangle(const TtWin::RECT& rectangle, TtWin::COLORREF colour) {
  data_->dc->SetBrush(wxBrush(TtWx::ToWxColour(colour)));
  data_->dc->SetPen(*wxTRANSPARENT_PEN);
  data_->dc->DrawRectangle(rectangle.left, rectangle.top, rectangle.right - rectangle.left,
                           rectangle.bottom - rectangle.top);
}

void TtDeviceContext::SetTextColour(TtWin::COLORREF colour) {
  data_->dc->SetTextForeground(TtWx::ToWxColour(colour));
}

void TtDeviceContext::SelectFont(const TtFont& font) { data_->dc->SetFont(TtWx::NativeFont(font)); }
