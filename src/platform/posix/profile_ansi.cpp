#include "platform/posix/profile_ansi.h"

#include <array>
#include <cstdint>

namespace tx3::platform::posix {
namespace {

// Code points of the bytes 0x80-0x9F; the unassigned five keep their own value.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t AnsiToCodePoint(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char32_t{byte};
}

// The byte holding `cp`, or '?' when the code page has none.
char CodePointToAnsi(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
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

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one WTF-8 sequence at text[*pos] (surrogates accepted); kInvalid for a bad byte,
// which is then consumed alone.
char32_t NextCodePoint(std::string_view text, size_t* pos) {
  const auto lead = static_cast<unsigned char>(text[*pos]);
  size_t length = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    ++*pos;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
  } else {
    ++*pos;
    return kInvalid;
  }
  if (*pos + length > text.size()) {
    ++*pos;
    return kInvalid;
  }
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[*pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++*pos;
      return kInvalid;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  const char32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (cp < minimum || cp > 0x10FFFF) {
    ++*pos;
    return kInvalid;
  }
  *pos += length;
  return cp;
}

bool IsSurrogate(char32_t cp) {
  return cp >= 0xD800 && cp <= 0xDFFF;
}

// Lower case of the letters Windows-1252 holds (ASCII, Latin-1 and the five extra pairs).
char32_t FoldCodePoint(char32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 32;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 32;
  switch (cp) {
    case 0x0160:
      return 0x0161;
    case 0x0152:
      return 0x0153;
    case 0x017D:
      return 0x017E;
    case 0x0178:
      return 0x00FF;
    default:
      return cp;
  }
}

}  // namespace

std::string ProfileUtf8ToAnsi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, &pos);
    out.push_back(cp == kInvalid || IsSurrogate(cp) ? '?' : CodePointToAnsi(cp));
  }
  return out;
}

std::string ProfileAnsiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 2);
  for (const char c : ansi) AppendUtf8(AnsiToCodePoint(static_cast<unsigned char>(c)), &out);
  return out;
}

std::string Utf16LeToWtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  const size_t units = bytes.size() / 2;
  auto unit = [&](size_t i) -> char32_t {
    return static_cast<unsigned char>(bytes[2 * i]) |
           (char32_t{static_cast<unsigned char>(bytes[2 * i + 1])} << 8);
  };
  for (size_t i = 0; i < units; ++i) {
    const char32_t first = unit(i);
    if (first >= 0xD800 && first <= 0xDBFF && i + 1 < units) {
      const char32_t second = unit(i + 1);
      if (second >= 0xDC00 && second <= 0xDFFF) {
        AppendUtf8(0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00), &out);
        ++i;
        continue;
      }
    }
    AppendUtf8(first, &out);
  }
  return out;
}

std::string Wtf8ToUtf16Le(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  auto put = [&out](char32_t u) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>(u >> 8));
  };
  for (size_t pos = 0; pos < text.size();) {
    char32_t cp = NextCodePoint(text, &pos);
    if (cp == kInvalid) cp = 0xFFFD;
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

std::string FoldAnsiName(std::string_view ansi) {
  std::string out(ansi);
  for (char& c : out) {
    c = CodePointToAnsi(FoldCodePoint(AnsiToCodePoint(static_cast<unsigned char>(c))));
  }
  return out;
}

std::string FoldWtf8Name(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    const char32_t cp = NextCodePoint(text, &pos);
    if (cp == kInvalid) {
      out.append(text.substr(start, pos - start));
    } else {
      AppendUtf8(FoldCodePoint(cp), &out);
    }
  }
  return out;
}

}  // namespace tx3::platform::posix
