// Loading scripts: script files, compiled script files and source texts, and the script
// functions that do the same (compilestring, loadfile, dofile), all through one compile whose
// nesting is guarded.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "squirrel/tt_squirrel_native_api.h"
#include "squirrel/tt_squirrel_virtual_machine.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_file.h"
#include "ttl/core/tt_string.h"
#include "ttl/core/tt_utility.h"

namespace TtSquirrel {

namespace {

// The compile error of a text whose nesting the compiler could not descend safely.
const char* const kTooDeeplyNested = "the text is nested too deeply";
// What the engine's own file functions say of a file that cannot be read.
const char* const kCannotOpenTheFile = "cannot open the file";

// The whole file, or false when it cannot be opened or read. A UTF-8 byte order mark is skipped
// as the engine's own file loader does.
bool ReadScriptText(const std::string& path, std::string& text) {
  // Only a regular file: a FIFO or a device would wait or read forever.
  TtFile::Handle file;
  try {
    file = TtFile::OpenRegularFileForReading(path);
  } catch (const TtFileAccessException&) {
    return false;
  }
  text.clear();
  char buffer[65536];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof(buffer), file.get())) > 0) {
    text.append(buffer, read);
  }
  if (std::ferror(file.get())) {
    return false;
  }
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    text.erase(0, 3);
  }
  return true;
}

// Files that the engine's writeclosuretofile wrote begin with its bytecode tag.
bool IsCompiledScript(const std::string& text) {
  return text.size() >= 2 &&
         static_cast<unsigned char>(text[0]) == (SQ_BYTECODE_STREAM_TAG & 0xFF) &&
         static_cast<unsigned char>(text[1]) == (SQ_BYTECODE_STREAM_TAG >> 8);
}

// Pushes the closure that the bytes of a compiled script file hold.
void ReadCompiledScript(NativeAPI& api, const std::string& bytes) {
  struct Source {
    const std::string& bytes;
    std::size_t position = 0;
  } source{bytes};
  api.ReadClosure(
      [](SQUserPointer user, SQUserPointer destination, SQInteger size) -> SQInteger {
        auto* from = static_cast<Source*>(user);
        const std::size_t count =
            std::min(static_cast<std::size_t>(size), from->bytes.size() - from->position);
        std::memcpy(destination, from->bytes.data() + from->position, count);
        from->position += count;
        return static_cast<SQInteger>(count);
      },
      &source);
}

// The compiler counts a line's bytes; the user counts its characters, and a CP932 character
// other than ASCII takes two bytes.
int CharacterColumn(const std::string& text, int line, int byte_column) {
  std::size_t position = 0;
  for (int at_line = 1; at_line < line && position != std::string::npos; ++at_line) {
    position = text.find('\n', position);
    if (position != std::string::npos) ++position;
  }
  if (position == std::string::npos) return byte_column;
  int characters = 0;
  int bytes = 0;
  while (bytes < byte_column && position + bytes < text.size() && text[position + bytes] != '\n') {
    bytes += TtUtility::IsCp932LeadByte(static_cast<unsigned char>(text[position + bytes])) ? 2 : 1;
    ++characters;
  }
  return characters + std::max(0, byte_column - bytes);
}

}  // namespace

// The engine's compiler descends once per nesting level of the text (brackets, but also chains of
// unary operators, assignments or else-ifs), so deep enough nesting overflows the stack. The
// reader hands the compiler the text one byte at a time, and the compiler asks for at least one
// byte per level; when the stack has grown by more than the budget since the compile began, the
// text ends there for the compiler, and the compile is refused whatever the compiler made of
// the shortened text.
class VirtualMachine::NestingGuardedReader {
public:
  explicit NestingGuardedReader(const std::string& text) : text_(text), base_(StackPosition()) {}

  static SQInteger Read(SQUserPointer user) {
    auto* reader = static_cast<NestingGuardedReader*>(user);
    if (reader->cut_ || reader->position_ >= reader->text_.size()) return 0;
    if (reader->base_ - StackPosition() > kStackBudget) {
      reader->cut_ = true;
      return 0;
    }
    const char byte = reader->text_[reader->position_++];
    if (byte == '\n') {
      ++reader->line_;
      reader->column_ = 1;
    } else {
      ++reader->column_;
    }
    return static_cast<unsigned char>(byte);
  }

  bool WasCut() const { return cut_; }
  // Where the text was cut: the line and column of the last byte handed out.
  int line() const { return line_; }
  int column() const { return column_; }

private:
  // About 1,300 levels of brackets, or 3,000 chained else-ifs; far more than scripts written by
  // hand use, and an eighth of the usual main thread stack.
  static constexpr std::uintptr_t kStackBudget = 1024 * 1024;

  static std::uintptr_t StackPosition() {
    // The frame address, not a local's: an address sanitizer may move locals off the stack.
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
  }

  const std::string& text_;
  std::size_t position_ = 0;
  std::uintptr_t base_;
  bool cut_ = false;
  int line_ = 1;
  int column_ = 0;
};

// Reads the file itself rather than through the engine's file loader, because the file must be
// opened by its file system name while compile errors and call stacks must name it as the
// program spells it (CP932). A file that the engine's writeclosuretofile wrote is read back as
// the closure it holds; any other is compiled as text.
void VirtualMachine::LoadScriptFile(const std::string& path, bool raise_error) {
  NativeAPI api = GetNativeAPI();
  std::string text;
  if (!ReadScriptText(path, text)) {
    api.ThrowError(kCannotOpenTheFile);
    throw NativeAPIException("sqstd_loadfile", kCannotOpenTheFile);
  }
  if (IsCompiledScript(text)) {
    ReadCompiledScript(api, text);
  } else {
    CompileText(text, path, raise_error);
  }
}

void VirtualMachine::CompileText(const std::string& text, const std::string& source_name,
                                 bool raise_error) {
  NativeAPI api = GetNativeAPI();
  NestingGuardedReader reader(text);
  StackTopGuard guard(*this);
  try {
    api.Compile(NestingGuardedReader::Read, &reader, source_name, raise_error);
  } catch (const NativeAPIException&) {
    if (!reader.WasCut()) {
      if (stored_compile_error_) {
        const CompilerException& error = *stored_compile_error_;
        stored_compile_error_ = std::make_shared<CompilerException>(
            error.GetDescription(), error.GetSourceName(), error.GetLine(),
            CharacterColumn(text, error.GetLine(), error.GetColumn()));
      }
      throw;
    }
  }
  if (reader.WasCut()) {
    // The compiler saw only the text up to the cut; whatever it reported is not the reason.
    ClearStoredError();
    if (raise_error) {
      StoreCompileError(CompilerException(kTooDeeplyNested, source_name, reader.line(),
                                          CharacterColumn(text, reader.line(), reader.column())));
    }
    api.ThrowError(kTooDeeplyNested);
    throw NativeAPIException("sq_compile", kTooDeeplyNested);
  }
  guard.KeepResults(1);
}

// The engine's compilestring, loadfile and dofile compile without the guard; these take their
// places, with the same parameters and results. A compile error raised to the script names the
// source, line and column with the compiler's text, since the script's own report would name
// only the line that called the function; with print_error it stays the compile error that the
// program reports, as the engine's functions had it.
void VirtualMachine::RegisterGuardedCompileFunctions() {
  // compilestring(source, name = "unnamedbuffer")
  NewRootFunction("compilestring", -2, ".ss", [](VirtualMachine& machine) {
    NativeAPI api = machine.GetNativeAPI();
    const std::string name = api.GetTop() >= 3 ? api.GetString(3) : "unnamedbuffer";
    try {
      machine.CompileText(api.GetString(2), name, true);
    } catch (const NativeAPIException&) {
      return machine.FailCompileForScript(false);
    }
    return 1;
  });
  // loadfile(path, print_error = false)
  NewRootFunction("loadfile", -2, ".sb", [](VirtualMachine& machine) {
    NativeAPI api = machine.GetNativeAPI();
    const bool print_error = api.GetTop() >= 3 && api.GetBool(3);
    if (!machine.LoadScriptFileForScript(api.GetString(2)))
      return machine.FailCompileForScript(print_error);
    return 1;
  });
  // dofile(path, print_error = false): runs the file with the caller's `this`.
  NewRootFunction("dofile", -2, ".sb", [](VirtualMachine& machine) {
    NativeAPI api = machine.GetNativeAPI();
    const bool print_error = api.GetTop() >= 3 && api.GetBool(3);
    if (!machine.LoadScriptFileForScript(api.GetString(2)))
      return machine.FailCompileForScript(print_error);
    api.Push(1);
    try {
      api.Call(1, true, true);
    } catch (const NativeAPIException&) {
      return static_cast<int>(SQ_ERROR);
    }
    return 1;
  });
}

bool VirtualMachine::LoadScriptFileForScript(const std::string& path) {
  try {
    LoadScriptFile(path, true);
  } catch (const NativeAPIException&) {
    return false;
  }
  return true;
}

int VirtualMachine::FailCompileForScript(bool report_compile_error) {
  if (!stored_compile_error_ || report_compile_error) return static_cast<int>(SQ_ERROR);
  const std::string text = stored_compile_error_->GetCompileLine();
  ClearStoredError();
  return static_cast<int>(GetNativeAPI().ThrowError(text));
}

void VirtualMachine::NewRootFunction(const char* name, int parameter_count, const char* type_mask,
                                     const NativeFunction& function) {
  NewRootSlot(name, [&] {
    PushNativeClosure(function, name);
    GetNativeAPI().SetParamsCheck(parameter_count, type_mask);
  });
}

}  // namespace TtSquirrel
