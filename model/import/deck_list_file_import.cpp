#include "model/import/deck_list_file_import.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "model/import/deck_list_shape_reader.h"
#include "model/import/file_error_text.h"
#include "model/text_file.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_string.h"

namespace Tarvane {
namespace {

using TtLanguage::Text;

std::string NotWritten(const std::string& failure) {
  return Text("Not written: ", "書き出していません: ") + failure + "\n";
}

void MakeFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(TtString::ToSystemPath(folder), error);
  if (error) throw TtFileAccessException(folder, error.value());
}

// The same file under both names: one path a link to the other, a folder on the way a link, or
// two hard links.
bool IsSameFile(const std::string& first, const std::string& second) {
  std::error_code error;
  return std::filesystem::equivalent(TtString::ToSystemPath(first), TtString::ToSystemPath(second),
                                     error) &&
         !error;
}

// The refusal's own reason (not a regular file, say) when it gave one, else the error number in
// the words of the report.
std::string FileAccessReason(const TtFileAccessException& error) {
  const std::string reason = error.GetReason();
  if (reason != TtFileAccessException(error.GetPath(), error.GetErrorNumber()).GetReason())
    return reason;
  return FileErrorText(error.GetErrorNumber());
}

}  // namespace

std::string DeckListFileImport::Report() const {
  std::string report = input + " → " + output_path + "\n" + result.Report();
  if (!failure.empty()) report += NotWritten(failure);
  return report;
}

bool InputFileImport::AllWritten() const {
  return failure.empty() &&
         std::all_of(lists.begin(), lists.end(), [](const auto& list) { return list.written; });
}

std::string InputFileImport::Report() const {
  if (!failure.empty()) return input + "\n" + NotWritten(failure);
  if (shape != DeckListShape::EventJson) {
    std::string report;
    for (const DeckListFileImport& list : lists) report += list.Report();
    return report;
  }
  return EventReport();
}

// An event holds many decks: the report says what the event was and how many decks were
// written, and of each deck only what went wrong, so that a problem is not lost among them.
std::string InputFileImport::EventReport() const {
  size_t written =
      std::count_if(lists.begin(), lists.end(), [](const auto& list) { return list.written; });
  std::string report =
      input + " → " + folder + "\n" + Text("Shape: ", "形式: ") + DeckListShapeName(shape) + "\n";
  if (!event_name.empty()) report += Text("Event: ", "イベント: ") + event_name + "\n";
  if (!event_date.empty()) report += Text("Date: ", "日付: ") + event_date + "\n";
  report += Text("Decks written: ", "書き出したデッキ: ") + std::to_string(written) + " / " +
            std::to_string(lists.size()) + "\n";
  for (const DeckListFileImport& list : lists) {
    std::string problems = list.result.ProblemReport();
    if (!list.failure.empty()) problems += NotWritten(list.failure);
    if (!problems.empty()) report += TtPath::FindFileName(list.output_path) + ":\n" + problems;
  }
  return report;
}

DeckListFileImporter::DeckListFileImporter(const CardNameResolver& names, std::string folder,
                                           ReplaceQuestion may_replace)
    : names_(names), folder_(std::move(folder)), may_replace_(std::move(may_replace)) {}

InputFileImport DeckListFileImporter::ImportFile(const std::string& input_path) {
  InputFileImport input;
  input.input = input_path;
  input.folder = folder_;
  DeckListsImport lists;
  try {
    lists = ImportDeckLists(ReadTextFile(input_path), names_);
  } catch (const TtFileAccessException& error) {
    input.failure = Text("cannot be read (", "読み込めません (") + FileAccessReason(error) + ")";
    return input;
  } catch (const DeckListFormatError& error) {
    input.failure = error.what();
    return input;
  }
  input.shape = lists.shape;
  input.event_name = lists.event_name;
  input.event_date = lists.event_date;
  for (DeckListImport& list : lists.lists)
    input.lists.push_back(ImportList(input_path, std::move(list)));
  return input;
}

DeckListFileImport DeckListFileImporter::ImportList(const std::string& input_path,
                                                    DeckListImport list) {
  DeckListFileImport import;
  import.input = input_path;
  import.output_path =
      folder_ + "/" +
      (list.file_stem.empty() ? ImportedFileName(input_path) : list.file_stem + ".txt");
  import.result = std::move(list);
  if (TtPath::GetFullPath(import.output_path) == TtPath::GetFullPath(input_path) ||
      IsSameFile(import.output_path, input_path)) {
    import.failure = Text("it is the input file itself", "入力と同じファイルです");
    return import;
  }
  Write(import);
  return import;
}

DeckListFileImport DeckListFileImporter::ImportText(const std::string& bytes,
                                                    const std::string& deck_name) {
  DeckListFileImport import;
  import.input = deck_name;
  // A slash would make the name a path; a CP932 character never has it as its second byte.
  std::string file_name = deck_name;
  std::replace(file_name.begin(), file_name.end(), '/', '_');
  import.output_path = folder_ + "/" + file_name + ".txt";
  try {
    import.result = ImportDeckList(bytes, names_);
  } catch (const DeckListFormatError& error) {
    import.failure = error.what();
    return import;
  }
  if (import.result.deck_name.empty()) import.result.deck_name = deck_name;
  Write(import);
  return import;
}

void DeckListFileImporter::Write(DeckListFileImport& import) {
  if (!import.result.HasCards()) {
    import.failure = Text("it has no cards", "カードがありません");
    return;
  }
  if (written_.contains(import.output_path)) {
    import.failure = Text("a file of the same name was written in this run",
                          "同じ名前のファイルをこの変換で書き出しました");
    return;
  }
  try {
    if (TtPath::FileExists(import.output_path) &&
        !(may_replace_ && may_replace_(import.output_path))) {
      import.failure = Text("a file of the same name is there", "同じ名前のファイルがあります");
      return;
    }
    MakeFolder(folder_);
    WriteDeckListFile(import.output_path, import.result.DeckListText());
  } catch (const TtFileAccessException& error) {
    import.failure =
        Text("cannot be written (", "書き込めません (") + FileAccessReason(error) + ")";
    return;
  }
  written_.insert(import.output_path);
  import.written = true;
}

}  // namespace Tarvane
