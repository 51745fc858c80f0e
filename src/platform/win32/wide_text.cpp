#include "platform/win32/wide_text.h"

#include <windows.h>

namespace tx3::platform::win32 {
namespace {

// Both conversions answer 0 when they fail (never less): the text is then empty.
std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  if (length > 0) ::MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string FromWide(UINT codePage, DWORD flags, const char* defaultChar, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, defaultChar, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  if (length > 0) {
    ::WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, defaultChar,
                          nullptr);
  }
  return text;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
  return ToWide(CP_UTF8, utf8);
}

std::string Narrow(std::wstring_view wide) {
  return FromWide(CP_UTF8, 0, nullptr, wide);
}

std::string Utf8ToSystemAnsi(std::string_view utf8) {
  const UINT codePage = ::GetACP();
  // A system whose ANSI code page is UTF-8 holds every character; the conversion then accepts
  // neither flags nor a default character.
  if (codePage == CP_UTF8) return Narrow(Widen(utf8));
  // A character beyond the 16-bit plane is in no ANSI code page: one "?" for the character, not
  // one for each half of its surrogate pair (Wine answers two).
  std::wstring wide = Widen(utf8);
  size_t kept = 0;
  for (size_t i = 0; i < wide.size(); ++i) {
    const bool pair = wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() &&
                      wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
    wide[kept++] = pair ? L'?' : wide[i];
    if (pair) ++i;
  }
  wide.resize(kept);
  return FromWide(codePage, WC_NO_BEST_FIT_CHARS, "?", wide);
}

std::string SystemAnsiToUtf8(std::string_view ansi) {
  return Narrow(ToWide(CP_ACP, ansi));
}

}  // namespace tx3::platform::win32
