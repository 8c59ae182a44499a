#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "bench.h"
#include "ttl/core/tt_language.h"

namespace TarvaneBench {
namespace {

std::map<std::string, BenchFunction>& Registry() {
  static std::map<std::string, BenchFunction> registry;
  return registry;
}

}  // namespace

Registrar::Registrar(const char* name, BenchFunction function) {
  Registry()[name] = std::move(function);
}

double Seconds(const std::function<void()>& function) {
  auto start = std::chrono::steady_clock::now();
  function();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double BestSeconds(int runs, const std::function<void()>& function) {
  double best = Seconds(function);
  for (int i = 1; i < runs; ++i) best = std::min(best, Seconds(function));
  return best;
}

void PrintRatio(const std::string& name, double value, double target) {
  std::printf("ratio %s %.3f %.1f\n", name.c_str(), value, target);
  std::fflush(stdout);
}

namespace {

// Columns a terminal gives the UTF-8 text: two for the wide characters of Japanese text.
size_t DisplayWidth(const std::string& utf8) {
  size_t width = 0;
  for (size_t index = 0; index < utf8.size(); ++index) {
    const unsigned char byte = static_cast<unsigned char>(utf8[index]);
    if ((byte & 0xC0) == 0x80) continue;
    width += byte >= 0xE3 ? 2 : 1;  // U+3000 and above: kana, kanji and full-width forms
  }
  return width;
}

}  // namespace

void PrintFigure(const std::string& english, const std::string& japanese, double value,
                 const std::string& unit) {
  const std::string name = TtLanguage::Say(english, japanese);
  const size_t width = DisplayWidth(name);
  std::printf("  %s%s %12.3f %s\n", name.c_str(),
              std::string(width < 40 ? 40 - width : 0, ' ').c_str(), value, unit.c_str());
  std::fflush(stdout);
}

void PrintNote(const std::string& english, const std::string& japanese) {
  std::printf("%s\n", TtLanguage::Say(english, japanese).c_str());
  std::fflush(stdout);
}

long PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss * 1024L;
}

void ResetPeakResidentMemory() {
  if (std::FILE* file = std::fopen("/proc/self/clear_refs", "w")) {
    std::fputs("5", file);
    std::fclose(file);
  }
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ScratchFolder() {
  static std::string folder = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("tarvane-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(
          std::filesystem::temp_directory_path() / ("tarvane-bench-" + std::to_string(getpid())),
          ignored);
    });
    return path.string();
  }();
  return folder;
}

}  // namespace TarvaneBench

namespace {

using TtLanguage::Say;

void PrintHelp() {
  std::string names;
  for (const auto& entry : TarvaneBench::Registry()) names += "  " + entry.first + "\n";
  std::fputs(
      (Say("Usage: tarvane-bench [NAME...]\n"
           "Runs every measurement, or the named ones, and prints each target as a line\n"
           "\"ratio NAME VALUE TARGET\": the value measured against a baseline of the same run.\n"
           "Measurements:\n",
           "使い方: tarvane-bench [名前...]\n"
           "すべての測定（または指定した測定）を実行し、目標ごとに\n"
           "\"ratio 名前 値 目標\" の行を出します。値は同じ実行の中で測った基準との比です。\n"
           "測定:\n") +
       names)
          .c_str(),
      stdout);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> wanted(argv + 1, argv + argc);
  for (const std::string& name : wanted) {
    if (name == "--help" || name == "-h") {
      PrintHelp();
      return 0;
    }
    if (!TarvaneBench::Registry().contains(name)) {
      std::fputs(
          (Say("tarvane-bench: no measurement is named ",
               "tarvane-bench: その名前の測定はありません: ") +
           name + Say("\n(tarvane-bench --help lists them)\n", "\n(一覧は tarvane-bench --help)\n"))
              .c_str(),
          stderr);
      return 2;
    }
  }
  for (auto& [name, function] : TarvaneBench::Registry()) {
    if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), name) == wanted.end()) continue;
    std::printf("== %s\n", name.c_str());
    std::fflush(stdout);
    function();
  }
  return 0;
}
