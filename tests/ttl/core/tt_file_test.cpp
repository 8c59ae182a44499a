#include "ttl/core/tt_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "tests/support/desktop_names.h"
#include "tests/support/scratch_folder.h"

using TarvaneTest::ScratchFolder;

namespace {

namespace fs = std::filesystem;

std::string RefusalReason(const std::function<void()>& action) {
  try {
    action();
  } catch (const TtFileAccessException& error) {
    return error.GetReason();
  }
  return "not refused";
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// Writes beyond this many bytes fail with EFBIG, as a full disk fails a write.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_signal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_signal_);
  }

private:
  rlimit saved_{};
  void (*previous_signal_)(int);
};

}  // namespace

TEST(TtFileTest, OnlyRegularFilesAreOpenedForReadingAndOthersAreRefusedAtOnce) {
  ScratchFolder scratch;
  std::string fifo = scratch.Join("deck.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Each of these would wait for a writer or read forever.
  for (const std::string& path : {fifo, std::string("/dev/zero"), std::string("/dev/urandom")}) {
    EXPECT_EQ(RefusalReason([&] { TtFile::OpenRegularFileForReading(path); }),
              TtFile::kNotRegularFileReason)
        << path;
  }
  EXPECT_THROW(TtFile::OpenRegularFileForReading(scratch.MakeFolder("folder")),
               TtFileAccessException);
  std::string plain = scratch.Write("plain.txt", "4 Island\n");
  TtFile::Handle file = TtFile::OpenRegularFileForReading(plain);
  char buffer[16] = {};
  EXPECT_EQ(std::fread(buffer, 1, sizeof(buffer), file.get()), 9u);
}

TEST(TtFileTest, AReplacingWriteGoesThroughASymbolicLinkAndKeepsPermissions) {
  ScratchFolder scratch;
  std::string target = scratch.Write("real/settings.ini", "old");
  ::chmod(target.c_str(), 0640);
  std::string link = scratch.Join("settings.ini");
  fs::create_symlink("real/settings.ini", link);
  TtFile::ReplaceContents(link, "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ScratchFolder::Read(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(TtFile::ReplaceTarget(link), target);
  // A link to a file not there yet makes that file.
  fs::create_symlink("real/later.csv", scratch.Join("later.csv"));
  TtFile::ReplaceContents(scratch.Join("later.csv"), "made");
  EXPECT_EQ(ScratchFolder::Read(scratch.Join("real/later.csv")), "made");
  EXPECT_EQ(Entries(scratch.Join("real")), (std::vector<std::string>{"later.csv", "settings.ini"}));
}

TEST(TtFileTest, ATargetThatIsNoRegularFileOrIsReadOnlyIsLeftAlone) {
  ScratchFolder scratch;
  std::string fifo = scratch.Join("out.csv");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(RefusalReason([&] { TtFile::ReplaceContents(fifo, "x"); }),
            TtFile::kNotRegularFileReason);
  EXPECT_TRUE(fs::is_fifo(fifo));
  fs::create_symlink("/dev/null", scratch.Join("null.csv"));
  EXPECT_EQ(RefusalReason([&] { TtFile::ReplaceTarget(scratch.Join("null.csv")); }),
            TtFile::kNotRegularFileReason);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  // No write permission for anyone: refused even for root, whom the system would let write.
  std::string read_only = scratch.Write("read-only.ini", "kept");
  ::chmod(read_only.c_str(), 0444);
  EXPECT_EQ(RefusalReason([&] { TtFile::ReplaceContents(read_only, "x"); }),
            TtFile::kReadOnlyFileReason);
  EXPECT_EQ(ScratchFolder::Read(read_only), "kept");
  EXPECT_EQ(Entries(scratch.Path()),
            (std::vector<std::string>{"null.csv", "out.csv", "read-only.ini"}));
}

TEST(TtFileTest, AWriteThatFailsHalfwayLeavesTheOldFileWhole) {
  ScratchFolder scratch;
  std::string path = scratch.Write("table.csv", "old table");
  {
    FileSizeLimit limit(4096);
    EXPECT_THROW(TtFile::ReplaceContents(path, std::string(100000, 'x')), TtFile::WriteException);
  }
  EXPECT_EQ(ScratchFolder::Read(path), "old table");
  EXPECT_EQ(Entries(scratch.Path()), std::vector<std::string>{"table.csv"});
}

// A name of 250 bytes is legal; the temporary name beside it must stay within 255 as well.
TEST(TtFileTest, AFileWithALongLegalNameIsReplacedAndNothingIsLeftBeside) {
  ScratchFolder scratch;
  for (size_t length : {size_t(250), size_t(255)}) {
    const std::string name = std::string(length - 4, 'n') + ".csv";
    const std::string path = scratch.Write(name, "old");
    TtFile::ReplaceContents(path, "new");
    EXPECT_EQ(ScratchFolder::Read(path), "new") << length;
    EXPECT_EQ(Entries(scratch.Path()), std::vector<std::string>{name});
    fs::remove(path);
  }
  const std::string beside = TtFile::TemporaryPathBeside("/d/" + std::string(255, 'n'), ".tmp");
  EXPECT_EQ(beside, "/d/" + std::string(251, 'n') + ".tmp");
}

// The error log must reach a settings file in a folder whose name the program cannot spell.
TEST(TtFileTest, AFileIsReachedByItsSystemSpellingAndNamedAsTyped) {
  ScratchFolder scratch;
  TtFile::SystemPath cafe{scratch.Join(DesktopNames::kCafe + ".ini")};
  TtFile::ReplaceContents(cafe, "[ErrorLog]\n");
  EXPECT_EQ(ScratchFolder::Read(cafe.value), "[ErrorLog]\n");
  try {
    TtFile::OpenRegularFileForReading(TtFile::SystemPath{scratch.Join(DesktopNames::kJose)});
    ADD_FAILURE() << "opened";
  } catch (const TtFileAccessException& error) {
    EXPECT_EQ(error.GetPath(), scratch.Join("jos<U+00E9>"));
  }
}
