#pragma once
// Every file and folder chooser of the program opens through here. A chosen name that CP932
// cannot spell would read or write another file, so it is reported to the user; alone it counts
// as a cancelled choice, among several files the others are taken.
class TtFileDialog;
class TtFolderBrowserDialog;
class TtWindow;

namespace Tarvane {

// True when the user chose names the program can spell.
bool ShowFileChooser(TtFileDialog& dialog, TtWindow& parent);
bool ShowFolderChooser(TtFolderBrowserDialog& dialog, TtWindow& parent);

}  // namespace Tarvane
