#include "platform/profile_text.h"

#include "platform/code_page.h"

namespace tx3::platform {
namespace {

class Windows1252Codec final : public ProfileCodec {
 public:
  std::string Utf8ToAnsi(std::string_view utf8) const override {
    return Utf8ToWindows1252(utf8, /*surrogates=*/true);
  }
  std::string AnsiToUtf8(std::string_view ansi) const override { return Windows1252ToUtf8(ansi); }
};

}  // namespace

const ProfileCodec& Windows1252ProfileCodec() {
  static const Windows1252Codec codec;
  return codec;
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

void AppendWtf8AsUtf16Le(std::string_view text, std::string* out) {
  auto put = [out](char32_t u) {
    out->push_back(static_cast<char>(u & 0xFF));
    out->push_back(static_cast<char>(u >> 8));
  };
  for (size_t pos = 0; pos < text.size();) {
    // WTF-8: a lone surrogate is a character of its own; a bad byte is consumed alone.
    const Utf8Char ch = DecodeUtf8(text, pos, /*surrogates=*/true);
    pos += ch.length;
    const char32_t cp = ch.valid ? ch.codePoint : 0xFFFD;
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
  }
}

namespace {

struct AnsiFoldTable {
  char folded[256];
  AnsiFoldTable() {
    for (int byte = 0; byte < 256; ++byte) {
      folded[byte] = CodePointToWindows1252(
          FoldWindows1252Case(Windows1252ToCodePoint(static_cast<unsigned char>(byte))));
    }
  }
};

}  // namespace

char FoldAnsiChar(char c) {
  static const AnsiFoldTable table;
  return table.folded[static_cast<unsigned char>(c)];
}

std::string FoldAnsiName(std::string_view ansi) {
  std::string out(ansi);
  for (char& c : out) c = FoldAnsiChar(c);
  return out;
}

std::string FoldWtf8Name(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const Utf8Char ch = DecodeUtf8(text, pos, /*surrogates=*/true);
    if (ch.valid) {
      AppendUtf8(FoldWindows1252Case(ch.codePoint), &out);
    } else {
      out.append(text.substr(pos, ch.length));
    }
    pos += ch.length;
  }
  return out;
}

}  // namespace tx3::platform
