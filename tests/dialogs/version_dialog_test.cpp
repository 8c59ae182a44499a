// The version dialog: its texts and places, the build text, and the two ways to close it.
#include <gtest/gtest.h>

#include "tests/dialogs/dialog_test_support.h"
#include "ttl/tt_build_date.h"
#include "ui/main_icon.h"
#include "ui/version_dialog.h"

using DialogTest::PlaceOf;
using Tarvane::VersionDialog;

TEST(VersionDialogTest, ItShowsNameVersionAndBuildAndTheButtonClosesItWithZero) {
  DialogTest::Owner owner;
  VersionDialog dialog;
  EXPECT_FALSE(dialog.GetIcon().IsEmpty());
  TtTesting::ModalAnswers answers;
  answers.Dialog([&](TtWindow&) {
    EXPECT_EQ(dialog.GetText(), "バージョン情報");
    EXPECT_EQ(dialog.GetNameText().GetText(), "Tarvane / タルヴェイン");
    EXPECT_EQ(dialog.GetVersionText().GetText(), "version 1.1.1");
    std::string build = dialog.GetBuildText().GetText();
    EXPECT_EQ(build.rfind("Build at : " + TtUtility::ConvertBuildDate(__DATE__) + " ", 0), 0u) << build;
    EXPECT_EQ(dialog.GetCloseButton().GetText(), "閉");
    TtWin::RECT outer = dialog.GetRectangle();
    EXPECT_EQ(outer.right - outer.left, 300);
    EXPECT_EQ(outer.bottom - outer.top, 100);
    EXPECT_EQ(PlaceOf(dialog.GetNameText()), (DialogTest::Place{60, 12, 180, 24}));
    EXPECT_EQ(PlaceOf(dialog.GetVersionText()), (DialogTest::Place{60, 28, 100, 24}));
    EXPECT_EQ(PlaceOf(dialog.GetBuildText()), (DialogTest::Place{60, 44, 200, 24}));
    EXPECT_EQ(PlaceOf(dialog.GetCloseButton()), (DialogTest::Place{230, 12, 40, 24}));
    DialogTest::SaveScreenshotIfAsked(dialog, "version");
    TtTesting::Click(dialog.GetCloseButton());
  });
  EXPECT_EQ(dialog.ShowDialog(&owner), 0);
  EXPECT_TRUE(dialog.HasEnded()) << "ended by the button, not left open";
  DialogTest::ExpectNoFailures(answers);
}

TEST(VersionDialogTest, TheCloseBoxEndsItWithZeroAndEscapeGoesToTheOwner) {
  DialogTest::Owner owner;
  VersionDialog dialog;
  TtTesting::ModalAnswers answers;
  answers.Dialog([&](TtWindow& shown) {
    TtTesting::PressEscape(shown);
    EXPECT_FALSE(dialog.HasEnded());
    TtTesting::CloseWindow(shown);
  });
  EXPECT_EQ(dialog.ShowDialog(&owner), 0);
  EXPECT_TRUE(dialog.HasEnded());
  EXPECT_EQ(owner.commands, std::vector<int>{TtWin::IDCANCEL});
  DialogTest::ExpectNoFailures(answers);
}

TEST(VersionDialogTest, TheBuildTextJoinsTheConvertedDateAndTheTime) {
  EXPECT_EQ(VersionDialog::BuildText("Jan 29 2017", "17:55:19"), "Build at : 2017/01/29 17:55:19");
  EXPECT_EQ(VersionDialog::BuildText("Mar  5 2017", "09:00:00"), "Build at : 2017/03/ 5 09:00:00");
}

TEST(VersionDialogTest, TheProgramIconIsRegisteredOnceUnderItsResourceName) {
  Tarvane::RegisterMainIcon();
  Tarvane::RegisterMainIcon();
  TtIcon icon = TtIcon::LoadResource("MAIN_ICON");
  EXPECT_EQ(icon.GetWidth(), 32);
  EXPECT_EQ(icon.GetHeight(), 32);
}
