#include "squirrel/tt_squirrel_exception.h"
#include "ttl/core/tt_language.h"

namespace TtSquirrel {

namespace {

const char* const kCrLf = "\r\n";
// The compile line has always been formatted into a buffer of this many bytes.
const std::size_t kCompileLineBufferSize = 1024;

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Cuts the text to at most max_bytes without splitting a double-byte character in two.
std::string CutCp932(const std::string& text, std::size_t max_bytes) {
  if (text.size() <= max_bytes) {
    return text;
  }
  std::size_t end = 0;
  while (end < max_bytes) {
    std::size_t width = IsCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > max_bytes) {
      break;
    }
    end += width;
  }
  return text.substr(0, end);
}

}  // namespace

std::string Exception::GetMessageText() const { return TtLanguage::Text("Error", "エラー"); }

InternalException::InternalException(const std::string& module, int line)
    : module_(module), line_(line) {}

std::string InternalException::Message() const {
  return ClassName() + " : " + module_ + "(" + std::to_string(line_) + ")";
}

std::string InternalException::GetMessageText() const {
  return TtLanguage::Text("Internal error", "内部エラー") + kCrLf + "file : " + module_ + "(" +
         std::to_string(line_) + ")";
}

NativeAPIException::NativeAPIException(const std::string& call, const std::string& engine_message)
    : call_(call), engine_message_(engine_message) {}

std::string NativeAPIException::Message() const {
  return ClassName() + " : " + call_ + " : " + engine_message_;
}

std::string NativeAPIException::GetMessageText() const {
  return TtLanguage::Text("Native function error", "ネイティブ関数のエラー") + kCrLf +
         "function : " + call_ + " : " + engine_message_;
}

CompilerException::CompilerException(const std::string& description, const std::string& source_name,
                                     int line, int column)
    : description_(description), source_name_(source_name), line_(line), column_(column) {}

std::string CompilerException::GetCompileLine() const {
  std::string line = source_name_ + " : line = (" + std::to_string(line_) + ") : column = (" +
                     std::to_string(column_) + ") : " + description_;
  return CutCp932(line, kCompileLineBufferSize - 1);
}

std::string CompilerException::Message() const { return ClassName() + " : " + GetCompileLine(); }

std::string CompilerException::GetMessageText() const {
  return TtLanguage::Text("Compile error", "コンパイルエラー") + kCrLf + GetCompileLine();
}

RuntimeException::RuntimeException(const std::string& message, const CallStack& call_stack)
    : message_(message), call_stack_(call_stack) {}

std::string RuntimeException::GetReport() const {
  std::string report = "Exception [" + message_ + "]" + kCrLf + kCrLf + "Call Stack";
  for (const CallStackFrame& frame : call_stack_) {
    report += kCrLf;
    report += "[" + frame.function_name + "()] " + frame.source_name + "(" +
              std::to_string(frame.line) + ")";
    for (const LocalVariable& local : frame.locals) {
      report += kCrLf;
      report += "  [" + local.name + "] " + local.value_text;
    }
  }
  return report;
}

std::string RuntimeException::Message() const { return ClassName() + " : " + message_; }

std::string RuntimeException::GetMessageText() const {
  return TtLanguage::Text("Runtime error", "実行時エラー") + kCrLf + GetReport();
}

FileExecutionException::FileExecutionException(const std::string& path) : WithString(path) {}

std::string FileExecutionException::Message() const { return ClassName() + " : " + GetPath(); }

std::string FileExecutionException::GetMessageText() const {
  return TtLanguage::Text("File execution error", "ファイル実行エラー") + kCrLf +
         "file  : " + GetPath();
}

GetOperationException::GetOperationException(const std::string& key_text) : WithString(key_text) {}

std::string GetOperationException::Message() const { return ClassName() + " : " + GetKeyText(); }

std::string GetOperationException::GetMessageText() const {
  return TtLanguage::Text("get operation error", "get 操作エラー") + kCrLf +
         "key  : " + GetKeyText();
}

SetOperationException::SetOperationException(const std::string& key_text) : WithString(key_text) {}

std::string SetOperationException::Message() const { return ClassName() + " : " + GetKeyText(); }

std::string SetOperationException::GetMessageText() const {
  return TtLanguage::Text("set operation error", "set 操作エラー") + kCrLf +
         "key  : " + GetKeyText();
}

ObjectTypeException::ObjectTypeException(ObjectType actual, ObjectType required)
    : actual_(actual), required_(required) {}

std::string ObjectTypeException::Message() const {
  return ClassName() + " : actual = " + actual_.GetTypeName() +
         " : require = " + required_.GetTypeName();
}

std::string ObjectTypeException::GetMessageText() const {
  return TtLanguage::Text("Object type error", "オブジェクトタイプエラー") + kCrLf +
         "actual  : " + actual_.GetTypeName() + kCrLf + "require : " + required_.GetTypeName();
}

ObjectHasNotSlotException::ObjectHasNotSlotException(ObjectType actual) : actual_(actual) {}

std::string ObjectHasNotSlotException::Message() const {
  return ClassName() + " : actual = " + actual_.GetTypeName();
}

std::string ObjectHasNotSlotException::GetMessageText() const {
  return TtLanguage::Text("Object without slots error", "非スロット持オブジェクトエラー") + kCrLf +
         "actual  : " + actual_.GetTypeName();
}

}  // namespace TtSquirrel
