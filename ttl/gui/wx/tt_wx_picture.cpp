// Pictures in memory over the widget set's graphics context (cairo on GTK), which draws into an
// image without a display: the headless tool writes the same pixels the window shows.
#include <wx/fontutil.h>
#include <wx/graphics.h>
#include <wx/init.h>
#include <wx/mstream.h>

#include <cerrno>
#include <map>
#include <memory>
#include <utility>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_file.h"
#include "ttl/gui/tt_form.h"
#include "ttl/gui/tt_picture.h"
#include "ttl/gui/wx/tt_wx.h"
#include "ttl/gui/wx/tt_wx_picture.h"

struct TtPictureData {
  wxImage image;
  std::unique_ptr<wxGraphicsContext> context;
};

namespace {

// The face is named outright: the widget set's default font asks the desktop's theme, which
// needs a display. Fontconfig falls back to another face when this one is missing.
constexpr char kFaceName[] = "Noto Sans CJK JP";

// Without the window platform (the headless tool) the widget set is brought up as a console
// library once, which is all its graphics context needs.
void EnsureDrawingAvailable() {
  // The instance is asked for as the console base: the headless one is no wxApp.
  if (TtForm::IsPlatformInitialized() || wxAppConsole::GetInstance() != nullptr) return;
  static bool initialized = wxInitialize();
  if (!initialized) throw TT_SYSTEM_CALL_ERROR("tt_picture", "wxInitialize", ENXIO);
}

// Fonts are described as the text layout library reads them; the widget set's own font
// constructors consult the desktop's default font, which needs a display.
const wxFont& PictureFont(double size, bool bold) {
  // Kept to the end of the process and never destroyed: the widget set may be gone by then.
  static auto& fonts = *new std::map<std::pair<int, bool>, wxFont>;
  const int tenths = static_cast<int>(size * 10 + 0.5);
  auto found = fonts.find({tenths, bold});
  if (found != fonts.end()) return found->second;
  wxNativeFontInfo info;
  const wxString description =
      wxString::Format("%s%s %g", kFaceName, bold ? " Bold" : "", tenths / 10.0);
  if (!info.FromString(description)) throw TT_SYSTEM_CALL_ERROR("tt_picture", "CreateFont", EINVAL);
  return fonts.emplace(std::make_pair(tenths, bold), wxFont(info)).first->second;
}

void CheckSide(int side) {
  if (side < 1 || side > TtPicture::kMaximumSide)
    throw TtInvalidOperationException(typeid(TtPicture));
}

wxGraphicsContext& MeasuringContext() {
  // Never destroyed, as the fonts above.
  static wxImage& scratch = *new wxImage(1, 1);
  static wxGraphicsContext& context =
      *wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromImage(scratch);
  return context;
}

}  // namespace

TtPicture::TtPicture(int width, int height)
    : width_(width), height_(height), data_(new TtPictureData) {
  CheckSide(width);
  CheckSide(height);
  EnsureDrawingAvailable();
  data_->image.Create(width, height, false);
  data_->image.SetRGB(wxRect(0, 0, width, height), 255, 255, 255);
}

TtPicture::~TtPicture() = default;

void TtPicture::Flush() const {
  // The context writes its pixels back into the image when it goes.
  data_->context.reset();
}

namespace {

wxGraphicsContext& ContextOf(TtPictureData& data) {
  if (!data.context) {
    data.context.reset(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromImage(data.image));
    if (!data.context) throw TT_SYSTEM_CALL_ERROR("tt_picture", "CreateContextFromImage", ENOMEM);
    data.context->SetAntialiasMode(wxANTIALIAS_DEFAULT);
  }
  return *data.context;
}

}  // namespace

void TtPicture::FillRectangle(double x, double y, double width, double height,
                              TtWin::COLORREF colour) {
  wxGraphicsContext& context = ContextOf(*data_);
  context.SetPen(*wxTRANSPARENT_PEN);
  context.SetBrush(wxBrush(TtWx::ToWxColour(colour)));
  context.DrawRectangle(x, y, width, height);
}

void TtPicture::DrawLine(double x1, double y1, double x2, double y2, double line_width,
                         TtWin::COLORREF colour) {
  wxGraphicsContext& context = ContextOf(*data_);
  context.SetPen(context.CreatePen(
      wxGraphicsPenInfo(TtWx::ToWxColour(colour)).Width(line_width).Cap(wxCAP_BUTT)));
  context.StrokeLine(x1, y1, x2, y2);
}

void TtPicture::DrawText(double x, double y, const std::string& text, double size, bool bold,
                         TtWin::COLORREF colour, Align align) {
  wxGraphicsContext& context = ContextOf(*data_);
  context.SetFont(PictureFont(size, bold), TtWx::ToWxColour(colour));
  const wxString native = TtWx::ToWxString(text);
  double width = 0, height = 0;
  context.GetTextExtent(native, &width, &height);
  if (align == Align::Centre) x -= width / 2;
  if (align == Align::Right) x -= width;
  context.DrawText(native, x, y);
}

TtTextSize TtPicture::MeasureText(const std::string& text, double size, bool bold) {
  return MeasureTextOnPicture(text, size, bold);
}

TtTextSize TtPicture::MeasureTextOnPicture(const std::string& text, double size, bool bold) {
  EnsureDrawingAvailable();
  wxGraphicsContext& context = MeasuringContext();
  context.SetFont(PictureFont(size, bold), *wxBLACK);
  TtTextSize extent;
  context.GetTextExtent(TtWx::ToWxString(text), &extent.width, &extent.height);
  return extent;
}

std::string TtPicture::PngBytes() const {
  Flush();
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
  wxMemoryOutputStream stream;
  if (!data_->image.SaveFile(stream, wxBITMAP_TYPE_PNG))
    throw TT_SYSTEM_CALL_ERROR("tt_picture", "SavePng", EIO);
  std::string bytes(stream.GetLength(), '\0');
  stream.CopyTo(bytes.data(), bytes.size());
  return bytes;
}

void TtPicture::SavePng(const std::string& path) const {
  TtFile::ReplaceContents(path, PngBytes());
}

TtWin::COLORREF TtPicture::PixelAt(int x, int y) const {
  Flush();
  const wxImage& image = data_->image;
  return TtWin::Rgb(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

const wxImage& TtWx::PictureImage(const TtPicture& picture) {
  picture.GetData()->context.reset();
  return picture.GetData()->image;
}
