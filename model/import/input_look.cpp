#include "model/import/input_look.h"

#include <algorithm>

#include "model/import/xml_scan.h"
#include "model/text_lines.h"
#include "ttl/core/tt_language.h"

namespace Tarvane {
namespace {

// Text holds no zero bytes and few control characters; a binary file decoded as text is full
// of them.
bool LooksBinary(std::string_view text) {
  size_t controls = std::count_if(text.begin(), text.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n';
  });
  return text.find('\0') != std::string_view::npos || controls * 20 > text.size();
}

}  // namespace

InputLook LookOf(std::string_view utf8) {
  std::string_view text = TrimBlanks(utf8);
  if (text.empty()) return InputLook::Empty;
  if (LooksBinary(text)) return InputLook::Binary;
  if (LooksLikeXml(text)) return InputLook::Xml;
  if (text.starts_with('{') || text.starts_with('[')) return InputLook::Json;
  return InputLook::Text;
}

std::string DescribeLook(std::string_view utf8) {
  switch (LookOf(utf8)) {
    case InputLook::Empty:
      return TtLanguage::Text("the file is empty", "空のファイルです");
    case InputLook::Binary:
      return TtLanguage::Text("the file seems binary, not text",
                              "テキストではなくバイナリのファイルのようです");
    case InputLook::Xml: {
      std::string root = XmlRootName(utf8);
      // The root's name is ASCII in every deck file; anything else is not shown.
      bool ascii = std::all_of(root.begin(), root.end(), [](char c) {
        return c > 0x20 && static_cast<unsigned char>(c) < 0x7F;
      });
      std::string xml = ascii && !root.empty() ? "XML (<" + root + ">)" : "XML";
      return TtLanguage::Text(xml + " of a shape not known", xml + " ですが、知らない形式です");
    }
    case InputLook::Json:
      return TtLanguage::Text("JSON, but not an event file",
                              "JSON ですが、イベントファイルではありません");
    case InputLook::Text:
      return TtLanguage::Text("text, but with no card lines",
                              "テキストですが、カードの行がありません");
  }
  return {};
}

}  // namespace Tarvane
