// tarvane-dict: builds a dictionary file from public bulk card data downloaded by the user.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/program_files.h"
#include "tools/dictionary_builder.h"
#include "tools/dictionary_source_exception.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_string.h"

namespace {

using TtLanguage::Say;

// Program texts are CP932; the terminal reads UTF-8.
void Print(std::FILE* stream, const std::string& cp932) {
  std::fputs(TtString::Cp932ToUtf8(cp932).c_str(), stream);
}

// Texts already in the terminal's UTF-8 (from Say).
void PrintUtf8(std::FILE* stream, const std::string& utf8) { std::fputs(utf8.c_str(), stream); }

void PrintUsage() {
  PrintUtf8(stderr,
            Say("Usage: tarvane-dict [--japanese-text] INPUT.json [OUTPUT.dat]\n"
                "  INPUT: AtomicCards.json, AllPrintings.json, the file of one set (MTGJSON)\n"
                "         or all-cards-*.json (Scryfall)\n"
                "  OUTPUT: left out, the dictionary is written as INPUT's name with .dat into\n"
                "          the user's dictionary folder\n"
                "  --japanese-text  write the rules text in Japanese (for the cards the data has "
                "it for)\n",
                "使い方: tarvane-dict [--japanese-text] 入力.json [出力.dat]\n"
                "  入力: AtomicCards.json, AllPrintings.json, 一つのセットのファイル (MTGJSON)\n"
                "        または all-cards-*.json (Scryfall)\n"
                "  出力: 省略すると、利用者の辞書フォルダに 入力の名前.dat として書く\n"
                "  --japanese-text  ルールテキストを日本語で書く (データにあるカードのみ)\n"));
}

// Shows the share of the input read, on a terminal only, and only when the percentage moves.
class ProgressLine {
public:
  ProgressLine() : shown_(isatty(STDERR_FILENO) != 0) {}

  void Update(uint64_t done, uint64_t total) {
    if (!shown_ || total == 0) return;
    int percent = static_cast<int>(done * 100 / total);
    if (percent == last_percent_) return;
    last_percent_ = percent;
    PrintUtf8(stderr, Say("\rReading ", "\r読み込み中 ") + std::to_string(percent) + "% (" +
                          std::to_string(done >> 20) + " / " + std::to_string(total >> 20) +
                          " MB)");
    std::fflush(stderr);
  }

  void End() {
    if (shown_ && last_percent_ >= 0) std::fputs("\n", stderr);
  }

private:
  bool shown_;
  int last_percent_ = -1;
};

void PrintSummary(const Tarvane::DictionaryBuildSummary& summary, const std::string& output) {
  auto line = [](const std::string& label, long count) {
    PrintUtf8(stdout, label + ": " + std::to_string(count) + "\n");
  };
  PrintUtf8(stdout, Say("Written to " + TtString::Cp932ToUtf8(output) + ".\n",
                        output + " に書き出しました。\n"));
  line(Say("Cards in the data", "データのカード"), summary.cards);
  line(Say("Lines written (cards)", "書き出した行 (カード)"), summary.lines);
  line(Say("Lines with a Japanese name", "日本語名のある行"), summary.japanese_names);
  line(Say("Characters spelt another way (dashes, minus signs, accented letters ...)",
           "表記を置き換えた文字 (ダッシュ、マイナス記号、アクセント付き文字など)"),
       summary.mapped_characters);
  line(Say("Characters CP932 lacks, written as ?", "CP932 にないため ? にした文字"),
       summary.replaced_characters);
  if (summary.shortened_lines) {
    line(Say("Lines whose rules text was cut, being too long",
             "長すぎてルールテキストを切り詰めた行"),
         summary.shortened_lines);
  }
  if (summary.duplicate_names) {
    line(Say("Lines left out for a name written before (the earlier line stays)",
             "名前が重なり省いた行 (先の行を残しました)"),
         summary.duplicate_names);
  }
  if (summary.overlong_lines)
    line(Say("Lines too long to write", "長すぎて書けなかった行"), summary.overlong_lines);
  if (summary.wrong_typed_records) {
    line(Say("Records with a field of the wrong type, that field not read",
             "型の違う項目があり、その項目を読まなかったレコード"),
         summary.wrong_typed_records);
  }
}

// Without an output path the dictionary goes where the program reads the user's dictionary
// files, named after the input, so that a downloaded file becomes the program's at once.
std::string DefaultOutputPath(const std::string& input) {
  Tarvane::ProgramFiles::Scope program(Tarvane::ProgramFiles::GetMainProgramBesideThisOne());
  std::string folder =
      Tarvane::ProgramFiles::CreateFolder(Tarvane::ProgramFiles::GetUserDictionaryFolderPath());
  return folder + "/" + TtPath::SelectParts(input, TtPath::BaseName) + ".dat";
}

}  // namespace

int main(int argc, char** argv) {
  // The reasons the builder gives (a file not found, JSON cut short) speak the user's language,
  // as the usage and the summary do.
  TtLanguage::MessagesFollowLocale language;
  // Past a file-size limit (ulimit -f) a write then fails and is reported, its temporary file
  // removed, instead of the signal ending the tool without a word.
  std::signal(SIGXFSZ, SIG_IGN);
  Tarvane::DictionaryBuildOptions options;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--japanese-text") == 0) {
      options.japanese_text = true;
    } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      PrintUsage();
      return 0;
    } else {
      paths.push_back(argv[i]);
    }
  }
  if (paths.empty() || paths.size() > 2) {
    PrintUsage();
    return 2;
  }
  ProgressLine progress;
  options.progress = [&progress](uint64_t done, uint64_t total) { progress.Update(done, total); };
  try {
    std::string input = TtString::FromSystemPath(paths[0]);
    std::string output =
        paths.size() == 2 ? TtString::FromSystemPath(paths[1]) : DefaultOutputPath(input);
    Tarvane::DictionaryBuildSummary summary = Tarvane::BuildDictionary(input, output, options);
    progress.End();
    PrintSummary(summary, output);
    return 0;
  } catch (const TtFileAccessException& error) {
    progress.End();
    PrintUtf8(stderr,
              Say("Cannot read or write the file: ", "ファイルを読み書きできません: ") +
                  TtString::Cp932ToUtf8(error.GetPath() + " (" + error.GetReason() + ")\n"));
  } catch (const Tarvane::DictionarySourceException& error) {
    progress.End();
    PrintUtf8(stderr, Say("Not readable as card data: ", "カードデータとして読めません: ") +
                          TtString::Cp932ToUtf8(error.GetPath() + ": " + error.GetReason() + "\n"));
  } catch (const TtException& error) {
    progress.End();
    Print(stderr, error.Message() + "\n");
  }
  PrintUtf8(stderr, Say("No dictionary was written.\n", "辞書は書き出していません。\n"));
  return 1;
}
