// The data-side start-up: its order, the script error box, and what ends the start.
#include "app/exception.h"
#include "tests/script/vm_test_support.h"

namespace TarvaneTest {
namespace {

const std::string kHeading = "以下の拡張スクリプトでエラーがありました。";
const std::string kStartupFailed = "アプリケーションが正しく起動できません。";
const std::string kStartAnyway =
    "このままアプリケーションを起動しますか？（正常に起動しない可能性があります）";

class StartupTest : public VmTest {
protected:
  // Enables the extension script with that path setting.
  void UseExtension(const std::string& path_setting) {
    folder.WriteSettings("[Tarvane]\nUseExtensionScript=1\nExtensionScriptPath=" + path_setting +
                         "\n");
  }
  // The error box text for a script at `path` that failed with `error`.
  static std::string BoxText(const std::string& path, const TtSquirrel::Exception& error,
                             const std::string& closing) {
    return kHeading + "\r\nfile : " + path + "\r\n\r\n" + error.GetMessageText() + "\r\n\r\n" +
           closing;
  }
  std::string FirstColumnName() { return vm->GetName(vm->GetFirstColumnProcessor()); }
};

TEST_F(StartupTest, AReadyDataSide) {
  Start(
      "::Organizer.special_entries.append(::SpecialEntry(::Card.Type.MainTotal, \"All\", "
      "\"全部\", ::Board.Type.Mainboard));");
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_EQ(vm->GetBoardDisplayMode(), Tarvane::Both);
  EXPECT_TRUE(vm->GetDecks().empty());
  EXPECT_TRUE(vm->GetRows().empty());
  EXPECT_EQ(vm->GetSpecialEntries().size(), 1u);
  EXPECT_TRUE(vm->GetCardDatabase().card_exist("Lightning Bolt"));
  EXPECT_EQ(FirstColumnName(), "Name");
  EXPECT_EQ(Eval("::Organizer.executing_directory_path"), folder.Path());
}

TEST_F(StartupTest, TheSettingsDecideTheFirstColumn) {
  folder.WriteSettings("[Tarvane]\nFirstColumnIsJapanese=0\n");
  Start(
      "::seen <- null; local made = ::Organizer.create_first_column_processor;"
      "::Organizer.create_first_column_processor <- function(flag) {"
      "  ::seen = flag; return made.call(this, flag); }");
  EXPECT_EQ(Eval("::seen"), "false");
  EXPECT_FALSE(vm->GetSettings().FirstColumnIsJapanese);
  auto row = vm->CreateEntry(vm->GetCardDatabase().fetch("Lightning Bolt"), 0);
  EXPECT_EQ(vm->ComputeCellValue(vm->GetFirstColumnProcessor(), *row).text(), "Lightning Bolt");
  // The settings sheet asks again with the new setting.
  vm->SetFirstColumnProcessor(vm->CreateFirstColumnProcessor(true));
  EXPECT_EQ(vm->ComputeCellValue(vm->GetFirstColumnProcessor(), *row).text(), "稲妻");
}

TEST_F(StartupTest, AMissingStartupScriptIsFatalAndNamed) {
  auto error = CatchException<Tarvane::FileNotExistException>(
      [&] { vm = std::make_unique<Tarvane::SquirrelVM>(reporter); });
  EXPECT_EQ(error.GetPath(), folder.Join("tarvane.nut"));
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(StartupTest, AFailingStartupScriptIsShownThenEndsQuietly) {
  std::string path = folder.WriteStartupScript("local x = ;");
  EXPECT_THROW(vm = std::make_unique<Tarvane::SquirrelVM>(reporter), Tarvane::ExitThroughException);
  ASSERT_EQ(reporter.messages.size(), 1u);
  const RecordingReporter::Message& box = reporter.messages[0];
  EXPECT_EQ(box.caption, "拡張スクリプトのエラー");
  EXPECT_EQ(box.buttons, MessageButtons::Ok);
  EXPECT_EQ(box.icon, MessageIcon::Error);
  EXPECT_FALSE(box.owned_by_main_window);
  std::string compile_error = "コンパイルエラー\r\n" + path + " : line = (1) : column = (";
  EXPECT_EQ(box.text.rfind(kHeading + "\r\nfile : " + path + "\r\n\r\n" + compile_error, 0), 0u)
      << box.text;
  EXPECT_TRUE(box.text.ends_with("\r\n\r\n" + kStartupFailed)) << box.text;
}

TEST_F(StartupTest, ARunTimeErrorOfTheStartupScriptShowsItsReport) {
  std::string path = folder.WriteStartupScript("function f() { throw \"broken\"; }\nf();");
  EXPECT_THROW(vm = std::make_unique<Tarvane::SquirrelVM>(reporter), Tarvane::ExitThroughException);
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_NE(reporter.messages[0].text.find("実行時エラー\r\nException [broken]"), std::string::npos)
      << reporter.messages[0].text;
}

TEST_F(StartupTest, TheExtensionScriptRunsAfterTheStartupScript) {
  // A relative path is taken from the program folder.
  UseExtension("ext/my.nut");
  folder.Write("ext/my.nut",
               "::Organizer.create_first_column_processor <- function(flag) {"
               "  return { name = \"extended\", sorter = null }; }");
  Start();
  EXPECT_EQ(FirstColumnName(), "extended");
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(StartupTest, AnAbsoluteExtensionPathIsUsedAsItIs) {
  std::string path = folder.Write("elsewhere/abs.nut", "::extension_ran <- true;");
  UseExtension(path);
  Start();
  EXPECT_EQ(Eval("::extension_ran"), "true");
}

TEST_F(StartupTest, AFailingExtensionScriptAsksWhetherToGoOn) {
  UseExtension("missing.nut");
  Start();
  ASSERT_EQ(reporter.messages.size(), 1u);
  const RecordingReporter::Message& box = reporter.messages[0];
  EXPECT_EQ(box.buttons, MessageButtons::YesNo);
  EXPECT_EQ(box.icon, MessageIcon::Error);
  std::string path = folder.Join("missing.nut");
  EXPECT_EQ(box.text, BoxText(path, TtSquirrel::FileExecutionException(path), kStartAnyway));
  // Yes: the start goes on as if the script had run.
  EXPECT_EQ(FirstColumnName(), "Name");
}

TEST_F(StartupTest, AnsweringNoEndsTheStart) {
  UseExtension("broken.nut");
  folder.Write("broken.nut", "throw \"no\";");
  reporter.answer_to_questions = MessageAnswer::No;
  EXPECT_THROW(Start(), Tarvane::ExitThroughException);
  EXPECT_EQ(reporter.messages.size(), 1u);
}

TEST_F(StartupTest, AnEmptyExtensionPathFails) {
  UseExtension("");
  Start();
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_NE(reporter.messages[0].text.find("ファイル実行エラー"), std::string::npos);
}

TEST_F(StartupTest, AFaultyDictionaryIsFatal) {
  folder.WriteDictionary("Mountain\t山\t\tX\tLand\tLand\t\n");
  auto error = CatchException<Tarvane::CardDatabaseInitializeException>([&] { Start(); });
  EXPECT_EQ(error.GetReason(), "点数でみたマナコスト形式エラー");
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(StartupTest, FailuresAfterTheScriptsAreNotReportedHere) {
  // No first-column processor: the error travels to the entry point.
  auto missing =
      CatchException<TtSquirrel::GetOperationException>([&] { StartWith("class SubMenu {}"); });
  EXPECT_EQ(missing.GetKeyText(), "string : create_first_column_processor");

  // A special entry list with something else in it.
  auto wrong = CatchException<TtSquirrel::NativeAPIException>(
      [&] { Start("::Organizer.special_entries.append(NameProcessor(true));"); });
  EXPECT_EQ(wrong.GetCall(), "sq_getinstanceup");
  EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace TarvaneTest
