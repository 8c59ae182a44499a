// The build date as the version dialog shows it, from the compiler's date text.
#include <gtest/gtest.h>

#include "ttl/tt_build_date.h"

TEST(BuildDateTest, EveryMonthBecomesItsTwoDigitNumber) {
  const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const char* numbers[] = {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12"};
  for (int index = 0; index < 12; ++index) {
    EXPECT_EQ(TtUtility::ConvertBuildDate(std::string(months[index]) + " 29 2017"),
              std::string("2017/") + numbers[index] + "/29");
  }
}

TEST(BuildDateTest, ADayBelowTenKeepsItsSpace) {
  EXPECT_EQ(TtUtility::ConvertBuildDate("Mar  5 2017"), "2017/03/ 5");
}

TEST(BuildDateTest, AnUnknownMonthShowsQuestionMarks) {
  EXPECT_EQ(TtUtility::ConvertBuildDate("jan 29 2017"), "2017/?" "?/29") << "the month is compared exactly";
  EXPECT_EQ(TtUtility::ConvertBuildDate("Foo 12 2020"), "2020/?" "?/12");
}

TEST(BuildDateTest, AShortTextGivesWhatItHoldsWithoutReadingPastItsEnd) {
  EXPECT_EQ(TtUtility::ConvertBuildDate(""), "/?" "?/");
  EXPECT_EQ(TtUtility::ConvertBuildDate("Jan"), "Jan/01/");
  EXPECT_EQ(TtUtility::ConvertBuildDate("Jan 2"), "an 2/01/2");
}

TEST(BuildDateTest, TheCompilersOwnDateConverts) {
  std::string converted = TtUtility::ConvertBuildDate(__DATE__);
  ASSERT_EQ(converted.size(), 10u);
  EXPECT_EQ(converted.substr(0, 4), std::string(__DATE__).substr(7, 4));
  EXPECT_NE(converted.substr(5, 2), "??");
}
