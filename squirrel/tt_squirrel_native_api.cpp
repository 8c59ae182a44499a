#include "squirrel/tt_squirrel_native_api.h"

#include <sqstdblob.h>
#include <sqstdmath.h>
#include <sqstdstring.h>
#include <sqstdsystem.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "squirrel/tt_squirrel_object_type.h"
#include "squirrel/tt_squirrel_virtual_machine.h"

namespace TtSquirrel {

namespace {

// What a failure reports when the engine's last error is not a string (often null: the failing
// function set none), since reading it as a string would fail in turn.
const char* const kNoErrorText = "unknown error";

// "expected: 'function|function'" → "expected: 'function'".
void RemoveRepeatedExpectedTypes(std::string& text) {
  const std::string opening = "expected: '";
  const size_t start = text.find(opening);
  if (start == std::string::npos) return;
  const size_t first = start + opening.size();
  const size_t end = text.find('\'', first);
  if (end == std::string::npos) return;
  std::vector<std::string> names;
  for (size_t name_start = first; name_start <= end;) {
    size_t bar = std::min(text.find('|', name_start), end);
    std::string name = text.substr(name_start, bar - name_start);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    name_start = bar + 1;
  }
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : "|") + name;
  text.replace(first, end - first, joined);
}

}  // namespace

std::string TidyEngineText(std::string text) {
  for (size_t found = text.find("0x0x"); found != std::string::npos;
       found = text.find("0x0x", found)) {
    text.erase(found, 2);
  }
  RemoveRepeatedExpectedTypes(text);
  return text;
}

void NativeAPI::ThrowCallFailure(const char* call) const {
  // A native exception that the engine carried back to this call is the real cause.
  if (VirtualMachine* machine = VirtualMachine::FindRegistered(v())) {
    machine->RethrowPendingNativeException();
  }
  std::string text = kNoErrorText;
  sq_getlasterror(v());
  const SQChar* last_error = nullptr;
  if (sq_gettype(v(), -1) == OT_STRING && SQ_SUCCEEDED(sq_getstring(v(), -1, &last_error))) {
    text.assign(last_error, static_cast<std::size_t>(sq_getsize(v(), -1)));
  }
  sq_poptop(v());
  const SQObjectType callee = sq_gettype(v(), -1);
  if (text == kNoErrorText && std::strcmp(call, "sq_call") == 0 && callee != OT_CLOSURE &&
      callee != OT_NATIVECLOSURE && callee != OT_CLASS) {
    // A value that cannot be called fails without an error of its own; it is left on top.
    text = "the value called is " + ObjectType(static_cast<std::uint32_t>(callee)).GetTypeName() +
           ", not a function";
  }
  throw NativeAPIException(call, text);
}

void NativeAPI::ThrowWrongType(const char* call, const char* expected, SQInteger index) const {
  std::string actual = ObjectType(static_cast<std::uint32_t>(sq_gettype(v(), index))).GetTypeName();
  throw NativeAPIException(
      call, std::string("wrong argument type, expected '") + expected + "' got '" + actual + "'");
}

SQUserPointer NativeAPI::GetObjectTypeTag(const HSQOBJECT& object) {
  SQUserPointer tag = nullptr;
  if (SQ_FAILED(sq_getobjtypetag(&object, &tag))) {
    throw NativeAPIException("sq_getobjtypetag", "object is not instance or user data or class");
  }
  return tag;
}

SQUserPointer NativeAPI::GetBlob(SQInteger index) const {
  SQUserPointer data = nullptr;
  CheckResult(sqstd_getblob(v(), index, &data), "sqstd_getblob");
  return data;
}

void NativeAPI::RegisterBlobLib() const {
  CheckResult(sqstd_register_bloblib(v()), "sqstd_register_bloblib");
}

void NativeAPI::CreateFile(SQFILE file, bool own) const {
  CheckResult(sqstd_createfile(v(), file, own ? SQTrue : SQFalse), "sqstd_createfile");
}

SQFILE NativeAPI::GetFile(SQInteger index) const {
  SQFILE file = nullptr;
  CheckResult(sqstd_getfile(v(), index, &file), "sqstd_getfile");
  return file;
}

void NativeAPI::LoadFile(const std::string& path, bool print_error) const {
  CheckResult(sqstd_loadfile(v(), path.c_str(), print_error ? SQTrue : SQFalse), "sqstd_loadfile");
}

void NativeAPI::DoFile(const std::string& path, bool keep_result, bool print_error) const {
  CheckResult(sqstd_dofile(v(), path.c_str(), keep_result ? SQTrue : SQFalse,
                           print_error ? SQTrue : SQFalse),
              "sqstd_dofile");
}

void NativeAPI::WriteClosureToFile(const std::string& path) const {
  CheckResult(sqstd_writeclosuretofile(v(), path.c_str()), "sqstd_writeclosuretofile");
}

void NativeAPI::RegisterIOLib() const {
  CheckResult(sqstd_register_iolib(v()), "sqstd_register_iolib");
}

// The system library reports no result.
void NativeAPI::RegisterSystemLib() const { sqstd_register_systemlib(v()); }

void NativeAPI::RegisterMathLib() const {
  CheckResult(sqstd_register_mathlib(v()), "sqstd_register_mathlib");
}

std::string NativeAPI::Format(SQInteger format_index) const {
  SQInteger length = 0;
  SQChar* output = nullptr;
  CheckResult(sqstd_format(v(), format_index, &length, &output), "sqstd_format");
  return std::string(output, static_cast<std::size_t>(length));
}

void NativeAPI::RegisterStringLib() const {
  CheckResult(sqstd_register_stringlib(v()), "sqstd_register_stringlib");
}

}  // namespace TtSquirrel
