#pragma once
// One reader per shape of deck list: each says how sure it is that an input is its shape,
// reads it, and names the shape for the report. Import asks every reader and lets the surest
// read; of readers equally sure, the one earlier in the precedence order wins, so a list that
// shows the marks of several shapes is read as the most particular of them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/import/deck_list_text_parser.h"
#include "model/import/parsed_deck_list.h"

namespace Tarvane {

// An input as the readers see it: its text as UTF-8, and what the shared line grammar makes of
// it, worked out once for all the readers of line-based shapes.
class ImportSource {
public:
  explicit ImportSource(std::string_view utf8) : text_(utf8) {}
  std::string_view text() const { return text_; }
  const TextDeckList& Lines() const;

private:
  std::string_view text_;
  mutable std::optional<TextDeckList> lines_;
};

enum class ShapeCertainty {
  None,      // not this shape
  Fallback,  // could be read as this shape, for want of a better one
  Marked,    // shows marks of this shape
  Certain,   // a structure no other shape has (an XML root, a JSON object)
};

// What one input held: one list, or for an event file the list of every deck.
struct ParsedInput {
  std::vector<ParsedDeckList> lists;
  std::string event_name;  // UTF-8; event files only
  std::string event_date;
};

class DeckListShapeReader {
public:
  virtual ~DeckListShapeReader() = default;
  virtual DeckListShape Shape() const = 0;
  virtual ShapeCertainty HowSure(const ImportSource& source) const = 0;
  // The source's lists. DeckListFormatError when the source breaks a rule its shape has no
  // way to read past (an event file cut short).
  virtual ParsedInput Read(const ImportSource& source) const = 0;
  // The shape as reports name it (CP932).
  virtual std::string Description() const = 0;
};

// A source its reader cannot read at all; the text (CP932) says why.
class DeckListFormatError : public std::exception {
public:
  explicit DeckListFormatError(std::string reason) : reason_(std::move(reason)) {}
  const char* what() const noexcept override { return reason_.c_str(); }

private:
  std::string reason_;
};

// Every reader, in precedence order: the most particular shape first.
const std::vector<const DeckListShapeReader*>& DeckListShapeReaders();

// The reader for the source: the surest one, the earliest of equally sure ones; nullptr when
// no reader could read it.
const DeckListShapeReader* ChooseDeckListShapeReader(const ImportSource& source);

}  // namespace Tarvane
