#pragma once
// The toolkit's exception family. Every failed platform call ends up as one of these, and the
// application's and the script host's families share the same root.
#include <stdexcept>
#include <string>
#include <typeinfo>

// Readable class name with its namespace, e.g. "Tarvane::FileNotExistException".
std::string TtPrintableClassName(const std::type_info& type);

class TtException : public std::domain_error {
public:
  TtException();
  ~TtException() override;
  // The technical one-line text that goes into the error log.
  virtual std::string Message() const;

protected:
  std::string ClassName() const;
};

class TtInternalException : public TtException {
public:
  TtInternalException(const std::string& module, int line);
  std::string Message() const override;
  const std::string& GetModule() const { return module_; }
  int GetLine() const { return line_; }

private:
  std::string module_;
  int line_;
};

class TtSystemCallException : public TtException {
public:
  TtSystemCallException(const std::string& module, int line, const std::string& call, int code);
  std::string Message() const override;
  const std::string& GetModule() const { return module_; }
  int GetLine() const { return line_; }
  const std::string& GetCall() const { return call_; }
  int GetErrorCode() const { return code_; }

private:
  std::string module_;
  int line_;
  std::string call_;
  int code_;
};

class TtWindowsSystemCallException : public TtSystemCallException {
public:
  using TtSystemCallException::TtSystemCallException;
  std::string Message() const override;
  // The platform's wording for an error code (here the C library's errno text).
  static std::string ErrorCodeText(int code);
};

class TtFileAccessException : public TtException {
public:
  // The reason is text for the user (CP932); without one, GetReason words the error number.
  TtFileAccessException(const std::string& path, int error_number, const std::string& reason = "");
  std::string Message() const override;
  const std::string& GetPath() const { return path_; }
  int GetErrorNumber() const { return error_number_; }
  std::string GetReason() const;
  // The words for an error number in the language of the program's messages (CP932).
  static std::string ReasonText(int error_number);

private:
  std::string path_;
  int error_number_;
  std::string reason_;
};

class TtWithCauseClassException : public TtException {
public:
  explicit TtWithCauseClassException(const std::type_info& cause);
  const std::type_info& GetCauseClass() const { return *cause_; }

private:
  const std::type_info* cause_;
};

class TtInvalidOperationException : public TtWithCauseClassException {
public:
  using TtWithCauseClassException::TtWithCauseClassException;
  std::string Message() const override;
};

class TtInvalidFileTypeException : public TtWithCauseClassException {
public:
  TtInvalidFileTypeException(const std::type_info& cause, const std::string& path);
  std::string Message() const override;
  const std::string& GetPath() const { return path_; }

private:
  std::string path_;
};

// Throws TtWindowsSystemCallException naming the toolkit module, the source line and the call.
#define TT_SYSTEM_CALL_ERROR(module, call, code) \
  TtWindowsSystemCallException((module), __LINE__, (call), (code))
