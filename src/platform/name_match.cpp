#include "platform/name_match.h"

#include "platform/code_page.h"

namespace tx3::platform {
namespace {

// An invalid byte stands for itself in a range no letter folds into (as "surrogateescape"):
// valid UTF-8 holds no surrogate.
constexpr char32_t kInvalidByteBase = 0xDC00;

// The name in folded case, as code points.
std::u32string FoldName(std::string_view utf8) {
  std::u32string folded;
  folded.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const Utf8Char ch = DecodeUtf8(utf8, i);
    folded.push_back(ch.valid ? FoldCase(ch.codePoint) : kInvalidByteBase + ch.codePoint);
    i += ch.length;
  }
  return folded;
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

std::string FoldNameText(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const Utf8Char ch = DecodeUtf8(utf8, i);
    if (ch.valid) {
      AppendUtf8(FoldCase(ch.codePoint), &text);
    } else {
      text.push_back(utf8[i]);
    }
    i += ch.length;
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
