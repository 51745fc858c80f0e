#include "platform/posix/name_match.h"

#include "platform/code_page.h"

namespace tx3::platform::posix {
namespace {

// Decodes one UTF-8 character at `i`; an invalid byte stands for itself in a range no letter
// folds into (as "surrogateescape").
char32_t DecodeAt(std::string_view text, size_t* i) {
  const Utf8Char ch = DecodeUtf8(text, *i);
  *i += ch.length;
  return ch.valid ? ch.codePoint : 0xDC00 + ch.codePoint;
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
  if (c < 0x100) return FoldWindows1252Case(c);
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
