// Shading steps: a cell's number against the largest magnitude of its column's card rows.
#include <gtest/gtest.h>

#include "table/cell_shading.h"
#include "tests/table/table_test_support.h"

namespace TarvaneTest {
namespace {

using Tarvane::kShadeSteps;
using Tarvane::ShadeStep;

TEST(CellShadingTest, StepsFollowTheShareOfTheLargestMagnitude) {
  EXPECT_EQ(ShadeStep("8", 8), kShadeSteps);
  EXPECT_EQ(ShadeStep("4", 8), kShadeSteps / 2);
  EXPECT_EQ(ShadeStep("0.01", 8), 1) << "any value above zero shows";
  EXPECT_EQ(ShadeStep("37.50", 100), 3);
  EXPECT_EQ(ShadeStep("-8", 8), -kShadeSteps);
  EXPECT_EQ(ShadeStep("12", 8), kShadeSteps) << "a total above the largest card row";
  for (const char* unshaded : {"", "0", "0.00", "-0", "Lightning Bolt", "4 ", "1e999", "nan"}) {
    EXPECT_EQ(ShadeStep(unshaded, 8), 0) << unshaded;
  }
  EXPECT_EQ(ShadeStep("4", 0), 0) << "a column without numbers";
}

// Card rows of every column but the first; the largest magnitude is taken over card rows only,
// so that the totals do not wash the cards out.
TEST_F(TableTest, TheTableShadesNumericCellsOfCardRows) {
  table->AddDeckFiles({folder.burn, folder.blue});
  table->AddAllDeckColumns();
  std::vector<std::string> names = Column(0);
  auto row = [&](const std::string& name) {
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
  };
  EXPECT_EQ(table->GetColumns()[1]->largest_magnitude, 8);
  EXPECT_EQ(table->GetCellShade(row("山"), 1), kShadeSteps);
  EXPECT_EQ(table->GetCellShade(row("稲妻"), 1), kShadeSteps / 2);
  EXPECT_EQ(table->GetCellShade(row("山"), 0), 0);
  EXPECT_EQ(table->GetCellShade(row("メイン合計"), 1), 0);
  EXPECT_EQ(table->GetCellShade(row("対抗呪文"), 1), 0);
  EXPECT_EQ(table->GetCellShade(-1, 1), 0);
  EXPECT_EQ(table->GetCellShade(0, 3), 0);
}

}  // namespace
}  // namespace TarvaneTest
