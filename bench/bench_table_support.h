#pragma once
// What the measurements over the windowless table share: the generated program folder's files,
// a status bar and message reporter that only keep count, and the order of the two sides.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "app/message_reporter.h"
#include "bench.h"
#include "table/status_bar_texts.h"
#include "ttl/core/tt_path.h"

namespace TarvaneBench {

inline const char* const kCardTypes[] = {"Land",        "Creature", "Instant",     "Sorcery",
                                         "Enchantment", "Artifact", "Planeswalker"};

// The start-up script that ships beside tarvane-bench; empty (and said) when it is missing.
inline std::string ShippedStartupScript() {
  std::string script = TtPath::GetDirectoryName(TtPath::GetExecutableFilePath()) + "/tarvane.nut";
  if (std::filesystem::exists(script)) return script;
  TarvaneBench::PrintNote(
      "  the shipped start-up script is missing beside tarvane-bench; build tarvane_data",
      "  tarvane-bench の隣に同梱の起動スクリプトがありません。tarvane_data をビルドしてください");
  return "";
}

// The generated program folder's dictionary/<file_name> of `cards` cards named by name_of,
// their Japanese names japanese_prefix and the number, costs and types taken in turn; and the
// start-up script copied beside it.
inline void WriteDictionaryAndScript(const std::string& folder, const std::string& file_name,
                                     int cards, const std::function<std::string(int)>& name_of,
                                     const std::string& japanese_prefix,
                                     const std::string& startup_script) {
  std::string dictionary;
  for (int i = 0; i < cards; ++i) {
    const char* type = kCardTypes[i % 7];
    dictionary += name_of(i) + "\t" + japanese_prefix + std::to_string(i) + "\t{" +
                  std::to_string(i % 6) + "}\t" + std::to_string(i % 6) + "\t" + type + "\t" +
                  type + "\t" + (i % 7 == 1 ? "2/2" : "") + "\n";
  }
  WriteFile(folder + "/dictionary/" + file_name, dictionary);
  std::filesystem::copy_file(startup_script, folder + "/tarvane.nut",
                             std::filesystem::copy_options::overwrite_existing);
}

// One round of a measurement against its baseline, the two sides taking turns to go first so
// that neither always meets the warmer caches.
inline void InTurn(int round, const std::function<void()>& host,
                   const std::function<void()>& baseline) {
  if (round % 2 == 0) {
    host();
    baseline();
  } else {
    baseline();
    host();
  }
}

class SilentStatusBar : public Tarvane::StatusBarTexts {
public:
  void SetStatusText(int, const std::string&) override {}
};

class CountingReporter : public Tarvane::MessageReporter {
public:
  Tarvane::MessageAnswer ShowMessage(const std::string&, const std::string&,
                                     Tarvane::MessageButtons, Tarvane::MessageIcon, bool) override {
    ++messages;
    return Tarvane::MessageAnswer::No;
  }
  int messages = 0;
};

}  // namespace TarvaneBench
