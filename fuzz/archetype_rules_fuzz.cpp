// An archetype rule file as the lenient JSON reader and the rule folder see it: a file either
// parses or fails with a place inside the text; what parses reads back the same after being
// written as strict JSON; and a rule folder holding the file loads and labels a deck without
// failing, the file's trouble told as a problem.
#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz_support.h"
#include "model/archetype/archetype_classifier.h"
#include "model/archetype/lenient_json.h"
#include "model/card_database.h"
#include "model/deck.h"
#include "model/import/card_name_resolver.h"

using TarvaneFuzz::Check;
using namespace Tarvane;

namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// Strict JSON of a value; numbers as they were written, so that reading them again is exact.
std::string Strict(const JsonValue& value) {
  switch (value.kind) {
    case JsonValue::Kind::Null:
      return "null";
    case JsonValue::Kind::Boolean:
      return value.boolean ? "true" : "false";
    case JsonValue::Kind::Number:
      return value.text;
    case JsonValue::Kind::String:
      return Quoted(value.text);
    case JsonValue::Kind::Array: {
      std::string text = "[";
      for (const JsonValue& element : value.elements)
        text += (text.size() > 1 ? "," : "") + Strict(element);
      return text + "]";
    }
    case JsonValue::Kind::Object: {
      std::string text = "{";
      for (const auto& [key, member] : value.members) {
        text += (text.size() > 1 ? "," : "") + Quoted(key) + ":" + Strict(member);
      }
      return text + "}";
    }
  }
  return "null";
}

int LineCount(const std::string& text) {
  int lines = 1;
  for (char c : text) lines += c == '\n';
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes = TarvaneFuzz::Text(data, size);
  bool parsed = false;
  try {
    JsonValue value = ParseLenientJson(bytes);
    parsed = true;
    const std::string strict = Strict(value);
    Check(Strict(ParseLenientJson(strict)) == strict, "what was read reads back the same");
  } catch (const JsonSyntaxError& error) {
    Check(!parsed, "strict JSON written from a value is always read");
    Check(error.line() >= 1 && error.line() <= LineCount(bytes), "the line is a line of the text");
    Check(error.column() >= 1, "the column counts from 1");
  }

  const TarvaneFuzz::Scratch& scratch = TarvaneFuzz::Scratch::Get();
  scratch.Remove("rules");
  std::filesystem::create_directories(scratch.Join("rules/Archetypes"));
  std::filesystem::create_directories(scratch.Join("rules/Fallbacks"));
  scratch.Write("rules/Archetypes/rule.json", bytes);
  scratch.Write("rules/Fallbacks/rule.json", bytes);
  scratch.Write("rules/color_overrides.json", bytes);
  CardDatabase database;
  ArchetypeRuleSet rules = LoadArchetypeRuleSet(scratch.Join("rules"), CardNameResolver(database));
  Check(parsed || rules.problems.size() == 3, "each file that cannot be read is a problem");
  Check(rules.archetypes.size() + rules.fallbacks.size() <= 2, "a file holds one rule");
  ArchetypeClassifier classifier(rules, database);
  auto deck = Deck::Load(scratch.Write("deck.txt", "4 Lightning Bolt\n\n1 Island\n"), database);
  Check(!classifier.Classify(*deck).name.empty(), "every deck gets a name");
  return 0;
}
