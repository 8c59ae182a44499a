#include "app/exception.h"

namespace Tarvane {

namespace {

const char* const kLineBreak = "\r\n";

}  // namespace

InternalException::InternalException(const std::string& module, int line)
    : module_(module), line_(line) {}

std::string InternalException::Message() const {
  return ClassName() + " : " + module_ + "(" + std::to_string(line_) + ")";
}

std::string InternalException::Summary() const { return "内部エラーが発生しました。"; }

std::string InternalException::Description() const {
  return Summary() + kLineBreak + "ファイル : " + module_ + kLineBreak +
         "行番号 : " + std::to_string(line_);
}

FileNotExistException::FileNotExistException(const std::string& path)
    : WithFilePathException(path) {}

std::string FileNotExistException::Message() const { return ClassName() + " : " + GetPath(); }

std::string FileNotExistException::Summary() const { return "ファイルが存在しません。"; }

std::string FileNotExistException::Description() const {
  return Summary() + kLineBreak + "ファイル : " + GetPath();
}

DeckFileFormatException::DeckFileFormatException(const std::string& path)
    : WithFilePathException(path) {}

std::string DeckFileFormatException::Message() const { return ClassName() + " : " + GetPath(); }

std::string DeckFileFormatException::Summary() const { return "デッキファイルではありません。"; }

std::string DeckFileFormatException::Description() const {
  return Summary() + kLineBreak + "ファイル : " + GetPath();
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
  return "カードデータベースの作成に失敗しました。";
}

std::string CardDatabaseInitializeException::Description() const {
  return Summary() + kLineBreak + "ファイル : " + GetPath() + kLineBreak + "原因 : " + reason_;
}

const char kFileAccessErrorCaption[] = "ファイルアクセスエラー";

std::string FileAccessErrorText(const TtFileAccessException& error) {
  return "ファイルのアクセスに失敗しました。\r\nファイル名 ： " + error.GetPath() + "\r\n原因 ： " +
         error.GetReason();
}

}  // namespace Tarvane
