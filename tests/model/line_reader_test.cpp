#include "model/line_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_exception.h"

using TarvaneTest::ScratchFolder;
using namespace Tarvane;

namespace {

std::vector<TextLine> ReadAll(const std::string& path) {
  LineReader reader(path);
  std::vector<TextLine> lines;
  TextLine line;
  while (reader.ReadLine(line)) lines.push_back(line);
  return lines;
}

}  // namespace

TEST(LineReaderTest, LinesInTextMode) {
  ScratchFolder scratch;
  auto lines = ReadAll(scratch.Write("a.txt", "one\r\ntwo\n\nlone\rcr\nlast"));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].text, "one");
  EXPECT_EQ(lines[1].text, "two");
  EXPECT_EQ(lines[2].text, "");
  EXPECT_EQ(lines[3].text, "lone\rcr");
  EXPECT_TRUE(lines[3].complete);
  EXPECT_EQ(lines[4].text, "last");
  EXPECT_FALSE(lines[4].complete);
  EXPECT_TRUE(ReadAll(scratch.Write("empty.txt", "")).empty());
}

TEST(LineReaderTest, LongLinesAreReadWhole) {
  ScratchFolder scratch;
  std::string long_line(200000, 'x');
  auto lines = ReadAll(scratch.Write("a.txt", "short\n" + long_line + "\nafter\n"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].text, long_line);
  EXPECT_TRUE(lines[1].complete);
  EXPECT_EQ(lines[2].text, "after");
}

TEST(LineReaderTest, NoiseStaysBounded) {
  ScratchFolder scratch;
  std::string huge(LineReader::kMaximumLineBytes + 100, 'n');
  auto lines = ReadAll(scratch.Write("a.bin", huge + "\n" + std::string("ab\0cd\n", 6)));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text.size(), LineReader::kMaximumLineBytes);
  EXPECT_FALSE(lines[0].complete);
  EXPECT_EQ(lines[1].text, "ab");
  EXPECT_FALSE(lines[1].complete);
}

TEST(LineReaderTest, FilesThatCannotBeReadThrowWithTheirPath) {
  ScratchFolder scratch;
  try {
    LineReader reader(scratch.Join("missing.txt"));
    FAIL() << "no exception";
  } catch (const TtFileAccessException& e) {
    EXPECT_EQ(e.GetPath(), scratch.Join("missing.txt"));
    EXPECT_EQ(e.GetErrorNumber(), ENOENT);
  }
  std::string folder = scratch.MakeFolder("folder.txt");
  EXPECT_THROW(ReadAll(folder), TtFileAccessException);
}

TEST(SaturatingAddTest, HoldsToTheThirtyTwoBitRange) {
  EXPECT_EQ(SaturatingAdd(2, 3), 5);
  EXPECT_EQ(SaturatingAdd(INT_MAX, 1), INT_MAX);
  EXPECT_EQ(SaturatingAdd(INT_MIN, -1), INT_MIN);
  EXPECT_EQ(SaturatingAdd(INT_MAX, INT_MIN), -1);
}
