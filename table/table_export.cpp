#include "table/table_export.h"

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_file.h"
#include "ttl/core/tt_language.h"

namespace Tarvane {

namespace {

const char kClipboardErrorCaption[] = "クリップボードエラー";
const char kClipboardErrorText[] =
    "クリップボードへのコピーに失敗しました。\r\n"
    "他のアプリケーションがクリップボードを使っている可能性があります。";

// The double quote byte never occurs inside a two-byte character of the program's code page,
// so doubling it byte by byte splits no character.
void AppendQuoted(std::string& text, const std::string& field) {
  text += '"';
  for (char byte : field) {
    if (byte == '"') text += '"';
    text += byte;
  }
  text += '"';
}

size_t EstimatedSize(const TtListViewStore& list) {
  size_t size = 0;
  for (int column = 0; column < list.GetColumnCount(); ++column) {
    size += list.GetColumnText(column).size() + 3;
  }
  if (list.GetItemCount() > 0 && list.GetColumnCount() > 0) {
    size_t row = 0;
    for (int column = 0; column < list.GetColumnCount(); ++column) {
      row += list.GetItemText(0, column).size() + 3;
    }
    size += row * static_cast<size_t>(list.GetItemCount());
  }
  return size + 2 * static_cast<size_t>(list.GetItemCount() + 1);
}

// The export writes what the headless tool asks too, so its messages speak the language of the
// program's messages: the sentence, the file and the system's reason.
void ShowFileError(MessageReporter& reporter, const std::string& sentence,
                   const std::string& caption, const std::string& path,
                   const TtFileAccessException& error) {
  reporter.ShowMessage(sentence + TtLanguage::Text("\r\nFile: ", "\r\nファイル名 ： ") + path +
                           TtLanguage::Text("\r\nReason: ", "\r\n原因 ： ") + error.GetReason(),
                       caption, MessageButtons::Ok, MessageIcon::Error, true);
}

}  // namespace

std::string BuildTableText(const TtListViewStore& list, const std::string& separator) {
  std::string text;
  text.reserve(EstimatedSize(list));
  const int columns = list.GetColumnCount();
  for (int column = 0; column < columns; ++column) {
    if (column > 0) text += separator;
    AppendQuoted(text, list.GetColumnText(column));
  }
  text += "\r\n";
  for (int item = 0; item < list.GetItemCount(); ++item) {
    for (int column = 0; column < columns; ++column) {
      if (column > 0) text += separator;
      AppendQuoted(text, list.GetItemText(item, column));
    }
    text += "\r\n";
  }
  return text;
}

bool WriteTableFile(const std::string& path, const std::string& text, MessageReporter& reporter) {
  try {
    TtFile::ReplaceContents(path, text);
    return true;
  } catch (const TtFile::WriteException& error) {
    ShowFileError(
        reporter,
        TtLanguage::Text("The file could not be written.", "ファイルの書き込みに失敗しました。"),
        TtLanguage::Text("File write error", "ファイル書き込みエラー"), path, error);
  } catch (const TtFileAccessException& error) {
    // The path as the error names it: a name the program could not spell is shown as typed.
    ShowFileError(
        reporter,
        TtLanguage::Text("The file could not be opened.", "ファイルを開くのに失敗しました。"),
        TtLanguage::Text("File open error", "ファイルオープンエラー"), error.GetPath(), error);
  }
  return false;
}

bool ExportCsvFile(const TtListViewStore& list, const std::string& path,
                   MessageReporter& reporter) {
  return WriteTableFile(path, BuildTableText(list, ","), reporter);
}

std::string BuildRowText(const TtListViewStore& list, int item, const std::string& separator) {
  std::string text;
  if (item < 0 || item >= list.GetItemCount()) return text;
  for (int column = 0; column < list.GetColumnCount(); ++column) {
    if (column > 0) text += separator;
    AppendQuoted(text, list.GetItemText(item, column));
  }
  return text + "\r\n";
}

bool ExportTsvToClipboard(const TtListViewStore& list, const ClipboardSetter& put_on_clipboard,
                          MessageReporter& reporter) {
  return CopyTextToClipboard(BuildTableText(list, "\t"), put_on_clipboard, reporter);
}

bool CopyTextToClipboard(const std::string& text, const ClipboardSetter& put_on_clipboard,
                         MessageReporter& reporter) {
  bool copied = false;
  try {
    copied = put_on_clipboard(text);
  } catch (const TtException&) {
    // The platform refused the data; the user is told, and the program goes on.
    copied = false;
  }
  if (!copied) {
    reporter.ShowMessage(kClipboardErrorText, kClipboardErrorCaption, MessageButtons::Ok,
                         MessageIcon::Error, true);
  }
  return copied;
}

}  // namespace Tarvane
