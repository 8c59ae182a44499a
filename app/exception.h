#pragma once
// The application's exceptions. Each carries a technical message for the error log (Message)
// and the Japanese text shown to the user (Description, which starts with Summary).
#include <string>

#include "ttl/core/tt_exception.h"

namespace Tarvane {

class Exception : public TtException {
public:
  // One sentence that names the failure.
  virtual std::string Summary() const = 0;
  // The text shown to the user: Summary, then the details.
  virtual std::string Description() const = 0;
};

// The second base of the exceptions that concern one file.
class WithFilePathException {
public:
  explicit WithFilePathException(const std::string& path) : path_(path) {}
  const std::string& GetPath() const { return path_; }

private:
  std::string path_;
};

// A state the program should never reach; names the module and line that found it.
class InternalException : public Exception {
public:
  InternalException(const std::string& module, int line);
  const std::string& GetModule() const { return module_; }
  int GetLine() const { return line_; }
  std::string Message() const override;
  std::string Summary() const override;
  std::string Description() const override;

private:
  std::string module_;
  int line_;
};

// Ends the program quietly: the user has already been told why.
class ExitThroughException : public Exception {
public:
  std::string Summary() const override { return ""; }
  std::string Description() const override { return ""; }
};

class FileNotExistException : public Exception, public WithFilePathException {
public:
  explicit FileNotExistException(const std::string& path);
  std::string Message() const override;
  std::string Summary() const override;
  std::string Description() const override;
};

class DeckFileFormatException : public Exception, public WithFilePathException {
public:
  explicit DeckFileFormatException(const std::string& path);
  std::string Message() const override;
  std::string Summary() const override;
  std::string Description() const override;
};

class CardDatabaseInitializeException : public Exception, public WithFilePathException {
public:
  // The reasons a dictionary file is rejected.
  static const char* const kFileOpenError;
  static const char* const kFileReadError;
  static const char* const kConvertedManaCostFormatError;
  static const char* const kTabSeparatedFormatError;

  CardDatabaseInitializeException(const std::string& path, const std::string& reason);
  const std::string& GetReason() const { return reason_; }
  std::string Message() const override;
  std::string Summary() const override;
  std::string Description() const override;

private:
  std::string ReasonText() const;

  std::string reason_;
};

// The box for a file the program could not reach: its caption (the window's, and the one in the
// language of the program's messages), and its text naming the path (as the user typed it) and
// the reason.
extern const char kFileAccessErrorCaption[];
std::string FileAccessErrorCaption();
std::string FileAccessErrorText(const TtFileAccessException& error);

}  // namespace Tarvane
