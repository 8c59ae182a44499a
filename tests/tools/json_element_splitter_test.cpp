#include "tools/json_element_splitter.h"

#include <gtest/gtest.h>

#include "tools/dictionary_source_exception.h"

namespace {

using Tarvane::JsonElementSplitter;

// The pieces of the text, fed in parts of the given size so that pieces span the parts.
std::vector<std::string> Pieces(const std::string& json, size_t part_size) {
  std::vector<std::string> pieces;
  JsonElementSplitter splitter("test.json", [&](const char* data, size_t length, size_t capacity) {
    EXPECT_GE(capacity, length + JsonElementSplitter::kPadding);
    pieces.emplace_back(data, length);
  });
  for (size_t start = 0; start < json.size(); start += part_size) {
    splitter.Feed(std::string_view(json).substr(start, part_size));
  }
  splitter.Finish();
  return pieces;
}

TEST(JsonElementSplitterTest, PiecesOfATopLevelArraySurviveAnyCutOfTheInput) {
  const std::string json =
      "\xEF\xBB\xBF [ {\"name\":\"a]}\\\"[{\"}, 12, \"skip\", [1,[2]] ,{\"text\":\"\\\\\"}]\n";
  for (size_t part_size : {1u, 2u, 3u, 7u, 1000u}) {
    SCOPED_TRACE(part_size);
    EXPECT_EQ(
        Pieces(json, part_size),
        (std::vector<std::string>{"{\"name\":\"a]}\\\"[{\"}", "[1,[2]]", "{\"text\":\"\\\\\"}"}));
  }
}

TEST(JsonElementSplitterTest, PiecesOfAnObjectAreTheMemberValuesOfItsDataMember) {
  const std::string json =
      "{\"meta\":{\"data\":{\"x\":[0]},\"v\":\"data\"},\"data\":{\"Fire // Ice\":[{\"a\":1}],"
      "\"LEA\":{\"cards\":[]}},\"after\":{\"y\":[]}}";
  EXPECT_EQ(Pieces(json, 5), (std::vector<std::string>{"[{\"a\":1}]", "{\"cards\":[]}"}));
}

TEST(JsonElementSplitterTest, APieceOfTheDataObjectKnowsItsMemberName) {
  std::vector<std::string> keys;
  JsonElementSplitter* current = nullptr;
  JsonElementSplitter splitter(
      "test.json", [&](const char*, size_t, size_t) { keys.emplace_back(current->PieceKey()); });
  current = &splitter;
  splitter.Feed(
      "{\"data\":{\"baseSetSize\":2,\"code\":\"cards\",\"booster\":{},\"cards\":[{}],"
      "\"tokens\":[]}}");
  splitter.Finish();
  EXPECT_EQ(keys, (std::vector<std::string>{"booster", "cards", "tokens"}));
}

TEST(JsonElementSplitterTest, InputThatIsNoCompleteJsonTextFails) {
  for (const char* json :
       {"", "  ", "[{\"a\":1}", "[\"abc", "{\"data\":[]}}", "\"text\"", "nonsense", "[] []"}) {
    SCOPED_TRACE(json);
    EXPECT_THROW(Pieces(json, 4), Tarvane::DictionarySourceException);
  }
}

}  // namespace
