#pragma once
// A JSON reader for hand-edited data files. The community's rule folders are written by hand
// and checked by no validator, so besides strict JSON it accepts what such files really hold: a
// byte-order mark, trailing commas, missing commas between elements, unquoted keys, single
// quotes, raw tabs and line breaks inside strings, and // and /* */ comments. What it still
// cannot read is an error that names the line and column, so the user can find the place.
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Tarvane {

struct JsonMember;

struct JsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };

  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string text;  // a string's UTF-8 text; a bare word's spelling
  std::vector<JsonValue> elements;
  std::vector<JsonMember> members;  // in file order

  bool IsString() const { return kind == Kind::String; }
  bool IsArray() const { return kind == Kind::Array; }
  bool IsObject() const { return kind == Kind::Object; }
  // The first member whose key equals the key with ASCII letter case ignored; null when none.
  const JsonValue* Find(std::string_view key) const;
};

// A named member of an object. (A std::pair cannot hold the value while JsonValue is still
// incomplete; a struct of its own can.)
struct JsonMember {
  std::string key;
  JsonValue value;
};

// Where and why a text is no JSON even by the lenient rules; line and column count from 1, the
// column in characters.
class JsonSyntaxError : public std::runtime_error {
public:
  JsonSyntaxError(int line, int column, const std::string& reason);
  int line() const { return line_; }
  int column() const { return column_; }
  // The reason alone, without the place.
  const std::string& reason() const { return reason_; }

private:
  int line_;
  int column_;
  std::string reason_;
};

// Reads one value from UTF-8 text; anything but white space and comments after it is an error.
JsonValue ParseLenientJson(std::string_view text);

}  // namespace Tarvane
