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

}  // namespace
}  // namespace tx3::platform
