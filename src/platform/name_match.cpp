#include "platform/name_match.h"

#include "platform/code_page.h"

namespace tx3::platform {
namespace {

// An invalid byte stands for itself in a range no letter folds into (as "surrogateescape"):
// valid UTF-8 holds no surrogate.
constexpr char32_t kInvalidByteBase = 0xDC00;

// Decodes one UTF-8 character at `i`.
char32_t DecodeAt(std::string_view text, size_t* i) {
  const Utf8Char ch = DecodeUtf8(text, *i);
  *i += ch.length;
  return ch.valid ? ch.codePoint : kInvalidByteBase + ch.codePoint;
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

std::u32string FoldName(std::string_view utf8) {
  std::u32string folded;
  folded.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) folded.push_back(FoldCase(DecodeAt(utf8, &i)));
  return folded;
}

std::string FoldNameText(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size());
  for (const char32_t cp : FoldName(utf8)) {
    if (cp >= kInvalidByteBase + 0x80 && cp <= kInvalidByteBase + 0xFF) {
      text.push_back(static_cast<char>(cp - kInvalidByteBase));
    } else {
      AppendUtf8(cp, &text);
    }
  }
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  return FoldName(a) == FoldName(b);
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  const std::u32string folded = FoldName(name);
  const std::u32string_view view = folded;
  const std::u32string foldedPattern = FoldName(pattern);
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
  const std::u32string fa = FoldName(a);
  const std::u32string fb = FoldName(b);
  if (fa != fb) return fa < fb;
  return a < b;
}

}  // namespace tx3::platform
