// Repainting the main list at 1,000 deck columns with 色分け (cell shading) on, against the same
// repaint with it off in the same run: shading asks the table for every painted cell's step,
// which must not slow the repaint noticeably. Needs a display (run under xvfb-run); without one
// the measurement says so and is skipped.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/program_files.h"
#include "bench.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_path.h"
#include "ttl/gui/tt_form.h"
#include "ui/main_frame.h"
#include "ui/main_icon.h"

namespace {

const int kDecks = 1000;
const int kPool = 400;
const int kRepaints = 10;
const int kRounds = 5;

std::string CardName(int index) { return "Repaint Card " + std::to_string(index); }

// The program folder beside the benchmark's files: the shipped script and toolbar pictures, a
// dictionary of the pool, and deck lists of 15 main-deck cards with one to four copies each.
std::vector<std::string> GenerateProgramFolder(const std::string& folder,
                                               const std::string& shipped) {
  for (const char* name : {"tarvane.nut", "tarvane.bmp"}) {
    std::filesystem::copy_file(shipped + "/" + name, folder + "/" + name,
                               std::filesystem::copy_options::overwrite_existing);
  }
  std::string dictionary;
  for (int i = 0; i < kPool; ++i) {
    dictionary +=
        CardName(i) + "\t生成カード" + std::to_string(i) + "\t\t1\tCreature\tCreature\t1/1\n";
  }
  TarvaneBench::WriteFile(folder + "/dictionary/generated.dat", dictionary);
  std::mt19937 random(19);
  std::vector<std::string> paths;
  for (int deck = 0; deck < kDecks; ++deck) {
    std::string text = "#ARCHETYPE Archetype " + std::to_string(deck % 12) + "\n";
    for (int card = 0; card < 15; ++card) {
      text += std::to_string(1 + random() % 4) + " " + CardName(random() % 60 + (deck % 12) * 20) +
              "\n";
    }
    paths.push_back(folder + "/decks/deck" + std::to_string(deck) + ".txt");
    TarvaneBench::WriteFile(paths.back(), text);
  }
  return paths;
}

// The best time of one repaint of the whole visible list.
double RepaintSeconds(Tarvane::MainList& list) {
  TtForm::ProcessPendingMessages();
  return TarvaneBench::BestSeconds(kRounds,
                                   [&] {
                                     for (int i = 0; i < kRepaints; ++i) {
                                       list.Invalidate();
                                       list.Update();
                                     }
                                   }) /
         kRepaints;
}

}  // namespace

TARVANE_BENCH("repaint") {
  const std::string shipped = TtPath::GetDirectoryName(TtPath::GetExecutableFilePath());
  if (!std::filesystem::exists(shipped + "/tarvane.nut") ||
      !std::filesystem::exists(shipped + "/tarvane.bmp")) {
    TarvaneBench::PrintNote(
        "  the shipped files are missing beside tarvane-bench; build tarvane_data",
        "  tarvane-bench の隣に同梱ファイルがありません。tarvane_data をビルドしてください");
    return;
  }
  try {
    if (!TtForm::IsPlatformInitialized()) TtForm::InitializePlatform();
  } catch (const TtException&) {
    TarvaneBench::PrintNote("  skipped: no display (run under xvfb-run)",
                            "  省略: ディスプレイがありません (xvfb-run の下で実行してください)");
    return;
  }
  const std::string folder = TarvaneBench::ScratchFolder() + "/repaint";
  std::filesystem::create_directories(folder);
  const std::vector<std::string> paths = GenerateProgramFolder(folder, shipped);
  Tarvane::ProgramFiles::Scope program(folder + "/tarvane");
  Tarvane::RegisterMainIcon();
  Tarvane::ToolImageList pictures(Tarvane::ProgramFiles::GetToolbarBitmapPath());
  Tarvane::MainFrame frame(pictures);
  frame.Create({});
  frame.SetSize(1280, 1000);
  frame.Show();
  Tarvane::AnalysisTable& table = frame.GetTable();
  table.AddDeckFiles(paths);
  table.AddAllDeckColumns();
  Tarvane::MainList& list = frame.GetMainList();
  TarvaneBench::PrintFigure("rows", "行数", list.GetItemCount(), "");
  TarvaneBench::PrintFigure("columns", "カラム数", list.GetColumnCount(), "");

  double plain = 1e9, shaded = 1e9;
  for (int round = 0; round < 2; ++round) {
    list.SetShading(false);
    plain = std::min(plain, RepaintSeconds(list));
    list.SetShading(true);
    shaded = std::min(shaded, RepaintSeconds(list));
  }
  TarvaneBench::PrintFigure("repaint, shading off", "再描画 (網掛けなし)", plain * 1000, "ms");
  TarvaneBench::PrintFigure("repaint, shading on", "再描画 (網掛けあり)", shaded * 1000, "ms");
  TarvaneBench::PrintRatio("repaint_shaded_vs_plain", shaded / plain, 1.5);
}
