// The built command-line tools where the system stands in their way: a file-size limit (ulimit
// -f) and a standard output that cannot be written. Each failure is reported, the exit status
// says so, and no temporary file is left behind.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/missing_tool.h"
#include "tests/support/scratch_folder.h"

using TarvaneTest::ScratchFolder;

namespace {

struct ToolRun {
  int status = -1;  // the exit status, or -1 when a signal ended the tool
  std::string err;
};

// Where the tool's standard output goes.
enum class Output { File, DevFull, Closed };

class BuiltToolsTest : public ::testing::Test {
protected:
  void SetUp() override {
    const char* bin = std::getenv("TARVANE_BIN_DIR");
    if (!bin) TARVANE_SKIP_FOR_MISSING_TOOL("TARVANE_BIN_DIR is not set");
    bin_ = bin;
  }

  bool Built(const std::string& tool) const {
    return ::access((bin_ + "/" + tool).c_str(), X_OK) == 0;
  }

  // Runs the tool with a file-size limit in bytes (0: none).
  ToolRun Run(const std::string& tool, const std::vector<std::string>& arguments, rlim_t size_limit,
              Output output = Output::File) {
    const std::string program = bin_ + "/" + tool;
    const std::string out_path = scratch_.Join("stdout"), err_path = scratch_.Join("stderr");
    pid_t child = ::fork();
    if (child == 0) {
      std::vector<char*> argv{const_cast<char*>(program.c_str())};
      for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
      argv.push_back(nullptr);
      // Standard error first, so that a closed standard output stays closed.
      ::dup2(::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
      if (output == Output::Closed) {
        ::close(STDOUT_FILENO);
      } else {
        const char* out = output == Output::DevFull ? "/dev/full" : out_path.c_str();
        ::dup2(::open(out, O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
      }
      if (size_limit > 0) {
        rlimit limit{size_limit, size_limit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
      }
      ::execv(program.c_str(), argv.data());
      ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ScratchFolder::Read(err_path)};
  }

  // The names in the folder, but the two the runs write.
  std::vector<std::string> Files(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      std::string name = entry.path().filename().string();
      if (name != "stdout" && name != "stderr") names.push_back(name);
    }
    return names;
  }

  std::string bin_;
  ScratchFolder scratch_;
};

TEST_F(BuiltToolsTest, AnExportPastTheFileSizeLimitIsReportedAndLeavesNoTemporaryFile) {
  const std::string csv = scratch_.Join("table.csv");
  ToolRun run = Run("tarvane-cli",
                    {"--program", bin_ + "/tarvane", "--add", bin_ + "/decks/jund.txt",
                     bin_ + "/decks/humans.txt", "--all-decks", "--csv", csv},
                    1024);
  EXPECT_EQ(run.status, 4) << run.err;
  EXPECT_NE(run.err.find(csv), std::string::npos) << run.err;
  EXPECT_EQ(Files(scratch_.Path()), std::vector<std::string>{})
      << "no table.csv, no temporary file";
}

TEST_F(BuiltToolsTest, ADictionaryPastTheFileSizeLimitIsReportedAndLeavesNoTemporaryFile) {
  if (!Built("tarvane-dict")) TARVANE_SKIP_FOR_MISSING_TOOL("tarvane-dict is not built");
  const char* data = std::getenv("TARVANE_TEST_DATA");
  ASSERT_NE(data, nullptr);
  const std::string output = scratch_.Join("cards.dat");
  ToolRun run =
      Run("tarvane-dict", {std::string(data) + "/tools/mtgjson_atomic_cards.json", output}, 512);
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("cards.dat"), std::string::npos) << run.err;
  EXPECT_EQ(Files(scratch_.Path()), std::vector<std::string>{});
}

TEST_F(BuiltToolsTest, AStandardOutputThatCannotBeWrittenIsAFailure) {
  const std::vector<std::string> status = {"--program", bin_ + "/tarvane", "--status"};
  EXPECT_EQ(Run("tarvane-cli", status, 0).status, 0);
  for (Output output : {Output::DevFull, Output::Closed}) {
    ToolRun run = Run("tarvane-cli", status, 0, output);
    EXPECT_EQ(run.status, 4) << run.err;
    EXPECT_NE(run.err.find("standard output could not be written"), std::string::npos) << run.err;
  }
}

}  // namespace
