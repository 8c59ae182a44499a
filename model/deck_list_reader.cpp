#include "model/deck_list_reader.h"

#include "model/text_file.h"
#include "model/text_lines.h"

namespace Tarvane {

DeckListReader::DeckListReader(const std::string& path) : path_(path), file_(path) {}

bool DeckListReader::ReadLine(TextLine& line) {
  if (encoding_ == TextEncoding::Utf16LittleEndian || encoding_ == TextEncoding::Utf16BigEndian) {
    if (next_converted_ == converted_.size()) return false;
    line = converted_[next_converted_++];
    return true;
  }
  if (!file_.ReadLine(line)) return false;
  if (at_start_) {
    at_start_ = false;
    encoding_ = EncodingOfByteOrderMark(line.text);
    if (encoding_ == TextEncoding::Utf16LittleEndian || encoding_ == TextEncoding::Utf16BigEndian) {
      ReadUtf16File();
      return ReadLine(line);
    }
    line.text.erase(0, ByteOrderMarkLength(encoding_));
  }
  if (encoding_ == TextEncoding::Utf8WithByteOrderMark) {
    line.text = transliterator_.ToCp932(line.text);
  }
  return true;
}

// A UTF-16 file's lines follow the same rules as the line reader's.
void DeckListReader::ReadUtf16File() {
  for (TextLine& line : SplitTextLines(DecodeToUtf8(ReadTextFile(path_), encoding_))) {
    line.text = transliterator_.ToCp932(line.text);
    converted_.push_back(std::move(line));
  }
}

}  // namespace Tarvane
