// Slot operations and the stack discipline: every operation leaves exactly its documented result,
// also when it throws.
#include <functional>
#include <vector>

#include "tests/squirrel/squirrel_test_support.h"

using namespace TtSquirrel;
using TarvaneTest::CatchException;

namespace {

class ScriptStackTest : public TarvaneTest::ScriptHostTest {
protected:
  ScriptStackTest() {
    Run("::data <- { inner = { value = 42 }, list = [10, 20] };\n"
        "class Shape { name = null; }\n"
        "::shape <- Shape();\n"
        "function twice(n) { return n * 2; }\n"
        "function fail() { throw \"failed\"; }\n");
  }

  Pusher Root() {
    return [this] { PushRoot(); };
  }
  Pusher RootSlot(const std::string& name) {
    return [this, name] { machine.PushRootSlot(name); };
  }
};

struct Operation {
  const char* name;
  std::function<void()> run;
  int results;
};

}  // namespace

TEST_F(ScriptStackTest, EveryOperationLeavesOnlyItsResultAlsoWhenItThrows) {
  auto call_root = [this](const std::string& name, bool keep) {
    machine.Call(
        RootSlot(name),
        [this] {
          PushRoot();
          Api().PushInteger(4);
          return 2;
        },
        keep);
  };
  std::vector<Operation> operations = {
      {"Call keeping", [&] { call_root("twice", true); }, 1},
      {"Call discarding", [&] { call_root("twice", false); }, 0},
      {"Call failing", [&] { call_root("fail", true); }, 0},
      {"Call of a missing callee", [&] { call_root("missing", true); }, 0},
      {"RunBuffer", [&] { machine.RunBuffer("return 1;", "t", Root(), true); }, 1},
      {"RunBuffer not compiling", [&] { machine.RunBuffer("return ;;)", "t", Root(), true); }, 0},
      {"CompileBuffer", [&] { machine.CompileBuffer("return 1;", "t"); }, 1},
      {"PushRootSlot", [&] { machine.PushRootSlot("data"); }, 1},
      {"PushRootSlot missing", [&] { machine.PushRootSlot("missing"); }, 0},
      {"PushPath",
       [&] {
         machine.PushPath({"data", "inner", "value"});
       },
       1},
      {"PushPath missing",
       [&] {
         machine.PushPath({"data", "missing", "value"});
       },
       0},
      {"GetSlot", [&] { machine.GetSlot(-1, "inner"); }, 1},
      {"GetSlot missing", [&] { machine.GetSlot(-1, 5); }, 0},
      {"Get", [&] { machine.Get(RootSlot("data"), "list"); }, 1},
      {"Get missing", [&] { machine.Get(RootSlot("data"), "missing"); }, 0},
      {"NewSlot", [&] { machine.NewSlot(RootSlot("data"), "added", 1, false); }, 0},
      {"NewSlot on an array", [&] { machine.NewSlot(-1, "added", nullptr, false); }, 0},
      {"NewRootSlot", [&] { machine.NewRootSlot("fresh", [&] { Api().NewTable(); }); }, 0},
      {"SetSlot", [&] { machine.SetSlot(-1, "inner", [&] { Api().PushNull(); }); }, 0},
      {"SetSlot missing", [&] { machine.SetSlot(-1, "missing_slot", [&] { Api().PushNull(); }); },
       0},
      {"ArrayAppend", [&] { machine.ArrayAppend(RootSlot("data"), [&] { Api().PushNull(); }); }, 0},
      {"InstanceOf", [&] { machine.InstanceOf(RootSlot("Shape"), RootSlot("shape")); }, 0},
      {"InstanceOf a table", [&] { machine.InstanceOf(RootSlot("Shape"), -1); }, 0},
      {"PushNativeClosure",
       [&] { machine.PushNativeClosure([](VirtualMachine&) { return 0; }, "f"); }, 1},
  };
  for (const Operation& operation : operations) {
    SCOPED_TRACE(operation.name);
    Api().SetTop(0);
    // A container below, so that the index operations have something to work on.
    std::string name = operation.name;
    if (name.find("on an array") != std::string::npos || name == "InstanceOf a table") {
      machine.Get(RootSlot("data"), "list");
    } else {
      machine.PushRootSlot("data");
    }
    try {
      operation.run();
    } catch (const TtSquirrel::Exception&) {
    }
    EXPECT_EQ(Top(), 1 + operation.results);
  }
}

TEST_F(ScriptStackTest, ResultsAreTheValuesAsked) {
  machine.Call(
      RootSlot("twice"),
      [this] {
        PushRoot();
        Api().PushInteger(21);
        return 2;
      },
      true);
  EXPECT_EQ(Api().GetInteger(-1), 42);
  machine.PushPath({"data", "inner", "value"});
  EXPECT_EQ(Api().GetInteger(-1), 42);
  machine.Get(RootSlot("data"), "list");
  machine.GetSlot(-1, 1);
  EXPECT_EQ(Api().GetInteger(-1), 20);
  // Through the default delegate, as the engine's get does.
  machine.Get(RootSlot("data"), "len");
  EXPECT_EQ(machine.GetType(-1), ObjectType(ObjectTypeCode::NativeClosure));
}

TEST_F(ScriptStackTest, MissingSlotsNameTheirKey) {
  machine.Get(RootSlot("data"), "list");
  auto by_integer = CatchException<GetOperationException>([&] { machine.GetSlot(-1, 5); });
  EXPECT_EQ(by_integer.GetKeyText(), "integer : 5");
  auto by_name = CatchException<GetOperationException>([&] {
    machine.PushPath({"data", "process_function"});
  });
  EXPECT_EQ(by_name.GetMessageText(), "get 操作エラー\r\nkey  : string : process_function");
  auto by_get = CatchException<NativeAPIException>([&] { machine.PushRootSlot("SubMenu"); });
  EXPECT_EQ(by_get.GetCall(), "sq_get");
  EXPECT_EQ(by_get.GetEngineMessage(), "the index 'SubMenu' does not exist");
}

TEST_F(ScriptStackTest, NewSlotNeedsAValueThatHoldsSlots) {
  auto error = CatchException<ObjectHasNotSlotException>(
      [&] { machine.NewSlot(RootSlot("twice"), "x", "text", false); });
  EXPECT_EQ(error.GetActualType(), ObjectType(ObjectTypeCode::Closure));
  machine.Get(RootSlot("data"), "list");
  auto on_array =
      CatchException<ObjectHasNotSlotException>([&] { machine.NewSlot(-1, "x", 0, false); });
  std::string text = on_array.GetMessageText();
  EXPECT_EQ(text.substr(text.size() - 15), "actual  : Array");
}

TEST_F(ScriptStackTest, NewSlotTakesEveryKindOfValue) {
  machine.NewSlot(RootSlot("data"), "text", "abc", false);
  machine.NewSlot(RootSlot("data"), "number", 12, false);
  machine.NewSlot(RootSlot("data"), "nothing", nullptr, false);
  machine.NewSlot(
      RootSlot("data"), "pushed", [&] { Api().PushFloat(1.5f); }, false);
  machine.NewSlot(RootSlot("Shape"), "count", 3, true);
  Run("::check <- data.text == \"abc\" && data.number == 12 && data.nothing == null"
      " && data.pushed == 1.5 && Shape.count == 3;");
  machine.PushRootSlot("check");
  EXPECT_TRUE(Api().GetBool(-1));
}

TEST_F(ScriptStackTest, SetSlotAssignsButDoesNotCreate) {
  machine.PushRootSlot("data");
  machine.SetSlot(-1, "inner", [&] { Api().PushInteger(9); });
  machine.GetSlot(-1, "inner");
  EXPECT_EQ(Api().GetInteger(-1), 9);
  auto error = CatchException<NativeAPIException>(
      [&] { machine.SetSlot(-2, "brand_new", [&] { Api().PushInteger(1); }); });
  EXPECT_EQ(error.GetCall(), "sq_set");
}

TEST_F(ScriptStackTest, InstanceTestIsTheEnginesAndRejectsNonInstances) {
  EXPECT_TRUE(machine.InstanceOf(RootSlot("Shape"), RootSlot("shape")));
  Run("class Other {} ::other <- Other();");
  EXPECT_FALSE(machine.InstanceOf(RootSlot("Shape"), RootSlot("other")));
  auto error = CatchException<NativeAPIException>(
      [&] { machine.InstanceOf(RootSlot("Shape"), RootSlot("data")); });
  EXPECT_EQ(error.GetCall(), "sq_instanceof");
  EXPECT_EQ(error.GetEngineMessage(), "invalid param type");
}

TEST_F(ScriptStackTest, ArrayAppendAddsAtTheEnd) {
  machine.ArrayAppend([&] { machine.PushPath({"data", "list"}); }, [&] { Api().PushInteger(30); });
  machine.PushPath({"data", "list"});
  EXPECT_EQ(Api().GetSize(-1), 3);
  machine.GetSlot(-1, 2);
  EXPECT_EQ(Api().GetInteger(-1), 30);
}

TEST_F(ScriptStackTest, StandardLibrariesAreRegistered) {
  Run("::results <- [format(\"%03d\", 7), sqrt(16).tointeger(), blob(4).len(),"
      " typeof clock(), typeof file];\n"
      "print(\"goes nowhere\"); error(\"goes nowhere\");");
  machine.PushPath({"results"});
  std::vector<std::string> texts;
  for (int i = 0; i < 5; ++i) {
    machine.GetSlot(-1, i);
    Api().ToString(-1);
    texts.push_back(Api().GetString(-1));
    Api().Pop(2);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"007", "4", "4", "float", "class"}));
}
