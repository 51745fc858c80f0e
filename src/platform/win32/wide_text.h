// Text across the Windows boundary: the program's UTF-8 and the UTF-16 of the W functions, and
// the system's ANSI code page of INI content and of the engine's paths.
#pragma once

#include <string>
#include <string_view>

namespace tx3::platform::win32 {

// UTF-8 -> UTF-16; an invalid byte becomes U+FFFD.
std::wstring Widen(std::string_view utf8);
// UTF-16 -> UTF-8; a lone surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view wide);

// UTF-8 -> the ANSI code page (GetACP); a character the code page cannot hold becomes "?",
// never a look-alike.
std::string Utf8ToSystemAnsi(std::string_view utf8);
// The ANSI code page -> UTF-8.
std::string SystemAnsiToUtf8(std::string_view ansi);

}  // namespace tx3::platform::win32
