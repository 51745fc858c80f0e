// Characters of UTF-8 text, the runtime's string functions counted in characters, caseless
// comparison and the Windows-1252 conversion of INI files.
#include "common/text.h"

#include <cstdint>

#include "platform/code_page.h"

namespace tx3 {

namespace {

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// Byte length of the well-formed UTF-8 sequence at `pos`, or 1 for an invalid byte.
size_t SequenceLength(std::string_view text, size_t pos) {
  const auto at = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = at(pos);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 1;
  }
  if (pos + length > text.size()) return 1;
  if (at(pos + 1) < low || at(pos + 1) > high) return 1;
  for (size_t i = 2; i < length; ++i) {
    if (!IsContinuation(at(pos + i))) return 1;
  }
  return length;
}

// A decoded character; an invalid byte decodes above the Unicode range so it matches only itself.
constexpr char32_t kInvalidBase = 0x110000;

char32_t Decode(std::string_view ch) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(ch[i]); };
  if (ch.size() == 1) return byte(0) < 0x80 ? byte(0) : kInvalidBase + byte(0);
  char32_t cp = byte(0) & (0xFF >> (ch.size() + 1));
  for (size_t i = 1; i < ch.size(); ++i) cp = (cp << 6) | (byte(i) & 0x3F);
  return cp;
}

// Byte offset of the character at 0-based character index `index` (the size when past the end).
size_t ByteOffset(std::string_view text, size_t index) {
  size_t pos = 0;
  while (index > 0 && pos < text.size()) {
    pos += SequenceLength(text, pos);
    --index;
  }
  return pos;
}

// Upper and lower case of the Latin letters Windows-1252 holds.
char32_t FoldCase(char32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 0x20;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
  switch (cp) {
    case 0x152:  // Œ
    case 0x160:  // Š
    case 0x17D:  // Ž
      return cp + 1;
    case 0x178:  // Ÿ
      return 0xFF;
    default:
      return cp;
  }
}

std::u32string FoldedCharacters(std::string_view text) {
  std::u32string folded;
  for (std::string_view ch : Characters(text)) folded += FoldCase(Decode(ch));
  return folded;
}

}  // namespace

std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> characters;
  characters.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = SequenceLength(text, pos);
    characters.push_back(text.substr(pos, length));
    pos += length;
  }
  return characters;
}

size_t CharCount(std::string_view text) {
  size_t count = 0;
  for (size_t pos = 0; pos < text.size(); pos += SequenceLength(text, pos)) ++count;
  return count;
}

std::string LeftChars(std::string_view text, size_t n) {
  return std::string(text.substr(0, ByteOffset(text, n)));
}

std::string RightChars(std::string_view text, size_t n) {
  const size_t count = CharCount(text);
  if (n >= count) return std::string(text);
  return std::string(text.substr(ByteOffset(text, count - n)));
}

std::string MidChars(std::string_view text, size_t start, size_t n) {
  const size_t begin = ByteOffset(text, start == 0 ? 0 : start - 1);
  const std::string_view rest = text.substr(begin);
  if (n == std::string_view::npos) return std::string(rest);
  return std::string(rest.substr(0, ByteOffset(rest, n)));
}

std::string TrimLeft(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string TrimRight(std::string_view text) {
  const size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) {
  return TrimRight(TrimLeft(text));
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  size_t pos = 0;
  // A match starts and ends on character boundaries: bytes inside a character never match.
  const std::vector<std::string_view> characters = Characters(text);
  size_t index = 0;
  while (index < characters.size()) {
    if (text.compare(pos, from.size(), from) == 0) {
      const size_t end = pos + from.size();
      size_t next = index;
      size_t nextPos = pos;
      while (next < characters.size() && nextPos < end) nextPos += characters[next++].size();
      if (nextPos == end) {
        result += to;
        index = next;
        pos = nextPos;
        continue;
      }
    }
    result += characters[index];
    pos += characters[index++].size();
  }
  return result;
}

size_t InStr(std::string_view text, std::string_view what) {
  if (text.empty()) return 0;
  if (what.empty()) return 1;
  const std::vector<std::string_view> characters = Characters(text);
  size_t pos = 0;
  for (size_t index = 0; index < characters.size(); ++index) {
    if (text.compare(pos, what.size(), what) == 0) return index + 1;
    pos += characters[index].size();
  }
  return 0;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return FoldedCharacters(a) == FoldedCharacters(b);
}

std::u32string FoldedText(std::string_view text) {
  return FoldedCharacters(text);
}

std::string Utf8ToAnsi(std::string_view utf8) {
  std::string ansi;
  ansi.reserve(utf8.size());
  for (std::string_view ch : Characters(utf8)) {
    const char32_t cp = Decode(ch);
    ansi += cp >= kInvalidBase ? '?' : platform::CodePointToWindows1252(cp);
  }
  return ansi;
}

std::string AnsiToUtf8(std::string_view ansi) {
  return platform::Windows1252ToUtf8(ansi);
}

std::string ToText(long long value) {
  return std::to_string(value);
}

}  // namespace tx3
