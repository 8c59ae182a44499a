#pragma once
// A card as the public bulk files describe it, gathered from all its printings, before it
// becomes dictionary lines. Text is UTF-8 here; it becomes CP932 when the lines are written.
#include <climits>
#include <compare>
#include <string>
#include <string_view>
#include <vector>

namespace Tarvane {

struct SourceFace {
  std::string name;  // the face's own name; for a card of one face the card's name
  std::string mana_cost;
  std::string type_line;
  std::string power;
  std::string toughness;
  std::string loyalty;  // planeswalkers
  std::string defense;  // battles
  std::string text;     // rules text, paragraphs separated by line feeds
};

// A printing's collector number as an order: by its first run of digits, then by its text. A
// set's main printing has the lowest; variants (showcase frames, promos) come after it.
struct CollectorNumber {
  long value = LONG_MAX;  // no number at all comes last
  std::string text;

  // side_letter: the number may end in the face's letter ("51a"), which is dropped.
  static CollectorNumber Of(std::string_view number, bool side_letter);
  auto operator<=>(const CollectorNumber&) const = default;
};

// The Japanese texts of one printing. Every member may be empty.
struct JapanesePrinting {
  std::string full_name;                // the whole card's name when given as "A // B"
  std::vector<std::string> face_names;  // by face, front first
  std::vector<std::string> face_texts;  // by face, front first
  std::string released;                 // "YYYY-MM-DD"; the newest printing is used
  CollectorNumber number;               // of printings of one date, the lowest is used
  // A printing under a name of its own (a flavor name, a promo series): its Japanese name is
  // taken only when no other printing of the card has one.
  bool alternate_name = false;

  bool HasName() const;
  // Puts a printed name on face index: a name holding " // " is the whole card's.
  void SetName(size_t index, const std::string& name);
  void SetText(size_t index, const std::string& text);
};

struct SourceCard {
  std::string name;        // full name, "A // B" for a card of several faces
  std::string ascii_name;  // the data's own ASCII spelling of an accented name, when it has one
  std::string layout;      // the data's layout word: normal, split, transform, adventure, ...
  double mana_value = 0;
  std::vector<SourceFace> faces;  // front face first, never empty once collected
  JapanesePrinting japanese;
};

}  // namespace Tarvane
