#include "cli/tarvane_cli.h"

#include <functional>
#include <optional>

#include "app/error_log.h"
#include "app/exception.h"
#include "app/program_files.h"
#include "cli/cli_console.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "model/card_database.h"
#include "model/import/card_name_resolver.h"
#include "model/import/deck_list_file_import.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_string.h"

namespace Tarvane {

namespace {

using TtLanguage::Text;

std::string ErrorCaption() { return Text("Error", "エラー"); }
std::string UnexpectedErrorCaption() { return Text("Unexpected error", "予期しないエラー"); }
std::string UnexpectedErrorText() {
  return Text("An unexpected error occurred. The program ends.",
              "予期しないエラーが発生しました。アプリケーションを終了させます。");
}

enum ExitStatus { kSuccess = 0, kEnded = 1, kUsage = 2, kImportFailed = 3, kActionFailed = 4 };

int ReportUsageError(std::ostream& err, const std::string& text) {
  err << "tarvane-cli: " << text << "\n"
      << TtLanguage::Say("(tarvane-cli --help lists the options)",
                         "(オプションの一覧は tarvane-cli --help)")
      << "\n";
  return kUsage;
}

// The program's session from start-up to the last action, ended as its entry point ends it.
int RunSession(const CliOptions& options, CliConsole& console) {
  try {
    CliSession session(console);
    session.CheckMenuLabels(options.actions);
    // A rule folder that gives no rule counts as an action that failed.
    const std::string& settings_rules =
        session.GetTable().GetScriptHost().GetSettings().ArchetypeRules;
    if (options.archetype_rules || !settings_rules.empty()) {
      session.SetArchetypeRules(options.archetype_rules.value_or(settings_rules));
    }
    for (const CliAction& action : options.actions) {
      session.Run(action);
    }
    // A script must never take a failed load or export for success, nor a start whose scripts
    // reported errors (a table without its columns, say).
    return console.GetErrorCount() > 0 ? kActionFailed : kSuccess;
  } catch (const ExitThroughException&) {
    return kEnded;
  } catch (const Exception& error) {
    WriteErrorLog(error);
    console.ShowMessage(error.Description(), ErrorCaption(), MessageButtons::Ok, MessageIcon::Error,
                        false);
    return kEnded;
  } catch (const TtFileAccessException& error) {
    WriteErrorLog(error);
    console.ShowMessage(FileAccessErrorText(error), FileAccessErrorCaption(), MessageButtons::Ok,
                        MessageIcon::Error, false);
    return kEnded;
  } catch (const TtException& error) {
    WriteErrorLog(error);
    console.ShowMessage(UnexpectedErrorText(), UnexpectedErrorCaption(), MessageButtons::Ok,
                        MessageIcon::Error, false);
    return kEnded;
  }
}

// Converts the deck lists into the folder with the program's dictionary; a tournament's lists
// go in one command, and a file that fails leaves the others converted.
int RunImport(const CliOptions& options, CliConsole& console) {
  CardDatabase card_database;
  try {
    card_database.LoadDictionary();
  } catch (const Exception& error) {
    console.ShowMessage(error.Description(), ErrorCaption(), MessageButtons::Ok, MessageIcon::Error,
                        false);
    return kEnded;
  }
  CardNameResolver names(card_database);
  DeckListFileImporter importer(names, *options.import_folder,
                                [](const std::string&) { return true; });
  int status = kSuccess;
  for (const std::string& path : options.import_files) {
    InputFileImport import = importer.ImportFile(path);
    console.WriteReport(import.Report() + "\n");
    if (!import.AllWritten()) status = kImportFailed;
  }
  for (const std::string& described : options.unspellable_import_files) {
    console.WriteReport(described + "\n" +
                        TtLanguage::Text("Not written: the file name has characters CP932 cannot "
                                         "spell\n\n",
                                         "書き出していません: ファイル名に CP932 で書けない文字が"
                                         "あります\n\n"));
    status = kImportFailed;
  }
  return status;
}

int RunWithOptions(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const std::function<std::string()>& default_program) {
  CliOptions options;
  try {
    options = ParseCliOptions(arguments);
  } catch (const CliUsageError& error) {
    return ReportUsageError(err, error.what());
  }
  if (options.help) {
    out << TtString::Cp932ToUtf8(TtLanguage::IsJapanese() ? CliHelpTextJapanese() : CliHelpText());
    return kSuccess;
  }
  CliConsole console(out, err, options.utf8, options.yes);
  std::optional<ProgramFiles::Scope> program;
  try {
    program.emplace(options.program ? *options.program : default_program());
  } catch (const TtFileAccessException& error) {
    // A folder whose name the program cannot spell: say so rather than fail on every file.
    console.ShowMessage(FileAccessErrorText(error), FileAccessErrorCaption(), MessageButtons::Ok,
                        MessageIcon::Error, false);
    return kEnded;
  }
  if (options.import_folder) return RunImport(options, console);
  try {
    return RunSession(options, console);
  } catch (const CliUsageError& error) {
    return ReportUsageError(err, error.what());
  }
}

// A table or report that never reached standard output (a full disk, a closed output) is a
// failure like an export that could not be written.
int Run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
        const std::function<std::string()>& default_program) {
  // The program's own messages and reports (errors, the import report) speak the user's
  // language here, as the tool's help does; the window keeps Japanese.
  TtLanguage::MessagesFollowLocale language;
  int status = RunWithOptions(arguments, out, err, default_program);
  out.flush();
  if (out.fail()) {
    err << "tarvane-cli: "
        << TtLanguage::Say("standard output could not be written", "標準出力に書き込めませんでした")
        << "\n";
    if (status == kSuccess) status = kActionFailed;
  }
  return status;
}

}  // namespace

int RunTarvaneCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                  const std::string& default_program) {
  return Run(arguments, out, err, [&] { return default_program; });
}

int RunTarvaneCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  return Run(arguments, out, err, DefaultProgramPath);
}

std::string DefaultProgramPath() { return ProgramFiles::GetMainProgramBesideThisOne(); }

}  // namespace Tarvane
