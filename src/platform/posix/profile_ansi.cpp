#include "platform/posix/profile_ansi.h"

#include <cstdint>

#include "platform/code_page.h"

namespace tx3::platform::posix {
namespace {

using platform::AppendUtf8;
using platform::CodePointToWindows1252;
using platform::Windows1252ToCodePoint;
using platform::Windows1252ToUtf8;

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
    out.push_back(cp == kInvalid || IsSurrogate(cp) ? '?' : CodePointToWindows1252(cp));
  }
  return out;
}

std::string ProfileAnsiToUtf8(std::string_view ansi) {
  return Windows1252ToUtf8(ansi);
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
    c = CodePointToWindows1252(
        FoldCodePoint(Windows1252ToCodePoint(static_cast<unsigned char>(c))));
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
