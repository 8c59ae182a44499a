// The settings file under faults: a folder that refuses writes, a settings path that is a
// folder or lies inside a file, a file cut in the middle, a disk that refuses the write. Reading
// never fails (the defaults stand in), a failed write throws the toolkit's exception, and the
// file on disk is always either the old one or the new one, whole.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/error_log.h"
#include "app/exception.h"
#include "app/program_files.h"
#include "app/settings.h"
#include "tests/support/run_in_child.h"
#include "tests/support/scratch_folder.h"
#include "ttl/core/tt_exception.h"

using TarvaneTest::RunInChild;
using TarvaneTest::ScratchFolder;
using namespace Tarvane;

namespace {

Settings SampleSettings() {
  Settings settings;
  settings.FirstColumnIsJapanese = false;
  settings.IfZeroNullString = false;
  settings.DefaultColumnWidth = 120;
  settings.UseExtensionScript = true;
  settings.ExtensionScriptPath = "ext/\x8a\x67\x92\xa3.nut";
  return settings;
}

WindowPlacement SamplePlacement() {
  WindowPlacement placement;
  placement.show_command = WindowPlacement::Maximized;
  placement.normal_left = 100;
  placement.normal_top = 50;
  placement.normal_right = 1380;
  placement.normal_bottom = 1010;
  return placement;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Every way of saving that the program has; true when all of them threw the toolkit's exception.
bool EverySaveFails() {
  int failures = 0;
  auto attempt = [&](const std::function<void()>& save) {
    try {
      save();
    } catch (const TtException&) {
      ++failures;
    }
  };
  attempt([] { SaveSettings(SampleSettings()); });
  attempt([] { SaveWindowPlacement(SamplePlacement()); });
  attempt([] { SetLastFolderBrowserPath("/somewhere"); });
  return failures == 3 && !WriteErrorLog(InternalException("hardening", 1));
}

// An ordinary user for the child that must not write: root writes into any folder.
bool BecomeOrdinaryUser() {
  if (::geteuid() != 0) return true;
  return ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

class SettingsFaultTest : public ::testing::Test {
protected:
  SettingsFaultTest() : program_(scratch_.Join("tarvane")) {}

  // A settings file written by the program, with every key.
  std::string WriteFullSettings() {
    SaveSettings(SampleSettings());
    SaveWindowPlacement(SamplePlacement());
    SetLastFolderBrowserPath("/home/\x83\x66\x83\x62\x83\x4e");
    return ScratchFolder::Read(SettingsPath());
  }
  std::string SettingsPath() const { return scratch_.Join("tarvane.ini"); }

  ScratchFolder scratch_;
  ProgramFiles::Scope program_;
};

}  // namespace

TEST_F(SettingsFaultTest, ASettingsPathThatIsAFolderReadsAsDefaultsAndRefusesWrites) {
  std::filesystem::create_directory(SettingsPath());
  Settings loaded = SampleSettings();
  LoadSettings(loaded);
  EXPECT_EQ(loaded, Settings());
  WindowPlacement placement;
  EXPECT_FALSE(LoadWindowPlacement(placement));
  EXPECT_EQ(GetLastFolderBrowserPath(), "");
  EXPECT_TRUE(EverySaveFails());
  EXPECT_TRUE(std::filesystem::is_directory(SettingsPath()));
  EXPECT_TRUE(std::filesystem::is_empty(SettingsPath()));
  EXPECT_EQ(FolderEntries(scratch_.Path()), std::vector<std::string>{"tarvane.ini"});
}

TEST_F(SettingsFaultTest, AFolderThatCannotBeMadeRefusesWritesWithTheSystemReason) {
  scratch_.Write("file", "not a folder");
  for (const std::string& program :
       {scratch_.Join("file/tarvane"), scratch_.Join("missing/tarvane")}) {
    ProgramFiles::Scope inside(program);
    Settings loaded;
    LoadSettings(loaded);
    EXPECT_EQ(loaded, Settings());
    EXPECT_TRUE(EverySaveFails()) << program;
    try {
      SaveSettings(SampleSettings());
    } catch (const TtWindowsSystemCallException& error) {
      EXPECT_NE(error.Message().find("::WritePrivateProfileString"), std::string::npos);
      EXPECT_TRUE(error.GetErrorCode() == ENOTDIR || error.GetErrorCode() == ENOENT)
          << error.Message();
    }
  }
  EXPECT_EQ(FolderEntries(scratch_.Path()), std::vector<std::string>{"file"});
  EXPECT_EQ(ScratchFolder::Read(scratch_.Join("file")), "not a folder");
}

TEST_F(SettingsFaultTest, AReadOnlyFolderKeepsTheOldFileWhole) {
  std::string before = WriteFullSettings();
  // The child runs as an ordinary user, since the permissions do not stop root.
  std::filesystem::permissions(scratch_.Path(), std::filesystem::perms(0555));
  std::filesystem::permissions(SettingsPath(), std::filesystem::perms(0644));
  int result = RunInChild([] {
    if (!BecomeOrdinaryUser()) return 2;
    Settings loaded;
    LoadSettings(loaded);
    if (!(loaded == SampleSettings())) return 3;
    return EverySaveFails() ? 0 : 1;
  });
  std::filesystem::permissions(scratch_.Path(), std::filesystem::perms::owner_all);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ScratchFolder::Read(SettingsPath()), before);
  EXPECT_EQ(FolderEntries(scratch_.Path()), std::vector<std::string>{"tarvane.ini"});
}

TEST_F(SettingsFaultTest, AFileThatCannotBeReadIsNeverReplaced) {
  std::string before = WriteFullSettings();
  std::filesystem::permissions(scratch_.Path(), std::filesystem::perms(0777));
  std::filesystem::permissions(SettingsPath(), std::filesystem::perms(0200));
  // Writing means reading the other keys first; a file that cannot be read would lose them.
  int result = RunInChild([] {
    if (!BecomeOrdinaryUser()) return 2;
    return EverySaveFails() ? 0 : 1;
  });
  std::filesystem::permissions(SettingsPath(), std::filesystem::perms(0644));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ScratchFolder::Read(SettingsPath()), before);
  EXPECT_EQ(FolderEntries(scratch_.Path()), std::vector<std::string>{"tarvane.ini"});
}

TEST_F(SettingsFaultTest, ADiskThatRefusesTheWriteKeepsTheOldFileWhole) {
  std::string before = WriteFullSettings();
  // A file size limit below the new file's size makes the write fail as a full disk does.
  int result = RunInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{before.size() / 2, before.size() / 2};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    return EverySaveFails() ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ScratchFolder::Read(SettingsPath()), before);
  EXPECT_EQ(FolderEntries(scratch_.Path()), std::vector<std::string>{"tarvane.ini"});
}

TEST_F(SettingsFaultTest, AFileCutAnywhereReadsAsWhatItStillHoldsAndSavesWhole) {
  std::string full = WriteFullSettings();
  const Settings saved = SampleSettings();
  const Settings defaults;
  for (size_t length = 0; length < full.size(); ++length) {
    scratch_.Write("tarvane.ini", full.substr(0, length));
    Settings loaded;
    LoadSettings(loaded);
    // Every field is either the saved value or, when its line is gone, the default; a cut
    // number reads as its leading digits, and a cut path as its leading part.
    EXPECT_TRUE(loaded.FirstColumnIsJapanese == saved.FirstColumnIsJapanese ||
                loaded.FirstColumnIsJapanese == defaults.FirstColumnIsJapanese);
    EXPECT_TRUE(loaded.DefaultColumnWidth == defaults.DefaultColumnWidth ||
                std::to_string(saved.DefaultColumnWidth)
                    .starts_with(std::to_string(loaded.DefaultColumnWidth)))
        << length;
    EXPECT_TRUE(saved.ExtensionScriptPath.starts_with(loaded.ExtensionScriptPath)) << length;
    WindowPlacement placement;
    if (LoadWindowPlacement(placement)) {
      EXPECT_EQ(placement, SamplePlacement()) << length;
    }

    // Saving over a cut file makes it whole again (every write syncs, so only some lengths).
    if (length % 16 != 0) continue;
    SaveSettings(saved);
    LoadSettings(loaded);
    EXPECT_EQ(loaded, saved) << length;
  }
}
