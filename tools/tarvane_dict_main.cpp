// tarvane-dict: builds a dictionary file from public bulk card data downloaded by the user.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/dictionary_builder.h"
#include "tools/dictionary_source_exception.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_string.h"

namespace {

// Program texts are CP932; the terminal reads UTF-8.
void Print(std::FILE* stream, const std::string& cp932) {
  std::fputs(TtString::Cp932ToUtf8(cp932).c_str(), stream);
}

void PrintUsage() {
  Print(stderr,
        "使い方: tarvane-dict [--japanese-text] 入力.json 出力.dat\n"
        "  入力: AtomicCards.json, AllPrintings.json, 一つのセットのファイル (MTGJSON)\n"
        "        または all-cards-*.json (Scryfall)\n"
        "  --japanese-text  ルールテキストを日本語で書く (データにあるカードのみ)\n");
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
    Print(stderr, "\r読み込み中 " + std::to_string(percent) + "% (" +
                      std::to_string(done >> 20) + " / " + std::to_string(total >> 20) + " MB)");
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
    Print(stdout, label + ": " + std::to_string(count) + "\n");
  };
  Print(stdout, output + " に書き出しました。\n");
  line("データのカード", summary.cards);
  line("書き出した行 (カード)", summary.lines);
  line("日本語名のある行", summary.japanese_names);
  line("表記を置き換えた文字 (ダッシュ、マイナス記号、アクセント付き文字など)",
       summary.mapped_characters);
  line("CP932 にないため ? にした文字", summary.replaced_characters);
  if (summary.shortened_lines) line("長すぎてルールテキストを切り詰めた行", summary.shortened_lines);
  if (summary.duplicate_names) line("名前が重なり省いた行 (先の行を残しました)", summary.duplicate_names);
  if (summary.overlong_lines) line("長すぎて書けなかった行", summary.overlong_lines);
  if (summary.wrong_typed_records) {
    line("型の違う項目があり、その項目を読まなかったレコード", summary.wrong_typed_records);
  }
}

}  // namespace

int main(int argc, char** argv) {
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
  if (paths.size() != 2) {
    PrintUsage();
    return 2;
  }
  ProgressLine progress;
  options.progress = [&progress](uint64_t done, uint64_t total) { progress.Update(done, total); };
  try {
    std::string input = TtString::FromSystemPath(paths[0]);
    std::string output = TtString::FromSystemPath(paths[1]);
    Tarvane::DictionaryBuildSummary summary = Tarvane::BuildDictionary(input, output, options);
    progress.End();
    PrintSummary(summary, output);
    return 0;
  } catch (const TtFileAccessException& error) {
    progress.End();
    Print(stderr, "ファイルを読み書きできません: " + error.GetPath() + " (" + error.GetReason() + ")\n");
  } catch (const Tarvane::DictionarySourceException& error) {
    progress.End();
    Print(stderr, "カードデータとして読めません: " + error.GetPath() + ": " + error.GetReason() + "\n");
  } catch (const TtException& error) {
    progress.End();
    Print(stderr, error.Message() + "\n");
  }
  Print(stderr, "辞書は書き出していません。\n");
  return 1;
}
