#include "cli/cli_console.h"

#include "ttl/core/tt_string.h"

namespace Tarvane {

namespace {

std::string WithLineFeeds(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    result += text[i];
  }
  return result;
}

}  // namespace

CliConsole::CliConsole(std::ostream& out, std::ostream& err, bool utf8, bool yes)
    : out_(out), err_(err), utf8_(utf8), yes_(yes) {}

MessageAnswer CliConsole::ShowMessage(const std::string& text, const std::string& caption,
                                      MessageButtons buttons, MessageIcon icon, bool) {
  if (icon == MessageIcon::Error) ++error_count_;
  err_ << TtString::Cp932ToUtf8(caption) << ": " << TtString::Cp932ToUtf8(WithLineFeeds(text))
       << "\n";
  err_.flush();
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return yes_ ? MessageAnswer::Yes : MessageAnswer::No;
}

void CliConsole::SetStatusText(int part, const std::string& text) {
  if (part == kDeckCountPart || part == kSorterPart) {
    status_texts_[part] = text;
  }
}

const std::string& CliConsole::GetStatusText(int part) const {
  return status_texts_[part == kSorterPart ? 1 : 0];
}

void CliConsole::WriteOutput(const std::string& program_text) {
  if (utf8_) {
    out_ << TtString::Cp932ToUtf8(program_text);
  } else {
    out_.write(program_text.data(), static_cast<std::streamsize>(program_text.size()));
  }
  out_.flush();
}

void CliConsole::WriteReport(const std::string& program_text) {
  out_ << TtString::Cp932ToUtf8(program_text);
  out_.flush();
}

void CliConsole::WriteError(const std::string& utf8_text) {
  err_ << utf8_text << "\n";
  err_.flush();
}

}  // namespace Tarvane
