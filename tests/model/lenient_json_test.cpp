// The reader of hand-written rule files: what strict JSON allows, the slips the published files
// really contain, and errors that point at the place.
#include "model/archetype/lenient_json.h"

#include <gtest/gtest.h>

using Tarvane::JsonSyntaxError;
using Tarvane::JsonValue;
using Tarvane::ParseLenientJson;

namespace {

JsonSyntaxError ErrorOf(const std::string& text) {
  try {
    ParseLenientJson(text);
  } catch (const JsonSyntaxError& error) {
    return error;
  }
  ADD_FAILURE() << "no error for " << text;
  return JsonSyntaxError(0, 0, "");
}

TEST(LenientJsonTest, ReadsStrictJson) {
  JsonValue value = ParseLenientJson(
      R"({"Name": "B\u00e9b\u00e9 \ud83d\ude00", "n": -1.5e2, "ok": true, "none": null,
          "list": [1, [], {}], "esc": "a\"b\\c\/d\n"})");
  ASSERT_TRUE(value.IsObject());
  EXPECT_EQ(value.Find("name")->text,
            "B\xC3\xA9"
            "b\xC3\xA9 \xF0\x9F\x98\x80");
  EXPECT_EQ(value.Find("n")->number, -150);
  EXPECT_TRUE(value.Find("OK")->boolean);
  EXPECT_EQ(value.Find("none")->kind, JsonValue::Kind::Null);
  EXPECT_EQ(value.Find("list")->elements.size(), 3u);
  EXPECT_EQ(value.Find("esc")->text, "a\"b\\c/d\n");
  EXPECT_EQ(value.Find("missing"), nullptr);
}

TEST(LenientJsonTest, ReadsTheSlipsOfHandWrittenFiles) {
  // A byte-order mark, unquoted keys, tabs, trailing commas, a comma missing between two
  // objects, a raw tab inside a string, single quotes and comments.
  JsonValue value = ParseLenientJson(
      "\xEF\xBB\xBF{\n\tName: 'Burn',\n\tVariants: [\n\t\t{ Name: \"A\" }\n\t\t{ Name: \"B\", "
      "},\n\t],"
      "\n\t// a comment\n\tCards: [\"x\ty\", /* another */ \"z\",],\n}\n");
  EXPECT_EQ(value.Find("Name")->text, "Burn");
  const JsonValue* variants = value.Find("variants");
  ASSERT_EQ(variants->elements.size(), 2u);
  EXPECT_EQ(variants->elements[1].Find("Name")->text, "B");
  EXPECT_EQ(value.Find("Cards")->elements[0].text, "x\ty");
  EXPECT_EQ(value.Find("Cards")->elements.size(), 2u);
}

TEST(LenientJsonTest, ErrorsNameLineAndColumn) {
  // A file cut short inside an array points at the bracket left open.
  JsonSyntaxError cut = ErrorOf("{\n  \"Cards\": [\"Lightning Bolt\"\n");
  EXPECT_EQ(cut.line(), 2);
  EXPECT_EQ(cut.column(), 12);
  JsonSyntaxError string = ErrorOf("{\"Name\": \"Bur");
  EXPECT_EQ(string.line(), 1);
  EXPECT_EQ(string.column(), 10);
  // Columns count characters, not bytes: a two-byte letter is one.
  JsonSyntaxError stray = ErrorOf("{\"\xC3\xA9\": 1 ]}");
  EXPECT_EQ(stray.column(), 9);
  EXPECT_EQ(ErrorOf("{} {}").line(), 1);
  EXPECT_EQ(ErrorOf("{\"a\" 1}").line(), 1);
  EXPECT_EQ(ErrorOf("[nonsense]").column(), 2);
  EXPECT_EQ(ErrorOf("").line(), 1);
  EXPECT_EQ(ErrorOf("/* open").line(), 1);
}

TEST(LenientJsonTest, DeepNestingIsAnErrorNotACrash) {
  EXPECT_GT(ErrorOf(std::string(100000, '[')).column(), 1);
}

}  // namespace
