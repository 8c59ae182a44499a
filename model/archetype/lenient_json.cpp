#include "model/archetype/lenient_json.h"

#include <cstdlib>

#include "model/cp932_transliterator.h"
#include "ttl/core/tt_language.h"

namespace Tarvane {

namespace {

// Nesting beyond this is no rule file; the limit keeps a hostile file from exhausting the stack.
constexpr int kMaxDepth = 200;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// Characters that end a bare word (an unquoted key or a literal such as true).
bool EndsBareWord(char c) {
  return c == ',' || c == ':' || c == '{' || c == '}' || c == '[' || c == ']' || c == '"' ||
         c == '\'' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '/';
}

class Parser {
public:
  explicit Parser(std::string_view text) : text_(text) {
    if (text_.starts_with("\xEF\xBB\xBF")) position_ = 3;
  }

  JsonValue ParseDocument() {
    SkipSpace();
    if (AtEnd()) Fail(TtLanguage::Text("the file is empty", "ファイルが空です"));
    JsonValue value = ParseValue(0);
    SkipSpace();
    if (!AtEnd())
      Fail(TtLanguage::Text("more characters after the value", "値の後に余分な文字があります"));
    return value;
  }

private:
  bool AtEnd() const { return position_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[position_]; }

  [[noreturn]] void Fail(const std::string& reason) const { FailAt(position_, reason); }

  static std::string NotHere(char c) {
    return TtLanguage::Text(std::string(1, c) + " cannot stand here",
                            std::string("ここに ") + c + " は置けません");
  }

  [[noreturn]] void FailAt(size_t at, const std::string& reason) const {
    int line = 1, column = 1;
    for (size_t i = 0; i < at && i < text_.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(text_[i]);
      if (c == '\n') {
        ++line;
        column = 1;
      } else if ((c & 0xC0) != 0x80) {
        ++column;  // a UTF-8 continuation byte belongs to the character before it
      }
    }
    throw JsonSyntaxError(line, column, reason);
  }

  void SkipSpace() {
    while (!AtEnd()) {
      const char c = Peek();
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        ++position_;
      } else if (text_.substr(position_).starts_with("//")) {
        while (!AtEnd() && Peek() != '\n') ++position_;
      } else if (text_.substr(position_).starts_with("/*")) {
        const size_t close = text_.find("*/", position_ + 2);
        if (close == std::string_view::npos)
          Fail(TtLanguage::Text("a comment is not closed", "コメントが閉じていません"));
        position_ = close + 2;
      } else {
        return;
      }
    }
  }

  JsonValue ParseValue(int depth) {
    if (depth > kMaxDepth) Fail(TtLanguage::Text("nested too deeply", "入れ子が深すぎます"));
    switch (Peek()) {
      case '{':
        return ParseObject(depth);
      case '[':
        return ParseArray(depth);
      case '"':
      case '\'': {
        JsonValue value;
        value.kind = JsonValue::Kind::String;
        value.text = ParseString();
        return value;
      }
      case '\0':
        if (AtEnd())
          Fail(TtLanguage::Text("the file ends too soon", "ファイルが途中で終わっています"));
        [[fallthrough]];
      default:
        return ParseBareValue();
    }
  }

  JsonValue ParseObject(int depth) {
    JsonValue value;
    value.kind = JsonValue::Kind::Object;
    const size_t open = position_++;
    while (true) {
      SkipSpace();
      if (AtEnd()) FailAt(open, TtLanguage::Text("{ is not closed", "{ が閉じていません"));
      if (Peek() == '}') break;
      std::string key = Peek() == '"' || Peek() == '\'' ? ParseString() : ParseBareWord();
      SkipSpace();
      if (Peek() != ':') Fail(TtLanguage::Text("no : after the key", "キーの後に : がありません"));
      ++position_;
      SkipSpace();
      value.members.push_back(JsonMember{std::move(key), ParseValue(depth + 1)});
      SkipSeparator('}');
    }
    ++position_;
    return value;
  }

  JsonValue ParseArray(int depth) {
    JsonValue value;
    value.kind = JsonValue::Kind::Array;
    const size_t open = position_++;
    while (true) {
      SkipSpace();
      if (AtEnd()) FailAt(open, TtLanguage::Text("[ is not closed", "[ が閉じていません"));
      if (Peek() == ']') break;
      value.elements.push_back(ParseValue(depth + 1));
      SkipSeparator(']');
    }
    ++position_;
    return value;
  }

  // After an element: a comma, the closing bracket, or (a comma forgotten between two elements
  // written on separate lines) the start of the next element.
  void SkipSeparator(char close) {
    SkipSpace();
    if (Peek() == ',') {
      ++position_;
      return;
    }
    if (Peek() == close || AtEnd()) return;
    const char c = Peek();
    if (c == ']' || c == '}' || c == ':') Fail(NotHere(c));
  }

  std::string ParseString() {
    const char quote = text_[position_];
    const size_t open = position_++;
    std::string text;
    while (true) {
      if (AtEnd())
        FailAt(open, TtLanguage::Text("a string is not closed", "文字列が閉じていません"));
      const char c = text_[position_++];
      if (c == quote) return text;
      if (c != '\\') {
        text += c;
        continue;
      }
      if (AtEnd())
        FailAt(open, TtLanguage::Text("a string is not closed", "文字列が閉じていません"));
      const char escaped = text_[position_++];
      switch (escaped) {
        case 'n':
          text += '\n';
          break;
        case 't':
          text += '\t';
          break;
        case 'r':
          text += '\r';
          break;
        case 'b':
          text += '\b';
          break;
        case 'f':
          text += '\f';
          break;
        case 'u':
          AppendUtf8(text, ParseUnicodeEscape());
          break;
        default:
          text += escaped;
          break;  // \" \\ \/ \' and any other character as itself
      }
    }
  }

  // The four hex digits after \u; a surrogate pair makes one character.
  char32_t ParseUnicodeEscape() {
    char32_t code = ParseHex4();
    if (code >= 0xD800 && code <= 0xDBFF && text_.substr(position_).starts_with("\\u")) {
      const size_t pair_at = position_;
      position_ += 2;
      const char32_t low = ParseHex4();
      if (low >= 0xDC00 && low <= 0xDFFF) return 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
      position_ = pair_at;
    }
    return code >= 0xD800 && code <= 0xDFFF ? U'\uFFFD' : code;
  }

  char32_t ParseHex4() {
    char32_t code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = Peek();
      int digit = c >= '0' && c <= '9'   ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : -1;
      if (digit < 0)
        Fail(TtLanguage::Text("no four hexadecimal digits after \\u",
                              "\\u の後に16進数4桁がありません"));
      code = code * 16 + static_cast<char32_t>(digit);
      ++position_;
    }
    return code;
  }

  std::string ParseBareWord() {
    const size_t start = position_;
    while (!AtEnd() && !EndsBareWord(Peek())) ++position_;
    if (position_ == start) Fail(NotHere(Peek()));
    return std::string(text_.substr(start, position_ - start));
  }

  JsonValue ParseBareValue() {
    const size_t start = position_;
    std::string word = ParseBareWord();
    JsonValue value;
    if (EqualsIgnoringCase(word, "null")) return value;
    if (EqualsIgnoringCase(word, "true") || EqualsIgnoringCase(word, "false")) {
      value.kind = JsonValue::Kind::Boolean;
      value.boolean = EqualsIgnoringCase(word, "true");
      return value;
    }
    char* end = nullptr;
    value.number = std::strtod(word.c_str(), &end);
    if (end != word.c_str() + word.size())
      FailAt(start, TtLanguage::Text("not readable as a value: ", "値として読めません: ") + word);
    value.kind = JsonValue::Kind::Number;
    value.text = word;
    return value;
  }

  std::string_view text_;
  size_t position_ = 0;
};

}  // namespace

const JsonValue* JsonValue::Find(std::string_view key) const {
  for (const auto& [name, value] : members) {
    if (EqualsIgnoringCase(name, key)) return &value;
  }
  return nullptr;
}

JsonSyntaxError::JsonSyntaxError(int line, int column, const std::string& reason)
    : std::runtime_error(
          TtLanguage::Text(
              "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ",
              std::to_string(line) + "行 " + std::to_string(column) + "列: ") +
          reason),
      line_(line),
      column_(column),
      reason_(reason) {}

JsonValue ParseLenientJson(std::string_view text) { return Parser(text).ParseDocument(); }

}  // namespace Tarvane
