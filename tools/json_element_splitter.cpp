#include "tools/json_element_splitter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "tools/dictionary_source_exception.h"
#include "ttl/core/tt_language.h"

namespace Tarvane {
namespace {

// Keys are only compared with "data" and "cards"; longer keys need not be kept whole.
constexpr size_t kKeyLimit = 16;

bool IsByteOrderMarkByte(unsigned char c) { return c == 0xEF || c == 0xBB || c == 0xBF; }

// Whether any of the eight bytes of the word is the byte (the classic zero-byte test).
bool HasByte(uint64_t word, unsigned char byte) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  uint64_t x = word ^ (kOnes * byte);
  return ((x - kOnes) & ~x & (kOnes << 7)) != 0;
}

}  // namespace

JsonElementSplitter::JsonElementSplitter(std::string source_name, Visitor visitor)
    : source_name_(std::move(source_name)), visitor_(std::move(visitor)) {}

char* JsonElementSplitter::PrepareSpace(size_t size) {
  // Everything before the piece being read (or before the scan position) is done with.
  size_t keep_from = reading_piece_ ? piece_start_ : position_;
  if (keep_from > 0) {
    std::memmove(buffer_.data(), buffer_.data() + keep_from, end_ - keep_from);
    end_ -= keep_from;
    position_ -= keep_from;
    if (reading_piece_) piece_start_ -= keep_from;
    consumed_ += keep_from;
  }
  size_t needed = end_ + size + kPadding;
  if (buffer_.size() < needed) buffer_.resize(std::max(needed, buffer_.size() * 2));
  return buffer_.data() + end_;
}

void JsonElementSplitter::Commit(size_t size) {
  end_ += size;
  Scan();
}

void JsonElementSplitter::Feed(std::string_view bytes) {
  std::memcpy(PrepareSpace(bytes.size()), bytes.data(), bytes.size());
  Commit(bytes.size());
}

void JsonElementSplitter::Finish() const {
  if (shape_ == Shape::NotYet)
    Fail(TtLanguage::Text("there is no JSON data", "JSONのデータがありません"));
  if (depth_ != 0 || in_string_)
    Fail(TtLanguage::Text("the JSON ends too soon", "JSONが途中で終わっています"));
}

void JsonElementSplitter::Scan() {
  size_t position = position_;
  while (position < end_) {
    if (in_string_) {
      ScanString(position);
      continue;
    }
    switch (buffer_[position]) {
      case '"':
        in_string_ = true;
        // The keys of the top-level object and of the "data" object; a string value there may
        // be caught too, but the last string before a piece is always its key.
        capturing_key_ =
            shape_ == Shape::Object && (depth_ == 1 || (depth_ == piece_depth_ && !reading_piece_));
        if (capturing_key_) key_.clear();
        break;
      case '{':
      case '[':
        OpenContainer(position);
        break;
      case '}':
      case ']':
        CloseContainer(position);
        break;
      case ' ':
      case '\t':
      case '\n':
      case '\r':
      case ',':
      case ':':
        break;
      default:
        // Numbers and literals inside containers need no attention; at the top level only a
        // byte order mark may stand before the text.
        if (depth_ == 0 && !finished_ &&
            !(shape_ == Shape::NotYet &&
              IsByteOrderMarkByte(static_cast<unsigned char>(buffer_[position])))) {
          position_ = position;
          Fail(TtLanguage::Text("this is not JSON of card data",
                                "カードデータのJSONではありません"));
        }
        break;
    }
    ++position;
  }
  position_ = position;
}

void JsonElementSplitter::ScanString(size_t& position) {
  const char* data = buffer_.data();
  size_t start = position;
  // Most of the input is string text: skip it eight bytes at a time up to a quote or backslash.
  if (!escaped_) {
    while (position + 8 <= end_) {
      uint64_t word;
      std::memcpy(&word, data + position, 8);
      if (HasByte(word, '"') || HasByte(word, '\\')) break;
      position += 8;
    }
  }
  while (position < end_) {
    char c = data[position];
    if (escaped_) {
      escaped_ = false;
    } else if (c == '\\') {
      escaped_ = true;
    } else if (c == '"') {
      break;
    }
    ++position;
  }
  if (capturing_key_ && key_.size() < kKeyLimit) {
    key_.append(data + start, std::min(position - start, kKeyLimit - key_.size()));
  }
  if (position < end_) {
    in_string_ = false;
    ++position;  // past the closing quote
  }
}

void JsonElementSplitter::OpenContainer(size_t position) {
  if (depth_ == 0) {
    if (shape_ != Shape::NotYet) {
      position_ = position;
      Fail(TtLanguage::Text("there is more than one JSON value", "JSONの値が二つ以上あります"));
    }
    shape_ = buffer_[position] == '[' ? Shape::Array : Shape::Object;
    if (shape_ == Shape::Array) piece_depth_ = 1;
  } else if (piece_depth_ != 0 && depth_ == piece_depth_) {
    piece_start_ = position;
    reading_piece_ = true;
    piece_key_ = shape_ == Shape::Object ? key_ : std::string();
  } else if (shape_ == Shape::Object && depth_ == 1 && piece_depth_ == 0 && key_ == "data") {
    piece_depth_ = 2;
  }
  ++depth_;
}

void JsonElementSplitter::CloseContainer(size_t position) {
  if (depth_ == 0) {
    position_ = position;
    Fail(TtLanguage::Text("the JSON's brackets do not match", "JSONの括弧が対応していません"));
  }
  --depth_;
  if (reading_piece_ && depth_ == piece_depth_) {
    reading_piece_ = false;
    visitor_(buffer_.data() + piece_start_, position + 1 - piece_start_,
             buffer_.size() - piece_start_);
  } else if (depth_ < piece_depth_) {
    piece_depth_ = 0;
  }
  if (depth_ == 0) finished_ = true;
}

void JsonElementSplitter::Fail(const std::string& reason) const {
  throw DictionarySourceException(source_name_, reason + " (" + TtLanguage::Text("near byte ", "") +
                                                    std::to_string(consumed_ + position_) +
                                                    TtLanguage::Text(")", " バイト目付近)"));
}

}  // namespace Tarvane
