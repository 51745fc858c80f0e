#include "platform/posix/name_match.h"

namespace tx3::platform::posix {
namespace {

// An invalid byte stands for itself in a range no letter folds into (as "surrogateescape").
char32_t InvalidByte(unsigned char byte) {
  return 0xDC00 + byte;
}

// Decodes one UTF-8 sequence at `i`.
char32_t DecodeAt(std::string_view text, size_t* i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(*i);
  size_t length = 1;
  char32_t value = lead;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
  }
  if (lead < 0x80) {
    *i += 1;
    return lead;
  }
  if (length == 1 || *i + length > text.size()) {
    *i += 1;
    return InvalidByte(lead);
  }
  for (size_t k = 1; k < length; ++k) {
    if ((byte(*i + k) & 0xC0) != 0x80) {
      *i += 1;
      return InvalidByte(lead);
    }
    value = (value << 6) | (byte(*i + k) & 0x3F);
  }
  *i += length;
  return value;
}

bool InRange(char32_t c, char32_t low, char32_t high) {
  return c >= low && c <= high;
}

char32_t FoldLatinExtendedA(char32_t c) {
  // Pairs start on an even code point, except in U+0139..U+0148 and U+0179..U+017E.
  const bool oddPairs = InRange(c, 0x139, 0x148) || InRange(c, 0x179, 0x17E);
  if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
  if (c == 0x178) return 0xFF;
  const bool upper = oddPairs ? (c % 2 == 1) : (c % 2 == 0);
  return upper ? c + 1 : c;
}

char32_t FoldChar(char32_t c) {
  if (InRange(c, 'A', 'Z')) return c + 0x20;
  if (c < 0xC0) return c;
  if (InRange(c, 0xC0, 0xDE) && c != 0xD7) return c + 0x20;
  if (InRange(c, 0x100, 0x17F)) return FoldLatinExtendedA(c);
  if (InRange(c, 0x391, 0x3AB) && c != 0x3A2) return c + 0x20;
  if (InRange(c, 0x400, 0x40F)) return c + 0x50;
  if (InRange(c, 0x410, 0x42F)) return c + 0x20;
  return c;
}

bool GlobMatch(std::u32string_view name, std::u32string_view pattern) {
  size_t n = 0;
  size_t p = 0;
  size_t starP = std::u32string_view::npos;
  size_t starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == U'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::u32string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

}  // namespace

std::u32string FoldCase(std::string_view utf8) {
  std::u32string folded;
  folded.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) folded.push_back(FoldChar(DecodeAt(utf8, &i)));
  return folded;
}

bool SameName(std::string_view a, std::string_view b) {
  return FoldCase(a) == FoldCase(b);
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  const std::u32string folded = FoldCase(name);
  const std::u32string_view view = folded;
  const std::u32string foldedPattern = FoldCase(pattern);
  const std::u32string_view pat = foldedPattern;
  if (GlobMatch(view, pat)) return true;
  if (pat.size() >= 2 && pat.substr(pat.size() - 2) == U".*") {
    return GlobMatch(view, pat.substr(0, pat.size() - 2));
  }
  if (!pat.empty() && pat.back() == U'.' && view.find(U'.') == std::u32string_view::npos) {
    return GlobMatch(view, pat.substr(0, pat.size() - 1));
  }
  return false;
}

bool ListsBefore(std::string_view a, std::string_view b) {
  const std::u32string fa = FoldCase(a);
  const std::u32string fb = FoldCase(b);
  if (fa != fb) return fa < fb;
  return a < b;
}

}  // namespace tx3::platform::posix
