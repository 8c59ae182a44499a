// Cell values and row comparisons: what the native side makes of a processor's or sorter's
// answer, and which script calls it makes to get it.
#include "tests/script/vm_test_support.h"

namespace TarvaneTest {
namespace {

using Tarvane::CellValue;

// A processor that returns a fixed script expression, and one that counts its calls.
const char* const kProcessors = R"(
::calls <- [];
class FixedProcessor {
  name = "fixed"; sorter = null; value = null;
  constructor(the_value) { value = the_value; }
  function process_function(entry) { ::calls.append("process"); return value; }
}
// Mountain rows keep the default fallback, every other row answers with a text.
::Entry.case_of_cannot_process <- function(processor) {
  ::calls.append("fallback");
  return card.name == "Mountain" ? null : "fallback for " + processor.name;
}
// Made after the change above, yet its class copied the built-in fallback when it was bound.
::Organizer.special_entries.append(::SpecialEntry(::Card.Type.LandTotal, "Lands", "土地", 0));
class CompareBy {
  name = "compare"; result = null;
  constructor(the_result) { result = the_result; }
  function compare_for_sort(a, b) { return result; }
}
class ByName {
  name = "by name";
  function compare_for_sort(a, b) { return a.card.name < b.card.name ? -1 : 1; }
}
)";

class CellValueTest : public VmTest {
protected:
  void SetUp() override { Start(kProcessors); }

  std::shared_ptr<Tarvane::Entry> Row(const std::string& card_name) {
    return vm->CreateEntry(vm->GetCardDatabase().fetch(card_name), 0);
  }
  CellValue ValueOf(const std::string& expression, const std::string& card = "Lightning Bolt") {
    return vm->ComputeCellValue(Value("FixedProcessor(" + expression + ")"), *Row(card));
  }
  int Compare(const std::string& result) {
    return vm->CompareForSort(Value("CompareBy(" + result + ")"), *Row("Mountain"),
                              *Row("Lava Spike"));
  }
};

TEST_F(CellValueTest, NumbersKeepTheirKind) {
  CellValue three = ValueOf("3");
  EXPECT_EQ(three.kind(), CellValue::Kind::Integer);
  EXPECT_EQ(three.text(), "3");
  EXPECT_EQ(three.integer(), 3);

  EXPECT_EQ(ValueOf("-12").text(), "-12");
  EXPECT_EQ(ValueOf("-12").integer(), -12);
  // Script integers are 64-bit; the cell keeps the whole value.
  EXPECT_EQ(ValueOf("5000000000").integer(), 5000000000LL);
  EXPECT_EQ(ValueOf("5000000000").text(), "5000000000");

  CellValue float_three = ValueOf("3.0");
  EXPECT_EQ(float_three.kind(), CellValue::Kind::Float);
  EXPECT_DOUBLE_EQ(float_three.number(), 3.0);
  EXPECT_NEAR(ValueOf("8.0 / 3").number(), 2.6667, 1e-4);
}

TEST_F(CellValueTest, OtherValuesBecomeTheirText) {
  CellValue text = ValueOf("\"稲妻\"");
  EXPECT_EQ(text.kind(), CellValue::Kind::String);
  EXPECT_EQ(text.text(), "稲妻");

  CellValue boolean = ValueOf("true");
  EXPECT_EQ(boolean.kind(), CellValue::Kind::String);
  EXPECT_EQ(boolean.text(), "true");

  CellValue table = ValueOf("{}");
  EXPECT_EQ(table.kind(), CellValue::Kind::String);
  EXPECT_EQ(table.text().rfind("(table : ", 0), 0u) << table.text();
}

TEST_F(CellValueTest, NullAsksTheRowsFallbackOnce) {
  CellValue fallback = ValueOf("null");
  EXPECT_EQ(fallback.kind(), CellValue::Kind::String);
  EXPECT_EQ(fallback.text(), "fallback for fixed");
  EXPECT_EQ(Eval("::calls.reduce(@(a, b) a + \",\" + b)"), "process,fallback");

  Run("::calls.clear();");
  EXPECT_EQ(ValueOf("null", "Mountain").kind(), CellValue::Kind::Null);
  EXPECT_EQ(ValueOf("null", "Mountain").text(), "");

  // A value other than null never reaches the fallback.
  Run("::calls.clear();");
  ValueOf("0");
  EXPECT_EQ(Eval("::calls.len()"), "1");
}

TEST_F(CellValueTest, TheBuiltInFallbackLeavesTheCellEmpty) {
  ASSERT_EQ(vm->GetSpecialEntries().size(), 1u);
  CellValue value =
      vm->ComputeCellValue(Value("FixedProcessor(null)"), *vm->GetSpecialEntries()[0]);
  EXPECT_EQ(value.kind(), CellValue::Kind::Null);
}

TEST_F(CellValueTest, ScriptFailuresReachTheCaller) {
  Run("class NoFunction { name = \"none\"; sorter = null; }");
  auto missing = CatchException<TtSquirrel::GetOperationException>(
      [&] { vm->ComputeCellValue(Value("NoFunction()"), *Row("Mountain")); });
  EXPECT_EQ(missing.GetKeyText(), "string : process_function");

  Run("class Failing { name = \"f\"; sorter = null; function process_function(e) { throw \"boom\"; "
      "} }");
  auto failed = CatchException<TtSquirrel::RuntimeException>(
      [&] { vm->ComputeCellValue(Value("Failing()"), *Row("Mountain")); });
  EXPECT_EQ(failed.GetErrorMessage(), "boom");
}

TEST_F(CellValueTest, ComparisonsCountByTheSignOfNumbers) {
  EXPECT_EQ(Compare("-3"), -3);
  EXPECT_EQ(Compare("7"), 7);
  EXPECT_EQ(Compare("0.5"), 1);
  EXPECT_EQ(Compare("-0.25"), -1);
  EXPECT_EQ(Compare("0.0"), 0);
  // A number beyond the 32-bit range keeps its sign instead of wrapping.
  EXPECT_EQ(Compare("0x100000000"), 1);
  EXPECT_EQ(Compare("-0x100000000"), -1);
  EXPECT_EQ(Compare("\"less\""), 0);
  EXPECT_EQ(Compare("null"), 0);
}

TEST_F(CellValueTest, ComparisonsGetTheRowsInOrder) {
  auto bolt = Row("Lightning Bolt");
  auto mountain = Row("Mountain");
  EXPECT_EQ(vm->CompareForSort(Value("ByName()"), *bolt, *mountain), -1);
  EXPECT_EQ(vm->CompareForSort(Value("ByName()"), *mountain, *bolt), 1);
}

TEST_F(CellValueTest, NamesAndSorters) {
  EXPECT_EQ(vm->GetName(Value("FixedProcessor(1)")), "fixed");

  Run("class Numbered { name = 5; sorter = null; }");
  auto not_text =
      CatchException<TtSquirrel::NativeAPIException>([&] { vm->GetName(Value("Numbered()")); });
  EXPECT_EQ(not_text.GetCall(), "sq_getstring");

  auto no_name = CatchException<TtSquirrel::NativeAPIException>([&] { vm->GetName(Value("{}")); });
  EXPECT_EQ(no_name.GetCall(), "sq_get");

  // The sorter is taken as it is, even a table; the same script value each time.
  Run("::shared_sorter <- { name = \"table sorter\" };"
      "class WithSorter { name = \"p\"; sorter = ::shared_sorter; }");
  TtSquirrel::Object processor = Value("WithSorter()");
  EXPECT_TRUE(vm->GetSorter(processor) == vm->GetSorter(processor));
  EXPECT_TRUE(vm->GetSorter(processor) == Value("::shared_sorter"));
  EXPECT_EQ(vm->GetName(vm->GetSorter(processor)), "table sorter");
}

}  // namespace
}  // namespace TarvaneTest
