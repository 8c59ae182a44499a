// Object handles, native closures and type tags.
#include <memory>

#include "squirrel/tt_squirrel_type_tag.h"
#include "tests/squirrel/squirrel_test_support.h"

using namespace TtSquirrel;
using TarvaneTest::CatchException;

namespace {

class ScriptObjectTest : public TarvaneTest::ScriptHostTest {
protected:
  // The engine's reference count of the value an Object holds.
  SQUnsignedInteger ReferenceCount(const Object& object) {
    machine.PushObject(object);
    HSQOBJECT handle = Api().GetStackObject(-1);
    Api().PopTop();
    return Api().GetRefCount(handle);
  }
};

struct NativeThing {};
struct OtherThing {};

}  // namespace

TEST_F(ScriptObjectTest, HeldReferencesFollowCopiesAssignmentsAndDestruction) {
  Api().NewTable();
  Object held = machine.GetTopObject(true);
  Object unheld = machine.GetTopObject(false);
  Api().PopTop();
  EXPECT_EQ(ReferenceCount(held), 1u);
  {
    Object copy = held;
    EXPECT_EQ(ReferenceCount(held), 2u);
    Object assigned = machine.MakeNullObject(true);
    assigned = held;
    EXPECT_EQ(ReferenceCount(held), 3u);
    assigned = assigned;
    EXPECT_EQ(ReferenceCount(held), 3u);
    Object moved = std::move(copy);
    EXPECT_EQ(ReferenceCount(held), 3u);
  }
  EXPECT_EQ(ReferenceCount(held), 1u);
  // An Object without a reference adds none.
  Object unheld_copy = unheld;
  EXPECT_EQ(ReferenceCount(held), 1u);
  EXPECT_FALSE(unheld_copy.HoldsReference());
  EXPECT_TRUE(unheld == held);
}

TEST_F(ScriptObjectTest, HeldValueOutlivesTheScriptsOwnReference) {
  Run("::kept <- { text = \"alive\" };");
  machine.PushRootSlot("kept");
  Object kept = machine.GetTopObject(true);
  Api().SetTop(0);
  Run("::kept <- null;");
  machine.Get([&] { machine.PushObject(kept); }, "text");
  EXPECT_EQ(Api().GetString(-1), "alive");
}

TEST_F(ScriptObjectTest, EqualityIsSameValueAndConversionsAreTheEngines) {
  Api().NewTable();
  Api().NewTable();
  EXPECT_FALSE(machine.GetObject(-1, false) == machine.GetObject(-2, false));
  EXPECT_TRUE(machine.GetObject(-1, false) == machine.GetObject(-1, true));

  Api().PushString("text");
  Api().PushInteger(12);
  Api().PushFloat(2.5f);
  EXPECT_EQ(machine.GetObject(-3, true).ToString(), "text");
  EXPECT_EQ(machine.GetObject(-2, true).ToInteger(), 12);
  EXPECT_EQ(machine.GetObject(-1, true).ToFloat(), 2.5f);
  EXPECT_EQ(machine.GetObject(-1, true).ToInteger(), 2);
  EXPECT_TRUE(machine.MakeNullObject(false).IsNull());
  auto error = CatchException<ObjectTypeException>([&] { machine.GetObject(-2, true).ToString(); });
  EXPECT_EQ(error.GetMessageText(),
            "オブジェクトタイプエラー\r\nactual  : Integer\r\nrequire : String");
}

TEST_F(ScriptObjectTest, NativeClosureSeesThisAndArgumentsAndFreesItsFunction) {
  auto token = std::make_shared<int>(0);
  long long seen_top = 0;
  machine.NewRootSlot("native", [&] {
    machine.PushNativeClosure(
        [token, &seen_top](VirtualMachine& vm) {
          NativeAPI api = vm.GetNativeAPI();
          seen_top = api.GetTop();
          api.PushInteger(api.GetInteger(2) + api.GetInteger(3));
          return 1;
        },
        "native");
  });
  EXPECT_EQ(token.use_count(), 2);
  Run("::sum <- native(3, 4);");
  EXPECT_EQ(seen_top, 3);
  machine.PushRootSlot("sum");
  EXPECT_EQ(Api().GetInteger(-1), 7);
  Run("::native <- null;");
  // The engine freed the closure and with it the function's copy.
  EXPECT_EQ(token.use_count(), 1);
}

TEST_F(ScriptObjectTest, ParameterChecksAreTheEngines) {
  machine.NewRootSlot("checked", [&] {
    machine.PushNativeClosure([](VirtualMachine&) { return 0; }, "checked");
    Api().SetParamsCheck(2, ".s");
  });
  EXPECT_NO_THROW(Run("checked(\"text\");"));
  EXPECT_THROW(Run("checked(1);"), RuntimeException);
}

TEST_F(ScriptObjectTest, TypeTagsAreOnePerClassAndGuardInstancePointers) {
  EXPECT_EQ(TypeTagOf<NativeThing>(), TypeTagOf<NativeThing>());
  EXPECT_NE(TypeTagOf<NativeThing>(), TypeTagOf<OtherThing>());

  NativeThing thing;
  Api().NewClass(false);
  Api().SetTypeTag(-1, TypeTagOf<NativeThing>());
  Api().CreateInstance(-1);
  Api().SetInstanceUp(-1, &thing);
  EXPECT_EQ(Api().GetInstanceUp(-1, TypeTagOf<NativeThing>()), &thing);
  auto error =
      CatchException<NativeAPIException>([&] { Api().GetInstanceUp(-1, TypeTagOf<OtherThing>()); });
  EXPECT_EQ(error.GetCall(), "sq_getinstanceup");

  HSQOBJECT instance = Api().GetStackObject(-1);
  EXPECT_EQ(NativeAPI::GetObjectTypeTag(instance), TypeTagOf<NativeThing>());
  Api().PushInteger(1);
  auto no_tag = CatchException<NativeAPIException>(
      [&] { NativeAPI::GetObjectTypeTag(Api().GetStackObject(-1)); });
  EXPECT_EQ(no_tag.GetEngineMessage(), "object is not instance or user data or class");
}
