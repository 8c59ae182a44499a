#pragma once
// Reads a deck list file as lines of the program's CP932. A file that starts with a UTF-8 or
// UTF-16 byte-order mark is in that encoding: its text is converted, and characters the code
// page lacks are spelt as the dictionary builder spells them ("Lim-Dûl's Vault" as
// "Lim-Dul's Vault"), so the names meet the dictionary's. The mark is never part of the first
// line. A file without a mark is read as it is.
#include <string>
#include <vector>

#include "model/cp932_transliterator.h"
#include "model/line_reader.h"
#include "model/text_encoding.h"

namespace Tarvane {

class DeckListReader {
public:
  // Opens the file; TtFileAccessException (path, C error number) when it cannot be opened.
  explicit DeckListReader(const std::string& path);

  // The next line; false when no line is left. TtFileAccessException on a read error.
  bool ReadLine(TextLine& line);
  TextEncoding encoding() const { return encoding_; }

private:
  void ReadUtf16File();

  std::string path_;
  LineReader file_;
  TextEncoding encoding_ = TextEncoding::Cp932;
  bool at_start_ = true;
  Cp932Transliterator transliterator_{Cp932Transliterator::ControlCharacters::Kept};
  // A UTF-16 file is converted whole, since its line feeds are two bytes.
  std::vector<TextLine> converted_;
  size_t next_converted_ = 0;
};

}  // namespace Tarvane
