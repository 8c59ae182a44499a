#include "model/import/deck_list_file_import.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "model/text_file.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_string.h"

namespace Tarvane {
namespace {

void MakeFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(TtString::ToSystemPath(folder), error);
  if (error) throw TtFileAccessException(folder, error.value());
}

std::string FileAccessReason(int error_number) {
  return TtWindowsSystemCallException::ErrorCodeText(error_number);
}

}  // namespace

std::string DeckListFileImport::Report() const {
  std::string report = input + " → " + output_path + "\n" + result.Report();
  if (!failure.empty()) report += "書き出していません: " + failure + "\n";
  return report;
}

DeckListFileImporter::DeckListFileImporter(const CardNameResolver& names, std::string folder,
                                           ReplaceQuestion may_replace)
    : names_(names), folder_(std::move(folder)), may_replace_(std::move(may_replace)) {}

DeckListFileImport DeckListFileImporter::ImportFile(const std::string& input_path) {
  DeckListFileImport import;
  import.input = input_path;
  import.output_path = folder_ + "/" + ImportedFileName(input_path);
  try {
    import.result = ImportDeckList(ReadTextFile(input_path), names_);
  } catch (const TtFileAccessException& error) {
    import.failure = "読み込めません (" + FileAccessReason(error.GetErrorNumber()) + ")";
    return import;
  }
  if (TtPath::GetFullPath(import.output_path) == TtPath::GetFullPath(input_path)) {
    import.failure = "入力と同じファイルです";
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
  import.result = ImportDeckList(bytes, names_);
  if (import.result.deck_name.empty()) import.result.deck_name = deck_name;
  Write(import);
  return import;
}

void DeckListFileImporter::Write(DeckListFileImport& import) {
  if (!import.result.HasCards()) {
    import.failure = "カードがありません";
    return;
  }
  if (written_.contains(import.output_path)) {
    import.failure = "同じ名前のファイルをこの変換で書き出しました";
    return;
  }
  try {
    if (TtPath::FileExists(import.output_path) && !(may_replace_ && may_replace_(import.output_path))) {
      import.failure = "同じ名前のファイルがあります";
      return;
    }
    MakeFolder(folder_);
    WriteDeckListFile(import.output_path, import.result.DeckListText());
  } catch (const TtFileAccessException& error) {
    import.failure = "書き込めません (" + FileAccessReason(error.GetErrorNumber()) + ")";
    return;
  }
  written_.insert(import.output_path);
  import.written = true;
}

}  // namespace Tarvane
