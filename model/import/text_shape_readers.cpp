#include "model/import/text_shape_readers.h"

#include "model/import/input_look.h"

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

const char* ProgramFormatReader::Description() const {
  return "このプログラムの形式 (空行の後がサイドボード)";
}

const char* CountXReader::Description() const { return "「4x カード名」の行"; }

const char* SideboardLineReader::Description() const {
  return "「Sideboard」の行でサイドボードを分けたリスト";
}

const char* HeadingsReader::Description() const {
  return "見出し (Deck、Sideboard、Maybeboard) 付きのリスト";
}

const char* SideboardPrefixReader::Description() const { return "「SB: 2 カード名」の行"; }

const char* DigitalClientReader::Description() const {
  return "デジタルクライアントの書き出し (Deck、Sideboard、Companion、Commander、(セット) 番号)";
}

const char* TaggedExportReader::Description() const {
  return "タグ付きの書き出し (「1x カード名 (セット) 番号 [Sideboard]」)";
}

const char* DckReader::Description() const {
  return ".dck ファイル ([Main]、[Sideboard]、カード名|セット)";
}

}  // namespace Tarvane
