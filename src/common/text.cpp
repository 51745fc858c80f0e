// Characters of UTF-8 text, the runtime's string functions counted in characters, caseless
// comparison.
#include "common/text.h"

#include "platform/code_page.h"

namespace tx3 {

namespace {

// Byte length of the character at `pos` (1 for an invalid byte).
size_t SequenceLength(std::string_view text, size_t pos) {
  return platform::DecodeUtf8(text, pos).length;
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

std::string TrimRight(std::string_view text) {
  const size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : TrimRight(text.substr(first));
}

std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t') || byte == 0x7f) c = '?';
  }
  return line;
}

std::string CutAtNul(std::string text) {
  const size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  // A match starts and ends on character boundaries (bytes inside a character never match): its
  // characters in the text span exactly its bytes.
  for (size_t pos = 0; pos < text.size();) {
    if (text.compare(pos, from.size(), from) == 0 &&
        ByteOffset(text.substr(pos), CharCount(from)) == from.size()) {
      result += to;
      pos += from.size();
    } else {
      const size_t length = SequenceLength(text, pos);
      result.append(text, pos, length);
      pos += length;
    }
  }
  return result;
}

size_t InStr(std::string_view text, std::string_view what) {
  if (text.empty()) return 0;
  if (what.empty()) return 1;
  size_t index = 1;
  for (size_t pos = 0; pos < text.size(); pos += SequenceLength(text, pos), ++index) {
    if (text.compare(pos, what.size(), what) == 0) return index;
  }
  return 0;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return FoldedText(a) == FoldedText(b);
}

std::u32string FoldedText(std::string_view text) {
  std::u32string folded;
  for (size_t pos = 0; pos < text.size();) {
    const platform::Utf8Char ch = platform::DecodeUtf8(text, pos);
    // An invalid byte stands above the Unicode range, so that it matches only itself.
    folded += ch.valid ? platform::FoldWindows1252Case(ch.codePoint) : 0x110000 + ch.codePoint;
    pos += ch.length;
  }
  return folded;
}

std::string ToText(long long value) {
  return std::to_string(value);
}

}  // namespace tx3
