// The card preview: hidden until the first card, the six texts of a card with and without power
// and toughness, a close box that only hides it, and its layout.
#include <gtest/gtest.h>

#include "model/card.h"
#include "tests/ui/dialog_test_support.h"
#include "ui/preview_dialog.h"

using Tarvane::Card;
using Tarvane::PreviewDialog;

namespace {

Card Creature() {
  Card card;
  card.name = "Llanowar Elves, Keepers of the Ancient Deep Forest and of Everything Beyond It";
  card.name_japanese = "ラノワールのエルフ";
  card.mana_cost = "{G}";
  card.type_text = "クリーチャー ― エルフ・ドルイド";
  card.power_and_toughness = "1/1";
  card.rules_text = "{T}：あなたのマナ・プールに{G}を加える。\r\n\r\n「森の声を聞け。」\r\n\r\n";
  return card;
}

Card Spell() {
  Card card;
  card.name = "Lightning Bolt";
  card.name_japanese = "稲妻";
  card.mana_cost = "{R}";
  card.type_text = "インスタント";
  card.rules_text =
      "クリーチャー1体かプレイヤー1人を対象とする。稲妻はそれに3点のダメージを与える。\r\n\r\n";
  return card;
}

class PreviewDialogTest : public ::testing::Test {
protected:
  PreviewDialogTest() { preview_.ShowDialog(&TtExtraordinarilyWindow::Desktop()); }

  PreviewDialog preview_;
};

}  // namespace

TEST_F(PreviewDialogTest, ItStaysHiddenUntilACardIsShownAndThenShowsItsTexts) {
  ASSERT_TRUE(preview_.IsCreated());
  EXPECT_FALSE(preview_.IsVisible());
  EXPECT_EQ(preview_.GetText(), "カードプレビュー");
  TtWin::RECT outer = preview_.GetRectangle();
  EXPECT_EQ(outer.right - outer.left, 320);
  EXPECT_EQ(outer.bottom - outer.top, 300);

  preview_.Show(Creature());
  EXPECT_TRUE(preview_.IsVisible());
  EXPECT_EQ(preview_.GetNameLine().GetText(), Creature().name);
  EXPECT_EQ(preview_.GetJapaneseNameLine().GetText(), "ラノワールのエルフ");
  EXPECT_EQ(preview_.GetManaCostLine().GetText(), "{G}");
  EXPECT_EQ(preview_.GetTypeLine().GetText(), "クリーチャー ― エルフ・ドルイド");
  EXPECT_EQ(preview_.GetRulesBox().GetText(), Creature().rules_text);
  EXPECT_EQ(preview_.GetCorner().GetText(), "1/1");
  // Where the user put it: without a window manager the first place is the screen's corner.
  preview_.SetPosition(40, 40);
  TarvaneTest::SaveScreenshotIfAsked(preview_, "preview");

  preview_.Show(Spell());
  EXPECT_EQ(preview_.GetNameLine().GetText(), "Lightning Bolt");
  EXPECT_EQ(preview_.GetCorner().GetText(), "") << "a spell leaves the corner empty";
}

TEST_F(PreviewDialogTest, ALongNameIsCutAfterAWholeWordAndEndsInAnEllipsis) {
  preview_.Show(Creature());
  TtTesting::ProcessEvents();
  const std::string name = Creature().name;
  const std::string shown = TtTesting::ShownText(preview_.GetNameLine());
  ASSERT_GT(shown.size(), 3u);
  ASSERT_EQ(shown.substr(shown.size() - 3), "...") << shown;
  const std::string kept = shown.substr(0, shown.size() - 3);
  ASSERT_LT(kept.size(), name.size());
  EXPECT_EQ(name.substr(0, kept.size()), kept);
  EXPECT_EQ(name[kept.size()], ' ') << "cut at a word boundary: " << shown;
  EXPECT_EQ(TtTesting::ShownText(preview_.GetJapaneseNameLine()), "ラノワールのエルフ")
      << "a short line stays whole";
}

TEST_F(PreviewDialogTest, TheRulesBoxHasASunkenFrame) {
  preview_.Show(Spell());
  for (int round = 0; round < 20; ++round) TtTesting::ProcessEvents();
  TtWin::RECT box = preview_.GetRulesBox().GetRectangle();
  TtWin::COLORREF inside = TtTesting::ScreenPixel({box.left + 3, box.bottom - 3});
  TtWin::COLORREF top_edge = TtTesting::ScreenPixel({(box.left + box.right) / 2, box.top - 1});
  TtWin::COLORREF left_edge = TtTesting::ScreenPixel({box.left - 1, (box.top + box.bottom) / 2});
  EXPECT_NE(top_edge, inside) << "a line above the box";
  EXPECT_NE(left_edge, inside) << "a line left of the box";
}

TEST_F(PreviewDialogTest, AHugeRulesTextIsCutBetweenCharactersAndSaysSo) {
  Card card = Spell();
  // Ten megabytes of two-byte characters after one single-byte one, so that a cut by bytes
  // alone would fall inside a character.
  card.rules_text = "x";
  for (int i = 0; i < 5 * 1024 * 1024; ++i) card.rules_text += "\x82\xa0";
  preview_.Show(card);
  std::string shown = preview_.GetRulesBox().GetText();
  const std::string note = "\r\n……（長すぎるため以下を省略しました）";
  ASSERT_LT(shown.size(), 20000u);
  ASSERT_GT(shown.size(), note.size());
  EXPECT_EQ(shown.substr(shown.size() - note.size()), note);
  std::string kept = shown.substr(0, shown.size() - note.size());
  EXPECT_EQ(kept.size() % 2, 1u) << "the single byte and whole two-byte characters";
  EXPECT_EQ(kept.substr(kept.size() - 2), "\x82\xa0");

  preview_.Show(Creature());
  EXPECT_EQ(preview_.GetRulesBox().GetText(), Creature().rules_text)
      << "a short text is shown whole";
}

TEST_F(PreviewDialogTest, TheCloseBoxHidesItAndTheNextCardComesBackInThePlaceAndSizeItHad) {
  preview_.Show(Spell());
  preview_.SetPositionSize(200, 150, 360, 340);
  TtTesting::ProcessEvents();
  TtWin::RECT before = preview_.GetRectangle();
  TtTesting::CloseWindow(preview_);
  EXPECT_TRUE(preview_.IsCreated()) << "closing only hides it";
  EXPECT_FALSE(preview_.IsVisible());
  preview_.Show(Creature());
  TtTesting::ProcessEvents();
  EXPECT_TRUE(preview_.IsVisible());
  TtWin::RECT after = preview_.GetRectangle();
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  EXPECT_EQ(preview_.GetJapaneseNameLine().GetText(), "ラノワールのエルフ");
}

TEST_F(PreviewDialogTest, TheLayoutHoldsAtTwoSizesWithTheCornerOnTheBottomEdge) {
  preview_.Show(Creature());
  TarvaneTest::ExpectSoundLayoutAtTwoSizes(
      preview_, {.overlapping = {}, .past_edge = {&preview_.GetCorner()}});
}
