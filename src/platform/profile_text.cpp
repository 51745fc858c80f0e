#include "platform/profile_text.h"

#include <cstdint>

#include "platform/code_page.h"

namespace tx3::platform {
namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one WTF-8 sequence at text[*pos] (surrogates accepted); kInvalid for a bad byte,
// which is then consumed alone.
char32_t NextCodePoint(std::string_view text, size_t* pos) {
  const Utf8Char ch = DecodeUtf8(text, *pos, /*surrogates=*/true);
  *pos += ch.length;
  return ch.valid ? ch.codePoint : kInvalid;
}

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
    char32_t cp = NextCodePoint(text, &pos);
    if (cp == kInvalid) cp = 0xFFFD;
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
    const size_t start = pos;
    const char32_t cp = NextCodePoint(text, &pos);
    if (cp == kInvalid) {
      out.append(text.substr(start, pos - start));
    } else {
      AppendUtf8(FoldWindows1252Case(cp), &out);
    }
  }
  return out;
}

}  // namespace tx3::platform
