// The settings file layer: reads every section and key of an arbitrary file, then writes every
// value back as it was read. Writing back what was read must change nothing that can be read.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "ttl/core/tt_ini_file.h"
#include "ttl/core/tt_utility.h"

using TarvaneFuzz::Check;

namespace {

// Everything a reader can learn from the file: each listed section with its keys and values.
struct Contents {
  std::vector<std::string> sections;
  std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> keys_and_values;
  bool operator==(const Contents&) const = default;
};

Contents ReadAll(TtIniFile& file) {
  Contents contents;
  contents.sections = file.GetSectionNames();
  for (const std::string& name : contents.sections) {
    TtIniSection section = file[name];
    std::vector<std::string> keys = section.GetKeyNames();
    std::vector<std::string> values;
    for (const std::string& key : keys) {
      // No value holds a line feed, so the default tells a missing key apart.
      values.push_back(section.GetString(key, "\n"));
      Check(values.back() != "\n", "a listed key has a value");
      // The typed reads must cope with any text.
      section.GetInteger(key, 7);
      section.GetBoolean(key, true);
      section.GetDouble(key, 0.5);
    }
    contents.keys_and_values.emplace_back(std::move(keys), std::move(values));
  }
  return contents;
}

// A value is written as one line, so a CR inside it comes back as a space, and spaces at its
// ends are not part of the value read.
std::string AsWritten(std::string value) {
  for (char& c : value) {
    if (c == '\r') c = ' ';
  }
  size_t begin = value.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  return value.substr(begin, value.find_last_not_of(" \t") - begin + 1);
}

// Writing a key under another spelling of its name may take that spelling.
Contents IgnoringKeyCase(Contents contents) {
  for (auto& keys_and_values : contents.keys_and_values) {
    for (std::string& key : keys_and_values.first) key = TtUtility::Cp932ToLowerAscii(key);
  }
  return contents;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto& scratch = TarvaneFuzz::Scratch::Get();
  std::string path = scratch.Write("settings.ini", TarvaneFuzz::Text(data, size));
  // A small read buffer makes every longer value go through the buffer's growth.
  TtIniFile file(path, 8);
  Contents before = ReadAll(file);
  for (size_t s = 0; s < before.sections.size(); ++s) {
    TtIniSection section = file[before.sections[s]];
    const auto& [keys, values] = before.keys_and_values[s];
    for (size_t k = 0; k < keys.size(); ++k) section.SetString(keys[k], values[k]);
  }
  for (auto& [keys, values] : before.keys_and_values) {
    for (std::string& value : values) value = AsWritten(value);
  }
  Check(IgnoringKeyCase(ReadAll(file)) == IgnoringKeyCase(before),
        "writing back what was read changes nothing readable");

  // A new key lands in its section and leaves the rest alone.
  file["Fuzz"].SetInteger("Added", 42);
  Check(file["Fuzz"].GetInteger("Added", 0) == 42, "a new key reads back");
  file["Fuzz"].DeleteKey("Added");
  Check(file["Fuzz"].GetString("Added", "gone") == "gone", "a deleted key is gone");
  return 0;
}
