#pragma once
// Where the headless tool's program speaks: the message boxes become lines on standard error,
// the status bar is remembered for --status, and table text and listings go to standard output.
#include <ostream>
#include <string>

#include "app/message_reporter.h"
#include "table/status_bar_texts.h"

namespace Tarvane {

class CliConsole : public MessageReporter, public StatusBarTexts {
public:
  // utf8: convert what goes to standard output; yes: the answer to every Yes/No question.
  CliConsole(std::ostream& out, std::ostream& err, bool utf8, bool yes);

  // "caption: text" in UTF-8 on standard error, line ends as LF. A Yes/No question gets the
  // answer chosen on the command line.
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                            MessageButtons buttons, MessageIcon icon,
                            bool owned_by_main_window) override;
  void SetStatusText(int part, const std::string& text) override;

  const std::string& GetStatusText(int part) const;
  // How many error boxes have been shown so far.
  int GetErrorCount() const { return error_count_; }
  // Program text (CP932) on standard output, converted when asked.
  void WriteOutput(const std::string& program_text);
  // A report for the reader at the terminal (program text) on standard output, always in UTF-8
  // as the tool's messages are.
  void WriteReport(const std::string& program_text);
  // The tool's own message (UTF-8) on standard error.
  void WriteError(const std::string& utf8_text);

private:
  std::ostream& out_;
  std::ostream& err_;
  bool utf8_;
  bool yes_;
  std::string status_texts_[2];
  int error_count_ = 0;
};

}  // namespace Tarvane
