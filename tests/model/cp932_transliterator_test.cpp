#include "model/cp932_transliterator.h"

#include <gtest/gtest.h>

namespace {

// Card data arrives as UTF-8; literals without u8 are CP932 in this program.
std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

TEST(DictionaryTextTest, CharactersTheCodePageLacksGetAnExplicitSpellingAndAreCounted) {
  Tarvane::Cp932Transliterator converter;
  EXPECT_EQ(converter.ToCp932(U8(u8"Creature — Bear")), "Creature \x81\x5C Bear");
  EXPECT_EQ(converter.ToCp932(U8(u8"−2: Target player")), "-2: Target player");
  EXPECT_EQ(converter.ToCp932(U8(u8"Lim-Dûl's Vault")), "Lim-Dul's Vault");
  EXPECT_EQ(converter.ToCp932(U8(u8"Æther Vial, Jötun Grunt, Đuro")),
            "Aether Vial, Jotun Grunt, Duro");
  EXPECT_EQ(converter.ToCp932(U8(u8"Choose one —\n• Draw")), "Choose one \x81\x5C ・ Draw");
  EXPECT_EQ(converter.ToCp932(U8(u8"½")), "1/2");
  EXPECT_EQ(converter.MappedCharacters(), 9);
  EXPECT_EQ(converter.ReplacedCharacters(), 0);
}

TEST(DictionaryTextTest, WhatCannotBeHeldBecomesOneQuestionMarkPerCharacter) {
  Tarvane::Cp932Transliterator converter;
  // An emoji (four bytes) and a broken byte among Japanese text that converts as usual.
  EXPECT_EQ(converter.ToCp932(U8(u8"灰色熊🐻") + "\xFF" + U8(u8"森")), "灰色熊??森");
  EXPECT_EQ(converter.ReplacedCharacters(), 2);
  EXPECT_EQ(converter.MappedCharacters(), 0);
}

TEST(DictionaryTextTest, ControlCharactersBecomeSpacesSoAFieldNeverBreaksTheLine) {
  Tarvane::Cp932Transliterator converter;
  EXPECT_EQ(converter.ToCp932("a\tb\r\nc\x01"), "a b  c ");
  EXPECT_EQ(converter.ToCp932(U8(u8"熊\t森")), "熊 森");
  EXPECT_EQ(converter.ToCp932("{T}: Add {G}. \\ ~"), "{T}: Add {G}. \\ ~");
}

}  // namespace
