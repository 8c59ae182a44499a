#include "squirrel/tt_squirrel_exception.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace TtSquirrel;

namespace {

ObjectType TypeOf(ObjectTypeCode code) { return ObjectType(code); }

}  // namespace

// Each exception's log message (class with its namespace) and user text (label and spacing).
TEST(TtSquirrelExceptionTest, EveryClassHasItsLogMessageAndUserText) {
  struct Case {
    std::shared_ptr<Exception> error;
    std::string message;
    std::string text;
  };
  const Case cases[] = {
      {std::make_shared<InternalException>("m", 3), "TtSquirrel::InternalException : m(3)",
       "内部エラー\r\nfile : m(3)"},
      {std::make_shared<NativeAPIException>("sq_get", "no 'x'"),
       "TtSquirrel::NativeAPIException : sq_get : no 'x'",
       "ネイティブ関数のエラー\r\nfunction : sq_get : no 'x'"},
      {std::make_shared<RuntimeException>("boom", CallStack{}),
       "TtSquirrel::RuntimeException : boom", "実行時エラー\r\nException [boom]\r\n\r\nCall Stack"},
      {std::make_shared<FileExecutionException>("/tmp/a.nut"),
       "TtSquirrel::FileExecutionException : /tmp/a.nut",
       "ファイル実行エラー\r\nfile  : /tmp/a.nut"},
      {std::make_shared<GetOperationException>("integer : 5"),
       "TtSquirrel::GetOperationException : integer : 5", "get 操作エラー\r\nkey  : integer : 5"},
      {std::make_shared<SetOperationException>("string : k"),
       "TtSquirrel::SetOperationException : string : k", "set 操作エラー\r\nkey  : string : k"},
      {std::make_shared<ObjectTypeException>(TypeOf(ObjectTypeCode::Array),
                                             TypeOf(ObjectTypeCode::String)),
       "TtSquirrel::ObjectTypeException : actual = Array : require = String",
       "オブジェクトタイプエラー\r\nactual  : Array\r\nrequire : String"},
      {std::make_shared<ObjectHasNotSlotException>(TypeOf(ObjectTypeCode::Integer)),
       "TtSquirrel::ObjectHasNotSlotException : actual = Integer",
       "非スロット持オブジェクトエラー\r\nactual  : Integer"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.error->Message(), c.message);
    EXPECT_EQ(c.error->GetMessageText(), c.text) << c.message;
    // Every script error is caught as a toolkit exception too.
    EXPECT_STREQ(static_cast<const TtException&>(*c.error).what(), "TtException");
  }
  EXPECT_EQ(Exception().GetMessageText(), "エラー");
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
  EXPECT_EQ(
      error.Message(),
      "TtSquirrel::CompilerException : main.nut : line = (12) : column = (34) : expected ';'");
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
