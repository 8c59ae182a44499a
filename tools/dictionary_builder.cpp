#include "tools/dictionary_builder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "tools/card_collection.h"
#include "tools/card_data_reader.h"
#include "tools/dictionary_source_exception.h"
#include "tools/json_element_splitter.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_file.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_string.h"

namespace Tarvane {
namespace {

constexpr size_t kReadBlock = 8 << 20;
constexpr size_t kWriteBlock = 1 << 20;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

int LastErrorOr(int fallback) { return errno != 0 ? errno : fallback; }

File OpenSystemFile(const std::string& system_path, const char* mode) {
  errno = 0;
  File file(std::fopen(system_path.c_str(), mode));
  if (!file)
    throw TtFileAccessException(TtString::DescribeSystemPath(system_path), LastErrorOr(ENOENT));
  return file;
}

uint64_t FileSize(std::FILE* file) {
  struct stat status {};
  return fstat(fileno(file), &status) == 0 ? static_cast<uint64_t>(status.st_size) : 0;
}

CardCollection ReadCards(const std::string& input_path, const DictionaryBuildOptions& options) {
  File file(TtFile::OpenRegularFileForReading(input_path).release());
  uint64_t total = FileSize(file.get());
  uint64_t done = 0;
  CardCollection cards;
  CardDataReader reader;
  JsonElementSplitter splitter(input_path, [&](const char* json, size_t length, size_t capacity) {
    reader.Read(json, length, capacity, cards, input_path, splitter.PieceKey());
  });
  for (;;) {
    char* space = splitter.PrepareSpace(kReadBlock);
    errno = 0;
    size_t read = std::fread(space, 1, kReadBlock, file.get());
    if (std::ferror(file.get())) throw TtFileAccessException(input_path, LastErrorOr(EIO));
    splitter.Commit(read);
    done += read;
    if (options.progress) options.progress(done, total);
    if (read < kReadBlock) break;
  }
  splitter.Finish();
  return cards;
}

// Writes the dictionary to a temporary file beside the output and renames it over the output,
// so a failed or interrupted build never leaves half a dictionary, which the program would
// refuse to start with.
class DictionaryFile {
public:
  // The output's checked target: through a symbolic link, never over a device or a read-only
  // file.
  explicit DictionaryFile(const std::string& path)
      : path_(TtFile::ReplaceTarget(path)),
        system_temporary_path_(TtFile::TemporaryPathBeside(TtString::ToSystemPath(path_), ".tmp")),
        temporary_path_(TtString::DescribeSystemPath(system_temporary_path_)),
        file_(OpenSystemFile(system_temporary_path_, "wb")) {}

  ~DictionaryFile() {
    if (!file_) return;
    file_.reset();
    std::remove(system_temporary_path_.c_str());
  }

  // Writes the text when enough has gathered; the text is emptied when written.
  void Write(std::string& text, bool force = false) {
    if (text.empty() || (!force && text.size() < kWriteBlock)) return;
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), file_.get()) != text.size()) {
      throw TtFileAccessException(temporary_path_, LastErrorOr(EIO));
    }
    text.clear();
  }

  void Commit() {
    errno = 0;
    bool written = std::fflush(file_.get()) == 0 && !std::ferror(file_.get());
    int error = LastErrorOr(EIO);
    written = std::fclose(file_.release()) == 0 && written;
    if (!written) {
      std::remove(system_temporary_path_.c_str());
      throw TtFileAccessException(temporary_path_, error);
    }
    if (std::rename(system_temporary_path_.c_str(), TtString::ToSystemPath(path_).c_str()) != 0) {
      error = errno;
      std::remove(system_temporary_path_.c_str());
      throw TtFileAccessException(path_, error);
    }
  }

private:
  std::string path_;
  std::string system_temporary_path_;
  std::string temporary_path_;  // as the user reads it
  File file_;
};

}  // namespace

DictionaryBuildSummary BuildDictionary(const std::string& input_path,
                                       const std::string& output_path,
                                       const DictionaryBuildOptions& options) {
  CardCollection collection = ReadCards(input_path, options);
  DictionaryBuildSummary summary;
  summary.wrong_typed_records = collection.WrongTypedRecords();
  std::vector<SourceCard> cards = collection.TakeCards();
  if (cards.empty())
    throw DictionarySourceException(
        input_path, TtLanguage::Text("no card data was found", "カードのデータが見つかりません"));
  summary.cards = static_cast<long>(cards.size());
  DictionaryLineWriter writer(summary);
  DictionaryFile file(output_path);
  std::string text;
  for (const SourceCard& card : cards) {
    for (const DictionaryRecord& record : MakeDictionaryRecords(card, options.japanese_text)) {
      writer.Write(record, text);
    }
    file.Write(text);
  }
  // An empty dictionary would replace a good one with nothing, and report success.
  if (summary.lines == 0) {
    const std::string overlong = std::to_string(summary.overlong_lines);
    throw DictionarySourceException(
        input_path, TtLanguage::Text("no card can be written (lines too long: " + overlong + ")",
                                     "書き出せるカードがありません (長すぎる行 " + overlong + ")"));
  }
  file.Write(text, true);
  file.Commit();
  return summary;
}

}  // namespace Tarvane
