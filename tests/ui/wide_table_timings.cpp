// Not a test: times the main window with hundreds of deck columns and saves pictures of it.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/wide_table_timings OUT_DIR [COLUMNS...]
// For each column count it adds that many copies of the shipped sample decks, shows every deck
// as a column, refreshes, and scrolls to the last column, printing the seconds of each step
// and, as a same-run baseline, the same steps with 100 columns.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/program_files.h"
#include "ttl/gui/tt_form.h"
#include "ttl/testing/tt_testing.h"
#include "ui/main_frame.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Lets the widget set lay out and paint what changed, as the user would wait for it.
void Settle() {
  for (int round = 0; round < 5; ++round) TtTesting::ProcessEvents();
}

std::vector<std::string> DeckCopies(const std::string& bin, const std::string& folder, int count) {
  std::vector<std::filesystem::path> samples;
  for (const auto& file : std::filesystem::directory_iterator(bin + "/decks"))
    samples.push_back(file.path());
  std::sort(samples.begin(), samples.end());
  std::filesystem::create_directories(folder);
  std::vector<std::string> paths;
  for (int index = 0; index < count; ++index) {
    const auto& sample = samples[index % samples.size()];
    char name[64];
    std::snprintf(name, sizeof name, "%04d_", index);
    std::filesystem::path copy =
        std::filesystem::path(folder) / (name + sample.filename().string());
    std::filesystem::copy_file(sample, copy, std::filesystem::copy_options::overwrite_existing);
    paths.push_back(copy.string());
  }
  return paths;
}

struct Timings {
  double add = 0;
  double refresh = 0;
  double scroll = 0;
};

Timings Measure(const std::string& bin, const std::string& out, int columns, bool pictures) {
  Tarvane::ToolImageList pictures_strip(Tarvane::ProgramFiles::GetToolbarBitmapPath());
  Tarvane::MainFrame frame(pictures_strip);
  frame.Create({});
  frame.SetPositionSize(0, 0, 1200, 720);
  frame.Show();
  Settle();
  std::vector<std::string> paths =
      DeckCopies(bin, out + "/decks" + std::to_string(columns), columns);
  Timings timings;
  auto start = Clock::now();
  frame.GetTable().AddDeckFiles(paths);
  frame.GetTable().AddAllDeckColumns();
  Settle();
  timings.add = Seconds(start);
  start = Clock::now();
  frame.GetTable().Refresh();
  Settle();
  timings.refresh = Seconds(start);
  start = Clock::now();
  TtTesting::ScrollListToColumn(frame.GetMainList(), frame.GetMainList().GetColumnCount() - 1);
  Settle();
  timings.scroll = Seconds(start);
  if (pictures) {
    for (int round = 0; round < 20; ++round) Settle();
    TtTesting::SaveScreenshot(
        &frame, out + "/wide-table-" + std::to_string(columns) + "-scrolled-right.png");
  }
  frame.SendMessage(TtWin::WM_CLOSE);
  Settle();
  return timings;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wide_table_timings OUT_DIR [COLUMNS...]\n");
    return 2;
  }
  const std::string out = argv[1];
  const std::string bin = TARVANE_PROGRAM_DIR;
  std::vector<int> counts;
  for (int index = 2; index < argc; ++index) counts.push_back(std::atoi(argv[index]));
  if (counts.empty()) counts = {800, 1600};
  TtForm::InitializePlatform();
  {
    Tarvane::ProgramFiles::Scope program(bin + "/tarvane");
    TtTesting::ModalAnswers answers;
    Timings baseline = Measure(bin, out, 100, false);
    std::printf("columns 100: add %.3f s, refresh %.3f s, scroll %.3f s\n", baseline.add,
                baseline.refresh, baseline.scroll);
    for (int count : counts) {
      Timings timings = Measure(bin, out, count, true);
      std::printf("columns %d: add %.3f s, refresh %.3f s, scroll %.3f s\n", count, timings.add,
                  timings.refresh, timings.scroll);
      std::printf("ratio add_%d %.2f\nratio refresh_%d %.2f\nratio scroll_%d %.2f\n", count,
                  timings.add / baseline.add, count, timings.refresh / baseline.refresh, count,
                  timings.scroll / baseline.scroll);
    }
  }
  TtForm::FinalizePlatform();
  return 0;
}
