// The version dialog: its texts with the build date, and the two ways to close it.
#include <cctype>

#include <gtest/gtest.h>

#include "tests/ui/dialog_test_support.h"
#include "ui/version_dialog.h"

using Tarvane::VersionDialog;

TEST(VersionDialogTest,
     ItShowsNameVersionAndBuildAndTheButtonEscapeEnterOrTheCloseBoxEndItWithZero) {
  TarvaneTest::Owner owner;
  VersionDialog dialog;
  EXPECT_FALSE(dialog.GetIcon().IsEmpty()) << "the program icon is built in";
  TtTesting::ModalAnswers answers;
  answers
      .Dialog([&](TtWindow&) {
        EXPECT_EQ(dialog.GetText(), "バージョン情報");
        EXPECT_EQ(dialog.GetNameText().GetText(), "Tarvane / タルヴェイン");
        EXPECT_EQ(dialog.GetVersionText().GetText(), "version 1.1.1");
        std::string build = dialog.GetBuildText().GetText();
        // The dialog's library may have been compiled a day before this test (past midnight), so
        // the date is checked by its form; BuildText's own test pins the conversion.
        const std::string prefix = "Build at : ";
        const std::string form = "dddd/dd/?d dd:dd:dd";
        ASSERT_EQ(build.size(), prefix.size() + form.size()) << build;
        EXPECT_TRUE(build.starts_with(prefix)) << build;
        for (size_t i = 0; i < form.size(); ++i) {
          const char shown = build[prefix.size() + i];
          const bool digit = std::isdigit(static_cast<unsigned char>(shown)) != 0;
          const bool fits = form[i] == 'd'   ? digit
                            : form[i] == '?' ? digit || shown == ' '
                                             : shown == form[i];
          EXPECT_TRUE(fits) << build << " at " << i;
        }
        TarvaneTest::SaveScreenshotIfAsked(dialog, "version");
        TtTesting::Click(dialog.GetCloseButton());
      })
      .Dialog([&](TtWindow& shown) { TtTesting::PressEscape(shown); })
      .Dialog([&](TtWindow& shown) { TtTesting::PressEnter(shown); })
      .Dialog([&](TtWindow& shown) { TtTesting::CloseWindow(shown); });
  for (const char* how : {"the button", "Escape", "Enter", "the close box"}) {
    EXPECT_EQ(dialog.ShowDialog(&owner), 0) << how;
    EXPECT_TRUE(dialog.HasEnded()) << "ended by " << how << ", not left open";
  }
  EXPECT_TRUE(owner.commands.empty()) << "the keys stay with the dialog";
  TarvaneTest::ExpectNoFailures(answers);
}

TEST(VersionDialogTest, TheBuildTextKeepsTheSpaceOfADayBelowTen) {
  EXPECT_EQ(VersionDialog::BuildText("Mar  5 2017", "17:55:19"), "Build at : 2017/03/ 5 17:55:19");
}
