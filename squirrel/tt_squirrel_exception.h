#pragma once
// The script host's exception family. Each carries the technical one-line text for the error log
// (Message) and the text shown to the user in the script error box (GetMessageText).
#include <string>
#include <vector>

#include "squirrel/tt_squirrel_object_type.h"
#include "ttl/core/tt_exception.h"

namespace TtSquirrel {

class Exception : public TtException {
public:
  // The user-facing text; the base class has only the generic word.
  virtual std::string GetMessageText() const;
};

// A second base for the exceptions whose only field is one string.
class WithString {
public:
  explicit WithString(const std::string& string) : string_(string) {}
  const std::string& GetString() const { return string_; }

private:
  std::string string_;
};

class InternalException : public Exception {
public:
  InternalException(const std::string& module, int line);
  std::string Message() const override;
  std::string GetMessageText() const override;
  const std::string& GetModule() const { return module_; }
  int GetLine() const { return line_; }

private:
  std::string module_;
  int line_;
};

// A checked engine call failed: the call's name and the engine's error text.
class NativeAPIException : public Exception {
public:
  NativeAPIException(const std::string& call, const std::string& engine_message);
  std::string Message() const override;
  std::string GetMessageText() const override;
  const std::string& GetCall() const { return call_; }
  const std::string& GetEngineMessage() const { return engine_message_; }

private:
  std::string call_;
  std::string engine_message_;
};

class CompilerException : public Exception {
public:
  CompilerException(const std::string& description, const std::string& source_name, int line,
                    int column);
  std::string Message() const override;
  std::string GetMessageText() const override;
  // "<source> : line = (<line>) : column = (<column>) : <description>", at most 1023 bytes.
  std::string GetCompileLine() const;
  const std::string& GetDescription() const { return description_; }
  const std::string& GetSourceName() const { return source_name_; }
  int GetLine() const { return line_; }
  int GetColumn() const { return column_; }

private:
  std::string description_;
  std::string source_name_;
  int line_;
  int column_;
};

struct LocalVariable {
  std::string name;
  std::string value_text;
};

struct CallStackFrame {
  std::string function_name;
  std::string source_name;
  int line = 0;
  std::vector<LocalVariable> locals;
};

// Innermost frame first.
using CallStack = std::vector<CallStackFrame>;

class RuntimeException : public Exception {
public:
  RuntimeException(const std::string& message, const CallStack& call_stack);
  std::string Message() const override;
  std::string GetMessageText() const override;
  // "Exception [<message>]", then "Call Stack" with every frame and its locals.
  std::string GetReport() const;
  const std::string& GetErrorMessage() const { return message_; }
  const CallStack& GetCallStack() const { return call_stack_; }

private:
  std::string message_;
  CallStack call_stack_;
};

class FileExecutionException : public Exception, public WithString {
public:
  explicit FileExecutionException(const std::string& path);
  std::string Message() const override;
  std::string GetMessageText() const override;
  const std::string& GetPath() const { return GetString(); }
};

class GetOperationException : public Exception, public WithString {
public:
  explicit GetOperationException(const std::string& key_text);
  std::string Message() const override;
  std::string GetMessageText() const override;
  const std::string& GetKeyText() const { return GetString(); }
};

class SetOperationException : public Exception, public WithString {
public:
  explicit SetOperationException(const std::string& key_text);
  std::string Message() const override;
  std::string GetMessageText() const override;
  const std::string& GetKeyText() const { return GetString(); }
};

class ObjectTypeException : public Exception {
public:
  ObjectTypeException(ObjectType actual, ObjectType required);
  std::string Message() const override;
  std::string GetMessageText() const override;
  ObjectType GetActualType() const { return actual_; }
  ObjectType GetRequiredType() const { return required_; }

private:
  ObjectType actual_;
  ObjectType required_;
};

class ObjectHasNotSlotException : public Exception {
public:
  explicit ObjectHasNotSlotException(ObjectType actual);
  std::string Message() const override;
  std::string GetMessageText() const override;
  ObjectType GetActualType() const { return actual_; }

private:
  ObjectType actual_;
};

}  // namespace TtSquirrel
