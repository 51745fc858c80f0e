#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace tx3::platform {
namespace {

TEST(CodePage, EveryByteComesBackFromItsCodePoint) {
  for (int byte = 0; byte < 256; ++byte) {
    const char32_t cp = Windows1252ToCodePoint(static_cast<unsigned char>(byte));
    EXPECT_EQ(static_cast<unsigned char>(CodePointToWindows1252(cp)), byte) << byte;
  }
}

TEST(CodePage, SpecialBytesAndCharactersTheCodePageLacks) {
  EXPECT_EQ(Windows1252ToCodePoint(0x80), U'\u20AC');
  EXPECT_EQ(Windows1252ToCodePoint(0x9C), U'\u0153');
  EXPECT_EQ(Windows1252ToCodePoint(0x8D), U'\u008D');  // undefined: keeps its own value
  EXPECT_EQ(Windows1252ToCodePoint(0xEA), U'\u00EA');
  EXPECT_EQ(CodePointToWindows1252(U'\u0100'), '?');
  EXPECT_EQ(CodePointToWindows1252(U'\U0001F600'), '?');
}

TEST(CodePage, Utf8FormsOfEachLength) {
  struct Case {
    char32_t cp;
    const char* utf8;
  };
  for (const Case& c : {Case{U'A', "A"}, Case{U'\u00EA', "\xC3\xAA"},
                        Case{U'\u20AC', "\xE2\x82\xAC"}, Case{U'\U0001F600', "\xF0\x9F\x98\x80"}}) {
    std::string out;
    AppendUtf8(c.cp, &out);
    EXPECT_EQ(out, c.utf8);
  }
}

TEST(CodePage, Utf8DecodingTakesAnInvalidByteAlone) {
  struct Case {
    const char* text;
    bool surrogates;
    Utf8Char expected;
  };
  for (const Case& c : {
           Case{"\xC3\xA9", false, {0xE9, 2, true}},
           Case{"\xF0\x9F\x98\x80", false, {0x1F600, 4, true}},
           Case{"\xC3", false, {0xC3, 1, false}},              // cut sequence
           Case{"\xE0\x80\x80", false, {0xE0, 1, false}},      // overlong
           Case{"\xF4\x90\x80\x80", false, {0xF4, 1, false}},  // past U+10FFFF
           Case{"\xED\xA0\x80", false, {0xED, 1, false}},      // surrogate
           Case{"\xED\xA0\x80", true, {0xD800, 3, true}},      // kept in WTF-8
           Case{"\xE2\x82"
                "A",
                false,
                {0xE2, 1, false}},
       }) {
    const Utf8Char got = DecodeUtf8(c.text, 0, c.surrogates);
    EXPECT_EQ(got.codePoint, c.expected.codePoint) << c.text;
    EXPECT_EQ(got.length, c.expected.length) << c.text;
    EXPECT_EQ(got.valid, c.expected.valid) << c.text;
  }
}

TEST(CodePage, FoldsTheLettersOfTheCodePage) {
  EXPECT_EQ(FoldWindows1252Case(U'A'), U'a');
  EXPECT_EQ(FoldWindows1252Case(U'\u00C9'), U'\u00E9');
  EXPECT_EQ(FoldWindows1252Case(U'\u00D7'), U'\u00D7');  // multiplication sign
  EXPECT_EQ(FoldWindows1252Case(U'\u0152'), U'\u0153');
  EXPECT_EQ(FoldWindows1252Case(U'\u0178'), U'\u00FF');
  EXPECT_EQ(FoldWindows1252Case(U'\u0100'), U'\u0100');  // not in the code page
}

TEST(CodePage, Utf8ToWindows1252MarksWhatItCannotHold) {
  EXPECT_EQ(Utf8ToWindows1252("\xE2\x82\xAC \xC3\xA9"), "\x80 \xE9");
  EXPECT_EQ(Utf8ToWindows1252("\xC4\x80x\xFF"), "?x?");
  EXPECT_EQ(Utf8ToWindows1252("\xED\xA0\x80"), "???");
}

}  // namespace
}  // namespace tx3::platform
