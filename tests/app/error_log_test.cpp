#include "app/error_log.h"

#include <gtest/gtest.h>

#include "app/exception.h"
#include "app/program_files.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_ini_file.h"

using TarvaneTest::ScratchFolder;
using namespace Tarvane;

namespace {

std::string LoggedDump(const std::string& settings_path) {
  TtIniFile file(settings_path);
  return file["ErrorLog"].GetString("Dump", "<none>");
}

}  // namespace

TEST(ErrorLogTest, KeepsTheLastErrorOnly) {
  ScratchFolder scratch;
  ProgramFiles::Scope program(scratch.Join("tarvane"));
  scratch.Write("tarvane.ini", "[Tarvane]\nPlacement=00\n");
  EXPECT_TRUE(WriteErrorLog(FileNotExistException("/x/tarvane.nut")));
  EXPECT_EQ(LoggedDump(scratch.Join("tarvane.ini")),
            "Tarvane::FileNotExistException : /x/tarvane.nut");
  EXPECT_TRUE(WriteErrorLog(TtFileAccessException("/d/a.txt", 5)));
  EXPECT_EQ(LoggedDump(scratch.Join("tarvane.ini")), "TtFileAccessException : /d/a.txt(errno = 5)");
  EXPECT_EQ(
      ScratchFolder::Read(scratch.Join("tarvane.ini")),
      "[Tarvane]\nPlacement=00\n[ErrorLog]\nDump=TtFileAccessException : /d/a.txt(errno = 5)\n");
}

TEST(ErrorLogTest, AnUnwritableLogDoesNotHideTheError) {
  ScratchFolder scratch;
  // Permissions do not stop root, so the settings file is made unwritable in other ways.
  scratch.MakeFolder("folder.ini");
  for (const std::string& program : {scratch.Join("folder"), scratch.Join("missing/tarvane")}) {
    ProgramFiles::Scope scope(program);
    bool written = true;
    EXPECT_NO_THROW(written = WriteErrorLog(InternalException("common", 54)));
    EXPECT_FALSE(written);
  }
}
