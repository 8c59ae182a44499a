#include "script/tt_squirrel_exception.h"

#include <gtest/gtest.h>

using namespace TtSquirrel;

namespace {

ObjectType TypeOf(ObjectTypeCode code) { return ObjectType(code); }

}  // namespace

TEST(TtSquirrelExceptionTest, UserTextsKeepTheirLabelsAndSpacing) {
  EXPECT_EQ(Exception().GetMessageText(), "エラー");
  EXPECT_EQ(InternalException("tt_squirrel_virtual_machine", 42).GetMessageText(),
            "内部エラー\r\nfile : tt_squirrel_virtual_machine(42)");
  EXPECT_EQ(NativeAPIException("sq_get", "the index 'x' does not exist").GetMessageText(),
            "ネイティブ関数のエラー\r\nfunction : sq_get : the index 'x' does not exist");
  EXPECT_EQ(FileExecutionException("/tmp/a.nut").GetMessageText(),
            "ファイル実行エラー\r\nfile  : /tmp/a.nut");
  EXPECT_EQ(GetOperationException("integer : 5").GetMessageText(),
            "get 操作エラー\r\nkey  : integer : 5");
  EXPECT_EQ(SetOperationException("string : name").GetMessageText(),
            "set 操作エラー\r\nkey  : string : name");
  EXPECT_EQ(ObjectTypeException(TypeOf(ObjectTypeCode::Array), TypeOf(ObjectTypeCode::String))
                .GetMessageText(),
            "オブジェクトタイプエラー\r\nactual  : Array\r\nrequire : String");
  EXPECT_EQ(ObjectHasNotSlotException(TypeOf(ObjectTypeCode::Integer)).GetMessageText(),
            "非スロット持オブジェクトエラー\r\nactual  : Integer");
}

TEST(TtSquirrelExceptionTest, LogMessagesNameTheClassWithItsNamespace) {
  EXPECT_EQ(InternalException("m", 3).Message(), "TtSquirrel::InternalException : m(3)");
  EXPECT_EQ(NativeAPIException("sq_call", "boom").Message(),
            "TtSquirrel::NativeAPIException : sq_call : boom");
  EXPECT_EQ(CompilerException("expected ';'", "a.nut", 2, 7).Message(),
            "TtSquirrel::CompilerException : a.nut : line = (2) : column = (7) : expected ';'");
  EXPECT_EQ(RuntimeException("boom", {}).Message(), "TtSquirrel::RuntimeException : boom");
  EXPECT_EQ(FileExecutionException("a.nut").Message(),
            "TtSquirrel::FileExecutionException : a.nut");
  EXPECT_EQ(GetOperationException("string : k").Message(),
            "TtSquirrel::GetOperationException : string : k");
  EXPECT_EQ(SetOperationException("string : k").Message(),
            "TtSquirrel::SetOperationException : string : k");
  EXPECT_EQ(ObjectTypeException(TypeOf(ObjectTypeCode::Null), TypeOf(ObjectTypeCode::Table))
                .Message(),
            "TtSquirrel::ObjectTypeException : actual = Null : require = Table");
  EXPECT_EQ(ObjectHasNotSlotException(TypeOf(ObjectTypeCode::Array)).Message(),
            "TtSquirrel::ObjectHasNotSlotException : actual = Array");
  // Every script error is caught as a toolkit exception too.
  const TtException& root = FileExecutionException("a.nut");
  EXPECT_STREQ(root.what(), "TtException");
}

TEST(TtSquirrelExceptionTest, TypeNamesFollowTheEngineCodes) {
  EXPECT_EQ(TypeOf(ObjectTypeCode::Bool).GetTypeName(), "Boolean");
  EXPECT_EQ(TypeOf(ObjectTypeCode::WeakReference).GetTypeName(), "WeakReferrence");
  EXPECT_EQ(TypeOf(ObjectTypeCode::NativeClosure).GetTypeName(), "NativeClosure");
  EXPECT_EQ(ObjectType(std::uint32_t{0x12345}).GetTypeName(), "Unknown");
  EXPECT_TRUE(TypeOf(ObjectTypeCode::Table).CanHoldSlots());
  EXPECT_TRUE(TypeOf(ObjectTypeCode::Class).CanHoldSlots());
  EXPECT_TRUE(TypeOf(ObjectTypeCode::Instance).CanHoldSlots());
  EXPECT_FALSE(TypeOf(ObjectTypeCode::Array).CanHoldSlots());
  EXPECT_FALSE(TypeOf(ObjectTypeCode::UserData).CanHoldSlots());
}

TEST(TtSquirrelExceptionTest, CompileLineIsCutToItsBufferWithoutSplittingACharacter) {
  CompilerException error("expected ';'", "main.nut", 12, 34);
  EXPECT_EQ(error.GetMessageText(),
            "コンパイルエラー\r\nmain.nut : line = (12) : column = (34) : expected ';'");

  // "あ" is two bytes in CP932; the prefix "x : line = (1) : column = (1) : " is 32 bytes, so a
  // description of double-byte characters reaches byte 1023 in the middle of a character.
  std::string description;
  for (int i = 0; i < 600; ++i) {
    description += "あ";
  }
  std::string line = CompilerException(description, "x", 1, 1).GetCompileLine();
  EXPECT_EQ(line.size(), 1022u);
  EXPECT_EQ(line.substr(line.size() - 2), "あ");
}

TEST(TtSquirrelExceptionTest, RuntimeReportListsFramesInnermostFirstWithTheirLocals) {
  CallStack stack;
  stack.push_back({"g", "test.nut", 2, {{"s", "\"text\""}, {"this", "Table"}}});
  stack.push_back({"f", "test.nut", 5, {}});
  RuntimeException error("boom", stack);
  EXPECT_EQ(error.GetReport(),
            "Exception [boom]\r\n\r\nCall Stack"
            "\r\n[g()] test.nut(2)\r\n  [s] \"text\"\r\n  [this] Table"
            "\r\n[f()] test.nut(5)");
  EXPECT_EQ(error.GetMessageText(), "実行時エラー\r\n" + error.GetReport());
}
