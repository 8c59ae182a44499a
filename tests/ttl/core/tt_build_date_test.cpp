// The build date as the version dialog shows it, from the compiler's date text.
#include <gtest/gtest.h>

#include "ttl/core/tt_build_date.h"

TEST(BuildDateTest, MonthsBecomeTwoDigitsAndTheDayIsTakenAsItIs) {
  EXPECT_EQ(TtUtility::ConvertBuildDate("Jan 29 2017"), "2017/01/29");
  EXPECT_EQ(TtUtility::ConvertBuildDate("Mar  5 2017"), "2017/03/ 5")
      << "a day below 10 keeps its space";
  EXPECT_EQ(TtUtility::ConvertBuildDate("Oct 10 2023"), "2023/10/10");
  EXPECT_EQ(TtUtility::ConvertBuildDate("Dec 31 1999"), "1999/12/31");
  EXPECT_EQ(TtUtility::ConvertBuildDate("jan 29 2017"),
            "2017/?"
            "?/29")
      << "the month is compared exactly";
  std::string own = TtUtility::ConvertBuildDate(__DATE__);
  EXPECT_EQ(own.size(), 10u);
  EXPECT_EQ(own.find('?'), std::string::npos) << own;
}

TEST(BuildDateTest, AShortTextNeverReadsPastItsEnd) {
  EXPECT_EQ(TtUtility::ConvertBuildDate(""),
            "/?"
            "?/");
  EXPECT_EQ(TtUtility::ConvertBuildDate("Jan"), "Jan/01/");
}
