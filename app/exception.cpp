#include "app/exception.h"

#include "ttl/core/tt_language.h"

namespace Tarvane {

namespace {

using TtLanguage::Text;

const char* const kLineBreak = "\r\n";

std::string FileLine(const std::string& path) { return Text("File: ", "ファイル : ") + path; }

}  // namespace

InternalException::InternalException(const std::string& module, int line)
    : module_(module), line_(line) {}

std::string InternalException::Message() const {
  return ClassName() + " : " + module_ + "(" + std::to_string(line_) + ")";
}

std::string InternalException::Summary() const {
  return Text("An internal error occurred.", "内部エラーが発生しました。");
}

std::string InternalException::Description() const {
  return Summary() + kLineBreak + FileLine(module_) + kLineBreak + Text("Line: ", "行番号 : ") +
         std::to_string(line_);
}

FileNotExistException::FileNotExistException(const std::string& path)
    : WithFilePathException(path) {}

std::string FileNotExistException::Message() const { return ClassName() + " : " + GetPath(); }

std::string FileNotExistException::Summary() const {
  return Text("The file does not exist.", "ファイルが存在しません。");
}

std::string FileNotExistException::Description() const {
  return Summary() + kLineBreak + FileLine(GetPath());
}

DeckFileFormatException::DeckFileFormatException(const std::string& path)
    : WithFilePathException(path) {}

std::string DeckFileFormatException::Message() const { return ClassName() + " : " + GetPath(); }

std::string DeckFileFormatException::Summary() const {
  return Text("This is not a deck file.", "デッキファイルではありません。");
}

std::string DeckFileFormatException::Description() const {
  return Summary() + kLineBreak + FileLine(GetPath());
}

const char* const CardDatabaseInitializeException::kFileOpenError = "ファイルオープンエラー";
const char* const CardDatabaseInitializeException::kFileReadError = "ファイル読み込みエラー";
const char* const CardDatabaseInitializeException::kConvertedManaCostFormatError =
    "点数でみたマナコスト形式エラー";
const char* const CardDatabaseInitializeException::kTabSeparatedFormatError =
    "タブ区切り形式エラー";

CardDatabaseInitializeException::CardDatabaseInitializeException(const std::string& path,
                                                                 const std::string& reason)
    : WithFilePathException(path), reason_(reason) {}

std::string CardDatabaseInitializeException::Message() const {
  return ClassName() + " : " + GetPath() + " : " + reason_;
}

std::string CardDatabaseInitializeException::Summary() const {
  return Text("The card database could not be made.", "カードデータベースの作成に失敗しました。");
}

// The reasons of the dictionary's own are kept in Japanese (callers compare them); a message in
// English words them anew.
std::string CardDatabaseInitializeException::ReasonText() const {
  if (TtLanguage::MessagesInJapanese()) return reason_;
  if (reason_ == kFileOpenError) return "the file could not be opened";
  if (reason_ == kFileReadError) return "the file could not be read";
  if (reason_ == kConvertedManaCostFormatError) return "a converted mana cost is not a number";
  if (reason_ == kTabSeparatedFormatError) return "a line is not tab-separated as a dictionary's";
  return reason_;
}

std::string CardDatabaseInitializeException::Description() const {
  return Summary() + kLineBreak + FileLine(GetPath()) + kLineBreak + Text("Reason: ", "原因 : ") +
         ReasonText();
}

const char kFileAccessErrorCaption[] = "ファイルアクセスエラー";

std::string FileAccessErrorCaption() { return Text("File access error", kFileAccessErrorCaption); }

std::string FileAccessErrorText(const TtFileAccessException& error) {
  return Text("The file could not be accessed.\r\nFile: ",
              "ファイルのアクセスに失敗しました。\r\nファイル名 ： ") +
         error.GetPath() + Text("\r\nReason: ", "\r\n原因 ： ") + error.GetReason();
}

}  // namespace Tarvane
