// Long use: many cycles of the table's commands on one session, as the main window runs them
// (adding decks, deck columns and special columns, sorting, deleting columns, board modes,
// special rows, hiding, refreshing, editing the deck set, resetting), over the shipped start-up
// script, dictionary and deck lists. After the first cycles have filled the caches, what the
// script engine holds and what the process holds must come back to the same level after every
// cycle: no script reference and no native row may be left behind.
#include <gtest/gtest.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/program_files.h"
#include "cli/cli_console.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "tests/hardening/engine_allocations.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_string.h"

using TarvaneTest::ScratchFolder;
using namespace Tarvane;
using TarvaneTest::CurrentEngineAllocations;
using TarvaneTest::EngineAllocations;

namespace {

constexpr int kWarmUpCycles = 3;
constexpr int kCycles = 60;

// Heap bytes in use, or 0 where the allocator does not say (under AddressSanitizer).
int64_t HeapInUse() {
  struct mallinfo2 info = ::mallinfo2();
  return static_cast<int64_t>(info.uordblks + info.hblkhd);
}

int64_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  int64_t size = 0, resident = 0;
  statm >> size >> resident;
  return resident * ::sysconf(_SC_PAGESIZE);
}

struct Level {
  EngineAllocations engine;
  int64_t heap;
  int64_t resident;
};

Level Measure() { return {CurrentEngineAllocations(), HeapInUse(), ResidentBytes()}; }

std::ostream& operator<<(std::ostream& out, const Level& level) {
  return out << level.engine.blocks << " engine blocks (" << level.engine.bytes << " bytes), heap "
             << level.heap << " bytes, resident " << level.resident / 1024 << " KiB";
}

class SoakTest : public ::testing::Test {
protected:
  SoakTest() : program_(scratch_.Join("tarvane")) {
    bin_ = std::getenv("TARVANE_BIN_DIR");
    std::filesystem::copy(bin_ / "tarvane.nut", scratch_.Join("tarvane.nut"));
    std::filesystem::copy(bin_ / "dictionary", scratch_.Join("dictionary"));
  }

  // One cycle of commands, in the tool's spelling (UTF-8 arguments).
  std::vector<CliAction> Cycle() const {
    std::vector<std::string> decks;
    for (const auto& entry : std::filesystem::directory_iterator(bin_ / "decks")) {
      decks.push_back(entry.path().string());
    }
    std::sort(decks.begin(), decks.end());
    std::vector<std::string> arguments = {"--add"};
    arguments.insert(arguments.end(), decks.begin(), decks.end());
    for (const std::string& action : std::vector<std::string>{"--all-decks",
                                                              "--column",
                                                              "採用デッキ数",
                                                              "--column",
                                                              "総枚数",
                                                              "--sort",
                                                              "集計順/総枚数順",
                                                              "--sort-column",
                                                              "2",
                                                              "--delete-column",
                                                              "3",
                                                              "--board",
                                                              "main",
                                                              "--board",
                                                              "hybrid",
                                                              "--board",
                                                              "both",
                                                              "--special",
                                                              "Main Instants Total=on",
                                                              "--hide",
                                                              "0",
                                                              "--move",
                                                              "3",
                                                              "1",
                                                              "--refresh",
                                                              "--special",
                                                              "Main Instants Total=off",
                                                              "--edit"}) {
      arguments.push_back(TtString::Cp932ToUtf8(action));
    }
    arguments.insert(arguments.end(), decks.begin(), decks.begin() + 5);
    for (const char* action :
         {"--decks", "1", "3", "--delete-columns", "--sort", "カードタイプ順", "--new"}) {
      arguments.push_back(TtString::Cp932ToUtf8(action));
    }
    return ParseCliOptions(arguments).actions;
  }

  ScratchFolder scratch_;
  ProgramFiles::Scope program_;
  std::filesystem::path bin_;
};

}  // namespace

TEST_F(SoakTest, MemoryComesBackAfterEveryCycle) {
  std::ostringstream out, err;
  CliConsole console(out, err, false, true);
  std::vector<CliAction> cycle = Cycle();
  Level before_start = Measure();
  {
    CliSession session(console);
    auto run_cycle = [&] {
      for (const CliAction& action : cycle) session.Run(action);
      ASSERT_EQ(err.str(), "");
      ASSERT_EQ(session.GetTable().GetScriptHost().GetDecks().size(), 0u);
    };
    for (int i = 0; i < kWarmUpCycles; ++i) run_cycle();
    const Level start = Measure();
    for (int i = 0; i < kCycles; ++i) run_cycle();
    const Level end = Measure();
    std::cout << "soak: " << kCycles << " cycles of " << cycle.size() << " commands\n"
              << "  start: " << start << "\n  end:   " << end << "\n";
    EXPECT_EQ(end.engine.blocks, start.engine.blocks);
    EXPECT_EQ(end.engine.bytes, start.engine.bytes);
    if (start.heap > 0) {
      EXPECT_LT(end.heap - start.heap, 256 * 1024);
    }
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer holds freed memory back for a while, so only the plain build can tell.
    EXPECT_LT(end.resident - start.resident, 8 * 1024 * 1024);
#endif
  }
  // Closing the session gives back everything the engine held.
  EXPECT_EQ(Measure().engine.blocks, before_start.engine.blocks);
}

// Rows that a script makes for itself while the table is refreshed: each has a card of its own,
// which must go when nothing refers to the row or its card any more.
TEST_F(SoakTest, RowsMadeByScriptsGiveBackTheirCards) {
  scratch_.Write("tarvane.ini", "[Tarvane]\nUseExtensionScript=1\nExtensionScriptPath=rows.nut\n");
  scratch_.Write("rows.nut", R"(
class RowMaker {
  name = "rows"; sorter = null; kept = null;
  function process_function(entry) {
    // One row kept until the next, so that a card instance outlives its row for a while.
    local row = ::SpecialEntry(::Card.Type.MainTotal, "made " + entry.card.name, "made", 0);
    local card = kept;
    kept = row.card;
    return card == null ? 0 : card.is_normal() ? 1 : 2;
  }
}
::Organizer.processors.append(RowMaker());
)");
  std::vector<std::string> arguments = {"--add", (bin_ / "decks/jund.txt").string(), "--column",
                                        "rows"};
  for (int i = 0; i < 20; ++i) arguments.push_back("--refresh");
  std::vector<CliAction> refreshes = ParseCliOptions(arguments).actions;
  std::ostringstream out, err;
  CliConsole console(out, err, false, true);
  CliSession session(console);
  auto run = [&] {
    for (const CliAction& action : refreshes) session.Run(action);
    session.Run(ParseCliOptions({"--new"}).actions[0]);
  };
  run();
  const Level start = Measure();
  for (int i = 0; i < 10; ++i) run();
  const Level end = Measure();
  std::cout << "rows made by scripts: start: " << start << "\n  end:   " << end << "\n";
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(end.engine.blocks, start.engine.blocks);
  if (start.heap > 0) {
    EXPECT_LT(end.heap - start.heap, 64 * 1024);
  }
}
