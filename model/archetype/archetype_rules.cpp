#include "model/archetype/archetype_rules.h"

#include <array>

#include "model/archetype/lenient_json.h"
#include "model/cp932_transliterator.h"
#include "model/import/card_name_resolver.h"
#include "model/text_file.h"
#include "ttl/core/tt_directory.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_utility.h"

namespace Tarvane {

namespace {

using Quantity = ArchetypeCondition::Quantity;
using Place = ArchetypeCondition::Place;

// A rule that cannot be used; the text says why, and the loader prefixes the file.
struct RuleProblem {
  std::string reason;
};

class RuleFileReader {
public:
  explicit RuleFileReader(const CardNameResolver& names) : names_(names) {}

  std::string ToProgramText(const std::string& utf8) { return transliterator_.ToCp932(utf8); }

  // The program's name for a card the rules name; the rule's spelling when no card fits.
  std::string ToCardName(const std::string& utf8) {
    std::string written = ToProgramText(utf8);
    std::string resolved = names_.Resolve(written);
    return resolved.empty() ? written : resolved;
  }

  std::string NameOf(const JsonValue& rule) {
    const JsonValue* name = rule.Find("Name");
    if (!name || !name->IsString() || name->text.empty())
      throw RuleProblem{
          TtLanguage::Text("There is no name (Name). ", "名前 (Name) がありません。")};
    return ToProgramText(name->text);
  }

  static bool FlagOf(const JsonValue& rule, const char* key) {
    const JsonValue* flag = rule.Find(key);
    if (!flag) return false;
    if (flag->kind == JsonValue::Kind::Boolean) return flag->boolean;
    return flag->IsString() && TtUtility::Cp932ToLowerAscii(flag->text) == "true";
  }

  // A list of card names; a single name stands for a list of one.
  std::vector<std::string> CardsOf(const JsonValue* cards) {
    std::vector<std::string> names;
    if (!cards) return names;
    if (cards->IsString()) {
      names.push_back(ToCardName(cards->text));
      return names;
    }
    for (const JsonValue& card : cards->elements) {
      if (card.IsString() && !card.text.empty()) names.push_back(ToCardName(card.text));
    }
    return names;
  }

  ArchetypeRule ArchetypeOf(const JsonValue& rule, bool is_variant) {
    if (!rule.IsObject())
      throw RuleProblem{
          TtLanguage::Text("This is not an archetype definition (a JSON object). ",
                           "アーキタイプの定義 (JSON のオブジェクト) ではありません。")};
    ArchetypeRule archetype;
    archetype.name = NameOf(rule);
    archetype.include_color_in_name = FlagOf(rule, "IncludeColorInName");
    const JsonValue* conditions = rule.Find("Conditions");
    if (!conditions || !conditions->IsArray() || conditions->elements.empty()) {
      throw RuleProblem{
          TtLanguage::Text("\"" + archetype.name + "\" has no conditions (Conditions). ",
                           "「" + archetype.name + "」に条件 (Conditions) がありません。")};
    }
    for (const JsonValue& condition : conditions->elements) {
      archetype.conditions.push_back(ConditionOf(condition));
    }
    const JsonValue* variants = rule.Find("Variants");
    if (!is_variant && variants) {
      for (const JsonValue& variant : variants->elements) {
        archetype.variants.push_back(ArchetypeOf(variant, true));
      }
    }
    return archetype;
  }

  ArchetypeCondition ConditionOf(const JsonValue& value) {
    const JsonValue* type = value.Find("Type");
    std::string type_name = type && type->IsString() ? type->text : "";
    ArchetypeCondition condition;
    if (!ReadConditionType(type_name, condition)) {
      const std::string type_text = ToProgramText(type_name);
      throw RuleProblem{TtLanguage::Text("The condition type \"" + type_text + "\" is not known. ",
                                         "条件の種類「" + type_text + "」は使えません。")};
    }
    condition.cards = CardsOf(value.Find("Cards"));
    return condition;
  }

  ArchetypeFallback FallbackOf(const JsonValue& rule) {
    if (!rule.IsObject())
      throw RuleProblem{
          TtLanguage::Text("This is not a fallback definition (a JSON object). ",
                           "フォールバックの定義 (JSON のオブジェクト) ではありません。")};
    ArchetypeFallback fallback;
    fallback.name = NameOf(rule);
    fallback.include_color_in_name = FlagOf(rule, "IncludeColorInName");
    fallback.common_cards = CardsOf(rule.Find("CommonCards"));
    if (fallback.common_cards.empty()) {
      throw RuleProblem{
          TtLanguage::Text("\"" + fallback.name + "\" has no common cards (CommonCards). ",
                           "「" + fallback.name + "」に共通カード (CommonCards) がありません。")};
    }
    return fallback;
  }

  // Every array of {Name, Color} in the file; the entries of an array under "Lands" are lands.
  void ReadColors(const JsonValue& file, ArchetypeRuleSet::ColorNotes& notes) {
    for (const auto& [key, list] : file.members) {
      const bool lands = TtUtility::Cp932ToLowerAscii(key) == "lands";
      for (const JsonValue& entry : list.elements) {
        const JsonValue* name = entry.Find("Name");
        const JsonValue* color = entry.Find("Color");
        if (!name || !name->IsString()) continue;
        CardColorNote note{color && color->IsString() ? ColorLetters(color->text) : "", lands};
        notes.insert_or_assign(ToCardName(name->text), note);
      }
    }
  }

private:
  static std::string ColorLetters(const std::string& text) {
    std::string letters;
    for (char c : std::string("WUBRG")) {
      if (text.find(c) != std::string::npos ||
          text.find(static_cast<char>(c - 'A' + 'a')) != std::string::npos) {
        letters += c;
      }
    }
    return letters;
  }

  const CardNameResolver& names_;
  Cp932Transliterator transliterator_;
};

// The file parsed, or null with the reason noted.
bool ReadJsonFile(const std::string& path, JsonValue& value, std::vector<std::string>& problems) {
  try {
    value = ParseLenientJson(ReadTextFile(path));
    return true;
  } catch (const JsonSyntaxError& error) {
    problems.push_back(path + ": " + error.what());
  } catch (const TtFileAccessException& error) {
    problems.push_back(path + ": " + error.GetReason());
  }
  return false;
}

// A file whose name the program cannot spell, or a folder it cannot list, is a problem like a
// file it cannot read: the other files still load.
std::vector<std::string> JsonFilesIn(const std::string& folder,
                                     std::vector<std::string>& problems) {
  std::vector<std::string> unspellable;
  std::vector<std::string> files;
  try {
    files = TtDirectory(folder).GetFiles("*.json", TtDirectory::FilterNotDirectory, &unspellable);
  } catch (const TtFileAccessException& error) {
    problems.push_back(error.GetPath() + ": " + error.GetReason());
  } catch (const TtException& error) {
    problems.push_back(folder + ": " + error.Message());
  }
  for (const std::string& path : unspellable) {
    problems.push_back(
        path + TtLanguage::Text(": the file name cannot be spelt in the program's encoding "
                                "(Shift-JIS), so it is not read.",
                                ": ファイル名をプログラムの文字コード (Shift-JIS) で表せない"
                                "ため読めません。"));
  }
  return files;
}

template <typename Rule, typename Read>
void ReadRuleFiles(const std::string& folder, std::vector<Rule>& rules,
                   std::vector<std::string>& problems, Read read) {
  for (const std::string& path : JsonFilesIn(folder, problems)) {
    JsonValue file;
    if (!ReadJsonFile(path, file, problems)) continue;
    try {
      rules.push_back(read(file));
    } catch (const RuleProblem& problem) {
      problems.push_back(path + ": " + problem.reason +
                         TtLanguage::Text("The rules of this file are not used.",
                                          "このファイルの規則は使いません。"));
    }
  }
}

void ReadColorFile(const std::string& path, RuleFileReader& reader,
                   ArchetypeRuleSet::ColorNotes& notes, std::vector<std::string>& problems) {
  if (!TtPath::FileExists(path)) return;
  JsonValue file;
  if (ReadJsonFile(path, file, problems)) reader.ReadColors(file, notes);
}

std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

bool ReadConditionType(const std::string& type, ArchetypeCondition& condition) {
  static const std::array<std::pair<const char*, Place>, 3> kPlaces = {{
      {"mainorsideboard", Place::MainOrSideboard},
      {"mainboard", Place::Mainboard},
      {"sideboard", Place::Sideboard},
  }};
  static const std::array<std::pair<const char*, Quantity>, 3> kQuantities = {{
      {"oneormorein", Quantity::OneOrMore},
      {"twoormorein", Quantity::TwoOrMore},
      {"in", Quantity::Every},
  }};
  const std::string lower = TtUtility::Cp932ToLowerAscii(type);
  if (lower == "doesnotcontain") {
    condition.quantity = Quantity::NoneOf;
    condition.place = Place::MainOrSideboard;
    return true;
  }
  for (const auto& [word, place] : kPlaces) {
    if (lower == std::string("doesnotcontain") + word && place != Place::MainOrSideboard) {
      condition.quantity = Quantity::NoneOf;
      condition.place = place;
      return true;
    }
    for (const auto& [prefix, quantity] : kQuantities) {
      if (lower == std::string(prefix) + word) {
        condition.quantity = quantity;
        condition.place = place;
        return true;
      }
    }
  }
  return false;
}

std::string ArchetypeRuleSet::Summary() const {
  const std::string archetype_count = std::to_string(archetypes.size());
  const std::string fallback_count = std::to_string(fallbacks.size());
  return TtLanguage::Text(
      "Read " + archetype_count + " archetypes and " + fallback_count + " fallbacks.",
      "アーキタイプ " + archetype_count + " 件、フォールバック " + fallback_count +
          " 件を読み込みました。");
}

ArchetypeRuleSet LoadArchetypeRuleSet(const std::string& folder, const CardNameResolver& names) {
  ArchetypeRuleSet rules;
  rules.folder = WithoutTrailingSlashes(folder);
  RuleFileReader reader(names);
  const std::string archetypes = rules.folder + "/Archetypes";
  const std::string fallbacks = rules.folder + "/Fallbacks";
  if (!TtPath::IsDirectory(archetypes) && !TtPath::IsDirectory(fallbacks)) {
    rules.problems.push_back(
        rules.folder +
        TtLanguage::Text(": there is no Archetypes or Fallbacks folder. This is not a folder "
                         "of archetype rules.",
                         ": Archetypes と Fallbacks "
                         "のフォルダがありません。アーキタイプの規則のフォルダではありません。"));
    return rules;
  }
  ReadRuleFiles(archetypes, rules.archetypes, rules.problems,
                [&](const JsonValue& file) { return reader.ArchetypeOf(file, false); });
  ReadRuleFiles(fallbacks, rules.fallbacks, rules.problems,
                [&](const JsonValue& file) { return reader.FallbackOf(file); });
  ReadColorFile(rules.folder + "/color_overrides.json", reader, rules.color_overrides,
                rules.problems);
  // The community keeps card_colors.json beside the format folders, one level up.
  const std::string beside = rules.folder + "/card_colors.json";
  std::string parent = TtPath::GetDirectoryName(rules.folder);
  if (parent.empty()) parent = ".";
  ReadColorFile(TtPath::FileExists(beside) ? beside : parent + "/card_colors.json", reader,
                rules.card_colors, rules.problems);
  return rules;
}

}  // namespace Tarvane
