#pragma once
// Formats dictionary records as CP932 dictionary lines that the program's loader reads back:
// seven TAB-ended fields and one field per rules text paragraph, LF at the end. The writer keeps
// every line within 1023 bytes with the LF, cutting long rules text; the loader itself reads
// lines of any length.
#include <string>
#include <unordered_set>

#include "tools/dictionary_record.h"

namespace Tarvane {

struct DictionaryBuildSummary {
  long cards = 0;                // cards found in the data
  long lines = 0;                // lines written; a card named by its front face gives two
  long japanese_names = 0;       // lines whose Japanese name comes from the data
  long mapped_characters = 0;    // characters written through the explicit spelling table
  long replaced_characters = 0;  // characters the code page cannot hold, written as "?"
  long shortened_lines = 0;      // lines whose rules text was cut to fit the line limit
  long duplicate_names = 0;      // lines dropped because an earlier line had the name
  long overlong_lines = 0;       // lines dropped because even their first seven fields are too long
  long wrong_typed_records = 0;  // records of the data with a field of the wrong type
};

class DictionaryLineWriter {
public:
  // Longest line text the writer writes, without its LF.
  static constexpr size_t kLineLimit = 1022;

  explicit DictionaryLineWriter(DictionaryBuildSummary& summary) : summary_(summary) {}

  // Appends the record's line to out and counts it; a name written before is dropped, so the
  // first line of a name wins. Returns whether a line was written.
  bool Write(const DictionaryRecord& record, std::string& out);

private:
  DictionaryBuildSummary& summary_;
  std::unordered_set<std::string> names_;
};

}  // namespace Tarvane
