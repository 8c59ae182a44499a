#include "app/program_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/error_log.h"
#include "app/exception.h"
#include "app/settings.h"
#include "model/card_database.h"
#include "tests/support/run_in_child.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_exception.h"

using TarvaneTest::RunInChild;
using TarvaneTest::ScratchFolder;
using namespace Tarvane;

namespace {

// Sets an environment variable for its lifetime (unset when the value is null).
class EnvironmentVariable {
public:
  EnvironmentVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    Set(value);
  }
  ~EnvironmentVariable() { Set(previous_ ? previous_->c_str() : nullptr); }

private:
  void Set(const char* value) {
    if (value) {
      ::setenv(name_, value, 1);
    } else {
      ::unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> previous_;
};

// An installed program: <scratch>/usr/bin/tarvane with its files in <scratch>/usr/share/tarvane,
// and a home folder whose base folders the variables name.
class InstalledProgramTest : public ::testing::Test {
protected:
  InstalledProgramTest()
      : config_("XDG_CONFIG_HOME", Home("config").c_str()),
        data_("XDG_DATA_HOME", Home("data").c_str()),
        state_("XDG_STATE_HOME", Home("state").c_str()),
        program_(scratch_.Join("usr/bin/tarvane")) {
    scratch_.Write("usr/share/tarvane/tarvane.nut", "// shipped\n");
    scratch_.MakeFolder("usr/share/tarvane/dictionary");
  }

  std::string Home(const std::string& name) const { return scratch_.Join("home/" + name); }
  std::string Shipped(const std::string& name) const {
    return scratch_.Join("usr/share/tarvane/" + name);
  }

  ScratchFolder scratch_;
  EnvironmentVariable config_, data_, state_;
  ProgramFiles::Scope program_;
};

}  // namespace

TEST(ProgramFilesTest, APortableFolderKeepsEverythingBesideTheExecutable) {
  ScratchFolder scratch;
  scratch.Write("tarvane.nut", "// shipped\n");
  ProgramFiles::Scope program(scratch.Join("tarvane"));
  EXPECT_FALSE(ProgramFiles::KeepsUserFilesInHome());
  EXPECT_EQ(ProgramFiles::GetShippedFolderPath(), scratch.Path());
  EXPECT_EQ(ProgramFiles::GetSettingsFilePath(), scratch.Join("tarvane.ini"));
  EXPECT_EQ(ProgramFiles::GetErrorLogPath(), scratch.Join("tarvane.ini"));
  EXPECT_EQ(ProgramFiles::GetStartupScriptPath(), scratch.Join("tarvane.nut"));
  EXPECT_EQ(ProgramFiles::GetDictionaryFolderPaths(),
            std::vector<std::string>{scratch.Join("dictionary")});
  EXPECT_EQ(ProgramFiles::GetUserDictionaryFolderPath(), scratch.Join("dictionary"));
  EXPECT_EQ(ProgramFiles::GetUserDecksFolderPath(), scratch.Join("decks"));
  EXPECT_EQ(ProgramFiles::ResolveUserScriptPath("ext/my.nut"), scratch.Join("ext/my.nut"));
}

TEST(ProgramFilesTest, AFolderWithoutShippedFilesStaysPortableSoTheMissingScriptIsNamedThere) {
  ProgramFiles::Scope program("/nowhere/bin/other");
  EXPECT_FALSE(ProgramFiles::KeepsUserFilesInHome());
  EXPECT_EQ(ProgramFiles::GetStartupScriptPath(), "/nowhere/bin/other.nut");
  EXPECT_EQ(ProgramFiles::GetSettingsFilePath(), "/nowhere/bin/other.ini");
}

TEST_F(InstalledProgramTest, ShippedFilesComeFromShareAndTheUsersFromTheirFolders) {
  EXPECT_TRUE(ProgramFiles::KeepsUserFilesInHome());
  EXPECT_EQ(ProgramFiles::GetShippedFolderPath(), scratch_.Join("usr/share/tarvane"));
  EXPECT_EQ(ProgramFiles::GetToolbarBitmapPath(), Shipped("tarvane.bmp"));
  EXPECT_EQ(ProgramFiles::GetSettingsFilePath(), Home("config/tarvane/tarvane.ini"));
  EXPECT_EQ(ProgramFiles::GetErrorLogPath(), Home("state/tarvane/tarvane_error.ini"));
  EXPECT_EQ(ProgramFiles::GetUserDecksFolderPath(), Home("data/tarvane/decks"));
  EXPECT_EQ(ProgramFiles::ResolveUserScriptPath("my.nut"), Home("config/tarvane/my.nut"));
  EXPECT_EQ(ProgramFiles::ResolveUserScriptPath("/abs/my.nut"), "/abs/my.nut");

  // The user's start-up script replaces the shipped one once it exists.
  EXPECT_EQ(ProgramFiles::GetStartupScriptPath(), Shipped("tarvane.nut"));
  scratch_.Write("home/config/tarvane/tarvane.nut", "// mine\n");
  EXPECT_EQ(ProgramFiles::GetStartupScriptPath(), Home("config/tarvane/tarvane.nut"));

  // The user's dictionary folder is read, first, once it exists.
  EXPECT_EQ(ProgramFiles::GetDictionaryFolderPaths(),
            std::vector<std::string>{Shipped("dictionary")});
  scratch_.MakeFolder("home/data/tarvane/dictionary");
  EXPECT_EQ(ProgramFiles::GetDictionaryFolderPaths(),
            (std::vector<std::string>{Home("data/tarvane/dictionary"), Shipped("dictionary")}));
}

TEST_F(InstalledProgramTest, WithoutTheVariablesTheHomeFolderDecidesAndARelativeValueIsIgnored) {
  EnvironmentVariable home("HOME", Home("me").c_str());
  EnvironmentVariable config("XDG_CONFIG_HOME", nullptr);
  EnvironmentVariable data("XDG_DATA_HOME", "relative/data");
  EnvironmentVariable state("XDG_STATE_HOME", "");
  EXPECT_EQ(ProgramFiles::GetSettingsFilePath(), Home("me/.config/tarvane/tarvane.ini"));
  EXPECT_EQ(ProgramFiles::GetUserDictionaryFolderPath(),
            Home("me/.local/share/tarvane/dictionary"));
  EXPECT_EQ(ProgramFiles::GetErrorLogPath(), Home("me/.local/state/tarvane/tarvane_error.ini"));
}

TEST_F(InstalledProgramTest, SettingsAndTheErrorLogAreWrittenIntoFoldersMadeOnFirstUse) {
  Settings settings;
  settings.DefaultColumnWidth = 77;
  SaveSettings(settings);
  EXPECT_TRUE(WriteErrorLog(FileNotExistException("/x/deck.txt")));

  Settings loaded;
  LoadSettings(loaded);
  EXPECT_EQ(loaded.DefaultColumnWidth, 77);
  EXPECT_NE(ScratchFolder::Read(Home("config/tarvane/tarvane.ini")).find("DefaultColumnWidth=77"),
            std::string::npos);
  std::string log = ScratchFolder::Read(Home("state/tarvane/tarvane_error.ini"));
  EXPECT_NE(log.find("[ErrorLog]"), std::string::npos);
  EXPECT_EQ(ScratchFolder::Read(Home("config/tarvane/tarvane.ini")).find("ErrorLog"),
            std::string::npos);
  // The user's folders are private; nothing lands among the shipped files.
  EXPECT_EQ(std::filesystem::status(Home("config")).permissions(),
            std::filesystem::perms::owner_all);
  EXPECT_FALSE(std::filesystem::exists(scratch_.Join("usr/bin")));
  EXPECT_FALSE(std::filesystem::exists(Shipped("tarvane.ini")));
}

TEST_F(InstalledProgramTest, TheUsersDictionaryIsReadBesideTheShippedOneAndWinsForOneName) {
  scratch_.Write("usr/share/tarvane/dictionary/sample.dat",
                 "Island\t島\t\t0\tBasic Land - Island\tLand\t\n"
                 "Counterspell\t古い名前\tUU\t2\tInstant\tInstant\t\n");
  scratch_.Write("home/data/tarvane/dictionary/mine.dat",
                 "Counterspell\t対抗呪文\tUU\t2\tInstant\tInstant\t\n");
  CardDatabase database;
  database.LoadDictionary();
  EXPECT_TRUE(database.card_exist("Island"));
  EXPECT_EQ(database.fetch("Counterspell").name_japanese, "対抗呪文");
}

TEST(ProgramFilesTest, CreateFolderMakesTheMissingPartsOrNamesTheOneInTheWay) {
  ScratchFolder scratch;
  EXPECT_EQ(ProgramFiles::CreateFolder(scratch.Join("a/b/c")), scratch.Join("a/b/c"));
  EXPECT_TRUE(std::filesystem::is_directory(scratch.Join("a/b/c")));
  EXPECT_NO_THROW(ProgramFiles::CreateFolder(scratch.Join("a/b/c")));
  scratch.Write("file", "x");
  try {
    ProgramFiles::CreateFolder(scratch.Join("file/sub"));
    ADD_FAILURE() << "a file in the way was taken for a folder";
  } catch (const TtFileAccessException& error) {
    EXPECT_EQ(error.GetPath(), scratch.Join("file/sub"));
  }
}

// A user who cannot write the program folder keeps their settings in their own folder rather
// than losing every change; the child runs as an ordinary user, since permissions do not stop
// root.
TEST(ProgramFilesTest, AReadOnlyPortableFolderKeepsTheUsersSettingsInTheirHome) {
  ScratchFolder scratch;
  scratch.Write("app/tarvane.nut", "// shipped\n");
  scratch.Write("app/tarvane.ini", "[Tarvane]\nDefaultColumnWidth=55\n");
  scratch.MakeFolder("home");
  std::filesystem::permissions(scratch.Path(), std::filesystem::perms(0755));
  std::filesystem::permissions(scratch.Join("app"), std::filesystem::perms(0555));
  ASSERT_EQ(::chown(scratch.Join("home").c_str(), 65534, 65534), 0);
  EnvironmentVariable config("XDG_CONFIG_HOME", scratch.Join("home/config").c_str());
  ProgramFiles::Scope program(scratch.Join("app/tarvane"));
  int result = RunInChild([&] {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 2;
    if (!ProgramFiles::KeepsUserFilesInHome()) return 3;
    if (ProgramFiles::GetStartupScriptPath() != scratch.Join("app/tarvane.nut")) return 4;
    // The settings kept in the program folder before carry over.
    Settings settings;
    LoadSettings(settings);
    if (settings.DefaultColumnWidth != 55) return 5;
    settings.IfZeroNullString = true;
    SaveSettings(settings);
    return 0;
  });
  std::filesystem::permissions(scratch.Join("app"), std::filesystem::perms::owner_all);
  EXPECT_EQ(result, 0);
  std::string saved = ScratchFolder::Read(scratch.Join("home/config/tarvane/tarvane.ini"));
  EXPECT_NE(saved.find("IfZeroNullString=1"), std::string::npos);
  EXPECT_NE(saved.find("DefaultColumnWidth=55"), std::string::npos);
  EXPECT_EQ(ScratchFolder::Read(scratch.Join("app/tarvane.ini")),
            "[Tarvane]\nDefaultColumnWidth=55\n");
}
