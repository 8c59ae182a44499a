// Loading the dictionary against reading the same files line by line without parsing.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench.h"
#include "model/card_database.h"

namespace {

constexpr int kCardCount = 30000;
constexpr int kFileCount = 6;

const char* const kTypes[] = {"Land",        "Creature", "Instant",     "Sorcery",
                              "Enchantment", "Artifact", "Planeswalker"};

// A card line like the real dictionary's: CP932 Japanese name, type line and two paragraphs.
std::string CardLine(int number) {
  std::string id = std::to_string(number);
  const char* type = kTypes[number % 7];
  return "Generated Card " + id + "\t生成されたカード" + id + "\t{" + std::to_string(number % 5) +
         "}{G}{G}\t" + std::to_string(number % 9) + "\t" + type + " ― 生成\t" + type + "\t" +
         std::to_string(number % 6) + "/" + std::to_string(number % 4) +
         "\tこのカードが戦場に出たとき、カードを1枚引く。When this enters, draw a card.\t"
         "飛行、警戒 (このクリーチャーは飛行を持たないクリーチャーにブロックされない。)\n";
}

std::string WriteDictionary() {
  std::string folder = TarvaneBench::ScratchFolder() + "/dictionary";
  std::filesystem::create_directories(folder);
  for (int file = 0; file < kFileCount; ++file) {
    std::ofstream out(folder + "/cards" + std::to_string(file) + ".dat", std::ios::binary);
    for (int card = file; card < kCardCount; card += kFileCount) out << CardLine(card);
  }
  return folder;
}

// The baseline: every line of every file read with the C library, nothing kept.
long ReadLinesOnly(const std::string& folder) {
  long lines = 0;
  char buffer[1024];
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    FILE* file = std::fopen(entry.path().c_str(), "r");
    while (std::fgets(buffer, sizeof(buffer), file)) ++lines;
    std::fclose(file);
  }
  return lines;
}

// Processor time of this process (user and system), which a busy shared machine disturbs much
// less than the wall clock: waiting for a processor does not count.
double CpuSeconds(const std::function<void()>& function) {
  timespec start{}, end{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
  function();
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
  return (end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) * 1e-9;
}

}  // namespace

TARVANE_BENCH("dictionary_load") {
  std::string folder = WriteDictionary();
  // The two are measured in turns, in processor time, so that both see the same conditions on a
  // shared machine; each load fills a fresh database, and freeing it afterwards is not part of
  // the load.
  long lines = 0;
  size_t cards = 0;
  double read_seconds = 0;
  double load_seconds = 0;
  for (int run = 0; run < 11; ++run) {
    double read = CpuSeconds([&] { lines = ReadLinesOnly(folder); });
    Tarvane::CardDatabase database;
    double load = CpuSeconds([&] { database.LoadDictionary(folder); });
    cards = database.size();
    read_seconds = run == 0 ? read : std::min(read_seconds, read);
    load_seconds = run == 0 ? load : std::min(load_seconds, load);
  }
  if (static_cast<long>(cards) != lines || cards != kCardCount) {
    const std::string card_count = std::to_string(cards), line_count = std::to_string(lines);
    TarvaneBench::PrintNote("  loaded " + card_count + " cards from " + line_count + " lines",
                            "  " + line_count + " 行から " + card_count + " 枚を読み込みました");
  }
  TarvaneBench::PrintFigure("read lines only, processor time", "行の読み込みのみ (プロセッサ時間)",
                            read_seconds * 1000, "ms");
  TarvaneBench::PrintFigure("LoadDictionary 30,000 cards, processor",
                            "LoadDictionary 30,000 枚 (プロセッサ時間)", load_seconds * 1000, "ms");
  TarvaneBench::PrintRatio("dictionary_load", load_seconds / read_seconds, 2.0);
}
