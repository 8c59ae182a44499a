#pragma once
// Every message box of the program goes through this interface, so that the data side and the
// table logic can report to the user without knowing whether a window exists: the main window
// shows a message box, the headless tool writes "caption: text" to standard error.
#include <string>

namespace Tarvane {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { Error, Warning, Information, Question };
enum class MessageAnswer { Ok, Yes, No };

class MessageReporter {
public:
  virtual ~MessageReporter() = default;
  // Shows one message (CP932 text and caption) and returns the user's answer: Ok for an Ok box,
  // Yes or No for a YesNo box. A box not owned by the main window has no owner window.
  virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                    MessageButtons buttons, MessageIcon icon,
                                    bool owned_by_main_window) = 0;
};

}  // namespace Tarvane
