// The files that import writes: a list it replaces stays whole when the write fails, its input
// is never its output (whatever links lead there), and neither a FIFO to read nor one where the
// output would go keeps it waiting. A list of many distinct names keeps its order and sums.
#include "model/import/deck_list_file_import.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "model/card_database.h"
#include "model/import/card_name_resolver.h"
#include "tests/support/scratch_folder.h"

using namespace Tarvane;

using TarvaneTest::ScratchFolder;

namespace {

class DeckListFileImportTest : public ::testing::Test {
protected:
  InputFileImport Import(const std::string& input, const std::string& folder) {
    DeckListFileImporter importer(resolver_, folder, [](const std::string&) { return true; });
    return importer.ImportFile(input);
  }
  // The one list of a deck list file that was read.
  static DeckListFileImport List(const InputFileImport& import) {
    EXPECT_EQ(import.failure, "");
    EXPECT_EQ(import.lists.size(), 1u);
    return import.lists.empty() ? DeckListFileImport() : import.lists.front();
  }

  CardDatabase database_;
  CardNameResolver resolver_{database_};
  ScratchFolder scratch_;
};

TEST_F(DeckListFileImportTest, AFailedWriteLeavesTheListItReplacesWhole) {
  std::string long_list;
  for (int number = 0; number < 200; ++number)
    long_list += "1 Card Number " + std::to_string(number) + "\n";
  const std::string input = scratch_.Write("in/list.dek", long_list);
  const std::string output = scratch_.Write("out/list.txt", "4 Counterspell\n");
  // In a child, so that the file-size limit never touches the test program: the limit stands
  // for a disk that fills up half way through the list.
  pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    DeckListFileImport import = List(Import(input, scratch_.Join("out")));
    ::_exit(!import.written && import.failure.find("書き込めません") == 0 ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the failure is reported";
  EXPECT_EQ(ScratchFolder::Read(output), "4 Counterspell\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch_.Join("out")), {}), 1);
}

TEST_F(DeckListFileImportTest, AnInputThatIsAlsoTheOutputIsRefusedThroughLinks) {
  const std::string input = scratch_.Write("in/list.txt", "4 lightning bolt\n");
  std::filesystem::create_directory_symlink(scratch_.Join("in"), scratch_.Join("linked"));
  std::filesystem::create_directories(scratch_.Join("hard"));
  std::filesystem::create_hard_link(input, scratch_.Join("hard/list.txt"));
  for (const std::string& folder :
       {scratch_.Join("in"), scratch_.Join("linked"), scratch_.Join("hard")}) {
    DeckListFileImport import = List(Import(input, folder));
    EXPECT_FALSE(import.written) << folder;
    EXPECT_EQ(import.failure, "入力と同じファイルです") << folder;
  }
  EXPECT_EQ(ScratchFolder::Read(input), "4 lightning bolt\n");
}

TEST_F(DeckListFileImportTest, AFifoIsNeitherReadNorWrittenAndNothingWaits) {
  const std::string fifo_input = scratch_.Join("in/pipe.txt");
  std::filesystem::create_directories(scratch_.Join("in"));
  ASSERT_EQ(::mkfifo(fifo_input.c_str(), 0600), 0);
  InputFileImport input_import = Import(fifo_input, scratch_.Join("out"));
  EXPECT_TRUE(input_import.lists.empty());
  EXPECT_EQ(input_import.failure, "読み込めません (通常のファイルではありません)");

  const std::string input = scratch_.Write("in/list.dek", "4 Lightning Bolt\n");
  std::filesystem::create_directories(scratch_.Join("out"));
  ASSERT_EQ(::mkfifo(scratch_.Join("out/list.txt").c_str(), 0600), 0);
  DeckListFileImport import = List(Import(input, scratch_.Join("out")));
  EXPECT_FALSE(import.written);
  EXPECT_EQ(import.failure, "書き込めません (通常のファイルではありません)");
}

TEST(DeckListManyNamesTest, ManyDistinctNamesKeepTheirOrderAndRepeatedOnesAddUp) {
  CardDatabase database;
  CardNameResolver resolver(database);
  constexpr int kNames = 50000;
  std::string text;
  for (int number = 0; number < kNames; ++number) text += "1 Card " + std::to_string(number) + "\n";
  text += "2 Card 7\n3 Card 49999\n";
  DeckListImport result = ImportDeckList(text, resolver);
  ASSERT_EQ(result.mainboard.size(), static_cast<size_t>(kNames));
  EXPECT_EQ(result.mainboard[7].name, "Card 7");
  EXPECT_EQ(result.mainboard[7].count, 3);
  EXPECT_EQ(result.mainboard.back().count, 4);
  ASSERT_EQ(result.unplaced_names.size(), static_cast<size_t>(kNames));
  EXPECT_EQ(result.unplaced_names[kNames - 1], "Card 49999");
}

}  // namespace
