#include "tools/dictionary_record.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Tarvane {
namespace {

constexpr std::string_view kEmDash = "\xE2\x80\x94";  // UTF-8, as the data spells it
constexpr std::string_view kFaceSeparator = " // ";

// Deck lists name these cards by their front face.
bool IsNamedByFrontFace(const std::string& layout) {
  static const char* const layouts[] = {"transform", "modal_dfc", "adventure",
                                        "flip",      "meld",      "reversible_card"};
  return std::find(std::begin(layouts), std::end(layouts), layout) != std::end(layouts);
}

std::string PowerAndToughness(const SourceFace& face) {
  if (!face.power.empty() || !face.toughness.empty()) return face.power + "/" + face.toughness;
  if (!face.loyalty.empty()) return face.loyalty;
  return face.defense;
}

void AppendParagraphs(std::vector<std::string>& paragraphs, const std::string& text) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string paragraph = text.substr(start, end - start);
    while (!paragraph.empty() && (paragraph.back() == '\r' || paragraph.back() == ' ')) {
      paragraph.pop_back();
    }
    if (!paragraph.empty()) paragraphs.push_back(std::move(paragraph));
    start = end + 1;
  }
}

std::string JoinNonEmpty(const std::vector<std::string>& parts, std::string_view separator) {
  std::string joined;
  for (const auto& part : parts) {
    if (part.empty()) continue;
    if (!joined.empty()) joined += separator;
    joined += part;
  }
  return joined;
}

std::string At(const std::vector<std::string>& texts, size_t index) {
  return index < texts.size() ? texts[index] : std::string();
}

// The Japanese name of a face: its own, else its part of the whole card's "A // B".
std::string JapaneseFaceName(const JapanesePrinting& japanese, size_t index) {
  std::string name = At(japanese.face_names, index);
  if (!name.empty() || japanese.full_name.empty()) return name;
  size_t start = 0;
  for (size_t i = 0; i < index; ++i) {
    start = japanese.full_name.find(kFaceSeparator, start);
    if (start == std::string::npos) return {};
    start += kFaceSeparator.size();
  }
  return japanese.full_name.substr(start, japanese.full_name.find(kFaceSeparator, start) - start);
}

// The whole card's Japanese name: as given, or joined from the faces when each has one.
std::string JapaneseFullName(const SourceCard& card) {
  if (!card.japanese.full_name.empty() || card.faces.size() == 1) {
    return card.faces.size() == 1 ? JapaneseFaceName(card.japanese, 0) : card.japanese.full_name;
  }
  std::vector<std::string> names;
  for (size_t index = 0; index < card.faces.size(); ++index) {
    names.push_back(JapaneseFaceName(card.japanese, index));
    if (names.back().empty()) return {};
  }
  return JoinNonEmpty(names, kFaceSeparator);
}

// A Japanese name that only repeats the English one is no Japanese name.
std::string UnlessEnglish(const std::string& japanese, const SourceCard& card,
                          const std::string& english) {
  if (japanese == english || japanese == card.name || japanese == card.ascii_name) return {};
  return japanese;
}

// The rules text of every face; with several faces, each face's part starts with a paragraph
// naming the face with its cost, type line and power and toughness.
std::vector<std::string> RulesParagraphs(const SourceCard& card, bool japanese_text) {
  std::vector<std::string> paragraphs;
  for (size_t index = 0; index < card.faces.size(); ++index) {
    const SourceFace& face = card.faces[index];
    std::string japanese = japanese_text ? At(card.japanese.face_texts, index) : std::string();
    if (card.faces.size() > 1) {
      std::string face_name = japanese_text ? JapaneseFaceName(card.japanese, index) : "";
      paragraphs.push_back(JoinNonEmpty({face_name.empty() ? face.name : face_name, face.mana_cost,
                                         face.type_line, PowerAndToughness(face)},
                                        " "));
    }
    AppendParagraphs(paragraphs, japanese.empty() ? face.text : japanese);
  }
  return paragraphs;
}

}  // namespace

std::string PrimaryTypeName(std::string_view type_line) {
  type_line = type_line.substr(0, type_line.find(kFaceSeparator));
  type_line = type_line.substr(0, type_line.find(kEmDash));
  std::vector<std::string_view> words;
  constexpr std::string_view kBlanks = " \t\r\n";
  for (size_t start = 0; start < type_line.size();) {
    size_t end = std::min(type_line.find_first_of(kBlanks, start), type_line.size());
    if (end > start) words.push_back(type_line.substr(start, end - start));
    start = end + 1;
  }
  static const char* const order[] = {"Land",       "Creature", "Planeswalker", "Instant",
                                      "Sorcery",    "Artifact", "Enchantment",  "Conspiracy",
                                      "Phenomenon", "Plane"};
  for (const char* type : order) {
    if (std::find(words.begin(), words.end(), type) != words.end()) return type;
  }
  return {};
}

int ManaValueField(double mana_value) {
  if (!(mana_value > 0)) return 0;  // also NaN
  double floor = std::floor(mana_value);
  return floor >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                  : static_cast<int>(floor);
}

std::vector<DictionaryRecord> MakeDictionaryRecords(const SourceCard& card, bool japanese_text) {
  const SourceFace& front = card.faces.front();
  DictionaryRecord full;
  full.name = card.ascii_name.empty() ? card.name : card.ascii_name;
  full.name_japanese = UnlessEnglish(JapaneseFullName(card), card, full.name);
  full.mana_value = ManaValueField(card.mana_value);
  full.type_name = PrimaryTypeName(front.type_line);
  full.power_and_toughness = PowerAndToughness(front);
  full.paragraphs = RulesParagraphs(card, japanese_text);
  std::vector<std::string> costs;
  std::vector<std::string> type_lines;
  for (const auto& face : card.faces) {
    costs.push_back(face.mana_cost);
    type_lines.push_back(face.type_line);
  }
  full.mana_cost = JoinNonEmpty(costs, kFaceSeparator);
  full.type_text = JoinNonEmpty(type_lines, kFaceSeparator);

  std::vector<DictionaryRecord> records{full};
  if (card.faces.size() > 1 && IsNamedByFrontFace(card.layout) && front.name != full.name) {
    DictionaryRecord face = full;
    face.name = front.name;
    face.name_japanese = UnlessEnglish(JapaneseFaceName(card.japanese, 0), card, front.name);
    face.mana_cost = front.mana_cost;
    face.type_text = front.type_line;
    records.push_back(std::move(face));
  }
  return records;
}

}  // namespace Tarvane
