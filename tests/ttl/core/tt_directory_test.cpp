#include "ttl/core/tt_directory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/desktop_names.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_path.h"

using TarvaneTest::ScratchFolder;

namespace {

std::vector<std::string> Names(const std::vector<std::string>& paths, const std::string& root) {
  std::vector<std::string> names;
  for (const std::string& path : paths) names.push_back(path.substr(root.size() + 1));
  return names;
}

const TtDirectory::Filter kEverything = [](const std::string&) { return true; };

}  // namespace

TEST(TtDirectoryTest, MissingFolderListsNothing) {
  ScratchFolder scratch;
  EXPECT_TRUE(TtDirectory(scratch.Join("missing")).GetFiles("*.*", kEverything).empty());
  std::string file = scratch.Write("plain.txt", "x");
  EXPECT_TRUE(TtDirectory(file).GetFiles("*.*", kEverything).empty());
}

TEST(TtDirectoryTest, ListsMatchingNamesInByteOrderWithSelfAndParent) {
  ScratchFolder scratch;
  scratch.Write("b.dat", "");
  scratch.Write("A.DAT", "");
  scratch.Write("c.txt", "");
  scratch.MakeFolder("sub.dat");
  TtDirectory directory(scratch.Path());
  EXPECT_EQ(Names(directory.GetFiles("*.dat", kEverything), scratch.Path()),
            (std::vector<std::string>{"A.DAT", "b.dat", "sub.dat"}));
  EXPECT_EQ(Names(directory.GetFiles("*.dat", TtDirectory::FilterNotDirectory), scratch.Path()),
            (std::vector<std::string>{"A.DAT", "b.dat"}));
  EXPECT_EQ(Names(directory.GetFiles("*.*", kEverything), scratch.Path()),
            (std::vector<std::string>{".", "..", "A.DAT", "b.dat", "c.txt", "sub.dat"}));
}

TEST(TtDirectoryTest, TrailingSeparatorIsNotDoubled) {
  ScratchFolder scratch;
  std::string file = scratch.Write("x.dat", "");
  EXPECT_EQ(TtDirectory(scratch.Path() + "/").GetFiles("*.dat", kEverything),
            std::vector<std::string>{file});
}

TEST(TtDirectoryTest, RecursiveListingDescendsIntoMatchingFoldersOnly) {
  ScratchFolder scratch;
  scratch.Write("top.dat", "");
  scratch.Write("deep.dat/inner.dat", "");
  scratch.Write("skipped/hidden.dat", "");
  auto files =
      TtDirectory(scratch.Path()).GetFilesRecursive("*.dat", TtDirectory::FilterNotDirectory);
  EXPECT_EQ(Names(files, scratch.Path()),
            (std::vector<std::string>{"deep.dat/inner.dat", "top.dat"}));
  auto all = TtDirectory(scratch.Path()).GetFilesRecursive("*.*", TtDirectory::FilterNotDirectory);
  EXPECT_EQ(Names(all, scratch.Path()),
            (std::vector<std::string>{"deep.dat/inner.dat", "skipped/hidden.dat", "top.dat"}));
}

TEST(TtDirectoryTest, RecursiveListingSurvivesALinkBackUpTheTree) {
  ScratchFolder scratch;
  scratch.Write("a/x.txt", "");
  ASSERT_EQ(::symlink(scratch.Path().c_str(), scratch.Join("a/loop").c_str()), 0);
  auto files =
      TtDirectory(scratch.Path()).GetFilesRecursive("*.*", TtDirectory::FilterNotDirectory);
  EXPECT_EQ(Names(files, scratch.Path()), std::vector<std::string>{"a/x.txt"});
}

TEST(TtDirectoryTest, NamesWithoutAnExactSpellingAreReportedNotDropped) {
  using namespace DesktopNames;
  ScratchFolder scratch;
  for (const std::string& name : {kCafe, kWaveDash, kEmoji, kLatin1, std::string("plain")}) {
    scratch.Write(name + ".dat", "");
  }
  scratch.Write(kCafe + ".txt", "");
  scratch.MakeFolder(kJose + ".dat");  // a folder is no file to report
  std::vector<std::string> unrepresentable;
  std::vector<std::string> found =
      TtDirectory(scratch.Path())
          .GetFiles("*.dat", TtDirectory::FilterNotDirectory, &unrepresentable);
  EXPECT_EQ(Names(found, scratch.Path()), std::vector<std::string>{"plain.dat"});
  EXPECT_EQ(Names(unrepresentable, scratch.Path()),
            (std::vector<std::string>{"<U+1F600>.dat", "caf<0xE9>.dat", "caf<U+00E9>.dat",
                                      "w<U+301C>.dat"}));
  // A caller that does not ask for them gets an error rather than a silent gap.
  EXPECT_THROW(TtDirectory(scratch.Path()).GetFiles("*.dat", TtDirectory::FilterNotDirectory),
               TtFileAccessException);
  EXPECT_NO_THROW(TtDirectory(scratch.Path()).GetFiles("plain.*", TtDirectory::FilterNotDirectory));
}
