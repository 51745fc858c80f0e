// Character counting of UTF-8 text and the runtime's string functions.
#include "common/text.h"

#include <gtest/gtest.h>

#include <string>

namespace tx3 {
namespace {

TEST(CharCountTest, CountsCharactersNotBytes) {
  const std::pair<std::string, size_t> cases[] = {
      {"", 0},
      {"abc", 3},
      {"é", 1},
      {"Créer", 5},
      {"€", 1},                 // three bytes
      {"\xF0\x9F\x8E\xB5", 1},  // four bytes
      {"\xFF", 1},              // invalid byte
      {"a\x80z", 3},            // stray continuation byte
      {"\xC3", 1},              // truncated sequence
      {"\xE2\x82", 2},          // truncated three-byte sequence: two invalid bytes
      {"\xC0\xAF", 2},          // overlong form
      {"\xED\xA0\x80", 3},      // encoded surrogate
      {"\xF4\x90\x80\x80", 4},  // above U+10FFFF
  };
  for (const auto& [text, count] : cases) EXPECT_EQ(CharCount(text), count) << text;
}

TEST(CharactersTest, SplitsOnCharacterBoundaries) {
  const auto chars = Characters("aé€\xFF");
  ASSERT_EQ(chars.size(), 4u);
  EXPECT_EQ(chars[1], "é");
  EXPECT_EQ(chars[2], "€");
  EXPECT_EQ(chars[3], "\xFF");
}

TEST(LeftRightMidTest, CountInCharacters) {
  EXPECT_EQ(LeftChars("Créer", 3), "Cré");
  EXPECT_EQ(LeftChars("Créer", 0), "");
  EXPECT_EQ(LeftChars("Créer", 99), "Créer");
  EXPECT_EQ(RightChars("Paramétrage", 6), "étrage");
  EXPECT_EQ(RightChars("é", 0), "");
  EXPECT_EQ(RightChars("éa", 5), "éa");
  EXPECT_EQ(MidChars("Sélection", 2, 3), "éle");
  EXPECT_EQ(MidChars("Sélection", 3), "lection");
  EXPECT_EQ(MidChars("abc", 4), "");
  EXPECT_EQ(MidChars("abc", 9, 2), "");
  EXPECT_EQ(MidChars("abc", 2, 0), "");
  EXPECT_EQ(MidChars("abc", 0, 2), "ab");
}

TEST(TrimTest, RemovesSpacesOnly) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Trim("\xC2\xA0x"), "\xC2\xA0x") << "a no-break space is no space";
}

TEST(CutAtNulTest, KeepsTheTextBeforeTheFirstNul) {
  EXPECT_EQ(CutAtNul(std::string("C:\\Windows\0junk", 15)), "C:\\Windows");
  EXPECT_EQ(CutAtNul("no nul"), "no nul");
  EXPECT_EQ(CutAtNul(std::string("\0a", 2)), "");
}

TEST(ReplaceAllTest, OnePassLeftToRightWithoutOverlap) {
  struct Case {
    const char *text, *from, *to, *expected;
  };
  const Case cases[] = {
      {"a    b", "   ", " ", "a  b"},    // four spaces become two
      {"a      b", "   ", " ", "a  b"},  // six become two
      {"aaa", "aa", "b", "ba"},         {"x..y...z", "..", "", "xy.z"},
      {" \\ \\", " \\", "\\", "\\\\"},  {"abc", "", "x", "abc"},
      {"abc", "d", "x", "abc"},         {"éé", "é", "e", "ee"},
      {"a", "a", "aa", "aa"},  // the replacement is not searched again
  };
  for (const Case& c : cases) EXPECT_EQ(ReplaceAll(c.text, c.from, c.to), c.expected) << c.text;
  // A lone lead byte does not match inside a character.
  EXPECT_EQ(ReplaceAll("é\xC3", "\xC3", "?"), "é?");
  // Nor does a match that ends inside a character.
  EXPECT_EQ(ReplaceAll("a\xC3\xA9", "a\xC3", "?"), "a\xC3\xA9");
}

TEST(InStrTest, OneBasedCharacterPosition) {
  EXPECT_EQ(InStr("C:\\Dé.ini", "."), 6u);
  EXPECT_EQ(InStr("abc", "d"), 0u);
  EXPECT_EQ(InStr("abcabc", "ca"), 3u);
  EXPECT_EQ(InStr("abc", ""), 1u);
  EXPECT_EQ(InStr("", ""), 0u);
  EXPECT_EQ(InStr("", "a"), 0u);
  EXPECT_EQ(InStr("ABC", "b"), 0u) << "exact comparison";
}

TEST(NoCaseTest, AsciiAndLatinLetters) {
  EXPECT_TRUE(EqualsNoCase("Données", "DONNÉES"));
  EXPECT_TRUE(EqualsNoCase("ŒUVRE", "œuvre"));
  EXPECT_TRUE(EqualsNoCase("Ÿ", "ÿ"));
  EXPECT_TRUE(EqualsNoCase("", ""));
  EXPECT_FALSE(EqualsNoCase("e", "é"));
  EXPECT_FALSE(EqualsNoCase("×", "÷")) << "the multiplication sign has no lower case";
  EXPECT_FALSE(EqualsNoCase("ab", "abc"));
}

TEST(ToTextTest, DecimalLikeCStr) {
  EXPECT_EQ(ToText(0), "0");
  EXPECT_EQ(ToText(-42), "-42");
  EXPECT_EQ(ToText(2147483647), "2147483647");
  EXPECT_EQ(ToText(-9223372036854775807LL - 1), "-9223372036854775808");
}

}  // namespace
}  // namespace tx3
