// Compile errors, run-time errors and native callback failures against the real engine.
#include <memory>
#include <stdexcept>

#include "tests/squirrel/squirrel_test_support.h"
#include "ttl/core/tt_string.h"

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
  EXPECT_EQ(error.GetMessageText(),
            "コンパイルエラー\r\n" + path + " : line = (2) : column = (12) : expression expected");
  EXPECT_FALSE(machine.HasStoredCompileError());
  EXPECT_EQ(Top(), 0);
}

// A Japanese character is one column, though CP932 writes it in two bytes.
TEST_F(ScriptErrorTest, CompileErrorColumnsCountCharacters) {
  ScratchFolder folder;
  std::string japanese = folder.Write("japanese.nut", "local s = \"日本語\"; local = 1;\n");
  std::string ascii = folder.Write("ascii.nut", "local s = \"abc\"; local = 1;\n");
  auto japanese_error = CatchException<CompilerException>([&] { machine.DoFile(japanese, false); });
  auto ascii_error = CatchException<CompilerException>([&] { machine.DoFile(ascii, false); });
  EXPECT_EQ(japanese_error.GetColumn(), ascii_error.GetColumn());
  EXPECT_EQ(japanese_error.GetDescription(), ascii_error.GetDescription());
}

// The error that compilestring, loadfile and dofile raise to the script names the source, line
// and column, which the script's own report (the line that called them) cannot.
TEST_F(ScriptErrorTest, ScriptFunctionsThatCompileRaiseTheErrorWithItsPlace) {
  ScratchFolder folder;
  const std::string broken = folder.Write("broken.nut", "local a = 1;\nlocal b = ;\n");
  machine.NewRootSlot("broken_path", [&] { Api().PushString(broken); });
  Run("::caught <- [];"
      "foreach (f in [@() compilestring(\"local = 1;\", \"text\"), @() loadfile(::broken_path),"
      "               @() dofile(::broken_path)]) {"
      "  try { f(); } catch (e) { ::caught.append(e); }"
      "}"
      "::caught = ::caught[0] + \"|\" + ::caught[1] + \"|\" + ::caught[2];");
  machine.PushRootSlot("caught");
  const std::string in_file = broken + " : line = (2) : column = (12) : expression expected";
  EXPECT_EQ(Api().GetString(-1),
            "text : line = (1) : column = (7) : expected 'IDENTIFIER'|" + in_file + "|" + in_file);
  Api().Pop(1);
  EXPECT_FALSE(machine.HasStoredCompileError());
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
  auto runtime_error = CatchException<RuntimeException>([&] { machine.DoFile(cp932_path, true); });
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
  EXPECT_EQ(CatchException<RuntimeException>([&] { CallRootFunction("number"); }).GetErrorMessage(),
            "3.5");
  EXPECT_EQ(
      CatchException<RuntimeException>([&] { CallRootFunction("instance"); }).GetErrorMessage(),
      "a problem");
}

TEST_F(ScriptErrorTest, FailedCheckedCallInANativeFunctionBecomesTheScriptsError) {
  DefineNative("read_missing", [](VirtualMachine& vm) {
    vm.GetNativeAPI().PushRootTable();
    vm.Get([&] { vm.GetNativeAPI().PushRootTable(); }, "nothing_here");
    return 1;
  });
  DefineNative("fail_plainly",
               [](VirtualMachine&) -> int { throw NativeAPIException("sq_call", "message"); });
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
    vm.RunBuffer(
        "throw \"inner failure\";", "inner", [&] { vm.GetNativeAPI().PushRootTable(); }, false);
    return 0;
  });
  auto compile_error = CatchException<CompilerException>([&] { CallRootFunction("compile_bad"); });
  EXPECT_EQ(compile_error.GetSourceName(), "inner");
  auto runtime_error = CatchException<RuntimeException>([&] { CallRootFunction("run_bad"); });
  EXPECT_EQ(runtime_error.GetErrorMessage(), "inner failure");
  EXPECT_FALSE(machine.HasStoredCompileError());
  EXPECT_FALSE(machine.HasStoredRuntimeError());
}

// An error that waits would be shown for a later, unrelated failure.
TEST_F(ScriptErrorTest, OneErrorIsStoredAtATimeAndTakingItLeavesNone) {
  machine.StoreRuntimeError(RuntimeException("earlier", {}));
  machine.StoreCompileError(CompilerException("later", "a.nut", 1, 1));
  EXPECT_FALSE(machine.HasStoredRuntimeError());
  auto error = CatchException<CompilerException>([&] { machine.ThrowStoredError(); });
  EXPECT_EQ(error.GetDescription(), "later");
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

// A script function that a native function calls fails: the report is made where the error was
// raised, and the levels it passes on the way out keep it.
TEST_F(ScriptErrorTest, AnErrorRaisedUnderANativeFunctionKeepsTheFrameThatRaisedIt) {
  DefineNative("call_back", [](VirtualMachine& vm) {
    vm.Call([&] { vm.GetNativeAPI().Push(2); },
            [&] {
              vm.GetNativeAPI().PushRootTable();
              return 1;
            },
            false);
    return 0;
  });
  Run("function raiser() { local depth = \"inner\"; throw \"deep\"; }\n"
      "function outer() { call_back(raiser); }\n");
  auto error = CatchException<RuntimeException>([&] { CallRootFunction("outer"); });
  EXPECT_EQ(error.GetErrorMessage(), "deep");
  ASSERT_GE(error.GetCallStack().size(), 2u);
  EXPECT_EQ(error.GetCallStack()[0].function_name, "raiser");
  EXPECT_EQ(error.GetCallStack()[0].locals.at(0).value_text, "\"inner\"");
  // Then the native function, then the script function that called it.
  EXPECT_EQ(error.GetCallStack()[1].function_name, "call_back");
  EXPECT_EQ(error.GetCallStack()[2].function_name, "outer");

  // Caught and thrown again by the script, it is still that error.
  Run("function rethrower() { try { call_back(raiser); } catch (e) { throw e; } }");
  error = CatchException<RuntimeException>([&] { CallRootFunction("rethrower"); });
  EXPECT_EQ(error.GetCallStack()[0].function_name, "raiser");
  // Caught and followed by another error, the other one is reported.
  Run("function replacer() { try { call_back(raiser); } catch (e) {} throw \"second\"; }");
  error = CatchException<RuntimeException>([&] { CallRootFunction("replacer"); });
  EXPECT_EQ(error.GetErrorMessage(), "second");
  EXPECT_EQ(error.GetCallStack()[0].function_name, "replacer");
}

// Errors that a script caught are not shown for a later failure that stores no error of its own.
TEST_F(ScriptErrorTest, ErrorsThatTheScriptHandledAreForgotten) {
  DefineNative("call_back", [](VirtualMachine& vm) {
    vm.Call([&] { vm.GetNativeAPI().Push(2); },
            [&] {
              vm.GetNativeAPI().PushRootTable();
              return 1;
            },
            false);
    return 0;
  });
  ScratchFolder folder;
  const std::string broken = folder.Write("broken.nut", "local = ;");
  Run("try { call_back(function() { throw \"handled\"; }); } catch (e) {}\n"
      "try { loadfile(\"" +
      broken + "\", true); } catch (e) {}\n");
  EXPECT_FALSE(machine.HasStoredCompileError());
  EXPECT_FALSE(machine.HasStoredRuntimeError());
  auto call_error = CatchException<NativeAPIException>([&] {
    machine.Call([&] { Api().PushInteger(3); },
                 [this] {
                   PushRoot();
                   return 1;
                 },
                 false);
  });
  EXPECT_EQ(call_error.GetCall(), "sq_call");

  // Within one script run: the compile error it caught does not stand in for its own error.
  auto runtime_error = CatchException<RuntimeException>(
      [&] { Run("try { loadfile(\"" + broken + "\", true); } catch (e) {}\nthrow \"real\";"); });
  EXPECT_EQ(runtime_error.GetErrorMessage(), "real");
  // Not caught, the compile error is the report.
  auto compile_error =
      CatchException<CompilerException>([&] { Run("loadfile(\"" + broken + "\", true);"); });
  EXPECT_EQ(compile_error.GetSourceName(), broken);
}

TEST_F(ScriptErrorTest, CompiledScriptFilesRunLikeTheirSource) {
  ScratchFolder folder;
  const std::string compiled = folder.Path() + "/compiled.cnut";
  Run("writeclosuretofile(\"" + compiled +
      "\", compilestring(\"local x = 6;\\nif (this.rawin(\\\"stop\\\")) throw \\\"stopped\\\";\\n"
      "return x * 7;\", \"source.nut\"));");
  machine.DoFile(compiled, true);
  EXPECT_EQ(Api().GetInteger(-1), 42);
  Api().Pop(1);
  // The scripts' own functions read them too.
  Run("::loaded <- loadfile(\"" + compiled + "\")(); ::done <- dofile(\"" + compiled + "\");");
  machine.PushRootSlot("done");
  EXPECT_EQ(Api().GetInteger(-1), 42);
  Api().Pop(1);

  Run("::stop <- true;");
  auto error = CatchException<RuntimeException>([&] { machine.DoFile(compiled, false); });
  EXPECT_EQ(error.GetErrorMessage(), "stopped");
  EXPECT_EQ(error.GetCallStack().at(0).source_name, "source.nut");
  // A damaged one is a file that cannot be run.
  folder.Write("damaged.cnut",
               "\xFA\xFA"
               "damaged");
  EXPECT_THROW(machine.DoFile(folder.Path() + "/damaged.cnut", false), FileExecutionException);
  EXPECT_EQ(Top(), 0);
}

// Nesting deeper than the compiler can descend is a compile error, whatever makes it deep; the
// program goes on.
TEST_F(ScriptErrorTest, NestingTooDeepForTheCompilerIsACompileError) {
  const int depth = 20000;
  ScratchFolder folder;
  const std::string parentheses = folder.Write(
      "parentheses.nut", "return " + std::string(depth, '(') + "1" + std::string(depth, ')') + ";");
  auto error = CatchException<CompilerException>([&] { machine.DoFile(parentheses, false); });
  EXPECT_EQ(error.GetDescription(), "the text is nested too deeply");
  EXPECT_EQ(error.GetSourceName(), parentheses);
  EXPECT_EQ(error.GetLine(), 1);
  EXPECT_GT(error.GetColumn(), 100);

  std::string else_ifs = "local a = 1; if (a == 0) a = 0;";
  for (int i = 0; i < depth; ++i) else_ifs += " else if (a == 1) a = 2;";
  for (const std::string& text :
       {std::string("return ") + std::string(depth * 5, '!') + "1;", else_ifs}) {
    error = CatchException<CompilerException>([&] { machine.CompileBuffer(text, "deep"); });
    EXPECT_EQ(error.GetDescription(), "the text is nested too deeply");
  }
  // Through the scripts' own compile, the error a script can catch.
  machine.NewRootSlot("deep_text", [&] { Api().PushString("return " + std::string(depth, '(')); });
  Run("::caught <- \"\"; try { compilestring(::deep_text); } catch (e) { ::caught = e; }");
  machine.PushRootSlot("caught");
  const std::string caught = Api().GetString(-1);
  EXPECT_TRUE(caught.starts_with("unnamedbuffer : line = (1) : column = (")) << caught;
  EXPECT_TRUE(caught.ends_with(") : the text is nested too deeply")) << caught;
  Api().Pop(1);

  // Nesting that scripts really use compiles as before.
  machine.DoFile(folder.Write("nested.nut", "return " + std::string(200, '(') + "1" +
                                                std::string(200, ')') + ";"),
                 true);
  EXPECT_EQ(Api().GetInteger(-1), 1);
}
