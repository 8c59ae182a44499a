#include "tools/dictionary_line_writer.h"

#include "model/cp932_transliterator.h"

namespace Tarvane {
namespace {

bool IsCp932LeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest start of the text within size bytes that does not split a two-byte character.
std::string Cp932Prefix(const std::string& text, size_t size) {
  size_t end = 0;
  while (end < text.size()) {
    size_t next = end + (IsCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
    if (next > size) break;
    end = next;
  }
  return text.substr(0, end);
}

}  // namespace

bool DictionaryLineWriter::Write(const DictionaryRecord& record, std::string& out) {
  // Counts of a line that is dropped must not reach the summary, so each line has its own.
  Cp932Transliterator converter;
  std::string name = converter.ToCp932(record.name);
  if (name.empty()) return false;
  if (names_.count(name)) {
    ++summary_.duplicate_names;
    return false;
  }
  std::string japanese = converter.ToCp932(record.name_japanese);
  bool has_japanese = !japanese.empty() && japanese != name;
  std::string line =
      name + '\t' + (has_japanese ? japanese : name) + '\t' + converter.ToCp932(record.mana_cost) +
      '\t' + std::to_string(record.mana_value) + '\t' + converter.ToCp932(record.type_text) + '\t' +
      record.type_name + '\t' + converter.ToCp932(record.power_and_toughness);
  if (line.size() > kLineLimit) {
    // Cutting a field away would leave too few fields; no real card comes near this.
    ++summary_.overlong_lines;
    return false;
  }
  for (const auto& paragraph : record.paragraphs) {
    std::string text = converter.ToCp932(paragraph);
    if (line.size() + 1 + text.size() <= kLineLimit) {
      line += '\t' + text;
      continue;
    }
    const std::string ellipsis = "…";
    if (line.size() + 1 + ellipsis.size() < kLineLimit) {
      line += '\t' + Cp932Prefix(text, kLineLimit - line.size() - 1 - ellipsis.size()) + ellipsis;
    }
    ++summary_.shortened_lines;
    break;
  }
  out += line;
  out += '\n';
  names_.insert(name);
  ++summary_.lines;
  if (has_japanese) ++summary_.japanese_names;
  summary_.mapped_characters += converter.MappedCharacters();
  summary_.replaced_characters += converter.ReplacedCharacters();
  return true;
}

}  // namespace Tarvane
