#include "platform/code_page.h"

#include <algorithm>
#include <array>

namespace tx3::platform {
namespace {

// Code points of the bytes 0x80 to 0x9F.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

}  // namespace

Utf8Char DecodeUtf8(std::string_view text, size_t pos, bool surrogates) {
  const auto at = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = at(pos);
  const Utf8Char invalid{lead, 1, false};
  if (lead < 0x80) return Utf8Char{lead, 1, true};
  size_t length = 0;
  char32_t cp = 0;
  // The range of the second byte rules out overlong forms, surrogates and code points past
  // U+10FFFF before any of them is decoded.
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED && !surrogates) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return invalid;
  }
  if (pos + length > text.size()) return invalid;
  if (at(pos + 1) < low || at(pos + 1) > high) return invalid;
  for (size_t i = 1; i < length; ++i) {
    if (!IsContinuation(at(pos + i))) return invalid;
    cp = (cp << 6) | (at(pos + i) & 0x3F);
  }
  return Utf8Char{cp, length, true};
}

char32_t Windows1252ToCodePoint(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char32_t{byte};
}

char CodePointToWindows1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  const auto high = std::ranges::find(kHigh, cp);
  return high == kHigh.end() ? '?' : static_cast<char>(0x80 + (high - kHigh.begin()));
}

namespace {

// True when the code page holds `cp` (its five undefined bytes included).
bool InWindows1252(char32_t cp) {
  return cp == '?' || CodePointToWindows1252(cp) != '?';
}

bool InRange(char32_t c, char32_t low, char32_t high) {
  return c >= low && c <= high;
}

char32_t FoldLatinExtendedA(char32_t c) {
  // Pairs start on an even code point, except in U+0139..U+0148 and U+0179..U+017E.
  const bool oddPairs = InRange(c, 0x139, 0x148) || InRange(c, 0x179, 0x17E);
  if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
  if (c == 0x178) return 0xFF;  // Ÿ
  const bool upper = oddPairs ? (c % 2 == 1) : (c % 2 == 0);
  return upper ? c + 1 : c;
}

}  // namespace

char32_t FoldCase(char32_t cp) {
  if (InRange(cp, 'A', 'Z')) return cp + 0x20;
  if (InRange(cp, 0xC0, 0xDE) && cp != 0xD7) return cp + 0x20;
  if (cp < 0x100) return cp;
  if (InRange(cp, 0x100, 0x17F)) return FoldLatinExtendedA(cp);
  if (InRange(cp, 0x391, 0x3AB) && cp != 0x3A2) return cp + 0x20;
  if (InRange(cp, 0x400, 0x40F)) return cp + 0x50;
  if (InRange(cp, 0x410, 0x42F)) return cp + 0x20;
  return cp;
}

char32_t FoldWindows1252Case(char32_t cp) {
  return InWindows1252(cp) ? FoldCase(cp) : cp;
}

uint32_t CharacterCount(std::string_view utf8) {
  return static_cast<uint32_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return !IsContinuation(c); }));
}

bool IsUtf8(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    const Utf8Char ch = DecodeUtf8(text, pos);
    if (!ch.valid) return false;
    pos += ch.length;
  }
  return true;
}

std::string Utf8ToWindows1252(std::string_view utf8, bool surrogates) {
  std::string ansi;
  ansi.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const Utf8Char ch = DecodeUtf8(utf8, pos, surrogates);
    ansi += ch.valid ? CodePointToWindows1252(ch.codePoint) : '?';
    pos += ch.length;
  }
  return ansi;
}

std::string Windows1252ToUtf8(std::string_view ansi) {
  std::string utf8;
  utf8.reserve(ansi.size() + ansi.size() / 2);
  for (const char c : ansi)
    AppendUtf8(Windows1252ToCodePoint(static_cast<unsigned char>(c)), &utf8);
  return utf8;
}

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace tx3::platform
