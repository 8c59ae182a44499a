#pragma once
// Cuts a JSON file of card data into the pieces that hold the cards, so that a file far bigger
// than memory is parsed piece by piece: the elements of a top-level array (one card each in a
// bulk file of printings), or the member values of the top-level object's "data" member (one
// card or one set each). Only objects and arrays count as pieces; other values are skipped.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Tarvane {

class JsonElementSplitter {
public:
  // Bytes that stay allocated after every piece, as the JSON parser reads a little past the end.
  static constexpr size_t kPadding = 64;
  // Called with one piece: its bytes, and the bytes allocated from its start (at least the
  // length plus kPadding). The bytes are valid only during the call.
  using Visitor = std::function<void(const char* json, size_t length, size_t capacity)>;

  // source_name (CP932) names the input in error messages.
  JsonElementSplitter(std::string source_name, Visitor visitor);

  // Room for at least size more input bytes; fill it and Commit what was written.
  char* PrepareSpace(size_t size);
  // Scans the bytes just written and visits every piece they complete.
  void Commit(size_t size);
  // Convenience for input already in memory.
  void Feed(std::string_view bytes);
  // Throws DictionarySourceException when the input ended inside the JSON text or held none.
  void Finish() const;
  // During a visit: the member name of the piece in the "data" object, which tells a set file's
  // list of cards from its other lists; empty for an element of an array. Names longer than a
  // few bytes are cut.
  std::string_view PieceKey() const { return piece_key_; }

private:
  enum class Shape { NotYet, Array, Object };

  void Scan();
  void ScanString(size_t& position);
  void OpenContainer(size_t position);
  void CloseContainer(size_t position);
  void Fail(const std::string& reason) const;

  std::string source_name_;
  Visitor visitor_;
  std::vector<char> buffer_;
  size_t end_ = 0;          // bytes of buffer_ in use
  size_t position_ = 0;     // next byte to scan
  size_t piece_start_ = 0;  // start of the piece being read, when reading_piece_
  bool reading_piece_ = false;
  long long consumed_ = 0;  // bytes dropped from the front of buffer_ so far
  Shape shape_ = Shape::NotYet;
  int depth_ = 0;
  int piece_depth_ = 0;  // depth inside the container of pieces; 0 while outside it
  bool in_string_ = false;
  bool escaped_ = false;
  bool capturing_key_ = false;  // a string of the top-level object is being read
  std::string key_;             // the last string read at the top level of an object
  std::string piece_key_;       // key_ when the piece being read began
  bool finished_ = false;
};

}  // namespace Tarvane
