#include "ttl/gui/tt_svg_picture.h"

#include <cstdio>
#include <typeinfo>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_file.h"
#include "ttl/core/tt_string.h"
#include "ttl/gui/tt_picture.h"

namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string number = text;
  // Trailing zeros only make the file longer.
  while (number.back() == '0') number.pop_back();
  if (number.back() == '.') number.pop_back();
  return number == "-0" ? "0" : number;
}

std::string Colour(TtWin::COLORREF colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", TtWin::RedOf(colour), TtWin::GreenOf(colour),
                TtWin::BlueOf(colour));
  return text;
}

std::string Escaped(const std::string& utf8) {
  std::string escaped;
  for (char c : utf8) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        // Control characters are not allowed in XML text at all.
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') escaped += c;
    }
  }
  return escaped;
}

void CheckSide(int side) {
  if (side < 1 || side > TtPicture::kMaximumSide) {
    throw TtInvalidOperationException(typeid(TtSvgPicture));
  }
}

}  // namespace

TtSvgPicture::TtSvgPicture(int width, int height) : width_(width), height_(height) {
  CheckSide(width);
  CheckSide(height);
  FillRectangle(0, 0, width, height, TtWin::Rgb(255, 255, 255));
}

void TtSvgPicture::FillRectangle(double x, double y, double width, double height,
                                 TtWin::COLORREF colour) {
  body_ += "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(width) +
           "\" height=\"" + Number(height) + "\" fill=\"" + Colour(colour) + "\"/>\n";
}

void TtSvgPicture::DrawLine(double x1, double y1, double x2, double y2, double line_width,
                            TtWin::COLORREF colour) {
  body_ += "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) +
           "\" y2=\"" + Number(y2) + "\" stroke=\"" + Colour(colour) + "\" stroke-width=\"" +
           Number(line_width) + "\"/>\n";
}

void TtSvgPicture::DrawText(double x, double y, const std::string& text, double size, bool bold,
                            TtWin::COLORREF colour, Align align) {
  static const char* const anchors[] = {"start", "middle", "end"};
  // SVG places text by its baseline; the Japanese face's ascent is four fifths of its line, which
  // puts the top edge where TtPicture puts it. Points are at 96 pixels to the inch, as there.
  const double pixels = size * 96 / 72;
  const double baseline = y + MeasureText(text, size, bold).height * 0.8;
  body_ += "<text x=\"" + Number(x) + "\" y=\"" + Number(baseline) + "\" font-size=\"" +
           Number(pixels) + "\"" + (bold ? " font-weight=\"bold\"" : "") + " text-anchor=\"" +
           anchors[static_cast<int>(align)] + "\" fill=\"" + Colour(colour) + "\">" +
           Escaped(TtString::Cp932ToUtf8(text)) + "</text>\n";
}

TtTextSize TtSvgPicture::MeasureText(const std::string& text, double size, bool bold) {
  return TtPicture::MeasureTextOnPicture(text, size, bold);
}

std::string TtSvgPicture::Document() const {
  const std::string width = std::to_string(width_), height = std::to_string(height_);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
         "\" font-family=\"'Noto Sans CJK JP', 'Noto Sans JP', sans-serif\">\n" + body_ +
         "</svg>\n";
}

void TtSvgPicture::SaveSvg(const std::string& path) const {
  TtFile::ReplaceContents(path, Document());
}
