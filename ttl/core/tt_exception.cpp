#include "ttl/core/tt_exception.h"

#include <cxxabi.h>

#include <locale.h>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "ttl/core/tt_language.h"

std::string TtPrintableClassName(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(
      abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(type.name());
}

TtException::TtException() : std::domain_error("TtException") {}
TtException::~TtException() = default;

std::string TtException::ClassName() const { return TtPrintableClassName(typeid(*this)); }

std::string TtException::Message() const { return ClassName(); }

TtInternalException::TtInternalException(const std::string& module, int line)
    : module_(module), line_(line) {}

std::string TtInternalException::Message() const {
  return ClassName() + " : " + module_ + "(" + std::to_string(line_) + ")";
}

TtSystemCallException::TtSystemCallException(const std::string& module, int line,
                                             const std::string& call, int code)
    : module_(module), line_(line), call_(call), code_(code) {}

std::string TtSystemCallException::Message() const {
  return ClassName() + " : " + module_ + "(" + std::to_string(line_) + ")," + call_ + "(" +
         std::to_string(code_) + ")";
}

std::string TtWindowsSystemCallException::ErrorCodeText(int code) {
  char buffer[16384];
  // The GNU strerror_r may return a static text instead of filling the buffer.
  const char* text = strerror_r(code, buffer, sizeof(buffer));
  return text ? std::string(text) : std::string("FormatMessage error.");
}

std::string TtWindowsSystemCallException::Message() const {
  return TtSystemCallException::Message() + "," + ErrorCodeText(GetErrorCode());
}

TtFileAccessException::TtFileAccessException(const std::string& path, int error_number,
                                             const std::string& reason)
    : path_(path), error_number_(error_number), reason_(reason) {}

std::string TtFileAccessException::GetReason() const {
  return reason_.empty() ? ReasonText(error_number_) : reason_;
}

// The program's own Japanese words for the errors a user meets, since the system may have no
// Japanese texts of its own, and the C library's words (in its "C" locale, so never in a third
// language) for English.
std::string TtFileAccessException::ReasonText(int error_number) {
  if (!TtLanguage::MessagesInJapanese()) {
    if (error_number == EILSEQ) return "the name cannot be written in CP932";
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return c_locale ? strerror_l(error_number, c_locale)
                    : "error number " + std::to_string(error_number);
  }
  switch (error_number) {
    case ENOENT:
      return "ファイルまたはフォルダがありません";
    case EACCES:
    case EPERM:
      return "アクセスが許可されていません";
    case EISDIR:
      return "フォルダです";
    case ENOTDIR:
      return "途中にフォルダでないものがあります";
    case ENOSPC:
      return "ディスクに空きがありません";
    case EROFS:
      return "書き込みできない場所です";
    case EEXIST:
      return "同じ名前のものがすでにあります";
    case ENAMETOOLONG:
      return "名前が長すぎます";
    case EFBIG:
      return "ファイルが大きすぎます";
    case EILSEQ:
      return "名前を CP932 で表せません";
    case EIO:
      return "読み書き中にエラーが起きました";
    default:
      return "エラー番号 " + std::to_string(error_number);
  }
}

std::string TtFileAccessException::Message() const {
  return ClassName() + " : " + path_ + "(errno = " + std::to_string(error_number_) + ")";
}

TtWithCauseClassException::TtWithCauseClassException(const std::type_info& cause)
    : cause_(&cause) {}

std::string TtInvalidOperationException::Message() const {
  return ClassName() + " : " + TtPrintableClassName(GetCauseClass());
}

TtInvalidFileTypeException::TtInvalidFileTypeException(const std::type_info& cause,
                                                       const std::string& path)
    : TtWithCauseClassException(cause), path_(path) {}

std::string TtInvalidFileTypeException::Message() const { return ClassName() + " : " + path_; }
