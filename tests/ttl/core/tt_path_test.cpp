#include "ttl/core/tt_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/scratch_folder.h"

using TarvaneTest::ScratchFolder;

TEST(TtPathTest, SplitsNamesAndExtensions) {
  EXPECT_EQ(TtPath::FindFileName("/a/b/deck.txt"), "deck.txt");
  EXPECT_EQ(TtPath::FindFileName("deck.txt"), "deck.txt");
  EXPECT_EQ(TtPath::FindExtension("/a.b/deck"), "");
  EXPECT_EQ(TtPath::FindExtension("/a/deck.tar.gz"), ".gz");
  EXPECT_EQ(TtPath::SelectParts("/a/deck.txt", TtPath::Directory | TtPath::BaseName), "/a/deck");
  EXPECT_EQ(TtPath::SelectParts("/a/deck.txt", TtPath::BaseName | TtPath::Extension), "deck.txt");
}

TEST(TtPathTest, DirectoryNameDropsOneTrailingSeparator) {
  EXPECT_EQ(TtPath::GetDirectoryName("/opt/tarvane/tarvane"), "/opt/tarvane");
  EXPECT_EQ(TtPath::GetDirectoryName("tarvane"), ".");
  EXPECT_EQ(TtPath::GetDirectoryName("bin/tarvane"), "bin");
  EXPECT_EQ(TtPath::GetDirectoryName("/tarvane"), "/");
}

TEST(TtPathTest, ChangesTheExtensionOfTheFileNameOnly) {
  EXPECT_EQ(TtPath::ChangeExtension("/tools/deck.exe", "ini"), "/tools/deck.ini");
  EXPECT_EQ(TtPath::ChangeExtension("/tools/tarvane", "nut"), "/tools/tarvane.nut");
  EXPECT_EQ(TtPath::ChangeExtension("/v1.2/tarvane", "bmp"), "/v1.2/tarvane.bmp");
  EXPECT_EQ(TtPath::RemoveExtension("/tools/deck.exe"), "/tools/deck");
}

TEST(TtPathTest, ClassifiesPaths) {
  EXPECT_TRUE(TtPath::IsRelative("a/b"));
  EXPECT_FALSE(TtPath::IsRelative("/a/b"));
  EXPECT_TRUE(TtPath::IsRoot("/"));
  EXPECT_FALSE(TtPath::IsRoot("/a"));
  EXPECT_TRUE(TtPath::IsFileSpec("deck.txt"));
  EXPECT_FALSE(TtPath::IsFileSpec("./deck.txt"));
}

TEST(TtPathTest, MatchesWildcardsCaseInsensitively) {
  EXPECT_TRUE(TtPath::MatchSpec("/d/cards.DAT", "*.dat"));
  EXPECT_TRUE(TtPath::MatchSpec("README", "*.*"));
  EXPECT_TRUE(TtPath::MatchSpec("a.b.c", "*.*"));
  EXPECT_FALSE(TtPath::MatchSpec("cards.dat.bak", "*.dat"));
  EXPECT_TRUE(TtPath::MatchSpec("abc", "a?c"));
  EXPECT_FALSE(TtPath::MatchSpec("ac", "a?c"));
  // A two-byte character is one character for "?", and its second byte is not a letter to fold.
  EXPECT_TRUE(TtPath::MatchSpec("\x83\x41.txt", "?.txt"));
  EXPECT_FALSE(TtPath::MatchSpec("\x83\x61.txt", "\x83\x41.txt"));
}

TEST(TtPathTest, CanonicalisesAsText) {
  EXPECT_EQ(TtPath::Canonicalize("/a/./b/../c"), "/a/c");
  EXPECT_EQ(TtPath::Canonicalize("/../a"), "/a");
  EXPECT_EQ(TtPath::Canonicalize("a//b/"), "a/b/");
  EXPECT_EQ(TtPath::Canonicalize("../a/.."), "..");
  EXPECT_EQ(TtPath::Canonicalize("a/.."), ".");
}

TEST(TtPathTest, RelativePathBetweenAbsolutePaths) {
  std::string relative;
  EXPECT_TRUE(TtPath::RelativePathTo("/opt/t", true, "/opt/t/ext/my.nut", false, relative));
  EXPECT_EQ(relative, "./ext/my.nut");
  EXPECT_TRUE(TtPath::RelativePathTo("/opt/t", true, "/home/u/my.nut", false, relative));
  EXPECT_EQ(relative, "../../home/u/my.nut");
  EXPECT_TRUE(TtPath::RelativePathTo("/opt/t/tarvane", false, "/opt/t/a.nut", false, relative));
  EXPECT_EQ(relative, "./a.nut");
  EXPECT_TRUE(TtPath::RelativePathTo("/opt/t", true, "/opt/t", true, relative));
  EXPECT_EQ(relative, ".");
  relative = "stale";
  EXPECT_FALSE(TtPath::RelativePathTo("/opt/t", true, "my.nut", false, relative));
  EXPECT_EQ(relative, "");
}

TEST(TtPathTest, FullPathIsTakenAgainstTheCurrentFolder) {
  ScratchFolder scratch;
  char previous[4096];
  ASSERT_NE(::getcwd(previous, sizeof(previous)), nullptr);
  ASSERT_EQ(::chdir(scratch.Path().c_str()), 0);
  std::string full = TtPath::GetFullPath("sub/../x.ini");
  ASSERT_EQ(::chdir(previous), 0);
  char resolved[4096];
  ASSERT_NE(::realpath(scratch.Path().c_str(), resolved), nullptr);
  EXPECT_EQ(full, std::string(resolved) + "/x.ini");
  EXPECT_EQ(TtPath::GetFullPath("/a/./b"), "/a/b");
}

TEST(TtPathTest, CompactsForDisplayKeepingTheFileName) {
  std::string path = "/home/user/decks/tournament/2024/aggro.txt";
  EXPECT_EQ(TtPath::CompactPath(path, 100), path);
  std::string compact = TtPath::CompactPath(path, 20);
  EXPECT_LE(compact.size(), 20u);
  EXPECT_EQ(compact.substr(compact.size() - 10), "/aggro.txt");
  EXPECT_NE(compact.find("..."), std::string::npos);
  // Never cuts a two-byte character in half.
  EXPECT_EQ(TtPath::CompactPath("\x83\x41\x83\x41\x83\x41", 5), "\x83\x41...");
}

TEST(TtPathTest, QuotesOnlyWhenThereIsASpace) {
  EXPECT_EQ(TtPath::QuoteSpaces("/a b/c"), "\"/a b/c\"");
  EXPECT_EQ(TtPath::QuoteSpaces("/a/c"), "/a/c");
}

TEST(TtPathTest, ExecutableIsTheRunningTestProgram) {
  std::string executable = TtPath::GetExecutableFilePath();
  EXPECT_EQ(TtPath::FindFileName(executable), "test_ttl_core");
  EXPECT_TRUE(TtPath::FileExists(executable));
  EXPECT_EQ(TtPath::GetExecutableFilePathWithExtension("ini"), executable + ".ini");
  EXPECT_TRUE(TtPath::IsDirectory(TtPath::GetExecutableDirectory()));
}

TEST(TtPathTest, ExistenceChecks) {
  ScratchFolder scratch;
  std::string file = scratch.Write("a.txt", "x");
  EXPECT_TRUE(TtPath::FileExists(file));
  EXPECT_FALSE(TtPath::IsDirectory(file));
  EXPECT_TRUE(TtPath::IsDirectory(scratch.Path()));
  EXPECT_FALSE(TtPath::FileExists(scratch.Join("missing")));
  // A name with bytes that are not CP932 cannot exist rather than throwing.
  EXPECT_FALSE(TtPath::FileExists(scratch.Join("\x81")));
}
