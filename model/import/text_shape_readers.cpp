#include "model/import/text_shape_readers.h"

#include "model/import/input_look.h"
#include "ttl/core/tt_language.h"

namespace Tarvane {

ShapeCertainty TextShapeReader::HowSure(const ImportSource& source) const {
  return source.Lines().marks.contains(Shape()) ? ShapeCertainty::Marked : ShapeCertainty::None;
}

ParsedInput TextShapeReader::Read(const ImportSource& source) const {
  ParsedInput input;
  input.lists.push_back(source.Lines().list);
  input.lists.back().shape = Shape();
  return input;
}

// Plain text with a card line could be a list of the program's own format; XML, JSON, a
// binary file, an empty one or prose without a card are not, and are better reported as of no
// known shape than as a list of this program.
ShapeCertainty ProgramFormatReader::HowSure(const ImportSource& source) const {
  const ParsedDeckList& list = source.Lines().list;
  bool has_cards = !list.cards.empty() || list.left_out_copies != 0;
  return LookOf(source.text()) == InputLook::Text && has_cards ? ShapeCertainty::Fallback
                                                               : ShapeCertainty::None;
}

std::string ProgramFormatReader::Description() const {
  return TtLanguage::Text("this program's format (the sideboard after an empty line)",
                          "このプログラムの形式 (空行の後がサイドボード)");
}

std::string CountXReader::Description() const {
  return TtLanguage::Text("lines \"4x card name\"", "「4x カード名」の行");
}

std::string SideboardLineReader::Description() const {
  return TtLanguage::Text("a list whose sideboard follows a \"Sideboard\" line",
                          "「Sideboard」の行でサイドボードを分けたリスト");
}

std::string HeadingsReader::Description() const {
  return TtLanguage::Text("a list with headings (Deck, Sideboard, Maybeboard)",
                          "見出し (Deck、Sideboard、Maybeboard) 付きのリスト");
}

std::string SideboardPrefixReader::Description() const {
  return TtLanguage::Text("lines \"SB: 2 card name\"", "「SB: 2 カード名」の行");
}

std::string DigitalClientReader::Description() const {
  return TtLanguage::Text(
      "a digital client's export (Deck, Sideboard, Companion, Commander, (set) number)",
      "デジタルクライアントの書き出し (Deck、Sideboard、Companion、Commander、(セット) 番号)");
}

std::string TaggedExportReader::Description() const {
  return TtLanguage::Text("a tagged export (\"1x card name (set) number [Sideboard]\")",
                          "タグ付きの書き出し (「1x カード名 (セット) 番号 [Sideboard]」)");
}

std::string DckReader::Description() const {
  return TtLanguage::Text(".dck file ([Main], [Sideboard], card name|set)",
                          ".dck ファイル ([Main]、[Sideboard]、カード名|セット)");
}

}  // namespace Tarvane
