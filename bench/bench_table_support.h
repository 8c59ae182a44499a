#pragma once
// What the measurements over the windowless table share: the generated program folder's files,
// and a status bar and message reporter that only keep count.
#include <string>

#include "app/message_reporter.h"
#include "table/status_bar_texts.h"

namespace TarvaneBench {

inline const char* const kCardTypes[] = {"Land", "Creature", "Instant", "Sorcery", "Enchantment",
                                         "Artifact", "Planeswalker"};

class SilentStatusBar : public Tarvane::StatusBarTexts {
public:
  void SetStatusText(int, const std::string&) override {}
};

class CountingReporter : public Tarvane::MessageReporter {
public:
  Tarvane::MessageAnswer ShowMessage(const std::string&, const std::string&,
                                     Tarvane::MessageButtons, Tarvane::MessageIcon,
                                     bool) override {
    ++messages;
    return Tarvane::MessageAnswer::No;
  }
  int messages = 0;
};

}  // namespace TarvaneBench
