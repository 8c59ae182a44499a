// ヘルプ → 使い方: the rendered guide in the program folder, handed to the desktop's opener, and
// what the player is told when the guide or the opener is missing.
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/ui/main_window_test_support.h"

namespace TarvaneTest {
namespace {

using namespace Tarvane;

constexpr int kHelp = 6;

// PATH set to one folder for the test's lifetime, so that the opener is ours or absent.
class PathScope {
public:
  explicit PathScope(const std::string& folder) : saved_(std::getenv("PATH")) {
    setenv("PATH", folder.c_str(), 1);
  }
  ~PathScope() { setenv("PATH", saved_.c_str(), 1); }

private:
  std::string saved_;
};

std::string ReadWhenWritten(const std::string& path) {
  for (int tries = 0; tries < 100 && !std::filesystem::exists(path); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

class GuideTest : public MainWindowFixture {
protected:
  // An opener that writes the address it was given beside itself.
  std::string WriteRecordingOpener() {
    std::string opener = folder.Write(
        "bin/xdg-open", "#!/bin/sh\necho \"$1\" > " + folder.Join("bin/opened") + "\n");
    chmod(opener.c_str(), 0755);
    return folder.Join("bin");
  }
};

TEST_F(GuideTest, TheGuideGoesToTheDesktopsOpenerAsAFileAddress) {
  std::string page = folder.Write("help/ja/index.html", "<h1>Tarvane</h1>");
  PathScope path(WriteRecordingOpener());
  Open();
  Choose({kHelp, 0});
  EXPECT_EQ(ReadWhenWritten(folder.Join("bin/opened")), "file://" + page);
}

TEST_F(GuideTest, AMissingGuideOrOpenerIsToldWithThePage) {
  PathScope path(folder.Join("no-such-folder"));
  Open();
  TtTesting::MessageBoxSeen missing_guide;
  answers.MessageBox(TtWin::IDOK, &missing_guide);
  Choose({kHelp, 0});
  EXPECT_EQ(missing_guide.caption, "使い方");
  EXPECT_EQ(missing_guide.text,
            "使い方のページが見つかりません。\r\n" + folder.Join("help/ja/index.html"));

  folder.Write("help/ja/index.html", "<h1>Tarvane</h1>");
  TtTesting::MessageBoxSeen missing_opener;
  answers.MessageBox(TtWin::IDOK, &missing_opener);
  Choose({kHelp, 0});
  EXPECT_NE(missing_opener.text.find("ブラウザーを開けませんでした。"), std::string::npos)
      << missing_opener.text;
}

// The build renders every page of the Japanese guide, and their links between each other and to
// the pictures lead to files that the build put there too.
TEST(RenderedGuideTest, EveryPageAndEveryLocalLinkOfTheGuideIsThere) {
  namespace fs = std::filesystem;
  const fs::path help = fs::path(TARVANE_PROGRAM_DIR) / "help";
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(TARVANE_SOURCE_DIR) / "docs/ja")) {
    fs::path page = help / "ja" / entry.path().filename().replace_extension(".html");
    ASSERT_TRUE(fs::exists(page)) << page;
    std::ifstream file(page);
    std::string html((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos) << page;
    EXPECT_EQ(html.find("<title> - Tarvane</title>"), std::string::npos) << page << " has a title";
    for (const std::string attribute : {"href=\"", "src=\""}) {
      for (size_t at = html.find(attribute); at != std::string::npos;
           at = html.find(attribute, at + 1)) {
        const size_t start = at + attribute.size();
        const std::string target = html.substr(start, html.find_first_of("\"#", start) - start);
        if (target.empty() || target.find(':') != std::string::npos)
          continue;  // an anchor or a web address
        EXPECT_TRUE(fs::exists(page.parent_path() / target)) << page << " links " << target;
      }
    }
    ++pages;
  }
  EXPECT_GE(pages, 8);
}

}  // namespace
}  // namespace TarvaneTest
