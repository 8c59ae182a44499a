#include "ttl/core/tt_exception.h"

#include <cxxabi.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

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
  if (!reason_.empty()) return reason_;
  switch (error_number_) {
    case ENOENT:
      return "ファイルまたはフォルダがありません";
    case EACCES:
    case EPERM:
      return "アクセスが許可されていません";
    case EISDIR:
      return "フォルダです";
    case ENOSPC:
      return "ディスクに空きがありません";
    default:
      return TtWindowsSystemCallException::ErrorCodeText(error_number_);
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
