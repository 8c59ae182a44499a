#pragma once
// The table as text for other programs: every list column and every list item as shown, each
// field quoted, lines ended by CR LF. The CSV file gets "," between fields, the clipboard a tab.
#include <functional>
#include <string>

#include "app/message_reporter.h"
#include "ttl/core/tt_list_view_store.h"

namespace Tarvane {

// The header line, then one line per list item in list order: every field in double quotes with
// its double quotes doubled, `separator` between fields, "\r\n" after every line. Texts are
// written whole.
std::string BuildTableText(const TtListViewStore& list, const std::string& separator);

// Writes the bytes to the file at the path (no line-end translation) through a temporary file
// beside it that replaces the file only when complete. When the file cannot be made or written,
// the matching error box names the path and the reason, the result is false, and a file that
// was there stays as it was.
bool WriteTableFile(const std::string& path, const std::string& text, MessageReporter& reporter);

// The CSV export once the user has chosen the path: the table with "," into the file.
bool ExportCsvFile(const TtListViewStore& list, const std::string& path, MessageReporter& reporter);

// Puts text on the clipboard: false when the clipboard cannot be opened; a failure to fill it
// is the toolkit's platform-call exception (TtClipboard::SetString is one).
using ClipboardSetter = std::function<bool(const std::string& text)>;

// The TSV export: the table with a tab onto the clipboard. When the clipboard cannot be opened
// or filled, an error box says that nothing was copied and the result is false.
bool ExportTsvToClipboard(const TtListViewStore& list, const ClipboardSetter& put_on_clipboard,
                          MessageReporter& reporter);

// One list item as one line of the same form, without the header line: the row that 編集 →
// コピー puts on the clipboard. Empty for an index that names no item.
std::string BuildRowText(const TtListViewStore& list, int item, const std::string& separator);

// Puts the text on the clipboard; when that fails, the same error box as the TSV export's.
bool CopyTextToClipboard(const std::string& text, const ClipboardSetter& put_on_clipboard,
                         MessageReporter& reporter);

}  // namespace Tarvane
