#pragma once
// A message reporter that records every message instead of showing it, and answers questions as
// the test sets.
#include <string>
#include <vector>

#include "app/message_reporter.h"

namespace TarvaneTest {

using Tarvane::MessageAnswer;
using Tarvane::MessageButtons;
using Tarvane::MessageIcon;

class RecordingReporter : public Tarvane::MessageReporter {
public:
  struct Message {
    std::string text;
    std::string caption;
    Tarvane::MessageButtons buttons;
    Tarvane::MessageIcon icon;
    bool owned_by_main_window;
  };

  Tarvane::MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                     Tarvane::MessageButtons buttons, Tarvane::MessageIcon icon,
                                     bool owned_by_main_window) override {
    messages.push_back({text, caption, buttons, icon, owned_by_main_window});
    return buttons == Tarvane::MessageButtons::Ok ? Tarvane::MessageAnswer::Ok
                                                  : answer_to_questions;
  }

  std::vector<Message> messages;
  Tarvane::MessageAnswer answer_to_questions = Tarvane::MessageAnswer::Yes;
};

}  // namespace TarvaneTest
