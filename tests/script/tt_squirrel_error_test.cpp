// Compile errors, run-time errors and native callback failures against the real engine.
#include <memory>
#include <stdexcept>

#include "script_test_support.h"
#include "ttl/tt_string.h"

using namespace TtSquirrel;
using TarvaneTest::CatchException;
using TarvaneTest::ScratchFolder;

namespace {

class ScriptErrorTest : public TarvaneTest::ScriptHostTest {
protected:
  // Makes a root function of that name whose body is the native function.
  void DefineNative(const std::string& name, const NativeFunction& function) {
    machine.NewRootSlot(name, [&] { machine.PushNativeClosure(function, name); });
  }
};

}  // namespace

TEST_F(ScriptErrorTest, CompileErrorInAFileNamesThePathLineAndColumn) {
  ScratchFolder folder;
  std::string path = folder.Write("broken.nut", "local a = 1;\nlocal b = ;\n");
  auto error = CatchException<CompilerException>([&] { machine.DoFile(path, false); });
  EXPECT_EQ(error.GetMessageText(), "コンパイルエラー\r\n" + path +
                                        " : line = (2) : column = (12) : expression expected");
  EXPECT_FALSE(machine.HasStoredCompileError());
  EXPECT_EQ(Top(), 0);
}

TEST_F(ScriptErrorTest, FileThatCannotBeOpenedIsAFileExecutionError) {
  ScratchFolder folder;
  std::string missing = folder.Path() + "/missing.nut";
  auto error = CatchException<FileExecutionException>([&] { machine.DoFile(missing, false); });
  EXPECT_EQ(error.GetMessageText(), "ファイル実行エラー\r\nfile  : " + missing);
  EXPECT_THROW(machine.DoFile(folder.Path(), false), FileExecutionException);
  EXPECT_EQ(Top(), 0);
}

TEST_F(ScriptErrorTest, FileWithAJapaneseNameRunsAndIsNamedInTheProgramsSpelling) {
  ScratchFolder folder;
  std::string cp932_path = folder.Path() + "/拡張.nut";
  folder.Write(TtString::Cp932ToUtf8("拡張.nut"), "\xEF\xBB\xBFreturn 7;");
  machine.DoFile(cp932_path, true);
  EXPECT_EQ(Api().GetInteger(-1), 7);
  EXPECT_EQ(Top(), 1);

  folder.Write(TtString::Cp932ToUtf8("拡張.nut"), "return ;;)");
  auto compile_error =
      CatchException<CompilerException>([&] { machine.DoFile(cp932_path, false); });
  EXPECT_EQ(compile_error.GetSourceName(), cp932_path);

  folder.Write(TtString::Cp932ToUtf8("拡張.nut"), "local x = 1;\nthrow \"stop\";");
  auto runtime_error =
      CatchException<RuntimeException>([&] { machine.DoFile(cp932_path, true); });
  ASSERT_EQ(runtime_error.GetCallStack().size(), 1u);
  EXPECT_EQ(runtime_error.GetCallStack()[0].source_name, cp932_path);
  EXPECT_EQ(runtime_error.GetCallStack()[0].line, 2);
  EXPECT_EQ(Top(), 1);
}

TEST_F(ScriptErrorTest, RuntimeReportShowsTheCallStackInnermostFirstWithLocals) {
  Run("function g(n) {\n"
      "  local text = \"abc\"; local table = {}; local ratio = 2.5; local flag = true;\n"
      "  throw \"boom\";\n"
      "}\n"
      "function f() { local depth = 1; g(depth); return 0; }\n");
  auto error = CatchException<RuntimeException>([&] { CallRootFunction("f"); });
  EXPECT_EQ(error.GetErrorMessage(), "boom");
  const CallStack& stack = error.GetCallStack();
  ASSERT_GE(stack.size(), 2u);
  EXPECT_EQ(stack[0].function_name, "g");
  EXPECT_EQ(stack[0].source_name, "test");
  EXPECT_EQ(stack[0].line, 3);
  EXPECT_EQ(stack[1].function_name, "f");
  EXPECT_EQ(stack[1].line, 5);
  EXPECT_EQ(error.GetMessageText().rfind("実行時エラー\r\nException [boom]\r\n\r\nCall Stack"
                                         "\r\n[g()] test(3)\r\n  [flag] true",
                                         0),
            0u);
  std::string report = error.GetReport();
  EXPECT_NE(report.find("\r\n  [ratio] 2.5\r\n  [table] Table\r\n  [text] \"abc\""
                        "\r\n  [n] 1\r\n  [this] Table\r\n[f()] test(5)\r\n  [depth] 1"),
            std::string::npos)
      << report;
  // The error was taken: nothing stays stored.
  EXPECT_FALSE(machine.HasStoredRuntimeError());
  EXPECT_EQ(Top(), 0);
}

TEST_F(ScriptErrorTest, ThrownValueThatIsNotAStringShowsAsTheEngineWritesIt) {
  Run("function number() { throw 3.5; }\n"
      "class Problem { function _tostring() { return \"a problem\"; } }\n"
      "function instance() { throw Problem(); }\n");
  EXPECT_EQ(CatchException<RuntimeException>([&] { CallRootFunction("number"); })
                .GetErrorMessage(),
            "3.5");
  EXPECT_EQ(CatchException<RuntimeException>([&] { CallRootFunction("instance"); })
                .GetErrorMessage(),
            "a problem");
}

TEST_F(ScriptErrorTest, FailedCheckedCallInANativeFunctionBecomesTheScriptsError) {
  DefineNative("read_missing", [](VirtualMachine& vm) {
    vm.GetNativeAPI().PushRootTable();
    vm.Get([&] { vm.GetNativeAPI().PushRootTable(); }, "nothing_here");
    return 1;
  });
  DefineNative("fail_plainly", [](VirtualMachine&) -> int {
    throw NativeAPIException("sq_call", "message");
  });
  Run("function outer() { local value = read_missing(); return value; }\n"
      "function caught() { try { fail_plainly(); } catch (e) { return e; } }");
  auto error = CatchException<RuntimeException>([&] { CallRootFunction("outer"); });
  EXPECT_EQ(error.GetErrorMessage(),
            "Error in callback: sq_get:the index 'nothing_here' does not exist");
  // The engine has left the native function's frame when it reports the error.
  ASSERT_EQ(error.GetCallStack().size(), 1u);
  EXPECT_EQ(error.GetCallStack()[0].function_name, "outer");

  // Called directly, with no script frame in between, the engine raises no script error: the
  // failure is the call's own.
  auto direct = CatchException<NativeAPIException>([&] { CallRootFunction("read_missing"); });
  EXPECT_EQ(direct.GetCall(), "sq_call");
  EXPECT_EQ(direct.GetEngineMessage(),
            "Error in callback: sq_get:the index 'nothing_here' does not exist");

  machine.Call([&] { machine.PushRootSlot("caught"); },
               [this] {
                 PushRoot();
                 return 1;
               },
               true);
  EXPECT_EQ(Api().GetString(-1), "Error in callback: sq_call:message");
}

TEST_F(ScriptErrorTest, ScriptErrorsThrownByANativeFunctionAreStoredForTheCaller) {
  DefineNative("compile_bad", [](VirtualMachine& vm) {
    vm.CompileBuffer("local = ;", "inner");
    return 0;
  });
  DefineNative("run_bad", [](VirtualMachine& vm) {
    vm.RunBuffer("throw \"inner failure\";", "inner", [&] { vm.GetNativeAPI().PushRootTable(); },
                 false);
    return 0;
  });
  auto compile_error = CatchException<CompilerException>([&] { CallRootFunction("compile_bad"); });
  EXPECT_EQ(compile_error.GetSourceName(), "inner");
  auto runtime_error = CatchException<RuntimeException>([&] { CallRootFunction("run_bad"); });
  EXPECT_EQ(runtime_error.GetErrorMessage(), "inner failure");
  EXPECT_FALSE(machine.HasStoredCompileError());
  EXPECT_FALSE(machine.HasStoredRuntimeError());
}

TEST_F(ScriptErrorTest, StoredCompileErrorGoesFirstAndTheRuntimeErrorWaitsForTheNext) {
  machine.StoreRuntimeError(RuntimeException("later", {}));
  machine.StoreCompileError(CompilerException("first", "a.nut", 1, 1));
  EXPECT_THROW(machine.ThrowStoredError(), CompilerException);
  EXPECT_TRUE(machine.HasStoredRuntimeError());
  auto error = CatchException<RuntimeException>([&] { machine.ThrowStoredError(); });
  EXPECT_EQ(error.GetErrorMessage(), "later");
  EXPECT_NO_THROW(machine.ThrowStoredError());
}

TEST_F(ScriptErrorTest, CallingAValueThatIsNotCallableIsTheEnginesCallError) {
  auto error = CatchException<NativeAPIException>([&] {
    machine.Call([&] { Api().PushInteger(3); },
                 [this] {
                   PushRoot();
                   return 1;
                 },
                 false);
  });
  EXPECT_EQ(error.GetCall(), "sq_call");
  EXPECT_EQ(Top(), 0);
}

TEST_F(ScriptErrorTest, FailedCheckedCallWithoutAnErrorTextReportsANeutralText) {
  Api().ResetError();
  auto error = CatchException<NativeAPIException>([&] { Api().StackInfos(50); });
  EXPECT_EQ(error.GetCall(), "sq_stackinfos");
  EXPECT_EQ(error.GetEngineMessage(), "unknown error");

  Api().PushInteger(4);
  auto wrong_type = CatchException<NativeAPIException>([&] { Api().GetBool(-1); });
  EXPECT_EQ(wrong_type.GetMessageText(),
            "ネイティブ関数のエラー\r\nfunction : sq_getbool : wrong argument type, expected "
            "'Boolean' got 'Integer'");
}

TEST_F(ScriptErrorTest, OtherExceptionsOfNativeFunctionsReachTheNativeCallerIntact) {
  DefineNative("explode", [](VirtualMachine&) -> int { throw std::out_of_range("native"); });
  Run("function outer() { local unused = 1; explode(); }\n"
      "function swallowing() { try { explode(); } catch (e) {} return 1; }\n");
  EXPECT_THROW(CallRootFunction("outer"), std::out_of_range);
  // A script cannot swallow it either.
  EXPECT_THROW(CallRootFunction("swallowing"), std::out_of_range);
  EXPECT_FALSE(machine.HasStoredRuntimeError());
  EXPECT_FALSE(machine.HasPendingNativeException());
  // The engine's call frames were unwound properly: the machine goes on working.
  EXPECT_EQ(Top(), 0);
  Run("::after <- 5;");
  machine.PushRootSlot("after");
  EXPECT_EQ(Api().GetInteger(-1), 5);
}

TEST_F(ScriptErrorTest, UnregisteredEngineHandleIsAnInternalError) {
  auto error = CatchException<InternalException>([] { VirtualMachine::FindByHandle(nullptr); });
  EXPECT_EQ(error.GetModule(), "tt_squirrel_virtual_machine");
  EXPECT_EQ(&VirtualMachine::FindByHandle(machine.GetHandle()), &machine);
}
