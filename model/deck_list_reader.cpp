#include "model/deck_list_reader.h"

#include "model/text_file.h"

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

// The same line rules as the line reader's: a CR before the line feed is no part of the line,
// and the line ends at its first zero character.
void DeckListReader::ReadUtf16File() {
  std::string text = DecodeToUtf8(ReadTextFile(path_), encoding_);
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    TextLine line;
    line.complete = end != std::string::npos;
    if (!line.complete) end = text.size();
    std::string piece = text.substr(start, end - start);
    if (line.complete && !piece.empty() && piece.back() == '\r') piece.pop_back();
    if (size_t zero = piece.find('\0'); zero != std::string::npos) {
      piece.resize(zero);
      line.complete = false;
    }
    line.text = transliterator_.ToCp932(piece);
    converted_.push_back(std::move(line));
    start = end + 1;
  }
}

}  // namespace Tarvane
