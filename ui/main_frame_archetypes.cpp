// The main window's archetype commands: the rule folder of the settings, the archetype list and
// the average deck of an archetype column.
#include "table/average_deck.h"
#include "ttl/gui/tt_file_dialog.h"
#include "ui/archetype_list_dialog.h"
#include "ui/main_frame.h"

namespace Tarvane {

void MainFrame::RegisterArchetypeCommands() {
  RegisterCommandHandler(MainCommand::ArchetypeList, [this](int, TtWin::HWND) {
    ShowArchetypeList();
    return Handled();
  });
  RegisterCommandHandler(MainCommand::ArchetypeAverageDeck, [this](int, TtWin::HWND) {
    WriteClickedArchetypeAverageDeck();
    return Handled();
  });
}

void MainFrame::ApplyArchetypeRules(bool tell_summary) {
  const std::vector<std::string> report =
      GetTable().SetArchetypeRules(script_host_.GetSettings().ArchetypeRules);
  // The last line is the summary; any before it are problems.
  const bool problems = report.size() > 1 || !GetTable().HasArchetypeRules();
  if (report.empty() || (!problems && !tell_summary)) return;
  std::string text;
  for (const std::string& line : report) text += (text.empty() ? "" : "\r\n") + line;
  ShowMessage(text, "アーキタイプの規則", MessageButtons::Ok,
              problems ? MessageIcon::Warning : MessageIcon::Information, true);
}

void MainFrame::ShowArchetypeList() {
  ArchetypeListDialog dialog(script_host_.GetDecks());
  dialog.ShowDialog(this);
}

void MainFrame::WriteClickedArchetypeAverageDeck() {
  const std::optional<std::string> archetype = GetTable().GetColumnArchetype(clicked_column_);
  if (!archetype) return;
  TtSaveFileDialog dialog;
  dialog.SetTitle("「" + *archetype + "」の平均デッキを作成");
  dialog.AddFilter("テキストファイル(*.txt)", "*.txt");
  dialog.AddFilter("すべてのファイル(*.*)", "*.*");
  dialog.SetFileName("average.txt");
  dialog.SetOverwritePrompt(true);
  if (!dialog.ShowDialog(this)) return;
  WriteArchetypeAverageDeckFile(GetTable(), *archetype, dialog.GetFileName(), *this);
}

}  // namespace Tarvane
